#include "objects/blit.h"

void blit_into(SDL_Surface* picture, SDL_Rect* source, SDL_Surface* screen, SDL_Rect& destination) {
    SDL_UpperBlit(picture, source, screen, &destination);
}

void draw_at(SDL_Surface* picture, SDL_Surface* screen, SDL_Rect rectangle) {
    SDL_UpperBlit(picture, nullptr, screen, &rectangle);
}
