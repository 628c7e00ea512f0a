#include "shell/png_image_data.h"

#include <zlib.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "shell/adler32.h"
#include "shell/crc32.h"

namespace {

// Output of one call to zlib: large enough that its copy of the last 32 KB
// into its window costs little, small enough to stay in the cache until the
// rows are unfiltered out of it.
constexpr std::size_t strip_bytes = 128 * 1024;

constexpr int filter_none = 0, filter_sub = 1, filter_up = 2, filter_average = 3, filter_paeth = 4;

bool refill(png_source& source) {
    source.at = 0;
    source.end = std::fread(source.block, 1, png_block_size, source.file);
    if (source.end > 0) return true;
    if (std::ferror(source.file)) source.error = errno ? errno : EIO;
    return false;
}

std::uint32_t big_endian_32(const unsigned char* bytes) {
    return static_cast<std::uint32_t>(bytes[0]) << 24 | static_cast<std::uint32_t>(bytes[1]) << 16 |
           static_cast<std::uint32_t>(bytes[2]) << 8 | bytes[3];
}

// The image data's reading: the zlib stream, and the chunk it comes from.
struct idat_reading {
    png_source& source;
    z_stream z;
    std::uint32_t left; // bytes of the current chunk not yet handed to zlib
    uLong crc;          // of the current chunk's type and the bytes handed so far
    png_fault fault;
    const unsigned char* span; // the bytes zlib was last handed
    std::uint32_t adler;       // of the stream's output so far
    unsigned char tail[4];     // the last four bytes zlib has taken before `span`
};

bool fail(idat_reading& r, const char* chunk, const char* detail) {
    r.fault = {png_fault_kind::damage, chunk, detail};
    return false;
}

bool file_fails(idat_reading& r) {
    r.fault = {png_fault_kind::file, nullptr, "file ends early"};
    return false;
}

// Takes the rest of the current chunk (what zlib needs no more is still
// checked) and its CRC.
bool finish_chunk(idat_reading& r) {
    png_source& source = r.source;
    while (r.left > 0) {
        if (source.at == source.end && !refill(source)) return file_fails(r);
        const std::size_t n = std::min<std::size_t>(source.end - source.at, r.left);
        r.crc = crc32_update(static_cast<std::uint32_t>(r.crc), source.block + source.at, n);
        source.at += n;
        r.left -= static_cast<std::uint32_t>(n);
    }
    unsigned char crc[4];
    if (!read_from(source, crc, sizeof crc)) return file_fails(r);
    if (big_endian_32(crc) != r.crc) return fail(r, "IDAT", "CRC error");
    return true;
}

// The next chunk, which must carry on the image data.
bool next_chunk(idat_reading& r) {
    if (!finish_chunk(r)) return false;
    unsigned char header[8];
    if (!read_from(r.source, header, sizeof header)) return file_fails(r);
    const std::uint32_t length = big_endian_32(header);
    if (length > 0x7fffffffu) return fail(r, nullptr, "PNG unsigned integer out of range");
    if (std::memcmp(header + 4, "IDAT", 4) != 0) return fail(r, nullptr, "Not enough image data");
    r.crc = crc32(crc32(0, nullptr, 0), header + 4, 4);
    r.left = length;
    return true;
}

// Keeps the last four of the stream's bytes that zlib has taken: they hold
// its Adler-32 check once it ends, a chunk of the file's or not.
void keep_tail(idat_reading& r, const unsigned char* taken, std::size_t n) {
    for (std::size_t i = n > 4 ? n - 4 : 0; i < n; ++i) {
        std::memmove(r.tail, r.tail + 1, 3);
        r.tail[3] = taken[i];
    }
}

// Hands zlib as much of the current chunk as the block holds, checksummed
// as it goes.
bool feed(idat_reading& r) {
    if (r.span) keep_tail(r, r.span, static_cast<std::size_t>(r.z.next_in - r.span));
    while (r.left == 0)
        if (!next_chunk(r)) return false;
    png_source& source = r.source;
    if (source.at == source.end && !refill(source)) return file_fails(r);
    const std::size_t n = std::min<std::size_t>(source.end - source.at, r.left);
    r.z.next_in = source.block + source.at;
    r.z.avail_in = static_cast<uInt>(n);
    r.span = r.z.next_in;
    r.crc = crc32_update(static_cast<std::uint32_t>(r.crc), source.block + source.at, n);
    source.at += n;
    r.left -= static_cast<std::uint32_t>(n);
    return true;
}

// The stream's own Adler-32 check against the sum of its output.
bool check_matches(idat_reading& r) {
    keep_tail(r, r.span, static_cast<std::size_t>(r.z.next_in - r.span));
    r.span = r.z.next_in;
    if ((std::uint32_t{r.tail[0]} << 24 | std::uint32_t{r.tail[1]} << 16 |
         std::uint32_t{r.tail[2]} << 8 | r.tail[3]) == r.adler)
        return true;
    return fail(r, "IDAT", "incorrect data check");
}

// Inflates until `out` is full or the stream ends.
bool inflate_into(idat_reading& r, unsigned char* out, std::size_t size, bool& ended) {
    r.z.next_out = out;
    r.z.avail_out = static_cast<uInt>(size);
    while (r.z.avail_out > 0) {
        if (r.z.avail_in == 0 && !feed(r)) return false;
        unsigned char* const from = r.z.next_out;
        const int status = inflate(&r.z, Z_NO_FLUSH);
        r.adler = adler32_update(r.adler, from, static_cast<std::size_t>(r.z.next_out - from));
        if (status == Z_STREAM_END) {
            ended = true;
            return check_matches(r);
        }
        if (status != Z_OK) return fail(r, "IDAT", r.z.msg ? r.z.msg : "zlib error");
    }
    return true;
}

unsigned char paeth(int a, int b, int c) {
    const int pa = std::abs(b - c), pb = std::abs(a - c), pc = std::abs(a + b - 2 * c);
    return static_cast<unsigned char>(pa <= pb && pa <= pc ? a : pb <= pc ? b : c);
}

// One row undone from its filter, `prior` the row above (zeros for the
// first): the arithmetic the PNG format fixes, byte for byte.
template <int pixel_bytes>
void unfilter(int filter, unsigned char* out, const unsigned char* in, const unsigned char* prior,
              std::size_t n) {
    constexpr std::size_t bpp = pixel_bytes;
    auto add = [](unsigned char x, int y) { return static_cast<unsigned char>(x + y); };
    switch (filter) {
    case filter_none: std::memcpy(out, in, n); return;
    case filter_sub:
        for (std::size_t i = 0; i < n; ++i) out[i] = add(in[i], i < bpp ? 0 : out[i - bpp]);
        return;
    case filter_up:
        for (std::size_t i = 0; i < n; ++i) out[i] = add(in[i], prior[i]);
        return;
    case filter_average:
        for (std::size_t i = 0; i < bpp && i < n; ++i) out[i] = add(in[i], prior[i] >> 1);
        for (std::size_t i = bpp; i < n; ++i) out[i] = add(in[i], (out[i - bpp] + prior[i]) >> 1);
        return;
    case filter_paeth:
        for (std::size_t i = 0; i < bpp && i < n; ++i) out[i] = add(in[i], prior[i]);
        for (std::size_t i = bpp; i < n; ++i)
            out[i] = add(in[i], paeth(out[i - bpp], prior[i], prior[i - bpp]));
        return;
    }
}

void unfilter_row(int pixel_bytes, int filter, unsigned char* out, const unsigned char* in,
                  const unsigned char* prior, std::size_t n) {
    switch (pixel_bytes) {
    case 1: return unfilter<1>(filter, out, in, prior, n);
    case 3: return unfilter<3>(filter, out, in, prior, n);
    default: return unfilter<4>(filter, out, in, prior, n);
    }
}

// 16 bytes at a time where the machine has SSE2.
unsigned char largest_byte(const unsigned char* bytes, std::size_t n, unsigned char largest) {
    std::size_t i = 0;
#if defined(__SSE2__)
    __m128i lanes = _mm_set1_epi8(static_cast<char>(largest));
    for (; i + 16 <= n; i += 16)
        lanes = _mm_max_epu8(lanes, _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + i)));
    alignas(16) unsigned char each[16];
    _mm_store_si128(reinterpret_cast<__m128i*>(each), lanes);
    for (unsigned char lane : each) largest = std::max(largest, lane);
