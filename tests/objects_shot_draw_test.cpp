#include "object_fixtures.h"

#include "objects/shot.h"
#include "support/rect_random.h"

namespace {

using shot_draw = object_test;

TEST_F(shot_draw, alternates_six_b_then_one_a_then_four_b) {
    SDL_Surface* a = picture(8, 8, {255, 0, 0});
    SDL_Surface* b = picture(8, 8, {0, 0, 255});
    shot* s = new_animated_shot(make_rect(300, 200, 8, 8), a, b, shot_main, 0, 0);
    std::string seen;
    for (int frame = 0; frame < 17; ++frame) {
        draw_shot(*s, screen);
        seen += pixel_at(screen, 303, 203) == colour3{255, 0, 0} ? 'a' : 'b';
    }
    EXPECT_EQ(seen, "bbbbbbabbbbabbbba");
}

TEST_F(shot_draw, blit_writes_the_clipped_rectangle_back) {
    SDL_Surface* a = picture(16, 16, {0, 255, 0});
    shot* s = new_shot(make_rect(300, -6, 16, 16), a, shot_main, 0, 0);
    draw_shot(*s, screen);
    EXPECT_EQ(s->rect.y, 0);  // clipped at the top: moved to the edge
    EXPECT_EQ(s->rect.h, 10); // and only the drawn part remains
    EXPECT_EQ(s->rect.w, 16);
    EXPECT_EQ(pixel_at(screen, 305, 0), (colour3{0, 255, 0}));
}

} // namespace
