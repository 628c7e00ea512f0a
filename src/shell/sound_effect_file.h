// Sound effects reach the mixer in one form whatever their file's wrapper:
// the layout the header checks found (asset_checks.h), rewritten as a plain
// PCM WAV in memory holding the data chunk's whole frames, at the audio
// device's own rate. SDL 1.2's own WAV reader and the one SDL 2 brings to the
// compatibility library then read the same simple file, and neither has to
// change its rate (SDL 1.2's converter only doubles and halves a rate, so a
// sound at 48 kHz would play 9% off speed there): a file loads on both or on
// neither, and plays at its own speed on both.
#pragma once

#include <SDL/SDL_mixer.h>

#include <cstddef>

#include "shell/asset_checks.h"

// A sound effect's plain copy: a whole WAV file in memory, from the C heap.
struct sound_effect_copy {
    unsigned char* wav;
    std::size_t size;
    wav_layout layout; // of the copy: its samples follow the 44-byte header
};

// Reads and checks the file into its plain copy, without the mixer (so it
// runs before the audio device opens). False, with the reason written into
// `reason`, when the file is refused.
bool read_sound_effect(const char* path, sound_effect_copy& copy, char* reason,
                       std::size_t reason_size);

// The copy at `rate` frames a second: resampled (as 16-bit samples, its
// channels kept) when its own rate differs, untouched otherwise. False, with
// the reason, when the resampled copy cannot be held.
bool resample_sound_effect(sound_effect_copy& copy, unsigned rate, char* reason,
                           std::size_t reason_size);

// The mixer's chunk of the copy, converted to the device's format; the copy
// is released either way. Null with the reason when the mixer refuses it.
Mix_Chunk* mix_sound_effect(sound_effect_copy& copy, char* reason, std::size_t reason_size);

// Releases a copy that is not handed to the mixer.
void release_sound_effect(sound_effect_copy& copy);

// The audio device's rate, or 0 when it is not open.
unsigned device_rate();

// The three steps above in one, at the device's rate.
Mix_Chunk* load_sound_effect(const char* path, char* reason, std::size_t reason_size);
