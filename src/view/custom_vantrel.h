#pragma once
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/periodic_timer.h"
#include "platform/raster/bitmap.h"
#include "platform/raster/geometry.h"
#include "platform/raster/size.h"
#include "view/canvas.h"
#include "view/picture.h"
#include "view/thread_annotations.h"
#include "view/vantrel_types.h"

namespace view {

// A message the control posts to its own window thread. Handled in the order
// posted by HandleTransitionMessage.
struct TTransitionMessage {
  // Failed: an error on the timer thread ended the steps; `error` says why.
  enum Kind : uint32_t { Completed = 1025, Progress = 1026, Failed = 1027 };
  Kind kind;
  TPercent progress;  // at the time of posting (progress message only)
  uint32_t transition;  // serial of the transition that posted it
  std::string error;
};

// Device capabilities of the periodic timer, in milliseconds.
struct TTimeCaps {
  uint32_t wPeriodMin = 0, wPeriodMax = 0;
};

// The run-time of the transition view, free of any windowing toolkit: it owns
// the pictures, runs one transition at a time (timer thread, a loop on the
// caller's thread, or by hand), renders frames through the effect catalogue,
// places the picture and paints it with background and frame.
//
// What needs a window (its existence, repainting, putting a frame on screen,
// posting to the window thread, the message pump) goes through the protected
// virtual window operations; their defaults describe a control without a
// window. A toolkit adapter (TVantrel) overrides them. A subclass that
// overrides them must call BeginDestroy() first thing in its destructor.
class TCustomVantrel {
 public:
  TCustomVantrel();
  virtual ~TCustomVantrel();
  TCustomVantrel(const TCustomVantrel&) = delete;
  TCustomVantrel& operator=(const TCustomVantrel&) = delete;

  // --- operations (window thread) ---
  virtual void Execute();
  virtual void Stop();
  virtual void Clear();
  // Appends the 172 catalogue names in catalogue order; returns 172.
  int GetStyleNames(std::vector<std::string>& Names) const;

  // --- state ---
  TPercent Progress() const { return fProgress.load(); }
  void SetProgress(TPercent Value);
  bool Busy() const { return fBusy.load(); }
  bool Empty() const { return GetEmpty(); }

  // --- properties ---
  TShowStyle Style() const { return fStyle.load(); }
  void SetStyle(TShowStyle Value);
  std::string StyleName() const { return GetStyleName(); }
  void SetStyleName(const std::string& Value);
  std::string GetStyleName() const;
  uint16_t Step() const { return fStep.load(); }
  void SetStep(uint16_t Value);
  uint16_t Delay() const { return fDelay.load(); }
  void SetDelay(uint16_t Value) { fDelay.store(Value); }
  bool ExactTiming() const { return fExactTiming.load(); }
  void SetExactTiming(bool Value) { fExactTiming.store(Value); }
  bool Threaded() const { return fThreaded.load(); }
  void SetThreaded(bool Value) { fThreaded.store(Value); }
  bool Manual() const { return fManual.load(); }
  void SetManual(bool Value);
  bool Reverse() const { return fReverse.load(); }
  void SetReverse(bool Value) { fReverse.store(Value); }
  bool OverDraw() const { return fOverDraw.load(); }
  void SetOverDraw(bool Value) { fOverDraw.store(Value); }
  bool Center() const { return fCenter; }
  void SetCenter(bool Value);
  bool Stretch() const { return fStretch; }
  void SetStretch(bool Value);
  bool Proportional() const { return fProportional; }
  void SetProportional(bool Value);
  TBackgroundMode BgMode() const { return fBgMode; }
  void SetBgMode(TBackgroundMode Value);
  int32_t FrameWidth() const { return fFrameWidth; }
  void SetFrameWidth(int32_t Value);
  TColor FrameColor() const { return fFrameColor; }
  void SetFrameColor(TColor Value);
  // Background fill and the fill behind transparent parts of a new picture.
  TColor Color() const { return fColor; }
  void SetColor(TColor Value);
  bool AutoSize() const { return fAutoSize; }
  void SetAutoSize(bool Value);
  TAlign Align() const { return fAlign; }
  void SetAlign(TAlign Value) { fAlign = Value; }

  // The picture to show next; its content changes raise OnChange.
  TPicture& Picture() { return *fPicture; }
  const TPicture& Picture() const { return *fPicture; }
  void SetPicture(const TPicture& Value);
  // The background picture (see BgMode).
  TPicture& BgPicture() { return *fBgPicture; }
  const TPicture& BgPicture() const { return *fBgPicture; }
  void SetBgPicture(const TPicture& Value);

