#pragma once
#include <QColor>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <exception>

#include "app/cursor_display.h"
#include "app/dialogs.h"
#include "app/jpg_folder_copy.h"
#include "app/photo_playlist.h"
#include "app/photo_preload.h"
#include "app/show_commands.h"
#include "app/show_settings.h"
#include "app/start_settings.h"
#include "export/export_settings.h"
#include "view/vantrel_types.h"

class QAction;
class QCheckBox;
class QComboBox;
class QDropEvent;
class QFrame;
class QKeyEvent;
class QWheelEvent;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QSlider;
class QTabWidget;
class QTimer;
class QToolButton;

namespace raster {
class Bitmap;
}
namespace view {
class TCustomVantrel;
class TVantrel;
}  // namespace view

namespace app {

class TExportVideoJob;
class TRadioGroup;
class TStatusBar;
class TUpDown;

// Sets the text of a right-aligned label, which keeps its right edge and grows
// to the left when the text needs more room than its designed width.
void SetRightAlignedCaption(QLabel* label, const QString& text);

// Where the window finds what lies beside the program, and how it asks.
struct TFormSetup {
  QString ProgramDir;  // the program's own files: 1002.jpg, the web page
  QString AlbumHome;  // the folder that holds the album folder Photos
  QStringList Arguments;  // command-line arguments after the program's name
  TDialogs* Dialogs = nullptr;
  TStartSettings Start;  // remembered settings and command-line options, applied after FormCreate
  bool Recursive = false;  // play the photos of sub-folders too
  TPhotoPreload::TDecoder Decoder;  // how photos are decoded ahead; platform::DecodePicture when empty
};

// The colour chooser's state between two runs of it.
struct TColorDialogState {
  QColor Color;
};

// The main window: a borderless, rounded 1200 x 850 window showing the device
// picture with the transition view in its screen, the settings panel over the
// view, and the photo cycle that feeds the view. The show itself (photo list,
// settings) lives in TPhotoPlaylist and TShowSettings; the window's controls
// show them and its handlers delegate to them.
//
// Threads. Everything here runs on the window thread, except:
// - the preload worker (preload_) decodes the photo to come next; it touches
//   nothing of the window and reports only by a call posted to this thread;
// - the export worker (exportJob_) renders a video from the export settings
//   it was given, drawing from a generator state of its own, and reports by
//   posted calls;
// - the view's timer thread renders threaded transitions (see view::TVantrel);
//   a progress it reports from there is re-posted to this thread.
// Re-entry: an unthreaded transition runs a nested event loop inside
// Execute (and a modal message box does too), so timer ticks are off while a
// transition runs, but keys, panel handlers and folder changes may run
// nested inside ShowNextImage or a handler that shows a message.
class TPhotosform : public QWidget, public TShowCommands {
  Q_OBJECT

 public:
  static constexpr int kClientWidth = 1200;
  static constexpr int kClientHeight = 850;

  explicit TPhotosform(const TFormSetup& setup);
  ~TPhotosform() override;

  // --- controls, in the order of the window description ---
  QTimer* Timer;
  TOpenPictureRequest OpenPictureDialog;
  TColorDialogState ColorDialog;
  QLabel* Image1;
  QMenu* PopupMenu1;
  QAction* YJSZ;
  QAction* N2;
  QAction* N3;
  QWidget* Panel2;
  QToolButton* SpeedButton1;
  QFrame* Panel1;
  view::TVantrel* Vantrel;
  QTabWidget* PageControl;
  // TabSheet1: photo effect settings
  QWidget* TabSheet1;
  QLabel* lblStyle;
  QLabel* lblStyleNo;
  QComboBox* cbStyle;
  TRadioGroup* rgStyleControl;
  QGroupBox* gbProgressControl;
  QRadioButton* rbProgressAuto;
  QLabel* lblProgressStep;
  QLineEdit* edtProgressStep;
  TUpDown* udProgressStep;
  QLabel* lblProgressDelay;
  QLineEdit* edtProgressDelay;
  TUpDown* udProgressDelay;
  QCheckBox* ckExactTiming;
  QCheckBox* ckThreaded;
  QRadioButton* rbProgressManual;
  QSlider* tbProgress;
  QPushButton* Button2;
  // TabSheet2: layout settings
  QWidget* TabSheet2;
  QGroupBox* gbImagePlacement;
  QCheckBox* ckCenter;
  QCheckBox* ckStretch;
  QCheckBox* ckProportional;
  QGroupBox* gbBackground;
  QLabel* lblBackgroundMode;
  QComboBox* cbBackgroundMode;
  QPushButton* btnChangeBackground;
  QGroupBox* gbFrame;
  QLabel* lblFrameWidth;
  QLineEdit* edtFrameWidth;
  TUpDown* udFrameWidth;
  QPushButton* btnChangeFrameColor;
  QPushButton* Button3;
  // TabSheet3: photo folder
  QWidget* TabSheet3;
  QPushButton* btnChangePath;
  QLabel* lblDisplayInterval;
  QLabel* lblDisplayIntervalValue;
  QSlider* tbDisplayInterval;
  QCheckBox* ckOverDraw;
  QPushButton* Button1;
  TStatusBar* StatusBar;
  QPushButton* Button4;
  QPushButton* Button5;

