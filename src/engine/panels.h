// What the level draws over the scene: the warning and game over banners, the
// boss picture and hit-point gauge, and after a cleared level the bonus and
// the score panel.
#pragma once

#include "engine/level_run.h"

void draw_warning_banner(level_run& run);
void draw_game_over_banner(level_run& run);
// Boss label and gauge: w = hit points (0 when negative) x scale + 5 pixels.
void draw_boss_display(level_run& run, int boss_hit_points);
// Lives and kills bonus; the stored score never passes 99999.
void add_level_bonus(level_run& run);
// The outro's score panel: from frame outro_panel_from (with a cold sound)
// four opening pictures, each to four frames past the one before, the last to
// outro_bonus_frame, when the level bonus is added; the totals stand from
// outro_panel_open on (with the exit sound).
inline constexpr int outro_panel_from = 320;
inline constexpr int outro_opening_step = 4;
inline constexpr int outro_bonus_frame = outro_panel_from + 4 * outro_opening_step;
inline constexpr int outro_panel_open = outro_bonus_frame + 1;
static_assert(outro_bonus_frame == 336);

// The panel for outro frame i (from outro_panel_from): opening steps, then the totals.
void draw_score_panel(level_run& run, int outro_frame);
