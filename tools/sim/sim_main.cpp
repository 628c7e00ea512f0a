// graze-sim: plays a level headless from an input script and prints a JSON
// summary; optionally a JSON-lines trace and PNGs of presented frames.
//   graze-sim (--level N | --run | --one-run) [--difficulty D] [--score S] [--input FILE]
//             [--max-frames N] [--trace FILE] [--frames-dir DIR --every K]
//             [--assets DIR] [--autopilot] [--save-input FILE]
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "pilot_hands.h"
#include "sim_run.h"

#ifndef GRAZE_ASSET_DIR
#define GRAZE_ASSET_DIR "."
#endif

namespace {

int usage(const char* why) {
    std::fprintf(stderr,
                 "graze-sim: %s\nusage: graze-sim (--level N | --run | --one-run) [--difficulty D] "
                 "[--score S] "
                 "[--input FILE] [--max-frames N] [--trace FILE] [--frames-dir DIR --every K] "
                 "[--assets DIR] [--draw 0|1] [--autopilot] [--save-input FILE]\n",
                 why);
    return 2;
}

bool read_int(const char* text, int& value) {
    char* end = nullptr;
    const long v = std::strtol(text, &end, 10);
    if (*text == '\0' || *end != '\0' || v < -2000000000L || v > 2000000000L) return false;
    value = static_cast<int>(v);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    sim_options options;
    int draw = 0;
    bool autopilot = false;
    std::string input_path, trace_path, save_path, asset_dir = GRAZE_ASSET_DIR;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--run" || arg == "--autopilot") {
            (arg == "--run" ? options.whole_run : autopilot) = true;
            continue;
        }
        if (arg == "--one-run") {
            options.whole_run = options.one_run = true;
            continue;
        }
        if (i + 1 >= argc) return usage(("missing value after " + arg).c_str());
        const char* value = argv[++i];
        bool ok = true;
        if (arg == "--level")
            options.level = value;
        else if (arg == "--difficulty")
            ok = read_int(value, options.difficulty) && known_difficulty(options.difficulty);
        else if (arg == "--score")
            ok = read_int(value, options.score);
        else if (arg == "--input")
            input_path = value;
        else if (arg == "--max-frames")
            ok = read_int(value, options.max_frames);
        else if (arg == "--trace")
            trace_path = value;
        else if (arg == "--frames-dir")
            options.frames_dir = value;
        else if (arg == "--every")
            ok = read_int(value, options.every) && options.every > 0;
        else if (arg == "--assets")
            asset_dir = value;
        else if (arg == "--draw")
            ok = read_int(value, draw);
        else if (arg == "--save-input")
            save_path = value;
        else
            return usage(("unknown option " + arg).c_str());
        if (!ok) return usage(("bad value for " + arg).c_str());
    }
    if (!options.whole_run && !known_level(options.level))
        return usage(("unknown level " + options.level).c_str());
    if (!input_path.empty()) {
        std::ifstream in(input_path);
        if (!in) return usage(("cannot read " + input_path).c_str());
        std::stringstream text;
        text << in.rdbuf();
        std::string error;
        if (!parse_input_script(text.str(), options.input, error))
            return usage((input_path + ": " + error).c_str());
    }
    options.trace = !trace_path.empty();
    options.draw = draw != 0;
    // Paths given on the command line are relative to where we were started.
    const std::string started_in = std::filesystem::current_path().string();
    auto absolute = [&](std::string& path) {
        if (!path.empty() && path[0] != '/') path = started_in + "/" + path;
    };
    absolute(trace_path);
    absolute(options.frames_dir);
    absolute(save_path);
    if (autopilot && !input_path.empty()) return usage("--autopilot plays without --input");
    // The pilot leaves a whole run from the title itself; the simulator's
    // hands only step in if it never gets there.
    if (autopilot && options.whole_run && options.max_frames < 0)
        options.max_frames = pilot_run_frame_limit;
    pilot_hands hands;
    if (autopilot) attach_pilot(hands, options);

    // The trace is written as the run goes, so a run of any length keeps its
    // memory flat.
    std::ofstream trace;
    if (options.trace) {
        trace.open(trace_path);
        if (!trace) return usage(("cannot write " + trace_path).c_str());
        options.trace_out = &trace;
    }
    stop_runs_on_signals();

    sim_session session;
    std::string error;
    if (!open_sim_session(asset_dir, session, error)) {
        std::fprintf(stderr, "graze-sim: %s\n", error.c_str());
        return 1;
    }
    sim_outcome outcome;
    if (!run_level_sim(session, options, outcome, error)) {
        std::fprintf(stderr, "graze-sim: %s\n", error.c_str());
        close_sim_session(session);
        return 1;
    }
    if (!save_path.empty()) {
        std::ofstream saved(save_path);
        saved << "# graze-sim key log: "
              << (options.whole_run ? "a whole run" : "level " + options.level)
              << (autopilot ? ", flown by the autopilot" : "") << ", difficulty "
              << options.difficulty << "\n"
              << key_log_script(run_key_log(autopilot ? hands.log : options.input, options));
    }
    std::printf("%s\n", summary_json(outcome).c_str());
    close_sim_session(session);
    return 0;
}