  // --- events (none assigned after construction) ---
  void SetOnStart(TCustomDrawEvent e) { fOnStart = std::move(e); }
  void SetOnStop(TNotifyEvent e) { fOnStop = std::move(e); }
  void SetOnProgress(TNotifyEvent e) { fOnProgress = std::move(e); }
  void SetOnComplete(TNotifyEvent e) { fOnComplete = std::move(e); }
  void SetOnChange(TNotifyEvent e) { fOnChange = std::move(e); }
  void SetOnMouseEnter(TNotifyEvent e) { fOnMouseEnter = std::move(e); }
  void SetOnMouseLeave(TNotifyEvent e) { fOnMouseLeave = std::move(e); }
  // The frame events run on the thread that renders the frame; setting them
  // waits for a frame being rendered.
  void SetOnCustomDraw(TCustomDrawEvent e);
  void SetOnBeforeNewFrame(TCustomDrawEvent e);
  void SetOnAfterNewFrame(TCustomDrawEvent e);

  // --- placement (read-only views for adapters and tests) ---
  raster::Rect DisplayRect() const;
  raster::Rect PicRect() const;
  int32_t ClientWidth() const { return fClientWidth; }
  int32_t ClientHeight() const { return fClientHeight; }
  // A copy of the frame shown now (empty when nothing is shown).
  void CopyDisplay(raster::Bitmap& into) const;

  // --- window side, called by the adapter on the window thread ---
  // The client area changed size (WMSize).
  void WMSize(int32_t clientWidth, int32_t clientHeight);
  // Paints the part `paintRect` (client coordinates) of the control onto
  // `canvas`, whose bitmap covers the client area (WMPaint); `present`, if
  // given, puts the result on screen while the view lock is still held, so
  // that no frame of the timer thread can overtake it.
  void WMPaint(TCanvas& canvas, const raster::Rect& paintRect, const std::function<void()>& present = {});
  // The window is going away while the control lives on: stops a transition.
  void WMDestroy();
  void CMMouseEnter();
  void CMMouseLeave();
  // A posted transition message reached the window thread.
  void HandleTransitionMessage(const TTransitionMessage& Msg);
  // The toolkit's auto-size question; always true.
  bool CanAutoSize(int32_t& NewWidth, int32_t& NewHeight) const;

 protected:
  // --- events raised through these; each does nothing without a handler ---
  virtual void DrawBackground(TCanvas& Canvas, const raster::Rect& Rect);
  virtual void Draw(TCanvas& Canvas);
  virtual void DoChange();
  virtual void DoProgress();
  virtual void DoCustomDraw(raster::Bitmap& Picture, raster::Bitmap& Screen);
  virtual void DoBeforeNewFrame(raster::Bitmap& Picture, raster::Bitmap& Screen);
  virtual void DoAfterNewFrame(raster::Bitmap& Picture, raster::Bitmap& Screen);
  virtual void DoComplete();
  virtual void DoStart(raster::Bitmap& NewPicture, raster::Bitmap& OldPicture);
  virtual void DoStop();

  // --- window operations; defaults: no window ---
  virtual bool HandleAllocated() const { return false; }
  virtual void HandleNeeded() {}
  virtual bool Loading() const { return false; }
  // Repaint the whole control / a rectangle later, without erasing.
  virtual void Invalidate() {}
  virtual void InvalidateRect(const raster::Rect&) {}
  // The rectangle was just drawn and needs no repaint.
  virtual void ValidateRect(const raster::Rect&) {}
  // Puts PicRect of Display (its whole bounds) scaled into DisplayRect on the window. Called
  // under the view lock with Display's surface locked, on any thread.
  virtual void PutFrameOnScreen(const raster::Bitmap& Display, const raster::Rect& PicRect,
                                const raster::Rect& DisplayRect);
  // Queues a message for the window thread; handled in the order posted.
  virtual void PostTransitionMessage(const TTransitionMessage& Msg);
  // Dispatches every pending message of the application, then returns.
  virtual void ProcessMessages() {}
  // The toolkit's size adjustment for AutoSize (asks CanAutoSize).
  virtual void AdjustSize() {}
  // Milliseconds, unsigned 32-bit, wrapping around.
  virtual uint32_t GetTickCount() const;
  virtual bool TimeGetDevCaps(TTimeCaps& caps) const;
  // An error on the timer thread stopped a transition (on the window thread).
  virtual void ReportError(const std::string& text);

  // Marks the control as being destroyed and stops a running transition
  // without events. Idempotent.
  void BeginDestroy();
  bool Destroying() const { return fDestroying.load(); }
  TRecursiveLock& CS() const RETURN_CAPABILITY(fCS) { return fCS; }

  // --- run-time steps ---
  void Prepare();
  void Animate();
  bool UpdateProgress();
  void UpdateDisplay();
  void Unprepare();
  void StartTimer();
  void StopTimer();
  void TimerProc(uint32_t transition);
  void UpdateDisplayRect();
  // The size UpdateDisplayRect gives a picture of w × h in the present client
  // area and placement.
  raster::Size PlacedSize(int32_t w, int32_t h) const;
  void UpdateOldPic();
  bool GetEmpty() const;
  uint32_t TimerResolution() const { return fTimerResolution.load(); }
  bool TimerRunning() const;

