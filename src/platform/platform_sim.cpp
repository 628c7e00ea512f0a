// The simulated backend: a virtual clock, a scripted keyboard, a log of every
// sound and music call, music that plays for a given length, and a flip hook.
#include "platform/platform_sim.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <deque>
#include <map>
#include <utility>

namespace {

enum class key_action { down, up, press, quit };

struct scheduled_key {
    long sequence; // the order of scheduling, kept when changes fall due together
    key_action action;
    SDLKey key;
};

struct music_state {
    const Mix_Music* track = nullptr;
    Uint32 start = 0;
    Uint32 length = 0;
    bool fading = false;
    Uint32 fade_end = 0;
};

struct sim_state {
    Uint32 now = 0;
    int frame = 0;
    // Pending changes by the frame or tick they wait for: a long script costs
    // each poll only the changes that fall due.
    std::multimap<int, scheduled_key> by_frame;
    std::multimap<Uint32, scheduled_key> by_tick;
    long next_sequence = 0;
    std::deque<SDL_Event> events;
    std::array<Uint8, SDLK_LAST> keys{};
    std::vector<std::pair<const Mix_Music*, Uint32>> music_lengths;
    Uint32 default_music_length = 0;
    music_state music;
    void* const* table = nullptr;
    int table_slots = 0;
    std::vector<sim_sound_event> log;
    std::function<void(SDL_Surface*, int)> flip_hook;
    int music_plays = 0; // tracks started so far, kept when the log is handed over
    sim_sound_event last_music_play{};
    int close_from = -1; // window closes every close_period frames from this frame
    int close_period = 0;
    int last_close = -1;
};

sim_state sim;

SDL_Event key_event(Uint8 type, SDLKey key) {
    SDL_Event event{};
    event.type = type;
    event.key.type = type;
    event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.key.keysym.sym = key;
    return event;
}

void key_down(SDLKey key) {
    sim.keys[key] = 1;
    sim.events.push_back(key_event(SDL_KEYDOWN, key));
}

void key_up(SDLKey key) {
    sim.keys[key] = 0;
    sim.events.push_back(key_event(SDL_KEYUP, key));
}

// A script comes in frame order: the hint at the end makes each insertion
// constant time then; an earlier frame goes where a plain insertion puts it
// (after the changes already scheduled for its frame).
void schedule_at_frame(int frame, key_action action, SDLKey key) {
    sim.by_frame.emplace_hint(sim.by_frame.end(), frame,
                              scheduled_key{sim.next_sequence++, action, key});
}

void schedule_at_tick(Uint32 tick, key_action action, SDLKey key) {
    sim.by_tick.emplace(tick, scheduled_key{sim.next_sequence++, action, key});
}

template <typename Queue, typename Time>
void take_due(Queue& queue, Time now, std::vector<scheduled_key>& due) {
    const auto end = queue.upper_bound(now);
    for (auto it = queue.begin(); it != end; ++it) due.push_back(it->second);
    queue.erase(queue.begin(), end);
}

// Applies every scheduled change whose time has come, in the order scheduled.
void push_window_close() {
    SDL_Event event{};
    event.type = SDL_QUIT;
    sim.events.push_back(event);
}

void apply_due_keys() {
    if (sim.close_period > 0 && sim.frame >= sim.close_from && sim.frame != sim.last_close &&
        (sim.frame - sim.close_from) % sim.close_period == 0) {
        sim.last_close = sim.frame;
        push_window_close();
    }
    std::vector<scheduled_key> due;
    take_due(sim.by_frame, sim.frame, due);
    take_due(sim.by_tick, sim.now, due);
    std::sort(due.begin(), due.end(), [](const scheduled_key& a, const scheduled_key& b) {
        return a.sequence < b.sequence;
    });
    for (const scheduled_key& entry : due) {
        switch (entry.action) {
        case key_action::down: key_down(entry.key); break;
        case key_action::up: key_up(entry.key); break;
        case key_action::press:
            key_down(entry.key);
            schedule_at_frame(sim.frame + 1, key_action::up, entry.key);
            break;
        case key_action::quit: push_window_close(); break;
        }
    }
}

int slot_of(const void* asset) {
    if (!asset) return -1;
    for (int slot = 0; slot < sim.table_slots; ++slot)
        if (sim.table[slot] == asset) return slot;
    return -1;
}

void log_call(sim_call call, int channel, const void* asset, int fade_ms) {
    const sim_sound_event event{sim.now, sim.frame, call, channel, asset, slot_of(asset), fade_ms};
    sim.log.push_back(event);
    if (call == sim_call::music_play) {
        sim.music_plays += 1;
        sim.last_music_play = event;
    }
}

Uint32 length_of(const Mix_Music* music) {
    for (const auto& [track, length] : sim.music_lengths)
        if (track == music) return length;
    return sim.default_music_length;
}

} // namespace

