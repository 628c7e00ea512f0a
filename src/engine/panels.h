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
// The panel for outro frame i (from 320): opening steps, then the totals.
void draw_score_panel(level_run& run, int outro_frame);
