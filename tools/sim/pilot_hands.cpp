#include "pilot_hands.h"

#include <algorithm>

#include "engine/difficulty.h"
#include "platform/platform_sim.h"
#include "sim_run.h"
#include "support/asset_slots.h"

namespace {

constexpr std::array<SDLKey, 6> steering_keys = {SDLK_UP,    SDLK_DOWN, SDLK_LEFT,
                                                 SDLK_RIGHT, SDLK_g,    SDLK_f};

// Intro pictures and end screens take Enter after ten passes.
constexpr int enter_every = 14;
// The title takes Enter after two passes; the menu likewise.
constexpr int title_enter_after = 4;
constexpr int menu_keys_after = 5;
constexpr int menu_enter_after = 9;

int log_frame(const pilot_hands& h, int frame) { return h.whole_run ? frame : frame - h.origin; }

void hold(pilot_hands& h, int index, bool down, int frame) {
    if (h.held[index] == down) return;
    h.held[index] = down;
    const SDLKey key = steering_keys[index];
    if (down)
        sim_key_down_at_frame(frame, key);
    else
        sim_key_up_at_frame(frame, key);
    h.log.push_back({log_frame(h, frame), down ? script_action::down : script_action::up, key});
}

void press(pilot_hands& h, SDLKey key, int frame) {
    sim_press_at_frame(frame, key);
    h.log.push_back({log_frame(h, frame), script_action::press, key});
}

void let_go(pilot_hands& h, int frame) {
    for (int i = 0; i < static_cast<int>(h.held.size()); ++i) hold(h, i, false, frame);
}

constexpr std::uint32_t slip_chance = 500; // one slip every so many frames, on average
constexpr int slip_frames = 40;            // at most
constexpr int slip_reroll = 8;             // new random keys every so many frames

std::uint32_t next_random(std::uint32_t& state) {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
}

pilot_keys random_keys(std::uint32_t& state) {
    const std::uint32_t bits = next_random(state);
    return {(bits & 1) != 0,  (bits & 2) != 0,  (bits & 4) != 0,    (bits & 8) != 0,
            (bits & 16) != 0, (bits & 32) != 0, (bits & 448) == 448};
}

// Replaces the pilot's keys while a slip lasts.
void maybe_slip(pilot_hands& h, pilot_keys& keys) {
    if (h.slip_seed == 0) return;
    if (h.slip_left == 0) {
        if (next_random(h.slip_seed) % slip_chance != 0) return;
        h.slip_left = 1 + static_cast<int>(next_random(h.slip_seed) % slip_frames);
        h.slip_keys = random_keys(h.slip_seed);
    } else if (h.slip_left % slip_reroll == 0) {
        h.slip_keys = random_keys(h.slip_seed);
    }
    keys = h.slip_keys;
    h.slip_keys.d = false; // a press, not a hold
    h.slip_left -= 1;
}

void on_frame(pilot_hands& h, const level_run& run) {
    look_at(run, h.view);
    // Keys chosen now are down for the next frame of play.
    const int frame = sim_frame();
    if (h.view.play_frame == 1) {
        h.origin = frame - 1;
        h.in_play = true;
        h.memory = pilot_memory{};
    }
    if (h.view.level_over) {
        let_go(h, frame);
        h.in_play = false;
        h.answer_continue = h.view.lost;
        return;
    }
    pilot_keys keys = choose_keys(h.memory, h.view);
    maybe_slip(h, keys);
    const std::array<bool, 6> want = {keys.up, keys.down, keys.left, keys.right, keys.g, keys.f};
    for (int i = 0; i < static_cast<int>(want.size()); ++i) hold(h, i, want[i], frame);
    if (keys.d) press(h, SDLK_d, frame);
}

// Between levels of a whole run: which screen is up follows from the music
// the game starts (the title's, the final screen's) and how the last level
// ended.
void on_flip(pilot_hands& h, int flipped) {
    // The screen polls its keys after this flip, in the next frame.
    const int frame = flipped + 1;
    if (sim_music_plays() != h.music_plays_seen) {
        h.music_plays_seen = sim_music_plays();
        const sim_sound_event s = sim_last_music_play();
        if (s.slot == slot_music_introduction) {
            h.title_frame = s.frame;
            h.titles_seen += 1;
            h.end_screens = false;
        } else if (s.slot == slot_music_bye) {
            h.end_screens = true;
            h.last_enter = frame;
        }
    }
    if (h.in_play) return;
    if (h.answer_continue) {
        press(h, SDLK_RETURN, frame); // the default answer: carry on
        h.answer_continue = false;
        return;
    }
    if (h.title_frame < 0 || h.end_screens) {
        if (frame - h.last_enter >= enter_every) {
            press(h, SDLK_RETURN, frame);
            h.last_enter = frame;
        }
        return;
    }
    const int since_title = frame - h.title_frame;
    if (h.titles_seen > 1) {
        // The run is over: leave the game from the title.
        if (since_title == title_enter_after) press(h, SDLK_ESCAPE, frame);
        return;
    }
    if (since_title == title_enter_after) press(h, SDLK_RETURN, frame);
    if (since_title == menu_keys_after) {
        // The menu opens on Practice; each Right is one step harder.
        const int steps = menu_rights_to(h.difficulty);
        for (int i = 0; i < steps; ++i) press(h, SDLK_RIGHT, frame);
    }
    if (since_title == menu_enter_after) press(h, SDLK_RETURN, frame);
}

const char* key_name(SDLKey key) {
    switch (key) {
    case SDLK_UP: return "up";
    case SDLK_DOWN: return "down";
    case SDLK_LEFT: return "left";
    case SDLK_RIGHT: return "right";
    case SDLK_g: return "g";
    case SDLK_f: return "f";
    case SDLK_d: return "d";
    case SDLK_ESCAPE: return "escape";
    case SDLK_RETURN: return "enter";
    default: return "?";
    }
}

} // namespace

void attach_pilot(pilot_hands& hands, sim_options& options) {
    hands.whole_run = options.whole_run;
    hands.difficulty = options.difficulty;
    options.watch_frame = [&hands](const level_run& run) { on_frame(hands, run); };
    if (options.whole_run) options.watch_flip = [&hands](int frame) { on_flip(hands, frame); };
}

std::vector<script_event> run_key_log(std::vector<script_event> keys, const sim_options& options) {
    if (!options.whole_run && options.max_frames >= 0)
        keys.push_back({options.max_frames, script_action::press, SDLK_ESCAPE});
    return keys;
}

std::string key_log_script(const std::vector<script_event>& log) {
    std::string text;
    for (const script_event& e : log) {
        const char* action = e.action == script_action::down ? "down"
                             : e.action == script_action::up ? "up"
                                                             : "press";
        text += std::to_string(e.frame) + " " + action + " " + key_name(e.key) + "\n";
    }
    return text;
}
