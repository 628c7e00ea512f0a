// The PNG decoder's own CRC-32 against zlib's, over lengths around its
// 16- and 64-byte folds, from any alignment, from any running sum, in one
// call or many.
#include <gtest/gtest.h>

#include <zlib.h>

#include <cstdint>
#include <vector>

#include "checksum_pieces.h"
#include "shell/crc32.h"

namespace {

std::uint32_t zlib_sum(std::uint32_t crc, const std::vector<unsigned char>& data, std::size_t from,
                       std::size_t length) {
    return static_cast<std::uint32_t>(crc32(crc, data.data() + from, static_cast<uInt>(length)));
}

TEST(crc32, sums_as_zlib_does) {
    const std::vector<unsigned char> noise = seeded_noise(47);
    const std::vector<unsigned char> all_ones(1 << 20, 0xff);
    const std::vector<unsigned char> zeros(1 << 20, 0);
    constexpr std::size_t lengths[] = {0,   1,    15,    16,    17,    31,     48,  63,
                                       64,  65,   79,    80,    95,    127,    128, 129,
                                       200, 4096, 65535, 65536, 99999, 1 << 20};
    for (const auto* data : {&noise, &all_ones, &zeros})
        for (std::size_t length : lengths)
            for (std::size_t from : {0, 1, 7, 15}) {
                if (from + length > data->size()) continue;
                for (std::uint32_t start : {0u, 0x35af6c17u, 0xffffffffu}) {
                    EXPECT_EQ(crc32_update(start, data->data() + from, length),
                              zlib_sum(start, *data, from, length))
                        << "length " << length << " from " << from << " start " << start;
                }
            }
    // In pieces of every size, as a chunk arrives block by block.
    EXPECT_EQ(sum_in_pieces(crc32_update, 0, noise), zlib_sum(0, noise, 0, noise.size()));
}

} // namespace
