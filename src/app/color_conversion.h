#pragma once
#include <QColor>

#include "view/canvas.h"

namespace app {

// The view's colours (0x00BBGGRR or a system colour) and the toolkit's.
inline QColor ToQColor(view::TColor color) {
  const view::TColor rgb = view::ColorToRGB(color);
  return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
}

inline view::TColor ToTColor(const QColor& color) {
  return static_cast<view::TColor>(color.red()) | static_cast<view::TColor>(color.green()) << 8 |
         static_cast<view::TColor>(color.blue()) << 16;
}

}  // namespace app
