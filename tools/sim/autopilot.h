// The autopilot's judgement: from what it sees at the end of a frame, the keys
// to hold in the next one. It predicts every bullet a few dozen frames ahead
// (velocity and acceleration as the game moves them, truncated steps and
// all), tries a set of two-part flight plans, and keeps the one that stays
// clear of every hit box, lines the guns up under a target and grazes where
// that is safe. The super gauge goes on bosses and crowded skies.
#pragma once

#include <array>
#include <vector>

#include "pilot_view.h"

struct pilot_keys {
    bool up = false, down = false, left = false, right = false;
    bool g = false, f = false;
    bool d = false; // one press of the super attack
};

// How far ahead the pilot looks, in frames.
constexpr int pilot_horizon = 36;

// Something that can touch the ship: a centre and the reach at which the
// game calls it a hit.
struct obstacle {
    int x, y;
    int reach_x, reach_y;
    bool bullet; // else an enemy's body
};

// Everything near enough to touch the ship on one frame of the horizon:
// bullets sorted by x, so a flight looks only at those beside it, and bodies.
struct frame_forecast {
    std::vector<obstacle> bullets;
    std::vector<obstacle> bodies;
    int widest = 0; // the largest reach_x among the bullets
};
// Frame t of the horizon at index t (1 = the next frame).
using forecast = std::array<frame_forecast, pilot_horizon + 1>;

// What the pilot carries from one frame to the next.
struct pilot_memory {
    int last_super_frame = -1000;
    int last_opening = -1; // the speed and first direction flown last frame
    forecast ahead;        // reused every frame
};

pilot_keys choose_keys(pilot_memory& memory, const pilot_view& view);

// A bullet followed as the game moves it: the bounds test, then the step by
// the truncated velocity, then the acceleration.
struct bullet_track {
    int x, y; // centre
    double vx, vy;
};
bullet_track start_track(const seen_bullet& b);
// One move of the game; false when the game removes the bullet instead.
bool advance(bullet_track& track, const seen_bullet& b);
