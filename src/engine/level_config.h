// What tells one level's loop from another's. Every level (and the epilogue)
// is a level_config plus its builder; one engine runs them all.
#pragma once

#include "objects/enemy.h"
#include "support/asset_table.h"
#include "support/tracked_memory.h"

struct level_run;

// A zeroed record of the level's own, for level_config::make_own.
template <typename record> void* make_own_record() { return tracked_make<record>(); }

constexpr int no_slot = -1;
constexpr int never = -1;

enum class backdrop_kind { scrolling, animated };

// What the builder hands back: the boss (whose hit points end the level) and
// every enemy in the order they are queued (each pushed to the front).
struct level_script {
    enemy* boss;
    enemy** queue_order;
    int enemy_count;
};

struct level_config {
    int title_card;  // slot drawn on entry
    int stage_music; // played once when the intro starts; no_slot for none
    int boss_music;  // started in the boss phase whenever nothing plays; no_slot for none
    bool music_before_wait = false; // the epilogue starts its music before the 3 s wait
    backdrop_kind backdrop;
    // Scrolling: the first picture until switch_ms of play, the second after,
    // with the flash picture drawn once at the switch; the outro picture in
    // the outro. Animated: the first of 30 frame slots, drawn over the
    // hud_frame base.
    int first_picture;
    int second_picture = no_slot;
    int switch_ms = never;       // never: no switch
    int flash_picture = no_slot; // no_slot: no flash
    int outro_picture = no_slot;
    int third_step_from_ms = never; // a third 2-pixel scroll step from this level_clock on
    int ship_start_y = 410;
    int intro_stop_y = 410;
    int warning_time; // level_clock of the first warning sound; never: no warning timeline
    double boss_bar_scale;
    int hud_frame = slot_contour1;
    // The player: lives from the difficulty unless fixed_lives is above 0.
    int fixed_lives = 0;
    int player_colour = 0;

    // Builds every template, enemy and path of the level (before the ship).
    level_script (*build)(const asset_table& assets) = nullptr;
    // Makes the record a level's hooks keep between frames (in tracked
    // memory, released with the level); the engine only hands it back.
    void* (*make_own)() = nullptr;
    // Optional hooks for the levels that differ in the frame itself.
    // The backdrop picture of a frame of play (default: first / second by switch_ms).
    int (*choose_backdrop)(level_run& run) = nullptr;
    // Replaces the warning, boss music, boss display, flip and boss test of a
    // frame of play (the epilogue's own ending rule).
    void (*end_of_frame)(level_run& run) = nullptr;
    // Replaces the lives-and-kills bonus at outro frame 336.
    void (*outro_bonus)(level_run& run) = nullptr;
};