  // --- handlers of the window (Sender first) ---
  void FormCreate(QObject* Sender);
  void FormShow(QObject* Sender);
  enum class TCloseAction { None, Hide, Free, Minimize };
  void FormClose(QObject* Sender, TCloseAction& Action);
  void FormDestroy(QObject* Sender);
  void FormKeyDown(QObject* Sender, int& Key, Qt::KeyboardModifiers Shift);
  void SpeedButton1Click(QObject* Sender);
  void YJSZClick(QObject* Sender);
  void N2Click(QObject* Sender);
  // video export, in Uphoto_export.cpp
  void N3Click(QObject* Sender);
  // The export settings that match the panel: the folder playing, the display
  // interval, the transition time of one step every Delay, the style order.
  video_export::ExportSettings ExportProposal() const;
  // photo cycle
  void TimerTimer(QObject* Sender);
  void VantrelStart(QObject* Sender, raster::Bitmap& Picture, raster::Bitmap& Screen);
  void VantrelStop(QObject* Sender);
  void VantrelProgress(QObject* Sender);
  void VantrelDblClick(QObject* Sender);
  void cbStyleChange(QObject* Sender);
  void tbDisplayIntervalChange(QObject* Sender);
  // settings panel
  void Button1Click(QObject* Sender);
  void rbProgressAutoClick(QObject* Sender);
  void rbProgressManualClick(QObject* Sender);
  void tbProgressChange(QObject* Sender);
  void edtProgressStepChange(QObject* Sender);
  void edtProgressDelayChange(QObject* Sender);
  void ckExactTimingClick(QObject* Sender);
  void ckThreadedClick(QObject* Sender);
  void ckOverDrawClick(QObject* Sender);
  void ckCenterClick(QObject* Sender);
  void ckStretchClick(QObject* Sender);
  void ckProportionalClick(QObject* Sender);
  void cbBackgroundModeChange(QObject* Sender);
  void btnChangeBackgroundClick(QObject* Sender);
  void edtFrameWidthChange(QObject* Sender);
  void btnChangeFrameColorClick(QObject* Sender);
  // album commands
  void btnChangePathClick(QObject* Sender);
  void Button5Click(QObject* Sender);
  void Button4Click(QObject* Sender);
  TCopyReport DoCopyDir(const QString& sDirName, const QString& sToDirName);

  // The view's hint, shown while ShowHint is on, in the user's language.
  static QString VantrelHint();
  // The maker's web page, beside the program.
  static const QString kMakerPageName;
  bool VantrelShowHint() const { return vantrelShowHint_; }
  const TCursorDisplay& CursorDisplay() const { return cursorDisplay_; }

  // The settings to remember: every choice of the settings panel, the folder
  // played, the window's position and whether the view is in full screen.
  TStartSettings RememberedSettings();

  // The show's settings as they are now.
  const TShowSettings& Settings() const { return settings_; }

  // The show's photos: the folder playing, the photo on screen, the one to
  // come next and the history.
  const TPhotoPlaylist& Playlist() const { return playlist_; }
  // Whether the photo chosen to come next is still being decoded.
  bool PreloadPending() const { return preload_.Pending(); }

