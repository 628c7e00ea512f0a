// A shot: the player's bullets, the super bolts and every enemy bullet. The
// same record serves as a template, whose rectangle holds the offset from the
// firing ship instead of a screen position.
#pragma once

#include <SDL/SDL.h>

#include <cstddef>

// What a shot does to an enemy and how it leaves the play field.
enum shot_kind : int {
    shot_main = 0,   // player main gun, and every plain enemy bullet
    shot_side = 1,   // player side guns
    shot_main_a = 2, // main gun while powered: charges the gauge on a kill
    shot_side_a = 3, // side guns while powered: charges the gauge, leaves by top/bottom only
    shot_super = 4,  // super attack bolt
};

struct shot {
    SDL_Rect rect; // first: the record is its own blit destination
    SDL_Surface* picture_a;
    SDL_Surface* picture_b;
    int anim_counter;
    int anim_switch;
    int anim_period;
    int kind;
    int speed_x, speed_y; // starting step, copied when a template fires
    double accel_x, accel_y;
    double velocity_x, velocity_y;
};
static_assert(offsetof(shot, rect) == 0);

shot* new_shot(SDL_Rect rect, SDL_Surface* picture, int kind, int speed_x, int speed_y);
shot* new_animated_shot(SDL_Rect rect, SDL_Surface* picture_a, SDL_Surface* picture_b, int kind,
                        int speed_x, int speed_y);
// Also the copy of a template: a copy never inherits changed animation values
// or a changed velocity.
shot* new_shot_accel(SDL_Rect rect, SDL_Surface* picture_a, SDL_Surface* picture_b, int kind,
                     int speed_x, int speed_y, double accel_x, double accel_y);
// Fills an existing record exactly as new_shot_accel would create it.
void init_shot(shot& s, SDL_Rect rect, SDL_Surface* picture_a, SDL_Surface* picture_b, int kind,
               int speed_x, int speed_y, double accel_x, double accel_y);

void set_shot_anim(shot* s, int anim_switch, int anim_period);
void set_shot_velocity(shot* s, double velocity_x, double velocity_y);

// Damage a shot of this kind does to an enemy.
int shot_damage(int kind);
// Whether a shot is past the bounds where it is removed (tested before it moves).
bool shot_out_of_bounds(const shot& s);
// The move: truncated velocity added in 16 bits, then the acceleration.
void move_shot(shot& s);
// The draw: alternates the two pictures and blits into the shot's own rect.
void draw_shot(shot& s, SDL_Surface* screen);
