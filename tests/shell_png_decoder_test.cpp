// The game's PNG decoder on what the corpus test does not make: damaged
// pictures (a palette index beyond a short palette, a damaged end of the
// image data), image data cut into chunks of any size, first rows filtered
// against the zero row, and decoding on several threads at once.
#include <gtest/gtest.h>

#include <SDL/SDL.h>
#include <SDL/SDL_image.h>
#include <png.h>
#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "png_forms.h"
#include "shell/png_decoder.h"

namespace {

namespace fs = std::filesystem;
using bytes = std::vector<png_byte>;

std::string temp_png(const std::string& name) {
    return (fs::temp_directory_path() /
            ("graze_png_" + name + "_" + std::to_string(::getpid()) + ".png"))
        .string();
}

// What the decoder says of a file: "" when it decodes.
std::string verdict_on(const bytes& file) {
    const std::string path = temp_png("verdict");
    if (!write_png_form_file(path, file)) return "(not written)";
    char reason[256] = "";
    SDL_Surface* decoded = decode_png_file(path.c_str(), reason, sizeof reason);
    fs::remove(path);
    if (!decoded) return reason[0] ? reason : "(refused, no reason)";
    SDL_FreeSurface(decoded);
    return "";
}

// How the decoder's surface differs from IMG_Load's for a file: "" if not.
std::string difference_from_img_load(const bytes& file) {
    const std::string path = temp_png("compared");
    if (!write_png_form_file(path, file)) return "(not written)";
    char reason[256] = "";
    SDL_Surface* ours = decode_png_file(path.c_str(), reason, sizeof reason);
    SDL_Surface* theirs = IMG_Load(path.c_str());
    fs::remove(path);
    std::string differs = png_surface_difference(ours, theirs);
    if (!ours) differs += std::string(": ") + reason;
    SDL_FreeSurface(ours);
    SDL_FreeSurface(theirs);
    return differs;
}

std::uint32_t big_endian(const bytes& data, std::size_t at) {
    return static_cast<std::uint32_t>(data[at]) << 24 |
           static_cast<std::uint32_t>(data[at + 1]) << 16 |
           static_cast<std::uint32_t>(data[at + 2]) << 8 | data[at + 3];
}

void append_big_endian(bytes& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<png_byte>(value >> shift));
}

void append_chunk(bytes& out, const char* type, const png_byte* body, std::size_t length) {
    append_big_endian(out, static_cast<std::uint32_t>(length));
    const std::size_t at = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), body, body + length);
    append_big_endian(
        out, static_cast<std::uint32_t>(crc32(0, out.data() + at, static_cast<uInt>(length + 4))));
}

// A PNG file taken apart: the chunks before its image data, the zlib stream
// of its IDAT chunks joined, and the chunks after.
struct png_parts {
    bytes before, stream, after;
};

png_parts parts_of(const bytes& file) {
    png_parts parts;
    parts.before.assign(file.begin(), file.begin() + 8);
    for (std::size_t at = 8; at + 12 <= file.size();) {
        const std::size_t length = big_endian(file, at);
        const auto chunk = file.begin() + static_cast<long>(at);
        const auto body = chunk + 8;
        bytes& into = std::equal(chunk + 4, body, "IDAT") ? parts.stream
                      : parts.stream.empty()              ? parts.before
                                                          : parts.after;
        if (&into == &parts.stream)
            into.insert(into.end(), body, body + static_cast<long>(length));
        else
            into.insert(into.end(), chunk, body + static_cast<long>(length) + 4);
        at += length + 12;
    }
    return parts;
}

// The file again, its stream in IDAT chunks of the sizes given in turn (the
// last size repeated), a chunk of no data before each if asked.
bytes joined(const png_parts& parts, const std::vector<std::size_t>& sizes,
             bool empty_chunks = false) {
    bytes out = parts.before;
    std::size_t at = 0;
    for (std::size_t i = 0; at < parts.stream.size() || i == 0; ++i) {
        const std::size_t size =
            std::min(sizes[std::min(i, sizes.size() - 1)], parts.stream.size() - at);
        if (empty_chunks) append_chunk(out, "IDAT", nullptr, 0);
        append_chunk(out, "IDAT", parts.stream.data() + at, size);
        at += size;
    }
    out.insert(out.end(), parts.after.begin(), parts.after.end());
    return out;
}

