#include "autopilot.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <vector>

#include "objects/shot.h"
#include "support/screen_geometry.h"

namespace {

constexpr int horizon = pilot_horizon;
// A plan holds one direction for the first leg, then another to the horizon.
constexpr int first_leg = 8;

// The ship's steering, as the game applies it.
constexpr int slow_speed = 2; // while a gun key is held
constexpr int fast_speed = 3;
// The span the pilot keeps the ship in: from one column clear of the left
// panel (as the game's steering does) to one past the play field's end.
constexpr int field_left = field_x + 1;
constexpr int field_right = field_end_x + 1;
// How far past a hit box a bullet still grazes the ship.
constexpr int graze_x = 15;
constexpr int graze_y = 10;
// The main gun's bullet leaves 6 pixels above the ship's centre at 6 a frame;
// the side guns' 7 and 6 pixels either side of it, 3 across for 6 up.
constexpr int shot_speed = 6;
constexpr int main_shot_half_w = 4;
constexpr int side_shot_half_w = 7;
constexpr int side_shot_offset = 7;

// Weights of a plan's cost.
constexpr double hit_cost = 1e7;        // per frame left after the hit
constexpr double near_cost = 4000;      // a hit box within a few pixels
constexpr int near_margin = 4;          //
constexpr double wall_cost = 40;        // per pixel into the side margins, per frame
constexpr double height_cost = 6;       // per pixel off the flying band, per frame
constexpr double align_cost = 6;        // per pixel off the target's column, per frame
constexpr double crowd_cost = 60;       // per pixel inside an enemy's personal space
constexpr double hold_fire_cost = 1500; // a plan that does not fire at a present target
constexpr double graze_reward = 300;    // per early frame spent grazing, when safe
constexpr double change_cost = 200;     // turning away from last frame's plan
constexpr double density_cost = 150;    // per bullet around the ship, every fourth frame
constexpr int density_box = 40;         // around the ship's centre

constexpr int wall_margin = 40;
constexpr int crowd_for_super = 4; // enemies in front that make a crowd
constexpr int full_enough = 10;    // of the gauge's 12
constexpr int super_every = 24;    // frames at least between two bursts
constexpr int band_top = 300;      // the ship's corner prefers y in this band
constexpr int band_bottom = 400;

struct direction {
    int x, y;
};
constexpr std::array<direction, 9> directions = {
    {{0, 0}, {0, -1}, {0, 1}, {-1, 0}, {1, 0}, {-1, -1}, {1, -1}, {-1, 1}, {1, 1}}};

struct spot {
    int x, y;
};

spot step_ship(spot s, direction d, int speed) {
    if (d.y < 0 && s.y > 1) s.y -= speed;
    if (d.y > 0 && s.y + ship_height <= screen_height) s.y += speed;
    if (d.x < 0 && s.x > field_left) s.x -= speed;
    if (d.x > 0 && s.x + ship_width <= field_end_x) s.x += speed;
    if (s.y < 0) s.y = 0; // the blit clips it back onto the screen
    return s;
}

int centre_x(spot s) { return s.x + ship_width / 2; }
int centre_y(spot s) { return s.y + std::min(ship_height, screen_height - s.y) / 2; }

bool within_reach(const obstacle& o, int cx, int cy, int t) {
    const int travel = fast_speed * t + 2;
    return std::abs(o.x - cx) < o.reach_x + graze_x + travel &&
           std::abs(o.y - cy) < o.reach_y + graze_y + travel;
}

// The frame's collision test sees each bullet before it moves.
void predict_bullet(const seen_bullet& b, int cx, int cy, forecast& ahead) {
    bullet_track track = start_track(b);
    for (int t = 1; t <= horizon; ++t) {
        const obstacle o{track.x, track.y, b.reach_x, b.reach_y, true};
        if (within_reach(o, cx, cy, t)) {
            ahead[t].bullets.push_back(o);
            ahead[t].widest = std::max(ahead[t].widest, o.reach_x);
        }
        if (!advance(track, b)) return;
    }
}

// Enemies keep the velocity of their current step.
void predict_enemy(const seen_enemy& e, int cx, int cy, forecast& ahead) {
    if (!e.solid) return;
    for (int t = 1; t <= horizon; ++t) {
        const obstacle o{e.x + e.dx * (t - 1), e.y + e.dy * (t - 1), e.reach_x, e.reach_y, false};
        if (within_reach(o, cx, cy, t)) ahead[t].bodies.push_back(o);
    }
}

struct target {
    bool any = false;
    int aim_x = 0;     // where the ship's centre should be
    int tolerance = 0; // how far off still hits
};

// Frames a main-gun bullet takes to climb to an enemy.
int climb_frames(const seen_enemy& e, int cy) {
    const int closing = shot_speed + e.dy;
    if (closing <= 0) return horizon;
    return std::max(0, (cy - 6 - e.y) / closing);
}

bool shootable(const seen_enemy& e, int cy) {
    return e.solid && e.x > field_left && e.x < field_end_x - 1 && e.y > 4 && e.y < cy - 24;
}

target pick_target(const pilot_view& view, int cx, int cy) {
    target best;
    double best_score = 1e18;
    for (const seen_enemy& e : view.enemies) {
        if (!shootable(e, cy)) continue;
        const int aim = e.x + e.dx * climb_frames(e, cy);
        const int tolerance = std::max(1, e.reach_x - ship_reach + main_shot_half_w - 3);
        const double off = std::max(0, std::abs(aim - cx) - tolerance);
        const double score = off + 0.35 * (cy - e.y) + (e.boss ? -40 : 0);
        if (score < best_score) {
            best_score = score;
            best = {true,
                    std::clamp(aim, field_left + ship_width / 2, field_right - ship_width / 2),
                    tolerance};
        }
    }
    return best;
}

// Whether a side-gun volley from here would meet an enemy.
bool side_guns_reach(const pilot_view& view, int cx, int cy) {
    for (const seen_enemy& e : view.enemies) {
        if (!shootable(e, cy)) continue;
        const int k = climb_frames(e, cy);
        const int drift = 3 * k + side_shot_offset;
        const int aim = e.x + e.dx * k;
        const int tolerance = e.reach_x - ship_reach + side_shot_half_w - 2;
        if (std::abs(cx + drift - aim) < tolerance || std::abs(cx - drift - aim) < tolerance)
            return true;
    }
    return false;
}

bool main_gun_reaches(const pilot_view& view, int cx, int cy) {
    for (const seen_enemy& e : view.enemies) {
        if (!shootable(e, cy)) continue;
        const int aim = e.x + e.dx * climb_frames(e, cy);
        if (std::abs(cx - aim) < e.reach_x - ship_reach + main_shot_half_w - 1) return true;
    }
    return false;
}

// Bosses and crowds take the gauge; a nearly full gauge goes on whatever is
// in front rather than let further charge go to waste.
bool super_worth_it(const pilot_view& view, int cx, int cy) {
    int crowd = 0, in_front = 0;
    for (const seen_enemy& e : view.enemies) {
        if (!shootable(e, cy)) continue;
        if (e.boss && std::abs(e.x - cx) < e.reach_x + 40) return true;
        if (cy - e.y < 260) ++crowd;
        if (std::abs(e.x - cx) < e.reach_x + 30) ++in_front;
    }
    return crowd >= crowd_for_super || (view.gauge_level >= full_enough && in_front > 0);
}

// Cost of where the ship is, whatever the bullets do.
double place_cost(spot s, const target& aim, const pilot_view& view, int t) {
    const int cx = centre_x(s), cy = centre_y(s);
    double cost = 0;
    if (s.x < field_left + wall_margin) cost += wall_cost * (field_left + wall_margin - s.x);
    if (s.x + ship_width > field_right - wall_margin)
        cost += wall_cost * (s.x + ship_width - (field_right - wall_margin));
    if (s.y < band_top) cost += height_cost * (band_top - s.y);
    if (s.y > band_bottom) cost += height_cost * 2 * (s.y - band_bottom);
    if (aim.any) cost += align_cost * std::max(0, std::abs(cx - aim.aim_x) - aim.tolerance);
    // Room around enemies, where bullets not yet fired will start.
    if (t % 4 == 0) {
        for (const seen_enemy& e : view.enemies) {
            if (!e.solid) continue;
            const int ex = e.x + e.dx * t, ey = e.y + e.dy * t;
            const int room_x = e.reach_x + 24, room_y = e.reach_y + 40;
            const int dx = std::abs(cx - ex), dy = cy - ey;
            if (dx < room_x && std::abs(dy) < room_y)
                cost += crowd_cost * 4 * std::min(room_x - dx, room_y - std::abs(dy));
            else if (dy > 0 && dy < room_y + 70 && dx < room_x)
                cost += crowd_cost * 0.5 * (room_x - dx);
        }
    }
    return cost;
}

// A plan's flight so far: where the ship is and what the plan has cost.
struct flight {
    spot s;
    double cost = 0;
    int grazes = 0, nears = 0;
    bool hit = false;
    bool dropped = false; // its cost passed the bound: it cannot win
};

constexpr int graze_frames = 12; // grazes this early count
constexpr double most_graze_reward = graze_reward * graze_frames;

// Flies frames first to last holding one direction, until a hit or until the
// cost passes the bound.
void fly(flight& f, direction d, int speed, int first, int last, const forecast& ahead,
         const target& aim, const pilot_view& view, double bound) {
    for (int t = first; t <= last; ++t) {
        f.s = step_ship(f.s, d, speed);
        const int cx = centre_x(f.s), cy = centre_y(f.s);
        const double weight = static_cast<double>(horizon + 1 - t) / horizon;
        const frame_forecast& now = ahead[t];
        int nears = 0;
        bool hit = false, grazing = false;
        auto test = [&](const obstacle& o) {
            const int dx = std::abs(o.x - cx), dy = std::abs(o.y - cy);
            if (dx < o.reach_x && dy < o.reach_y)
                hit = true;
            else if (dx < o.reach_x + near_margin && dy < o.reach_y + near_margin)
                ++nears;
            else if (o.bullet && dx < o.reach_x + graze_x && dy < o.reach_y + graze_y)
                grazing = true;
        };
        for (const obstacle& o : now.bodies) test(o);
        const int span = now.widest + graze_x;
        auto o = std::lower_bound(now.bullets.begin(), now.bullets.end(), cx - span,
                                  [](const obstacle& a, int x) { return a.x < x; });
        for (; o != now.bullets.end() && o->x <= cx + span; ++o) test(*o);
        if (t <= view.invulnerable) {
            // Nothing touches the ship while it is invulnerable.
        } else if (hit) {
            f.cost += hit_cost * (horizon + 1 - t);
            f.hit = true;
            return;
        } else {
            f.cost += near_cost * weight * nears;
            f.nears += nears;
        }
        if (grazing && t <= graze_frames && t > view.invulnerable) ++f.grazes;
        // Crowded sky: little room to dodge what comes next.
        if (t % 4 == 0) {
            int crowd = 0;
            auto d = std::lower_bound(now.bullets.begin(), now.bullets.end(), cx - density_box,
                                      [](const obstacle& a, int x) { return a.x < x; });
            for (; d != now.bullets.end() && d->x <= cx + density_box; ++d)
                if (std::abs(d->y - cy) < density_box) ++crowd;
            f.cost += density_cost * weight * crowd;
        }
        f.cost += place_cost(f.s, aim, view, t) * weight;
        if (f.cost > bound) {
            f.dropped = true;
            return;
        }
    }
}

// The whole plan's cost once flown: grazing pays only on a clean flight.
double settle(const flight& f) {
    if (f.hit || f.nears > 0) return f.cost;
    return f.cost - graze_reward * f.grazes;
}

} // namespace

