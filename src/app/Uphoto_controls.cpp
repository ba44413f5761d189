// Building the main window: its controls with their names, bounds, texts and
// design values, and the bindings of their events to the handlers.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFrame>
#include <QGroupBox>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSlider>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <algorithm>

#include "app/Uphoto.h"
#include "app/frame_drag.h"
#include "app/image_bitmap.h"
#include "app/picture_dialog.h"
#include "app/radio_group.h"
#include "app/status_bar.h"
#include "app/up_down.h"
#include "app/window_placement.h"
#include "view/vantrel.h"

namespace app {
namespace {

template <class TControl, class... Args>
TControl* Make(QWidget* parent, const char* name, const QRect& bounds, Args&&... args) {
  auto* control = new TControl(std::forward<Args>(args)..., parent);
  control->setObjectName(QString::fromLatin1(name));
  control->setGeometry(bounds);
  return control;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const QRect& bounds, const QString& caption,
                  Qt::Alignment alignment = Qt::AlignLeft) {
  auto* label = Make<QLabel>(parent, name, bounds, caption);
  label->setAlignment(alignment | Qt::AlignVCenter);
  // Labels size themselves to their text, as the designed widths were made for
  // another font; a left-aligned one grows to the right.
  if (alignment & Qt::AlignLeft) label->resize(std::max(bounds.width(), label->sizeHint().width()), bounds.height());
  return label;
}

QSlider* MakeTrackBar(QWidget* parent, const char* name, const QRect& bounds, int min, int max, int tick) {
  auto* bar = Make<QSlider>(parent, name, bounds, Qt::Horizontal);
  bar->setRange(min, max);
  bar->setTickPosition(QSlider::TicksBelow);
  bar->setTickInterval(tick);
  return bar;
}

TUpDown* MakeUpDown(QWidget* parent, const char* name, const QRect& bounds, QLineEdit* box, int min, int max,
                    int increment) {
  auto* upDown = Make<TUpDown>(parent, name, bounds);
  upDown->SetRange(min, max);
  upDown->SetIncrement(increment);
  upDown->SetAssociate(box);
  return upDown;
}

// The caption of the OK buttons of the three pages.
QString OkCaption() { return QCoreApplication::translate("app::TPhotosform", "确    定"); }

}  // namespace

QString TPhotosform::VantrelHint() { return tr("右键设置播放器，双击照片全屏播放，ESC返回,"); }
const QString TPhotosform::kMakerPageName = QStringLiteral("maker.html");

// A right-aligned label keeps its right edge and grows to the left when its
// text needs more room than its designed width.
void SetRightAlignedCaption(QLabel* label, const QString& text) {
  if (!label->property("designWidth").isValid()) label->setProperty("designWidth", label->width());
  label->setText(text);
  const int width = std::max(label->property("designWidth").toInt(), label->sizeHint().width());
  const int right = label->geometry().right();
  label->setGeometry(right - width + 1, label->y(), width, label->height());
}

void TPhotosform::CreateControls() {
  setObjectName(QStringLiteral("Photosform"));
  setWindowTitle(QStringLiteral("TVantrel - Demo"));
  setFixedSize(kClientWidth, kClientHeight);
  QFont font;
  font.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("WenQuanYi Micro Hei")});
  font.setPixelSize(11);
  setFont(font);

  Timer = new QTimer(this);
  Timer->setObjectName(QStringLiteral("Timer"));
  Timer->setInterval(3000);
  OpenPictureDialog = {QStringLiteral("Select Background Image"), ReadablePictureFilters()};

  CreateViewArea();
  PageControl = Make<QTabWidget>(Panel1, "PageControl", QRect(304, 64, 297, 449));
  PageControl->setAutoFillBackground(true);  // it lies over the view: nothing of it may stay unpainted
  PageControl->setAttribute(Qt::WA_StyledBackground);
  CreateEffectPage();
  CreateLayoutPage();
  CreateFolderPage();
  PageControl->setCurrentWidget(TabSheet3);
  PageControl->hide();

  StatusBar = Make<TStatusBar>(Panel1, "StatusBar",
                               QRect(Panel1->contentsRect().topLeft(), QSize(Panel1->contentsRect().width(), 0)));
  StatusBar->hide();

  PopupMenu1 = new QMenu(this);
  PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
  PopupMenu1->setFont(font);  // a menu is a window of its own: fonts do not reach it from the form
  YJSZ = PopupMenu1->addAction(tr("播放设置"));
  YJSZ->setObjectName(QStringLiteral("YJSZ"));
  N2 = PopupMenu1->addAction(tr("全屏/返回"));
  N2->setObjectName(QStringLiteral("N2"));
  N3 = PopupMenu1->addAction(tr("导出视频..."));
  N3->setObjectName(QStringLiteral("N3"));
}

