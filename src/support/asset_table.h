// The asset table: every picture, music track and sound effect, loaded once
// at start-up and shared by every screen and level until the program ends.
// Code names an asset only by its slot (see asset_slots.h).
#pragma once

#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>

#include <array>

#include "support/asset_slots.h"

struct asset_table {
    std::array<void*, asset_slot_count> slots;
};

// Typed reads of a slot; the slot must be of that kind. Music and sound slots
// are null when the game runs without an audio device.
inline SDL_Surface* picture_slot(const asset_table& assets, int slot) {
    return static_cast<SDL_Surface*>(assets.slots[slot]);
}
inline Mix_Music* music_slot(const asset_table& assets, int slot) {
    return static_cast<Mix_Music*>(assets.slots[slot]);
}
inline Mix_Chunk* chunk_slot(const asset_table& assets, int slot) {
    return static_cast<Mix_Chunk*>(assets.slots[slot]);
}
