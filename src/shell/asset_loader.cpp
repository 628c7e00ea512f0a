#include "shell/asset_loader.h"

#include "platform/platform.h"
#include "platform/report.h"
#include "shell/asset_checks.h"
#include "shell/music_file.h"
#include "shell/picture_loading.h"
#include "shell/sound_effect_file.h"
#include "shell/start_up.h"
#include "support/asset_catalogue.h"

#include <SDL/SDL_image.h>
#include <malloc.h>

#include <algorithm>
#include <array>
#include <atomic>
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

// One slot's outcome, kept by its slot: what it holds so far, or why it
// failed. Each slot carries its own reason because SDL's error text is shared
// by a thread (or, for threads SDL did not start, by the whole process).
struct slot_outcome {
    void* asset;             // a picture (decoded, then converted), a chunk or a track
    sound_effect_copy sound; // a sound effect's copy, until the mixer takes it
    bool failed;
    char reason[reason_length];
};

// What the threads do to each slot: decode it from its file (before the
// window), or make it ready for play (after).
enum class load_step { decode, convert };

// The work of one load: the slots are taken in order by whichever thread
// comes next. A slot above one that already failed is skipped: it could never be
// the one reported.
struct load_job {
    load_step step;
    bool audio_open;
    bool convert_in_workers;
    unsigned sound_rate;
    std::atomic<int> next;
    std::atomic<int> first_failed;
    std::atomic<int> working;
    std::atomic<bool> reported;
    std::array<SDL_Thread*, most_loader_threads> threads;
    std::array<slot_outcome, asset_slot_count> outcomes;
};

load_job job;

bool is_picture(const catalogue_entry& entry) {
    return entry.loader == loader_kind::png || entry.loader == loader_kind::bmp;
}

void fail(slot_outcome& outcome, const char* reason) {
    outcome.failed = true;
    std::snprintf(outcome.reason, sizeof outcome.reason, "%s", reason);
}

// Why the file must not be handed to a decoder (which trusts what a header
// says, and picks its way from the content whatever the name), or null when
// it may.
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

void note_failure(int slot) {
    int seen = job.first_failed.load();
    while (slot < seen && !job.first_failed.compare_exchange_weak(seen, slot)) {
    }
}

bool any_failure() { return job.first_failed.load() < asset_slot_count; }

// The first refusal in slot order, once: by whichever thread knows it first.
void report_first_failure() {
    const int slot = job.first_failed.load();
    if (slot >= asset_slot_count || job.reported.exchange(true)) return;
    platform_set_stop_exit_status(exit_start_up_failed); // before anyone can read the line
    report_line("cannot load %s: %s", asset_catalogue[slot].path, job.outcomes[slot].reason);
}

void decode_slot(int slot, slot_outcome& outcome) {
    const catalogue_entry& entry = asset_catalogue[slot];
    switch (entry.loader) {
    case loader_kind::png:
    case loader_kind::bmp:
        outcome.asset = decode_picture(entry, outcome.reason, sizeof outcome.reason);
        outcome.failed = !outcome.asset;
        break;
    case loader_kind::chunk:
        outcome.failed =
            !read_sound_effect(entry.path, outcome.sound, outcome.reason, sizeof outcome.reason);
        break;
    case loader_kind::music:
        if (const char* fault = music_file_fault(entry.path)) fail(outcome, fault);
        break;
    }
}

// Pictures into the display format, sound effects to the mixer at the
// device's rate; music tracks are opened by the first thread alone, since the
// mixer starts its Vorbis decoder on first use without a lock.
void convert_slot(int slot, slot_outcome& outcome) {
    const catalogue_entry& entry = asset_catalogue[slot];
    if (is_picture(entry)) {
        if (!job.convert_in_workers) return; // converted by the first thread afterwards
        outcome.asset =
            to_display_format(static_cast<SDL_Surface*>(outcome.asset), entry, run_length_keys);
        if (!outcome.asset) fail(outcome, SDL_GetError());
    } else if (entry.loader == loader_kind::chunk) {
        if (!job.audio_open) return release_sound_effect(outcome.sound); // a silent game
        if (!resample_sound_effect(outcome.sound, job.sound_rate, outcome.reason,
                                   sizeof outcome.reason)) {
            release_sound_effect(outcome.sound);
            outcome.failed = true;
            return;
        }
        outcome.asset = mix_sound_effect(outcome.sound, outcome.reason, sizeof outcome.reason);
        outcome.failed = !outcome.asset;
    }
}

// A thread leaves the step; the last one out of the decoding reports its
// first refusal at once, wherever the first thread is (opening the window,
// say). `count` is more than one for the places held for threads that were
// never started.
void leave_step(int count) {
    if (job.working.fetch_sub(count) == count && job.step == load_step::decode &&
        !platform_stop_requested())
        report_first_failure();
}

// Takes slots in order until none is left, or a stop is asked for; every
// thread runs this.
int work_on_slots(void*) {
    for (;;) {
        const int slot = job.next.fetch_add(1);
        if (slot >= asset_slot_count || platform_stop_requested()) break;
        if (slot > job.first_failed.load()) continue;
        slot_outcome& outcome = job.outcomes[slot];
        if (job.step == load_step::decode) {
            if (slot == slow_slot && slow_milliseconds > 0)
                std::this_thread::sleep_for(std::chrono::milliseconds(slow_milliseconds));
            decode_slot(slot, outcome);
        } else {
            convert_slot(slot, outcome);
        }
        if (outcome.failed) note_failure(slot);
    }
    leave_step(1);
    return 0;
}

