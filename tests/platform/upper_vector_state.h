#pragma once
// Asks the processor whether the upper halves of the AVX registers hold
// anything (XGETBV with ECX = 1). Left dirty after AVX code, they make every
// later SSE instruction of the thread wait on the register it overwrites.
//
// Only optimised builds are checked: GCC puts the clearing (vzeroupper) at the
// end of AVX code only when it optimises, so a debug build leaves the halves
// dirty after every vector copy and the question has no meaning there.
#include <cstdint>

#if defined(__x86_64__) && defined(__GNUC__) && defined(__OPTIMIZE__)
#include <cpuid.h>
#define VANTREL_CAN_READ_VECTOR_STATE 1

namespace vector_state {

// Whether the processor reports which register states are in use.
inline bool CanAskStateInUse() {
  unsigned a = 0, b = 0, c = 0, d = 0;
  if (__get_cpuid_max(0, nullptr) < 0xD) return false;
  __cpuid_count(1, 0, a, b, c, d);
  const bool osSaves = (c & (1u << 27)) != 0;
  __cpuid_count(0xD, 1, a, b, c, d);
  return osSaves && (a & (1u << 2)) != 0;
}

inline bool UpperHalvesInUse() {
  uint32_t low = 0, high = 0;
  __asm__ volatile("xgetbv" : "=a"(low), "=d"(high) : "c"(1));
  return (low & (1u << 2)) != 0;
}

}  // namespace vector_state
#endif