bullet_track start_track(const seen_bullet& b) { return {b.x, b.y, b.vx, b.vy}; }

bool advance(bullet_track& track, const seen_bullet& b) {
    // The game's own bounds test and move, on a copy placed at the track's
    // corner. Enemy bullets are plain shots: only the player's powered side
    // shots cross the side panels.
    const int to_corner_x = b.reach_x - ship_reach, to_corner_y = b.reach_y - ship_reach;
    shot probe{};
    probe.rect.x = static_cast<Sint16>(track.x - to_corner_x);
    probe.rect.y = static_cast<Sint16>(track.y - to_corner_y);
    probe.kind = shot_main;
    if (shot_out_of_bounds(probe)) return false;
    set_shot_velocity(&probe, track.vx, track.vy);
    probe.accel_x = b.ax;
    probe.accel_y = b.ay;
    move_shot(probe);
    track = {probe.rect.x + to_corner_x, probe.rect.y + to_corner_y, probe.velocity_x,
             probe.velocity_y};
    return true;
}

pilot_keys choose_keys(pilot_memory& memory, const pilot_view& view) {
    pilot_keys keys;
    if (!view.in_control || view.level_over) return keys;

    const spot start{view.x, view.y};
    const int cx = centre_x(start), cy = centre_y(start);
    forecast& ahead = memory.ahead;
    for (frame_forecast& frame : ahead) {
        frame.bullets.clear();
        frame.bodies.clear();
        frame.widest = 0;
    }
    for (const seen_bullet& b : view.bullets) predict_bullet(b, cx, cy, ahead);
    for (const seen_enemy& e : view.enemies) predict_enemy(e, cx, cy, ahead);
    for (frame_forecast& frame : ahead) {
        std::sort(frame.bullets.begin(), frame.bullets.end(),
                  [](const obstacle& a, const obstacle& b) { return a.x < b.x; });
    }
    const target aim = pick_target(view, cx, cy);

    // Plans share their first leg (an opening: a speed and a direction); a
    // second leg stops as soon as it cannot beat the best plan so far.
    int best_opening = -1;
    double best_cost = 1e300;
    int opening_index = 0;
    for (int speed : {slow_speed, fast_speed}) {
        for (const direction& first : directions) {
            flight opening{start};
            fly(opening, first, speed, 1, first_leg, ahead, aim, view, 1e300);
            double extra = 0;
            if (aim.any && speed == fast_speed) extra += hold_fire_cost;
            if (memory.last_opening >= 0 && opening_index != memory.last_opening)
                extra += change_cost;
            for (const direction& second : directions) {
                flight f = opening;
                if (!f.hit) {
                    const double bound = best_cost - extra + most_graze_reward + 1;
                    fly(f, second, speed, first_leg + 1, horizon, ahead, aim, view, bound);
                }
                if (f.dropped) continue;
                const double cost = settle(f) + extra;
                if (cost < best_cost) {
                    best_cost = cost;
                    best_opening = opening_index;
                }
            }
            ++opening_index;
        }
    }
    memory.last_opening = best_opening;
    const direction d = directions[best_opening % directions.size()];
    keys.up = d.y < 0;
    keys.down = d.y > 0;
    keys.left = d.x < 0;
    keys.right = d.x > 0;
    const bool firing = best_opening < static_cast<int>(directions.size()); // the slow openings
    if (firing) {
        if (!main_gun_reaches(view, cx, cy) && side_guns_reach(view, cx, cy))
            keys.f = true;
        else
            keys.g = true;
    }
    if (view.gauge_level >= 2 && view.play_frame - memory.last_super_frame >= super_every &&
        super_worth_it(view, cx, cy)) {
        keys.d = true;
        memory.last_super_frame = view.play_frame;
    }
    return keys;
}
