// The autopilot's hands on the simulated keyboard. In a level they hold the
// keys the pilot chooses, one frame ahead; in a whole run they also get
// through the intro pictures, the title and the difficulty menu, accept the
// continue offer, page through the end screens and leave from the title.
// Every key they touch is written down, so the run replays from its key log.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "autopilot.h"
#include "input_script.h"
#include "pilot_view.h"

struct sim_options;

struct pilot_hands {
    pilot_memory memory;
    pilot_view view;
    int difficulty = 3;
    bool whole_run = false;
    std::array<bool, 6> held{}; // up down left right g f
    std::vector<script_event> log;
    int origin = 0; // presented frame of the first frame of play (one level)
    // The whole run's screens, told by the music the game starts.
    bool in_play = false;
    bool answer_continue = false;
    int music_plays_seen = 0;
    int title_frame = -1;
    int titles_seen = 0;
    bool end_screens = false;
    int last_enter = 0;
    // Slips: with a seed other than 0 the hands now and then play a few
    // dozen frames of random keys instead of the pilot's (the soak's way of
    // varying the pilot's runs).
    std::uint32_t slip_seed = 0;
    int slip_left = 0;
    pilot_keys slip_keys;
};

// Puts the hands on a run: its frame and flip watchers. The hands must
// outlive the run.
void attach_pilot(pilot_hands& hands, sim_options& options);

// A whole run the pilot has not left by this presented frame is wound down
// by the simulator (about an hour and a half of play).
constexpr int pilot_run_frame_limit = 400000;

// The keys of a run as a person would have pressed them: the given ones and,
// for one level stopped at max_frames, the Escape the simulator pressed.
std::vector<script_event> run_key_log(std::vector<script_event> keys, const sim_options& options);

// The key log as an input script (by frame of play for one level, by
// presented frame for a whole run).
std::string key_log_script(const std::vector<script_event>& log);
