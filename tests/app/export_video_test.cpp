// The context menu's video export: the dialog's proposal, the export on its
// worker thread, cancelling, and failures reported in a message box.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QProgressDialog>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTimer>

#include "app/export_video_dialog.h"
#include "app/radio_group.h"
#include "app_fixture.h"
#include "platform/raster/random.h"
#include "view/vantrel.h"

namespace app_test {
namespace {

class ExportVideo : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    ASSERT_TRUE(out_.isValid());
  }
  // Answers the next export dialog with a tiny, quick video into `name`.
  void AnswerTiny(const QString& name, double intervalSeconds = 0.4, int fps = 5) {
    const std::string path = out_.filePath(name).toStdString();
    dialogs.ExportAnswers.push_back([path, intervalSeconds, fps](video_export::ExportSettings& s) {
      s.output = path;
      s.width = 64;
      s.height = 48;
      s.fps = fps;
      s.intervalSeconds = intervalSeconds;
      s.transitionMs = 400;
    });
  }
  QStringList OutFiles() const { return QDir(out_.path()).entryList(QDir::Files | QDir::Hidden); }
  QProgressDialog* Progress() const { return form->findChild<QProgressDialog*>("ExportVideoProgress"); }

  QTemporaryDir out_;
};

TEST_F(ExportVideo, MenuItemComesAfterTheOthers) {
  Open();
  const QList<QAction*> items = form->PopupMenu1->actions();
  ASSERT_EQ(items.size(), 3);
  EXPECT_EQ(items.at(2), form->N3);
  EXPECT_EQ(form->N3->text(), "导出视频...");
}

TEST_F(ExportVideo, ProposalFollowsThePanel) {
  Open();
  struct Case {
    const char* name;
    int styleItem;
    video_export::StyleOrder order;
  };
  const Case cases[] = {
      {"catalogue order", 0, video_export::StyleOrder::Cycle},
      {"random", 1, video_export::StyleOrder::Random},
      {"unchanged style", 2, video_export::StyleOrder::Fixed},
  };
  form->Vantrel->SetStyle(57);
  form->tbDisplayInterval->setValue(4500);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    form->rgStyleControl->SetItemIndex(c.styleItem);
    dialogs.ExportProposals.clear();
    form->N3->trigger();  // the scripted dialog cancels
    ASSERT_EQ(dialogs.ExportProposals.size(), 1u);
    const video_export::ExportSettings& p = dialogs.ExportProposals.front();
    EXPECT_EQ(QString::fromStdString(p.folder.string()), form->Playlist().PicturesPath());
    EXPECT_EQ(p.order, c.order);
    if (c.order == video_export::StyleOrder::Fixed) {
      EXPECT_EQ(p.style, 57);
    }
    EXPECT_DOUBLE_EQ(p.intervalSeconds, 4.5);
    EXPECT_EQ(p.transitionMs, 34 * 30);  // steps of 3 % every 30 ms
    EXPECT_EQ(p.placement, video_export::PhotoPlacement::Fit);
    EXPECT_EQ(p.output.extension(), ".mp4");
  }
  EXPECT_TRUE(OutFiles().isEmpty());
}

TEST_F(ExportVideo, WritesTheVideoWhileTheSlideshowRuns) {
  Open();
  AnswerTiny("show.mkv");
  form->N3->trigger();
  EXPECT_FALSE(form->N3->isEnabled());  // one export at a time
  ASSERT_TRUE(WaitUntil([&] { return !dialogs.MessageTexts().isEmpty(); }, 60000));
  EXPECT_TRUE(dialogs.MessageTexts().last().startsWith("视频已导出：")) << dialogs.MessageTexts().last().toStdString();
  EXPECT_EQ(dialogs.CallsOf(TDialogCall::Message).back().icon, app::TMessageIcon::Information);
  EXPECT_EQ(OutFiles(), QStringList{"show.mkv"});
  EXPECT_GT(QFileInfo(out_.filePath("show.mkv")).size(), 0);
  EXPECT_TRUE(form->N3->isEnabled());
  EXPECT_TRUE(form->Timer->isActive() || form->Vantrel->Busy());  // the show went on
}

