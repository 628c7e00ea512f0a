// The game's own PNG decoder, through libpng: the same surfaces SDL_image 1.2
// makes of a PNG file (8 bits a channel, RGB or RGBA bytes in file order, a
// palette kept as a palette with a single transparent entry as its colour
// key), so every picture is drawn exactly as before. Every fault comes back
// as one reason, libpng's own words included, instead of being printed.
#pragma once

#include <SDL/SDL.h>

#include <cstddef>

// The picture in the file, or null with the reason written into `reason`.
SDL_Surface* decode_png_file(const char* path, char* reason, std::size_t reason_size);