int threads_to_use() {
    if (loader_threads > 0) return std::min(loader_threads, most_loader_threads);
    return std::clamp(platform_thread_count(), 1, most_loader_threads);
}

// Starts the step on up to `helpers` threads of its own; without any (a
// page, or no thread to be had) the calling thread does the work.
void start_step(load_step step, int helpers) {
    job.step = step;
    job.next = 0;
    job.threads = {};
    job.working = helpers + 1; // one place held until every thread has started
    int started = 0;
    for (int i = 0; i < helpers; ++i)
        if ((job.threads[started] = platform_start_thread(work_on_slots))) ++started;
    if (started == 0 && helpers > 0) {
        job.working = 1;
        work_on_slots(nullptr);
        return;
    }
    leave_step(helpers - started + 1);
}

void wait_for_step() {
    for (SDL_Thread*& thread : job.threads) {
        if (thread) platform_wait_thread(thread);
        thread = nullptr;
    }
}

// The decoders and converters start some of their tables on first use; that
// first use happens here, before any other thread runs them.
void start_converters() {
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

void open_music() {
    for (int slot = 0; slot < asset_slot_count; ++slot) {
        if (asset_catalogue[slot].loader != loader_kind::music) continue;
        slot_outcome& outcome = job.outcomes[slot];
        outcome.asset = Mix_LoadMUS(asset_catalogue[slot].path);
        if (!outcome.asset) {
            fail(outcome, SDL_GetError());
            note_failure(slot);
        }
    }
}

void convert_pictures_here() {
    for (int slot = 0; slot < asset_slot_count; ++slot) {
        const catalogue_entry& entry = asset_catalogue[slot];
        slot_outcome& outcome = job.outcomes[slot];
        if (!is_picture(entry) || !outcome.asset) continue;
        outcome.asset =
            to_display_format(static_cast<SDL_Surface*>(outcome.asset), entry, run_length_keys);
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

// Everything the load made so far, in slot order.
void release_outcomes() {
    for (int slot = 0; slot < asset_slot_count; ++slot) {
        slot_outcome& outcome = job.outcomes[slot];
        free_slot(slot, outcome.asset);
        release_sound_effect(outcome.sound);
        outcome.asset = nullptr;
    }
}

void reset_job() {
    release_outcomes();
    job.outcomes = {};
    job.first_failed = asset_slot_count;
    job.reported = false;
    platform_set_stop_exit_status(stopped_exit_status);
}

} // namespace

bool begin_loading_assets() {
    reset_job();
    // The headers first, in slot order: a few bytes of each file, so the
    // first one refused is named at once, before anything is decoded. A stop
    // request is heard between two files.
    for (int slot = 0; slot < asset_slot_count; ++slot) {
        platform_stop_point();
        if (const char* fault = refusal(asset_catalogue[slot])) {
            platform_set_stop_exit_status(exit_start_up_failed);
            report_line("cannot load %s: %s", asset_catalogue[slot].path, fault);
            return false;
        }
    }
    start_step(load_step::decode, threads_to_use());
    return true;
}

asset_table* finish_loading_assets(bool audio_open) {
    wait_for_step();
    // A refusal the decoding threads have named stands, even when a stop was
    // asked for meanwhile: the start failed, and says so by its status.
    if (job.reported) {
        release_outcomes();
        return nullptr;
    }
    // A stop request ends the program here, through the normal exit, once the
    // threads have put down their work (a file each at most).
    platform_stop_point();
    if (any_failure()) {
        report_first_failure();
        release_outcomes();
        return nullptr;
    }
    auto* assets = static_cast<asset_table*>(std::calloc(1, sizeof(asset_table)));
    if (!assets) {
        report_line("out of memory loading the assets");
        release_outcomes();
        return nullptr;
    }
    job.audio_open = audio_open;
    job.sound_rate = audio_open ? device_rate() : 0;
    job.convert_in_workers = conversion_safe_in_threads();
    start_converters();
    start_step(load_step::convert, threads_to_use() - 1);
    if (audio_open) open_music();
    job.working += 1; // the first thread joins in
    work_on_slots(nullptr);
    wait_for_step();
    if (!job.convert_in_workers) convert_pictures_here();
    platform_stop_point();

    if (any_failure()) {
        report_first_failure();
        release_outcomes();
        std::free(assets);
        return nullptr;
    }
    for (int slot = 0; slot < asset_slot_count; ++slot) {
        assets->slots[slot] = job.outcomes[slot].asset;
        job.outcomes[slot].asset = nullptr; // the table's now
    }
    // The decoders' buffers and the files' own copies of the pictures are
    // freed; the allocator gives those pages back rather than keep them.
#ifdef __GLIBC__
    malloc_trim(0);
#endif
    return assets;
}

void cancel_loading_assets() {
    wait_for_step();
    report_first_failure();
    release_outcomes();
}

asset_table* load_assets(bool audio_open) {
    if (!begin_loading_assets()) return nullptr;
    return finish_loading_assets(audio_open);
}

void set_run_length_keys(bool enabled) { run_length_keys = enabled; }

void set_loader_threads(int threads) { loader_threads = threads; }

void set_slow_slot(int slot, int milliseconds) {
    slow_slot = slot;
    slow_milliseconds = milliseconds;
}

void free_assets(asset_table* assets) {
    if (!assets) return;
    for (int slot = 0; slot < asset_slot_count; ++slot) free_slot(slot, assets->slots[slot]);
    std::free(assets);
}
