// An enemy kind as the level tables give it: pictures, size, hit points, shot
// slots, colour, explosion, reach, score and script behaviour, by name. One
// constructor turns a kind and a start into an enemy.
#pragma once

#include "engine/level_config.h"
#include "objects/enemy.h"
#include "support/asset_table.h"

struct kind_size {
    int w, h;
};

// A horizontal strip of explosion frames and its timing.
struct explosion_strip {
    int picture; // slot
    int frames;
    int frame_ms;
    int w, h; // one frame
};

// Half-extent of the hit box around the body's centre.
struct hit_reach {
    int x, y;
};

struct enemy_kind {
    const char* tag;
    int picture;                        // slot of the first animation picture
    int second_picture = no_slot;       // set_second_frame; no_slot: the first again
    int flash_picture = no_slot;        // set_flash_pictures (both); no_slot: none
    int second_flash_picture = no_slot; // set_second_flash_picture afterwards; no_slot: none
    kind_size size;
    int hit_points;
    int shot_slots;
    int colour; // what a powered kill gives the gauge: 0 red, 1 blue, 2 green
    explosion_strip explosion;
    hit_reach reach;
    int score;
    int alt_explosion = no_slot; // set_enemy_alt_explosion; no_slot: none
    int hold_main = 0;
    int final_mode = final_once;
    int anim_switch = 0; // set_enemy_anim when above 0
    int anim_period = 0;
    int starts_with_entry = 1;
    int hit_sound = slot_sound_explosion2; // set_enemy_hit_sound; no_slot: none
};

// A new enemy of the kind at (x, y), released spawn_ms after the start of play.
enemy* new_enemy_of(const enemy_kind& kind, const asset_table& assets, int x, int y, int spawn_ms);
