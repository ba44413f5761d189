#include "app/translation.h"

#include <QCoreApplication>
#include <QTranslator>

namespace app {

bool WantsEnglish(const QLocale& locale) {
  return locale.language() != QLocale::C && locale.language() != QLocale::Chinese;
}

bool InstallTranslation(QCoreApplication& application, QTranslator& translator, const QLocale& locale) {
  if (!WantsEnglish(locale)) return false;
  if (!translator.load(QStringLiteral(":/translations/vantrel_en.qm"))) return false;
  return application.installTranslator(&translator);
}

}  // namespace app
