// The shared parts the level scripts are built from: patterns, the enemy
// queue and its count, and the ghosts' fan.
#include <gtest/gtest.h>

#include "levels/level_kit.h"
#include "support/tracked_memory.h"

namespace {

struct level_builder : ::testing::Test {
    const bullet_look look{nullptr, nullptr, 8};
    void TearDown() override { release_all(); }
    shot* any_bullet() { return bullet(look, {.from = {1, 2}, .speed = {0, 1}}); }
};

TEST_F(level_builder, a_bullet_leaves_from_its_point_at_its_speed) {
    const shot* plain = bullet(look, {.from = {15, 26}, .speed = {-3, 2}}, 1);
    EXPECT_EQ(plain->rect.x, 15);
    EXPECT_EQ(plain->rect.y, 26);
    EXPECT_EQ(plain->rect.w, 8);
    EXPECT_EQ(plain->speed_x, -3);
    EXPECT_EQ(plain->speed_y, 2);
    EXPECT_EQ(plain->kind, 1);
    const shot* faster =
        accelerating_bullet(look, {.from = {92, 87}, .speed = {0, 1}, .accel = {0.5, 1.01}});
    EXPECT_EQ(faster->rect.x, 92);
    EXPECT_EQ(faster->speed_y, 1);
    EXPECT_DOUBLE_EQ(faster->accel_x, 0.5);
    EXPECT_DOUBLE_EQ(faster->accel_y, 1.01);
}

TEST_F(level_builder, the_ghost_fan_is_five_bullets_from_the_mouth_down_and_to_both_sides) {
    const shot_pattern fan = ghost_fan(look);
    ASSERT_EQ(fan.count, 5);
    const int speeds[5][2] = {{0, 2}, {2, 2}, {-2, 2}, {3, 2}, {-3, 2}};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(fan.templates[i]->rect.x, 15) << i;
        EXPECT_EQ(fan.templates[i]->rect.y, 26) << i;
        EXPECT_EQ(fan.templates[i]->speed_x, speeds[i][0]) << i;
        EXPECT_EQ(fan.templates[i]->speed_y, speeds[i][1]) << i;
    }
}

TEST_F(level_builder, a_pattern_holds_ten_templates_and_an_eleventh_stops_the_build) {
    shot_pattern pattern{};
    for (int i = 0; i < step_template_capacity; ++i) add_template(pattern, any_bullet());
    EXPECT_EQ(pattern.count, step_template_capacity);
    EXPECT_DEATH(add_template(pattern, any_bullet()), "a shot pattern holds ten templates");
    EXPECT_DEATH(make_pattern({any_bullet(), any_bullet(), any_bullet(), any_bullet(), any_bullet(),
                               any_bullet(), any_bullet(), any_bullet(), any_bullet(), any_bullet(),
                               any_bullet()}),
                 "a shot pattern holds ten templates");
}

TEST_F(level_builder, the_queue_must_hold_exactly_what_the_level_counted) {
    enemy* const a = nullptr; // the queue only holds what it is given
    queue_builder queue = make_queue_builder(2);
    queue_in_order(queue, a);
    EXPECT_DEATH(finish_script(a, queue), "fewer enemies queued than the level counted");
    queue_in_order(queue, a);
    const level_script script = finish_script(a, queue);
    EXPECT_EQ(script.enemy_count, 2);
    EXPECT_DEATH(queue_in_order(queue, a), "more enemies queued than the level counted");
}

} // namespace
