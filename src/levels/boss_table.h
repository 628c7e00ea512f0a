// A boss as rows: its bullet patterns (a pattern is any number of bullet
// rows) and its entry, main and final phases as rows of moves and volleys in
// the order it plays them. One builder turns a boss's record into the enemy
// and its three paths.
#pragma once

#include <array>
#include <cstddef>
#include <span>

#include "levels/enemy_kind.h"
#include "levels/level_kit.h"

// The bullet colours of the catalogue, by name (the pictures are loaded at
// build time).
enum class bullet_colour { small_red, small_blue, small_green, large_red, large_blue, large_green };

// One bullet of a pattern: its colour, where it leaves from inside the
// shooter's picture, its speed, and the factors that multiply its velocity
// after each move.
using bullet_spec = bullet_of<bullet_colour>;

// Bullets fired together on a step's first frame (ten at most: a step holds
// ten templates).
using bullet_pattern = std::span<const bullet_spec>;

// A row of a phase: a step taken `times` times in a row, moving (dx, dy) a
// frame for `frames` frames and firing its volley (if any) on its first frame
// with the firing sound; or, when `block` is set, the block's rows played
// `times` times.
struct path_row {
    int dx = 0, dy = 0, frames = 0;
    bullet_pattern volley = {};
    int times = 1;
    const path_row* block = nullptr;
    std::size_t block_rows = 0;
};
using path_rows = std::span<const path_row>;

// The rows, by what they say.
constexpr path_row walk(int dx, int dy, int frames, int times = 1) {
    return {.dx = dx, .dy = dy, .frames = frames, .times = times};
}
constexpr path_row rest(int frames, int times = 1) { return walk(0, 0, frames, times); }
constexpr path_row volley(bullet_pattern pattern, int frames, int dx = 0, int dy = 0,
                          int times = 1) {
    return {.dx = dx, .dy = dy, .frames = frames, .volley = pattern, .times = times};
}
constexpr path_row repeat(path_rows block, int times) {
    return {.times = times, .block = block.data(), .block_rows = block.size()};
}

constexpr path_rows block_of(const path_row& row) { return {row.block, row.block_rows}; }

struct boss_record {
    const enemy_kind* kind;
    int x, y;     // where it starts
    int spawn_ms; // when it leaves the queue
    path_rows entry, main, final_phase;
};

// The boss and its paths. Each row is made into one step, shared by every
// visit of the row; a path takes 1000 steps and drops the rest.
enemy* build_boss(const level_kit& kit, const boss_record& boss);

// The same, as a level's boss maker for build_waves.
template <const boss_record& boss, typename kit_type> enemy* boss_of(const kit_type& kit) {
    if constexpr (requires { kit.base; })
        return build_boss(kit.base, boss);
    else
        return build_boss(kit, boss);
}

// Tables made from smaller tables at compile time.

// Every speed from every gun, guns in order: a gun's bullets together.
template <std::size_t guns, std::size_t speeds>
constexpr std::array<bullet_spec, guns * speeds>
from_each_gun(bullet_colour look, const launch_point (&at)[guns],
              const launch_speed (&speed)[speeds], accel_factors accel = {0.0, 0.0}, int kind = 0) {
    std::array<bullet_spec, guns * speeds> out{};
    std::size_t i = 0;
    for (const launch_point gun : at)
        for (const launch_speed v : speed) out[i++] = {look, gun, v, accel, kind};
    return out;
}

// The pattern's bullets, then the other's.
template <std::size_t n, std::size_t m>
constexpr std::array<bullet_spec, n + m> joined(const std::array<bullet_spec, n>& first,
                                                const std::array<bullet_spec, m>& second) {
    std::array<bullet_spec, n + m> out{};
    for (std::size_t i = 0; i < n; ++i) out[i] = first[i];
    for (std::size_t i = 0; i < m; ++i) out[n + i] = second[i];
    return out;
}

// A bullet of a fan that turns: at angle a it flies at a * turn + fixed.
struct turning_bullet {
    bullet_colour look;
    launch_point from;
    launch_speed turn, fixed;
    accel_factors accel = {0.0, 0.0};
    int kind = 0;
};

// The fan at each angle from -reach to reach, angle a at a + reach.
template <int reach, std::size_t n>
constexpr std::array<std::array<bullet_spec, n>, 2 * reach + 1>
fan_angles(const turning_bullet (&rows)[n]) {
    std::array<std::array<bullet_spec, n>, 2 * reach + 1> out{};
    for (int a = -reach; a <= reach; ++a)
        for (std::size_t i = 0; i < n; ++i) {
            const turning_bullet& r = rows[i];
            out[static_cast<std::size_t>(a + reach)][i] = {
                r.look,
                r.from,
                {a * r.turn.x + r.fixed.x, a * r.turn.y + r.fixed.y},
                r.accel,
                r.kind};
        }
    return out;
}

// A swing of a turning fan: one volley at each angle from reach down to
// -reach and back up to reach - 1, each `frames` long, standing still.
template <int reach, typename angle_list>
constexpr std::array<path_row, 4 * reach> swing(const angle_list& fans, int frames) {
    std::array<path_row, 4 * reach> out{};
    std::size_t i = 0;
    for (int a = reach; a >= -reach; --a) out[i++] = volley(fans[a + reach], frames);
    for (int a = 1 - reach; a < reach; ++a) out[i++] = volley(fans[a + reach], frames);
    return out;
}

// One volley row for each pattern of a list, in the given order: every
// volley `frames` long, standing still.
template <std::size_t n, typename pattern_list>
constexpr std::array<path_row, n> volleys_in_order(const pattern_list& patterns,
                                                   const std::array<int, n>& order, int frames) {
    std::array<path_row, n> out{};
    for (std::size_t i = 0; i < n; ++i)
        out[i] = volley(patterns[static_cast<std::size_t>(order[i])], frames);
    return out;
}
