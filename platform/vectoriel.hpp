// Vector loops: a portable version, written for compilers to turn into vector
// instructions, and on x86-64 ELF systems a second one in AVX2 intrinsics,
// chosen as the program loads when the processor has AVX2. Not on Windows:
// MinGW-w64's GCC does not align the stack for AVX2 values it spills.
// CRASH2VEP_SANS_AVX2 keeps the portable version alone, so that tests and
// fuzzers can run it on a processor with AVX2.
#pragma once

#if defined(__x86_64__) && defined(__ELF__) && !defined(CRASH2VEP_SANS_AVX2)
#define AVEC_AVX2 1
#define VERSION_AVX2 __attribute__((target("avx2,popcnt")))
#include <immintrin.h>

// Whether the processor the program runs on has what VERSION_AVX2 uses.
inline bool processeur_avx2()
{
    __builtin_cpu_init(); // may run before the compiler's own initialisation
    return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("popcnt");
}
#else
#define AVEC_AVX2 0
#endif
