// Loops written for compilers to turn into vector instructions.
#pragma once

// Where the loader can pick a version of a function for the processor it runs
// on, such a function also gets one for processors with AVX2: twice the bytes
// per instruction.
#if defined(__x86_64__) && defined(__ELF__)
#define AUSSI_AVX2 __attribute__((target_clones("avx2", "default")))
#else
#define AUSSI_AVX2
#endif
