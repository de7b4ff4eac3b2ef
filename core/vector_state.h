// Long loops of scalar floating point run after library code (the window system's image
// routines) that may use 256-bit vector instructions and return with the upper halves of the
// vector registers in use. Until those halves are cleared, each SSE instruction of the loop
// waits on them; a 10^7-step run then takes a sixth longer. VZEROUPPER clears them, as compilers
// do at the end of their own vector code. It exists only where AVX does, which is also the only
// place that state can arise.
#pragma once

namespace kemi {

inline void clearUpperVectorState() {
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
  if (__builtin_cpu_supports("avx")) __asm__ volatile("vzeroupper" ::: "memory");
#endif
}

}  // namespace kemi
