#include "support/rect_random.h"

#include <cstdlib>

static_assert(sizeof(SDL_Rect) == 8, "x, y signed 16-bit; w, h unsigned 16-bit");

SDL_Rect make_rect(int x, int y, int w, int h) {
    SDL_Rect r;
    r.x = static_cast<Sint16>(x);
    r.y = static_cast<Sint16>(y);
    r.w = static_cast<Uint16>(w);
    r.h = static_cast<Uint16>(h);
    return r;
}

int random_below(int n) { return std::rand() % n; }
