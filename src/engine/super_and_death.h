// The super attack, the player's explosion and respawn, and the game over test.
#pragma once

#include "engine/level_run.h"

// The three bursts' templates, made once per level.
struct super_bursts {
    shot* red[9];
    shot* blue[9];
    shot* star[10];
};

super_bursts make_super_bursts(const asset_table& assets);

// One D press: a burst of the gauge's colour for two gauge units.
void super_attack(level_run& run, const super_bursts& bursts);
// While the ship explodes nothing happens; once the explosion is over the
// ship respawns below the screen and rises back for 22 frames.
void explosion_and_respawn(level_run& run);
// After update_scene: the explosion of the last life is over. Sets quit and
// lost and draws the game over banner.
void game_over_test(level_run& run);
