// One level in progress: its configuration, the loop's own variables, the
// scene and the boss. The engine and the level hooks share it.
#pragma once

#include <SDL/SDL.h>

#include "engine/level_config.h"
#include "engine/level_interface.h"
#include "objects/scene.h"
#include "support/tracked_memory.h"

// A scrolling backdrop's rectangle with the picture it was made for.
struct bg_layer {
    SDL_Rect rect;
    SDL_Surface* picture;
};

// The warning's phases run 1 to 3; the boss fight is phase 4.
inline constexpr int boss_phase = 4;

struct level_state {
    int quit;
    int lost;
    int escaped;
    int respawning;
    int moved;
    int fired;
    int flame_counter; // 0..20; the first ship picture while below 11
    int boss_blink;    // 0..9
    int boss_phase;    // 0..4: the warning's three steps, then boss_phase (the fight)
    Uint32 next_deadline;
    Uint32 last_shot_ms;
    int flash_done;
    int intro_y;
    double boss_bar_scale;
    bg_layer* main_layer;  // y is the scroll offset
    bg_layer* strip_layer; // the strip's source rectangle
    SDL_Rect strip_destination;
    int backdrop_frame; // animated: 0..29
    int step_counter;
    int warning_seen;  // the warning banner has shown at least once
    int play_frame;    // frames of play so far
    Uint32 phase_tick; // when the warning timeline last moved on
};

struct level_run {
    const level_config* config;
    SDL_Surface* screen;
    const asset_table* assets;
    int difficulty;
    int frame_ms;
    level_state state;
    scene* world;
    enemy* boss;
    SDL_Surface** cave_frames; // animated backdrop: the 30 frame pictures
    void* level_own;           // the level's own record (level_config::make_own)
};

// The level's own record, as its make_own hook made it.
template <typename record> record& own_record(level_run& run) {
    return *static_cast<record*>(run.level_own);
}

inline SDL_Surface* run_picture(const level_run& run, int slot) {
    return picture_slot(*run.assets, slot);
}

// Milliseconds of play so far (the spawn times and the warning count from here).
inline Uint32 level_clock(const level_run& run, Uint32 now) { return now - run.world->start_ms; }
