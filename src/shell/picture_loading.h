// A catalogue picture in two steps: decoded from its file with its own
// format's decoder (no window needed, so this runs while the window opens),
// then converted to the display format once the window is there.
#pragma once

#include <SDL/SDL.h>

#include <cstddef>

#include "support/asset_catalogue.h"

// The picture in its file's own format, checked for a sane size and keyed
// with its slot's colour; null with the reason written into `reason`.
SDL_Surface* decode_picture(const catalogue_entry& entry, char* reason, std::size_t reason_size);

// The picture in the display format with its slot's key (run-length encoded
// when asked); the file's copy goes at once. Null when SDL cannot convert it.
SDL_Surface* to_display_format(SDL_Surface* decoded, const catalogue_entry& entry,
                               bool run_length_key);
