#include "view/vantrel.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QPaintEvent>
#include <QPlatformSurfaceEvent>
#include <QResizeEvent>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <chrono>
#include <cmath>

#include "view/posted_paint_surface.h"
#include "view/x11_window_surface.h"

namespace view {
namespace {

// Wakes the window thread for one posted item.
const QEvent::Type kPostedEventType = static_cast<QEvent::Type>(QEvent::registerEventType());

// The primary screen in device pixels: the largest area the view is shown on
// (full screen), so photos need not be decoded larger than that.
raster::Size PrimaryScreenPixels() {
  const QScreen* screen = qGuiApp ? QGuiApplication::primaryScreen() : nullptr;
  if (!screen) return {};
  const QSize size = screen->geometry().size() * screen->devicePixelRatio();
  return {size.width(), size.height()};
}

// How often a fading note is repainted.
constexpr int kNoteFadeStepMs = 40;

int64_t NowMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

xcb_connection_t* X11Connection() {
  auto* app = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  return app ? app->connection() : nullptr;
}

}  // namespace

TVantrel::TVantrel(QWidget* parent) : QWidget(parent), nativeDrawing_(X11Connection() != nullptr) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_NoSystemBackground);
  if (nativeDrawing_) {
    // A native window of its own that Qt leaves alone, so that the timer
    // thread can draw on it while the window thread is busy.
    setAttribute(Qt::WA_DontCreateNativeAncestors);
    setAttribute(Qt::WA_NativeWindow);
    setAttribute(Qt::WA_PaintOnScreen);
  } else {
    surface_ = std::make_unique<TPostedPaintSurface>(this, [this](const raster::Rect& r) { Post(r); });
  }
  noteTimer_ = new QTimer(this);
  noteTimer_->setInterval(kNoteFadeStepMs);
  connect(noteTimer_, &QTimer::timeout, this, &TVantrel::FadeNote);
  resize(100, 100);
  Picture().SetLoadCover(PrimaryScreenPixels());
}

TVantrel::~TVantrel() {
  BeginDestroy();
  TViewLockHold lock(CS());
  surface_.reset();
}

int TVantrel::GetStyleNames(QStringList& Names) const {
  std::vector<std::string> names;
  const int n = TCustomVantrel::GetStyleNames(names);
  for (const std::string& name : names) Names.append(QString::fromStdString(name));
  return n;
}

bool TVantrel::DrawsFromAnyThread() const {
  TViewLockHold lock(CS());
  return nativeDrawing_ && surface_ != nullptr;
}

QPaintEngine* TVantrel::paintEngine() const { return nativeDrawing_ ? nullptr : QWidget::paintEngine(); }

void TVantrel::DestroyHandle() {
  WMDestroy();
  if (nativeDrawing_) DropSurface();
  handleAllocated_.store(false);
  if (nativeDrawing_) destroy();
}

// --- the note ---

void TVantrel::ShowNote(const QString& text) {
  QRect changed;
  {
    TViewLockHold lock(CS());
    changed = ToLogical(note_.Place(ClientWidth(), ClientHeight()));
    note_.Show(text, devicePixelRatioF(), NowMs());
    changed |= ToLogical(note_.Place(ClientWidth(), ClientHeight()));
  }
  noteTimer_->start();
  update(changed);
}

QString TVantrel::NoteText() const {
  TViewLockHold lock(CS());
  return note_.Opacity(NowMs()) > 0 ? note_.Text() : QString();
}

QRect TVantrel::NoteRect() const {
  TViewLockHold lock(CS());
  return ToLogical(note_.Place(ClientWidth(), ClientHeight()));
}

void TVantrel::FadeNote() {
  QRect area;
  {
    TViewLockHold lock(CS());
    const int opacity = note_.Opacity(NowMs());
    if (opacity == 255) return;  // not fading yet
    area = ToLogical(note_.Place(ClientWidth(), ClientHeight()));
    if (opacity == 0) {
      note_.Hide();
      noteTimer_->stop();
    }
  }
  update(area);
}

