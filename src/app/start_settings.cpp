#include "app/start_settings.h"

namespace app {

TStartSettings Overridden(TStartSettings base, const TStartSettings& given) {
  TStartSettings::ForEachField(
      [](const auto&, auto& field, const auto& value) {
        if (value) field = value;
      },
      base, given);
  return base;
}

TStartSettings ToRemember(TStartSettings current, const TStartSettings& given, const TStartSettings& remembered) {
  TStartSettings::ForEachField(
      [](const auto&, auto& field, const auto& givenValue, const auto& rememberedValue) {
        if (givenValue && field == givenValue) field = rememberedValue;
      },
      current, given, remembered);
  return current;
}

}  // namespace app
