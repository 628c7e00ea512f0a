// Enemy kinds that more than one level sends: the ghosts (small, two hit
// points, one point each; red ones charge the gauge red, blue ones blue) and
// the twin-engined planes of the sky and the station.
#pragma once

#include "levels/enemy_kind.h"

// Each kind a packed record.
// clang-format off
inline constexpr enemy_kind ghost{.tag = "DIABLE", .picture = slot_fantominus,
    .second_picture = slot_fantominus1, .size = {39, 37}, .hit_points = 2, .shot_slots = 5,
    .colour = 0, .explosion = {slot_explosion2, 16, 25, 32, 32}, .reach = {15, 15}, .score = 1,
    .alt_explosion = slot_explosion5};

inline constexpr enemy_kind blue_ghost{.tag = "DIABLE", .picture = slot_fantominusb,
    .second_picture = slot_fantominusb1, .size = {39, 37}, .hit_points = 2, .shot_slots = 5,
    .colour = 1, .explosion = {slot_explosion2, 16, 25, 32, 32}, .reach = {15, 15}, .score = 1,
    .alt_explosion = slot_explosion6};

inline constexpr enemy_kind twin_plane{.tag = "AVION_DUO", .picture = slot_avion_duo1,
    .second_picture = slot_avion_duo2, .flash_picture = slot_avion_duo1_flash,
    .second_flash_picture = slot_avion_duo2_flash, .size = {92, 124}, .hit_points = 20,
    .shot_slots = 50, .colour = 2, .explosion = {slot_explosion1, 16, 40, 64, 64},
    .reach = {30, 40}, .score = 50, .alt_explosion = slot_explosion9, .anim_switch = 2,
    .anim_period = 4};
// clang-format on
