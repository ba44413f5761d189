#pragma once
#include <cstdint>
#include <string_view>

#include "effects/effect_proc.h"

namespace effects {

struct TEffect {
  const char* Name;
  TEffectProc Proc;  // null while the style has no procedure
};

constexpr int32_t kEffectCount = 172;

// Entries 1..172; entry 0 is unused (style 0 is the custom-drawn transition).
extern const TEffect VantrelEffects[kEffectCount + 1];

inline constexpr const char* CustomEffectName = "Custom";

// The entry of a style 1..172, or null for any other number.
const TEffect* FindEffect(int32_t style);

// First style in number order whose name equals `name` ignoring case; -1 if none.
int32_t FindStyleByName(std::string_view name);

}  // namespace effects
