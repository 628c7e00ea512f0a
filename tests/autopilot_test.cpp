// The autopilot: it sees bullets where the game will move them, its runs are
// runs a person could have played (its key log replays them exactly), it
// clears the final boss at Hard and gets a whole game from the intro to the
// end screens; the saved whole games of every difficulty and the saved stage
// runs still end as they did; and the soak's plays and random scripts cover what they should.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <tuple>

#include "autopilot.h"
#include "engine/level_run.h"
#include "pilot_hands.h"
#include "platform/platform_sim.h"
#include "saved_games.h"
#include "sim_trace.h"
#include "soak_play.h"
#include "support/asset_slots.h"

namespace {

struct autopilot_sim : level_sim {
    // One stage flown by the pilot (with slips when the seed is not 0).
    static sim_outcome fly(const std::string& level, int difficulty, int max_frames,
                           std::vector<script_event>& keys, std::uint32_t slips = 0,
                           std::function<void(const level_run&)> also_watch = nullptr) {
        sim_options options;
        options.level = level;
        options.difficulty = difficulty;
        options.max_frames = max_frames;
        options.trace = true;
        pilot_hands hands;
        hands.slip_seed = slips;
        attach_pilot(hands, options);
        if (also_watch) {
            options.watch_frame = [pilot = options.watch_frame, also_watch](const level_run& run) {
                also_watch(run);
                pilot(run);
            };
        }
        sim_outcome outcome;
        std::string error;
        EXPECT_TRUE(run_level_sim(session, options, outcome, error)) << error;
        keys = run_key_log(hands.log, options);
        return outcome;
    }

