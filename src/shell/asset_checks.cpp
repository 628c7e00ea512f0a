#include "shell/asset_checks.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

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
constexpr std::uint32_t bmp_plain_info = 40; // Windows' version 3 info header
constexpr int bmp_uncompressed = 0;
constexpr int bmp_bit_fields = 3;
constexpr std::uint32_t bmp_largest_palette = 256;
// From this info header size on, SDL 2 reads an alpha mask after the colour
// masks; SDL 1.2 never does.
constexpr std::uint32_t bmp_info_with_alpha = 56;

// The colour masks of 16- and 32-bit pixels, red, green, blue.
struct bmp_masks {
    std::uint32_t red, green, blue;
    friend bool operator==(const bmp_masks&, const bmp_masks&) = default;
};

// The layouts both SDL libraries read alike: SDL 1.2 takes any masks, SDL 2
// only those its list of pixel formats knows (others it refuses as an
// unknown pixel format). These are in that list in every SDL 2, without alpha.
constexpr std::array<bmp_masks, 4> bmp_layouts_16{{{0x7c00, 0x03e0, 0x001f},
                                                   {0x001f, 0x03e0, 0x7c00},
                                                   {0xf800, 0x07e0, 0x001f},
                                                   {0x001f, 0x07e0, 0xf800}}};
constexpr std::array<bmp_masks, 2> bmp_layouts_32{
    {{0x00ff0000, 0x0000ff00, 0x000000ff}, {0x000000ff, 0x0000ff00, 0x00ff0000}}};

// The masks both libraries use for pixels without bit fields.
constexpr bmp_masks bmp_default_16{0x7c00, 0x03e0, 0x001f};
constexpr bmp_masks bmp_default_32{0x00ff0000, 0x0000ff00, 0x000000ff};

bool contiguous(std::uint32_t mask) { return ((mask + (mask & -mask)) & mask) == 0; }

// Why these masks would be read differently by the two libraries, or null.
const char* bmp_masks_fault(const bmp_masks& m, int bits) {
    if (!m.red || !m.green || !m.blue) return "BMP colour mask empty";
    if ((m.red & m.green) || (m.red & m.blue) || (m.green & m.blue))
        return "BMP colour masks overlap";
    if (!contiguous(m.red) || !contiguous(m.green) || !contiguous(m.blue))
        return "BMP colour mask not contiguous";
    const auto known = [&m](const auto& layouts) {
        return std::find(layouts.begin(), layouts.end(), m) != layouts.end();
    };
    if (bits == 16 ? !known(bmp_layouts_16) : !known(bmp_layouts_32))
        return "BMP colour masks of an unknown layout";
    return nullptr;
}

long file_size(std::FILE* file) {
    if (std::fseek(file, 0, SEEK_END) != 0) return -1;
    const long size = std::ftell(file);
    return std::fseek(file, 0, SEEK_SET) == 0 ? size : -1;
}

// Headers are read through a window of the file, a block at a time: a walk
// over small chunks costs one read per block, and a long chunk body is
// skipped by one seek, whatever the file's size.
constexpr std::size_t header_block = 4096;

struct header_window {
    std::FILE* file;
    long size;      // the file's size
    long start = 0; // the file offset of bytes[0]
    std::size_t held = 0;
    unsigned char bytes[header_block]{};
};

// The `n` bytes (at most a block) at `at`, or null when the file holds fewer.
const unsigned char* bytes_at(header_window& window, long at, std::size_t n) {
    if (at < 0 || n > header_block || window.size < 0 || at > window.size - static_cast<long>(n))
        return nullptr;
    if (at >= window.start && static_cast<std::size_t>(at - window.start) + n <= window.held)
        return window.bytes + (at - window.start);
    // One system call, at the offset, past the stream's own buffering.
    const ssize_t got = pread(fileno(window.file), window.bytes, header_block, at);
    window.start = at;
    window.held = got > 0 ? static_cast<std::size_t>(got) : 0;
    return n <= window.held ? window.bytes : nullptr;
}

// A file of millions of tiny chunks is refused after a few kilobytes.
constexpr const char* too_many_chunks = "more than 4096 chunks";
static_assert(most_file_chunks == 4096, "the reason names the limit");
constexpr std::uint32_t smallest_format_chunk = 16;
constexpr std::uint32_t largest_format_chunk = 64; // PCM's is 16 or 18 bytes, extensible 40

// A PNG chunk type is four ASCII letters; anything else is damage (a run of
// zeros, say, read as empty chunks).
bool png_type_letters(const unsigned char* type) {
    for (int i = 0; i < 4; ++i) {
        const unsigned char c = type[i];
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'))) return false;
    }
    return true;
}

