// The player's ship: creation, steering inside the play field, the pictures
// by direction and state, and the two guns.
#pragma once

#include "engine/level_run.h"

// The guns' templates, made once per level: fire_template copies them.
struct gun_templates {
    shot* main_plain;
    shot* main_powered;
    shot* side_right_plain;
    shot* side_left_plain;
    shot* side_right_powered;
    shot* side_left_powered;
};

ship* new_player_ship(const level_run& run);
gun_templates make_gun_templates(const asset_table& assets);

// The exhaust flame's counter: 0 to 20, the first picture below 11.
void advance_flame(level_state& st);

// Powered while invulnerable or just after a graze.
bool is_powered(const ship* player);
// The forward picture for the current flame frame and state.
SDL_Surface* forward_picture(const level_run& run, const ship* player);

// Steering and guns for one frame of play, from the key state.
void steer_and_fire(level_run& run, const gun_templates& guns, const Uint8* keys);
