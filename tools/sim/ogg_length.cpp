#include "ogg_length.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <vector>

namespace {

std::uint64_t read_le(const unsigned char* p, int bytes) {
    std::uint64_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | p[i];
    return v;
}

// The identification header lies in the first page; the last page starts
// within the last 65,307 bytes (the longest an Ogg page can be). Only those
// two ends of the file are read, whatever its size.
constexpr std::streamoff head_bytes = 4096;
constexpr std::streamoff tail_bytes = 27 + 255 + 255 * 255;

std::vector<unsigned char> read_part(std::ifstream& file, std::streamoff from,
                                     std::streamoff length) {
    std::vector<unsigned char> data(static_cast<std::size_t>(std::max<std::streamoff>(length, 0)));
    file.seekg(from);
    file.read(reinterpret_cast<char*>(data.data()), static_cast<std::streamsize>(data.size()));
    data.resize(static_cast<std::size_t>(std::max<std::streamsize>(file.gcount(), 0)));
    file.clear();
    return data;
}

} // namespace

long ogg_length_ms(const std::string& path) {
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file) return -1;
    const std::streamoff size = file.tellg();
    if (size < 0) return -1;
    const std::vector<unsigned char> head = read_part(file, 0, std::min(size, head_bytes));
    const std::streamoff tail_from = size - std::min(size, tail_bytes);
    const std::vector<unsigned char> data = read_part(file, tail_from, size - tail_from);
    // The identification header: "\x01vorbis", version, channels, then the rate.
    static const unsigned char id[] = {1, 'v', 'o', 'r', 'b', 'i', 's'};
    long rate = 0;
    for (size_t i = 0; i + 16 < head.size(); ++i) {
        if (std::memcmp(&head[i], id, sizeof id) == 0) {
            rate = static_cast<long>(read_le(&head[i + 12], 4));
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
