// The image data of a PNG whose rows a surface takes byte for byte (8-bit
// samples, not interlaced, nothing to expand): its IDAT chunks inflated in
// large strips straight into the surface's rows, where libpng calls zlib once
// a row and copies each row again. The same checks as libpng's are made on
// the way (every chunk's CRC, zlib's own, the filter types, enough data, no
// more data than the rows need), all of them refusing the picture.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

// A file read in large blocks, which libpng's reads and the image data share.
struct png_source {
    std::FILE* file;
    unsigned char* block; // png_block_size bytes
    std::size_t at, end;
    int error; // errno of a failed read, or 0
};

constexpr std::size_t png_block_size = 64 * 1024;

// Copies the next `length` bytes; false at the end of the file or on a
// read error (then `error` is set).
bool read_from(png_source& source, unsigned char* out, std::size_t length);

// The surface's rows, the sample bytes of a row, and its pixel size.
struct png_rows {
    unsigned char* pixels;
    std::size_t pitch;
    std::uint32_t height;
    std::size_t row_bytes;
    int pixel_bytes;
};

// Why the image data is refused: the file (it ends early, or a read fails),
// memory, or damage (in the chunk `chunk` names, if any), in libpng's words.
enum class png_fault_kind { none, file, memory, damage };

struct png_fault {
    png_fault_kind kind;
    const char* chunk;
    const char* detail;
};

// Reads the image data from just after the first IDAT chunk's type (its
// length given) to the end of the zlib stream; the rows' largest byte goes
// into `largest` (a palette picture's largest index).
png_fault read_plain_image_data(png_source& source, std::uint32_t first_length,
                                const png_rows& rows, unsigned char& largest);
