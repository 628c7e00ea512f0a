#include "soak_play.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <fstream>
#include <random>

#include "engine/level_interface.h"
#include "pilot_hands.h"
#include "support/tracked_memory.h"

namespace {

constexpr std::array<const char*, 7> stages = {"1", "2", "3", "4", "5", "6", "epilogue"};
constexpr std::array<int, 5> soak_difficulties = {
    difficulty_practice, difficulty_easy, difficulty_normal, difficulty_hard, difficulty_cheat};
// A block: every stage at every difficulty, then one whole game.
constexpr int stage_plays = static_cast<int>(stages.size() * soak_difficulties.size());
constexpr int block = stage_plays + 1;
constexpr int pilot_block_every = 10;

constexpr std::array<SDLKey, 8> script_keys = {SDLK_UP, SDLK_DOWN, SDLK_LEFT, SDLK_RIGHT,
                                               SDLK_g,  SDLK_f,    SDLK_d,    SDLK_RETURN};
constexpr int frames_per_event = 25;
constexpr int longest_hold = 300;
constexpr int run_escape_one_in = 40; // a whole run's events that are Escape

// The kernel's high-water mark of resident memory, reset before each play.
void reset_peak_memory() {
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
}

long peak_memory_kb() {
    std::ifstream status("/proc/self/status");
    std::string word;
    while (status >> word)
        if (word == "VmHWM:") {
            long kb = -1;
            status >> kb;
            return kb;
        }
    return -1;
}

} // namespace

soak_play soak_play_of(int index) {
    soak_play play;
    play.index = index;
    const int position = index % block;
    if (position == stage_plays) {
        play.stage = "run";
        play.difficulty = soak_difficulties[(index / block) % soak_difficulties.size()];
    } else {
        play.stage = stages[position % stages.size()];
        play.difficulty = soak_difficulties[position / stages.size()];
    }
    play.pilot = (index / block) % pilot_block_every == 0 && play.stage != "run" &&
                 play.difficulty != difficulty_cheat;
    play.seed = static_cast<std::uint32_t>(index) * 2654435761u | 1u;
    return play;
}

std::vector<script_event> random_script(std::uint32_t seed, int frames, bool whole_run) {
    std::mt19937 random(seed);
    auto below = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    std::vector<script_event> events;
    const int count = std::max(1, frames / frames_per_event);
    for (int i = 0; i < count; ++i) {
        const int frame = below(frames);
        if (whole_run && below(run_escape_one_in) == 0) {
            events.push_back({frame, script_action::press, SDLK_ESCAPE});
            continue;
        }
        const SDLKey key = script_keys[below(static_cast<int>(script_keys.size()))];
        if (below(3) == 0) {
            events.push_back({frame, script_action::press, key});
        } else {
            events.push_back({frame, script_action::down, key});
            events.push_back({frame + 1 + below(longest_hold), script_action::up, key});
        }
    }
    if (!whole_run && below(2) == 0)
        events.push_back({below(frames), script_action::press, SDLK_ESCAPE});
    std::stable_sort(
        events.begin(), events.end(),
        [](const script_event& a, const script_event& b) { return a.frame < b.frame; });
    return events;
}

bool play_soak(sim_session& session, const soak_play& play, const soak_limits& limits,
               soak_record& record, std::string& error) {
    sim_options options;
    options.whole_run = play.stage == "run";
    options.level = options.whole_run ? "1" : play.stage;
    options.difficulty = play.difficulty;
    options.max_frames = options.whole_run ? limits.run_frames : limits.level_frames;
    pilot_hands hands;
    if (play.pilot) {
        hands.slip_seed = play.seed;
        attach_pilot(hands, options);
    } else {
        options.input = random_script(play.seed, options.max_frames, options.whole_run);
    }
    reset_peak_memory();
    const auto start = std::chrono::steady_clock::now();
    const bool played = run_level_sim(session, options, record.outcome, error);
    record.ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    record.peak_kb = peak_memory_kb();
    record.tracked_bytes = tracked_bytes();
    record.tracked_blocks = tracked_block_count();
    return played;
}

std::string soak_json(const soak_play& play, const soak_record& record) {
    const sim_outcome& o = record.outcome;
    return "{\"play\":" + std::to_string(play.index) + ",\"stage\":\"" + play.stage +
           "\",\"difficulty\":" + std::to_string(play.difficulty) + ",\"hands\":\"" +
           (play.pilot ? "pilot" : "random") + "\",\"seed\":" + std::to_string(play.seed) +
           ",\"code\":" + std::to_string(o.code) + ",\"score\":" + std::to_string(o.score) +
           ",\"lives\":" + std::to_string(o.lives) + ",\"frames\":" + std::to_string(o.frames) +
           ",\"ms\":" + std::to_string(static_cast<long>(record.ms)) +
           ",\"peak_kb\":" + std::to_string(record.peak_kb) +
           ",\"tracked_bytes\":" + std::to_string(record.tracked_bytes) +
           ",\"tracked_blocks\":" + std::to_string(record.tracked_blocks) + "}";
}
