#include "objects/blit.h"

namespace {
bool drawing = true;
} // namespace

void set_drawing(bool enabled) { drawing = enabled; }
bool drawing_enabled() { return drawing; }

bool clip_blit(SDL_Surface* picture, const SDL_Rect* source, SDL_Surface* screen,
               SDL_Rect& destination) {
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
    }
    d = destination.x + w - clip.x - clip.w;
    if (d > 0) w -= d;
    d = clip.y - destination.y;
    if (d > 0) {
        h -= d;
        destination.y = static_cast<Sint16>(destination.y + d);
    }
    d = destination.y + h - clip.y - clip.h;
    if (d > 0) h -= d;
    if (w > 0 && h > 0) {
        destination.w = static_cast<Uint16>(w);
        destination.h = static_cast<Uint16>(h);
        return true;
    }
    destination.w = destination.h = 0;
    return false;
}

void blit_into(SDL_Surface* picture, SDL_Rect* source, SDL_Surface* screen, SDL_Rect& destination) {
    if (drawing)
        SDL_UpperBlit(picture, source, screen, &destination);
    else
        clip_blit(picture, source, screen, destination);
}

void draw_at(SDL_Surface* picture, SDL_Surface* screen, SDL_Rect rectangle) {
    if (drawing) SDL_UpperBlit(picture, nullptr, screen, &rectangle);
}
