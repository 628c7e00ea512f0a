// What the loader makes sure of before a file reaches SDL_image or
// SDL_mixer. Each check returns null when the file may be handed over, or
// the reason it may not (the loader reports it with the file's path).
#pragma once

// The rates a sound may have: the mixer converts every sound to its own
// 44.1 kHz by halving or doubling the rate, in a fixed number of steps that a
// rate far off (1 Hz, 0 Hz, billions) overruns, crashing the game.
constexpr unsigned lowest_sound_rate = 4000;
constexpr unsigned highest_sound_rate = 192000;

// SDL's blits clip in int arithmetic: a picture whose header claims an
// impossible size (a height of -2^31, say) loads, then crashes the first blit.
// No picture of the game comes near this side.
constexpr int largest_picture_side = 8192;
const char* picture_size_fault(long w, long h);

// No picture of the game has more pixels than this (the largest are 640 by
// 480): a header claiming more is refused before a decoder allocates for it.
constexpr long largest_picture_area = 2048L * 2048L;

// A PNG picture: the PNG signature, then an IHDR chunk whose size passes the
// checks above, with a bit depth and colour type PNG allows.
const char* png_file_fault(const char* path);

// A BMP picture: "BM", an info header of a size SDL reads, a size that passes
// the checks above with rows stored bottom-up, 1 to 32 bits per pixel without
// compression (or with bit fields), a palette of at most 256 colours, and
// pixel rows that the file really holds.
const char* bmp_file_fault(const char* path);

// Only regular files are opened: a FIFO would block the start for ever, and
// a device or a folder is no picture or sound.
const char* not_a_regular_file(const char* path);

// A sound effect: a RIFF WAVE file whose format chunk, the first chunk after
// any "fact" or "LIST" chunks (as SDL reads it), says PCM with 1 or 2
// channels of 8 or 16 bits at a rate in the range above.
const char* wav_file_fault(const char* path);

// A music track: an Ogg stream whose first page opens a Vorbis
// identification header with 1 or 2 channels at a rate in the range above.
const char* ogg_file_fault(const char* path);
