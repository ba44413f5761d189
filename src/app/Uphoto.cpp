#include "app/Uphoto.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QRadioButton>
#include <QScopeGuard>
#include <QSlider>
#include <QTabWidget>
#include <QTimer>
#include <QUrl>
#include <QWheelEvent>

#include "app/album_folder.h"
#include "app/photo_folder.h"
#include "app/up_down.h"
#include "app/window_shape.h"
#include "platform/raster/random.h"
#include "view/vantrel.h"

namespace app {

TPhotosform::TPhotosform(const TFormSetup& setup)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint),
      setup_(setup),
      dialogs_(*setup.Dialogs),
      playlist_(setup.Recursive, [this] { Guarded([this] { PlayingFolderChanged(); }); }),
      preload_(setup.Decoder) {
  if (OutlineNeedsTranslucency()) setAttribute(Qt::WA_TranslucentBackground);
  CreateControls();
  SetDesignValues();
  ConnectHandlers();
  PlaceOnScreen();
  // An error in FormCreate is reported like any other; the window is still made.
  Guarded([this] { FormCreate(this); });
  Guarded([this] { ApplyStartSettings(setup_.Start); });
}

TPhotosform::~TPhotosform() {
  qApp->removeEventFilter(this);
  FormDestroy(this);
}

void TPhotosform::FormCreate(QObject*) {
  // The default background beside the program. When it cannot be loaded the
  // error is reported and start-up goes on: the view keeps its texture, and
  // the photo list and the panel are set up all the same.
  Guarded([this] {
    Vantrel->BgPicture().LoadFromFile(
        QFile::encodeName(JoinPath(setup_.ProgramDir, QStringLiteral("1002.jpg"))).toStdString());
  });
  raster::Randomize();
  QStringList styleNames;
  Vantrel->GetStyleNames(styleNames);
  cbStyle->addItems(styleNames);

  // The view's values into the settings controls. Setting a check box or a
  // radio button to a new state runs its click handler, as a click would;
  // selecting combo-box lines from the program raises nothing.
  cbStyle->setCurrentIndex(Vantrel->Style() - 1);
  rbProgressAuto->setChecked(!Vantrel->Manual());
  rbProgressManual->setChecked(Vantrel->Manual());
  udProgressStep->SetPosition(Vantrel->Step());
  udProgressDelay->SetPosition(Vantrel->Delay());
  ckExactTiming->setChecked(Vantrel->ExactTiming());
  ckThreaded->setChecked(Vantrel->Threaded());
  tbProgress->setValue(Vantrel->Progress());
  ckOverDraw->setChecked(Vantrel->OverDraw());
  ckCenter->setChecked(Vantrel->Center());
  ckStretch->setChecked(Vantrel->Stretch());
  ckProportional->setChecked(Vantrel->Proportional());
  cbBackgroundMode->setCurrentIndex(Vantrel->BgMode());
  udFrameWidth->SetPosition(Vantrel->FrameWidth());
  tbDisplayInterval->setValue(Timer->interval());

  tbProgress->setRange(0, 100);
  tbProgress->setTickInterval(10);

  // A photo stands for its folder, as a file manager opens one.
  const QString start = StartFolder();
  if (QFileInfo(start).isFile()) {
    StartWithPhoto(start);
  } else {
    CreateImageList(start);
  }
  CheckTimer();
}

// The first command-line argument (a folder or a photo), resolved once against the working folder
// when relative; otherwise the album folder.
QString TPhotosform::StartFolder() const {
  if (!setup_.Arguments.isEmpty()) {
    const QString& given = setup_.Arguments.constFirst();
    return QDir::isRelativePath(given) && !given.isEmpty() ? QDir::current().absoluteFilePath(given) : given;
  }
  // The folder played last, while it is still there.
  if (setup_.Start.Folder && QFileInfo(*setup_.Start.Folder).isDir()) return *setup_.Start.Folder;
  return FindAlbumFolder(setup_.AlbumHome);
}

void TPhotosform::FormShow(QObject*) { setMask(RoundedWindowShape()); }

