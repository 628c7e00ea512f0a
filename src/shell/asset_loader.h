// Loading and releasing the asset table.
#pragma once

#include "support/asset_table.h"

// Loads every slot in slot order (pictures converted to the display format
// with their colour key). A file that cannot be loaded is reported on standard
// error by its path, everything loaded so far is released, and null is
// returned: the game must not start with a hole in its catalogue. Only
// regular files are opened, and a sound's header is checked before the mixer
// reads it (asset_checks.h).
// Needs a video mode (pictures are converted to it); without an audio device
// the music and sound slots stay null and the game runs silent.
// Colour-keyed pictures are run-length encoded, so a blit skips their
// transparent runs instead of testing every pixel; the pixels drawn are the
// same either way.
asset_table* load_assets(bool audio_open);

// Plain colour keys instead of run-length encoded ones, for the next loads
// (tests compare the frames drawn both ways).
void set_run_length_keys(bool enabled);

// Releases every slot in slot order, then the table.
void free_assets(asset_table* assets);
