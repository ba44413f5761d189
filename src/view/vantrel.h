#pragma once
#include <QStringList>
#include <QWidget>
#include <atomic>
#include <deque>
#include <memory>
#include <mutex>
#include <variant>

#include "view/custom_vantrel.h"
#include "view/note_overlay.h"

class QTimer;

namespace view {

class TWindowSurface;

// The transition view as a Qt widget: one widget to place, re-parent for full
// screen and drive. Every property, event and operation of the run-time
// (TCustomVantrel) is available on it directly:
//
//   view.Picture().LoadFromFile("next.jpg");   // throws on failure
//   view.SetStyle(12); view.SetOnStop([](TCustomVantrel&) { ... });
//   view.Execute();
//
// OnStart, OnProgress, OnComplete, OnStop, OnChange and the mouse events run
// on the GUI thread; OnBeforeNewFrame, OnCustomDraw and OnAfterNewFrame run
// on the thread that renders the frame (the timer thread in threaded mode).
//
// On X11 the widget is a native window and the timer thread puts every frame
// on it directly, so frames keep coming while the GUI thread is busy; on other
// platforms (offscreen) frames reach the screen as posted paints.
//
// The run-time works in device pixels: under a device-pixel ratio above 1 the
// client area it places and renders is the widget's size times that ratio.
class TVantrel : public QWidget, public TCustomVantrel {
  Q_OBJECT

 public:
  explicit TVantrel(QWidget* parent = nullptr);
  ~TVantrel() override;

  using TCustomVantrel::GetStyleNames;
  int GetStyleNames(QStringList& Names) const;

  // Destroys the native window only (the control lives on): a running
  // transition stops with OnStop. The window is created again when needed.
  void DestroyHandle();
  // Whether frames are put on screen from the rendering thread.
  bool DrawsFromAnyThread() const;

  QPaintEngine* paintEngine() const override;

  // Shows a short note over the view (see TNoteOverlay) for about two
  // seconds, then fades it out. It is laid over what the view paints and over
  // each transition frame as it reaches the screen, never into the pictures
  // of the transition.
  void ShowNote(const QString& text);
  // The note now on screen (fading counts), or nothing.
  QString NoteText() const;
  // Where the note lies in the widget (logical pixels); empty when there is none.
  QRect NoteRect() const;

 protected:
  bool event(QEvent* e) override;
  void paintEvent(QPaintEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void enterEvent(QEnterEvent* e) override;
  void leaveEvent(QEvent* e) override;

  bool HandleAllocated() const override;
  void HandleNeeded() override;
  void Invalidate() override;
  void InvalidateRect(const raster::Rect& r) override;
  void ValidateRect(const raster::Rect& r) override;
  void PutFrameOnScreen(const raster::Bitmap& Frame, const raster::Rect& PicRect,
                        const raster::Rect& DisplayRect) override;
  void PostTransitionMessage(const TTransitionMessage& Msg) override;
  void ProcessMessages() override;
  void AdjustSize() override;

 private:
  // Points the frame surface at the native window the widget has now; Qt
  // replaces that window when the widget becomes or stops being a window of
  // its own. Window thread.
  void FollowNativeWindow();
  void DropSurface();
  uint32_t CurrentNativeWindow() const;
  // The client area in device pixels, and conversions of rectangles to and
  // from Qt's logical pixels (rounded outwards).
  QSize DeviceSize() const;
  raster::Rect ToDevice(const QRect& logical) const;
  QRect ToLogical(const raster::Rect& device) const;
  // Steps the note's fading: repaints it while it fades, drops it when gone.
  void FadeNote();
  // Puts a frame with the note laid over it (under the view lock, any thread).
  void PutFrameWithNote(const raster::Bitmap& Frame, const raster::Rect& PicRect, const raster::Rect& DisplayRect,
                        int opacity) REQUIRES(CS());
  // Posting to the window thread: the item waits in posted_ and a bare
  // wake-up event makes the window thread take the oldest one, so items are
  // handled in the order posted and their content passes through our lock.
  using TPosted = std::variant<TTransitionMessage, raster::Rect>;
  void Post(TPosted item);
  void HandleOnePosted();

  const bool nativeDrawing_;  // X11: frames go straight to the native window
  std::atomic<bool> handleAllocated_{false};
  std::unique_ptr<TWindowSurface> surface_;  // guarded by the view lock
  uint32_t surfaceWindow_ = 0;  // the window surface_ draws on; guarded by the view lock
  raster::Bitmap paintBuffer_;  // the client area as painted last
  TNoteOverlay note_ GUARDED_BY(CS());
  raster::Bitmap frameWithNote_ GUARDED_BY(CS());  // a frame with the note over it, as sent
  QTimer* noteTimer_;  // steps the note's fading
  std::mutex postedMutex_;
  std::deque<TPosted> posted_;
};

}  // namespace view
