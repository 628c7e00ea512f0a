// Enemies and bosses: a ship as body, a spawn time, a tag and a movement
// script of three paths of steps (entry once, main, final).
#pragma once

#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>

#include <array>
#include <initializer_list>
#include <span>

#include "objects/ship.h"

constexpr int step_template_capacity = 10;
constexpr int path_capacity = 1000;

// Moves the enemy by (dx, dy) on each of its frames and, on its first frame,
// fires its templates and plays its sound. A step may be shared by many
// paths and enemies: all progress lives in the enemy.
struct move_step {
    int dx, dy;
    int frames;
    std::array<shot*, step_template_capacity> templates; // list ends at the first null
    Mix_Chunk* sound;
};

using step_path = std::array<move_step*, path_capacity>;

enum path_kind { entry_path, main_path, final_path };

// What happens when the final path ends.
constexpr int final_once = 0;   // the script is over
constexpr int final_repeat = 1; // the final path starts again
constexpr int final_ended = 2;  // set by the runner once the script is over

struct enemy {
    ::ship* ship; // the body
    int spawn_ms; // after the level's start time
    const char* tag;
    int path_capacity;
    step_path entry_path;
    step_path main_path;
    step_path final_path;
    int step_index;
    int step_frame;
    int step_fired;
    int on_main;
    int on_final;
    int on_entry;
    int hold_main;
    int final_mode;
    int explosion_w, explosion_h;
    int score_value;
    SDL_Surface** frame_pictures; // the two animation pictures
    int anim_counter;
    int anim_switch;
    int anim_period;
    int flash; // hit without being destroyed since the last draw
    std::array<SDL_Surface*, 2> flash_pictures;
    int half_hit_points;
};

move_step* new_step(int dx, int dy, int frames);
// Copies of the templates, up to ten and up to the first null.
move_step* new_firing_step(int dx, int dy, int frames, std::span<shot* const> templates);
move_step* new_firing_step(int dx, int dy, int frames, std::initializer_list<shot*> templates);
move_step* new_firing_step_sound(int dx, int dy, int frames, std::span<shot* const> templates,
                                 Mix_Chunk* sound);
move_step* new_firing_step_sound(int dx, int dy, int frames, std::initializer_list<shot*> templates,
                                 Mix_Chunk* sound);
// Appends to the path; a full path (1000 steps) takes nothing more.
void add_step(enemy* e, move_step* step, path_kind path);

// What a new enemy is made from, by name.
struct enemy_setup {
    SDL_Rect rect;
    int hit_points;
    int shot_capacity;
    SDL_Surface* picture;
    int colour;
    SDL_Surface* explosion_picture; // a horizontal strip of explosion_frames frames
    int explosion_frames;
    int explosion_frame_ms;
    int spawn_ms;
    const char* tag;
    int explosion_w, explosion_h; // one frame
    int reach_x, reach_y;         // half-extent of the hit box around the centre
    int starts_with_entry;
    int hold_main;
    int final_mode;
    int score_value;
};
enemy* new_enemy(const enemy_setup& setup);

void set_enemy_hit_sound(enemy* e, Mix_Chunk* sound);
void set_enemy_alt_explosion(enemy* e, SDL_Surface* strip);
void set_enemy_explosion(enemy* e, SDL_Surface* strip);
void set_second_frame(enemy* e, SDL_Surface* picture);
void set_flash_pictures(enemy* e, SDL_Surface* picture);
void set_second_flash_picture(enemy* e, SDL_Surface* picture);
void set_enemy_anim(enemy* e, int anim_switch, int anim_period);

bool is_boss(const enemy* e);

// One frame of the enemy's script: move, off-screen test, step bookkeeping,
// firing on a step's first frame.
void run_script(enemy* e);
void update_enemy_shots(enemy* e);
void draw_enemy_shots(enemy* e, SDL_Surface* screen);
void draw_enemy(enemy* e, SDL_Surface* screen);
