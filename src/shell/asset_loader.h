// Loading and releasing the asset table.
//
// Every file is checked before a library reads it (asset_checks.h): only
// regular files, a picture only in its slot's format (PNG or BMP, by its
// first bytes) and of a sane size by its own header, a sound only as a WAV
// or Ogg Vorbis file the mixer can take. A file that cannot be loaded is
// reported on standard error by its path, everything loaded so far is
// released, and the game does not start: it must not run with a hole in its
// catalogue. The file reported is the first one in slot order whose header
// is refused, or else the first one in slot order that its decoder refuses,
// whatever finishes first.
//
// Loading runs in two steps around the opening of the window and the audio
// device, so that a bad file is named at once and the window does not wait
// for the pictures:
//   begin_loading_assets   before the window: checks every file's header in
//                          slot order (pictures, music and sounds alike), then
//                          decodes them on threads: pictures in their files'
//                          formats, sound effects into the game's own copies,
//                          music tracks opened as the mixer opens them. A file
//                          refused while decoding is reported as soon as the
//                          decoding ends, while the window may still be opening.
//   finish_loading_assets  once the window and the audio device are open:
//                          waits for the decoding, converts the pictures to
//                          the display format with their colour keys, and hands
//                          the sounds and the music to the mixer.
// Colour-keyed pictures are run-length encoded, so a blit skips their
// transparent runs instead of testing every pixel; the pixels drawn are the
// same either way.
#pragma once

#include "support/asset_table.h"

// False after reporting the first file whose header is refused (nothing is
// started then): the game stops before any window opens.
bool begin_loading_assets();

// The whole table, or null after reporting the first file refused in slot
// order. Without an audio device the music and sound slots stay null and the
// game runs silent. A stop request is heard while it waits for the decoding.
asset_table* finish_loading_assets(bool audio_open);

// Waits for the decoding begun above and releases what it made: the start
// failed in between.
void cancel_loading_assets();

// Both steps at once, for a caller whose window and audio device are open.
asset_table* load_assets(bool audio_open);

// Plain colour keys instead of run-length encoded ones, for the next loads
// (tests compare the frames drawn both ways).
void set_run_length_keys(bool enabled);

// How many threads decode; 0, the default, is one per processor the game may
// run on.
void set_loader_threads(int threads);

// Test hook: the decoding of one slot waits this long first (0 for none), to
// show that the order of the reports does not depend on which file finishes
// first.
void set_slow_slot(int slot, int milliseconds);

// Releases every slot in slot order, then the table.
void free_assets(asset_table* assets);
