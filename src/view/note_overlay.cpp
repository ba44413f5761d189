#include "view/note_overlay.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace view {
namespace {

// In logical pixels; multiplied by the device-pixel ratio.
constexpr int kMargin = 16;  // from the client area's edges
constexpr int kPadding = 10;  // inside the box
constexpr int kFontPixels = 16;
constexpr int kCornerRadius = 8;

int Scaled(int logical, double scale) { return static_cast<int>(std::lround(logical * scale)); }

QImage RenderNote(const QString& text, double scale) {
  QFont font;
  font.setPixelSize(Scaled(kFontPixels, scale));
  font.setBold(true);
  const QFontMetrics metrics(font);
  const QStringList lines = text.split(u'\n');
  int width = 0;
  for (const QString& line : lines) width = std::max(width, metrics.horizontalAdvance(line));
  const int padding = Scaled(kPadding, scale), lineHeight = metrics.height();
  QImage image(width + 2 * padding, static_cast<int>(lines.size()) * lineHeight + 2 * padding,
               QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0, 0, 0, 170));
  const qreal radius = kCornerRadius * scale;
  painter.drawRoundedRect(QRectF(image.rect()), radius, radius);
  painter.setFont(font);
  painter.setPen(QColor(255, 255, 255));
  for (qsizetype i = 0; i < lines.size(); ++i) {
    painter.drawText(padding, padding + static_cast<int>(i) * lineHeight + metrics.ascent(), lines[i]);
  }
  return image;
}

// One channel of the premultiplied source `c` (coverage `a`, both already
// scaled by the note's opacity) over the target's `d`.
uint8_t Over(uint8_t d, uint32_t c, uint32_t a) {
  return static_cast<uint8_t>(std::min<uint32_t>(c + (d * (255 - a) + 127) / 255, 255));
}

}  // namespace

void TNoteOverlay::Show(const QString& text, double scale, int64_t nowMs) {
  const int32_t margin = Scaled(kMargin, scale);
  if (text != text_ || margin != margin_ || image_.isNull()) image_ = RenderNote(text, scale);
  text_ = text;
  margin_ = margin;
  shownAtMs_ = nowMs;
}

void TNoteOverlay::Hide() {
  text_.clear();
  image_ = QImage();
}

int TNoteOverlay::Opacity(int64_t nowMs) const {
  if (image_.isNull()) return 0;
  const int64_t age = nowMs - shownAtMs_;
  if (age < kVisibleMs) return 255;
  if (age >= kVisibleMs + kFadeMs) return 0;
  return static_cast<int>(255 * (kVisibleMs + kFadeMs - age) / kFadeMs);
}

raster::Rect TNoteOverlay::Place(int32_t clientWidth, int32_t clientHeight) const {
  if (image_.isNull()) return {};
  const int32_t left = margin_, bottom = clientHeight - margin_;
  const raster::Rect r{left, bottom - image_.height(), left + image_.width(), bottom};
  return raster::Intersect(r, {0, 0, clientWidth, clientHeight});
}

void TNoteOverlay::BlendOnto(raster::Bitmap& target, raster::Point origin, const raster::Rect& area,
                             int32_t clientWidth, int32_t clientHeight, int opacity) const {
  if (opacity <= 0) return;
  const raster::Rect onTarget{origin.x, origin.y, origin.x + target.Width(), origin.y + target.Height()};
  const raster::Rect r = raster::Intersect(raster::Intersect(Place(clientWidth, clientHeight), area), onTarget);
  if (r.empty()) return;
  const int32_t noteTop = clientHeight - margin_ - image_.height();  // the image's row 0, in client pixels
  const auto o = static_cast<uint32_t>(opacity);
  raster::SurfaceLock lock(target);
  for (int32_t y = r.top; y < r.bottom; ++y) {
    const auto* src = reinterpret_cast<const uint32_t*>(image_.constScanLine(y - noteTop)) + (r.left - margin_);
    raster::TRGBQuad* dst = target.ScanLine(y - origin.y) + (r.left - origin.x);
    for (int32_t x = 0; x < r.width(); ++x) {
      const uint32_t s = src[x];
      const uint32_t a = ((s >> 24) * o + 127) / 255;
      if (a == 0) continue;
      dst[x].rgbBlue = Over(dst[x].rgbBlue, ((s & 0xFF) * o + 127) / 255, a);
      dst[x].rgbGreen = Over(dst[x].rgbGreen, (((s >> 8) & 0xFF) * o + 127) / 255, a);
      dst[x].rgbRed = Over(dst[x].rgbRed, (((s >> 16) & 0xFF) * o + 127) / 255, a);
    }
  }
}

}  // namespace view
