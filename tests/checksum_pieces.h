// Shared by the decoder's checksum tests: a megabyte of seeded noise, and a
// sum carried over a buffer in pieces of every size from 1 byte to about
// 27 KB, as the decoder hands a chunk over block by block.
#pragma once

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

inline std::vector<unsigned char> seeded_noise(unsigned seed) {
    std::mt19937 random(seed);
    std::vector<unsigned char> bytes(1 << 20);
    for (unsigned char& byte : bytes) byte = static_cast<unsigned char>(random());
    return bytes;
}

template <typename update_fn>
std::uint32_t sum_in_pieces(update_fn update, std::uint32_t start,
                            const std::vector<unsigned char>& data) {
    std::uint32_t sum = start;
    for (std::size_t at = 0, piece = 1; at < data.size(); piece = piece % 9000 * 3 + 1) {
        const std::size_t n = std::min(piece, data.size() - at);
        sum = update(sum, data.data() + at, n);
        at += n;
    }
    return sum;
}
