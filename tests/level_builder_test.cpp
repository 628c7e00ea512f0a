// The shared parts the level scripts are built from: patterns, the enemy
// queue and its count, the ghosts' fan, and the builder that turns a level's
// waves into the queue.
#include <gtest/gtest.h>

#include <vector>

#include "levels/level_kit.h"
#include "levels/levels.h"
#include "levels/wave_builder.h"
#include "support/rect_random.h"
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

// --- waves ---

// Who a member of a test wave is: its row (by the row's speed), group and
// place, and the enemy made for it.
struct made_member {
    int row, group, index;
    enemy* e;
    bool operator==(const made_member& o) const {
        return row == o.row && group == o.group && index == o.index;
    }
};

struct test_kit {
    std::vector<made_member>* made;
};

enemy* noted_enemy(int spawn_ms) {
    enemy_setup setup{};
    setup.rect = make_rect(0, 0, 1, 1);
    setup.hit_points = 1;
    setup.shot_capacity = 1;
    setup.spawn_ms = spawn_ms;
    setup.tag = "TEST";
    return new_enemy(setup);
}

enemy* note_member(const test_kit& kit, const wave<test_kit>& row, const wave_member& m) {
    enemy* e = noted_enemy(m.spawn_ms);
    kit.made->push_back({row.speed, m.group, m.index, e});
    return e;
}

enemy* test_boss(const test_kit& kit) {
    enemy* e = noted_enemy(9000);
    kit.made->push_back({0, 0, 0, e});
    return e;
}

// Three waves as the player meets them: three pairs from 1 s, one every
// half second; one alone at 5 s; two trios at 6 s and 7 s.
constexpr wave<test_kit> test_waves[] = {
    {1000, 500, 3, 2, nullptr, nullptr, nullptr, note_member, 1},
    {5000, 0, 1, 1, nullptr, nullptr, nullptr, note_member, 2},
    {6000, 1000, 2, 3, nullptr, nullptr, nullptr, note_member, 3},
};
constexpr int test_total = 14;
static_assert(wave_enemies(test_waves) + 1 == test_total);

struct level_waves : level_builder {
    std::vector<made_member> made;
    const test_kit kit{&made};
};

TEST_F(level_waves, make_each_wave_latest_group_first_and_the_boss_last) {
    build_waves(kit, test_waves, test_boss, test_total);
    const std::vector<made_member> expected = {
        {1, 2, 0, nullptr}, {1, 2, 1, nullptr}, {1, 1, 0, nullptr}, {1, 1, 1, nullptr},
        {1, 0, 0, nullptr}, {1, 0, 1, nullptr}, {2, 0, 0, nullptr}, {3, 1, 0, nullptr},
        {3, 1, 1, nullptr}, {3, 1, 2, nullptr}, {3, 0, 0, nullptr}, {3, 0, 1, nullptr},
        {3, 0, 2, nullptr}, {0, 0, 0, nullptr}};
    EXPECT_EQ(made, expected);
}

TEST_F(level_waves, queue_the_boss_first_then_the_waves_from_the_last_the_player_meets) {
    const level_script script = build_waves(kit, test_waves, test_boss, test_total);
    ASSERT_EQ(script.enemy_count, test_total);
    EXPECT_EQ(script.boss, made.back().e);
    EXPECT_EQ(script.queue_order[0], script.boss);
    // The last wave's six, in the order they were made, then the lone one,
    // then the first wave's six.
    const int made_at[test_total] = {13, 7, 8, 9, 10, 11, 12, 6, 0, 1, 2, 3, 4, 5};
    for (int i = 1; i < test_total; ++i) EXPECT_EQ(script.queue_order[i], made[made_at[i]].e) << i;
}

TEST_F(level_waves, leave_the_queue_in_play_order_at_the_times_the_rows_give) {
    const level_script script = build_waves(kit, test_waves, test_boss, test_total);
    // Each queued enemy goes to the front: the spawn order is the queue read
    // backwards.
    std::vector<int> due;
    for (int i = script.enemy_count - 1; i >= 0; --i)
        due.push_back(script.queue_order[i]->spawn_ms);
    EXPECT_EQ(due, (std::vector<int>{1000, 1000, 1500, 1500, 2000, 2000, 5000, 6000, 6000, 6000,
                                     7000, 7000, 7000, 9000}));
}

TEST_F(level_waves, stop_the_build_when_the_rows_and_boss_miss_the_level_count) {
    constexpr const char* miscounted =
        "the waves and the boss do not add up to the level's count of enemies";
    EXPECT_DEATH(build_waves(kit, test_waves, test_boss, test_total + 1), miscounted);
    EXPECT_DEATH(build_waves(kit, test_waves, test_boss, test_total - 1), miscounted);
    EXPECT_TRUE(made.empty()) << "nothing is made before the count is checked";
}

TEST_F(level_waves, a_boss_alone_is_a_queue_of_one) {
    const level_script script = build_boss_alone(kit, test_boss);
    EXPECT_EQ(script.enemy_count, 1);
    EXPECT_EQ(script.queue_order[0], script.boss);
}

// --- the table of levels ---

TEST(level_records, hold_levels_1_to_6_in_play_order_then_the_epilogue) {
    ASSERT_EQ(level_records.size(), 7u);
    const char* names[] = {"1", "2", "3", "4", "5", "6", "epilogue"};
    for (int i = 0; i < 7; ++i) {
        EXPECT_STREQ(level_records[i].name, names[i]);
        EXPECT_EQ(find_level(names[i]), level_records[i].config);
        ASSERT_NE(level_records[i].config, nullptr);
        EXPECT_NE(level_records[i].config->build, nullptr) << names[i];
    }
    EXPECT_EQ(epilogue_record.config, &epilogue_config);
    EXPECT_EQ(find_level("7"), nullptr);
    EXPECT_EQ(find_level(""), nullptr);
}

} // namespace