// The decoder reads every chunk up to IEND, checksums included: they hold at
// most twice the picture's bytes (rows with their filter byte; compressed,
// the game's are smaller) and a megabyte of other chunks, so a chunk of
// gigabytes never holds the start.
long png_largest_file(long w, long h, int colour_type, int depth) {
    constexpr int channels[7] = {1, 0, 3, 1, 2, 0, 4};
    const long row = 1 + (w * channels[colour_type] * depth + 7) / 8;
    return 2 * h * row + (1L << 20);
}

// The PNG chunks after the header, each whole in the file, up to IEND,
// which comes before `largest` bytes.
const char* png_chunks_fault(header_window& window, long largest) {
    long at = sizeof png_signature + 8 + png_header_length + 4;
    for (int chunks = 1; chunks < most_file_chunks; ++chunks) { // the header is the first
        const unsigned char* chunk = bytes_at(window, at, 8);
        if (!chunk) return ends_early;
        if (!png_type_letters(chunk + 4)) return "damaged PNG file: chunk type not four letters";
        const long length = be32(chunk);
        if (length > window.size - at - 12) return ends_early; // the body and its checksum
        if (length > largest - at - 12) return "PNG chunks far larger than its picture";
        if (is_tag(chunk + 4, "IEND")) return nullptr;
        at += 12 + length;
    }
    return too_many_chunks;
}