void TPhotosform::FormClose(QObject*, TCloseAction& Action) {
  Action = TCloseAction::Free;
  dialogs_.OpenUrl(QUrl::fromLocalFile(JoinPath(setup_.ProgramDir, kMakerPageName)));
}

void TPhotosform::FormDestroy(QObject*) {
  // The view goes first, while the handlers it might call are still whole;
  // destroyed, it stops a running transition without raising events.
  if (Vantrel) {
    if (IsFullScreen()) cursorDisplay_.Show(true);
    delete Vantrel;
    Vantrel = nullptr;
  }
}

void TPhotosform::SpeedButton1Click(QObject*) {
  const TMessageButton answer = dialogs_.Message(
      this, {tr("温馨提示"), tr("是否退出相册"), TMessageIcon::None, {TMessageButton::Yes, TMessageButton::No}});
  if (answer == TMessageButton::Yes) close();
}

void TPhotosform::YJSZClick(QObject*) {
  PageControl->show();
  PageControl->raise();
}

void TPhotosform::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  Guarded([this] { FormShow(this); });
  if (startFullScreen_) {
    startFullScreen_ = false;
    QTimer::singleShot(0, this, [this] { Guarded([this] { SetFullScreen(true); }); });
  }
}

void TPhotosform::closeEvent(QCloseEvent* event) {
  TCloseAction action = TCloseAction::Hide;
  Guarded([&] { FormClose(this, action); });
  if (action == TCloseAction::None) {
    event->ignore();
    return;
  }
  event->accept();
}

bool TPhotosform::IsOwnKeyTarget(QObject* watched) const {
  const auto* widget = qobject_cast<const QWidget*>(watched);
  if (!widget) return false;
  const QWidget* window = widget->window();
  return window == this || (Vantrel && window == Vantrel);
}

bool TPhotosform::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && IsOwnKeyTarget(watched)) {
    auto* keyEvent = static_cast<QKeyEvent*>(event);
    int key = keyEvent->key();
    Guarded([&] { FormKeyDown(watched, key, keyEvent->modifiers()); });
    if (key != 0) Guarded([&] { key = SlideshowKeyDown(watched, *keyEvent) ? 0 : key; });
    if (key == 0) return true;  // used up
  }
  // Drops come to the window, or to the view over the photo and in full screen.
  if ((watched == this || (Vantrel && watched == Vantrel)) && IsDropEvent(*event)) {
    DropEvent(*static_cast<QDropEvent*>(event));
    return true;
  }
  // The wheel over the photo steps the show; over the panel's controls it
  // stays theirs (they lie beside the view, not in it).
  if (watched == Vantrel && event->type() == QEvent::Wheel) {
    bool used = false;
    Guarded([&] { used = SlideshowWheel(*static_cast<QWheelEvent*>(event)); });
    if (used) return true;
  }
  if (watched == Vantrel && event->type() == QEvent::MouseButtonDblClick &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    Guarded([this] { VantrelDblClick(Vantrel); });
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

// One error box at a time: an error that comes while one is open (a modal
// box runs the event loop) waits for it to close, and all that came
// meanwhile are shown together in the next one.
void TPhotosform::ShowError(const QString& text) {
  errorsToShow_ << text;
  if (errorBoxOpen_) return;
  errorBoxOpen_ = true;
  const auto closed = qScopeGuard([this] { errorBoxOpen_ = false; });
  while (!errorsToShow_.isEmpty()) {
    const QString shown = ErrorBoxText(errorsToShow_);
    errorsToShow_.clear();
    dialogs_.Message(this, {QCoreApplication::applicationName(), shown, TMessageIcon::Error, {TMessageButton::Ok}});
  }
}

// The first few errors, one a line, and how many more there were.
QString TPhotosform::ErrorBoxText(const QStringList& errors) {
  constexpr qsizetype kShownErrors = 5;
  QString text = errors.mid(0, kShownErrors).join(u'\n');
  if (errors.size() > kShownErrors) text += u'\n' + tr("另有 %1 个错误").arg(errors.size() - kShownErrors);
  return text;
}

}  // namespace app
