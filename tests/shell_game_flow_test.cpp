// The whole flow with fake levels: a scripted player watches what every flip
// shows and presses keys, as a person would, through the intro, the title,
// the menu, the levels' screens and the end screens, down to the goodbye.
#include <gtest/gtest.h>

#include <algorithm>

#include "fake_assets.h"
#include "shell/game_flow.h"

namespace {

constexpr SDLKey window_close = SDLK_UNKNOWN;

// One move of the scripted player: once the picture of a slot has been seen
// on `pass` earlier flips, press the key (handled in that same pass).
struct player_move {
    int slot;
    int pass;
    SDLKey key;
};

struct scripted_player {
    std::vector<player_move> moves;
    std::size_t next = 0;
    int seen = 0;

    void on_flip(SDL_Surface* screen, int frame) {
        if (next == moves.size()) return;
        const player_move& move = moves[next];
        if (fake::shown_slot(screen) != move.slot || seen++ < move.pass) return;
        if (move.key == window_close)
            fake::close_after_flip(frame);
        else
            fake::press_after_flip(frame, move.key);
        ++next;
        seen = 0;
    }
};

// Enter on the twelfth pass of each intro picture, the first it takes.
std::vector<player_move> pass_the_intro() {
    return {{slot_programmer, 11, SDLK_RETURN},
            {slot_resources, 11, SDLK_RETURN},
            {slot_keyboard, 11, SDLK_RETURN}};
}

struct shell_game_flow : fake::shell_fixture {
    game_result result{0, 0};
    level_table levels = fake::all_levels();
    scripted_player player;

    void SetUp() override {
        fake::shell_fixture::SetUp();
        fake::reset_levels();
        on_flip = [this](SDL_Surface* s, int frame) { player.on_flip(s, frame); };
    }

    void play(std::vector<player_move> after_intro) {
        player.moves = pass_the_intro();
        player.moves.insert(player.moves.end(), after_intro.begin(), after_intro.end());
        play_game(screen, assets(), result, levels);
        EXPECT_EQ(player.next, player.moves.size()) << "the player's script was not used up";
    }

    static int count(const std::vector<int>& slots, int slot) {
        return static_cast<int>(std::count(slots.begin(), slots.end(), slot));
    }
};

TEST_F(shell_game_flow, escape_on_the_title_says_goodbye_for_three_seconds) {
    play({{slot_titre, 0, SDLK_ESCAPE}});
    EXPECT_EQ(fake::sequence_of(shown),
              (std::vector<int>{slot_programmer, slot_resources, slot_keyboard, slot_titre,
                                slot_sojiro_bye}));
    EXPECT_EQ(count(shown, slot_sojiro_bye), 1);
    const auto& log = sim_sound_log();
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].call, sim_call::music_play);
    EXPECT_EQ(log[0].slot, slot_music_introduction);
    EXPECT_EQ(log[1].call, sim_call::music_fade);
    EXPECT_EQ(log[1].fade_ms, 500);
    EXPECT_EQ(log[1].frame, static_cast<int>(shown.size())); // after the goodbye flip
    EXPECT_EQ(sim_now(), log[1].tick + 3000);
    EXPECT_TRUE(fake::level_calls.empty());
}

TEST_F(shell_game_flow, a_window_close_on_the_title_leaves_the_game_too) {
    play({{slot_titre, 3, window_close}});
    EXPECT_EQ(shown.back(), slot_sojiro_bye);
}

TEST_F(shell_game_flow, escape_in_the_menu_goes_back_to_the_title_and_restarts_its_music) {
    play({{slot_titre, 2, SDLK_RETURN},
          {slot_practice, 0, SDLK_ESCAPE},
          {slot_titre, 0, SDLK_ESCAPE}});
    EXPECT_TRUE(fake::level_calls.empty());
    EXPECT_EQ(fake::count_calls(sim_call::music_play, slot_music_introduction), 2);
    const auto fades = fake::calls_of(sim_call::music_fade);
    ASSERT_EQ(fades.size(), 2u);
    EXPECT_EQ(fades[0].fade_ms, 1000); // after the menu
    EXPECT_EQ(fades[1].fade_ms, 500);  // the goodbye
    EXPECT_EQ(fake::sequence_of(shown),
              (std::vector<int>{slot_programmer, slot_resources, slot_keyboard, slot_titre,
                                slot_practice, slot_titre, slot_sojiro_bye}));
}

