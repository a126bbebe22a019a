// What every fuzz target shares: a broken property prints what broke and aborts, which libFuzzer
// reports as a crash and saves the input for.
#pragma once

#include <cstdio>
#include <cstdlib>

#define KIVPRISM_FUZZ_CHECK(condition, what)                                                 \
  do {                                                                                       \
    if (!(condition)) {                                                                      \
      std::fprintf(stderr, "fuzz property broken at %s:%d: %s\n", __FILE__, __LINE__, what); \
      std::abort();                                                                          \
    }                                                                                        \
  } while (false)
