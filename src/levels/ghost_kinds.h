// The ghosts of the sky, the forest and the cave: small, two hit points, one
// point each; red ones charge the gauge red, blue ones blue.
#pragma once

#include "levels/enemy_kind.h"

inline constexpr enemy_kind ghost{.tag = "DIABLE",
                                  .picture = slot_fantominus,
                                  .second_picture = slot_fantominus1,
                                  .size = {39, 37},
                                  .hit_points = 2,
                                  .shot_slots = 5,
                                  .colour = 0,
                                  .explosion = {slot_explosion2, 16, 25, 32, 32},
                                  .reach = {15, 15},
                                  .score = 1,
                                  .alt_explosion = slot_explosion5};

inline constexpr enemy_kind blue_ghost{.tag = "DIABLE",
                                       .picture = slot_fantominusb,
                                       .second_picture = slot_fantominusb1,
                                       .size = {39, 37},
                                       .hit_points = 2,
                                       .shot_slots = 5,
                                       .colour = 1,
                                       .explosion = {slot_explosion2, 16, 25, 32, 32},
                                       .reach = {15, 15},
                                       .score = 1,
                                       .alt_explosion = slot_explosion6};