#endif
    for (; i < n; ++i) largest = std::max(largest, bytes[i]);
    return largest;
}

// The rows, strip by strip; then the rest of the stream (its end and its
// Adler-32 check) and the last chunk's CRC.
bool read_rows(idat_reading& r, const png_rows& rows, unsigned char* strip, std::size_t strip_rows,
               const unsigned char* zeros, unsigned char& largest) {
    const std::size_t filtered = rows.row_bytes + 1;
    const unsigned char* prior = zeros;
    bool ended = false;
    for (std::uint32_t y = 0; y < rows.height;) {
        const std::size_t count = std::min<std::size_t>(strip_rows, rows.height - y);
        if (ended) return fail(r, nullptr, "Not enough image data");
        if (!inflate_into(r, strip, count * filtered, ended)) return false;
        if (r.z.avail_out > 0) return fail(r, nullptr, "Not enough image data");
        for (std::size_t k = 0; k < count; ++k, ++y) {
            const unsigned char* in = strip + k * filtered;
            if (in[0] > filter_paeth) return fail(r, nullptr, "bad adaptive filter value");
            unsigned char* out = rows.pixels + y * rows.pitch;
            unfilter_row(rows.pixel_bytes, in[0], out, in + 1, prior, rows.row_bytes);
            if (rows.pixel_bytes == 1) largest = largest_byte(out, rows.row_bytes, largest);
            prior = out;
        }
    }
    // The stream ends with the rows, at the end of its chunk.
    const std::size_t strip_size = strip_rows * filtered;
    while (!ended) {
        if (!inflate_into(r, strip, strip_size, ended)) return false;
        if (r.z.avail_out != strip_size) return fail(r, "IDAT", "Too much image data");
    }
    if (r.z.avail_in > 0 || r.left > 0) return fail(r, "IDAT", "Extra compressed data");
    return finish_chunk(r);
}

} // namespace