  // The show's commands, in Uphoto_commands.cpp.
  void ShowNext() override;
  void ShowPrevious() override;
  void ShowFirst() override;
  void SetPaused(bool paused) override;
  bool Paused() const override;
  void SetFullScreen(bool Active) override;
  bool IsFullScreen() const override;
  void ChangeInterval(int direction) override;
  void PlayFolder(const QString& folder) override;
  void PlayPhoto(const QString& photo) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  // construction, in Uphoto_controls.cpp
  void CreateControls();
  void CreateViewArea();
  void CreateEffectPage();
  void CreateLayoutPage();
  void CreateFolderPage();
  void SetDesignValues();
  void ConnectHandlers();
  void PlaceOnScreen();

  // photo cycle, in Uphoto_cycle.cpp
  void CreateImageList(const QString& Path);
  QString PlayFolderOf(const QString& photo);
  void StartWithPhoto(const QString& photo);
  void LoadNextImage();
  void PreloadAnother();
  void AdoptPreloadedPhoto(bool wait);
  void SettlePreload();
  void ReportPreloadError();
  void StartPreload(const QString& name);
  void DropPicture(const QString& name);
  void ShowPhotoCount();
  void ReportErrorLater(const QString& text);
  void ShowNextImage();
  void CheckTimer();
  void SetTimerEnabled(bool enabled);

  // drops, in Uphoto_drop.cpp
  static bool IsDropEvent(const QEvent& event);
  void DropEvent(QDropEvent& event);

  // full screen, in Uphoto_fullscreen.cpp
  void SetVantrelShowHint(bool show);

  // settings panel helpers, in Uphoto_panel.cpp
  void SetAutoPlayControlsEnabled(bool enabled);
  void SetFrameColor(const QColor& color);

  // keys, in Uphoto_keys.cpp
  // Handles a key of the slideshow; false for any other key.
  bool SlideshowKeyDown(QObject* Sender, const QKeyEvent& event);
  // Steps by the wheel turned over the photo; false when it is not the show's.
  bool SlideshowWheel(const QWheelEvent& event);
  QString FinishTransition();
  // Brings `name` on screen now with a transition; without a name, the photo preloaded.
  void ShowPhotoNow(const QString& name);
  void PreloadPhoto(const QString& name);
  QString PhotoOnScreen() const;
  bool TransitionWaitingAtStart() const;
  void KeepPaused();
  void ShowKeyNote(const QString& extra);

  // the folder playing kept current
  void PlayingFolderChanged();

  // start settings, in Uphoto_settings.cpp
  void ApplyStartSettings(const TStartSettings& settings);
  void StartWithStyle(int style);
  void MoveIfOnScreen(const QPoint& position);
  view::TBackgroundMode SelectedBackgroundMode() const;

  // album helpers, in Uphoto_album.cpp
  QString AlbumFolder() const;
  void ShowMessage(const QString& text);

  // The top-level handler: an error that ends a handler is shown in an error
  // message box, and the program goes on.
  template <class Handler>
  void Guarded(Handler&& handler) {
    try {
      handler();
    } catch (const std::exception& error) {
      ShowError(QString::fromUtf8(error.what()));
    }
  }
  void ShowError(const QString& text);
  static QString ErrorBoxText(const QStringList& errors);
  QStringList errorsToShow_;  // failures waiting for the error box on screen to close
  bool errorBoxOpen_ = false;
  QString StartFolder() const;
  bool IsOwnKeyTarget(QObject* watched) const;

  TFormSetup setup_;
  TDialogs& dialogs_;
  TCursorDisplay cursorDisplay_;
  bool vantrelShowHint_ = true;
  int wheelTurn_ = 0;  // the wheel's turn over the photo not yet a whole notch
  bool shaped_ = false;
  bool startFullScreen_ = false;  // full screen once the window is first shown

  // --- the show ---
  TShowSettings settings_;
  TPhotoPlaylist playlist_;
  QString preloadError_;  // the first load error since the photo to come next was chosen

  // --- the video export running, if any ---
  TExportVideoJob* exportJob_ = nullptr;

  // Last, so that it goes first: a decode still running is waited for before
  // anything it reports to is gone.
  TPhotoPreload preload_;
};

}  // namespace app
