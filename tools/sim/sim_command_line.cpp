#include "sim_command_line.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>
#include <limits>

#include "objects/scene.h"
#include "shown_text.h"

namespace {

// The largest --max-frames: over four years of play at 77 frames a second.
constexpr int largest_frame_count = 2000000000;

// Reads a whole decimal integer in [low, high]: no sign but '-', no spaces.
bool read_int(const char* text, int low, int high, int& value) {
    const char* end = text + std::strlen(text);
    int read = 0;
    const auto [stop, error] = std::from_chars(text, end, read);
    if (error != std::errc{} || stop != end || read < low || read > high) return false;
    value = read;
    return true;
}

// Each reader stores the value and returns null, or returns what is wrong.
using option_reader = const char* (*)(sim_command&, const char* value);

const char* read_level(sim_command& c, const char* value) {
    if (!known_level(value)) return "unknown level (1 to 6, or epilogue)";
    c.options.level = value;
    return nullptr;
}

const char* read_run(sim_command& c, const char*) {
    c.options.whole_run = true;
    return nullptr;
}

const char* read_one_run(sim_command& c, const char*) {
    c.options.whole_run = c.options.one_run = true;
    return nullptr;
}

const char* read_difficulty(sim_command& c, const char* value) {
    int difficulty = 0;
    if (!read_int(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max(),
                  difficulty) ||
        !known_difficulty(difficulty))
        return "not a difficulty of the game (3, 2, 1, 0, 1000 or 200)";
    c.options.difficulty = difficulty;
    return nullptr;
}

const char* read_score(sim_command& c, const char* value) {
    if (!read_int(value, 0, score_cap, c.options.score))
        return "not a score of the game (0 to 99999)";
    return nullptr;
}

const char* read_max_frames(sim_command& c, const char* value) {
    if (!read_int(value, 0, largest_frame_count, c.options.max_frames))
        return "not a frame count (0 to 2000000000)";
    return nullptr;
}

const char* read_every(sim_command& c, const char* value) {
    if (!read_int(value, 1, largest_frame_count, c.options.every))
        return "not a frame count (1 to 2000000000)";
    return nullptr;
}

const char* read_picture_every(sim_command& c, const char* value) {
    if (!read_int(value, 1, largest_frame_count, c.options.picture_every))
        return "not a frame count (1 to 2000000000)";
    return nullptr;
}

const char* read_draw(sim_command& c, const char* value) {
    int draw = 0;
    if (!read_int(value, 0, 1, draw)) return "0 or 1";
    c.draw = draw != 0;
    return nullptr;
}

const char* read_path(std::string& path, const char* value) {
    if (!*value) return "an empty path";
    path = value;
    return nullptr;
}

// "-" is taken as the standard input or output, as other tools do, never as
// a file of that name: the script may come from the standard input; standard
// output carries the summary, and no folder is named so.
constexpr const char* standard_stream = "-";

const char* read_input(sim_command& c, const char* v) { return read_path(c.input_path, v); }
const char* read_output(std::string& path, const char* value) {
    if (std::strcmp(value, standard_stream) == 0)
        return "the standard output carries the summary: name a file (./- for one called -)";
    return read_path(path, value);
}
const char* read_folder(std::string& path, const char* value) {
    if (std::strcmp(value, standard_stream) == 0)
        return "not a folder: name one (./- for one called -)";
    return read_path(path, value);
}
const char* read_trace(sim_command& c, const char* v) { return read_output(c.trace_path, v); }
const char* read_save(sim_command& c, const char* v) { return read_output(c.save_path, v); }
const char* read_assets(sim_command& c, const char* v) { return read_folder(c.asset_dir, v); }
const char* read_frames_dir(sim_command& c, const char* v) {
    return read_folder(c.options.frames_dir, v);
}

const char* read_play_digest(sim_command& c, const char*) {
    c.options.summary_digest = true;
    return nullptr;
}

const char* read_autopilot(sim_command& c, const char*) {
    c.autopilot = true;
    return nullptr;
}

const char* read_help(sim_command& c, const char*) {
    c.help = true;
    return nullptr;
}

struct option_row {
    const char* name;
    const char* value; // the value's name in the usage; null for an option without one
    option_reader read;
    const char* help;
};

constexpr std::array option_table{
    option_row{"--level", "L", read_level, "play one stage: 1 to 6, or epilogue"},
    option_row{"--run", nullptr, read_run,
               "play the whole game: intro, title, menu, the levels, the end screens"},
    option_row{"--one-run", nullptr, read_one_run,
               "--run that leaves the game after its first run"},
    option_row{"--difficulty", "D", read_difficulty,
               "3 Practice (default), 2 Easy, 1 Normal, 0 Hard, 1000 the cheat, 200 the "
               "epilogue's"},
    option_row{"--score", "S", read_score, "the incoming score, 0 to 99999 (default 0)"},
    option_row{"--input", "FILE", read_input,
               "the input script: a regular file of at most 64 MB, or - for the standard input"},
    option_row{"--autopilot", nullptr, read_autopilot, "the pilot plays (instead of --input)"},
    option_row{"--max-frames", "N", read_max_frames,
               "--level: stop after N frames of play, as Escape would; --run: leave "
               "from presented frame N on"},
    option_row{"--trace", "FILE", read_trace, "write the JSON-lines trace"},
    option_row{"--save-input", "FILE", read_save, "write the run's key log as an input script"},
    option_row{"--play-digest", nullptr, read_play_digest,
               "the summary also gives a fingerprint of every frame of play"},
    option_row{"--picture-every", "K", read_picture_every,
               "the play digest also folds the pixels of every K-th presented frame"},
    option_row{"--frames-dir", "DIR", read_frames_dir,
               "save presented frames as PNGs in DIR (created if missing)"},
    option_row{"--every", "K", read_every, "with --frames-dir: every K-th frame (default 1)"},
    option_row{"--draw", "0|1", read_draw, "draw the pixels even without --frames-dir"},
    option_row{"--assets", "DIR", read_assets,
               "the folder holding Images/ and Sound/ (default: the build's)"},
    option_row{"--help", nullptr, read_help, "print this and exit"},
};

constexpr int option_count = static_cast<int>(option_table.size());

int find_option(const char* name) {
    for (int i = 0; i < option_count; ++i)
        if (std::strcmp(name, option_table[i].name) == 0) return i;
    return -1;
}

} // namespace

