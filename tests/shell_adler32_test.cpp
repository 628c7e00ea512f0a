// The PNG decoder's own Adler-32 sum against zlib's, over lengths around its
// 16-byte vectors and its blocks, from any alignment, in one call or many.
#include <gtest/gtest.h>

#include <zlib.h>

#include <cstdint>
#include <vector>

#include "checksum_pieces.h"
#include "shell/adler32.h"

namespace {

std::uint32_t zlib_sum(std::uint32_t adler, const std::vector<unsigned char>& data,
                       std::size_t from, std::size_t length) {
    return static_cast<std::uint32_t>(
        adler32(adler, data.data() + from, static_cast<uInt>(length)));
}

TEST(adler32, sums_as_zlib_does) {
    const std::vector<unsigned char> noise = seeded_noise(31);
    const std::vector<unsigned char> all_ones(1 << 20, 0xff);
    constexpr std::size_t lengths[] = {0,    1,    15,   16,   17,    31,    32,    33,     5551,
                                       5552, 5553, 5567, 5568, 11104, 65536, 99999, 1 << 20};
    for (const auto* data : {&noise, &all_ones})
        for (std::size_t length : lengths)
            for (std::size_t from : {0, 1, 7}) {
                if (from + length > data->size()) continue;
                for (std::uint32_t start : {1u, 0xfff0fff0u % 65521 | 65520u << 16}) {
                    EXPECT_EQ(adler32_update(start, data->data() + from, length),
                              zlib_sum(start, *data, from, length))
                        << "length " << length << " from " << from;
                }
            }
    // In pieces of every size.
    EXPECT_EQ(sum_in_pieces(adler32_update, 1, noise), zlib_sum(1, noise, 0, noise.size()));
}

} // namespace
