#include "object_fixtures.h"

#include "objects/hud.h"
#include "objects/scene.h"
#include "support/rect_random.h"

namespace {

struct hud_test : object_test {
    scene* world = nullptr;
    ship* player = nullptr;
    SDL_Surface* strip = nullptr;
    SDL_Surface* blink = nullptr;

    // A 13-cell strip whose cell n is filled with grey level 10 * n (+ base).
    SDL_Surface* cells(int base) {
        SDL_Surface* s = picture(377, 198, {0, 0, 0});
        for (int n = 0; n < 13; ++n) {
            SDL_Rect cell = make_rect(29 * n, 0, 29, 198);
            SDL_FillRect(s, &cell, SDL_MapRGB(s->format, base + 10 * n, 0, 50));
        }
        return s;
    }

    void SetUp() override {
        object_test::SetUp();
        strip = cells(20);
        blink = cells(100);
        player = new_ship(make_rect(300, 400, 37, 32), 3, 50, picture(37, 32, {0, 255, 255}), 0,
                          nullptr, 13, 100, 3, 3);
        world = new_scene(player, 10, platform_ticks(), strip, blink, picture(40, 20, {10, 10, 10}),
                          picture(18, 22, {255, 255, 255}), picture(18, 22, {128, 128, 128}));
        set_many_lives_picture(world, picture(120, 40, {1, 2, 3}));
        set_hud_blink_counter(0);
    }
    void TearDown() override {
        free_scene(world);
        object_test::TearDown();
    }
    void frame() {
        clear_screen();
        update_scene(world, picture(1, 1, {0, 0, 0}), make_rect(0, 0, 1, 1), screen);
    }
    int gauge_shown() { return pixel_at(screen, 60, 300).r; }
    int digit_shown(int i) { return pixel_at(screen, 515 + 25 * i, 60).r - 10; }
};

TEST_F(hud_test, the_gauge_shows_its_cell_and_blinks_only_while_charged) {
    for (int i = 0; i < 45; ++i) {
        frame();
        EXPECT_EQ(gauge_shown(), 20) << "empty gauge never blinks, frame " << i;
    }
    set_hud_blink_counter(0);
    world->gauge_level = 12;
    std::string pattern;
    for (int i = 0; i < 41; ++i) {
        frame();
        pattern += gauge_shown() == 20 + 120 ? 'n' : gauge_shown() == 100 + 120 ? 'b' : '?';
    }
    EXPECT_EQ(pattern, std::string(20, 'n') + std::string(20, 'b') + "n");
}

TEST_F(hud_test, life_icons_fill_rows_of_six_and_many_lives_replace_them) {
    player->hit_points = 7;
    frame();
    EXPECT_EQ(pixel_at(screen, 110, 60), (colour3{255, 255, 255})); // 6th icon, first row
    EXPECT_EQ(pixel_at(screen, 15, 85), (colour3{255, 255, 255}));  // 7th at (10, 80)
    EXPECT_EQ(pixel_at(screen, 35, 85), (colour3{0, 0, 0}));
    player->hit_points = 24;
    frame();
    EXPECT_EQ(pixel_at(screen, 115, 135), (colour3{255, 255, 255})); // (110, 130)
    player->hit_points = 25;
    frame();
    EXPECT_EQ(pixel_at(screen, 6, 56), (colour3{1, 2, 3}));
    EXPECT_EQ(pixel_at(screen, 115, 135), (colour3{0, 0, 0}));
    player->hit_points = 0;
    frame();
    EXPECT_EQ(pixel_at(screen, 15, 60), (colour3{0, 0, 0}));
    player->hit_points = 2;
    player->colour = 3; // any colour but 0 takes the second icon
    frame();
    EXPECT_EQ(pixel_at(screen, 35, 60), (colour3{128, 128, 128}));
}

TEST_F(hud_test, score_digits_with_leading_zeros_clamped_and_hidden_in_the_epilogue) {
    world->score = 350;
    frame();
    EXPECT_EQ((std::vector<int>{digit_shown(0), digit_shown(1), digit_shown(2), digit_shown(3),
                                digit_shown(4)}),
              (std::vector<int>{0, 0, 3, 5, 0}));
    world->score = 123456; // an end-of-level bonus can pass the cap
    frame();
    for (int i = 0; i < 5; ++i) EXPECT_EQ(digit_shown(i), 9);
    world->score = -40;
    frame();
    for (int i = 0; i < 5; ++i) EXPECT_EQ(digit_shown(i), 0);
    player->colour = player_colour_epilogue;
    player->hit_points = 1000;
    frame();
    EXPECT_EQ(pixel_at(screen, 515, 60), (colour3{0, 0, 0}));
    EXPECT_EQ(pixel_at(screen, 6, 56), (colour3{1, 2, 3})); // only the many-lives picture
}

TEST_F(hud_test, the_player_is_drawn_into_its_own_rectangle_and_takes_the_clipped_size) {
    player->rect = make_rect(620, 400, 37, 32);
    frame();
    EXPECT_EQ(player->rect.w, 20);
    EXPECT_EQ(pixel_at(screen, 630, 410), (colour3{0, 255, 255}));
}

} // namespace
