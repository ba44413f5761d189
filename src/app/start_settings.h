#pragma once
#include <QColor>
#include <QPoint>
#include <QString>
#include <optional>

#include "export/export_settings.h"

namespace app {

// Limits shared by the command line, the settings panel and the remembered
// settings.
constexpr int kLastStyle = 172;
constexpr int kMinStep = 1, kMaxStep = 25;
constexpr int kMinDelay = 5, kMaxDelay = 1000;
constexpr int kMaxFrameWidth = 10;
constexpr int kMinIntervalMs = 500, kMaxIntervalMs = 9500, kIntervalStepMs = 500;

// One setting as it is kept: its key in the settings file (none for a value
// given for one run only), the range of a whole number or an order, and the
// value the show has when nothing gives one.
template <class T>
struct TSettingInfo {
  const char* key;
  T defaultValue;
  T min{}, max{};
};

// Settings the window starts with, each one absent unless something (the
// remembered settings, the command line) gives it.
struct TStartSettings {
  std::optional<video_export::StyleOrder> StyleOrder;  // how the style changes from one photo to the next
  std::optional<int> FirstStyle;  // 1..172: the style of the first transition
  std::optional<bool> Manual;  // play mode: hand-stepped (paused) instead of automatic
  std::optional<int> Step;  // per cent per frame
  std::optional<int> Delay;  // milliseconds between frames
  std::optional<bool> ExactTiming;
  std::optional<bool> Threaded;
  std::optional<bool> Center;
  std::optional<bool> Stretch;
  std::optional<bool> Proportional;
  std::optional<int> BackgroundMode;  // cbBackgroundMode's line: none, tiled, stretched, centred
  std::optional<QString> BackgroundPicture;
  std::optional<int> FrameWidth;
  std::optional<QColor> FrameColor;
  std::optional<int> IntervalMs;  // display interval
  std::optional<QString> Folder;  // the folder played last
  std::optional<QPoint> WindowPosition;
  std::optional<bool> FullScreen;

  // Calls f(info, field of each settings object...) for every field, in the
  // order above; `info` holds the field's key, range and default.
  template <class F, class... S>
  static void ForEachField(F&& f, S&... s) {
    using video_export::StyleOrder;
    f(TSettingInfo<StyleOrder>{"Panel/StyleOrder", StyleOrder::Cycle, StyleOrder::Cycle, StyleOrder::Fixed},
      s.StyleOrder...);
    f(TSettingInfo<int>{nullptr, 1, 1, kLastStyle}, s.FirstStyle...);
    f(TSettingInfo<bool>{"Panel/Manual", false}, s.Manual...);
    f(TSettingInfo<int>{"Panel/Step", 3, kMinStep, kMaxStep}, s.Step...);
    f(TSettingInfo<int>{"Panel/Delay", 30, kMinDelay, kMaxDelay}, s.Delay...);
    f(TSettingInfo<bool>{"Panel/ExactTiming", true}, s.ExactTiming...);
    f(TSettingInfo<bool>{"Panel/Threaded", true}, s.Threaded...);
    f(TSettingInfo<bool>{"Panel/Center", true}, s.Center...);
    f(TSettingInfo<bool>{"Panel/Stretch", false}, s.Stretch...);
    f(TSettingInfo<bool>{"Panel/Proportional", true}, s.Proportional...);
    f(TSettingInfo<int>{"Panel/BackgroundMode", 1, 0, 3}, s.BackgroundMode...);
    f(TSettingInfo<QString>{"Panel/BackgroundPicture", {}}, s.BackgroundPicture...);
    f(TSettingInfo<int>{"Panel/FrameWidth", 1, 0, kMaxFrameWidth}, s.FrameWidth...);
    f(TSettingInfo<QColor>{"Panel/FrameColor", QColor(0x80, 0x80, 0x80)}, s.FrameColor...);
    f(TSettingInfo<int>{"Panel/DisplayInterval", 3000, kMinIntervalMs, kMaxIntervalMs}, s.IntervalMs...);
    f(TSettingInfo<QString>{"Album/Folder", {}}, s.Folder...);
    f(TSettingInfo<QPoint>{"Window/Position", {}}, s.WindowPosition...);
    f(TSettingInfo<bool>{"Window/FullScreen", false}, s.FullScreen...);
  }
};

// `base` with every field that `given` holds replaced by it.
TStartSettings Overridden(TStartSettings base, const TStartSettings& given);

// What to remember at the end of a run: the settings the window ends with,
// except that a value given for this run only (`given`) and left unchanged
// does not replace what was remembered before (`remembered`).
TStartSettings ToRemember(TStartSettings current, const TStartSettings& given, const TStartSettings& remembered);

}  // namespace app
