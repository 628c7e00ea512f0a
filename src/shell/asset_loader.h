// Loading and releasing the asset table.
#pragma once

#include "support/asset_table.h"

// Loads every slot (pictures converted to the display format with their
// colour key). A file that cannot be loaded is reported on standard error by
// its path, everything loaded so far is released, and null is returned: the
// game must not start with a hole in its catalogue.
// Every file is checked before a library reads it (asset_checks.h): only
// regular files, a picture only in its slot's format (PNG or BMP, by its
// first bytes) and of a sane size by its own header, a sound only as a WAV
// or Ogg Vorbis file the mixer can take. These checks run in slot order; the
// files that pass are then decoded on a few threads at once, each result
// kept by its slot, so the file reported is always the first bad one in slot
// order, whatever finishes first.
// Needs a video mode (pictures are converted to it); without an audio device
// the music and sound slots stay null and the game runs silent.
// Colour-keyed pictures are run-length encoded, so a blit skips their
// transparent runs instead of testing every pixel; the pixels drawn are the
// same either way.
asset_table* load_assets(bool audio_open);

// The same checks over the whole catalogue before SDL opens anything: a few
// bytes of each file, so a bad file is reported (as load_assets reports it)
// before a window opens. Every picture is checked, and every music track and
// sound effect that is there (without an audio device the game runs silent
// and never asks for them; one that is missing is left to load_assets).
// False after reporting the first file refused in slot order.
bool asset_headers_sound();

// Plain colour keys instead of run-length encoded ones, for the next loads
// (tests compare the frames drawn both ways).
void set_run_length_keys(bool enabled);

// How many threads decode (the calling one included); 0, the default, is one
// per processor the game may run on.
void set_loader_threads(int threads);

// Test hook: the decoding of one slot waits this long first (0 for none), to
// show that the order of the reports does not depend on which file finishes
// first.
void set_slow_slot(int slot, int milliseconds);

// Releases every slot in slot order, then the table.
void free_assets(asset_table* assets);
