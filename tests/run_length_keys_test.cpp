// Run-length encoded colour keys draw exactly the frames that plain colour
// keys draw: the same pixels, and the same clipped rectangles written back
// (so the same game).
#include <gtest/gtest.h>

#include <SDL/SDL_mixer.h>

#include "shell/asset_loader.h"
#include "sim_trace.h"

namespace {

struct run_length_keys : level_sim {
    static void TearDownTestSuite() {
        set_run_length_keys(true);
        level_sim::TearDownTestSuite();
    }
};

std::uint64_t screen_hash(SDL_Surface* screen) {
    SDL_LockSurface(screen);
    std::uint64_t hash = 1469598103934665603ull;
    for (int y = 0; y < screen->h; ++y) {
        const auto* row = static_cast<const Uint8*>(screen->pixels) + y * screen->pitch;
        for (int x = 0; x < screen->w * 4; ++x) hash = (hash ^ row[x]) * 1099511628211ull;
    }
    SDL_UnlockSurface(screen);
    return hash;
}

struct drawn_run {
    std::vector<std::uint64_t> frames;
    std::vector<std::string> trace;
};

drawn_run play_drawn(sim_session& session, const std::string& level, const std::string& script,
                     int max_frames) {
    sim_options options;
    options.level = level;
    options.difficulty = 1000;
    options.max_frames = max_frames;
    options.trace = true;
    options.draw = true;
    std::string error;
    EXPECT_TRUE(parse_input_script(script, options.input, error)) << error;
    drawn_run run;
    options.watch_frame = [&](const level_run& level) {
        if (level.state.play_frame % 7 == 0) run.frames.push_back(screen_hash(level.screen));
    };
    sim_outcome outcome;
    EXPECT_TRUE(run_level_sim(session, options, outcome, error)) << error;
    run.trace = outcome.trace;
    return run;
}

void reload_assets(sim_session& session, bool run_length) {
    free_assets(session.assets);
    set_run_length_keys(run_length);
    int frequency = 0, channels = 0;
    Uint16 format = 0;
    session.assets = load_assets(Mix_QuerySpec(&frequency, &format, &channels) != 0);
    ASSERT_NE(session.assets, nullptr);
}

TEST_F(run_length_keys, draw_the_same_frames_as_plain_keys) {
    // Waves, bullets, explosions and the ship clipped at the screen's edges.
    const std::string script = "0 down g\n0 down up\n150 up up\n150 down left\n400 up left\n"
                               "400 down right\n900 up right\n1000 press d\n";
    const drawn_run encoded_1 = play_drawn(session, "1", script, 2500);
    const drawn_run encoded_2 = play_drawn(session, "2", script, 2500);
    reload_assets(session, false);
    const drawn_run plain_1 = play_drawn(session, "1", script, 2500);
    const drawn_run plain_2 = play_drawn(session, "2", script, 2500);
    reload_assets(session, true);

    ASSERT_GT(encoded_1.frames.size(), 300u);
    EXPECT_EQ(encoded_1.frames, plain_1.frames);
    EXPECT_EQ(encoded_1.trace, plain_1.trace);
    EXPECT_EQ(encoded_2.frames, plain_2.frames);
    EXPECT_EQ(encoded_2.trace, plain_2.trace);
}

} // namespace
