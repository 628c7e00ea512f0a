// graze-sim's command line: one table of options (name, value, how it is read
// and checked, help), the usage text made from it, and the checks across
// options (one mode, no option twice).
#pragma once

#include <string>

#include "sim_run.h"

// What the command line asks for.
struct sim_command {
    sim_options options;
    bool autopilot = false;
    bool draw = false;
    bool help = false; // --help: the usage on standard output, status 0
    std::string input_path;
    std::string trace_path;
    std::string save_path;
    std::string asset_dir;
};

// Reads argv into `command` (whose asset_dir holds the default beforehand).
// False with the reason (control bytes not yet escaped, a quoted word cut)
// when the command line is refused: no arguments, an unknown option, a
// missing or bad value ("-" for a file written or a folder), an option given
// twice, no mode or two of them, options that do not go together. An
// input_path of "-" is the standard input.
bool parse_sim_command(int argc, const char* const* argv, sim_command& command,
                       std::string& reason);

// The usage: the synopsis and one line per option, from the table.
std::string sim_usage();
