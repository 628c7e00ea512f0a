#include "shell/asset_loader.h"

#include "platform/platform.h"
#include "platform/report.h"
#include "shell/asset_checks.h"
#include "shell/png_decoder.h"
#include "shell/sound_effect_file.h"
#include "support/asset_catalogue.h"

#include <SDL/SDL_image.h>
#include <malloc.h>
#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace {

bool run_length_keys = true;
int loader_threads = 0;
int slow_slot = -1;
int slow_milliseconds = 0;

constexpr int most_loader_threads = 8;
constexpr std::size_t reason_length = 256;

// One slot's outcome, kept by its slot: the asset, or why it failed. Each
// slot carries its own reason because SDL's error text is shared by a thread
// (or, for threads SDL did not start, by the whole process).
struct slot_outcome {
    void* asset;
    bool failed;
    char reason[reason_length];
};

// The work of one load: slots [0, end) are decoded by whichever thread takes
// them next. A slot above one that already failed is skipped: it could never
// be the one reported.
struct load_job {
    bool audio_open;
    bool convert_in_workers;
    int end;
    std::atomic<int> next;
    std::atomic<int> first_failed;
    std::array<slot_outcome, asset_slot_count> outcomes;
};

load_job job;

bool is_audio(const catalogue_entry& entry) {
    return entry.loader == loader_kind::music || entry.loader == loader_kind::chunk;
}

bool is_picture(const catalogue_entry& entry) { return !is_audio(entry); }

void fail(slot_outcome& outcome, const char* reason) {
    outcome.failed = true;
    std::snprintf(outcome.reason, sizeof outcome.reason, "%s", reason);
}

// Why the file must not be handed to SDL_image or SDL_mixer (which trust what
// a header says, and pick a decoder from the content whatever the name), or
// null when it may.
const char* refusal(const catalogue_entry& entry) {
    if (const char* fault = file_access_fault(entry.path)) return fault;
    switch (entry.loader) {
    case loader_kind::png: return png_file_fault(entry.path);
    case loader_kind::bmp: return bmp_file_fault(entry.path);
    case loader_kind::music: return ogg_file_fault(entry.path);
    case loader_kind::chunk: return wav_file_fault(entry.path);
    }
    return nullptr;
}

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

// The picture in the display format with its key; the file's copy goes at once.
SDL_Surface* to_display_format(SDL_Surface* loaded, const catalogue_entry& entry) {
    SDL_Surface* converted = copy_24_to_32(loaded);
    if (!converted) converted = SDL_DisplayFormat(loaded);
    SDL_FreeSurface(loaded);
    if (converted && entry.key.keyed && run_length_keys)
        SDL_SetColorKey(converted, SDL_SRCCOLORKEY | SDL_RLEACCEL, converted->format->colorkey);
    return converted;
}

// Decodes one picture file with its own format's decoder only; null with the
// reason in the outcome.
SDL_Surface* decode_picture(const catalogue_entry& entry, slot_outcome& outcome) {
    if (entry.loader == loader_kind::png) {
        SDL_Surface* loaded = decode_png_file(entry.path, outcome.reason, sizeof outcome.reason);
        outcome.failed = !loaded;
        return loaded;
    }
    SDL_RWops* file = SDL_RWFromFile(entry.path, "rb");
    SDL_Surface* loaded = file ? SDL_LoadBMP_RW(file, 1) : nullptr;
    if (!loaded) fail(outcome, SDL_GetError());
    return loaded;
}

void load_picture(int slot, slot_outcome& outcome) {
    const catalogue_entry& entry = asset_catalogue[slot];
    SDL_Surface* loaded = decode_picture(entry, outcome);
    if (!loaded) return;
    if (const char* fault = picture_size_fault(loaded->w, loaded->h)) {
        SDL_FreeSurface(loaded);
        return fail(outcome, fault);
    }
    set_file_key(loaded, entry);
    if (!job.convert_in_workers) {
        outcome.asset = loaded; // converted by the first thread afterwards
        return;
    }
    SDL_Surface* converted = to_display_format(loaded, entry);
    if (!converted) return fail(outcome, SDL_GetError());
    outcome.asset = converted;
}

void load_chunk(int slot, slot_outcome& outcome) {
    Mix_Chunk* chunk =
        load_sound_effect(asset_catalogue[slot].path, outcome.reason, sizeof outcome.reason);
    outcome.failed = !chunk;
    outcome.asset = chunk;
}

// Music streams are opened by the first thread only: the mixer starts its
// Vorbis decoder on first use without a lock.
void load_music(int slot, slot_outcome& outcome) {
    Mix_Music* music = Mix_LoadMUS(asset_catalogue[slot].path);
    if (!music) return fail(outcome, SDL_GetError());
    outcome.asset = music;
}

void note_failure(int slot) {
    int seen = job.first_failed.load();
    while (slot < seen && !job.first_failed.compare_exchange_weak(seen, slot)) {
    }
}

bool wanted(int slot) {
    const catalogue_entry& entry = asset_catalogue[slot];
    return !is_audio(entry) || job.audio_open; // a silent game never opens its sounds
}

// Takes slots in order until none is left; every thread runs this.
int decode_slots(void*) {
    for (;;) {
        const int slot = job.next.fetch_add(1);
        if (slot >= job.end) return 0;
        const catalogue_entry& entry = asset_catalogue[slot];
        if (!wanted(slot) || entry.loader == loader_kind::music) continue;
        if (slot > job.first_failed.load()) continue;
        if (slot == slow_slot && slow_milliseconds > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(slow_milliseconds));
        slot_outcome& outcome = job.outcomes[slot];
        if (is_picture(entry))
            load_picture(slot, outcome);
        else
            load_chunk(slot, outcome);
        if (outcome.failed) note_failure(slot);
    }
}