bool read_from(png_source& source, unsigned char* out, std::size_t length) {
    while (length > 0) {
        if (source.at == source.end && !refill(source)) return false;
        const std::size_t n = std::min(source.end - source.at, length);
        std::memcpy(out, source.block + source.at, n);
        source.at += n;
        out += n;
        length -= n;
    }
    return true;
}

png_fault read_plain_image_data(png_source& source, std::uint32_t first_length,
                                const png_rows& rows, unsigned char& largest) {
    static constexpr unsigned char idat[4] = {'I', 'D', 'A', 'T'};
    idat_reading r{source, {}, first_length, crc32(crc32(0, nullptr, 0), idat, 4), {}, nullptr,
                   1,      {}};
    largest = 0;
    // The window size the stream's header names, as libpng inflates it.
    if (inflateInit2(&r.z, 0) != Z_OK) return {png_fault_kind::memory, nullptr, "out of memory"};
#if ZLIB_VERNUM >= 0x1290
    // The check is summed here, faster than zlib sums it.
    inflateValidate(&r.z, 0);
#endif
    const std::size_t filtered = rows.row_bytes + 1;
    const std::size_t strip_rows =
        std::clamp<std::size_t>(strip_bytes / filtered, 1, std::max<std::uint32_t>(rows.height, 1));
    auto* strip = static_cast<unsigned char*>(std::malloc(strip_rows * filtered));
    auto* zeros = static_cast<unsigned char*>(std::calloc(rows.row_bytes, 1));
    if (!strip || !zeros)
        r.fault = {png_fault_kind::memory, nullptr, "out of memory"};
    else
        read_rows(r, rows, strip, strip_rows, zeros, largest);
    std::free(zeros);
    std::free(strip);
    inflateEnd(&r.z);
    return r.fault;
}