void TPhotosform::CreateViewArea() {
  Image1 = Make<QLabel>(this, "Image1", QRect(0, 0, kClientWidth, kClientHeight));
  Image1->setPixmap(QPixmap(QStringLiteral(":/pictures/device.png")));
  Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  Panel2 = Make<QWidget>(this, "Panel2", QRect(0, 0, kClientWidth, kClientHeight));
  SpeedButton1 = Make<QToolButton>(Panel2, "SpeedButton1", QRect(1104, 389, 70, 67));
  SpeedButton1->setAutoRaise(true);
  SpeedButton1->setFocusPolicy(Qt::NoFocus);

  Panel1 = Make<QFrame>(Panel2, "Panel1", QRect(104, 80, 994, 684));
  Panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
  Panel1->setLineWidth(1);
  Panel1->setAutoFillBackground(true);
  Panel1->setContextMenuPolicy(Qt::CustomContextMenu);

  Vantrel = Make<view::TVantrel>(Panel1, "Vantrel", Panel1->contentsRect());
  Vantrel->setContextMenuPolicy(Qt::CustomContextMenu);

  // The device frame around the photo panel moves the window where the
  // compositor places windows.
  new TFrameDrag(Panel2, Panel1);
}

void TPhotosform::CreateEffectPage() {
  TabSheet1 = new QWidget;
  TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
  PageControl->addTab(TabSheet1, tr("照片特效设置"));

  lblStyle = MakeLabel(TabSheet1, "lblStyle", QRect(8, 8, 48, 13), tr("展示类型"));
  lblStyle->hide();
  lblStyleNo = MakeLabel(TabSheet1, "lblStyleNo", QRect(253, 8, 28, 13), QString(), Qt::AlignRight);
  SetRightAlignedCaption(lblStyleNo, QStringLiteral("[ #0 ]"));
  cbStyle = Make<QComboBox>(TabSheet1, "cbStyle", QRect(8, 24, 273, 21));
  cbStyle->hide();
  rgStyleControl = Make<TRadioGroup>(TabSheet1, "rgStyleControl", QRect(9, 51, 273, 105), tr("展示方式设置"),
                                     QStringList{tr("按特效顺序"), tr("随机特效"), tr("不需要特效")});
  rgStyleControl->SetItemIndex(0);

  gbProgressControl = Make<QGroupBox>(TabSheet1, "gbProgressControl", QRect(8, 172, 273, 213), tr("播放设置"));
  rbProgressAuto = Make<QRadioButton>(gbProgressControl, "rbProgressAuto", QRect(16, 24, 241, 17), tr("自动播放"));
  lblProgressStep = MakeLabel(gbProgressControl, "lblProgressStep", QRect(42, 50, 98, 13), tr("特效生成时间 (%):"));
  // The number boxes are wide enough for "1,000" in the delay box; the others line up with it.
  edtProgressStep = Make<QLineEdit>(gbProgressControl, "edtProgressStep", QRect(198, 46, 43, 21));
  udProgressStep = MakeUpDown(gbProgressControl, "udProgressStep", QRect(241, 46, 16, 21), edtProgressStep, 1, 25, 1);
  lblProgressDelay = MakeLabel(gbProgressControl, "lblProgressDelay", QRect(42, 78, 73, 13), tr("切换时间(ms):"));
  edtProgressDelay = Make<QLineEdit>(gbProgressControl, "edtProgressDelay", QRect(198, 74, 43, 21));
  udProgressDelay =
      MakeUpDown(gbProgressControl, "udProgressDelay", QRect(241, 74, 16, 21), edtProgressDelay, 5, 1000, 5);
  ckExactTiming = Make<QCheckBox>(gbProgressControl, "ckExactTiming", QRect(40, 103, 215, 17), tr("保持定时"));
  ckThreaded = Make<QCheckBox>(gbProgressControl, "ckThreaded", QRect(40, 128, 215, 16), tr("运用多线程处理图片"));
  rbProgressManual = Make<QRadioButton>(gbProgressControl, "rbProgressManual", QRect(16, 156, 241, 17), tr("停止播放"));
  tbProgress = MakeTrackBar(gbProgressControl, "tbProgress", QRect(27, 174, 237, 29), 0, 100, 10);
  tbProgress->setPageStep(5);
  Button2 = Make<QPushButton>(TabSheet1, "Button2", QRect(93, 391, 97, 26), OkCaption());
}

