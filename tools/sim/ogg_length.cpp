#include "ogg_length.h"

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

std::uint64_t read_le(const unsigned char* p, int bytes) {
    std::uint64_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | p[i];
    return v;
}

} // namespace

long ogg_length_ms(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return -1;
    const std::vector<unsigned char> data((std::istreambuf_iterator<char>(file)),
                                          std::istreambuf_iterator<char>());
    // The identification header: "\x01vorbis", version, channels, then the rate.
    static const unsigned char id[] = {1, 'v', 'o', 'r', 'b', 'i', 's'};
    long rate = 0;
    for (size_t i = 0; i + 16 < data.size() && i < 4096; ++i) {
        if (std::memcmp(&data[i], id, sizeof id) == 0) {
            rate = static_cast<long>(read_le(&data[i + 12], 4));
            break;
        }
    }
    if (rate <= 0) return -1;
    // The last page's granule position is the number of samples per channel.
    for (size_t i = data.size() >= 27 ? data.size() - 27 : 0; i + 27 <= data.size(); --i) {
        if (std::memcmp(&data[i], "OggS", 4) == 0) {
            const std::uint64_t samples = read_le(&data[i + 6], 8);
            return static_cast<long>(samples * 1000 / static_cast<std::uint64_t>(rate));
        }
        if (i == 0) break;
    }
    return -1;
}
