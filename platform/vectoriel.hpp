// Loops written for compilers to turn into vector instructions.
#pragma once

// Where the loader can pick a version of a function for the processor it runs
// on, such a function also gets one for processors with AVX2: twice the bytes
// per instruction. CRASH2VEP_SANS_AVX2 leaves the portable version alone, so
// that tests and fuzzers can run it on a processor with AVX2.
#if defined(__x86_64__) && defined(__ELF__) && !defined(CRASH2VEP_SANS_AVX2)
#define AUSSI_AVX2 __attribute__((target_clones("avx2", "default")))
#else
#define AUSSI_AVX2
#endif