void TVantrel::PutFrameWithNote(const raster::Bitmap& Frame, const raster::Rect& PicRect,
                                const raster::Rect& DisplayRect, int opacity) {
  // The visible part of the frame, scaled as the surface would scale it, with
  // the note blended over it, goes out as one piece: the frame is never seen
  // without the note while the note is up.
  const raster::Rect visible = raster::Intersect(DisplayRect, {0, 0, ClientWidth(), ClientHeight()});
  if (visible.empty()) return;
  if (frameWithNote_.Width() != visible.width() || frameWithNote_.Height() != visible.height()) {
    frameWithNote_.SetSize(visible.width(), visible.height());
  }
  {
    TCanvas canvas(frameWithNote_);
    canvas.SetOrigin({-visible.left, -visible.top});
    canvas.CopyRect(DisplayRect, Frame, PicRect);
  }
  note_.BlendOnto(frameWithNote_, {visible.left, visible.top}, visible, ClientWidth(), ClientHeight(), opacity);
  surface_->PutFrame(frameWithNote_, frameWithNote_.Bounds(), visible, ClientWidth(), ClientHeight());
}

// --- window operations ---

bool TVantrel::HandleAllocated() const { return handleAllocated_.load(); }

void TVantrel::HandleNeeded() {
  if (nativeDrawing_) {
    winId();
    FollowNativeWindow();
  } else {
    create();
  }
  handleAllocated_.store(true);
}

// Qt's own record of the window id can lag behind when the widget changes
// between child and window of its own; the platform window is what is on screen.
uint32_t TVantrel::CurrentNativeWindow() const {
  const QWindow* window = windowHandle();
  return window && window->handle() ? static_cast<uint32_t>(window->winId()) : 0;
}

void TVantrel::FollowNativeWindow() {
  if (!nativeDrawing_) return;
  const uint32_t id = CurrentNativeWindow();
  TViewLockHold lock(CS());
  if (id == surfaceWindow_) return;
  surface_.reset();
  surfaceWindow_ = id;
  if (id != 0) surface_ = TX11WindowSurface::Create(X11Connection(), id);
}

// Waits for a frame being put on screen, so that nothing is drawn on a window
// that is going away.
void TVantrel::DropSurface() {
  TViewLockHold lock(CS());
  surface_.reset();
  surfaceWindow_ = 0;
}

QSize TVantrel::DeviceSize() const {
  const qreal ratio = devicePixelRatioF();
  return {int(std::lround(width() * ratio)), int(std::lround(height() * ratio))};
}

raster::Rect TVantrel::ToDevice(const QRect& logical) const {
  const qreal ratio = devicePixelRatioF();
  return {int32_t(std::floor(logical.left() * ratio)), int32_t(std::floor(logical.top() * ratio)),
          int32_t(std::ceil((logical.right() + 1) * ratio)), int32_t(std::ceil((logical.bottom() + 1) * ratio))};
}

QRect TVantrel::ToLogical(const raster::Rect& device) const {
  const qreal ratio = devicePixelRatioF();
  const int left = int(std::floor(device.left / ratio)), top = int(std::floor(device.top / ratio));
  return QRect(QPoint(left, top),
               QPoint(int(std::ceil(device.right / ratio)) - 1, int(std::ceil(device.bottom / ratio)) - 1));
}

void TVantrel::Invalidate() { update(); }

void TVantrel::InvalidateRect(const raster::Rect& r) { update(ToLogical(r)); }

// Qt cannot take back a pending repaint; the frame just drawn is what a
// repaint of that area would draw anyway.
void TVantrel::ValidateRect(const raster::Rect&) {}

void TVantrel::PutFrameOnScreen(const raster::Bitmap& Frame, const raster::Rect& PicRect,
                                const raster::Rect& DisplayRect) {
  // Runs under the view lock, which also guards surface_ and the note.
  TViewLockHold lock(CS());
  if (!surface_) return;
  // Posted paints lay the note over the frame when they paint it.
  const int noteOpacity = nativeDrawing_ ? note_.Opacity(NowMs()) : 0;
  const raster::Rect note = note_.Place(ClientWidth(), ClientHeight());
  if (noteOpacity > 0 && !raster::Intersect(note, DisplayRect).empty()) {
    PutFrameWithNote(Frame, PicRect, DisplayRect, noteOpacity);
  } else {
    surface_->PutFrame(Frame, PicRect, DisplayRect, ClientWidth(), ClientHeight());
  }
}

