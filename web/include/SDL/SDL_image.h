/* The part of SDL_image 1.2 the game uses in the browser build: IMG_Init
   (web/image_init.cpp). The game reads its pictures with its own PNG
   decoder. */
#ifndef GRAZE_WEB_SDL_IMAGE_H
#define GRAZE_WEB_SDL_IMAGE_H

#include <SDL/SDL.h>

#ifdef __cplusplus
extern "C" {
#endif

#define IMG_INIT_PNG 0x00000002
/* Nothing to start: returns the flags among those asked for that are ready. */
int IMG_Init(int flags);

#define IMG_GetError SDL_GetError

#ifdef __cplusplus
}
#endif

#endif