std::string sim_usage() {
    std::string text = "usage: graze-sim (--level L | --run | --one-run) [OPTION...]\n";
    for (const option_row& row : option_table) {
        std::string left = std::string("  ") + row.name;
        if (row.value) left += std::string(" ") + row.value;
        left.resize(std::max<size_t>(left.size() + 2, 22), ' ');
        text += left + row.help + "\n";
    }
    return text;
}

bool parse_sim_command(int argc, const char* const* argv, sim_command& command,
                       std::string& reason) {
    if (argc <= 1) {
        reason = "no arguments: give --level L, --run or --one-run";
        return false;
    }
    std::array<bool, option_table.size()> given{};
    for (int i = 1; i < argc; ++i) {
        const int index = find_option(argv[i]);
        if (index < 0) {
            reason = "unknown option '" + cut_word(argv[i]) + "'";
            return false;
        }
        const option_row& row = option_table[index];
        if (given[index]) {
            reason = std::string(row.name) + " given twice";
            return false;
        }
        given[index] = true;
        const char* value = "";
        if (row.value) {
            if (i + 1 >= argc) {
                reason = std::string("missing value after ") + row.name;
                return false;
            }
            value = argv[++i];
        }
        if (const char* wrong = row.read(command, value)) {
            reason =
                std::string("bad value for ") + row.name + ": '" + cut_word(value) + "': " + wrong;
            return false;
        }
    }
    if (command.help) return true;
    const auto was_given = [&](const char* name) { return given[find_option(name)]; };
    const int modes = was_given("--level") + was_given("--run") + was_given("--one-run");
    if (modes != 1) {
        reason = modes == 0 ? "no mode: give one of --level, --run, --one-run"
                            : "--level, --run and --one-run are different modes: give one";
        return false;
    }
    if (command.autopilot && !command.input_path.empty()) {
        reason = "--autopilot plays without --input";
        return false;
    }
    if (was_given("--every") && command.options.frames_dir.empty()) {
        reason = "--every only counts with --frames-dir";
        return false;
    }
    return true;
}
