// Graze runs on classic SDL 1.2.15. The compatibility layer built on SDL 2
// answers with another patch level: a silent swap must fail here.
#include <gtest/gtest.h>

#include <SDL/SDL.h>

TEST(linked_sdl, is_classic_1_2_15) {
    const SDL_version* v = SDL_Linked_Version();
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(v->major, 1);
    EXPECT_EQ(v->minor, 2);
    EXPECT_EQ(v->patch, 15);
}
