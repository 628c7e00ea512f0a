// Level 6 as the simulator plays it from the generated catalogue: clearing
// it, the final boss's passes and the tinted backdrop cycle.
#include <gtest/gtest.h>

#include <vector>

#include "levels/levels.h"
#include "sim_trace.h"
#include "watched_run.h"

namespace {

struct level_6 : level_sim {};

TEST_F(level_6, destroying_the_boss_clears_the_level_with_its_points_and_the_bonus) {
    const sim_outcome outcome = play("6", "0 down g\n0 down f\n", 3); // Practice, firing all along
    EXPECT_EQ(outcome.code, 1);
    EXPECT_LE(outcome.boss_hp, 0);
    EXPECT_EQ(outcome.kills, 1);
    // 10000 for the boss, then Practice's bonus: one point a life left and a kill.
    EXPECT_EQ(outcome.score, 10000 + outcome.lives + outcome.kills);
    int boss_kills = 0;
    for (const trace_line& t : parse(outcome.trace))
        boss_kills += t.ev == "kill" && t.tag == "BOSS" && t.points == 10000;
    EXPECT_EQ(boss_kills, 1);
}

// Which backdrop a frame shows: its rows compared with each tint at the
// frame's scroll offset, in a corner of the play field nothing else covers
// before the boss comes.
Uint32 raw_pixel_at(SDL_Surface* s, int x, int y) {
    return static_cast<const Uint32*>(s->pixels)[y * s->pitch / 4 + x];
}

int backdrop_shown(const level_run& run) {
    const int offset = run.state.main_layer->rect.y;
    int found = -1;
    for (int slot : {slot_enterprise, slot_enterprise_gris, slot_enterprise_rouge,
                     slot_enterprise_bleu, slot_enterprise_vert}) {
        SDL_Surface* picture = run_picture(run, slot);
        bool same = true;
        for (int row = 10; row < 200 && same; row += 19)
            for (int x = 142; x < 260 && same; x += 7) {
                const int source_row = row < offset ? 480 - offset + row : row - offset;
                same = raw_pixel_at(run.screen, x, row) == raw_pixel_at(picture, x, source_row);
            }
        if (same) {
            if (found != -1) return -2; // not told apart
            found = slot;
        }
    }
    return found;
}

TEST_F(level_6, the_backdrop_turns_red_blue_green_after_the_first_warning_banner) {
    std::vector<int> shown;
    int first_banner = -1;
    watched_run w;
    w.draw = true;
    w.presses = {{880, SDLK_ESCAPE}};
    w.frame_ended = [&](const level_run& run) {
        shown.push_back(backdrop_shown(run));
        if (first_banner < 0 && run.state.boss_phase == 1)
            first_banner = static_cast<int>(shown.size()) - 1;
    };
    const game_result result = play_watched(session, level_6_config, w, 3, 0);
    EXPECT_EQ(result.code, 0);
    ASSERT_GT(first_banner, 400);
    ASSERT_GT(shown.size(), static_cast<size_t>(first_banner + 320));
    for (int f = 0; f <= first_banner; ++f) ASSERT_EQ(shown[f], slot_enterprise) << f;
    for (int i = 1; i <= 320; ++i) {
        const int expected = i <= 100   ? slot_enterprise_rouge
                             : i <= 200 ? slot_enterprise_bleu
                             : i <= 300 ? slot_enterprise_vert
                                        : slot_enterprise_rouge;
        ASSERT_EQ(shown[first_banner + i], expected) << i;
    }
}

// The boss as its script leaves it after each of its runs (1 = the frame it
// appears), with its hit points set by the test at chosen runs.
struct boss_sample {
    int x, y, on_entry, on_final, step_index;
};

std::vector<boss_sample> follow_boss(sim_session& session, int starting_hp, int later_run,
                                     int later_hp, int runs) {
    std::vector<boss_sample> samples{{}}; // index = runs of its script
    watched_run w;
    w.started = [&](const level_run& run) {
        run.world->player->invulnerable = 1 << 30; // nothing ends the fight early
        run.boss->ship->hit_points = starting_hp;
    };
    w.frame_ended = [&](const level_run& run) {
        if (run.world->next_slot == 0) return; // not here yet
        const enemy* boss = run.boss;
        samples.push_back({boss->ship->rect.x, boss->ship->rect.y, boss->on_entry, boss->on_final,
                           boss->step_index});
        if (static_cast<int>(samples.size()) - 1 == later_run)
            run.boss->ship->hit_points = later_hp;
        // Enough seen: Escape on the next frame.
        if (static_cast<int>(samples.size()) - 1 == runs)
            sim_press_at_frame(sim_frame(), SDLK_ESCAPE);
    };
    play_watched(session, level_6_config, w, 3, 0);
    return samples;
}

constexpr int entry_runs = 1805; // 63 + 30 + 100 + 3 x 520 + 32 + 20
constexpr int main_runs = 2552;  // 3 x 840 + 32
constexpr int final_runs = 1532; // 3 x 500 + 32

TEST_F(level_6, at_half_hit_points_the_boss_turns_to_its_final_path_at_the_end_of_a_pass) {
    const auto at_half = follow_boss(session, 1000, -1, 0, entry_runs + main_runs + final_runs + 1);
    ASSERT_EQ(at_half.size(), static_cast<size_t>(entry_runs + main_runs + final_runs + 2));
    EXPECT_EQ(at_half[1].x, 501);
    EXPECT_EQ(at_half[1].y, 40);
    // The entry ends at x 191, the triangle's moves bring it back each time.
    EXPECT_EQ(at_half[entry_runs - 1].on_entry, 1);
    EXPECT_EQ(at_half[entry_runs].on_entry, 0);
    EXPECT_EQ(at_half[entry_runs].x, 191);
    EXPECT_EQ(at_half[entry_runs].y, 40);
    // Never in the middle of a pass, but at its end.
    EXPECT_EQ(at_half[entry_runs + main_runs - 1].on_final, 0);
    EXPECT_EQ(at_half[entry_runs + main_runs].on_final, 1);
    EXPECT_EQ(at_half[entry_runs + main_runs].x, 191);
    EXPECT_EQ(at_half[entry_runs + main_runs].y, 40);
    // The final path restarts where it began.
    const boss_sample& final_end = at_half[entry_runs + main_runs + final_runs];
    EXPECT_EQ(final_end.on_final, 1);
    EXPECT_EQ(final_end.step_index, 0);
    EXPECT_EQ(final_end.x, 191);
    EXPECT_EQ(final_end.y, 40);
    EXPECT_EQ(at_half[entry_runs + main_runs + final_runs + 1].step_index, 0); // 20-frame pause

    // One hit point more: the main path again; brought to 1000 in the middle
    // of the second pass, it finishes that pass first.
    const int second_pass_end = entry_runs + 2 * main_runs;
    const auto above =
        follow_boss(session, 1001, entry_runs + main_runs + 1000, 1000, second_pass_end + 1);
    ASSERT_EQ(above.size(), static_cast<size_t>(second_pass_end + 2));
    const boss_sample& first_end = above[entry_runs + main_runs];
    EXPECT_EQ(first_end.on_final, 0);
    EXPECT_EQ(first_end.step_index, 0);
    EXPECT_EQ(first_end.x, 191);
    EXPECT_EQ(first_end.y, 40);
    EXPECT_EQ(above[second_pass_end - 1].on_final, 0);
    EXPECT_EQ(above[second_pass_end].on_final, 1);
    EXPECT_EQ(above[second_pass_end].x, 191);
    EXPECT_EQ(above[second_pass_end].y, 40);
}

} // namespace
