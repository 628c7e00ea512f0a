// Rows that enter from behind the side panels, shared by the sky and the
// forest: members 0 to 5 fly in flat and then turn (even members from the
// right at x 512, odd ones from the left at x 87); members 6 to 11 rise
// diagonally from the lower part of the screen.
#pragma once

#include "objects/enemy.h"

struct side_row_shape {
    int y_base[6];
    int y_range[6];
    bool entry_minimum; // false: the second entry step has no minimum length
};

// The usual rows: start heights and their spread by member, with or without
// a minimum length for the second entry step (without one, a length of 0
// never ends: the member never reaches its volley).
inline constexpr side_row_shape side_rows{
    {15, 15, 80, 80, 80, 80}, {40, 40, 80, 80, 120, 120}, true};
inline constexpr side_row_shape side_rows_open{
    {15, 15, 80, 80, 80, 80}, {40, 40, 80, 80, 120, 120}, false};

// Where a member starts and how long its second entry step lasts, drawn at
// build time: the start y first, then the length.
struct entry_plan {
    int k;
    int x, y;
    int side; // horizontal direction into the field: -1 from the right, 1 from
              // the left
    int second_frames;
};

// Members 0 to 5.
entry_plan plan_side_entry(const side_row_shape& shape, int k);
void add_side_entry(enemy* e, const entry_plan& plan);

// Members 6 to 11.
entry_plan plan_rising_entry(int k);
void add_rising_entry(enemy* e, const entry_plan& plan);
