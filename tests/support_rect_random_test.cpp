#include <gtest/gtest.h>

#include <cstdlib>

#include "support/rect_random.h"

TEST(make_rect, keeps_values_and_cuts_to_sixteen_bits) {
    SDL_Rect r = make_rect(640, 480, 0, 0);
    EXPECT_EQ(r.x, 640);
    EXPECT_EQ(r.y, 480);
    EXPECT_EQ(r.w, 0);
    EXPECT_EQ(r.h, 0);

    r = make_rect(-5, -10, 20, 36);
    EXPECT_EQ(r.x, -5);
    EXPECT_EQ(r.y, -10);
    EXPECT_EQ(r.w, 20);
    EXPECT_EQ(r.h, 36);

    r = make_rect(32768, 70000, -1, 65536 + 7);
    EXPECT_EQ(r.x, -32768);
    EXPECT_EQ(r.y, 70000 - 65536);
    EXPECT_EQ(r.w, 65535);
    EXPECT_EQ(r.h, 7);
}

TEST(random_below, one_always_gives_zero_and_draws_follow_rand) {
    for (int i = 0; i < 50; ++i) EXPECT_EQ(random_below(1), 0);
    // Unseeded on purpose: the same start gives the same sequence.
    std::srand(1);
    const int first = random_below(120), second = random_below(120);
    std::srand(1);
    EXPECT_EQ(std::rand() % 120, first);
    EXPECT_EQ(std::rand() % 120, second);
    for (int i = 0; i < 200; ++i) {
        const int v = random_below(30);
        EXPECT_GE(v, 0);
        EXPECT_LT(v, 30);
    }
}
