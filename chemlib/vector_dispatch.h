#pragma once
// The processor dispatch of the vector loops: an AVX2 and a baseline version of the function,
// chosen when the program loads. Left out of the thread-sanitizer build, whose runtime is not
// started yet when the loader runs the choosing resolvers; the baseline gives the same bits.

#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__) && !defined(__SANITIZE_THREAD__)
#define VANTOR_VECTOR_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define VANTOR_VECTOR_CLONES
#endif