bytes inflated(const bytes& stream) {
    z_stream z{};
    inflateInit(&z);
    bytes out(1 << 16);
    z.next_in = const_cast<png_byte*>(stream.data());
    z.avail_in = static_cast<uInt>(stream.size());
    std::size_t have = 0;
    for (int status = Z_OK; status == Z_OK;) {
        if (have == out.size()) out.resize(out.size() * 2);
        z.next_out = out.data() + have;
        z.avail_out = static_cast<uInt>(out.size() - have);
        status = inflate(&z, Z_NO_FLUSH);
        have = out.size() - z.avail_out;
    }
    inflateEnd(&z);
    out.resize(have);
    return out;
}

bytes deflated(const bytes& data) {
    uLongf size = compressBound(static_cast<uLong>(data.size()));
    bytes out(size);
    compress2(out.data(), &size, data.data(), static_cast<uLong>(data.size()), 6);
    out.resize(size);
    return out;
}

png_form plain_rgb() {
    png_form form{PNG_COLOR_TYPE_RGB, 8};
    form.width = 61;
    form.height = 47;
    form.compression = 6;
    return form;
}

TEST(png_decoder, refuses_a_pixel_whose_index_lies_beyond_a_short_palette) {
    struct short_palette {
        int depth, colours, stray;
    };
    constexpr short_palette palettes[] = {{1, 1, 1}, {2, 3, 3}, {4, 9, 15}, {8, 100, 200}};
    for (const short_palette& palette : palettes)
        for (bool interlaced : {false, true})
            for (png_trns trns :
                 {png_trns::none, png_trns::one_transparent, png_trns::translucent}) {
                png_form form{PNG_COLOR_TYPE_PALETTE, palette.depth};
                form.interlaced = interlaced;
                form.trns = trns;
                form.width = 19;
                form.height = 9;
                form.palette_size = palette.colours;
                SCOPED_TRACE(png_form_name(form));
                // Within the palette, the picture is whole.
                EXPECT_EQ(verdict_on(png_form_bytes(form)), "");
                form.stray_index = palette.stray;
                EXPECT_EQ(verdict_on(png_form_bytes(form)),
                          "damaged PNG file: palette index " + std::to_string(palette.stray) +
                              " beyond the palette's " + std::to_string(palette.colours) +
                              " colours");
            }
}

TEST(png_decoder, reads_image_data_in_chunks_of_any_size) {
    png_form palette{PNG_COLOR_TYPE_PALETTE, 8};
    palette.width = 401;
    palette.height = 383;
    for (const png_form& form : {plain_rgb(), palette}) {
        SCOPED_TRACE(png_form_name(form));
        const png_parts parts = parts_of(png_form_bytes(form));
        EXPECT_EQ(difference_from_img_load(joined(parts, {1})), "");
        EXPECT_EQ(difference_from_img_load(joined(parts, {3, 1, 70000})), "");
        EXPECT_EQ(difference_from_img_load(joined(parts, {parts.stream.size() - 2, 1})), "");
        EXPECT_EQ(difference_from_img_load(joined(parts, {777}, true)), "");
    }
}

// libpng's writer filters a first row only as it chooses: these first rows
// take each filter against the zero row above the picture.
TEST(png_decoder, undoes_every_filter_on_the_first_row) {
    for (int colour : {PNG_COLOR_TYPE_PALETTE, PNG_COLOR_TYPE_RGB, PNG_COLOR_TYPE_RGB_ALPHA}) {
        for (int first_filter = 0; first_filter < 5; ++first_filter) {
            png_form form{colour, 8};
            form.width = 9;
            form.height = 4;
            SCOPED_TRACE(png_form_name(form) + ", first row's filter " +
                         std::to_string(first_filter));
            png_parts parts = parts_of(png_form_bytes(form));
            bytes rows = inflated(parts.stream);
            const std::size_t row_bytes = rows.size() / static_cast<std::size_t>(form.height);
            for (int y = 0; y < form.height; ++y)
                rows[static_cast<std::size_t>(y) * row_bytes] =
                    static_cast<png_byte>((first_filter + y) % 5);
            parts.stream = deflated(rows);
            EXPECT_EQ(difference_from_img_load(joined(parts, {8192})), "");
        }
    }
}

