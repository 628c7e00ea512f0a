// The scene: a level's whole object world, and the once-per-frame pass that
// spawns, collides, scores, runs scripts, moves, removes and draws it.
#pragma once

#include <SDL/SDL.h>

#include <array>

#include "objects/enemy.h"
#include "objects/ship.h"
#include "support/liste.h"

// Super gauge colours, as the super attack reads them.
constexpr int gauge_none = 0;
constexpr int gauge_red = 1;
constexpr int gauge_blue = 2;
constexpr int gauge_green = 3;
constexpr int gauge_full = 12;
constexpr int score_cap = 99999;

// The player's colour in the epilogue: hides the score digits.
constexpr int player_colour_epilogue = 10;

struct scene {
    ship* player;
    int next_slot; // table entries handed out so far; never goes down
    int enemy_capacity;
    int live_count;
    enemy** enemies;
    Uint32 start_ms; // tick from which spawn times count
    SDL_Surface* gauge_picture;
    SDL_Surface* gauge_blink_picture;
    SDL_Surface* gauge_red;
    SDL_Surface* gauge_blue;
    SDL_Surface* gauge_red_blink;
    SDL_Surface* gauge_blue_blink;
    SDL_Surface* gauge_green;
    SDL_Surface* gauge_green_blink;
    SDL_Surface* panel_picture;
    SDL_Surface* life_picture;
    SDL_Surface* life_picture_alt;
    SDL_Surface* many_lives_picture;
    int gauge_level; // 0 to 12
    liste* pending;  // spawn queue, earliest first
    int score;
    SDL_Surface** digit_pictures; // the scene's own copies, freed by free_scene
    std::array<SDL_Rect, 5> digit_rects;
    int gauge_colour;
    int kills;
    // One flag per player shot slot: drawn already this frame. Taken once
    // with the scene so the per-frame pass allocates nothing.
    unsigned char* shot_drawn;
};

// Lets a tool watch the pass (the simulator's trace); the game sets none.
struct scene_observer {
    void (*spawned)(const enemy* e, void* context);
    void (*killed)(const enemy* e, int points, void* context);
    void (*player_hit)(const ship* player, void* context);
    void* context;
};
void set_scene_observer(const scene_observer* observer);

scene* new_scene(ship* player, int enemy_capacity, Uint32 start_ms, SDL_Surface* gauge_picture,
                 SDL_Surface* gauge_blink_picture, SDL_Surface* panel_picture,
                 SDL_Surface* life_picture, SDL_Surface* life_picture_alt);
void set_gauge_pictures(scene* s, SDL_Surface* red, SDL_Surface* blue, SDL_Surface* green,
                        SDL_Surface* red_blink, SDL_Surface* blue_blink, SDL_Surface* green_blink);
void set_many_lives_picture(scene* s, SDL_Surface* picture);
// Queues in front: levels queue their enemies from the last to appear to the
// first. An enemy queued behind a later one waits for it.
void queue_enemy(scene* s, enemy* e);
void update_scene(scene* s, SDL_Surface* hud_frame, SDL_Rect hud_rect, SDL_Surface* screen);
void free_scene(scene* s);