int processors_to_use() {
    if (loader_threads > 0) return std::min(loader_threads, most_loader_threads);
    return std::clamp(platform_thread_count(), 1, most_loader_threads);
}

// The decoders and converters start some of their tables on first use; that
// first use happens here, before any other thread runs them.
void start_decoders() {
    IMG_Init(IMG_INIT_PNG);
    if (job.audio_open) Mix_Init(MIX_INIT_OGG);
    for (int bits : {8, 24}) {
        SDL_Surface* one = SDL_CreateRGBSurface(SDL_SWSURFACE, 1, 1, bits, 0, 0, 0, 0);
        if (!one) continue;
        SDL_SetColorKey(one, SDL_SRCCOLORKEY, 0);
        SDL_FreeSurface(SDL_DisplayFormat(one));
        SDL_FreeSurface(one);
    }
}

// A screen in video memory gets its pictures there too, through the video
// driver, which is not safe from several threads: those are converted by the
// first thread alone.
bool conversion_safe_in_threads() {
    const SDL_Surface* screen = SDL_GetVideoSurface();
    return screen && (screen->flags & SDL_HWSURFACE) == 0;
}

void decode_on_threads() {
    const int threads = processors_to_use();
    std::array<SDL_Thread*, most_loader_threads> helpers{};
    for (int i = 1; i < threads; ++i) helpers[i] = platform_start_thread(decode_slots);
    for (int slot = 0; slot < job.end; ++slot) {
        if (asset_catalogue[slot].loader != loader_kind::music || !wanted(slot)) continue;
        if (slot > job.first_failed.load()) break;
        load_music(slot, job.outcomes[slot]);
        if (job.outcomes[slot].failed) note_failure(slot);
    }
    decode_slots(nullptr);
    for (SDL_Thread* helper : helpers)
        if (helper) platform_wait_thread(helper);
}

void convert_on_first_thread() {
    for (int slot = 0; slot < job.end; ++slot) {
        const catalogue_entry& entry = asset_catalogue[slot];
        slot_outcome& outcome = job.outcomes[slot];
        if (!is_picture(entry) || !outcome.asset) continue;
        outcome.asset = to_display_format(static_cast<SDL_Surface*>(outcome.asset), entry);
        if (!outcome.asset) {
            fail(outcome, SDL_GetError());
            note_failure(slot);
        }
    }
}

void free_slot(int slot, void* asset) {
    if (!asset) return;
    switch (asset_catalogue[slot].loader) {
    case loader_kind::png:
    case loader_kind::bmp: SDL_FreeSurface(static_cast<SDL_Surface*>(asset)); break;
    case loader_kind::music: Mix_FreeMusic(static_cast<Mix_Music*>(asset)); break;
    case loader_kind::chunk: Mix_FreeChunk(static_cast<Mix_Chunk*>(asset)); break;
    }
}

} // namespace

bool asset_headers_sound() {
    for (const catalogue_entry& entry : asset_catalogue) {
        // Whether the sounds are wanted is known once the audio device opens:
        // a missing one waits for the loader, which only asks for them then.
        struct stat facts {};
        if (is_audio(entry) && lstat(entry.path, &facts) != 0 && errno == ENOENT) continue;
        if (const char* fault = refusal(entry)) {
            report_line("cannot load %s: %s", entry.path, fault);
            return false;
        }
    }
    return true;
}

void set_run_length_keys(bool enabled) { run_length_keys = enabled; }

void set_loader_threads(int threads) { loader_threads = threads; }

void set_slow_slot(int slot, int milliseconds) {
    slow_slot = slot;
    slow_milliseconds = milliseconds;
}

asset_table* load_assets(bool audio_open) {
    auto* assets = static_cast<asset_table*>(std::calloc(1, sizeof(asset_table)));
    if (!assets) {
        report_line("out of memory loading the assets");
        return nullptr;
    }
    job.audio_open = audio_open;
    job.convert_in_workers = conversion_safe_in_threads();
    job.outcomes = {};
    // The checks read a few bytes of each file, in slot order: the first file
    // refused ends the catalogue that is decoded.
    job.end = asset_slot_count;
    for (int slot = 0; slot < asset_slot_count; ++slot) {
        if (!wanted(slot)) continue;
        if (const char* fault = refusal(asset_catalogue[slot])) {
            fail(job.outcomes[slot], fault);
            job.end = slot;
            break;
        }
    }
    // A stop request is heard before and after the decoding, through the
    // normal exit; the decoding itself is short, and the stop's deadline
    // covers it.
    platform_stop_point();
    job.next = 0;
    job.first_failed = job.end;
    start_decoders();
    decode_on_threads();
    if (!job.convert_in_workers) convert_on_first_thread();
    platform_stop_point();

    for (int slot = 0; slot < asset_slot_count; ++slot)
        assets->slots[slot] = job.outcomes[slot].asset;
    const int reported = std::min(job.first_failed.load(), job.end);
    if (reported < asset_slot_count) {
        report_line("cannot load %s: %s", asset_catalogue[reported].path,
                    job.outcomes[reported].reason);
        free_assets(assets);
        return nullptr;
    }
    // The decoders' buffers and the files' own copies of the pictures are
    // freed; the allocator gives those pages back rather than keep them.
#ifdef __GLIBC__
    malloc_trim(0);
#endif
    return assets;
}

void free_assets(asset_table* assets) {
    if (!assets) return;
    for (int slot = 0; slot < asset_slot_count; ++slot) free_slot(slot, assets->slots[slot]);
    std::free(assets);
}