// An export draws the free random patterns of its styles from a generator of
// its own: the show's random sequence is where the export found it.
TEST_F(ExportVideo, AnExportLeavesTheShowsRandomSequenceAlone) {
  Open();
  form->Timer->stop();  // no transition of the show draws meanwhile
  ASSERT_TRUE(WaitIdle());
  AnswerTiny("shreds.mkv");
  dialogs.ExportAnswers.push_back([first = dialogs.ExportAnswers.back()](video_export::ExportSettings& s) {
    first(s);
    s.order = video_export::StyleOrder::Fixed;
    s.style = 65;  // uneven shreds, a pattern drawn afresh each transition
  });
  dialogs.ExportAnswers.pop_front();
  const uint32_t before = raster::RandSeed.load();
  form->N3->trigger();
  ASSERT_TRUE(WaitUntil([&] { return !dialogs.MessageTexts().isEmpty(); }, 60000));
  ASSERT_TRUE(dialogs.MessageTexts().last().startsWith("视频已导出：")) << dialogs.MessageTexts().last().toStdString();
  EXPECT_EQ(raster::RandSeed.load(), before);
}

TEST_F(ExportVideo, CancelStopsAndLeavesNothing) {
  Open();
  AnswerTiny("long.mp4", 3600, 120);  // an hour a photo
  form->N3->trigger();
  ASSERT_TRUE(WaitUntil([&] { return Progress() && Progress()->value() > 0; }, 60000));
  auto* cancel = Progress()->findChild<QPushButton*>();
  ASSERT_TRUE(cancel);
  EXPECT_EQ(cancel->text(), "取消");
  cancel->click();
  ASSERT_TRUE(WaitUntil([&] { return form->N3->isEnabled(); }, 60000));
  EXPECT_TRUE(dialogs.MessageTexts().isEmpty());
  EXPECT_TRUE(OutFiles().isEmpty()) << OutFiles().join(", ").toStdString();
}

TEST_F(ExportVideo, FailureIsReportedAndLeavesNothing) {
  Open();
  dialogs.ExportAnswers.push_back(
      [&](video_export::ExportSettings& s) { s.output = out_.filePath("missing/show.mp4").toStdString(); });
  form->N3->trigger();
  ASSERT_TRUE(WaitUntil([&] { return !dialogs.MessageTexts().isEmpty(); }, 60000));
  EXPECT_TRUE(dialogs.MessageTexts().last().startsWith("导出视频失败：cannot write"))
      << dialogs.MessageTexts().last().toStdString();
  EXPECT_EQ(dialogs.CallsOf(TDialogCall::Message).back().icon, app::TMessageIcon::Warning);
  EXPECT_TRUE(OutFiles().isEmpty());
}

TEST_F(ExportVideo, ClosingTheWindowStopsARunningExport) {
  Open();
  AnswerTiny("long.mp4", 3600, 120);
  form->N3->trigger();
  ASSERT_TRUE(WaitUntil([&] { return Progress() && Progress()->value() > 0; }, 60000));
  form.reset();  // joins the worker, which removes its file
  EXPECT_TRUE(OutFiles().isEmpty()) << OutFiles().join(", ").toStdString();
}

// The dialog shows the proposal and reads back what was changed.
TEST(ExportVideoDialog, ReadsBackItsFields) {
  video_export::ExportSettings proposal;
  proposal.folder = "/photos/trip";
  proposal.output = "/videos/trip.mp4";
  proposal.order = video_export::StyleOrder::Fixed;
  proposal.style = 12;
  app::TExportVideoDialog dialog(nullptr, proposal);
  auto* size = dialog.findChild<QComboBox*>("cbExportSize");
  auto* order = dialog.findChild<QComboBox*>("cbExportStyle");
  ASSERT_TRUE(size && order);
  EXPECT_EQ(size->currentIndex(), 0);
  EXPECT_EQ(order->currentText(), "当前特效 #12");
  size->setCurrentIndex(1);
  order->setCurrentIndex(0);
  const video_export::ExportSettings s = dialog.Settings();
  EXPECT_EQ(s.width, 1280);
  EXPECT_EQ(s.height, 720);
  EXPECT_EQ(s.order, video_export::StyleOrder::Cycle);
  EXPECT_EQ(s.folder, proposal.folder);
  EXPECT_EQ(s.output, proposal.output);
  EXPECT_EQ(s.fps, 30);
  EXPECT_DOUBLE_EQ(s.intervalSeconds, 3.0);
}

}  // namespace
}  // namespace app_test
