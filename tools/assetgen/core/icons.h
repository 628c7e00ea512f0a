// The desktop icon: the player's ship, centred on a transparent square, at
// the sizes desktops look for.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/asset_sink.h"

constexpr std::array<int, 7> icon_sizes{16, 24, 32, 48, 64, 128, 256};

// size x size RGBA pixels, row by row. Pixel art is scaled by a whole factor
// when that fills most of the square, and area-averaged otherwise.
std::vector<std::uint8_t> make_icon(const picture& ship, int size);

bool write_png_rgba(const std::string& path, int w, int h, const std::vector<std::uint8_t>& rgba);

// Writes DIR/NxN/apps/graze.png for every size, from the forward ship
// picture the sink holds; false, reported, when one cannot be written.
bool write_icons(const asset_sink& sink, const std::string& dir);
