#include "shell/intro_screens.h"

#include <array>

#include "shell/still_picture.h"

namespace {

constexpr std::array intro_pictures{slot_programmer, slot_resources, slot_keyboard};

} // namespace

void intro_screens(SDL_Surface* screen, const asset_table& assets) {
    // A window close only moves on to the next picture.
    for (int slot : intro_pictures) show_still_picture(screen, picture_slot(assets, slot));
}
