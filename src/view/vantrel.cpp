#include "view/vantrel.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QPaintEvent>
#include <QResizeEvent>

#include "view/posted_paint_surface.h"
#include "view/x11_window_surface.h"

namespace view {
namespace {

// Wakes the window thread for one posted item.
const QEvent::Type kPostedEventType = static_cast<QEvent::Type>(QEvent::registerEventType());

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
    surface_ = std::make_unique<TPostedPaintSurface>(this, [this](const QRect& r) { Post(r); });
  }
  resize(100, 100);
}

TVantrel::~TVantrel() {
  BeginDestroy();
  std::lock_guard<std::recursive_mutex> lock(CS());
  surface_.reset();
}

int TVantrel::GetStyleNames(QStringList& Names) const {
  std::vector<std::string> names;
  const int n = TCustomVantrel::GetStyleNames(names);
  for (const std::string& name : names) Names.append(QString::fromStdString(name));
  return n;
}

bool TVantrel::DrawsFromAnyThread() const {
  std::lock_guard<std::recursive_mutex> lock(CS());
  return nativeDrawing_ && surface_ != nullptr;
}

QPaintEngine* TVantrel::paintEngine() const { return nativeDrawing_ ? nullptr : QWidget::paintEngine(); }

void TVantrel::DestroyHandle() {
  WMDestroy();
  {
    std::lock_guard<std::recursive_mutex> lock(CS());
    if (nativeDrawing_) surface_.reset();
    handleAllocated_.store(false);
  }
  if (nativeDrawing_) destroy();
}

// --- window operations ---

bool TVantrel::HandleAllocated() const { return handleAllocated_.load(); }

void TVantrel::HandleNeeded() {
  if (nativeDrawing_) {
    winId();
    RecreateSurface();
  } else {
    create();
  }
  handleAllocated_.store(true);
}

void TVantrel::RecreateSurface() {
  if (!nativeDrawing_) return;
  const WId id = internalWinId();
  std::lock_guard<std::recursive_mutex> lock(CS());
  surface_.reset();
  if (id != 0) surface_ = TX11WindowSurface::Create(X11Connection(), static_cast<uint32_t>(id));
}

void TVantrel::Invalidate() { update(); }

void TVantrel::InvalidateRect(const raster::Rect& r) { update(QRect(r.left, r.top, r.width(), r.height())); }

// Qt cannot take back a pending repaint; the frame just drawn is what a
// repaint of that area would draw anyway.
void TVantrel::ValidateRect(const raster::Rect&) {}

void TVantrel::PutFrameOnScreen(const raster::Bitmap& Display, const raster::Rect& PicRect,
                                const raster::Rect& DisplayRect) {
  // Runs under the view lock, which also guards surface_.
  if (surface_) surface_->PutFrame(Display, PicRect, DisplayRect, ClientWidth(), ClientHeight());
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
    update(std::get<QRect>(item));
  }
}

void TVantrel::ProcessMessages() { QCoreApplication::processEvents(); }

void TVantrel::AdjustSize() {
  int32_t w = width(), h = height();
  if (CanAutoSize(w, h)) resize(w, h);
}

// --- Qt events ---

bool TVantrel::event(QEvent* e) {
  { std::lock_guard<std::mutex> lock(postedMutex_); }  // pairs with Post()
  if (e->type() == kPostedEventType) {
    HandleOnePosted();
    return true;
  }
  if (e->type() == QEvent::WinIdChange) RecreateSurface();
  return QWidget::event(e);
}

void TVantrel::paintEvent(QPaintEvent* e) {
  const QRect r = e->rect().intersected(rect());
  if (r.isEmpty()) return;
  if (nativeDrawing_ && !surface_) RecreateSurface();
  if (paintBuffer_.Width() != width() || paintBuffer_.Height() != height()) paintBuffer_.SetSize(width(), height());
  const raster::Rect area{r.left(), r.top(), r.right() + 1, r.bottom() + 1};
  TCanvas canvas(paintBuffer_);
  // surface_ is guarded by the view lock, which WMPaint holds around `present`.
  WMPaint(canvas, area, [&] {
    if (surface_) surface_->PutPainted(paintBuffer_, area);
  });
}

void TVantrel::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  WMSize(width(), height());
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
