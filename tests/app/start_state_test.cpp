// The window as FormCreate leaves it: every control's place, text and value.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QScreen>
#include <QSlider>
#include <QTabWidget>
#include <QTimer>

#include "app/radio_group.h"
#include "app/status_bar.h"
#include "app/up_down.h"
#include "app_fixture.h"
#include "view/vantrel.h"

namespace app_test {
namespace {

QString TextOf(const QWidget* w) {
  if (auto* label = qobject_cast<const QLabel*>(w)) return label->text();
  if (auto* button = qobject_cast<const QAbstractButton*>(w)) return button->text();
  if (auto* box = qobject_cast<const QGroupBox*>(w)) return box->title();
  if (auto* edit = qobject_cast<const QLineEdit*>(w)) return edit->text();
  return {};
}

struct TControlRow {
  const char* name;
  const char* parent;
  QRect bounds;
  const char* text;  // null: not checked
  bool visible;
};

const TControlRow kControls[] = {
    {"Image1", "Photosform", {0, 0, 1200, 850}, nullptr, true},
    {"Panel2", "Photosform", {0, 0, 1200, 850}, nullptr, true},
    {"SpeedButton1", "Panel2", {1104, 389, 70, 67}, "", true},
    {"Panel1", "Panel2", {104, 80, 994, 684}, nullptr, true},
    {"Vantrel", "Panel1", {1, 1, 992, 682}, nullptr, true},
    {"PageControl", "Panel1", {304, 64, 297, 449}, nullptr, false},
    {"StatusBar", "Panel1", {1, 1, 992, 0}, nullptr, false},
    {"lblStyle", "TabSheet1", {8, 8, 48, 13}, "展示类型", false},
    {"lblStyleNo", "TabSheet1", {253, 8, 28, 13}, "[ #0 ]", true},
    {"cbStyle", "TabSheet1", {8, 24, 273, 21}, nullptr, false},
    {"rgStyleControl", "TabSheet1", {9, 51, 273, 105}, "展示方式设置", true},
    {"gbProgressControl", "TabSheet1", {8, 172, 273, 213}, "播放设置", true},
    {"rbProgressAuto", "gbProgressControl", {16, 24, 241, 17}, "自动播放", true},
    {"lblProgressStep", "gbProgressControl", {42, 50, 98, 13}, "特效生成时间 (%):", true},
    // The number boxes reach 10 pixels further left than their first layout, so that "1,000" shows whole.
    {"edtProgressStep", "gbProgressControl", {198, 46, 43, 21}, "3", true},
    {"udProgressStep", "gbProgressControl", {241, 46, 16, 21}, nullptr, true},
    {"lblProgressDelay", "gbProgressControl", {42, 78, 73, 13}, "切换时间(ms):", true},
    {"edtProgressDelay", "gbProgressControl", {198, 74, 43, 21}, "30", true},
    {"udProgressDelay", "gbProgressControl", {241, 74, 16, 21}, nullptr, true},
    {"ckExactTiming", "gbProgressControl", {40, 103, 215, 17}, "保持定时", true},
    {"ckThreaded", "gbProgressControl", {40, 128, 215, 16}, "运用多线程处理图片", true},
    {"rbProgressManual", "gbProgressControl", {16, 156, 241, 17}, "停止播放", true},
    {"tbProgress", "gbProgressControl", {27, 174, 237, 29}, nullptr, true},
    {"Button2", "TabSheet1", {93, 391, 97, 26}, "确    定", true},
    {"gbImagePlacement", "TabSheet2", {8, 8, 196, 103}, "图片展示方式", true},
    {"ckCenter", "gbImagePlacement", {16, 24, 164, 17}, "中心", true},
    {"ckStretch", "gbImagePlacement", {16, 48, 164, 17}, "铺满", true},
    {"ckProportional", "gbImagePlacement", {16, 72, 164, 17}, "保持比例", true},
    {"gbBackground", "TabSheet2", {8, 122, 196, 113}, "背景设置", true},
    {"lblBackgroundMode", "gbBackground", {16, 24, 72, 13}, "背景展示方式", true},
    {"cbBackgroundMode", "gbBackground", {16, 40, 164, 21}, nullptr, true},
    {"btnChangeBackground", "gbBackground", {16, 72, 164, 25}, "设置播放背景的图片", true},
    {"gbFrame", "TabSheet2", {8, 248, 273, 89}, "镶边", true},
    {"lblFrameWidth", "gbFrame", {16, 24, 48, 13}, "线条粗细", true},
    {"edtFrameWidth", "gbFrame", {198, 20, 43, 21}, "1", true},
    {"udFrameWidth", "gbFrame", {241, 20, 16, 21}, nullptr, true},
    {"btnChangeFrameColor", "gbFrame", {16, 48, 241, 25}, "线条颜色选择", true},
    {"Button3", "TabSheet2", {93, 379, 97, 26}, "确    定", true},
    {"Button5", "TabSheet3", {0, 3, 270, 37}, "方式一：拷贝文件夹下宝宝照片进入相册播放", true},
    {"btnChangePath", "TabSheet3", {0, 46, 283, 35}, "方式二：直接选择您电脑上的照片进行播放", true},
    {"lblDisplayInterval", "TabSheet3", {3, 104, 132, 13}, "设置几秒播放下一张图片", true},
    {"lblDisplayIntervalValue", "TabSheet3", {226, 104, 45, 13}, "[ 3.0 秒 ]", true},
    {"tbDisplayInterval", "TabSheet3", {1, 123, 285, 29}, nullptr, true},
    {"ckOverDraw", "TabSheet3", {16, 180, 273, 17}, "Over Draw Images (same size only)", false},
    {"Button4", "TabSheet3", {160, 237, 105, 25}, "删除演示的照片", true},
    {"Button1", "TabSheet3", {93, 374, 97, 26}, "确    定", true},
};

class StartState : public AppTest {};

TEST_F(StartState, EveryControlHasItsNameParentBoundsTextAndVisibility) {
  Open();
  for (const TControlRow& row : kControls) {
    SCOPED_TRACE(row.name);
    auto* control = form->findChild<QWidget*>(QString::fromLatin1(row.name));
    ASSERT_NE(control, nullptr);
    ASSERT_NE(control->parentWidget(), nullptr);
    EXPECT_EQ(control->parentWidget()->objectName(), QString::fromLatin1(row.parent));
    auto* label = qobject_cast<QLabel*>(control);
    if (label && (label->alignment() & Qt::AlignRight)) {  // grows to the left to fit its text
      EXPECT_EQ(control->geometry().right(), row.bounds.right());
      EXPECT_EQ(control->geometry().top(), row.bounds.top());
      EXPECT_GE(control->width(), row.bounds.width());
      EXPECT_GE(control->width(), label->sizeHint().width());
    } else if (label) {  // grows to the right to fit its text
      EXPECT_EQ(control->pos(), row.bounds.topLeft());
      EXPECT_EQ(control->height(), row.bounds.height());
      EXPECT_GE(control->width(), row.bounds.width());
      EXPECT_GE(control->width(), label->sizeHint().width());
    } else {
      EXPECT_EQ(control->geometry(), row.bounds);
    }
    if (row.text) {
      EXPECT_EQ(TextOf(control), QString::fromUtf8(row.text));
    }
    EXPECT_EQ(control->isVisibleTo(control->parentWidget()), row.visible);
  }
}

TEST_F(StartState, WindowIsBorderless1200x850WithItsCaptionFontAndCentredPlace) {
  Open();
  EXPECT_EQ(form->objectName(), "Photosform");
  EXPECT_EQ(form->size(), QSize(1200, 850));
  EXPECT_EQ(form->minimumSize(), form->maximumSize());  // the user cannot resize it
  EXPECT_TRUE(form->windowFlags() & Qt::FramelessWindowHint);
  EXPECT_EQ(form->windowTitle(), "TVantrel - Demo");
  EXPECT_EQ(form->font().pixelSize(), 11);
  EXPECT_EQ(form->font().families().value(0), "Tahoma");
  EXPECT_TRUE(form->font().families().contains("WenQuanYi Micro Hei"));
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  EXPECT_EQ(form->geometry().center(), screen.center());
}

TEST_F(StartState, PanelControlsCarryTheViewsValues) {
  Open();
  EXPECT_EQ(form->cbStyle->count(), 172);
  EXPECT_EQ(form->cbStyle->currentIndex(), -1);
  EXPECT_EQ(form->rgStyleControl->ItemIndex(), 0);
  EXPECT_EQ(form->rgStyleControl->Button(2)->text(), "不需要特效");
  EXPECT_TRUE(form->rbProgressAuto->isChecked());
  EXPECT_FALSE(form->rbProgressManual->isChecked());
  EXPECT_EQ(form->udProgressStep->Position(), 3);
  EXPECT_EQ(form->udProgressDelay->Position(), 30);
  EXPECT_TRUE(form->ckExactTiming->isChecked());
  EXPECT_TRUE(form->ckThreaded->isChecked());
  EXPECT_TRUE(form->ckOverDraw->isChecked());
  EXPECT_TRUE(form->ckCenter->isChecked());
  EXPECT_FALSE(form->ckStretch->isChecked());
  EXPECT_TRUE(form->ckProportional->isChecked());
  EXPECT_EQ(form->cbBackgroundMode->currentText(), "Tile");
  EXPECT_EQ(form->udFrameWidth->Position(), 1);
  EXPECT_EQ(form->tbProgress->value(), 0);
  EXPECT_EQ(form->tbProgress->maximum(), 100);
  EXPECT_EQ(form->tbProgress->tickInterval(), 10);
  EXPECT_FALSE(form->tbProgress->isEnabled());
  EXPECT_TRUE(form->edtProgressStep->isEnabled());
  EXPECT_EQ(form->tbDisplayInterval->value(), 3000);
  EXPECT_EQ(form->tbDisplayInterval->minimum(), 500);
  EXPECT_EQ(form->tbDisplayInterval->maximum(), 9500);
  EXPECT_EQ(form->tbDisplayInterval->pageStep(), 500);
  EXPECT_EQ(form->PageControl->currentWidget(), form->TabSheet3);
  EXPECT_EQ(form->PageControl->tabText(0), "照片特效设置");
  EXPECT_EQ(form->PageControl->tabText(1), "布局设置");
  EXPECT_EQ(form->PageControl->tabText(2), "设置照片的目录");
  EXPECT_EQ(form->YJSZ->text(), "播放设置");
  EXPECT_EQ(form->N2->text(), "全屏/返回");
}

TEST_F(StartState, ViewHasTheWindowDescriptionsValues) {
  Open();
  const view::TVantrel& v = *form->Vantrel;
  EXPECT_EQ(v.Style(), 0);
  EXPECT_EQ(v.Step(), 3);
  EXPECT_EQ(v.Delay(), 30);
  EXPECT_TRUE(v.ExactTiming());
  EXPECT_TRUE(v.Threaded());
  EXPECT_TRUE(v.OverDraw());
  EXPECT_FALSE(v.Manual());
  EXPECT_TRUE(v.Center());
  EXPECT_TRUE(v.Proportional());
  EXPECT_FALSE(v.Stretch());
  EXPECT_EQ(v.BgMode(), view::bmTiled);
  EXPECT_EQ(v.FrameWidth(), 1);
  EXPECT_EQ(v.FrameColor(), 0x808080u);
  EXPECT_EQ(v.Color(), 0u);
  EXPECT_EQ(v.toolTip(), "右键设置播放器，双击照片全屏播放，ESC返回,");
  EXPECT_EQ(v.BgPicture().Width(), 64);  // 1002.jpg beside the program replaced the texture
  EXPECT_FALSE(v.Empty());  // the first photo is preloaded
  EXPECT_FALSE(v.Busy());
}

TEST_F(StartState, PhotosAreListedAndTheTimerCountsTheFirstInterval) {
  Open();
  EXPECT_EQ(form->Playlist().Pictures(), (QStringList{"a.jpg", "b.jpg", "c.jpg"}));
  EXPECT_EQ(form->Playlist().PicturesPath(), program.File("Photos"));
  EXPECT_TRUE(form->Playlist().ShowingImage().isEmpty());
  EXPECT_TRUE(form->Playlist().Pictures().contains(form->Playlist().LoadedImage()));
  EXPECT_TRUE(form->Timer->isActive());
  EXPECT_EQ(form->Timer->interval(), 3000);
  EXPECT_EQ(form->StatusBar->PanelText(0), "");
  EXPECT_EQ(form->StatusBar->PanelText(1), "Next: " + form->Playlist().LoadedImage());
  EXPECT_EQ(form->StatusBar->PanelText(2), "3 Image(s)");
  EXPECT_EQ(form->StatusBar->PanelText(3), "Folder: " + program.File("Photos"));
  EXPECT_TRUE(dialogs.Calls.empty());
}

TEST_F(StartState, AlbumFolderIsFoundWhateverItsCase) {
  QDir(program.Path()).rename("Photos", "photos");
  Open();
  EXPECT_EQ(form->Playlist().PicturesPath(), program.File("photos"));
  EXPECT_EQ(form->Playlist().Pictures().size(), 3);
}

TEST_F(StartState, WithoutTheDefaultBackgroundStartUpReportsAndGoesOn) {
  QFile::remove(program.File("1002.jpg"));
  Open();
  ASSERT_EQ(dialogs.MessageTexts().size(), 1);
  EXPECT_TRUE(dialogs.MessageTexts()[0].contains("1002.jpg"));
  EXPECT_EQ(dialogs.Calls[0].icon, app::TMessageIcon::Error);
  EXPECT_EQ(form->Vantrel->BgPicture().Width(), 128);  // the texture the program carries
  EXPECT_EQ(form->cbStyle->count(), 172);
  EXPECT_EQ(form->edtProgressStep->text(), "3");
  EXPECT_EQ(form->Playlist().Pictures().size(), 3);
  EXPECT_TRUE(form->Timer->isActive());
}

// A photo that cannot be loaded, even the first one picked, does not keep
// the others from being shown: the first tick brings the good one.
TEST_F(StartState, BadPhotosAtStartAreDroppedAndTheGoodOneIsShown) {
  program.MakeFolder("mixed", {"good.png"});
  Touch(program.File("mixed/bad1.jpg"));
  Touch(program.File("mixed/bad2.png"));
  Open({program.File("mixed")});
  EXPECT_EQ(form->Playlist().LoadedImage(), "good.png");
  EXPECT_FALSE(form->Vantrel->Picture().Empty());
  EXPECT_TRUE(form->Timer->isActive());
  Pump(50);
  EXPECT_LE(dialogs.MessageTexts().size(), 1);  // at most one preload failed so far
  MakeFast();
  ASSERT_TRUE(WaitUntil([&] { return form->Playlist().ShowingImage() == "good.png"; }));
  ASSERT_TRUE(WaitUntil([&] { return form->Playlist().Pictures() == QStringList{"good.png"}; }));
  EXPECT_FALSE(form->Vantrel->Empty());
}

TEST_F(StartState, MissingStartFolderIsReportedAndTheWindowOpensWithoutPhotos) {
  Open({program.File("nowhere")});
  ASSERT_EQ(dialogs.MessageTexts().size(), 1);
  EXPECT_TRUE(dialogs.MessageTexts()[0].contains("nowhere"));
  EXPECT_TRUE(form->Playlist().Pictures().isEmpty());
  EXPECT_FALSE(form->Timer->isActive());
  EXPECT_TRUE(form->Vantrel->Empty());
}

TEST_F(StartState, FolderArgumentWithSpacesAndRelativeFolderAreUsed) {
  program.MakeFolder("my trip", {"x.png"});
  Open({program.File("my trip")});
  EXPECT_EQ(form->Playlist().Pictures(), QStringList{"x.png"});

  const QString saved = QDir::currentPath();
  QDir::setCurrent(program.Path());
  Open({"my trip"});
  QDir::setCurrent(saved);
  EXPECT_EQ(form->Playlist().PicturesPath(), program.File("my trip"));
  EXPECT_EQ(form->Playlist().LoadedImage(), "x.png");
}

// A photo in place of the folder, as a file manager opens one: its folder
// plays, and that photo comes first, whichever it is and however given.
TEST_F(StartState, PhotoArgumentPlaysItsFolderStartingWithThatPhoto) {
  const QStringList names{"IMG_0041.jpg", "IMG_0042.jpg", "IMG_0043.jpg"};
  program.MakeFolder("holiday", names);
  const QString saved = QDir::currentPath();
  QDir::setCurrent(program.Path());
  QStringList given{"holiday/IMG_0042.jpg"};
  for (const QString& name : names) given << program.File("holiday/" + name);
  for (const QString& photo : given) {
    SCOPED_TRACE(photo.toStdString());
    dialogs.Forget();
    Open({photo});
    EXPECT_TRUE(dialogs.Calls.empty()) << dialogs.MessageTexts().join(" | ").toStdString();
    EXPECT_EQ(form->Playlist().PicturesPath(), program.File("holiday"));
    EXPECT_EQ(form->Playlist().Pictures(), names);
    const QString name = QFileInfo(photo).fileName();
    EXPECT_EQ(form->Playlist().LoadedImage(), name);
    EXPECT_TRUE(form->Timer->isActive());
    Tick();
    EXPECT_EQ(form->Playlist().ShowingImage(), name);
    EXPECT_TRUE(WaitIdle());
  }
  QDir::setCurrent(saved);
}

TEST_F(StartState, FileThatIsNotAPhotoIsReportedAndTheWindowOpensWithoutPhotos) {
  program.MakeFolder("holiday", {"IMG_0041.jpg"});
  Touch(program.File("holiday/notes.txt"), "a list");
  Open({program.File("holiday/notes.txt")});
  ASSERT_EQ(dialogs.MessageTexts().size(), 1);
  EXPECT_EQ(dialogs.MessageTexts()[0], program.File("holiday/notes.txt") + "\n不是可以播放的照片.");
  EXPECT_TRUE(form->Playlist().Pictures().isEmpty());
  EXPECT_FALSE(form->Timer->isActive());
}

TEST_F(StartState, EmptyStartFolderWarnsWithACancelButton) {
  program.MakeFolder("empty");
  Open({program.File("empty")});
  ASSERT_EQ(dialogs.Calls.size(), 1u);
  EXPECT_EQ(dialogs.Calls[0].text, program.File("empty") + "\n找不到包含JPG格式的文件.");
  EXPECT_EQ(dialogs.Calls[0].buttons, std::vector<app::TMessageButton>{app::TMessageButton::Cancel});
  EXPECT_FALSE(form->Timer->isActive());
}

}  // namespace
}  // namespace app_test
