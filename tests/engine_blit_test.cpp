// The simulator's pixel-free blit must clip and write back exactly as SDL.
#include "object_fixtures.h"

#include <cstdlib>

#include "objects/blit.h"

namespace {

using blit_test = object_test;

TEST_F(blit_test, clipping_without_drawing_matches_sdl_exactly) {
    SDL_Surface* pictures[] = {picture(37, 32, {1, 2, 3}), picture(416, 30, {1, 2, 3}),
                               picture(640, 480, {1, 2, 3}), picture(8, 8, {1, 2, 3})};
    std::srand(7);
    auto any = [](int low, int high) { return low + std::rand() % (high - low + 1); };
    for (int i = 0; i < 20000; ++i) {
        SDL_Surface* p = pictures[i % 4];
        SDL_Rect source{static_cast<Sint16>(any(-40, 450)), static_cast<Sint16>(any(-40, 60)),
                        static_cast<Uint16>(any(0, 700)), static_cast<Uint16>(any(0, 500))};
        SDL_Rect ours{static_cast<Sint16>(any(-800, 800)), static_cast<Sint16>(any(-600, 600)),
                      static_cast<Uint16>(any(0, 900)), static_cast<Uint16>(any(0, 900))};
        SDL_Rect theirs = ours;
        const bool with_source = i % 3 != 0;
        SDL_UpperBlit(p, with_source ? &source : nullptr, screen, &theirs);
        clip_blit(p, with_source ? &source : nullptr, screen, ours);
        ASSERT_EQ(ours.x, theirs.x) << i;
        ASSERT_EQ(ours.y, theirs.y) << i;
        ASSERT_EQ(ours.w, theirs.w) << i;
        ASSERT_EQ(ours.h, theirs.h) << i;
    }
}

TEST_F(blit_test, with_drawing_off_nothing_reaches_the_screen) {
    SDL_Surface* p = picture(20, 20, {200, 10, 10});
    set_drawing(false);
    SDL_Rect r{-5, 100, 20, 20};
    blit_into(p, nullptr, screen, r);
    draw_at(p, screen, SDL_Rect{300, 300, 20, 20});
    set_drawing(true);
    EXPECT_EQ(r.x, 0);
    EXPECT_EQ(r.w, 15);
    EXPECT_EQ(pixel_at(screen, 5, 105), (colour3{0, 0, 0}));
    EXPECT_EQ(pixel_at(screen, 305, 305), (colour3{0, 0, 0}));
}

} // namespace
