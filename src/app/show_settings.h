#pragma once
#include <algorithm>
#include <type_traits>

#include "app/start_settings.h"

namespace app {

// `value` within the range of `info`; values without a range as they are.
template <class T>
T KeptInRange(const TSettingInfo<T>& info, T value) {
  if constexpr (std::is_arithmetic_v<T> || std::is_enum_v<T>) {
    if (info.min < info.max) return std::clamp(value, info.min, info.max);
  }
  return value;
}

// The show's settings as they are now. Every field holds a value: its
// default until something sets it. The panel's controls show these values
// and change them; the keys, the menu, the command line and the video export
// read them, never a control. Window state (folder, position, full screen)
// is not kept here.
class TShowSettings {
 public:
  template <class T>
  using TField = std::optional<T> TStartSettings::*;

  TShowSettings();

  template <class T>
  T Get(TField<T> field) const {
    return (values_.*field).value_or(T{});
  }
  // Sets `field`, kept within its range. Whether the value changed.
  template <class T>
  bool Set(TField<T> field, T value) {
    const T kept = Clamped(field, value);
    if (values_.*field == kept) return false;
    values_.*field = kept;
    return true;
  }
  // Sets every field that `given` holds.
  void Apply(const TStartSettings& given);

  video_export::StyleOrder StyleOrder() const { return Get(&TStartSettings::StyleOrder); }
  int IntervalMs() const { return Get(&TStartSettings::IntervalMs); }
  const TStartSettings& Values() const { return values_; }

 private:
  template <class T>
  T Clamped(TField<T> field, T value) const {
    T kept = value;
    TStartSettings::ForEachField(
        [&](const auto& info, const auto& candidate) {
          if constexpr (std::is_same_v<std::remove_cvref_t<decltype(info)>, TSettingInfo<T>>) {
            if (&candidate == &(values_.*field)) kept = KeptInRange(info, value);
          }
        },
        values_);
    return kept;
  }

  TStartSettings values_;
};

}  // namespace app
