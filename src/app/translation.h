#pragma once
#include <QLocale>

class QCoreApplication;
class QTranslator;

namespace app {

// The interface's texts are written in Chinese. A Chinese locale, and the
// C/POSIX locale of a system that names no language, keep them; any other
// language gets the English translation.
bool WantsEnglish(const QLocale& locale);

// Loads the English translation carried by the program into `translator` and
// installs it when `locale` wants English. Returns whether it did.
bool InstallTranslation(QCoreApplication& application, QTranslator& translator, const QLocale& locale);

}  // namespace app
