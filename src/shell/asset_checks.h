// What the loader makes sure of before a file reaches SDL_image or
// SDL_mixer. Each check returns null when the file may be handed over, or
// the reason it may not (the loader reports it with the file's path).
#pragma once

#include <cstdio>

// The rates a sound may have: the mixer converts every sound to its own
// 44.1 kHz by halving or doubling the rate, in a fixed number of steps that a
// rate far off (1 Hz, 0 Hz, billions) overruns, crashing the game.
constexpr unsigned lowest_sound_rate = 4000;
constexpr unsigned highest_sound_rate = 192000;

// A sound effect is short (the game's longest lasts 2.4 s): a longer one
// would hold the start while it is read and converted. At the highest rate
// its samples still fit the int count of bytes the mixer takes.
constexpr long longest_sound_s = 30;
static_assert(longest_sound_s * highest_sound_rate * 4 < 0x7fff0000);

// No music track of the game comes near this size (the largest is 1.5 MB;
// an hour at 128 kbit/s is 58 MB): the mixer reads past what a larger file
// would hide as it plays.
constexpr long largest_music_file = 64L * 1024 * 1024;

// SDL's blits clip in int arithmetic: a picture whose header claims an
// impossible size (a height of -2^31, say) loads, then crashes the first blit.
// No picture of the game comes near this side.
constexpr int largest_picture_side = 8192;
const char* picture_size_fault(long w, long h);

// No picture of the game has more pixels than this (the largest are 640 by
// 480): a header claiming more is refused before a decoder allocates for it.
constexpr long largest_picture_area = 2048L * 2048L;

// Every check reads a bounded part of the file, whatever its size: headers
// a block at a time, long bodies skipped by a seek, and at most this many
// chunks walked (no file of the game has more than a few dozen).
constexpr int most_file_chunks = 4096;

// A PNG picture: the PNG signature, then an IHDR chunk whose size passes the
// checks above, with a bit depth and colour type PNG allows, and chunks, each
// typed by four letters, that the file holds whole up to the IEND chunk (a
// file cut short ends early), ending within twice its picture's size and a
// megabyte.
const char* png_file_fault(const char* path);

// A BMP picture: "BM", an info header of a size SDL reads, a size that passes
// the checks above with rows stored bottom-up, 1 to 32 bits per pixel without
// compression (or with bit fields of 16- or 32-bit pixels), a palette of at
// most 256 colours and no more than its pixels can name, and
// pixel rows that the file really holds. What SDL 1.2 and SDL 2 would read
// differently is refused: bit fields other than the plain 5-5-5, 5-6-5 and
// 8-8-8 layouts (either way round) or with an alpha mask, masks where pixels
// without bit fields should start, a palette after a longer info header.
const char* bmp_file_fault(const char* path);

// Only regular files the game may read are opened: a FIFO would block the
// start for ever, and a device or a folder is no picture or sound. The reason
// is the system's own (no such file or directory, permission denied, too
// many levels of symbolic links) or "not a regular file".
const char* file_access_fault(const char* path);

// Where a sound effect's samples are, and how they are laid out.
struct wav_layout {
    int channels;
    unsigned rate;
    int bits;
    int block_align;  // bytes of one frame: channels * bits / 8
    long data_at;     // the first sample's offset in the file
    long data_length; // whole frames only
};

// A sound effect: a RIFF WAVE file with a format chunk, then a data chunk,
// each chunk named by four printable characters.
// The format is PCM, plainly or in the extensible wrapper with the PCM
// sub-format, 1 or 2 channels of 8 or 16 bits at a rate in the range above,
// its block align and byte rate those of that layout; the data chunk holds at
// least one frame, lasts at most the time above and lies within the file.
// Chunks of other kinds are skipped.
// Reads the file open at `file`, `size` bytes long; null, with the layout
// filled in, when it may be loaded.
const char* read_wav_layout(std::FILE* file, long size, wav_layout& layout);
const char* wav_file_fault(const char* path);

// A music track: an Ogg stream whose first page opens a Vorbis
// identification header with 1 or 2 channels at a rate in the range above,
// in a file of at most the size above that ends with a whole Ogg page.
const char* ogg_file_fault(const char* path);
