#include "objects/blit.h"

namespace {
bool drawing = true;
} // namespace

void set_drawing(bool enabled) { drawing = enabled; }
bool drawing_enabled() { return drawing; }

namespace {

// Classic SDL 1.2.15's clipping of a blit, computed here so that what the game
// reads back never depends on the SDL 1.2 library installed (the one built on
// SDL 2 leaves a wholly clipped rectangle as it was). `clipped_source` gets the
// part of the picture that is drawn.
bool clip_like_sdl_1_2(SDL_Surface* picture, const SDL_Rect* source, SDL_Surface* screen,
                       SDL_Rect& destination, SDL_Rect& clipped_source) {
    if (!picture || !screen) return false;
    // Clip the source to the picture, moving the destination along.
    int src_x = 0, src_y = 0, w = picture->w, h = picture->h;
    if (source) {
        src_x = source->x;
        w = source->w;
        if (src_x < 0) {
            w += src_x;
            destination.x = static_cast<Sint16>(destination.x - src_x);
            src_x = 0;
        }
        if (picture->w - src_x < w) w = picture->w - src_x;
        src_y = source->y;
        h = source->h;
        if (src_y < 0) {
            h += src_y;
            destination.y = static_cast<Sint16>(destination.y - src_y);
            src_y = 0;
        }
        if (picture->h - src_y < h) h = picture->h - src_y;
    }
    // Then the destination to the screen's clip rectangle.
    const SDL_Rect& clip = screen->clip_rect;
    int d = clip.x - destination.x;
    if (d > 0) {
        w -= d;
        destination.x = static_cast<Sint16>(destination.x + d);
        src_x += d;
    }
    d = destination.x + w - clip.x - clip.w;
    if (d > 0) w -= d;
    d = clip.y - destination.y;
    if (d > 0) {
        h -= d;
        destination.y = static_cast<Sint16>(destination.y + d);
        src_y += d;
    }
    d = destination.y + h - clip.y - clip.h;
    if (d > 0) h -= d;
    if (w > 0 && h > 0) {
        clipped_source = SDL_Rect{static_cast<Sint16>(src_x), static_cast<Sint16>(src_y),
                                  static_cast<Uint16>(w), static_cast<Uint16>(h)};
        destination.w = static_cast<Uint16>(w);
        destination.h = static_cast<Uint16>(h);
        return true;
    }
    destination.w = destination.h = 0;
    return false;
}

} // namespace

bool clip_blit(SDL_Surface* picture, const SDL_Rect* source, SDL_Surface* screen,
               SDL_Rect& destination) {
    SDL_Rect unused{};
    return clip_like_sdl_1_2(picture, source, screen, destination, unused);
}

void blit_into(SDL_Surface* picture, SDL_Rect* source, SDL_Surface* screen, SDL_Rect& destination) {
    SDL_Rect drawn{};
    if (!clip_like_sdl_1_2(picture, source, screen, destination, drawn) || !drawing) return;
    // Already clipped: the lower blit copies exactly those pixels and leaves
    // our rectangle alone.
    SDL_Rect target = destination;
    SDL_LowerBlit(picture, &drawn, screen, &target);
}

void draw_at(SDL_Surface* picture, SDL_Surface* screen, SDL_Rect rectangle) {
    if (drawing) SDL_UpperBlit(picture, nullptr, screen, &rectangle);
}
