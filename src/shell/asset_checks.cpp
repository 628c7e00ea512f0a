#include "shell/asset_checks.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
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

std::uint32_t be32(const unsigned char* p) {
    return static_cast<std::uint32_t>(p[0]) << 24 | static_cast<std::uint32_t>(p[1]) << 16 |
           static_cast<std::uint32_t>(p[2]) << 8 | static_cast<std::uint32_t>(p[3]);
}

std::int32_t le32_signed(const unsigned char* p) { return static_cast<std::int32_t>(le32(p)); }

bool is_tag(const unsigned char* p, const char* tag) { return std::memcmp(p, tag, 4) == 0; }

bool rate_in_range(std::uint32_t rate) {
    return rate >= lowest_sound_rate && rate <= highest_sound_rate;
}

constexpr int pcm_format = 1;
constexpr int extensible_format = 0xfffe;
// The extensible wrapper's sub-format that says PCM
// (00000001-0000-0010-8000-00aa00389b71, as stored).
constexpr unsigned char pcm_sub_format[16] = {0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x10, 0x00,
                                              0x80, 0x00, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71};
constexpr std::uint32_t extensible_format_chunk = 40;
constexpr std::uint32_t extensible_extra = 22;
constexpr const char* ends_early = "file ends early";
// The mixer takes a sound in memory by an int count of bytes.
constexpr long largest_sound_data = 0x7fff0000;

constexpr unsigned char png_signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
constexpr std::uint32_t png_header_length = 13;

// The bit depths PNG allows for each colour type (grey, -, RGB, palette,
// grey and alpha, -, RGBA).
bool png_depth_allowed(int colour_type, int depth) {
    switch (colour_type) {
    case 0: return depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
    case 3: return depth == 1 || depth == 2 || depth == 4 || depth == 8;
    case 2:
    case 4:
    case 6: return depth == 8 || depth == 16;
    default: return false;
    }
}

// The info header sizes SDL's BMP reader knows: OS/2's core header, Windows'
// version 3, its bit-field extensions, and versions 4 and 5.
bool bmp_info_size_known(std::uint32_t size) {
    return size == 12 || size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

constexpr std::uint32_t bmp_file_header = 14;
constexpr int bmp_uncompressed = 0;
constexpr int bmp_bit_fields = 3;
constexpr std::uint32_t bmp_largest_palette = 256;

long file_size(std::FILE* file) {
    if (std::fseek(file, 0, SEEK_END) != 0) return -1;
    const long size = std::ftell(file);
    return std::fseek(file, 0, SEEK_SET) == 0 ? size : -1;
}
constexpr std::uint32_t smallest_format_chunk = 16;
constexpr std::uint32_t largest_format_chunk = 64; // PCM's is 16 or 18 bytes, extensible 40

// The PNG chunks after the header, each whole in the file, up to IEND.
const char* png_chunks_fault(std::FILE* file, long size) {
    long at = sizeof png_signature + 8 + png_header_length + 4;
    for (;;) {
        unsigned char chunk[8];
        if (std::fseek(file, at, SEEK_SET) != 0 || !read_exactly(file, chunk, sizeof chunk))
            return ends_early;
        const long length = be32(chunk);
        if (length > size - at - 12) return ends_early; // the body and its checksum
        if (is_tag(chunk + 4, "IEND")) return nullptr;
        at += 12 + length;
    }
}

// The fields of a format chunk of `length` bytes (16 to 64), checked.
const char* wav_format_fault(const unsigned char* format, std::uint32_t length,
                             wav_layout& layout) {
    const int encoding = le16(format);
    if (encoding == extensible_format) {
        if (length < extensible_format_chunk || le16(format + 16) < extensible_extra ||
            std::memcmp(format + 24, pcm_sub_format, sizeof pcm_sub_format) != 0)
            return "not PCM";
    } else if (encoding != pcm_format) {
        return "not PCM";
    }
    layout.channels = le16(format + 2);
    layout.rate = le32(format + 4);
    const std::uint32_t byte_rate = le32(format + 8);
    layout.block_align = le16(format + 12);
    layout.bits = le16(format + 14);
    if (layout.channels != 1 && layout.channels != 2) return "not 1 or 2 channels";
    if (!rate_in_range(layout.rate)) return "sample rate out of range";
    if (layout.bits != 8 && layout.bits != 16) return "not 8 or 16 bits";
    if (layout.block_align != layout.channels * layout.bits / 8)
        return "block align not the channels times the bytes of a sample";
    if (byte_rate != layout.rate * static_cast<std::uint32_t>(layout.block_align))
        return "byte rate not the sample rate times the block align";
    return nullptr;
}

} // namespace

const char* picture_size_fault(long w, long h) {
    const bool sane = w > 0 && h > 0 && w <= largest_picture_side && h <= largest_picture_side &&
                      w * h <= largest_picture_area;
    return sane ? nullptr : "picture of an impossible size";
}

const char* png_file_fault(const char* path) {
    const open_file file = open_for_reading(path);
    if (!file) return std::strerror(errno);
    // Signature, IHDR length and type, then the header's 13 bytes.
    const long size = file_size(file.get());
    unsigned char head[sizeof png_signature + 8 + png_header_length];
    if (!read_exactly(file.get(), head, sizeof png_signature) ||
        std::memcmp(head, png_signature, sizeof png_signature) != 0)
        return "not a PNG file";
    if (!read_exactly(file.get(), head + sizeof png_signature, sizeof head - sizeof png_signature))
        return ends_early;
    const unsigned char* chunk = head + sizeof png_signature;
    if (be32(chunk) != png_header_length || !is_tag(chunk + 4, "IHDR"))
        return "no PNG header chunk";
    const unsigned char* header = chunk + 8;
    if (const char* fault = picture_size_fault(be32(header), be32(header + 4))) return fault;
    const int depth = header[8];
    const int colour_type = header[9];
    if (!png_depth_allowed(colour_type, depth)) return "PNG colour type or depth not allowed";
    if (header[10] != 0 || header[11] != 0 || header[12] > 1)
        return "PNG compression, filter or interlace method not allowed";
    return png_chunks_fault(file.get(), size);
}

