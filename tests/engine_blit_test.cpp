// The game clips its blits itself, as classic SDL 1.2.15 does, so the
// rectangles it reads back are the same on every SDL 1.2 library.
#include "object_fixtures.h"

#include <cstdlib>
#include <tuple>
#include <vector>

#include "objects/blit.h"

namespace {

using blit_test = object_test;

bool classic_sdl() {
    const SDL_version* v = SDL_Linked_Version();
    return v->major == 1 && v->minor == 2 && v->patch == 15;
}

struct blit_case {
    int picture;
    bool with_source;
    SDL_Rect source, destination;
};

// Random blits over pictures of the game's sizes, reaching past every edge.
std::vector<blit_case> random_cases(int count) {
    std::srand(7);
    auto any = [](int low, int high) { return low + std::rand() % (high - low + 1); };
    std::vector<blit_case> cases;
    for (int i = 0; i < count; ++i) {
        SDL_Rect source{static_cast<Sint16>(any(-40, 450)), static_cast<Sint16>(any(-40, 60)),
                        static_cast<Uint16>(any(0, 700)), static_cast<Uint16>(any(0, 500))};
        SDL_Rect destination{static_cast<Sint16>(any(-800, 800)),
                             static_cast<Sint16>(any(-600, 600)),
                             static_cast<Uint16>(any(0, 900)), static_cast<Uint16>(any(0, 900))};
        cases.push_back({i % 4, i % 3 != 0, source, destination});
    }
    return cases;
}

// Pictures with a gradient, so a source shifted by one pixel shows.
SDL_Surface* gradient_picture(int w, int h) {
    SDL_Surface* p = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 32, 0xff0000, 0xff00, 0xff, 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            static_cast<Uint32*>(p->pixels)[y * p->pitch / 4 + x] =
                SDL_MapRGB(p->format, x & 0xff, y & 0xff, (x * 7 + y * 3) & 0xff);
    return p;
}

// The rectangle the game reads back is classic SDL 1.2.15's on every SDL 1.2
// library; on classic SDL itself it is what SDL_UpperBlit writes.
TEST_F(blit_test, clipping_without_drawing_matches_classic_sdl_exactly) {
    if (!classic_sdl()) GTEST_SKIP() << "SDL_UpperBlit is the reference only on SDL 1.2.15";
    SDL_Surface* pictures[] = {picture(37, 32, {1, 2, 3}), picture(416, 30, {1, 2, 3}),
                               picture(640, 480, {1, 2, 3}), picture(8, 8, {1, 2, 3})};
    int i = 0;
    for (blit_case c : random_cases(20000)) {
        SDL_Rect theirs = c.destination, ours = c.destination;
        SDL_Surface* p = pictures[c.picture];
        SDL_UpperBlit(p, c.with_source ? &c.source : nullptr, screen, &theirs);
        clip_blit(p, c.with_source ? &c.source : nullptr, screen, ours);
        ASSERT_EQ(ours.x, theirs.x) << i;
        ASSERT_EQ(ours.y, theirs.y) << i;
        ASSERT_EQ(ours.w, theirs.w) << i;
        ASSERT_EQ(ours.h, theirs.h) << i;
        ++i;
    }
}

// On any library: a drawn blit writes back what the pixel-free one computes
// and copies the very pixels SDL_UpperBlit copies.
TEST_F(blit_test, drawn_blits_write_back_our_clipping_and_draw_what_sdl_draws) {
    SDL_Surface* pictures[] = {gradient_picture(37, 32), gradient_picture(416, 30),
                               gradient_picture(640, 480), gradient_picture(8, 8)};
    SDL_Surface* reference = SDL_CreateRGBSurface(SDL_SWSURFACE, 640, 480, 32, 0xff0000, 0xff00,
                                                  0xff, 0);
    int i = 0;
    for (blit_case c : random_cases(600)) {
        SDL_Surface* p = pictures[c.picture];
        SDL_Rect* source = c.with_source ? &c.source : nullptr;
        SDL_Rect drawn = c.destination, computed = c.destination, theirs = c.destination;
        clear_screen();
        SDL_FillRect(reference, nullptr, 0);
        blit_into(p, source, screen, drawn);
        clip_blit(p, source, screen, computed);
        SDL_UpperBlit(p, source, reference, &theirs);
        ASSERT_EQ(std::tie(drawn.x, drawn.y, drawn.w, drawn.h),
                  std::tie(computed.x, computed.y, computed.w, computed.h))
            << i;
        for (int y = 0; y < 480; y += 7)
            for (int x = 0; x < 640; x += 5)
                ASSERT_EQ(pixel_at(screen, x, y), pixel_at(reference, x, y))
                    << i << " at " << x << "," << y;
        ++i;
    }
    for (SDL_Surface* p : pictures) SDL_FreeSurface(p);
    SDL_FreeSurface(reference);
}

// Classic SDL's answers for the cases the libraries disagree on, held here so
// they are checked on every library.
TEST_F(blit_test, wholly_clipped_blits_end_at_the_edge_with_nothing_drawn) {
    SDL_Surface* p = picture(37, 32, {1, 2, 3});
    SDL_Rect left{-392, 100, 0, 0};
    EXPECT_FALSE(clip_blit(p, nullptr, screen, left));
    EXPECT_EQ(std::tie(left.x, left.y, left.w, left.h), std::make_tuple(0, 100, 0, 0));
    SDL_Rect above{200, -50, 37, 32};
    blit_into(p, nullptr, screen, above);
    EXPECT_EQ(std::tie(above.x, above.y, above.w, above.h), std::make_tuple(200, 0, 0, 0));
    SDL_Rect right{700, 10, 9, 9};
    blit_into(p, nullptr, screen, right);
    EXPECT_EQ(std::tie(right.x, right.y, right.w, right.h), std::make_tuple(700, 10, 0, 0));
    SDL_Rect part{-5, 470, 0, 0};
    SDL_Rect from{4, 2, 20, 20};
    blit_into(p, &from, screen, part);
    EXPECT_EQ(std::tie(part.x, part.y, part.w, part.h), std::make_tuple(0, 470, 15, 10));
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
