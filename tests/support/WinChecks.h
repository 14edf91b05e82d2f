#pragma once

// Checks for the tests that run under Wine, where the Windows build has no test framework:
// each failed check prints its line, and main returns finish().

#include <cstdio>

namespace vesperon::test::win {

inline int failures = 0;
inline int checks = 0;

inline void check(bool ok, const char *what, const char *file, int line) {
    ++checks;
    if (!ok)
        ++failures, std::printf("FAILED %s:%d: %s\n", file, line, what);
}
inline int finish() {
    std::printf("%d checks, %d failed\n", checks, failures);
    return failures == 0 ? 0 : 1;
}

} // namespace vesperon::test::win

#define CHECK(condition) ::vesperon::test::win::check((condition), #condition, __FILE__, __LINE__)
