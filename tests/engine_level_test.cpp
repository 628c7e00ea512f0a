// The level engine on a small test level: intro, Escape, warning timeline,
// boss music, outro, death and respawn, super attack, steering and guns.
#include "engine_fixtures.h"

#include <algorithm>

#include "engine/player.h"
#include "engine/timeline.h"
#include "support/rect_random.h"

namespace {

// What the test level's builder makes: one boss, where and when a test says.
struct test_level_plan {
    int boss_x = 300, boss_y = 100, boss_w = 40, boss_h = 40;
    int boss_hp = 1000, boss_spawn_ms = 0, reach = 10;
} plan;

level_script build_test_level(const asset_table& assets) {
    enemy_setup setup = boss_setup_of(make_rect(plan.boss_x, plan.boss_y, plan.boss_w, plan.boss_h),
                                      picture_slot(assets, slot_boss_plane));
    setup.hit_points = plan.boss_hp;
    setup.explosion_picture = picture_slot(assets, slot_explosion_boss1);
    setup.explosion_frame_ms = 60;
    setup.spawn_ms = plan.boss_spawn_ms;
    setup.reach_x = setup.reach_y = plan.reach;
    enemy* boss = new_enemy(setup);
    add_step(boss, new_step(0, 0, 0), main_path);
    enemy** order = tracked_array<enemy*>(1);
    order[0] = boss;
    return {boss, order, 1};
}

level_config test_config() {
    level_config c{};
    c.title_card = slot_level_card_first;
    c.stage_music = slot_music_prayer;
    c.boss_music = slot_music_boss;
    c.backdrop = backdrop_kind::scrolling;
    c.first_picture = slot_ciel;
    c.second_picture = slot_ciel1;
    c.switch_ms = 42000;
    c.flash_picture = slot_blanc;
    c.outro_picture = slot_ciel_vieux;
    c.third_step_from_ms = never;
    c.ship_start_y = 410;
    c.intro_stop_y = 410;
    c.warning_time = 1000;
    c.boss_bar_scale = 0.0946;
    c.hud_frame = slot_contour1;
    c.build = build_test_level;
    return c;
}

// Records what the engine does, frame by frame.
struct recorder {
    int play_start_flip = -1;
    Uint32 start_ms = 0;
    std::vector<int> phases;       // boss_phase at the end of each frame of play
    std::vector<int> respawning;   // respawning flag at the end of each frame
    std::vector<int> invulnerable; // the player's counter at the end of each frame
    std::vector<int> shots;        // the player's shots in flight
    std::vector<int> gauge;
    std::vector<int> x, y;
    int frames = 0;
    std::function<void(const level_run&)> each_frame;
    std::function<void(const level_run&)> at_start;
};
recorder rec;

void started(const level_run& run, void*) {
    rec.play_start_flip = sim_frame();
    rec.start_ms = run.world->start_ms;
    if (rec.at_start) rec.at_start(run);
}
void frame_done(const level_run& run, void*) {
    const ship* p = run.world->player;
    rec.phases.push_back(run.state.boss_phase);
    rec.respawning.push_back(run.state.respawning);
    rec.invulnerable.push_back(p->invulnerable);
    rec.shots.push_back(p->shot_count);
    rec.gauge.push_back(run.world->gauge_level);
    rec.x.push_back(p->rect.x);
    rec.y.push_back(p->rect.y);
    rec.frames = run.state.play_frame;
    if (rec.each_frame) rec.each_frame(run);
}
void ended(const level_run&, const game_result&, void*) {}
const level_observer watch{started, frame_done, ended, nullptr};

struct level_engine : engine_test {
    level_config config = test_config();
    void SetUp() override {
        engine_test::SetUp();
        plan = test_level_plan{};
        rec = recorder{};
        set_level_observer(&watch);
        sim_set_music_length(music(slot_music_prayer), 500); // the stage music ends early
        sim_set_music_length(music(slot_music_boss), 60000);
    }
    void play(int difficulty = 3, int score = 0) {
        result = {0, score};
        play_level(config, {screen, difficulty, score, 13, &assets}, &result);
    }
    // Frame of play -> the simulated backend's frame (flips so far).
    static int at_play(int frame) { return 92 + frame; }
    std::vector<Uint32> clock_of(int slot) {
        std::vector<Uint32> out;
        for (const auto& e : sim_sound_log())
            if (e.slot == slot) out.push_back(e.tick - rec.start_ms);
        return out;
    }
};

TEST_F(level_engine, intro_lasts_91_frames_and_escape_ends_play_within_its_frame) {
    sim_press_at_frame(at_play(5), SDLK_ESCAPE);
    play(3, 1234);
    EXPECT_EQ(rec.play_start_flip, 92); // title card + 91 intro frames
    EXPECT_EQ(rec.frames, 5);
    EXPECT_EQ(sim_frame(), 92 + 5); // no flip in the frame of the Escape
    EXPECT_EQ(result.code, result_quit);
    EXPECT_EQ(result.score, 1234);
    const auto& log = sim_sound_log();
    ASSERT_GE(log.size(), 2u);
    EXPECT_EQ(log.back().call, sim_call::music_fade);
    EXPECT_EQ(log.back().fade_ms, 1000);
}

TEST_F(level_engine, escape_pressed_in_the_intro_waits_for_the_first_frame_of_play) {
    sim_press_at_frame(40, SDLK_ESCAPE);
    play();
    EXPECT_EQ(rec.frames, 0);
    EXPECT_EQ(result.code, result_quit);
}

TEST_F(level_engine, warning_sounds_each_second_then_the_boss_phase_and_its_music) {
    plan.boss_spawn_ms = 100000;
    sim_press_at_frame(at_play(400), SDLK_ESCAPE); // about 5.2 s
    play();
    const auto warnings = clock_of(slot_sound_warning);
    ASSERT_EQ(warnings.size(), 3u);
    EXPECT_GE(warnings[0], 1000u);
    EXPECT_LT(warnings[0], 1014u);
    EXPECT_GE(warnings[1], 2000u);
    EXPECT_LT(warnings[1], 2014u);
    EXPECT_GE(warnings[2], 3000u);
    EXPECT_LT(warnings[2], 3014u);
    const auto boss_music = clock_of(slot_music_boss);
    ASSERT_EQ(boss_music.size(), 2u); // started, then faded at the end
    EXPECT_GE(boss_music[0], 4000u);
    EXPECT_LT(boss_music[0], 4014u);
    for (int f = 0; f < rec.frames; ++f) ASSERT_LE(rec.phases[f], 4) << f;
    EXPECT_EQ(rec.phases.back(), 4);
}

TEST_F(level_engine, the_backdrop_switches_at_its_time_with_one_flash_frame) {
    plan.boss_spawn_ms = 100000;
    config.warning_time = never;
    std::vector<int> shown; // which of slots 64 (flash), 65, 66 each frame of play shows
    sim_on_flip([&](SDL_Surface* s, int frame) {
        if (frame < 92) return;
        const int red = pixel_at(s, 320, 240).r;
        shown.push_back(red - 20); // the fake pictures' red is the slot + 20
    });
    sim_press_at_frame(at_play(3300), SDLK_ESCAPE); // 42.9 s
    play();
    ASSERT_EQ(shown.size(), 3300u);
    const auto flash = std::find(shown.begin(), shown.end(), 64);
    ASSERT_NE(flash, shown.end());
    EXPECT_EQ(std::count(shown.begin(), shown.end(), 64), 1);
    EXPECT_TRUE(std::all_of(shown.begin(), flash, [](int s) { return s == 65; }));
    EXPECT_TRUE(std::all_of(flash + 1, shown.end(), [](int s) { return s == 66; }));
    // The flash falls on the first frame at or past 42000 ms of play.
    const int flash_frame = static_cast<int>(flash - shown.begin());
    EXPECT_GE(flash_frame * 13, 42000);
    EXPECT_LT((flash_frame - 1) * 13, 42000);
}

TEST_F(level_engine, a_stalled_frame_does_not_freeze_the_warning) {
    plan.boss_spawn_ms = 100000;
    rec.each_frame = [](const level_run& run) {
        if (run.state.play_frame == 10) sim_advance(60000); // the machine slept a minute
    };
    sim_press_at_frame(at_play(20), SDLK_ESCAPE);
    play();
    EXPECT_EQ(std::vector<int>(rec.phases.begin() + 9, rec.phases.begin() + 16),
              (std::vector<int>{0, 1, 2, 3, 4, 4, 4}));
    EXPECT_EQ(sounds_on(slot_sound_warning), 3);
}

TEST_F(level_engine, the_first_intro_frame_does_not_wait_and_no_wait_exceeds_a_frame) {
    level_state st{};
    const Uint32 before = platform_ticks();
    pace_frame(st, 13);
    EXPECT_EQ(platform_ticks(), before);
    pace_frame(st, 13);
    EXPECT_EQ(platform_ticks(), before + 13);
    st.next_deadline = platform_ticks() - 5; // late: no wait
    const Uint32 late = platform_ticks();
    pace_frame(st, 13);
    EXPECT_EQ(platform_ticks(), late);
    // Across the wrap of the tick counter the wait stays within a frame.
    sim_advance(0xFFFFFFFFu - platform_ticks() - 3); // 4 ms before the wrap
    st.next_deadline = 0xFFFFFFFFu - 200;            // far in the "future" once wrapped
    sim_advance(10);
    const Uint32 wrapped = platform_ticks();
    pace_frame(st, 13);
    EXPECT_LE(platform_ticks() - wrapped, 13u);
}

TEST_F(level_engine, destroying_the_boss_plays_the_outro_and_reports_the_score_with_the_bonus) {
    plan.boss_x = 300;
    plan.boss_y = 250; // just above the ship's guns
    plan.boss_hp = 1;
    sim_key_down_at_frame(at_play(0), SDLK_g);
    play(3, 99990);
    EXPECT_EQ(result.code, result_cleared);
    // 500 for the boss is capped at 99999 by the kill; the bonus may not pass it.
    EXPECT_EQ(result.score, 99999);
    const int play_frames = rec.frames;
    // The boss died in the last frame of play; the outro is 1000 frames.
    EXPECT_EQ(sim_frame(), 92 + play_frames + 1000);
    int cold = -1, sting = -1;
    for (const auto& e : sim_sound_log()) {
        if (e.slot == slot_sound_cold1) cold = e.frame - (92 + play_frames);
        if (e.slot == slot_sound_exit_windows) sting = e.frame - (92 + play_frames);
        if (e.slot == slot_sound_cold1 || e.slot == slot_sound_exit_windows) {
            EXPECT_EQ(e.channel, 2);
        }
    }
    EXPECT_EQ(cold, 320);
    EXPECT_EQ(sting, 337);
}

TEST_F(level_engine, the_level_bonus_adds_lives_and_kills_by_difficulty) {
    plan.boss_y = 250;
    plan.boss_hp = 1;
    sim_key_down_at_frame(at_play(0), SDLK_g);
    play(0, 1000); // Hard: 6 lives x 100 + 1 kill
    EXPECT_EQ(result.score, 1000 + 500 + 600 + 1);
    sim_reset();
    sim_register_assets(assets.slots.data(), asset_slot_count);
    rec = recorder{};
    sim_key_down_at_frame(at_play(0), SDLK_g);
    play(1, 1000); // Normal: 12 lives + 1 kill
    EXPECT_EQ(result.score, 1000 + 500 + 12 + 1);
}

TEST_F(level_engine, lives_run_out_with_respawns_between_and_none_after_the_last) {
    // A boss parked on the ship's respawn point rams it whenever it can.
    plan.boss_x = 280;
    plan.boss_y = 380;
    plan.boss_w = 80;
    plan.boss_h = 100;
    plan.reach = 40;
    play(0); // Hard: 6 lives
    EXPECT_EQ(result.code, result_lost);
    int respawns = 0, rise_start = -1;
    bool checked_rise = false;
    for (size_t f = 1; f < rec.respawning.size(); ++f) {
        if (rec.respawning[f] && !rec.respawning[f - 1]) {
            ++respawns;
            rise_start = static_cast<int>(f);
        }
        if (!rec.respawning[f] && rec.respawning[f - 1] && !checked_rise) {
            EXPECT_EQ(static_cast<int>(f) - rise_start, 22); // 22 frames of rise
            EXPECT_EQ(rec.invulnerable[f], 177);
            EXPECT_EQ(rec.y[f], 436);
            checked_rise = true;
        }
    }
    EXPECT_TRUE(checked_rise);
    EXPECT_EQ(respawns, 5);
    EXPECT_EQ(rec.respawning.back(), 0);
}

TEST_F(level_engine, super_attack_costs_two_gauge_units_and_needs_them) {
    plan.boss_spawn_ms = 100000;
    rec.at_start = [](const level_run& run) { run.world->gauge_level = 1; };
    rec.each_frame = [](const level_run& run) {
        if (run.state.play_frame == 3) run.world->gauge_level = 2;
    };
    sim_press_at_frame(at_play(1), SDLK_d);
    sim_press_at_frame(at_play(5), SDLK_d);
    sim_press_at_frame(at_play(8), SDLK_ESCAPE);
    play();
    EXPECT_EQ(rec.shots[1], 0);
    EXPECT_EQ(rec.gauge[1], 1);
    EXPECT_EQ(rec.shots[5], 10); // the star burst: gauge colour none
    EXPECT_EQ(rec.gauge[5], 0);
    EXPECT_EQ(sounds_on(slot_sound_super), 1);
}

TEST_F(level_engine, steering_stays_inside_the_play_field) {
    plan.boss_spawn_ms = 100000;
    sim_key_down_at_frame(at_play(0), SDLK_LEFT);
    sim_key_down_at_frame(at_play(0), SDLK_UP);
    sim_key_up_at_frame(at_play(200), SDLK_LEFT);
    sim_key_up_at_frame(at_play(200), SDLK_UP);
    sim_key_down_at_frame(at_play(200), SDLK_RIGHT);
    sim_key_down_at_frame(at_play(200), SDLK_DOWN);
    sim_press_at_frame(at_play(400), SDLK_ESCAPE);
    play();
    EXPECT_EQ(rec.x[199], 138);
    EXPECT_EQ(rec.y[199], 0); // y -1 drawn at 0 becomes the position
    EXPECT_EQ(rec.x[399], 468);
    EXPECT_EQ(rec.y[399], 450); // from 0 in steps of 3: 450 + 32 reaches the edge
}

TEST_F(level_engine, both_guns_share_one_interval_and_only_the_main_gun_fires) {
    plan.boss_spawn_ms = 100000;
    sim_key_down_at_frame(at_play(0), SDLK_g);
    sim_key_down_at_frame(at_play(0), SDLK_f);
    sim_press_at_frame(at_play(80), SDLK_ESCAPE);
    play();
    std::vector<int> volley_frames;
    for (const auto& e : sim_sound_log())
        if (e.slot == slot_sound_shot1) volley_frames.push_back(e.frame - 92);
    ASSERT_GE(volley_frames.size(), 9u);
    for (size_t i = 1; i < volley_frames.size(); ++i)
        EXPECT_EQ(volley_frames[i] - volley_frames[i - 1], 8); // 104 ms > 100 ms
    // One shot per volley: side guns never fire while G holds the interval.
    EXPECT_LE(rec.shots[40], 6);
}

} // namespace
