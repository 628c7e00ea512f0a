// Sound effects reach the mixer in one form whatever their file's wrapper:
// the layout the header checks found (asset_checks.h), rewritten as a plain
// PCM WAV in memory holding the data chunk's whole frames. SDL 1.2's own WAV
// reader and the one SDL 2 brings to the compatibility library then read the
// same simple file, so a file loads on both or on neither.
#pragma once

#include <SDL/SDL_mixer.h>

#include <cstddef>

// The sound in the file, converted by the mixer to its output format, or
// null with the reason written into `reason`.
Mix_Chunk* load_sound_effect(const char* path, char* reason, std::size_t reason_size);
