// Writes a presented screen to a PNG file (the simulator's frame capture).
#pragma once

#include <SDL/SDL.h>

// Writes the screen as the file `name` in the open folder `folder`: 0 once it
// is all written and closed, otherwise the system's error number (ENOSPC on a
// full disk, EIO when the reason is not known).
int save_screen_png(SDL_Surface* screen, int folder, const char* name);

// The raw value of pixel x of one of the screen's rows, in the screen's own
// format (SDL_GetRGB reads its channels).
inline Uint32 pixel_value(const SDL_PixelFormat& format, const Uint8* row, int x) {
    const Uint8* p = row + x * format.BytesPerPixel;
    switch (format.BytesPerPixel) {
    case 4: return *reinterpret_cast<const Uint32*>(p);
    case 2: return *reinterpret_cast<const Uint16*>(p);
    default: return p[0] | (p[1] << 8) | (p[2] << 16);
    }
}
