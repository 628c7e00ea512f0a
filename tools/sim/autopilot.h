// The autopilot's judgement: from what it sees at the end of a frame, the keys
// to hold in the next one. It predicts every bullet a few dozen frames ahead
// (velocity and acceleration as the game moves them, truncated steps and
// all), tries a set of two-part flight plans, and keeps the one that stays
// clear of every hit box, lines the guns up under a target and grazes where
// that is safe. The super gauge goes on bosses and crowded skies.
#pragma once

#include "pilot_view.h"

struct pilot_keys {
    bool up = false, down = false, left = false, right = false;
    bool g = false, f = false;
    bool d = false; // one press of the super attack
};

// What the pilot remembers from one frame to the next.
struct pilot_memory {
    int last_super_frame = -1000;
    int last_plan = -1;
};

pilot_keys choose_keys(pilot_memory& memory, const pilot_view& view);

// How far ahead the pilot looks, in frames.
constexpr int pilot_horizon = 36;

// A bullet followed as the game moves it: the bounds test, then the step by
// the truncated velocity, then the acceleration.
struct bullet_track {
    int x, y; // centre
    double vx, vy;
};
bullet_track start_track(const seen_bullet& b);
// One move of the game; false when the game removes the bullet instead.
bool advance(bullet_track& track, const seen_bullet& b);
