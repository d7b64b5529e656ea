#pragma once

#include <cstdio>
#include <cstdlib>

// A promise the code under test broke: said on stderr, so the fuzzer's log
// names it beside the input it left in the artifacts, then a crash.
[[noreturn]] inline void fuzzCheckFailed(const char* condition, const char* file, int line)
{
    std::fprintf(stderr, "%s:%d: check failed: %s\n", file, line, condition);
    std::abort();
}

#define FUZZ_CHECK(condition) ((condition) ? void() : fuzzCheckFailed(#condition, __FILE__, __LINE__))
