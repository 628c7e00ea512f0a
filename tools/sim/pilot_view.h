// What the autopilot sees of a level at the end of a frame: the ship, every
// enemy and bullet with its position and velocity, the gauge and the lives.
// Read from the level's records through const references only: the pilot
// never touches the game.
#pragma once

#include <vector>

struct level_run;

// A box the ship must not touch: centre, and the half-extents at which the
// game's strict test calls it a hit (the ship's own reach included).
struct seen_bullet {
    int x, y;      // centre
    int reach_x;   // a hit when |dx| < reach_x and |dy| < reach_y
    int reach_y;   //
    double vx, vy; // velocity this frame, before truncation
    double ax, ay; // factors applied after each move
};

struct seen_enemy {
    int x, y;             // centre
    int reach_x, reach_y; // as for a bullet: the body's reach plus the ship's
    int dx, dy;           // its move per frame on its current step
    int hit_points;
    bool boss;
    bool solid; // whole and able to ram the ship
};

struct pilot_view {
    int play_frame = 0;
    int x = 0, y = 0; // the ship's corner
    int invulnerable = 0;
    int graze = 0;
    bool in_control = false; // neither exploding nor rising back
    bool level_over = false; // this was the last frame of play
    bool lost = false;
    int lives = 0;
    int gauge_level = 0;
    int gauge_colour = 0;
    bool boss_phase = false;
    std::vector<seen_enemy> enemies;
    std::vector<seen_bullet> bullets;
};

// The ship's reach and size, as the game creates it.
constexpr int ship_reach = 3;
constexpr int ship_w = 37;
constexpr int ship_h = 32;

void look_at(const level_run& run, pilot_view& view);

struct shot;
// One bullet as the pilot sees it.
seen_bullet see_bullet(const shot& s);