    static sim_outcome replay(const sim_options& base, const std::string& script) {
        sim_options options = base;
        options.trace = true;
        std::string error;
        if (!script.empty()) {
            EXPECT_TRUE(parse_input_script(script, options.input, error)) << error;
        }
        sim_outcome outcome;
        EXPECT_TRUE(run_level_sim(session, options, outcome, error)) << error;
        return outcome;
    }
};

TEST_F(autopilot_sim, sees_every_bullet_where_the_game_then_moves_it) {
    // Level 4 sends speeding bullets: each prediction made at one frame is
    // checked against the bullet's slot up to a dozen frames later.
    constexpr int ahead = 12;
    using slot_key = std::tuple<int, int, int>; // frame of play, enemy index, shot slot
    struct expected {
        bool gone;
        int x, y; // the corner
    };
    std::map<slot_key, expected> predictions;
    int checked = 0, moved = 0, removed = 0;
    auto watch = [&](const level_run& run) {
        const scene& world = *run.world;
        const int now = run.state.play_frame;
        for (int i = 0; i < world.next_slot; ++i) {
            const enemy* e = world.enemies[i];
            for (int slot = 0; e && slot < e->ship->shot_capacity; ++slot) {
                const shot* s = e->ship->shots[slot];
                if (auto due = predictions.find({now, i, slot}); due != predictions.end()) {
                    ++checked;
                    if (due->second.gone) {
                        EXPECT_EQ(s, nullptr) << "frame " << now << " slot " << slot;
                        ++removed;
                    } else if (due->second.y > 0) {
                        ASSERT_NE(s, nullptr) << "frame " << now << " slot " << slot;
                        EXPECT_EQ(s->rect.x, due->second.x) << "frame " << now;
                        EXPECT_EQ(s->rect.y, due->second.y) << "frame " << now;
                        ++moved;
                    }
                    predictions.erase(due);
                }
                if (!s || now % 5 != 0) continue;
                const seen_bullet seen = see_bullet(*s);
                bullet_track track = start_track(seen);
                for (int k = 1; k <= ahead; ++k) {
                    if (!advance(track, seen)) {
                        predictions[{now + k, i, slot}] = {true, 0, 0};
                        break;
                    }
                    predictions[{now + k, i, slot}] = {false, track.x - (seen.reach_x - ship_reach),
                                                       track.y - (seen.reach_y - ship_reach)};
                }
            }
        }
    };
    std::vector<script_event> keys;
    fly("4", difficulty_hard, 4000, keys, 0, watch);
    EXPECT_GT(moved, 5000);
    EXPECT_GT(removed, 100);
    EXPECT_GT(checked, moved + removed - 1);
}

TEST_F(autopilot_sim, its_key_log_replays_the_run_to_the_identical_trace) {
    // With slips the pilot also dies, respawns and fires supers at odd times.
    for (const auto& [level, slips] : {std::pair{"2", 0u}, std::pair{"5", 7u}}) {
        std::vector<script_event> keys;
        const sim_outcome flown = fly(level, difficulty_hard, 3000, keys, slips);
        ASSERT_GT(keys.size(), 50u);
        sim_options options;
        options.level = level;
        options.difficulty = difficulty_hard;
        const sim_outcome replayed = replay(options, key_log_script(keys));
        EXPECT_EQ(flown.trace, replayed.trace) << "level " << level;
        EXPECT_EQ(summary_json(flown), summary_json(replayed));
        EXPECT_EQ(flown.frames, 3000);
    }
}

TEST_F(autopilot_sim, clears_the_final_boss_at_hard_by_play_alone) {
    std::vector<script_event> keys;
    const sim_outcome outcome = fly("6", difficulty_hard, 20000, keys);
    EXPECT_EQ(outcome.code, result_cleared);
    EXPECT_GT(outcome.lives, 0);
    EXPECT_LE(outcome.boss_hp, 0);
}

// The saved whole games, one per difficulty, flown by the pilot from the
// intro pictures to the goodbye, and each stage flown at Hard: every level's
// end (frame, code, score) must stay as tests/pilot_runs/expected_ends.tsv
// has it. A change that means to change play records them all again with
// scripts/testing/rerecord_saved_games.sh.
TEST_F(autopilot_sim, saved_whole_games_still_end_as_they_did) {
    const auto runs = saved_games_of_kind("run");
    ASSERT_EQ(runs.size(), 4u); // one a difficulty
    for (const saved_game& saved : runs) {
        const sim_outcome outcome = replay(saved_game_options(saved), "");
        const auto trace = parse(outcome.trace);
        EXPECT_EQ(level_ends(trace), saved.ends) << saved.file;
        EXPECT_EQ(play_digest_text(outcome.play_digest), saved.play_digest) << saved.file;
        EXPECT_TRUE(only(trace, "hit").empty()) << saved.file;
        const auto finals = only(trace, "final");
        ASSERT_EQ(finals.size(), 1u) << saved.file;
        EXPECT_EQ(finals[0].completed, saved.completed) << saved.file;
        EXPECT_EQ(finals[0].score, saved.final_score) << saved.file;
        // The final screen's music after the last level, then the title's
        // and the goodbye.
        bool final_screen = false, epilogue = false;
        for (const trace_line& t : only(trace, "music")) {
            if (t.action != "play") continue;
            if (t.slot == slot_music_bye) final_screen = true;
            if (t.slot == slot_music_free) epilogue = true;
        }
        EXPECT_TRUE(final_screen) << saved.file;
        EXPECT_EQ(epilogue, saved.completed == 1)
            << saved.file; // the epilogue only ends a completed run
        EXPECT_EQ(trace.back().ev, "music") << saved.file;
        EXPECT_EQ(trace.back().action, "fade") << saved.file; // the goodbye's fade
    }
}

TEST_F(autopilot_sim, hands_get_a_whole_game_from_the_intro_to_the_goodbye) {
    sim_options options;
    options.whole_run = true;
    options.difficulty = difficulty_practice;
    options.max_frames = pilot_run_frame_limit;
    options.trace = true;
    pilot_hands hands;
    attach_pilot(hands, options);
    sim_outcome flown;
    std::string error;
    ASSERT_TRUE(run_level_sim(session, options, flown, error)) << error;
    const auto trace = parse(flown.trace);
    const auto ends = only(trace, "end");
    ASSERT_EQ(ends.size(), 3u); // a Practice run is Levels 1 to 3
    for (const trace_line& end : ends) EXPECT_EQ(end.code, result_cleared);
    EXPECT_LT(trace.back().frame, 50000); // left from the title, not wound down

    sim_options again;
    again.whole_run = true;
    const sim_outcome replayed = replay(again, key_log_script(run_key_log(hands.log, options)));
    EXPECT_EQ(flown.trace, replayed.trace);
}

std::string run_sim(const std::string& arguments, int& status) {
    const std::string command = std::string(GRAZE_BINARY_DIR) + "/tools/sim/graze-sim " +
                                arguments + " --assets " + GRAZE_ASSET_DIR + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    std::string out;
    char buffer[512];
    while (pipe && std::fgets(buffer, sizeof buffer, pipe)) out += buffer;
    status = pipe ? WEXITSTATUS(pclose(pipe)) : -1;
    return out;
}

// Each stage flown at Hard by the pilot, replayed from its key log: a few
// seconds of simulation for all seven, so the fast tests run them too. The
// play digest catches what the level's end alone would not: a gun point one
// pixel off, a bullet one frame late.
using saved_stage_runs = level_sim;

TEST_F(saved_stage_runs, play_every_frame_and_end_as_recorded) {
    const auto stages = saved_games_of_kind("stage");
    ASSERT_EQ(stages.size(), 7u); // Levels 1 to 6 and the epilogue
    for (const saved_game& saved : stages) {
        sim_outcome outcome;
        std::string error;
        ASSERT_TRUE(run_level_sim(session, saved_game_options(saved), outcome, error)) << error;
        EXPECT_EQ(level_ends(parse(outcome.trace)), saved.ends) << saved.file;
        EXPECT_EQ(play_digest_text(outcome.play_digest), saved.play_digest) << saved.file;
        EXPECT_EQ(outcome.code, result_cleared) << saved.file; // the pilot clears each at Hard
    }
}

TEST(graze_sim_autopilot, saves_a_key_log_that_plays_the_same_level_again) {
    const std::string dir = std::string(GRAZE_BINARY_DIR) + "/autopilot_test";
    std::filesystem::create_directories(dir);
    int status = -1;
    const std::string flown = run_sim("--level 3 --difficulty 0 --autopilot --max-frames 2500 "
                                      "--save-input " +
                                          dir + "/keys.txt --trace " + dir + "/a.jsonl",
                                      status);
    ASSERT_EQ(status, 0) << flown;
    const std::string keys = saved_game_text(dir + "/keys.txt");
    EXPECT_EQ(keys.rfind("# graze-sim key log: level 3, flown by the autopilot", 0), 0u);
    EXPECT_NE(keys.find("2500 press escape"), std::string::npos); // where --max-frames stopped it
    const std::string replayed =
        run_sim("--level 3 --difficulty 0 --input " + dir + "/keys.txt --trace " + dir + "/b.jsonl",
                status);
    ASSERT_EQ(status, 0) << replayed;
    EXPECT_EQ(flown, replayed);
    EXPECT_EQ(saved_game_text(dir + "/a.jsonl"), saved_game_text(dir + "/b.jsonl"));
    run_sim("--level 3 --autopilot --input " + dir + "/keys.txt", status);
    EXPECT_EQ(status, 2); // the pilot plays alone
}

TEST(soak, its_plays_cover_every_stage_and_difficulty_by_pilot_and_by_random_keys) {
    std::set<std::tuple<std::string, int, bool>> seen;
    int runs = 0, pilots = 0;
    constexpr int plays = 36 * 10; // blocks of 35 stage plays and a whole game
    for (int i = 0; i < plays; ++i) {
        const soak_play play = soak_play_of(i);
        EXPECT_EQ(play.index, i);
        EXPECT_NE(play.seed, 0u);
        if (play.stage == "run") {
            ++runs;
            EXPECT_FALSE(play.pilot);
            continue;
        }
        seen.insert({play.stage, play.difficulty, play.pilot});
        pilots += play.pilot;
    }
    EXPECT_EQ(runs, 10);
    EXPECT_EQ(pilots, 7 * 4);
    for (const char* stage : {"1", "2", "3", "4", "5", "6", "epilogue"}) {
        for (int difficulty : {difficulty_practice, difficulty_easy, difficulty_normal,
                               difficulty_hard, difficulty_cheat}) {
            EXPECT_TRUE(seen.count({stage, difficulty, false})) << stage << " " << difficulty;
            const bool flown = seen.count({stage, difficulty, true}) != 0;
            EXPECT_EQ(flown, difficulty != difficulty_cheat) << stage << " " << difficulty;
        }
    }
}

TEST(soak, random_scripts_hold_and_press_every_key_escape_and_enter_included) {
    std::set<std::pair<int, int>> used; // action, key
    int level_escapes = 0;
    for (std::uint32_t seed = 1; seed < 40; ++seed) {
        const auto level = random_script(seed, 20000, false);
        int escapes = 0;
        int last = 0;
        for (const script_event& e : level) {
            EXPECT_GE(e.frame, last); // in order, as a person would write it
            last = e.frame;
            used.insert({static_cast<int>(e.action), e.key});
            escapes += e.key == SDLK_ESCAPE;
        }
        EXPECT_LE(escapes, 1); // a level ends at its first Escape
        level_escapes += escapes;
        for (const script_event& e : random_script(seed, 5000, true))
            used.insert({static_cast<int>(e.action), e.key});
        // The text the simulator reads back is the same script.
        std::vector<script_event> back;
        std::string error;
        ASSERT_TRUE(parse_input_script(key_log_script(level), back, error)) << error;
        EXPECT_EQ(back.size(), level.size());
    }
    EXPECT_GT(level_escapes, 5);
    for (SDLKey key :
         {SDLK_UP, SDLK_DOWN, SDLK_LEFT, SDLK_RIGHT, SDLK_g, SDLK_f, SDLK_d, SDLK_RETURN}) {
        EXPECT_TRUE(used.count({static_cast<int>(script_action::down), key})) << key;
        EXPECT_TRUE(used.count({static_cast<int>(script_action::press), key})) << key;
    }
    EXPECT_TRUE(used.count({static_cast<int>(script_action::press), SDLK_ESCAPE}));
}

} // namespace
