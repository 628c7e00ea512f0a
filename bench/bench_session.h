// The simulator session the level benchmarks share: SDL on its dummy drivers
// with the whole generated catalogue, opened once.
#pragma once

#include <cstdio>

#include "sim_run.h"

inline sim_session& bench_session() {
    static sim_session s;
    static bool opened = false;
    if (!opened) {
        std::string error;
        opened = open_sim_session(GRAZE_ASSET_DIR, s, error);
        if (!opened) std::fprintf(stderr, "%s\n", error.c_str());
    }
    return s;
}