const char* bmp_file_fault(const char* path) {
    const open_file file = open_for_reading(path);
    if (!file) return std::strerror(errno);
    const long size = file_size(file.get());
    // File header, the info header's size field, then as much of the rest of
    // the info header as is read here.
    constexpr std::size_t info_read = 36;
    unsigned char head[bmp_file_header + 4 + info_read];
    if (!read_exactly(file.get(), head, 2) || head[0] != 'B' || head[1] != 'M')
        return "not a BMP file";
    if (!read_exactly(file.get(), head + 2, bmp_file_header + 4 - 2)) return "BMP header cut short";
    const std::uint32_t pixels_at = le32(head + 10);
    const std::uint32_t info_size = le32(head + 14);
    if (!bmp_info_size_known(info_size)) return "BMP info header of an unknown size";
    long w = 0, h = 0;
    int bits = 0, compression = bmp_uncompressed;
    std::uint32_t colours = 0;
    unsigned char* info = head + bmp_file_header + 4;
    if (info_size == 12) {
        if (!read_exactly(file.get(), info, 8)) return "BMP header cut short";
        w = le16(info);
        h = le16(info + 2);
        bits = le16(info + 6);
    } else {
        if (!read_exactly(file.get(), info, info_read)) return "BMP header cut short";
        w = le32_signed(info);
        h = le32_signed(info + 4);
        bits = le16(info + 10);
        compression = static_cast<int>(le32(info + 12));
        colours = le32(info + 28);
    }
    // A negative height means rows stored top-down, which no picture of the
    // game uses; SDL's readers differ on it.
    if (const char* fault = picture_size_fault(w, h)) return fault;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return "BMP bits per pixel not allowed";
    if (compression != bmp_uncompressed && compression != bmp_bit_fields)
        return "BMP compression not allowed";
    // Bit fields are masks of 16- or 32-bit pixels; a palette has at most an
    // entry for each value of a pixel (SDL 1.2 would write the rest past the
    // end of its palette, SDL 2 refuses them).
    if (compression == bmp_bit_fields && bits != 16 && bits != 32)
        return "BMP compression not allowed";
    if (colours > bmp_largest_palette || (bits <= 8 && colours > (1u << bits)))
        return "BMP palette too large";
    const long row = (w * bits + 31) / 32 * 4;
    if (size < 0 || pixels_at > static_cast<std::uint32_t>(size) ||
        row * h > size - static_cast<long>(pixels_at))
        return "file ends early (BMP pixels beyond its end)";
    return nullptr;
}

const char* file_access_fault(const char* path) {
    struct stat facts {};
    if (stat(path, &facts) != 0) return std::strerror(errno);
    if (!S_ISREG(facts.st_mode)) return "not a regular file";
    // Non-blocking: should the path turn into a FIFO meanwhile, it opens at once.
    const int descriptor = open(path, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (descriptor < 0) return std::strerror(errno);
    close(descriptor);
    return nullptr;
}

const char* read_wav_layout(std::FILE* file, long size, wav_layout& layout) {
    unsigned char riff[12];
    if (std::fseek(file, 0, SEEK_SET) != 0 || !read_exactly(file, riff, sizeof riff) ||
        !is_tag(riff, "RIFF") || !is_tag(riff + 8, "WAVE"))
        return "not a RIFF WAVE file";
    bool format_seen = false;
    long at = sizeof riff;
    for (;;) {
        unsigned char chunk[8];
        if (std::fseek(file, at, SEEK_SET) != 0 || !read_exactly(file, chunk, sizeof chunk))
            return format_seen ? "no data chunk" : "no format chunk";
        const long length = le32(chunk + 4);
        const long body = at + static_cast<long>(sizeof chunk);
        if (!format_seen && is_tag(chunk, "fmt ")) {
            if (length < smallest_format_chunk || length > largest_format_chunk)
                return "format chunk of a wrong size";
            unsigned char format[largest_format_chunk];
            if (!read_exactly(file, format, static_cast<std::size_t>(length)))
                return "format chunk cut short";
            if (const char* fault =
                    wav_format_fault(format, static_cast<std::uint32_t>(length), layout))
                return fault;
            format_seen = true;
        } else if (is_tag(chunk, "data")) {
            if (!format_seen) return "no format chunk";
            if (length > size - body) return "file ends early (its data chunk is longer)";
            if (length > largest_sound_data) return "data chunk too long for a sound effect";
            layout.data_at = body;
            layout.data_length = length - length % layout.block_align;
            if (layout.data_length == 0) return "no sound in the data chunk";
            return nullptr;
        }
        // Chunks are padded to an even length.
        at = body + length + (length & 1);
    }
}

const char* wav_file_fault(const char* path) {
    const open_file file = open_for_reading(path);
    if (!file) return std::strerror(errno);
    wav_layout layout{};
    return read_wav_layout(file.get(), file_size(file.get()), layout);
}

const char* ogg_file_fault(const char* path) {
    const open_file file = open_for_reading(path);
    if (!file) return std::strerror(errno);
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
