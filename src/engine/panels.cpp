#include "engine/panels.h"

#include <algorithm>

#include "engine/difficulty.h"
#include "objects/blit.h"
#include "support/rect_random.h"
#include "support/screen_geometry.h"

namespace {

const SDL_Rect banner_rect = make_rect(220, 225, 200, 50);
const SDL_Rect boss_label_rect = make_rect(530, 115, 83, 26);
const SDL_Rect boss_gauge_rect = make_rect(529, 138, 83, 19);
const SDL_Rect play_field_rect = make_rect(field_x, 0, field_width, screen_height);
constexpr int max_panel_lives = 24;

void draw_digits(level_run& run, int value, int count, int x, int y) {
    int place = 1;
    for (int i = 1; i < count; ++i) place *= 10;
    for (int i = 0; i < count; ++i) {
        const int digit = value / place % 10;
        draw_at(run.world->digit_pictures[digit], run.screen, make_rect(x + 25 * i, y, 20, 36));
        place /= 10;
    }
}

} // namespace

void draw_warning_banner(level_run& run) {
    draw_at(run_picture(run, slot_warning), run.screen, banner_rect);
    run.state.warning_seen = 1;
}

void draw_game_over_banner(level_run& run) {
    draw_at(run_picture(run, slot_game_over), run.screen, banner_rect);
}

void draw_boss_display(level_run& run, int boss_hit_points) {
    level_state& st = run.state;
    const int hp = std::max(boss_hit_points, 0);
    const int w = static_cast<int>(hp * st.boss_bar_scale) + 5;
    const bool first = st.boss_blink < 5;
    draw_at(run_picture(run, first ? slot_boss_picture : slot_boss_picture1), run.screen,
            boss_label_rect);
    draw_at(run_picture(run, first ? slot_barre_boss_vide : slot_barre_boss_vide1), run.screen,
            boss_gauge_rect);
    SDL_Rect fill = make_rect(0, 0, w, 19);
    SDL_Rect at = boss_gauge_rect;
    blit_into(run_picture(run, first ? slot_barre_boss_pleine : slot_barre_boss_pleine1), &fill,
              run.screen, at);
    st.boss_blink += 1;
    if (st.boss_blink > 9) st.boss_blink = 0;
}

void add_level_bonus(level_run& run) {
    scene* world = run.world;
    const int lives = world->player->hit_points;
    const int bonus = lives * difficulty_of(run.difficulty).bonus_per_life + world->kills;
    // A later kill would otherwise lower a score past the cap back to it.
    world->score = std::min(world->score + bonus, score_cap);
}

void draw_score_panel(level_run& run, int outro_frame) {
    int slot = slot_score;
    for (int step = 0; step < 4; ++step) {
        if (outro_frame <= outro_panel_from + (step + 1) * outro_opening_step) {
            slot = slot_score_opening_first + step;
            break;
        }
    }
    draw_at(run_picture(run, slot), run.screen, play_field_rect);
    if (slot != slot_score) return;
    const scene* world = run.world;
    const int lives = world->player->hit_points > max_panel_lives
                          ? 99
                          : std::clamp(world->player->hit_points, 0, 99);
    draw_digits(run, lives, 2, 398, 288);
    draw_digits(run, std::clamp(world->kills, 0, 999), 3, 398, 344);
    draw_digits(run, std::clamp(world->score, 0, score_cap), 5, 368, 410);
}
