// The English interface: which locales get it, and the window's texts in it.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QToolButton>
#include <QTranslator>

#include "app/export_video_dialog.h"
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

// Every text of the translation source has its English in the compiled
// translation, looked up under the class that asks for it.
TEST(Translation, EveryTextHasItsEnglish) {
  QTranslator english;
  ASSERT_TRUE(english.load(QStringLiteral(":/translations/vantrel_en.qm")));
  QFile source(QStringLiteral(VANTREL_TRANSLATION_SOURCE));
  ASSERT_TRUE(source.open(QIODevice::ReadOnly | QIODevice::Text));
  const QString ts = QString::fromUtf8(source.readAll());
  const QRegularExpression context(QStringLiteral("<context>\\s*<name>(.*?)</name>(.*?)</context>"),
                                   QRegularExpression::DotMatchesEverythingOption);
  const QRegularExpression message(QStringLiteral("<source>(.*?)</source>"),
                                   QRegularExpression::DotMatchesEverythingOption);
  int texts = 0;
  for (auto c = context.globalMatch(ts); c.hasNext();) {
    const QRegularExpressionMatch inContext = c.next();
    const QByteArray name = inContext.captured(1).toUtf8();
    for (auto it = message.globalMatch(inContext.captured(2)); it.hasNext();) {
      QString text = it.next().captured(1);
      text.replace("&apos;", "'")
          .replace("&quot;", "\"")
          .replace("&lt;", "<")
          .replace("&gt;", ">")
          .replace("&amp;", "&");
      ++texts;
      const QString translated = english.translate(name.constData(), text.toUtf8().constData());
      EXPECT_FALSE(translated.isEmpty()) << "no English for " << name.constData() << " | " << text.toStdString();
      EXPECT_FALSE(translated.contains(QRegularExpression(QStringLiteral("[\\x{4e00}-\\x{9fff}]"))))
          << text.toStdString() << " -> " << translated.toStdString();
    }
  }
  EXPECT_GT(texts, 40);
}

std::string Joined(const QStringList& texts) { return texts.join(QStringLiteral(" | ")).toStdString(); }

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

// The album's reports, the video export's menu item, dialog and report, in
// each locale: English for English, the Chinese texts unchanged for Chinese and C.
TEST_F(TranslatedWindow, AlbumAndExportTextsFollowTheLocale) {
  struct Texts {
    const char* copied;  // the report of a copy into the album
    const char* exportItem;
    const char* dialogTitle;
    QStringList rowLabels;
    QStringList orders;
    QStringList buttons;
    const char* exportFailed;
  };
  const Texts english{
      "Copied. Open the album again to play the new photos.\nPhotos newly copied: 2, already in the album: 0",
      "Export video...",
      "Export video",
      {"Photo folder", "Output file", "Frame size", "Frames per second", "Seconds per photo", "Transition (ms)",
       "Effects"},
      {"In catalogue order", "Random effect", "Current effect #7"},
      {"Export", "Cancel", "Browse..."},
      "The video could not be exported: cannot write"};
  const Texts chinese{"复制成功请重新打开相册即可播放\n新复制 2 张照片，0 张已在相册中",
                      "导出视频...",
                      "导出视频",
                      {"照片文件夹", "输出文件", "画面大小", "每秒帧数", "每张停留(秒)", "切换时间(ms)", "特效"},
                      {"按特效顺序", "随机特效", "当前特效 #7"},
                      {"导出", "取消", "浏览..."},
                      "导出视频失败：cannot write"};
  const struct {
    const char* locale;
    const Texts& texts;
  } cases[] = {{"en_US", english}, {"zh_CN", chinese}, {"C", chinese}};
  for (const auto& [locale, c] : cases) {
    SCOPED_TRACE(locale);
    app::InstallTranslation(*QCoreApplication::instance(), translator, QLocale(locale));
    Open();
    dialogs.Forget();
    dialogs.FolderAnswers = {
        program.MakeFolder(QStringLiteral("new %1").arg(locale),
                           {QStringLiteral("x %1.jpg").arg(locale), QStringLiteral("y %1.jpg").arg(locale)})};
    form->Button5->click();
    ASSERT_EQ(dialogs.MessageTexts().size(), 1);
    EXPECT_EQ(dialogs.MessageTexts().at(0).toStdString(), c.copied);

    EXPECT_EQ(form->N3->text().toStdString(), c.exportItem);
    video_export::ExportSettings proposal;
    proposal.style = 7;
    app::TExportVideoDialog dialog(nullptr, proposal);
    EXPECT_EQ(dialog.windowTitle().toStdString(), c.dialogTitle);
    auto* rows = dialog.findChild<QFormLayout*>();
    ASSERT_TRUE(rows);
    QStringList labels;
    for (int row = 0; row < rows->rowCount(); ++row) {
      if (auto* label = qobject_cast<QLabel*>(rows->itemAt(row, QFormLayout::LabelRole)->widget()))
        labels << label->text();
    }
    EXPECT_EQ(Joined(labels), Joined(c.rowLabels));
    auto* order = dialog.findChild<QComboBox*>("cbExportStyle");
    ASSERT_TRUE(order);
    QStringList orders;
    for (int i = 0; i < order->count(); ++i) orders << order->itemText(i);
    EXPECT_EQ(Joined(orders), Joined(c.orders));
    QStringList buttons;
    for (QAbstractButton* button : dialog.findChild<QDialogButtonBox*>()->buttons()) buttons << button->text();
    for (QPushButton* button : dialog.findChildren<QPushButton*>(Qt::FindDirectChildrenOnly)) buttons << button->text();
    EXPECT_EQ(Joined(buttons), Joined(c.buttons));

    dialogs.Forget();
    dialogs.ExportAnswers.push_back([&](video_export::ExportSettings& s) {
      s.output = program.File(QStringLiteral("missing/show.mp4")).toStdString();
    });
    form->N3->trigger();
    ASSERT_TRUE(WaitUntil([&] { return !dialogs.MessageTexts().isEmpty(); }, 60000));
    EXPECT_EQ(dialogs.CallsOf(TDialogCall::Message).at(0).title.toStdString(), c.dialogTitle);
    EXPECT_TRUE(dialogs.MessageTexts().at(0).startsWith(c.exportFailed)) << dialogs.MessageTexts().at(0).toStdString();
    form.reset();
    QCoreApplication::removeTranslator(&translator);
  }
}

}  // namespace
}  // namespace app_test