// Each damage found at the end of the image data, or in the rows, refuses
// the picture the same way whichever way the decoder reads it: plain rows,
// or interlaced ones through libpng.
TEST(png_decoder, refuses_damaged_image_data) {
    png_form interlaced = plain_rgb();
    interlaced.interlaced = true;
    for (const png_form& form : {plain_rgb(), interlaced}) {
        SCOPED_TRACE(png_form_name(form));
        const png_parts parts = parts_of(png_form_bytes(form));
        const bytes rows = inflated(parts.stream);
        ASSERT_EQ(verdict_on(joined(parts, {500})), "");

        png_parts damaged = parts;
        damaged.stream.back() ^= 0x01; // the Adler-32 check, its CRCs made right
        EXPECT_EQ(verdict_on(joined(damaged, {500})),
                  "damaged PNG file: IDAT: incorrect data check");

        damaged = parts;
        damaged.stream.insert(damaged.stream.end(), {1, 2, 3});
        EXPECT_EQ(verdict_on(joined(damaged, {parts.stream.size() + 3})),
                  "damaged PNG file: IDAT: Extra compressed data");

        bytes more = rows;
        more.insert(more.end(), 64, 0);
        damaged.stream = deflated(more);
        EXPECT_EQ(verdict_on(joined(damaged, {500})),
                  "damaged PNG file: IDAT: Too much image data");

        damaged.stream = deflated(bytes(rows.begin(), rows.end() - 10));
        EXPECT_EQ(verdict_on(joined(damaged, {500})), "damaged PNG file: Not enough image data");

        bytes filtered = rows;
        filtered[0] = 5;
        damaged.stream = deflated(filtered);
        EXPECT_EQ(verdict_on(joined(damaged, {500})),
                  "damaged PNG file: bad adaptive filter value");

        // The second of several chunks with a wrong CRC; the stream's end gone.
        bytes file = joined(parts, {500});
        const std::size_t second = parts.before.size() + 500 + 12;
        file[second + 8 + 500] ^= 0x40;
        EXPECT_EQ(verdict_on(file), "damaged PNG file: IDAT: CRC error");
        damaged = parts;
        damaged.stream.resize(parts.stream.size() - 100);
        EXPECT_EQ(verdict_on(joined(damaged, {500})), "damaged PNG file: Not enough image data");

        // The file cut short inside the image data.
        file = joined(parts, {500});
        file.resize(parts.before.size() + 1200);
        EXPECT_EQ(verdict_on(file), "file ends early");
    }
}

// The loader decodes on several threads at once, and may start before SDL's
// video is open: every thread's surfaces are those of one thread alone.
TEST(png_decoder, decodes_on_several_threads_at_once) {
    std::vector<png_form> forms;
    for (int colour : {PNG_COLOR_TYPE_PALETTE, PNG_COLOR_TYPE_RGB, PNG_COLOR_TYPE_RGB_ALPHA,
                       PNG_COLOR_TYPE_GRAY})
        for (bool interlaced : {false, true}) {
            png_form form{colour, 8};
            form.interlaced = interlaced;
            form.width = 211;
            form.height = 157;
            forms.push_back(form);
        }
    std::vector<std::string> paths;
    std::vector<SDL_Surface*> alone;
    for (std::size_t i = 0; i < forms.size(); ++i) {
        paths.push_back(temp_png("thread_" + std::to_string(i)));
        ASSERT_TRUE(write_png_form_file(paths.back(), png_form_bytes(forms[i])));
        char reason[256] = "";
        alone.push_back(decode_png_file(paths.back().c_str(), reason, sizeof reason));
        ASSERT_NE(alone.back(), nullptr) << reason;
    }
    constexpr int threads = 4, rounds = 6;
    std::vector<std::vector<std::string>> differences(threads);
    std::vector<std::thread> workers;
    for (int t = 0; t < threads; ++t)
        workers.emplace_back([&, t] {
            for (int round = 0; round < rounds; ++round)
                for (std::size_t k = 0; k < forms.size(); ++k) {
                    const std::size_t i = (k + static_cast<std::size_t>(t + round)) % forms.size();
                    char reason[256] = "";
                    SDL_Surface* s = decode_png_file(paths[i].c_str(), reason, sizeof reason);
                    const std::string differs = png_surface_difference(s, alone[i]);
                    if (!differs.empty())
                        differences[static_cast<std::size_t>(t)].push_back(png_form_name(forms[i]) +
                                                                           ": " + differs);
                    SDL_FreeSurface(s);
                }
        });
    for (std::thread& worker : workers) worker.join();
    for (int t = 0; t < threads; ++t)
        EXPECT_TRUE(differences[static_cast<std::size_t>(t)].empty())
            << differences[static_cast<std::size_t>(t)].front();
    for (std::size_t i = 0; i < forms.size(); ++i) {
        SDL_FreeSurface(alone[i]);
        fs::remove(paths[i]);
    }
}

} // namespace
