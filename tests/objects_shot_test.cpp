#include <gtest/gtest.h>

#include "objects/shot.h"
#include "support/rect_random.h"
#include "support/tracked_memory.h"

namespace {

struct shot_test : ::testing::Test {
    void TearDown() override { release_all(); }
};

TEST_F(shot_test, moves_by_velocity_truncated_toward_zero) {
    shot* up = new_shot(make_rect(300, 400, 8, 8), nullptr, shot_main, 0, -6);
    for (int i = 1; i <= 5; ++i) {
        move_shot(*up);
        EXPECT_EQ(up->rect.y, 400 - 6 * i);
    }
    shot* creep = new_shot_accel(make_rect(300, 100, 8, 8), nullptr, nullptr, 0, 0, 0, 1.0, 1.0);
    set_shot_velocity(creep, -0.9, 0.9);
    move_shot(*creep);
    EXPECT_EQ(creep->rect.x, 300); // -0.9 truncates to 0, not -1
    EXPECT_EQ(creep->rect.y, 100);
}

TEST_F(shot_test, acceleration_applies_after_each_move) {
    shot* s = new_shot_accel(make_rect(300, 10, 8, 8), nullptr, nullptr, 0, 0, 1, 1.0, 1.05);
    int y = 10;
    for (int move = 1; move <= 15; ++move) {
        move_shot(*s);
        EXPECT_EQ(s->rect.y, y + 1) << "move " << move;
        y = s->rect.y;
    }
    move_shot(*s);
    EXPECT_EQ(s->rect.y, y + 2); // 1.05^15 > 2
    shot* stop = new_shot_accel(make_rect(300, 10, 8, 8), nullptr, nullptr, 0, 3, 3, 0.0, 1.0);
    move_shot(*stop);
    move_shot(*stop);
    EXPECT_EQ(stop->rect.x, 303); // an acceleration of 0 stops that axis after one move
    EXPECT_EQ(stop->rect.y, 16);
}

TEST_F(shot_test, removal_bounds_per_kind) {
    auto out = [](int x, int y, int kind) {
        shot s{};
        init_shot(s, make_rect(x, y, 8, 8), nullptr, nullptr, kind, 0, 0, 1, 1);
        return shot_out_of_bounds(s);
    };
    EXPECT_TRUE(out(138, 200, shot_main));
    EXPECT_FALSE(out(139, 200, shot_main));
    EXPECT_FALSE(out(501, 200, shot_side));
    EXPECT_TRUE(out(502, 200, shot_super));
    EXPECT_TRUE(out(300, 0, shot_main));
    EXPECT_FALSE(out(300, 1, shot_main));
    EXPECT_TRUE(out(300, 480, shot_main_a));
    EXPECT_FALSE(out(300, 479, shot_main_a));
    EXPECT_FALSE(out(300, 200, 7)); // unknown kinds use the play-field box
    EXPECT_TRUE(out(100, 200, 7));
    // Powered side shots cross the side panels and leave only at top or bottom.
    EXPECT_FALSE(out(100, 200, shot_side_a));
    EXPECT_FALSE(out(600, 200, shot_side_a));
    EXPECT_TRUE(out(100, 0, shot_side_a));
    EXPECT_TRUE(out(100, 480, shot_side_a));
}

TEST_F(shot_test, damage_by_kind) {
    EXPECT_EQ(shot_damage(shot_main), 2);
    EXPECT_EQ(shot_damage(shot_side), 1);
    EXPECT_EQ(shot_damage(shot_main_a), 4);
    EXPECT_EQ(shot_damage(shot_side_a), 2);
    EXPECT_EQ(shot_damage(shot_super), 10);
    EXPECT_EQ(shot_damage(5), 0);
    EXPECT_EQ(shot_damage(-1), 0);
}

TEST_F(shot_test, copies_start_with_default_animation_and_the_starting_speed) {
    shot* tmpl = new_animated_shot(make_rect(15, 26, 8, 8), nullptr, nullptr, shot_main, 2, 5);
    set_shot_anim(tmpl, 10, 20);
    set_shot_velocity(tmpl, 9.5, 9.5);
    shot* copy = new_shot_accel(tmpl->rect, tmpl->picture_a, tmpl->picture_b, tmpl->kind,
                                tmpl->speed_x, tmpl->speed_y, tmpl->accel_x, tmpl->accel_y);
    EXPECT_EQ(copy->anim_switch, 5);
    EXPECT_EQ(copy->anim_period, 10);
    EXPECT_EQ(copy->anim_counter, 0);
    EXPECT_EQ(copy->velocity_x, 2.0);
    EXPECT_EQ(copy->velocity_y, 5.0);
}

} // namespace
