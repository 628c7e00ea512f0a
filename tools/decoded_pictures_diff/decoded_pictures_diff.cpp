// Compares two asset folders picture by picture as the game sees them: each
// file decoded by its format's loader, keyed with its slot's colour in its
// own format, converted to a 32-bit screen's format. Prints every slot whose
// size, pixels or transparent pixels differ; status 0 when none does.
// Built with the tools; run by scripts/testing/compare_decoded_pictures.sh.
// Usage: decoded_pictures_diff OLD_ASSET_FOLDER NEW_ASSET_FOLDER
#include <SDL/SDL.h>
#include <SDL/SDL_image.h>

#include <cstdio>
#include <string>
#include <vector>

#include "support/asset_catalogue.h"

namespace {

struct seen {
    int w = 0, h = 0;
    std::vector<Uint32> pixels; // top bit set where the key makes a pixel transparent
};

bool see(const std::string& folder, int slot, seen& out) {
    const catalogue_entry& entry = asset_catalogue[slot];
    const std::string path = folder + "/" + (entry.path + 2);
    SDL_RWops* file = SDL_RWFromFile(path.c_str(), "rb");
    if (!file) return false;
    SDL_Surface* loaded =
        entry.loader == loader_kind::png ? IMG_LoadPNG_RW(file) : SDL_LoadBMP_RW(file, 0);
    SDL_RWclose(file);
    if (!loaded) return false;
    if (entry.key.keyed)
        SDL_SetColorKey(loaded, SDL_SRCCOLORKEY,
                        SDL_MapRGB(loaded->format, entry.key.r, entry.key.g, entry.key.b));
    SDL_Surface* shown = SDL_DisplayFormat(loaded);
    SDL_FreeSurface(loaded);
    if (!shown) return false;
    out.w = shown->w;
    out.h = shown->h;
    out.pixels.clear();
    for (int y = 0; y < shown->h; ++y)
        for (int x = 0; x < shown->w; ++x) {
            const Uint32 v = static_cast<Uint32*>(shown->pixels)[y * shown->pitch / 4 + x];
            const bool clear = (shown->flags & SDL_SRCCOLORKEY) && v == shown->format->colorkey;
            out.pixels.push_back((v & 0xffffff) | (clear ? 0x80000000u : 0));
        }
    SDL_FreeSurface(shown);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: decoded_pictures_diff OLD_FOLDER NEW_FOLDER\n");
        return 2;
    }
    if (SDL_Init(SDL_INIT_VIDEO) < 0 || !SDL_SetVideoMode(640, 480, 32, SDL_SWSURFACE)) {
        std::fprintf(stderr, "decoded_pictures_diff: %s\n", SDL_GetError());
        return 2;
    }
    int differ = 0;
    for (int slot = 0; slot < picture_slot_count; ++slot) {
        seen before, after;
        if (!see(argv[1], slot, before) || !see(argv[2], slot, after)) {
            std::printf("slot %d (%s): not loaded: %s\n", slot, asset_catalogue[slot].path,
                        SDL_GetError());
            ++differ;
        } else if (before.w != after.w || before.h != after.h || before.pixels != after.pixels) {
            std::printf("slot %d (%s): different pixels\n", slot, asset_catalogue[slot].path);
            ++differ;
        }
    }
    std::printf("%d of %d pictures differ as decoded\n", differ, picture_slot_count);
    SDL_Quit();
    return differ == 0 ? 0 : 1;
}
