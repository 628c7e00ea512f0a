#include <gtest/gtest.h>

#include "objects/ship.h"
#include "support/rect_random.h"
#include "support/tracked_memory.h"

namespace {

struct ship_test : ::testing::Test {
    void TearDown() override { release_all(); }
    static ship* body(int x, int y, int w, int h, int reach_x, int reach_y, int slots = 4) {
        return new_ship(make_rect(x, y, w, h), 3, slots, nullptr, 0, nullptr, 13, 100, reach_x,
                        reach_y);
    }
};

TEST_F(ship_test, template_fires_at_its_offset_from_the_ship) {
    ship* s = body(512, 40, 39, 37, 10, 10);
    shot* tmpl =
        new_shot_accel(make_rect(15, 26, 8, 8), nullptr, nullptr, shot_main, 1, 4, 1.0, 1.02);
    fire_template(s, tmpl);
    ASSERT_NE(s->shots[0], nullptr);
    EXPECT_EQ(s->shot_count, 1);
    EXPECT_EQ(s->shots[0]->rect.x, 527);
    EXPECT_EQ(s->shots[0]->rect.y, 66);
    EXPECT_EQ(s->shots[0]->rect.w, 8);
    EXPECT_EQ(s->shots[0]->rect.h, 8);
    EXPECT_EQ(s->shots[0]->accel_y, 1.02);
    EXPECT_EQ(tmpl->rect.x, 15); // the template itself is untouched
}

TEST_F(ship_test, full_slots_leave_the_ship_unchanged_and_freed_slots_are_refilled_in_order) {
    ship* s = body(200, 200, 20, 20, 3, 3, 2);
    shot* tmpl = new_shot(make_rect(0, 0, 8, 8), nullptr, shot_main, 0, -6);
    fire_template(s, tmpl);
    fire_template(s, tmpl);
    shot* first = s->shots[0];
    shot* second = s->shots[1];
    fire_template(s, tmpl);
    EXPECT_EQ(s->shot_count, 2);
    EXPECT_EQ(s->shots[0], first);
    EXPECT_EQ(s->shots[1], second);

    remove_shot(s, 0);
    EXPECT_EQ(s->shot_count, 1);
    EXPECT_EQ(s->shots[0], nullptr);
    fire_template(s, tmpl);
    EXPECT_EQ(s->shot_count, 2);
    ASSERT_NE(s->shots[0], nullptr);
    EXPECT_EQ(s->shots[0]->rect.y, 200); // a fresh shot, not the old one's position
    EXPECT_EQ(s->shots[0]->velocity_y, -6.0);
}

TEST_F(ship_test, firing_again_and_again_allocates_nothing_new) {
    ship* s = body(300, 300, 20, 20, 3, 3, 10);
    shot* tmpl = new_shot(make_rect(0, 0, 8, 8), nullptr, shot_main, 0, -50);
    for (int i = 0; i < 10; ++i) fire_template(s, tmpl);
    const size_t blocks = tracked_block_count();
    for (int round = 0; round < 100; ++round) {
        update_shots(s); // the shots leave the top and are removed
        update_shots(s);
        update_shots(s);
        update_shots(s);
        update_shots(s);
        update_shots(s);
        update_shots(s);
        for (int i = 0; i < 10; ++i) fire_template(s, tmpl);
    }
    EXPECT_EQ(tracked_block_count(), blocks);
}

TEST_F(ship_test, update_removes_out_of_bounds_shots_before_moving_others) {
    ship* s = body(300, 300, 20, 20, 3, 3, 3);
    shot* left = new_shot(make_rect(-162, 0, 8, 8), nullptr, shot_main, 0, 0); // lands at x 138
    shot* inside = new_shot(make_rect(-161, 0, 8, 8), nullptr, shot_main, -5, 0);
    fire_template(s, left);
    fire_template(s, inside);
    update_shots(s);
    EXPECT_EQ(s->shots[0], nullptr);
    ASSERT_NE(s->shots[1], nullptr);
    EXPECT_EQ(s->shots[1]->rect.x, 134); // moved outside: drawn once there, removed next step
    update_shots(s);
    EXPECT_EQ(s->shots[1], nullptr);
    EXPECT_EQ(s->shot_count, 0);
}

TEST_F(ship_test, ships_collide_strictly_inside_the_sum_of_reaches) {
    ship* a = body(100, 100, 30, 30, 15, 15);
    ship* b = body(130, 110, 30, 30, 15, 15);
    EXPECT_EQ(hit_test_ships(a, b), 0); // centres exactly 30 apart
    b->rect.x = 129;
    EXPECT_EQ(hit_test_ships(a, b), 1);
    b->rect.y = 130;
    EXPECT_EQ(hit_test_ships(a, b), 0);
}

TEST_F(ship_test, shot_hits_and_grazes_at_strict_boundaries) {
    // Player: 37x32 at (300, 400), centre (318, 416), reach 3.
    ship* player = body(300, 400, 37, 32, 3, 3);
    shot bullet{};
    auto at_centre = [&](int cx, int cy) {
        init_shot(bullet, make_rect(cx - 4, cy - 4, 8, 8), nullptr, nullptr, 0, 0, 0, 1, 1);
        return &bullet;
    };
    EXPECT_EQ(hit_test_shot(at_centre(318 + 6, 416), player), 1); // 6 < 4 + 3
    EXPECT_EQ(hit_test_shot(at_centre(318 + 7, 416), player), 0);
    EXPECT_EQ(graze_test(at_centre(318 + 6, 416), player), 1);  // a hit is 1, not 2
    EXPECT_EQ(graze_test(at_centre(318 + 21, 416), player), 2); // 21 < 22
    EXPECT_EQ(graze_test(at_centre(318 + 22, 416), player), 0);
    EXPECT_EQ(graze_test(at_centre(318, 416 + 16), player), 2); // 16 < 17
    EXPECT_EQ(graze_test(at_centre(318, 416 - 17), player), 0);
    EXPECT_EQ(graze_test(at_centre(318 + 18, 416), player), 2);
}

TEST_F(ship_test, rectangle_operations_wrap_in_sixteen_bits) {
    SDL_Rect r = make_rect(32767, -32768, 5, 5);
    move_by(&r, 1, -1);
    EXPECT_EQ(r.x, -32768);
    EXPECT_EQ(r.y, 32767);
    place_at(&r, make_rect(1, 2, 3, 4));
    EXPECT_EQ(r.x, 1);
    EXPECT_EQ(r.w, 3);
}

} // namespace