// A RIFF chunk id is four printable ASCII characters ("fmt ", "data",
// "LIST"); anything else is damage.
bool riff_id_printable(const unsigned char* id) {
    for (int i = 0; i < 4; ++i)
        if (id[i] < 0x20 || id[i] > 0x7e) return false;
    return true;
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

// The Vorbis reader finds a stream's length from its last page, searching
// back from the file's end: a file must end with a whole page (at most
// 65,307 bytes long), or it would read back through whatever follows.
constexpr std::size_t largest_ogg_page = 27 + 255 + 255 * 255;

const char* ogg_tail_fault(std::FILE* file, long size) {
    const long tail = std::min<long>(size, largest_ogg_page);
    std::vector<unsigned char> last(static_cast<std::size_t>(std::max(tail, 0L)));
    if (size < 0 || std::fseek(file, size - tail, SEEK_SET) != 0 ||
        !read_exactly(file, last.data(), last.size()))
        return ends_early;
    for (std::size_t at = last.size() >= 27 ? last.size() - 27 : 0;; --at) {
        if (last.size() >= 27 && is_tag(&last[at], "OggS") && last[at + 4] == 0) {
            const std::size_t segments = last[at + 26];
            std::size_t end = at + 27 + segments;
            if (end <= last.size()) {
                for (std::size_t i = 0; i < segments; ++i) end += last[at + 27 + i];
                if (end == last.size()) return nullptr;
            }
        }
        if (at == 0) break;
    }
    return "no whole Ogg page at its end";
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
    header_window window{.file = file.get(), .size = file_size(file.get())};
    // Signature, IHDR length and type, then the header's 13 bytes.
    const unsigned char* signature = bytes_at(window, 0, sizeof png_signature);
    if (!signature || std::memcmp(signature, png_signature, sizeof png_signature) != 0)
        return "not a PNG file";
    const unsigned char* chunk = bytes_at(window, sizeof png_signature, 8 + png_header_length);
    if (!chunk) return ends_early;
    if (be32(chunk) != png_header_length || !is_tag(chunk + 4, "IHDR"))
        return "no PNG header chunk";
    const unsigned char* header = chunk + 8;
    if (const char* fault = picture_size_fault(be32(header), be32(header + 4))) return fault;
    const int depth = header[8];
    const int colour_type = header[9];
    if (!png_depth_allowed(colour_type, depth)) return "PNG colour type or depth not allowed";
    if (header[10] != 0 || header[11] != 0 || header[12] > 1)
        return "PNG compression, filter or interlace method not allowed";
    return png_chunks_fault(window,
                            png_largest_file(be32(header), be32(header + 4), colour_type, depth));
}

namespace {

// The masks of 16- and 32-bit pixels. Both libraries read the colour masks
// of bit fields right after the first 40 bytes of the info header (where
// versions 2 to 5 hold them); SDL 2 also reads an alpha mask after them in a
// header of version 3 or later, which SDL 1.2 ignores, so it must be empty.
// Without bit fields SDL 2 takes the default masks, and so does SDL 1.2 when
// the pixels follow the info header; after a gap it reads masks from there,
// which must then be the defaults.
const char* bmp_pixel_masks_fault(std::FILE* file, std::uint32_t info_size, std::uint32_t pixels_at,
                                  int bits, int compression) {
    if (bits != 16 && bits != 32) return nullptr;
    const bool gap = pixels_at != bmp_file_header + info_size;
    if (compression == bmp_uncompressed && !gap) return nullptr;
    unsigned char read[16];
    const bool alpha = compression == bmp_bit_fields && info_size >= bmp_info_with_alpha;
    if (std::fseek(file, bmp_file_header + bmp_plain_info, SEEK_SET) != 0 ||
        !read_exactly(file, read, alpha ? 16 : 12))
        return "BMP header cut short";
    const bmp_masks masks{le32(read), le32(read + 4), le32(read + 8)};
    if (compression == bmp_uncompressed)
        return masks == (bits == 16 ? bmp_default_16 : bmp_default_32)
                   ? nullptr
                   : "BMP pixels not right after its header";
    if (alpha && le32(read + 12) != 0) return "BMP alpha mask not allowed";
    return bmp_masks_fault(masks, bits);
}

// Every pixel of a palette picture names an entry of its palette: SDL 1.2
// draws an index beyond a short palette in whatever its unused entries hold,
// SDL 2 refuses the picture. Only such short palettes need the rows read (at
// most 4 MB: the picture's area is bounded), padding bits left out.
const char* bmp_palette_index_fault(std::FILE* file, std::uint32_t pixels_at, long w, long h,
                                    int bits, std::uint32_t colours) {
    if (bits > 8 || colours == 0 || colours >= (1u << bits)) return nullptr;
    const long row = (w * bits + 31) / 32 * 4;
    std::vector<unsigned char> line(static_cast<std::size_t>(row));
    if (std::fseek(file, static_cast<long>(pixels_at), SEEK_SET) != 0) return ends_early;
    const unsigned mask = (1u << bits) - 1;
    for (long y = 0; y < h; ++y) {
        if (!read_exactly(file, line.data(), line.size())) return ends_early;
        for (long x = 0; x < w; ++x) {
            const long bit = x * bits;
            const unsigned index =
                (line[static_cast<std::size_t>(bit / 8)] >> (8 - bits - bit % 8)) & mask;
            if (index >= colours) return "BMP pixel beyond its palette";
        }
    }
    return nullptr;
}

} // namespace

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
    // SDL 1.2 reads the palette right after the first 40 bytes of the info
    // header, SDL 2 after the whole of it: a longer header gives two pictures.
    if (bits <= 8 && info_size > bmp_plain_info) return "BMP palette after a long info header";
    if (const char* fault =
            bmp_pixel_masks_fault(file.get(), info_size, pixels_at, bits, compression))
        return fault;
    const long row = (w * bits + 31) / 32 * 4;
    if (size < 0 || pixels_at > static_cast<std::uint32_t>(size) ||
        row * h > size - static_cast<long>(pixels_at))
        return "file ends early (BMP pixels beyond its end)";
    return bmp_palette_index_fault(file.get(), pixels_at, w, h, bits, colours);
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
    header_window window{.file = file, .size = size};
    const unsigned char* riff = bytes_at(window, 0, 12);
    if (!riff || !is_tag(riff, "RIFF") || !is_tag(riff + 8, "WAVE")) return "not a RIFF WAVE file";
    bool format_seen = false;
    long at = 12;
    for (int chunks = 0; chunks < most_file_chunks; ++chunks) {
        const unsigned char* chunk = bytes_at(window, at, 8);
        if (!chunk) return format_seen ? "no data chunk" : "no format chunk";
        if (!riff_id_printable(chunk)) return "damaged WAV file: chunk id not printable";
        const long length = le32(chunk + 4);
        const long body = at + 8;
        if (!format_seen && is_tag(chunk, "fmt ")) {
            if (length < smallest_format_chunk || length > largest_format_chunk)
                return "format chunk of a wrong size";
            const unsigned char* format = bytes_at(window, body, static_cast<std::size_t>(length));
            if (!format) return "format chunk cut short";
            if (const char* fault =
                    wav_format_fault(format, static_cast<std::uint32_t>(length), layout))
                return fault;
            format_seen = true;
        } else if (is_tag(chunk, "data")) {
            if (!format_seen) return "no format chunk";
            if (length > size - body) return "file ends early (its data chunk is longer)";
            static_assert(longest_sound_s == 30, "the reason names the limit");
            if (length / layout.block_align > static_cast<long>(layout.rate) * longest_sound_s)
                return "sound effect longer than 30 seconds";
            layout.data_at = body;
            layout.data_length = length - length % layout.block_align;
            if (layout.data_length == 0) return "no sound in the data chunk";
            return nullptr;
        }
        // Chunks are padded to an even length.
        at = body + length + (length & 1);
    }
    return too_many_chunks;
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
    const long size = file_size(file.get());
    static_assert(largest_music_file == 64L << 20, "the reason names the limit");
    if (size > largest_music_file) return "music file larger than 64 MB";
    return ogg_tail_fault(file.get(), size);
}