 private:
  void PictureChange();
  void BgPictureChange();
  void TransitionCompleted(uint32_t transition);
  bool TransitionEnded(uint32_t transition) const;
  void FreeTransitionPictures();
  // Pic for the picture: at natural size, or reduced by area averaging to
  // `frame` when it is placed smaller.
  void RenderPic(raster::Size frame);
  void ShowFrame();
  void RefreshDynamicOldPic();
  void PlacementChanged();
  // The two halves of Draw: the display scaled into its rectangle, and the
  // frame and background around it.
  void DrawDisplay(TCanvas& Canvas) REQUIRES(fCS);
  // Whether the display is empty and where it is placed. Only the window
  // thread resizes Display or moves it, so that thread may read them without
  // fCS (the timer thread only draws into Display); everywhere else they are
  // read under fCS.
  struct TPlacement {
    bool displayEmpty;
    raster::Rect displayRect;
  };
  TPlacement PlacementOnWindowThread() const NO_THREAD_SAFETY_ANALYSIS;
  void DrawSurroundings(TCanvas& Canvas, const TPlacement& placed);
  bool DisplayEmpty() const;

  // Which thread touches what. Two threads meet here: the window thread, which
  // runs everything but the timer callback, and in threaded mode the timer
  // thread, which steps, renders and shows frames. The members below are
  // grouped by that rule:
  //  1. Guarded by fCS: everything a frame reads or writes (the working
  //     bitmaps, the placement rectangles, the frame events). Either thread
  //     takes fCS before touching them; fCS is re-entrant, and a bitmap's
  //     surface lock is always taken after it. Only the window thread
  //     replaces the bitmaps, resizes Display or moves the rectangles, so it
  //     alone may also read those without fCS (PlacementOnWindowThread).
  //  2. Guarded by fTimerMutex: the timer object and its serial.
  //  3. Atomics: flags and numbers both threads read without a lock.
  //  4. Window thread only: the picture holders, the look and the events
  //     raised on the window thread. The timer thread never reads them.
  // Clang checks rules 1 and 2 (-Wthread-safety); 3 is the type; 4 is the
  // list of what UpdateProgress, SetProgress, UpdateDisplay and ShowFrame use.
  mutable TRecursiveLock fCS;
  TTimerLock fTimerMutex;

  // 1. Guarded by fCS.
  // The frame shown. A picture placed smaller than its natural size is
  // reduced once when its transition starts, so Display (like Pic and OldPic)
  // may be smaller than PicRect; every copy of it takes its whole bounds.
  const std::unique_ptr<raster::Bitmap> Display PT_GUARDED_BY(fCS);
  std::unique_ptr<raster::Bitmap> OldPic GUARDED_BY(fCS) PT_GUARDED_BY(fCS);
  std::unique_ptr<raster::Bitmap> Pic GUARDED_BY(fCS) PT_GUARDED_BY(fCS);
  raster::Rect fDisplayRect GUARDED_BY(fCS), fPicRect GUARDED_BY(fCS);
  bool DynamicOldPic GUARDED_BY(fCS) = false;
  TCustomDrawEvent fOnCustomDraw GUARDED_BY(fCS), fOnBeforeNewFrame GUARDED_BY(fCS), fOnAfterNewFrame GUARDED_BY(fCS);

  // 2. Guarded by fTimerMutex. fTimer may outlive its run (a timer that ended
  // itself from its callback is joined later).
  std::unique_ptr<platform::TPeriodicTimer> fTimer GUARDED_BY(fTimerMutex);
  int32_t fLastTimerID GUARDED_BY(fTimerMutex) = 0;

  // 3. Atomics.
  std::atomic<bool> fOverDraw{true}, fThreaded{true}, fManual{false}, fReverse{false};
  std::atomic<bool> fBusy{false}, fExactTiming{false};
  std::atomic<bool> Stopping{false}, fDestroying{false};
  std::atomic<TShowStyle> fStyle{51};
  std::atomic<uint16_t> fStep{4}, fDelay{40};
  std::atomic<TPercent> fProgress{0};
  // Counts transitions; posted messages carry it so that a late one can be
  // told from one of the running transition.
  std::atomic<uint32_t> fTransition{0};
  // Non-zero only while the timer runs.
  std::atomic<int32_t> fTimerID{0};
  std::atomic<uint32_t> fTimerResolution{0};
  std::atomic<uint32_t> LastUpdateTime{0};

  // 4. Window thread only.
  std::unique_ptr<TPicture> fPicture, fBgPicture;
  TBackgroundMode fBgMode = bmTiled;
  TColor fFrameColor = clActiveBorder;
  TColor fColor = clBtnFace;
  int32_t fFrameWidth = 0;
  int32_t fClientWidth = 100, fClientHeight = 100;
  bool fCenter = false, fStretch = false, fProportional = false, fAutoSize = false;
  TAlign fAlign = alNone;
  TNotifyEvent fOnChange, fOnProgress, fOnComplete, fOnStop, fOnMouseEnter, fOnMouseLeave;
  TCustomDrawEvent fOnStart;
};

// Repeats the graphic at natural size over Rect on a grid anchored at Rect's
// top-left corner, drawing only the tiles that meet the clip box.
void DrawTile(TCanvas& Canvas, const raster::Rect& Rect, const raster::Bitmap& Graphic, bool opaque);

}  // namespace view
