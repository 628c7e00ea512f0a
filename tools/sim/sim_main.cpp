// graze-sim: plays a level or the whole game headless from an input script
// and prints a JSON summary; optionally a JSON-lines trace, the key log and
// PNGs of presented frames. Everything it reads is checked and everything it
// writes is opened before the first frame (sim_files.h); the options are in
// one table (sim_command_line.cpp).
//   status 0: played (a stop signal included); 1: a write failed or the game
//   could not start; 2: the command line or the input script was refused.
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>

#include "pilot_hands.h"
#include "platform/report.h"
#include "shown_text.h"
#include "sim_command_line.h"
#include "sim_files.h"
#include "sim_run.h"

#ifndef GRAZE_ASSET_DIR
#define GRAZE_ASSET_DIR "."
#endif

namespace {

constexpr int status_played = 0;
constexpr int status_failed = 1;
constexpr int status_refused = 2;

int fail(int status, const std::string& message) {
    std::fprintf(stderr, "graze-sim: %s\n", escaped(message).c_str());
    return status;
}

// One line, as every other message: the options are a --help away.
int refuse_command(const std::string& reason) {
    return fail(status_refused, reason + " (see graze-sim --help)");
}

int cannot_write(const std::string& path, const std::string& reason) {
    return fail(status_failed, "cannot write " + path + ": " + reason);
}

// The files a run writes, all open before its first frame.
struct run_outputs {
    output_file trace;
    output_file saved_keys;
    int frames_folder = -1;
};

void close_quietly(run_outputs& out) {
    std::string ignored;
    close_output(out.trace, ignored);
    close_output(out.saved_keys, ignored);
    if (out.frames_folder >= 0) ::close(out.frames_folder);
    out.frames_folder = -1;
}

} // namespace

int main(int argc, char** argv) {
    sim_command command;
    // Every line this program prints starts with its own name, the game's
    // reports included.
    set_report_prefix("graze-sim");
    command.asset_dir = GRAZE_ASSET_DIR;
    std::string reason;
    if (!parse_sim_command(argc, argv, command, reason)) return refuse_command(reason);
    if (command.help) {
        std::fputs(sim_usage().c_str(), stdout);
        return std::fflush(stdout) == 0 ? status_played : status_failed;
    }
    sim_options& options = command.options;
    options.draw = command.draw;
    // A reader that goes away (a closed pipe) makes a write fail, reported
    // as any other, instead of ending the program.
    std::signal(SIGPIPE, SIG_IGN);

    if (!command.input_path.empty()) {
        const bool from_standard_input = command.input_path == "-";
        const std::string source = from_standard_input ? "the standard input" : command.input_path;
        std::string text;
        const bool read = from_standard_input ? read_standard_input(script_size_limit, text, reason)
                                              : read_regular_file(command.input_path,
                                                                  script_size_limit, text, reason);
        if (!read) return fail(status_refused, "cannot read " + source + ": " + reason);
        if (!parse_input_script(text, options.input, reason))
            return fail(status_refused, source + ": " + reason);
    }

    // Paths given on the command line are relative to where we were started:
    // everything is opened here, before the session enters the asset folder.
    run_outputs out;
    if (!command.trace_path.empty()) {
        if (!open_output(out.trace, command.trace_path, reason))
            return cannot_write(command.trace_path, reason);
        options.trace = true;
        options.trace_out = &out.trace.stream;
    }
    if (!command.save_path.empty() && !open_output(out.saved_keys, command.save_path, reason)) {
        close_quietly(out);
        return cannot_write(command.save_path, reason);
    }
    if (!options.frames_dir.empty()) {
        if (!open_output_folder(options.frames_dir, out.frames_folder, reason)) {
            close_quietly(out);
            return cannot_write(options.frames_dir, reason);
        }
        options.frames_folder = out.frames_folder;
    }

    // The pilot leaves a whole run from the title itself; the simulator's
    // hands only step in if it never gets there.
    if (command.autopilot && options.whole_run && options.max_frames < 0)
        options.max_frames = pilot_run_frame_limit;
    pilot_hands hands;
    if (command.autopilot) attach_pilot(hands, options);
    stop_runs_on_signals();

    sim_session session;
    std::string error;
    if (!open_sim_session(command.asset_dir, session, error)) {
        close_quietly(out);
        return fail(status_failed, error);
    }
    sim_outcome outcome;
    const bool played = run_level_sim(session, options, outcome, error);
    close_sim_session(session);
    if (!played) {
        close_quietly(out);
        return fail(status_failed, error);
    }

    // A run whose trace, key log or frames did not all reach the disk is not
    // reported as complete: no summary, status 1.
    if (out.saved_keys.stream.is_open()) {
        out.saved_keys.stream << "# graze-sim key log: "
                              << (options.whole_run ? "a whole run" : "level " + options.level)
                              << (command.autopilot ? ", flown by the autopilot" : "")
                              << ", difficulty " << options.difficulty << "\n"
                              << key_log_script(run_key_log(
                                     command.autopilot ? hands.log : options.input, options));
    }
    std::string trace_reason;
    const bool trace_written = close_output(out.trace, trace_reason) && !outcome.trace_error;
    if (outcome.trace_error) trace_reason = std::strerror(outcome.trace_error);
    std::string keys_reason;
    const bool keys_written = close_output(out.saved_keys, keys_reason);
    if (out.frames_folder >= 0) ::close(out.frames_folder);
    if (!trace_written) return cannot_write(command.trace_path, trace_reason);
    if (!keys_written) return cannot_write(command.save_path, keys_reason);
    if (!outcome.frame_error.empty())
        return fail(status_failed, "cannot write " + outcome.frame_error);

    std::printf("%s\n", summary_json(outcome, command.options.summary_digest).c_str());
    if (std::fflush(stdout) != 0) return cannot_write("the standard output", std::strerror(errno));
    return status_played;
}
