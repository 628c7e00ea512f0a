// Where generated assets go: writes each slot's file under the output folder
// with the catalogue's exact name, format and colour key, and remembers the
// pictures for the contact sheet.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/picture.h"

struct asset_sink {
    std::string root;                  // folder that receives Images/ and Sound/
    std::vector<picture> pictures;     // by slot, for the contact sheet
    std::vector<std::uint8_t> written; // by slot: 1 once the slot's file exists
    bool failed = false;
};

asset_sink make_sink(const std::string& root);

// Writes a picture slot as PNG or BMP (24-bit, no alpha). Transparent pixels
// become exactly the slot's key colour; opaque pixels that happen to equal the
// key are nudged by one step so they stay visible. Slots sharing a file with
// another slot (27/29, 68/69) are marked written too.
void emit_picture(asset_sink& sink, int slot, const picture& p);

// Writes a sound-effect slot as a 16-bit PCM WAV. Samples are interleaved
// when channels is 2.
void emit_wav(asset_sink& sink, int slot, const std::vector<std::int16_t>& samples, int channels,
              int rate);

// Writes raw bytes (an encoded Ogg Vorbis track) to a music slot's file.
void emit_bytes(asset_sink& sink, int slot, const std::vector<unsigned char>& bytes);

// Full path of a slot's file under the sink's root.
std::string slot_path(const asset_sink& sink, int slot);

// Reports slots the generators forgot; true when every slot was written.
bool check_complete(asset_sink& sink);

// Every picture with its slot number on a checkered background, in one PNG.
void write_contact_sheet(const asset_sink& sink, const std::string& path);

// Plain file writers, also used by tests of the generator.
bool write_png(const std::string& path, int w, int h, const std::vector<rgb>& px);
// Rows of 8-bit RGB or RGBA pixels, top to bottom, at a zlib compression level.
bool write_png_rows(const std::string& path, int w, int h, bool alpha, const std::uint8_t* pixels,
                    int compression);
// A picture slot's PNG: 8-bit palette indices when the picture (with its key
// colour, when one is given) has at most 256 colours, RGB otherwise; rows
// unfiltered. Decoded, the pixels are the same either way.
bool write_picture_png(const std::string& path, int w, int h, const std::vector<rgb>& px,
                       const rgb* key);
bool write_bmp(const std::string& path, int w, int h, const std::vector<rgb>& px);
