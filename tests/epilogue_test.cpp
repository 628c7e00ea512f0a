// The epilogue as the simulator plays it from the generated catalogue: music
// during the black card, the 80-second limit, the bonus in its worked cases,
// the boss's one pass ending off the right edge, and the other endings.
#include <gtest/gtest.h>

#include <vector>

#include "levels/levels.h"
#include "sim_trace.h"
#include "watched_run.h"

namespace {

struct epilogue : level_sim {
    sim_outcome run(const std::string& script, int max_frames = -1, int score = 0) {
        return play("epilogue", script, difficulty_epilogue, max_frames, score);
    }
};

TEST_F(epilogue, music_before_the_wait_and_an_idle_player_reaches_the_limit_with_no_bonus) {
    const sim_outcome outcome = run("", -1, 5000);
    EXPECT_EQ(outcome.code, 1);
    EXPECT_EQ(outcome.score, 0); // the incoming score is replaced by the bonus
    EXPECT_EQ(outcome.boss_hp, 10000);
    const auto trace = parse(outcome.trace);
    std::vector<trace_line> music;
    long last_play_tick = 0;
    int frames_of_play = 0;
    for (const trace_line& t : trace) {
        if (t.ev == "music" && t.action == "play") music.push_back(t);
        if (t.ev == "end") frames_of_play = t.frame;
        if (t.frame >= 0 && t.frame < outcome.frames) last_play_tick = t.tick;
    }
    // Free plays before the three-second black card and the 91-frame intro.
    ASSERT_EQ(music.size(), 1u);
    EXPECT_EQ(music[0].slot, epilogue_config.stage_music);
    EXPECT_LE(music[0].tick, -3000 - 90 * 13);
    // The frame that reaches 80000 ms is the last of play; the outro follows.
    EXPECT_GT(frames_of_play, outcome.frames);
    EXPECT_LT(last_play_tick, 80000 + 14);
    // Frames at 0, 13, 26 ... ms of play: the last is the first at 80000 or more.
    EXPECT_EQ(outcome.frames, (80000 + 12) / 13 + 1);
}

// A fight set up at the start of play: the ship cannot be hit, with these
// lives, and the boss with these hit points.
game_result fight_to_the_limit(sim_session& session, int lives, int boss_hp) {
    watched_run w;
    w.started = [&](const level_run& run) {
        run.world->player->invulnerable = 1 << 30;
        run.world->player->hit_points = lives;
        run.boss->ship->hit_points = boss_hp;
    };
    return play_watched(session, epilogue_config, w, difficulty_epilogue, 777);
}

TEST_F(epilogue, the_bonus_at_the_limit_is_ten_per_life_less_the_boss_hit_points_never_below_0) {
    // 30 lives lost, the boss down to 2500: 10 x 970 - 2500.
    const game_result worked = fight_to_the_limit(session, 970, 2500);
    EXPECT_EQ(worked.code, 1);
    EXPECT_EQ(worked.score, 7200);
    // 500 lives lost and no damage: 5000 - 10000 is raised to 0.
    const game_result below = fight_to_the_limit(session, 500, 10000);
    EXPECT_EQ(below.code, 1);
    EXPECT_EQ(below.score, 0);
}

TEST_F(epilogue, a_shooting_player_is_paid_the_damage_done_less_the_lives_lost) {
    const sim_outcome outcome = run("0 down g\n0 down f\n", -1, 123);
    EXPECT_EQ(outcome.code, 1);
    EXPECT_LT(outcome.boss_hp, 10000);
    const int bonus = 10 * outcome.lives - outcome.boss_hp;
    EXPECT_EQ(outcome.score, bonus < 0 ? 0 : bonus);
}

TEST_F(epilogue, a_boss_destroyed_below_0_leaves_a_bonus_of_0_and_ends_the_stage_at_once) {
    int ended_at = -1, downed_at = -1;
    watched_run w;
    w.started = [&](const level_run& run) { run.world->player->invulnerable = 1 << 30; };
    w.frame_ended = [&](const level_run& run) {
        if (w.frames == 600) {
            run.boss->ship->hit_points = -7;
            downed_at = w.frames;
        }
        ended_at = w.frames;
    };
    const game_result result = play_watched(session, epilogue_config, w, difficulty_epilogue, 4321);
    EXPECT_EQ(result.code, 1);
    EXPECT_EQ(result.score, 0);
    EXPECT_EQ(ended_at, downed_at + 1);
}

TEST_F(epilogue, losing_every_life_gives_minus_one_and_escape_writes_nothing) {
    // Three lives instead of 1000: the rule is the same, the run much shorter.
    watched_run lose;
    lose.started = [](const level_run& run) { run.world->player->hit_points = 3; };
    const game_result lost =
        play_watched(session, epilogue_config, lose, difficulty_epilogue, 4321);
    EXPECT_EQ(lost.code, -1);
    EXPECT_EQ(lost.score, 4321);
    EXPECT_LT(lose.frames, 80000 / 13);

    watched_run leave;
    leave.presses = {{300, SDLK_ESCAPE}};
    const game_result escaped =
        play_watched(session, epilogue_config, leave, difficulty_epilogue, 4321);
    EXPECT_EQ(escaped.code, 0);
    EXPECT_EQ(escaped.score, 4321);
    EXPECT_EQ(leave.frames, 300);
}

TEST_F(epilogue, the_boss_flies_its_diamond_sways_and_leaves_by_the_right_edge_after_2748_frames) {
    struct sample {
        int x, y, gone;
    };
    std::vector<sample> runs{{}}; // index = runs of its script, 1 = the frame it appears
    watched_run w;
    w.started = [](const level_run& run) { run.world->player->invulnerable = 1 << 30; };
    w.frame_ended = [&](const level_run& run) {
        const ship* body = run.boss->ship;
        if (run.world->next_slot == 0 || static_cast<int>(runs.size()) > 2760) return;
        runs.push_back(
            {body->rect.x, body->rect.y, body->explosion_frame > body->explosion_frames});
    };
    const game_result result = play_watched(session, epilogue_config, w, difficulty_epilogue, 0);
    EXPECT_EQ(result.code, 1);
    ASSERT_GT(runs.size(), 2750u);
    EXPECT_EQ(runs[1].x, 596);
    auto at = [&](int n, int x, int y) {
        EXPECT_EQ(runs[n].x, x) << n;
        EXPECT_EQ(runs[n].y, y) << n;
    };
    const int sweeps = 6 * 36 * 2;
    at(66, 271, 1);
    at(76 + sweeps + 20, 371, 101);
    at(76 + 2 * (sweeps + 20), 271, 201);
    at(76 + 3 * (sweeps + 20), 171, 101);
    at(1884, 271, 1);         // the entry's end
    at(1884 + 20, 271, 101);  // down to its sway
    at(1884 + 662, 271, 101); // the main path's end
    at(1884 + 662 + 32, 367, 101);
    at(1884 + 662 + 96, 175, 101);
    at(1884 + 662 + 128, 271, 101); // the final sway's end
    at(2747, 636, 101);
    EXPECT_FALSE(runs[2747].gone);
    at(2748, 641, 101);
    EXPECT_TRUE(runs[2748].gone);
    EXPECT_EQ(runs.back().x, 641); // never run again
}

} // namespace
