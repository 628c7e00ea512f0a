// Level 2, the forest, as the simulator plays it from the generated catalogue:
// the faster scroll, the claw's five laps, the boss's passes and the gauge
// colours of powered kills.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "levels/levels.h"
#include "platform/platform_sim.h"
#include "sim_trace.h"

namespace {

struct level_2 : level_sim {};

TEST_F(level_2, the_forest_scrolls_six_pixels_a_frame_from_its_third_step_on) {
    std::vector<std::pair<Uint32, int>> offsets; // level clock at the frame's end, scroll offset
    play("2", "", 3, 2600, 0, [&](const level_run& run) {
        offsets.push_back({sim_now() - run.world->start_ms, run.state.main_layer->rect.y});
    });
    ASSERT_EQ(offsets.size(), 2600u);
    int slow = 0, fast = 0;
    for (size_t i = 1; i < offsets.size(); ++i) {
        const Uint32 frame_start = offsets[i - 1].first;
        const int moved = (offsets[i].second - offsets[i - 1].second + 480) % 480;
        if (frame_start < static_cast<Uint32>(level_2_config.third_step_from_ms)) {
            EXPECT_EQ(moved, 4) << i;
            ++slow;
        } else {
            EXPECT_EQ(moved, 6) << i;
            ++fast;
        }
    }
    EXPECT_GT(slow, 2000);
    EXPECT_GT(fast, 100);
}

TEST_F(level_2, the_claw_flies_five_laps_and_leaves_by_the_left_whatever_its_hit_points) {
    struct sample {
        int frame, x, y, hit_points;
        bool gone;
    };
    std::vector<sample> claw;
    play("2", hide_bottom_left, cheat, 7000, 0, [&](const level_run& run) {
        const enemy* e = find_enemy(run, "Mouche");
        if (!e) return;
        const ship* body = e->ship;
        claw.push_back({run.state.play_frame, body->rect.x, body->rect.y, body->hit_points,
                        body->explosion_frame > body->explosion_frames});
    });
    ASSERT_FALSE(claw.empty());
    EXPECT_EQ(claw.front().x, 497); // its first move, 5 pixels in from x 502
    // In at x 242 after 62 frames; every lap of 322 frames ends where it began.
    for (int lap = 0; lap <= 5; ++lap) {
        const sample& s = claw[61 + 322 * lap];
        EXPECT_EQ(s.x, 242) << lap;
        EXPECT_EQ(s.y, 150) << lap;
    }
    // Then 10 frames still and out to the left: gone on the frame its x
    // reaches 0 or less, with hit points to spare.
    auto gone = std::find_if(claw.begin(), claw.end(), [](const sample& s) { return s.gone; });
    ASSERT_NE(gone, claw.end());
    EXPECT_EQ(gone - claw.begin(), 61 + 322 * 5 + 10 + 49);
    EXPECT_LE(gone->x, 0);
    EXPECT_GT(gone->hit_points, 0);
}

TEST_F(level_2, every_boss_pass_returns_it_to_where_it_began_until_it_falls) {
    struct pass_start {
        int x, y, hit_points;
        bool final;
    };
    std::vector<pass_start> starts;
    int boss_half = -1; // the hit points that end its main passes
    // Under the boss with the main gun held all level long.
    const sim_outcome outcome = play("2", "0 down g\n", cheat, -1, 0, [&](const level_run& run) {
        const enemy* e = run.boss;
        boss_half = e->half_hit_points;
        if (e->ship->explosion_frame != 0 || e->on_entry || e->step_index != 0 ||
            e->step_frame != 0)
            return;
        starts.push_back({e->ship->rect.x, e->ship->rect.y, e->ship->hit_points, e->on_final == 1});
    });
    EXPECT_EQ(outcome.code, 1);
    EXPECT_LE(outcome.boss_hp, 0);
    ASSERT_GT(boss_half, 0);
    ASSERT_GE(starts.size(), 3u);
    EXPECT_FALSE(starts.front().final);
    int finals = 0;
    for (size_t i = 0; i < starts.size(); ++i) {
        EXPECT_EQ(starts[i].x, 206) << i;
        EXPECT_EQ(starts[i].y, 134) << i;
        if (!starts[i].final) continue;
        ++finals;
        // It moves on to the final path only at the end of a main pass at half or below.
        if (i > 0 && !starts[i - 1].final) {
            EXPECT_LE(starts[i].hit_points, boss_half);
        }
    }
    for (size_t i = 1; i < starts.size(); ++i)
        if (!starts[i].final) {
            EXPECT_GT(starts[i].hit_points, boss_half) << i;
        }
    EXPECT_GE(finals, 1);
}

TEST_F(level_2, powered_kills_turn_the_gauge_the_colour_of_their_kind) {
    std::set<const enemy*> seen;
    std::set<std::pair<int, int>> colour_pairs; // (enemy colour, gauge colour)
    const SDL_Surface* red_wheel_alt = picture_slot(*session.assets, slot_explosion5);
    const SDL_Surface* blue_wheel_alt = picture_slot(*session.assets, slot_explosion6);
    const SDL_Surface* plane_alt = picture_slot(*session.assets, slot_explosion9);
    // In the wheels' lanes with the main gun: hits make the ship powered,
    // and its powered shots bring the wheels and planes down.
    play("2", "0 down g\n0 down up\n60 up up\n", cheat, 12000, 0, [&](const level_run& run) {
        const scene* world = run.world;
        std::vector<const enemy*> powered_kills;
        for (int i = 0; i < world->next_slot; ++i) {
            const enemy* e = world->enemies[i];
            if (!e || e->ship->hit_points > 0 || seen.count(e)) continue;
            seen.insert(e);
            const SDL_Surface* strip = e->ship->explosion_picture;
            if (strip == red_wheel_alt || strip == blue_wheel_alt || strip == plane_alt)
                powered_kills.push_back(e);
        }
        if (powered_kills.size() != 1) return; // one kill decides the colour
        const enemy* e = powered_kills.front();
        if (std::string(e->tag) == "ROUE1" || e->ship->rect.w == 124)
            colour_pairs.insert({e->ship->colour, world->gauge_colour});
    });
    EXPECT_TRUE(colour_pairs.count({0, 1})) << "red wheel: red gauge";
    EXPECT_TRUE(colour_pairs.count({1, 2})) << "blue wheel: blue gauge";
    EXPECT_TRUE(colour_pairs.count({2, 3})) << "plane: green gauge";
    for (const auto& [colour, gauge] : colour_pairs) EXPECT_EQ(gauge, colour + 1);
}

} // namespace
