#include "shell/picture_loading.h"

#include <cstdio>

#include "shell/asset_checks.h"
#include "shell/png_decoder.h"

namespace {

// Sets the slot's colour key on a picture in its file's own format.
void set_file_key(SDL_Surface* picture, const catalogue_entry& entry) {
    if (entry.key.keyed)
        SDL_SetColorKey(picture, SDL_SRCCOLORKEY,
                        SDL_MapRGB(picture->format, entry.key.r, entry.key.g, entry.key.b));
}

// Eight bits of a channel, wherever a format keeps them whole.
bool whole_byte_channel(Uint32 mask, Uint8 shift, Uint8 loss) {
    return loss == 0 && mask == 0xffu << shift;
}

bool plain_rgb(const SDL_PixelFormat* format) {
    return whole_byte_channel(format->Rmask, format->Rshift, format->Rloss) &&
           whole_byte_channel(format->Gmask, format->Gshift, format->Gloss) &&
           whole_byte_channel(format->Bmask, format->Bshift, format->Bloss) && format->Amask == 0;
}

// A 24-bit picture copied into a 32-bit display format, channel by channel:
// SDL's converter reads and writes such pictures a field at a time, several
// times slower, to the same pixels. Null when the formats are not the plain
// ones this copies (SDL converts those).
SDL_Surface* copy_24_to_32(SDL_Surface* loaded) {
    if (SDL_BYTEORDER != SDL_LIL_ENDIAN) return nullptr; // 24-bit bytes in another order
    const SDL_PixelFormat* from = loaded->format;
    const SDL_PixelFormat* to = SDL_GetVideoSurface()->format;
    if (from->BytesPerPixel != 3 || to->BytesPerPixel != 4 || !plain_rgb(from) || !plain_rgb(to))
        return nullptr;
    SDL_Surface* copy = SDL_CreateRGBSurface(SDL_SWSURFACE, loaded->w, loaded->h, 32, to->Rmask,
                                             to->Gmask, to->Bmask, 0);
    if (!copy) return nullptr;
    const int r = from->Rshift / 8, g = from->Gshift / 8, b = from->Bshift / 8;
    for (int y = 0; y < loaded->h; ++y) {
        const auto* in = static_cast<const Uint8*>(loaded->pixels) + y * loaded->pitch;
        auto* out = reinterpret_cast<Uint32*>(static_cast<Uint8*>(copy->pixels) + y * copy->pitch);
        for (int x = 0; x < loaded->w; ++x, in += 3)
            out[x] = static_cast<Uint32>(in[r]) << to->Rshift |
                     static_cast<Uint32>(in[g]) << to->Gshift |
                     static_cast<Uint32>(in[b]) << to->Bshift;
    }
    if (loaded->flags & SDL_SRCCOLORKEY) {
        Uint8 kr = 0, kg = 0, kb = 0;
        SDL_GetRGB(from->colorkey, from, &kr, &kg, &kb);
        SDL_SetColorKey(copy, SDL_SRCCOLORKEY, SDL_MapRGB(copy->format, kr, kg, kb));
    }
    return copy;
}

} // namespace

SDL_Surface* decode_picture(const catalogue_entry& entry, char* reason, std::size_t reason_size) {
    SDL_Surface* decoded = nullptr;
    if (entry.loader == loader_kind::png) {
        decoded = decode_png_file(entry.path, reason, reason_size);
    } else {
        SDL_RWops* file = SDL_RWFromFile(entry.path, "rb");
        decoded = file ? SDL_LoadBMP_RW(file, 1) : nullptr;
        if (!decoded) std::snprintf(reason, reason_size, "%s", SDL_GetError());
    }
    if (!decoded) return nullptr;
    if (const char* fault = picture_size_fault(decoded->w, decoded->h)) {
        SDL_FreeSurface(decoded);
        std::snprintf(reason, reason_size, "%s", fault);
        return nullptr;
    }
    set_file_key(decoded, entry);
    return decoded;
}

SDL_Surface* to_display_format(SDL_Surface* decoded, const catalogue_entry& entry,
                               bool run_length_key) {
    SDL_Surface* converted = copy_24_to_32(decoded);
    if (!converted) converted = SDL_DisplayFormat(decoded);
    SDL_FreeSurface(decoded);
    if (converted && entry.key.keyed && run_length_key)
        SDL_SetColorKey(converted, SDL_SRCCOLORKEY | SDL_RLEACCEL, converted->format->colorkey);
    return converted;
}
