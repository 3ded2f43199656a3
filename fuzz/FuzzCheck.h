#pragma once
// Property checks of the fuzz targets: a violated property aborts, so libFuzzer saves the input.

#include <cstdio>
#include <cstdlib>

namespace corvex::fuzz {

inline void require(bool ok, const char* property) {
    if (ok) return;
    std::fprintf(stderr, "property violated: %s\n", property);
    std::abort();
}

} // namespace corvex::fuzz