void TPhotosform::CreateLayoutPage() {
  TabSheet2 = new QWidget;
  TabSheet2->setObjectName(QStringLiteral("TabSheet2"));
  PageControl->addTab(TabSheet2, tr("布局设置"));

  gbImagePlacement = Make<QGroupBox>(TabSheet2, "gbImagePlacement", QRect(8, 8, 196, 103), tr("图片展示方式"));
  ckCenter = Make<QCheckBox>(gbImagePlacement, "ckCenter", QRect(16, 24, 164, 17), tr("中心"));
  ckStretch = Make<QCheckBox>(gbImagePlacement, "ckStretch", QRect(16, 48, 164, 17), tr("铺满"));
  ckProportional = Make<QCheckBox>(gbImagePlacement, "ckProportional", QRect(16, 72, 164, 17), tr("保持比例"));

  gbBackground = Make<QGroupBox>(TabSheet2, "gbBackground", QRect(8, 122, 196, 113), tr("背景设置"));
  lblBackgroundMode = MakeLabel(gbBackground, "lblBackgroundMode", QRect(16, 24, 72, 13), tr("背景展示方式"));
  cbBackgroundMode = Make<QComboBox>(gbBackground, "cbBackgroundMode", QRect(16, 40, 164, 21));
  cbBackgroundMode->addItems(
      {QStringLiteral("None"), QStringLiteral("Tile"), QStringLiteral("Stretch"), QStringLiteral("Center")});
  btnChangeBackground =
      Make<QPushButton>(gbBackground, "btnChangeBackground", QRect(16, 72, 164, 25), tr("设置播放背景的图片"));

  gbFrame = Make<QGroupBox>(TabSheet2, "gbFrame", QRect(8, 248, 273, 89), tr("镶边"));
  lblFrameWidth = MakeLabel(gbFrame, "lblFrameWidth", QRect(16, 24, 48, 13), tr("线条粗细"));
  edtFrameWidth = Make<QLineEdit>(gbFrame, "edtFrameWidth", QRect(198, 20, 43, 21));
  udFrameWidth = MakeUpDown(gbFrame, "udFrameWidth", QRect(241, 20, 16, 21), edtFrameWidth, 0, 10, 1);
  btnChangeFrameColor = Make<QPushButton>(gbFrame, "btnChangeFrameColor", QRect(16, 48, 241, 25), tr("线条颜色选择"));
  Button3 = Make<QPushButton>(TabSheet2, "Button3", QRect(93, 379, 97, 26), OkCaption());
}

