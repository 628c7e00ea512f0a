// graze-soak: plays the soak's plays first, first + step, ... in one
// session, up to the given number of plays or until the given seconds are
// up, and prints one JSON line per play as soon as it is over (with its
// place in this process, so memory can be followed across a long process).
// Each play runs under an alarm: one that outlives it ends the process by
// SIGALRM, so a hang is told from a crash by the signal, and the play that
// hung is the one after the last line printed.
//   graze-soak [--first K] [--step J] [--plays N] [--seconds S] [--limit SECONDS]
//              [--level-frames F] [--run-frames F] [--assets DIR]
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "soak_play.h"
#include "platform/report.h"

#ifndef GRAZE_ASSET_DIR
#define GRAZE_ASSET_DIR "."
#endif

namespace {

int usage(const std::string& why) {
    std::fprintf(stderr,
                 "graze-soak: %s\nusage: graze-soak [--first K] [--step J] [--plays N] "
                 "[--seconds S] [--limit SECONDS] [--level-frames F] [--run-frames F] "
                 "[--assets DIR]\n",
                 why.c_str());
    return 2;
}

bool read_count(const char* text, int& value) {
    char* end = nullptr;
    const long v = std::strtol(text, &end, 10);
    if (*text == '\0' || *end != '\0' || v < 0 || v > 2000000000L) return false;
    value = static_cast<int>(v);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    set_report_prefix("graze-soak");
    int first = 0, step = 1, plays = 1, seconds = 0, limit = 120;
    soak_limits limits;
    std::string asset_dir = GRAZE_ASSET_DIR;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (i + 1 >= argc) return usage("missing value after " + arg);
        const char* value = argv[++i];
        bool ok = true;
        if (arg == "--first")
            ok = read_count(value, first);
        else if (arg == "--step")
            ok = read_count(value, step) && step > 0;
        else if (arg == "--seconds")
            ok = read_count(value, seconds);
        else if (arg == "--plays")
            ok = read_count(value, plays);
        else if (arg == "--limit")
            ok = read_count(value, limit) && limit > 0;
        else if (arg == "--level-frames")
            ok = read_count(value, limits.level_frames);
        else if (arg == "--run-frames")
            ok = read_count(value, limits.run_frames);
        else if (arg == "--assets")
            asset_dir = value;
        else
            return usage("unknown option " + arg);
        if (!ok) return usage("bad value for " + arg);
    }

    sim_session session;
    std::string error;
    if (!open_sim_session(asset_dir, session, error)) {
        std::fprintf(stderr, "graze-soak: %s\n", error.c_str());
        return 1;
    }
    const auto start = std::chrono::steady_clock::now();
    for (int nth = 0; nth < plays; ++nth) {
        const auto spent = std::chrono::steady_clock::now() - start;
        if (seconds > 0 && spent >= std::chrono::seconds(seconds)) break;
        const int index = first + nth * step;
        const soak_play play = soak_play_of(index);
        soak_record record;
        alarm(static_cast<unsigned>(limit));
        const bool played = play_soak(session, play, limits, record, error);
        alarm(0);
        if (!played) {
            std::fprintf(stderr, "graze-soak: play %d: %s\n", index, error.c_str());
            close_sim_session(session);
            return 1;
        }
        std::string line = soak_json(play, record);
        line.insert(line.size() - 1, ",\"nth\":" + std::to_string(nth));
        std::printf("%s\n", line.c_str());
        std::fflush(stdout);
    }
    close_sim_session(session);
    return 0;
}
