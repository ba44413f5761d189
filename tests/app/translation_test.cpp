// The English interface: which locales get it, and the window's texts in it.
#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QToolButton>
#include <QTranslator>

#include "app/translation.h"
#include "app_fixture.h"
#include "view/vantrel.h"

namespace app_test {
namespace {

TEST(Translation, EnglishUnlessTheLocaleIsChineseOrC) {
  struct Case {
    const char* locale;
    bool english;
  } cases[] = {{"en_US", true},  {"en_GB", true},  {"de_DE", true},  {"fr_FR", true}, {"ja_JP", true},
               {"zh_CN", false}, {"zh_TW", false}, {"zh_HK", false}, {"C", false},    {"POSIX", false}};
  for (const Case& c : cases) {
    EXPECT_EQ(app::WantsEnglish(QLocale(QString::fromLatin1(c.locale))), c.english) << c.locale;
  }
}

// Every text of the translation source has its English in the compiled translation.
TEST(Translation, EveryTextHasItsEnglish) {
  QTranslator english;
  ASSERT_TRUE(english.load(QStringLiteral(":/translations/vantrel_en.qm")));
  QFile source(QStringLiteral(VANTREL_TRANSLATION_SOURCE));
  ASSERT_TRUE(source.open(QIODevice::ReadOnly | QIODevice::Text));
  const QString ts = QString::fromUtf8(source.readAll());
  const QRegularExpression message(QStringLiteral("<source>(.*?)</source>"),
                                   QRegularExpression::DotMatchesEverythingOption);
  int texts = 0;
  for (auto it = message.globalMatch(ts); it.hasNext();) {
    QString text = it.next().captured(1);
    text.replace("&apos;", "'").replace("&quot;", "\"").replace("&lt;", "<").replace("&gt;", ">").replace("&amp;", "&");
    ++texts;
    const QString translated = english.translate("app::TPhotosform", text.toUtf8().constData());
    EXPECT_FALSE(translated.isEmpty()) << "no English for " << text.toStdString();
    EXPECT_FALSE(translated.contains(QRegularExpression(QStringLiteral("[\\x{4e00}-\\x{9fff}]"))))
        << text.toStdString() << " -> " << translated.toStdString();
  }
  EXPECT_GT(texts, 40);
}

class TranslatedWindow : public AppTest {
 protected:
  void TearDown() override {
    AppTest::TearDown();
    QCoreApplication::removeTranslator(&translator);
  }
  QTranslator translator;
};

TEST_F(TranslatedWindow, EnglishLocaleShowsEnglishTexts) {
  ASSERT_TRUE(app::InstallTranslation(*QCoreApplication::instance(), translator, QLocale("en_US")));
  Open();
  EXPECT_EQ(form->YJSZ->text(), "Playback settings");
  EXPECT_EQ(form->N2->text(), "Full screen / back");
  EXPECT_EQ(form->PageControl->tabText(2), "Photo folder");
  EXPECT_EQ(form->Button4->text(), "Delete demos");
  EXPECT_EQ(form->Button1->text(), "OK");
  EXPECT_EQ(form->Vantrel->toolTip(),
            "Right-click to set up the player, double-click a photo for full screen, Esc to return");
  form->SpeedButton1->click();  // the question is answered No
  const auto asked = dialogs.CallsOf(TDialogCall::Message);
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked.at(0).title, "A friendly reminder");
  EXPECT_EQ(asked.at(0).text, "Leave the album?");
}

TEST_F(TranslatedWindow, ChineseAndCLocalesKeepTheChineseTexts) {
  for (const char* locale : {"zh_CN", "C"}) {
    EXPECT_FALSE(app::InstallTranslation(*QCoreApplication::instance(), translator, QLocale(locale))) << locale;
    Open();
    EXPECT_EQ(form->YJSZ->text(), "播放设置") << locale;
    EXPECT_EQ(form->N2->text(), "全屏/返回") << locale;
    EXPECT_EQ(form->Button1->text(), "确    定") << locale;
    form.reset();
  }
}

}  // namespace
}  // namespace app_test