void TPhotosform::CreateFolderPage() {
  TabSheet3 = new QWidget;
  TabSheet3->setObjectName(QStringLiteral("TabSheet3"));
  PageControl->addTab(TabSheet3, tr("设置照片的目录"));

  Button5 =
      Make<QPushButton>(TabSheet3, "Button5", QRect(0, 3, 270, 37), tr("方式一：拷贝文件夹下宝宝照片进入相册播放"));
  btnChangePath = Make<QPushButton>(TabSheet3, "btnChangePath", QRect(0, 46, 283, 35),
                                    tr("方式二：直接选择您电脑上的照片进行播放"));
  lblDisplayInterval = MakeLabel(TabSheet3, "lblDisplayInterval", QRect(3, 104, 132, 13), tr("设置几秒播放下一张图片"));
  lblDisplayIntervalValue =
      MakeLabel(TabSheet3, "lblDisplayIntervalValue", QRect(226, 104, 45, 13), QString(), Qt::AlignRight);
  SetRightAlignedCaption(lblDisplayIntervalValue, tr("[ 3.0 秒 ]"));
  tbDisplayInterval = MakeTrackBar(TabSheet3, "tbDisplayInterval", QRect(1, 123, 285, 29), 500, 9500, 500);
  tbDisplayInterval->setSingleStep(500);
  tbDisplayInterval->setPageStep(500);
  tbDisplayInterval->setValue(3000);
  ckOverDraw = Make<QCheckBox>(TabSheet3, "ckOverDraw", QRect(16, 180, 273, 17),
                               QStringLiteral("Over Draw Images (same size only)"));
  ckOverDraw->hide();
  Button4 = Make<QPushButton>(TabSheet3, "Button4", QRect(160, 237, 105, 25), tr("删除演示的照片"));
  Button1 = Make<QPushButton>(TabSheet3, "Button1", QRect(93, 374, 97, 26), OkCaption());
}

// The view's values as the window description sets them.
void TPhotosform::SetDesignValues() {
  SetVantrelShowHint(true);
  Vantrel->SetColor(0x000000);  // black
  const QImage texture(QStringLiteral(":/pictures/texture.jpg"));
  if (!texture.isNull()) Vantrel->BgPicture().SetGraphic(BitmapFromImage(texture));
  Vantrel->SetBgMode(view::bmTiled);
  Vantrel->SetCenter(true);
  Vantrel->SetProportional(true);
  Vantrel->SetStretch(false);
  Vantrel->SetFrameWidth(1);
  Vantrel->SetFrameColor(0x808080);  // grey 128, 128, 128
  Vantrel->SetDelay(30);
  Vantrel->SetStep(3);
  Vantrel->SetExactTiming(true);
  Vantrel->SetStyle(0);
  Vantrel->SetThreaded(true);
  Vantrel->SetOverDraw(true);
  Vantrel->SetManual(false);
  Vantrel->SetReverse(false);
  Vantrel->SetAlign(view::alClient);
}

