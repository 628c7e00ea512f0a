// Reading the simulator's JSON-lines trace in tests, and a fixture that plays
// one level of the generated catalogue through the simulator.
#pragma once

#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "engine/level_run.h"
#include "sim_run.h"

struct trace_line {
    std::string ev;
    long tick = 0;
    int frame = 0;
    std::string tag;
    std::string action;
    int slot = -1;
    int channel = -1;
    int phase = -1;
    int x = 0, y = 0;
    int lives = -1;
    int points = 0;
    int code = 0;
    int score = 0;
    int completed = -1;
};

inline std::vector<trace_line> parse(const std::vector<std::string>& lines) {
    static const std::regex field("\"(\\w+)\":(\"[^\"]*\"|-?\\d+)");
    std::vector<trace_line> out;
    for (const std::string& line : lines) {
        trace_line t;
        for (std::sregex_iterator it(line.begin(), line.end(), field), end; it != end; ++it) {
            const std::string key = (*it)[1], value = (*it)[2];
            const bool text_value = value[0] == '"';
            const std::string text = text_value ? value.substr(1, value.size() - 2) : value;
            if (key == "ev")
                t.ev = text;
            else if (key == "tag")
                t.tag = text;
            else if (key == "action")
                t.action = text;
            else if (text_value)
                continue;
            else if (key == "tick")
                t.tick = std::stol(text);
            else if (key == "frame")
                t.frame = std::stoi(text);
            else if (key == "slot")
                t.slot = std::stoi(text);
            else if (key == "channel")
                t.channel = std::stoi(text);
            else if (key == "phase")
                t.phase = std::stoi(text);
            else if (key == "x")
                t.x = std::stoi(text);
            else if (key == "y")
                t.y = std::stoi(text);
            else if (key == "lives")
                t.lives = std::stoi(text);
            else if (key == "points")
                t.points = std::stoi(text);
            else if (key == "code")
                t.code = std::stoi(text);
            else if (key == "score")
                t.score = std::stoi(text);
            else if (key == "completed")
                t.completed = std::stoi(text);
        }
        out.push_back(t);
    }
    return out;
}

inline std::vector<trace_line> only(const std::vector<trace_line>& trace, const std::string& ev) {
    std::vector<trace_line> out;
    for (const trace_line& t : trace)
        if (t.ev == ev) out.push_back(t);
    return out;
}

// True when an event due at `time` ms of play happened in the frame that
// reached that time (frames are 13 ms apart).
inline bool due(const trace_line& t, long time) { return t.tick >= time && t.tick < time + 14; }

// Plays one level headless with the generated catalogue.
// The cheat's difficulty: thousands of lives, so the ship outlives any level.
constexpr int cheat = 1000;
// Parks the ship in the bottom-left corner from the first frame, never firing.
inline const std::string hide_bottom_left = "0 down left\n0 down down\n";

struct level_sim : ::testing::Test {
    static inline sim_session session;
    static void SetUpTestSuite() {
        std::string error;
        ASSERT_TRUE(open_sim_session(GRAZE_ASSET_DIR, session, error)) << error;
    }
    static void TearDownTestSuite() { close_sim_session(session); }

    static sim_outcome play(const std::string& level, const std::string& script, int difficulty = 3,
                            int max_frames = -1, int score = 0,
                            std::function<void(const level_run&)> watch_frame = nullptr) {
        sim_options options;
        options.watch_frame = std::move(watch_frame);
        options.level = level;
        options.difficulty = difficulty;
        options.score = score;
        options.trace = true;
        options.max_frames = max_frames;
        std::string error;
        EXPECT_TRUE(parse_input_script(script, options.input, error)) << error;
        sim_outcome outcome;
        EXPECT_TRUE(run_level_sim(session, options, outcome, error)) << error;
        return outcome;
    }
};

// The first enemy on the field with this tag, or null.
inline const enemy* find_enemy(const level_run& run, const char* tag) {
    const scene* world = run.world;
    for (int i = 0; i < world->next_slot; ++i) {
        const enemy* e = world->enemies[i];
        if (e && std::string(e->tag) == tag) return e;
    }
    return nullptr;
}
