#pragma once
// Builds a function once for AVX2 and once for any x86-64, the loader picking
// one when the program starts. ThreadSanitizer builds take the plain version
// only: the loader runs the picking code before the sanitizer's run-time is
// set up, and the instrumented picker crashes there.
#if defined(__SANITIZE_THREAD__)
#define VANTREL_CPU_CLONES
#else
#define VANTREL_CPU_CLONES __attribute__((target_clones("avx2", "default")))
#endif
