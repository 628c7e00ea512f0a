// One play of the soak: a stage (or a whole run) at a difficulty, flown by
// the autopilot (with slips) or by a random key script, with what it left
// behind: the outcome, the real time it took, the process's peak memory
// while it ran and the tracked memory still held once it was over.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "input_script.h"
#include "sim_run.h"

struct soak_play {
    int index = 0;
    std::string stage; // "1" to "6", "epilogue", or "run" for a whole game
    int difficulty = 3;
    bool pilot = false;
    std::uint32_t seed = 0; // the random script's, or the pilot's slips
};

// The soak's plays in order, in blocks: every stage at every difficulty (the
// cheat's too), then one whole game; the stages of one block in ten are
// flown by the pilot (Practice to Hard), everything else by random scripts.
soak_play soak_play_of(int index);

struct soak_limits {
    int level_frames = 20000; // frames of play, then Escape
    int run_frames = 10000;   // presented frames of a whole run, then the leaving hands
};

struct soak_record {
    sim_outcome outcome;
    double ms = 0;                 // real time of the play
    long peak_kb = -1;             // the process's peak resident memory during the play
    std::size_t tracked_bytes = 0; // still tracked after the play
    std::size_t tracked_blocks = 0;
};

// Random holds and presses of every key, Escape and Enter included, over the
// given frames; at most one Escape in a level (it ends the level).
std::vector<script_event> random_script(std::uint32_t seed, int frames, bool whole_run);

bool play_soak(sim_session& session, const soak_play& play, const soak_limits& limits,
               soak_record& record, std::string& error);

// One JSON line: the play and its record.
std::string soak_json(const soak_play& play, const soak_record& record);
