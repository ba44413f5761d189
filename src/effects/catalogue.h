#pragma once
#include <cstdint>
#include <string_view>

#include "effects/effect_proc.h"

namespace effects {

// How a style uses random numbers. A free-random style draws its ragged edges
// from the shared generator anew in every frame (and advances it); a pinned
// style replays one pattern started from the picture seed, so every frame of a
// transition agrees and the shared generator is left alone.
enum class TRandomPattern : uint8_t { None, Free, Pinned };

struct TEffect {
  const char* Name;
  TEffectProc Proc;
  TRandomPattern RandomPattern = TRandomPattern::None;
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
