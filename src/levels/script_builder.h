// Small helpers for writing level scripts: shot patterns, steps and their
// repetition in a path, and the list of enemies in queue order.
#pragma once

#include <initializer_list>

#include "engine/level_config.h"
#include "objects/enemy.h"
#include "support/asset_table.h"

// A list of up to ten shot templates fired together on a step's first frame.
struct shot_pattern {
    shot* templates[step_template_capacity];
    int count;
};

// Both stop the build with a message past ten templates.
shot_pattern make_pattern(std::initializer_list<shot*> templates);
void add_template(shot_pattern& pattern, shot* t);

// A template with the two pictures of a bullet colour.
struct bullet_look {
    SDL_Surface* picture_a;
    SDL_Surface* picture_b;
    int size;
};
// Where a bullet leaves from, inside the firing enemy's picture, and the
// pixels it moves a frame; an accelerating bullet's velocity is multiplied by
// its factors after each move.
struct launch_point {
    int x, y;
};
struct launch_speed {
    int x, y;
};
struct accel_factors {
    double x, y;
};
struct bullet_launch {
    launch_point from;
    launch_speed speed;
};
struct accelerating_launch {
    launch_point from;
    launch_speed speed;
    accel_factors accel;
};
shot* bullet(const bullet_look& look, const bullet_launch& launch, int kind = 0);
shot* accelerating_bullet(const bullet_look& look, const accelerating_launch& launch, int kind = 0);

// A pattern as rows, one bullet a row: {look, from, speed[, accel[, kind]]}.
// A row without factors ({0, 0}) is a plain bullet that keeps its speed. The
// look is the pictures themselves, or (in tables written before the
// catalogue is loaded) their name.
template <typename look_type> struct bullet_of {
    look_type look;
    launch_point from;
    launch_speed speed;
    accel_factors accel = {0.0, 0.0};
    int kind = 0;
};
using bullet_row = bullet_of<bullet_look>;
// The pattern's template for one row.
shot* bullet_from(const bullet_row& row);
shot_pattern make_pattern(std::initializer_list<bullet_row> rows);

// The enemy bullet looks of the catalogue.
struct bullet_looks {
    bullet_look small_red, small_blue, small_green;
    bullet_look large_red, large_blue, large_green;
};
bullet_looks catalogue_bullets(const asset_table& assets);

// A firing step: fires the pattern on its first frame (with the sound) while
// moving (dx, dy) a frame for `frames` frames.
move_step* fire(const shot_pattern& pattern, Mix_Chunk* sound, int frames, int dx = 0, int dy = 0);
// Adds the step `times` times to the path (steps may be shared).
void add_steps(enemy* e, path_kind path, move_step* step, int times = 1);
// A step and how many times in a row the path takes it.
struct step_run {
    move_step* step;
    int times;
};
// Adds the runs to the path in order.
void add_runs(enemy* e, path_kind path, std::initializer_list<step_run> runs);
// Shorthand for a plain moving step added once.
void add_move(enemy* e, path_kind path, int dx, int dy, int frames);

// Enemies in the order the level queues them. The capacity is the level's
// own count of what it queues: queuing past it, or finishing short of it,
// stops the build with a message.
struct queue_builder {
    enemy** order;
    int count;
    int capacity;
};
queue_builder make_queue_builder(int capacity);
void queue_in_order(queue_builder& queue, enemy* e);
level_script finish_script(enemy* boss, const queue_builder& queue);
