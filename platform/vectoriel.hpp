// Vector loops: a portable version, written for compilers to turn into vector
// instructions, and where the loader can pick a version of a function for the
// processor it runs on (x86-64 ELF), a second one in AVX2 intrinsics, chosen
// at load time on processors that have AVX2. CRASH2VEP_SANS_AVX2 keeps the
// portable version alone, so that tests and fuzzers can run it on a processor
// with AVX2.
#pragma once

#if defined(__x86_64__) && defined(__ELF__) && !defined(CRASH2VEP_SANS_AVX2)
#define AVEC_AVX2 1
#define VERSION_PORTABLE __attribute__((target("default")))
#define VERSION_AVX2 __attribute__((target("avx2,popcnt")))
#include <immintrin.h>
#else
#define AVEC_AVX2 0
#define VERSION_PORTABLE
#endif