// --- the seam ---

// Tools that run the simulation watch their own signals (graze-sim stops its
// run and writes what it has).
void platform_catch_stop_signals() {}

void platform_stop_point() {}
bool platform_stop_requested() { return false; }
void platform_set_stop_exit_status(int) {}

Uint32 platform_ticks() { return sim.now; }

void platform_delay(Uint32 ms) { sim.now += ms; }

int platform_poll_event(SDL_Event* event) {
    apply_due_keys();
    if (sim.events.empty()) return 0;
    if (event) {
        *event = sim.events.front();
        sim.events.pop_front();
    }
    return 1;
}

const Uint8* platform_key_state() {
    apply_due_keys();
    return sim.keys.data();
}

namespace {

// SDL's dummy driver shows nothing, and on the SDL 1.2 library built on SDL 2
// its flip alone costs a quarter of a millisecond: the simulated game presents
// through SDL only when a real driver shows its window to somebody. The
// pixels stay on the screen surface for the flip hook either way.
bool presenting_through_sdl() {
    char driver[32] = "";
    return SDL_VideoDriverName(driver, sizeof driver) && std::strcmp(driver, "dummy") != 0;
}

} // namespace

void platform_flip(SDL_Surface* screen) {
    if (screen && presenting_through_sdl()) SDL_Flip(screen);
    if (sim.flip_hook) sim.flip_hook(screen, sim.frame);
    ++sim.frame;
}

void platform_play_chunk(int channel, Mix_Chunk* chunk) {
    log_call(sim_call::chunk, channel, chunk, 0);
}

void platform_play_music(Mix_Music* music) {
    log_call(sim_call::music_play, -1, music, 0);
    if (!music) return;
    sim.music = {music, sim.now, length_of(music), false, 0};
}

bool platform_music_playing() {
    const music_state& m = sim.music;
    if (!m.track) return false;
    if (sim.now - m.start >= m.length) return false;
    return !m.fading || sim.now < m.fade_end;
}

void platform_fade_out_music(int ms) {
    log_call(sim_call::music_fade, -1, sim.music.track, ms);
    if (platform_music_playing() && !sim.music.fading) {
        sim.music.fading = true;
        sim.music.fade_end = sim.now + static_cast<Uint32>(ms);
    }
}

// --- control ---

void sim_reset() { sim = sim_state{}; }

Uint32 sim_now() { return sim.now; }

void sim_advance(Uint32 ms) { sim.now += ms; }

int sim_frame() { return sim.frame; }

void sim_key_down_at_frame(int frame, SDLKey key) {
    schedule_at_frame(frame, key_action::down, key);
}
void sim_key_up_at_frame(int frame, SDLKey key) { schedule_at_frame(frame, key_action::up, key); }
void sim_press_at_frame(int frame, SDLKey key) { schedule_at_frame(frame, key_action::press, key); }
void sim_key_down_at_tick(Uint32 tick, SDLKey key) {
    schedule_at_tick(tick, key_action::down, key);
}
void sim_key_up_at_tick(Uint32 tick, SDLKey key) { schedule_at_tick(tick, key_action::up, key); }
void sim_press_at_tick(Uint32 tick, SDLKey key) { schedule_at_tick(tick, key_action::press, key); }
void sim_quit_at_frame(int frame) { schedule_at_frame(frame, key_action::quit, SDLK_UNKNOWN); }

void sim_close_window_every(int from_frame, int period) {
    sim.close_from = from_frame;
    sim.close_period = period;
    sim.last_close = -1;
}

void sim_set_music_length(const Mix_Music* music, Uint32 ms) {
    for (auto& entry : sim.music_lengths) {
        if (entry.first == music) {
            entry.second = ms;
            return;
        }
    }
    sim.music_lengths.emplace_back(music, ms);
}

void sim_set_default_music_length(Uint32 ms) { sim.default_music_length = ms; }

void sim_register_assets(void* const* table, int slot_count) {
    sim.table = table;
    sim.table_slots = slot_count;
}

const std::vector<sim_sound_event>& sim_sound_log() { return sim.log; }

int sim_music_plays() { return sim.music_plays; }
sim_sound_event sim_last_music_play() { return sim.last_music_play; }

std::vector<sim_sound_event> sim_take_sound_log() { return std::exchange(sim.log, {}); }

void sim_on_flip(std::function<void(SDL_Surface*, int)> hook) { sim.flip_hook = std::move(hook); }