void TVantrel::PostTransitionMessage(const TTransitionMessage& Msg) { Post(Msg); }

void TVantrel::Post(TPosted item) {
  QEvent* wake = nullptr;
  {
    // The wake-up event is made under the lock that event() passes through
    // first, so its creation on this thread is ordered before its use and
    // deletion on the window thread (Qt's own queue lock is invisible to
    // thread checkers).
    std::lock_guard<std::mutex> lock(postedMutex_);
    posted_.push_back(std::move(item));
    wake = new QEvent(kPostedEventType);
  }
  QCoreApplication::postEvent(this, wake);
}

void TVantrel::HandleOnePosted() {
  TPosted item;
  {
    std::lock_guard<std::mutex> lock(postedMutex_);
    if (posted_.empty()) return;
    item = std::move(posted_.front());
    posted_.pop_front();
  }
  if (const auto* msg = std::get_if<TTransitionMessage>(&item)) {
    HandleTransitionMessage(*msg);
  } else {
    update(ToLogical(std::get<raster::Rect>(item)));
  }
}

void TVantrel::ProcessMessages() { QCoreApplication::processEvents(); }

void TVantrel::AdjustSize() {
  const QSize size = DeviceSize();
  int32_t w = size.width(), h = size.height();
  const qreal ratio = devicePixelRatioF();
  if (CanAutoSize(w, h)) resize(int(std::lround(w / ratio)), int(std::lround(h / ratio)));
}

// --- Qt events ---

bool TVantrel::event(QEvent* e) {
  { std::lock_guard<std::mutex> lock(postedMutex_); }  // pairs with Post()
  if (e->type() == kPostedEventType) {
    HandleOnePosted();
    return true;
  }
  switch (e->type()) {
    case QEvent::PlatformSurface:
      if (static_cast<QPlatformSurfaceEvent*>(e)->surfaceEventType() ==
          QPlatformSurfaceEvent::SurfaceAboutToBeDestroyed) {
        DropSurface();
      } else {
        FollowNativeWindow();
      }
      break;
    case QEvent::WinIdChange:
    case QEvent::Show:
    case QEvent::ParentChange: FollowNativeWindow(); break;
    default: break;
  }
  return QWidget::event(e);
}

void TVantrel::paintEvent(QPaintEvent* e) {
  const QSize size = DeviceSize();
  const raster::Rect area = raster::Intersect(ToDevice(e->rect()), {0, 0, size.width(), size.height()});
  if (area.empty()) return;
  FollowNativeWindow();
  if (size.width() != ClientWidth() || size.height() != ClientHeight()) WMSize(size.width(), size.height());
  if (paintBuffer_.Width() != size.width() || paintBuffer_.Height() != size.height()) {
    paintBuffer_.SetSize(size.width(), size.height());
  }
  TCanvas canvas(paintBuffer_);
  // surface_ is guarded by the view lock, which WMPaint holds around `present`.
  WMPaint(canvas, area, [&] {
    TViewLockHold lock(CS());
    note_.BlendOnto(paintBuffer_, {0, 0}, area, ClientWidth(), ClientHeight(), note_.Opacity(NowMs()));
    if (surface_) surface_->PutPainted(paintBuffer_, area);
  });
}

void TVantrel::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  FollowNativeWindow();
  const QSize size = DeviceSize();
  WMSize(size.width(), size.height());
}

void TVantrel::enterEvent(QEnterEvent* e) {
  QWidget::enterEvent(e);
  CMMouseEnter();
}

void TVantrel::leaveEvent(QEvent* e) {
  QWidget::leaveEvent(e);
  CMMouseLeave();
}

}  // namespace view
