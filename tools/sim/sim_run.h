// Plays one level under the simulated backend, as fast as the machine allows,
// and reports its outcome and, on request, a trace of what happened.
#pragma once

#include <cstdint>

#include <SDL/SDL.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "input_script.h"
#include "play_digest.h"
#include "support/asset_table.h"

struct level_run;

// SDL on its dummy drivers with the whole catalogue loaded, shared by runs.
struct sim_session {
    SDL_Surface* screen = nullptr;
    asset_table* assets = nullptr;
};

// Opens the session with the assets of the given folder (the game's working
// folder). False with a message on failure.
bool open_sim_session(const std::string& asset_dir, sim_session& session, std::string& error);
void close_sim_session(sim_session& session);

struct sim_options {
    std::string level = "1";
    // The whole game instead of one level: intro, title, menus, the level
    // chain and the end screens. Input frames then count presented frames from
    // the first one, and once the script is over (or from max_frames on) the
    // simulator presses Escape and closes the window once a second until the
    // game says goodbye.
    bool whole_run = false;
    // With whole_run: leave the game once the first run's end screens are
    // over, whatever the script still holds.
    bool one_run = false;
    int difficulty = 3;
    int score = 0;
    std::vector<script_event> input;
    // Stop after this many frames of play, as Escape would. Without it a level
    // run stops after one hour of play: a ship parked out of every bullet's
    // reach would otherwise play for ever.
    int max_frames = -1;
    bool trace = false;
    // The summary also gives the play digest.
    bool summary_digest = false;
    // Where the trace goes, line by line as the run goes; without it the lines
    // are kept in the outcome.
    std::ostream* trace_out = nullptr;
    std::string frames_dir; // PNG of every `every`-th presented frame
    // The folder already open (graze-sim opens it before the first frame);
    // otherwise the run creates and opens frames_dir itself.
    int frames_folder = -1;
    int every = 1;
    // Pixels are copied only when asked or when frames are captured; the game
    // plays the same either way.
    bool draw = false;
    // Every K-th presented frame (the first one among them) is drawn and its
    // pixels folded into the play digest; the frames between are drawn only
    // when draw or frames_dir asks for them. 0: no pixels in the digest.
    int picture_every = 0;
    // Called at the end of every frame of play, read-only (tests watch the
    // level through it).
    std::function<void(const level_run&)> watch_frame;
    // Called on every flip with the presented frame's number (the autopilot
    // reads the screens between levels through it).
    std::function<void(int frame)> watch_flip;
};

struct sim_outcome {
    int code = 0;
    int score = 0;
    int kills = 0;
    int lives = 0;
    int frames = 0; // frames of play
    int boss_hp = 0;
    // Every frame of play folded into one fingerprint (play_digest.h).
    std::uint64_t play_digest = play_digest_start;
    Uint32 ticks = 0;               // virtual time of the whole call
    std::vector<std::string> trace; // JSON lines, in time order (unless streamed)
    // Why the simulator cut the run short, if it did: "one hour of play" (the
    // play limit) or "signal" (SIGTERM or SIGINT).
    std::string stopped;
    // The error number of the first write to trace_out that failed (0: none),
    // and "PATH: REASON" for the first frame that could not be saved.
    int trace_error = 0;
    std::string frame_error;
};

// Names accepted by --level, and the difficulties the game itself hands a
// level (3, 2, 1, 0, the cheat's 1000 and the epilogue's 200).
bool known_level(const std::string& name);
bool known_difficulty(int difficulty);

// From now on SIGTERM and SIGINT end a run as a player would leave the game
// (Escape, then window closes), so the summary and the trace so far are
// still written.
void stop_runs_on_signals();

// Starts a run as a fresh start of the game would: the random sequence from
// its default seed, the simulated backend cleared and handed the catalogue
// and the real length of every music track.
void start_sim_run(const sim_session& session);

bool run_level_sim(sim_session& session, const sim_options& options, sim_outcome& outcome,
                   std::string& error);
std::string summary_json(const sim_outcome& outcome, bool with_digest = false);
