#include "app/show_settings.h"

namespace app {

TShowSettings::TShowSettings() {
  TStartSettings::ForEachField([](const auto& info, auto& field) { field = info.defaultValue; }, values_);
  values_.FirstStyle.reset();  // given for one run only
}

void TShowSettings::Apply(const TStartSettings& given) {
  TStartSettings::ForEachField(
      [](const auto& info, auto& field, const auto& value) {
        if (value) field = KeptInRange(info, *value);
      },
      values_, given);
}

}  // namespace app
