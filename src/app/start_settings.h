#pragma once
#include <QColor>
#include <QPoint>
#include <QString>
#include <optional>

namespace app {

// Settings the window starts with, each one absent unless something (the
// remembered settings, the command line) gives it. Every value is applied
// through the control of the settings panel that holds it, so that the panel
// and the view never disagree.
struct TStartSettings {
  std::optional<int> StyleOrder;  // rgStyleControl's item: 0 catalogue, 1 random, 2 style kept
  std::optional<int> FirstStyle;  // 1..172: the style of the first transition
  std::optional<bool> Manual;  // play mode: hand-stepped (paused) instead of automatic
  std::optional<int> Step;  // per cent per frame, 1..25
  std::optional<int> Delay;  // milliseconds between frames, 5..1000
  std::optional<bool> ExactTiming;
  std::optional<bool> Threaded;
  std::optional<bool> Center;
  std::optional<bool> Stretch;
  std::optional<bool> Proportional;
  std::optional<int> BackgroundMode;  // cbBackgroundMode's line, 0..3
  std::optional<QString> BackgroundPicture;
  std::optional<int> FrameWidth;  // 0..10
  std::optional<QColor> FrameColor;
  std::optional<int> IntervalMs;  // display interval, 500..9500
  std::optional<QString> Folder;  // the folder played last
  std::optional<QPoint> WindowPosition;
  std::optional<bool> FullScreen;

  // Calls f(field of each settings object...) for every field, in the order above.
  template <class F, class... S>
  static void ForEachField(F&& f, S&... s) {
    f(s.StyleOrder...);
    f(s.FirstStyle...);
    f(s.Manual...);
    f(s.Step...);
    f(s.Delay...);
    f(s.ExactTiming...);
    f(s.Threaded...);
    f(s.Center...);
    f(s.Stretch...);
    f(s.Proportional...);
    f(s.BackgroundMode...);
    f(s.BackgroundPicture...);
    f(s.FrameWidth...);
    f(s.FrameColor...);
    f(s.IntervalMs...);
    f(s.Folder...);
    f(s.WindowPosition...);
    f(s.FullScreen...);
  }
};

// `base` with every field that `given` holds replaced by it.
TStartSettings Overridden(TStartSettings base, const TStartSettings& given);

// What to remember at the end of a run: the settings the window ends with,
// except that a value given for this run only (`given`) and left unchanged
// does not replace what was remembered before (`remembered`).
TStartSettings ToRemember(TStartSettings current, const TStartSettings& given, const TStartSettings& remembered);

// Limits shared by the command line and the remembered settings.
constexpr int kLastStyle = 172;
constexpr int kMinStep = 1, kMaxStep = 25;
constexpr int kMinDelay = 5, kMaxDelay = 1000;
constexpr int kMaxFrameWidth = 10;
constexpr int kMinIntervalMs = 500, kMaxIntervalMs = 9500, kIntervalStepMs = 500;

}  // namespace app
