// SDL_image's start-up for the browser build, where SDL_image itself is not
// built: the game reads its PNG pictures with its own decoder (libpng) and
// only asks SDL_image to get ready, which here needs nothing.
#include <SDL/SDL_image.h>

extern "C" int IMG_Init(int flags) { return flags & IMG_INIT_PNG; }
