// The simulated backend is what every later test stands on: its clock, its
// scripted keyboard, its sound log, its music lengths and its flip hook; and
// the desktop's threads, which it shares with the real backend.
#include <gtest/gtest.h>

#include <SDL/SDL.h>

#include <array>
#include <atomic>
#include <thread>

#include "platform/platform.h"
#include "platform/platform_sim.h"

namespace {

struct sim_backend : ::testing::Test {
    void SetUp() override { sim_reset(); }
};

std::vector<SDL_Event> drain() {
    std::vector<SDL_Event> out;
    SDL_Event e;
    while (platform_poll_event(&e)) out.push_back(e);
    return out;
}

TEST_F(sim_backend, delay_advances_the_virtual_clock_at_once) {
    EXPECT_EQ(platform_ticks(), 0u);
    platform_delay(13);
    platform_delay(150000);
    EXPECT_EQ(platform_ticks(), 150013u);
}

TEST_F(sim_backend, key_down_by_frame_gives_one_event_and_holds_until_key_up) {
    sim_key_down_at_frame(2, SDLK_g);
    sim_key_up_at_frame(4, SDLK_g);
    EXPECT_TRUE(drain().empty());
    EXPECT_EQ(platform_key_state()[SDLK_g], 0);
    platform_flip(nullptr);
    platform_flip(nullptr);
    auto events = drain();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].type, SDL_KEYDOWN);
    EXPECT_EQ(events[0].key.keysym.sym, SDLK_g);
    EXPECT_EQ(platform_key_state()[SDLK_g], 1);
    platform_flip(nullptr);
    EXPECT_TRUE(drain().empty());
    EXPECT_EQ(platform_key_state()[SDLK_g], 1);
    platform_flip(nullptr);
    EXPECT_EQ(platform_key_state()[SDLK_g], 0);
    events = drain();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].type, SDL_KEYUP);
}

TEST_F(sim_backend, press_is_held_for_exactly_one_frame) {
    sim_press_at_frame(0, SDLK_RETURN);
    auto events = drain();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].key.keysym.sym, SDLK_RETURN);
    EXPECT_EQ(platform_key_state()[SDLK_RETURN], 1);
    platform_flip(nullptr);
    EXPECT_EQ(platform_key_state()[SDLK_RETURN], 0);
}

TEST_F(sim_backend, key_changes_by_tick_come_when_the_clock_reaches_them) {
    sim_key_down_at_tick(100, SDLK_LEFT);
    sim_press_at_tick(100, SDLK_ESCAPE);
    platform_delay(99);
    EXPECT_TRUE(drain().empty());
    platform_delay(1);
    auto events = drain();
    ASSERT_EQ(events.size(), 2u); // in the order scheduled
    EXPECT_EQ(events[0].key.keysym.sym, SDLK_LEFT);
    EXPECT_EQ(events[1].key.keysym.sym, SDLK_ESCAPE);
    platform_flip(nullptr);
    EXPECT_EQ(platform_key_state()[SDLK_LEFT], 1);
    EXPECT_EQ(platform_key_state()[SDLK_ESCAPE], 0);
}

TEST_F(sim_backend, window_close_is_delivered_as_sdl_quit) {
    sim_quit_at_frame(1);
    EXPECT_TRUE(drain().empty());
    platform_flip(nullptr);
    auto events = drain();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].type, SDL_QUIT);
}

TEST_F(sim_backend, sound_log_names_tick_frame_channel_and_slot) {
    int fake_chunk = 0, fake_track = 0;
    void* table[3] = {nullptr, &fake_track, &fake_chunk};
    sim_register_assets(table, 3);
    platform_delay(26);
    platform_flip(nullptr);
    platform_play_chunk(5, reinterpret_cast<Mix_Chunk*>(&fake_chunk));
    platform_play_music(reinterpret_cast<Mix_Music*>(&fake_track));
    platform_fade_out_music(1000);
    platform_play_chunk(0, nullptr); // no audio device: plays nothing, still logged
    const auto& log = sim_sound_log();
    ASSERT_EQ(log.size(), 4u);
    EXPECT_EQ(log[0].call, sim_call::chunk);
    EXPECT_EQ(log[0].tick, 26u);
    EXPECT_EQ(log[0].frame, 1);
    EXPECT_EQ(log[0].channel, 5);
    EXPECT_EQ(log[0].slot, 2);
    EXPECT_EQ(log[1].call, sim_call::music_play);
    EXPECT_EQ(log[1].slot, 1);
    EXPECT_EQ(log[2].call, sim_call::music_fade);
    EXPECT_EQ(log[2].fade_ms, 1000);
    EXPECT_EQ(log[3].slot, -1);
}

TEST_F(sim_backend, music_plays_for_its_given_length_and_a_fade_cuts_it) {
    int track = 0;
    auto* music = reinterpret_cast<Mix_Music*>(&track);
    sim_set_music_length(music, 5000);
    EXPECT_FALSE(platform_music_playing());
    platform_play_music(music);
    platform_delay(4999);
    EXPECT_TRUE(platform_music_playing());
    platform_delay(1);
    EXPECT_FALSE(platform_music_playing());

    platform_play_music(music); // restarted when it ends, as boss music is
    platform_delay(1000);
    platform_fade_out_music(500);
    platform_delay(499);
    EXPECT_TRUE(platform_music_playing());
    platform_delay(1);
    EXPECT_FALSE(platform_music_playing());

    platform_play_music(nullptr); // silent game: nothing plays
    EXPECT_FALSE(platform_music_playing());
}

TEST_F(sim_backend, flip_hook_sees_every_presented_frame_with_real_pixels) {
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0);
    SDL_Surface* screen = SDL_SetVideoMode(640, 480, 32, SDL_SWSURFACE);
    ASSERT_NE(screen, nullptr);
    std::vector<int> frames;
    Uint32 seen_pixel = 0;
    sim_on_flip([&](SDL_Surface* s, int frame) {
        frames.push_back(frame);
        seen_pixel = static_cast<Uint32*>(s->pixels)[10 * s->pitch / 4 + 20];
    });
    SDL_Rect r{20, 10, 1, 1};
    const Uint32 red = SDL_MapRGB(screen->format, 255, 0, 0);
    SDL_FillRect(screen, &r, red);
    platform_flip(screen);
    platform_flip(screen);
    EXPECT_EQ(frames, (std::vector<int>{0, 1}));
    EXPECT_EQ(seen_pixel, red);
    EXPECT_EQ(sim_frame(), 2);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

std::atomic<int> work_done{0};

int count_work(void*) {
    work_done.fetch_add(1);
    return 0;
}

TEST(desktop_threads, are_counted_from_the_processors_allowed_and_each_runs_its_work) {
    const int count = platform_thread_count();
    EXPECT_GE(count, 1);
    const unsigned online = std::thread::hardware_concurrency();
    if (online > 0) {
        EXPECT_LE(count, static_cast<int>(online));
    }

    work_done = 0;
    std::array<SDL_Thread*, 3> threads{};
    for (SDL_Thread*& thread : threads) thread = platform_start_thread(count_work);
    for (SDL_Thread* thread : threads) {
        ASSERT_NE(thread, nullptr);
        platform_wait_thread(thread);
    }
    EXPECT_EQ(work_done.load(), 3); // every thread ran, and each was waited for
}

} // namespace
