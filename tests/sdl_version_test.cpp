// Graze runs on classic SDL 1.2.15 and on the SDL 1.2 compatibility library
// built on SDL 2 (1.2.50 and later). The test names the one linked, and fails
// on anything else, where nobody has checked that the game plays the same.
#include <gtest/gtest.h>

#include <SDL/SDL.h>

#include <cstdio>

TEST(linked_sdl, is_classic_1_2_15_or_the_compatibility_library) {
    const SDL_version* v = SDL_Linked_Version();
    ASSERT_NE(v, nullptr);
    ASSERT_EQ(v->major, 1);
    ASSERT_EQ(v->minor, 2);
    const bool classic = v->patch == 15;
    const bool compatibility = v->patch >= 50;
    std::printf("linked SDL %d.%d.%d: %s\n", v->major, v->minor, v->patch,
                classic ? "classic SDL 1.2" : "the compatibility library on SDL 2");
    EXPECT_TRUE(classic || compatibility) << "SDL 1.2." << int(v->patch);
}
