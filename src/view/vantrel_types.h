#pragma once
#include <cstdint>
#include <functional>

#include "platform/raster/bitmap.h"
#include "platform/raster/pixel.h"

namespace view {

class TCustomVantrel;

// Progress of a transition, 0..100.
using TPercent = uint8_t;
// 0 is the custom-drawn transition; 1..172 select a catalogue entry.
using TShowStyle = uint8_t;

enum TBackgroundMode : uint8_t { bmNone = 0, bmTiled = 1, bmStretched = 2, bmCentered = 3 };

// Alignment of the control in its parent; the view only reads it to answer
// CanAutoSize.
enum TAlign : uint8_t { alNone, alTop, alBottom, alLeft, alRight, alClient };

using raster::TColor;
// A colour whose top byte is 0xFF names the system colour of its low byte.
constexpr TColor SystemColor(uint8_t index) { return 0xFF000000u | index; }
constexpr TColor clActiveBorder = SystemColor(10);
constexpr TColor clBtnFace = SystemColor(15);

// Sender only.
using TNotifyEvent = std::function<void(TCustomVantrel& Sender)>;
// Sender, Picture (the new picture) and Screen (the display or the old picture).
using TCustomDrawEvent = std::function<void(TCustomVantrel& Sender, raster::Bitmap& Picture, raster::Bitmap& Screen)>;

}  // namespace view
