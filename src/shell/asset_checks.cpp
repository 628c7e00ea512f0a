#include "shell/asset_checks.h"

#include <sys/stat.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

using open_file = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

open_file open_for_reading(const char* path) { return {std::fopen(path, "rb"), std::fclose}; }

bool read_exactly(std::FILE* file, unsigned char* out, std::size_t n) {
    return std::fread(out, 1, n, file) == n;
}

std::uint32_t le32(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

std::uint16_t le16(const unsigned char* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }

bool is_tag(const unsigned char* p, const char* tag) { return std::memcmp(p, tag, 4) == 0; }

bool rate_in_range(std::uint32_t rate) {
    return rate >= lowest_sound_rate && rate <= highest_sound_rate;
}

constexpr int pcm_format = 1;
constexpr std::uint32_t smallest_format_chunk = 16;
constexpr std::uint32_t largest_format_chunk = 64; // PCM's is 16 or 18 bytes

} // namespace

const char* picture_size_fault(int w, int h) {
    const bool sane = w > 0 && h > 0 && w <= largest_picture_side && h <= largest_picture_side;
    return sane ? nullptr : "picture of an impossible size";
}

const char* not_a_regular_file(const char* path) {
    struct stat facts {};
    if (stat(path, &facts) != 0) return nullptr; // missing: the loader says so itself
    return S_ISREG(facts.st_mode) ? nullptr : "not a regular file";
}

const char* wav_file_fault(const char* path) {
    const open_file file = open_for_reading(path);
    if (!file) return nullptr; // unreadable: the loader says so itself
    unsigned char riff[12];
    if (!read_exactly(file.get(), riff, sizeof riff) || !is_tag(riff, "RIFF") ||
        !is_tag(riff + 8, "WAVE"))
        return "not a RIFF WAVE file";
    // SDL skips "fact" and "LIST" chunks and takes the next one as the format.
    unsigned char chunk[8];
    for (;;) {
        if (!read_exactly(file.get(), chunk, sizeof chunk)) return "no format chunk";
        if (!is_tag(chunk, "fact") && !is_tag(chunk, "LIST")) break;
        if (std::fseek(file.get(), static_cast<long>(le32(chunk + 4)), SEEK_CUR) != 0)
            return "no format chunk";
    }
    if (!is_tag(chunk, "fmt ")) return "no format chunk";
    const std::uint32_t length = le32(chunk + 4);
    if (length < smallest_format_chunk || length > largest_format_chunk)
        return "format chunk of a wrong size";
    unsigned char format[smallest_format_chunk];
    if (!read_exactly(file.get(), format, sizeof format)) return "format chunk cut short";
    const int encoding = le16(format);
    const int channels = le16(format + 2);
    const std::uint32_t rate = le32(format + 4);
    const int bits = le16(format + 14);
    if (encoding != pcm_format) return "not PCM";
    if (channels != 1 && channels != 2) return "not 1 or 2 channels";
    if (!rate_in_range(rate)) return "sample rate out of range";
    if (bits != 8 && bits != 16) return "not 8 or 16 bits";
    return nullptr;
}

const char* ogg_file_fault(const char* path) {
    const open_file file = open_for_reading(path);
    if (!file) return nullptr; // unreadable: the loader says so itself
    // The first page holds the identification header alone: 27 bytes of page
    // header, one lacing value, then the 30-byte packet.
    constexpr std::size_t page_header = 27;
    constexpr std::size_t ident_length = 30;
    unsigned char page[page_header + 1 + ident_length];
    if (!read_exactly(file.get(), page, page_header) || !is_tag(page, "OggS"))
        return "not an Ogg file";
    const int segments = page[26];
    if (segments < 1) return "not an Ogg Vorbis file";
    if (!read_exactly(file.get(), page + page_header, 1) || page[page_header] < ident_length)
        return "not an Ogg Vorbis file";
    if (std::fseek(file.get(), static_cast<long>(page_header + segments), SEEK_SET) != 0 ||
        !read_exactly(file.get(), page + page_header + 1, ident_length))
        return "not an Ogg Vorbis file";
    const unsigned char* ident = page + page_header + 1;
    if (ident[0] != 1 || std::memcmp(ident + 1, "vorbis", 6) != 0 || le32(ident + 7) != 0)
        return "not an Ogg Vorbis file";
    const int channels = ident[11];
    const std::uint32_t rate = le32(ident + 12);
    if (channels != 1 && channels != 2) return "not 1 or 2 channels";
    if (!rate_in_range(rate)) return "sample rate out of range";
    return nullptr;
}
