#include "support/builder_check.h"

#include <cstdio>
#include <cstdlib>

void builder_check(bool ok, const char* what) {
    if (ok) return;
    std::fprintf(stderr, "level script: %s\n", what);
    std::abort();
}