TEST_F(shell_game_flow, the_cheat_starts_a_run_at_difficulty_1000_even_through_escape) {
    std::vector<player_move> moves(5, {slot_titre, 0, SDLK_UP});
    moves.push_back({slot_titre1, 0, SDLK_RETURN});
    moves.push_back({slot_practice, 0, SDLK_ESCAPE});
    moves.push_back({slot_cleared, 11, SDLK_RETURN});
    moves.push_back({slot_thanks, 11, SDLK_RETURN});
    moves.push_back({slot_end, 11, SDLK_RETURN});
    moves.push_back({slot_titre, 2, SDLK_ESCAPE});
    play(moves);
    EXPECT_EQ(fake::levels_played(), (std::vector<int>{1, 2, 3, 4, 5, 6, 7}));
    for (int i = 0; i < 6; ++i) EXPECT_EQ(fake::level_calls[i].difficulty, difficulty_cheat);
    EXPECT_EQ(fake::level_calls[6].difficulty, difficulty_epilogue);
    // The next title starts afresh: the plain picture again.
    EXPECT_EQ(shown[shown.size() - 2], slot_titre);
}

TEST_F(shell_game_flow, a_practice_run_ends_after_level_3_on_the_score_and_try_again) {
    std::vector<int> final_digits;
    on_flip = [&](SDL_Surface* s, int frame) {
        if (fake::shown_slot(s) == slot_cleared && final_digits.empty())
            final_digits = fake::shown_digits(s);
        player.on_flip(s, frame);
    };
    fake::level_script = {fake::cleared(1500), fake::cleared(4200), fake::cleared(7321)};
    play({{slot_titre, 2, SDLK_RETURN},
          {slot_practice, 2, SDLK_RETURN},
          {slot_cleared, 11, SDLK_RETURN},
          {slot_try_again, 11, SDLK_RETURN},
          {slot_titre, 2, SDLK_ESCAPE}});
    EXPECT_EQ(fake::levels_played(), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(final_digits, (std::vector<int>{0, 7, 3, 2, 1}));
    const auto sequence = fake::sequence_of(shown);
    // The loading screen follows Level 3 before the end screens.
    const auto cleared_at = std::find(sequence.begin(), sequence.end(), slot_cleared);
    ASSERT_NE(cleared_at, sequence.end());
    EXPECT_EQ(*(cleared_at - 1), slot_loading1); // the last loading pass is in phase 2
    EXPECT_EQ(*(cleared_at + 1), slot_try_again);
    EXPECT_EQ(count(shown, slot_thanks), 0);
    // Title music for each title, the ending music, faded before the next title.
    const auto plays = fake::calls_of(sim_call::music_play);
    ASSERT_EQ(plays.size(), 3u);
    EXPECT_EQ(plays[0].slot, slot_music_introduction);
    EXPECT_EQ(plays[1].slot, slot_music_bye);
    EXPECT_EQ(plays[2].slot, slot_music_introduction);
}

TEST_F(shell_game_flow, a_hard_run_shows_the_score_plus_the_epilogue_bonus) {
    std::vector<int> final_digits;
    on_flip = [&](SDL_Surface* s, int frame) {
        if (fake::shown_slot(s) == slot_cleared && final_digits.empty())
            final_digits = fake::shown_digits(s);
        player.on_flip(s, frame);
    };
    fake::level_script = {fake::cleared(100), fake::cleared(200), fake::cleared(300),
                          fake::cleared(400), fake::cleared(500), fake::cleared(30000),
                          fake::cleared(1234)};
    std::vector<player_move> moves{{slot_titre, 2, SDLK_RETURN}};
    for (int i = 0; i < 3; ++i) moves.push_back({slot_practice + i, 0, SDLK_RIGHT});
    moves.push_back({slot_hard, 2, SDLK_RETURN});
    moves.push_back({slot_cleared, 11, SDLK_RETURN});
    moves.push_back({slot_thanks, 11, SDLK_RETURN});
    moves.push_back({slot_end, 11, SDLK_RETURN});
    moves.push_back({slot_titre, 2, SDLK_ESCAPE});
    play(moves);
    EXPECT_EQ(fake::levels_played(), (std::vector<int>{1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(fake::level_calls[0].difficulty, difficulty_hard);
    EXPECT_EQ(fake::level_calls[6].incoming_score, 30000);
    EXPECT_EQ(final_digits, (std::vector<int>{3, 1, 2, 3, 4}));
}

TEST_F(shell_game_flow, a_quit_level_goes_straight_back_to_the_title) {
    fake::level_script = {fake::cleared(500), fake::quit()};
    play({{slot_titre, 2, SDLK_RETURN},
          {slot_practice, 2, SDLK_RETURN},
          {slot_titre, 2, SDLK_ESCAPE}});
    EXPECT_EQ(fake::levels_played(), (std::vector<int>{1, 2}));
    EXPECT_EQ(count(shown, slot_cleared), 0);
    EXPECT_EQ(fake::count_calls(sim_call::music_play, slot_music_introduction), 2);
    EXPECT_EQ(fake::count_calls(sim_call::music_play, slot_music_bye), 0);
}

TEST_F(shell_game_flow, declining_to_continue_ends_the_run_without_end_screens) {
    fake::level_script = {fake::lost()};
    play({{slot_titre, 2, SDLK_RETURN},
          {slot_practice, 2, SDLK_RETURN},
          {slot_continue1, 0, SDLK_RIGHT},
          {slot_continue2, 0, SDLK_RETURN},
          {slot_titre, 2, SDLK_ESCAPE}});
    EXPECT_EQ(fake::levels_played(), std::vector<int>{1});
    EXPECT_EQ(count(shown, slot_cleared), 0);
    EXPECT_EQ(count(shown, slot_loading), 0);
}

TEST_F(shell_game_flow, intro_once_and_the_score_reset_at_every_title) {
    // First run: Level 1 cleared with 5000, Level 2 lost and given up; the
    // second run's Level 1 must still start from 0.
    fake::level_script = {fake::cleared(5000), fake::lost(), fake::quit()};
    play({{slot_titre, 2, SDLK_RETURN},
          {slot_practice, 2, SDLK_RETURN},
          {slot_continue1, 0, SDLK_RIGHT},
          {slot_continue2, 0, SDLK_RETURN},
          {slot_titre, 2, SDLK_RETURN},
          {slot_practice, 2, SDLK_RETURN},
          {slot_titre, 2, SDLK_ESCAPE}});
    EXPECT_EQ(fake::levels_played(), (std::vector<int>{1, 2, 1}));
    EXPECT_EQ(fake::level_calls[1].incoming_score, 5000);
    EXPECT_EQ(fake::level_calls[2].incoming_score, 0);
    EXPECT_EQ(count(shown, slot_programmer), 12);
    EXPECT_EQ(count(shown, slot_keyboard), 12);
}

TEST_F(shell_game_flow, the_game_without_levels_ends_a_run_at_once_on_try_again) {
    levels = fake::no_levels();
    play({{slot_titre, 2, SDLK_RETURN},
          {slot_practice, 2, SDLK_RETURN},
          {slot_cleared, 11, SDLK_RETURN},
          {slot_try_again, 11, SDLK_RETURN},
          {slot_titre, 2, SDLK_ESCAPE}});
    EXPECT_EQ(count(shown, slot_loading), 0);
    EXPECT_EQ(shown.back(), slot_sojiro_bye);
}

} // namespace
