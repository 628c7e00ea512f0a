// Writes a presented screen to a PNG file (the simulator's frame capture).
#pragma once

#include <SDL/SDL.h>

#include <string>

bool save_screen_png(SDL_Surface* screen, const std::string& path);