void TPhotosform::ConnectHandlers() {
  // Every handler runs inside the top-level handler.
  auto bind = [this](auto* sender, auto signal, void (TPhotosform::*handler)(QObject*)) {
    connect(sender, signal, this, [this, sender, handler] { Guarded([&] { (this->*handler)(sender); }); });
  };
  // A radio button's click handler runs when it becomes checked, by the user or the program.
  auto bindChecked = [this](QRadioButton* button, void (TPhotosform::*handler)(QObject*)) {
    connect(button, &QRadioButton::toggled, this, [this, button, handler](bool checked) {
      if (checked) Guarded([&] { (this->*handler)(button); });
    });
  };

  bind(Timer, &QTimer::timeout, &TPhotosform::TimerTimer);
  bind(SpeedButton1, &QToolButton::clicked, &TPhotosform::SpeedButton1Click);
  bind(YJSZ, &QAction::triggered, &TPhotosform::YJSZClick);
  bind(N2, &QAction::triggered, &TPhotosform::N2Click);
  bind(N3, &QAction::triggered, &TPhotosform::N3Click);
  auto popup = [this](QWidget* owner) {
    connect(owner, &QWidget::customContextMenuRequested, this,
            [this, owner](const QPoint& at) { PopupMenu1->popup(owner->mapToGlobal(at)); });
  };
  popup(Panel1);
  popup(Vantrel);

  bind(cbStyle, &QComboBox::activated, &TPhotosform::cbStyleChange);
  // The style order's items hold the values of video_export::StyleOrder.
  for (int item = 0; item < rgStyleControl->Count(); ++item) {
    connect(rgStyleControl->Button(item), &QRadioButton::toggled, this, [this, item](bool checked) {
      if (checked) settings_.Set(&TStartSettings::StyleOrder, static_cast<video_export::StyleOrder>(item));
    });
  }
  bind(tbDisplayInterval, &QSlider::valueChanged, &TPhotosform::tbDisplayIntervalChange);
  bindChecked(rbProgressAuto, &TPhotosform::rbProgressAutoClick);
  bindChecked(rbProgressManual, &TPhotosform::rbProgressManualClick);
  bind(tbProgress, &QSlider::valueChanged, &TPhotosform::tbProgressChange);
  bind(edtProgressStep, &QLineEdit::textChanged, &TPhotosform::edtProgressStepChange);
  bind(edtProgressDelay, &QLineEdit::textChanged, &TPhotosform::edtProgressDelayChange);
  bind(ckExactTiming, &QCheckBox::toggled, &TPhotosform::ckExactTimingClick);
  bind(ckThreaded, &QCheckBox::toggled, &TPhotosform::ckThreadedClick);
  bind(ckOverDraw, &QCheckBox::toggled, &TPhotosform::ckOverDrawClick);
  bind(ckCenter, &QCheckBox::toggled, &TPhotosform::ckCenterClick);
  bind(ckStretch, &QCheckBox::toggled, &TPhotosform::ckStretchClick);
  bind(ckProportional, &QCheckBox::toggled, &TPhotosform::ckProportionalClick);
  bind(cbBackgroundMode, &QComboBox::activated, &TPhotosform::cbBackgroundModeChange);
  bind(btnChangeBackground, &QPushButton::clicked, &TPhotosform::btnChangeBackgroundClick);
  bind(edtFrameWidth, &QLineEdit::textChanged, &TPhotosform::edtFrameWidthChange);
  bind(btnChangeFrameColor, &QPushButton::clicked, &TPhotosform::btnChangeFrameColorClick);
  for (QPushButton* ok : {Button1, Button2, Button3}) bind(ok, &QPushButton::clicked, &TPhotosform::Button1Click);
  bind(btnChangePath, &QPushButton::clicked, &TPhotosform::btnChangePathClick);
  bind(Button5, &QPushButton::clicked, &TPhotosform::Button5Click);
  bind(Button4, &QPushButton::clicked, &TPhotosform::Button4Click);

  // The view's events. An error of OnStart must reach Execute's caller (the
  // view then abandons the transition), so VantrelStart is not guarded here.
  Vantrel->SetOnStart([this](view::TCustomVantrel&, raster::Bitmap& picture, raster::Bitmap& screen) {
    VantrelStart(Vantrel, picture, screen);
  });
  Vantrel->SetOnStop([this](view::TCustomVantrel&) { Guarded([&] { VantrelStop(Vantrel); }); });
  Vantrel->SetOnProgress([this](view::TCustomVantrel&) { Guarded([&] { VantrelProgress(Vantrel); }); });
  // Folders and photos may be dropped on the window and on the view.
  setAcceptDrops(true);
  Vantrel->setAcceptDrops(true);
  Vantrel->installEventFilter(this);  // double clicks, drops
  qApp->installEventFilter(this);  // key preview
}

void TPhotosform::PlaceOnScreen() {
  // A frameless window is not placed by the window manager: centre it here,
  // keeping its top edge and the exit button on screens smaller than it.
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return;
  move(PlaceWindow(size(), screen->availableGeometry(), SpeedButton1->geometry()));
}

}  // namespace app
