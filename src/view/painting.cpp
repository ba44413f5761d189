// Painting: the display scaled into its rectangle, the frame, the background.
#include "view/custom_vantrel.h"

namespace view {

using Lock = TViewLockHold;

// Repeats the graphic at natural size over Rect, on a grid anchored at Rect's
// top-left corner; only tiles that meet the clip box are drawn.
void DrawTile(TCanvas& Canvas, const raster::Rect& Rect, const raster::Bitmap& Graphic, bool opaque) {
  const int32_t W = Graphic.Width(), H = Graphic.Height();
  if (W <= 0 || H <= 0) return;
  TSavedCanvasState saved(Canvas);
  Canvas.IntersectClipRect(Rect);
  raster::Rect R = Canvas.ClipBox();
  if (R.empty()) return;
  R.left -= (R.left - Rect.left) % W;
  R.top -= (R.top - Rect.top) % H;
  for (int32_t top = R.top; top < R.bottom; top += H) {
    for (int32_t left = R.left; left < R.right; left += W) {
      const raster::Rect WR{left, top, left + W, top + H};
      if (Canvas.RectVisible(WR)) Canvas.Draw(left, top, Graphic, opaque);
    }
  }
}

void TCustomVantrel::DrawBackground(TCanvas& Canvas, const raster::Rect& Rect) {
  if (!Canvas.RectVisible(Rect)) return;
  const TMutedChanges muted(*fBgPicture);

  const raster::Bitmap* G = fBgPicture->Graphic();
  const TBackgroundMode FillStyle = (G != nullptr && !G->Empty()) ? fBgMode : bmNone;
  const bool opaque = fBgPicture->Opaque();
  switch (FillStyle) {
    case bmTiled: DrawTile(Canvas, Rect, *G, opaque); break;
    case bmStretched: Canvas.StretchDraw(Rect, *G, opaque); break;
    case bmCentered: {
      raster::Rect R;
      R.left = (Rect.right - Rect.left - G->Width()) / 2;
      R.top = (Rect.bottom - Rect.top - G->Height()) / 2;
      R.right = R.left + G->Width();
      R.bottom = R.top + G->Height();
      Canvas.Draw(R.left, R.top, *G, opaque);
      TSavedCanvasState saved(Canvas);
      Canvas.ExcludeClipRect(R);
      Canvas.FillRect(Rect, fColor);
      break;
    }
    case bmNone: Canvas.FillRect(Rect, fColor); break;
  }
}

void TCustomVantrel::Draw(TCanvas& Canvas) {
  Lock lock(fCS);
  DrawDisplay(Canvas);
  DrawSurroundings(Canvas, {Display->Empty(), fDisplayRect});
}

TCustomVantrel::TPlacement TCustomVantrel::PlacementOnWindowThread() const { return {Display->Empty(), fDisplayRect}; }

void TCustomVantrel::DrawDisplay(TCanvas& Canvas) {
  if (Display->Empty() || !Canvas.RectVisible(fDisplayRect)) return;
  raster::SurfaceLock display(*Display);
  Canvas.CopyRect(fDisplayRect, *Display, Display->Bounds());
}

void TCustomVantrel::DrawSurroundings(TCanvas& Canvas, const TPlacement& placed) {
  const raster::Rect client{0, 0, fClientWidth, fClientHeight};
  if (placed.displayEmpty) {
    DrawBackground(Canvas, client);
    return;
  }
  raster::Rect FrameRect = placed.displayRect;
  if (fFrameWidth != 0) {
    FrameRect = {FrameRect.left - fFrameWidth, FrameRect.top - fFrameWidth, FrameRect.right + fFrameWidth,
                 FrameRect.bottom + fFrameWidth};
    if (Canvas.RectVisible(FrameRect)) Canvas.FrameRect(FrameRect, fFrameWidth, fFrameColor);
  }
  TSavedCanvasState saved(Canvas);
  Canvas.ExcludeClipRect(FrameRect);
  DrawBackground(Canvas, client);
}

void TCustomVantrel::WMPaint(TCanvas& canvas, const raster::Rect& paintRect, const std::function<void()>& present) {
  TSavedCanvasState saved(canvas);
  canvas.IntersectClipRect(paintRect);
  const TPlacement placed = PlacementOnWindowThread();
  const raster::Rect& d = placed.displayRect;
  const bool DrawImageOnly = !placed.displayEmpty && paintRect.left >= d.left && paintRect.top >= d.top &&
                             paintRect.right <= d.right && paintRect.bottom <= d.bottom;
  // Frame and background depend only on state that this (the window) thread
  // owns, so they are drawn before taking the lock: a frame of the timer
  // thread waits only for the copy of the display and its presentation.
  if (!DrawImageOnly) DrawSurroundings(canvas, placed);
  Lock lock(fCS);
  DrawDisplay(canvas);
  if (present) present();
}

void TCustomVantrel::WMDestroy() { Stop(); }

}  // namespace view
