// The game's PNG decoder against SDL_image 1.2's IMG_Load on every form a PNG
// file can take: each colour type at each bit depth it allows, plain and
// Adam7-interlaced, every shape of tRNS chunk that changes how a palette is
// read (none, one transparent entry, all opaque, translucent entries, fewer
// entries than colours), with and without gAMA, at 1x1, odd sizes and a size
// spread over many IDAT chunks (and, from RGB on, over several of the
// decoder's strips). Both must make the same surface: pixel format, palette,
// colour key and every row's pixel bytes.
#include <gtest/gtest.h>

#include <SDL/SDL.h>
#include <SDL/SDL_image.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "png_forms.h"
#include "shell/png_decoder.h"

namespace {

struct corpus_size {
    int width, height;
};

constexpr corpus_size corpus_sizes[] = {{1, 1}, {3, 2}, {13, 7}, {331, 227}};

struct colour_depths {
    int colour;
    std::vector<int> depths;
};

const colour_depths corpus_depths[] = {
    {PNG_COLOR_TYPE_GRAY, {1, 2, 4, 8, 16}}, {PNG_COLOR_TYPE_RGB, {8, 16}},
    {PNG_COLOR_TYPE_PALETTE, {1, 2, 4, 8}},  {PNG_COLOR_TYPE_GRAY_ALPHA, {8, 16}},
    {PNG_COLOR_TYPE_RGB_ALPHA, {8, 16}},
};

std::vector<png_trns> trns_shapes(int colour) {
    if (colour == PNG_COLOR_TYPE_PALETTE)
        return {png_trns::none, png_trns::one_transparent, png_trns::all_opaque,
                png_trns::translucent, png_trns::shorter_than_palette};
    if (colour == PNG_COLOR_TYPE_GRAY || colour == PNG_COLOR_TYPE_RGB)
        return {png_trns::none, png_trns::one_transparent};
    return {png_trns::none};
}

std::vector<png_form> corpus() {
    std::vector<png_form> forms;
    for (const colour_depths& kind : corpus_depths)
        for (int depth : kind.depths)
            for (png_trns trns : trns_shapes(kind.colour))
                for (bool interlaced : {false, true})
                    for (bool gamma : {false, true})
                        for (const corpus_size& size : corpus_sizes) {
                            png_form form{kind.colour, depth};
                            form.interlaced = interlaced;
                            form.trns = trns;
                            form.gamma = gamma;
                            form.width = size.width;
                            form.height = size.height;
                            // A short palette at 8 bits, its indices all within it.
                            if (kind.colour == PNG_COLOR_TYPE_PALETTE && depth == 8)
                                form.palette_size = 201;
                            forms.push_back(form);
                        }
    return forms;
}

TEST(png_corpus, the_decoder_makes_the_surface_img_load_makes_of_every_form) {
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("graze_png_corpus_" + std::to_string(::getpid()) + ".png"))
                                 .string();
    const std::vector<png_form> forms = corpus();
    std::vector<std::string> differing;
    for (const png_form& form : forms) {
        const std::string name = png_form_name(form);
        const std::vector<png_byte> bytes = png_form_bytes(form);
        ASSERT_FALSE(bytes.empty()) << "libpng did not write " << name;
        ASSERT_TRUE(write_png_form_file(path, bytes)) << name;
        char reason[256] = "";
        SDL_Surface* ours = decode_png_file(path.c_str(), reason, sizeof reason);
        SDL_Surface* theirs = IMG_Load(path.c_str());
        const std::string differs = png_surface_difference(ours, theirs);
        if (!differs.empty())
            differing.push_back(name + ": " + differs +
                                (ours ? "" : std::string(" (") + reason + ")"));
        SDL_FreeSurface(ours);
        SDL_FreeSurface(theirs);
    }
    std::filesystem::remove(path);
    std::string list;
    for (const std::string& form : differing) list += "\n  " + form;
    EXPECT_EQ(differing.size(), 0u)
        << differing.size() << " of " << forms.size() << " forms differ:" << list;
    // Every form above was made and compared.
    EXPECT_EQ(forms.size(), 4u * (5 * 2 + 2 * 2 + 4 * 5 + 2 + 2) * 2 * 2);
}

} // namespace
