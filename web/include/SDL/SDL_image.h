/* The part of SDL_image 1.2 the game uses, for the browser build: IMG_Load,
   IMG_LoadPNG_RW and IMG_Init for PNG files (web/image_loader.cpp, over
   libpng). */
#ifndef GRAZE_WEB_SDL_IMAGE_H
#define GRAZE_WEB_SDL_IMAGE_H

#include <SDL/SDL.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Loads a PNG file into a new surface laid out as SDL_image 1.2 lays it out
   (24-bit RGB or 32-bit RGBA, bytes in file order); null, with SDL's error
   set, when the file cannot be read or decoded. */
SDL_Surface* IMG_Load(const char* file);
/* The same from an open file, which stays open. */
SDL_Surface* IMG_LoadPNG_RW(SDL_RWops* src);

#define IMG_INIT_PNG 0x00000002
/* Nothing to start: returns the flags among those asked for that are ready. */
int IMG_Init(int flags);

#define IMG_GetError SDL_GetError

#ifdef __cplusplus
}
#endif

#endif
