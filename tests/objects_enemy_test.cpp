#include "object_fixtures.h"

#include "objects/enemy.h"
#include "support/rect_random.h"

namespace {

struct enemy_test : object_test {
    enemy* make(int x, int y, const char* tag = "DIABLE", int hp = 10, int entry = 0, int hold = 0,
                int final_mode = final_once) {
        enemy_setup setup = enemy_setup_of(make_rect(x, y, 40, 40), tag, nullptr);
        setup.hit_points = hp;
        setup.shot_capacity = 20;
        setup.explosion_w = setup.explosion_h = 64;
        setup.reach_x = setup.reach_y = 10;
        setup.starts_with_entry = entry;
        setup.hold_main = hold;
        setup.final_mode = final_mode;
        return new_enemy(setup);
    }
    shot* bullet() { return new_shot(make_rect(15, 26, 8, 8), nullptr, shot_main, 0, 3); }
};

TEST_F(enemy_test, a_step_fires_on_its_first_frame_after_the_move_and_sounds_once) {
    enemy* e = make(300, 100);
    int fake_sound = 0;
    auto* sound = reinterpret_cast<Mix_Chunk*>(&fake_sound);
    add_step(e, new_firing_step_sound(2, 0, 10, {bullet(), bullet(), bullet()}, sound), main_path);
    run_script(e);
    EXPECT_EQ(e->ship->rect.x, 302);
    EXPECT_EQ(e->ship->shot_count, 3);
    EXPECT_EQ(e->ship->shots[0]->rect.x, 317); // offset from the position after the move
    for (int i = 0; i < 9; ++i) run_script(e);
    EXPECT_EQ(e->ship->shot_count, 3);
    ASSERT_EQ(sim_sound_log().size(), 1u);
    EXPECT_EQ(sim_sound_log()[0].channel, 3);
    EXPECT_EQ(sim_sound_log()[0].asset, sound);
}

TEST_F(enemy_test, one_frame_steps_never_fire_and_zero_frame_steps_never_end) {
    enemy* e = make(300, 100);
    add_step(e, new_firing_step(0, 1, 1, {bullet()}), main_path);
    add_step(e, new_firing_step(1, 0, 0, {bullet()}), main_path);
    run_script(e);
    EXPECT_EQ(e->ship->shot_count, 0);
    EXPECT_EQ(e->step_index, 1);
    for (int i = 0; i < 50; ++i) run_script(e);
    EXPECT_EQ(e->ship->shot_count, 1); // fired once, on its first frame
    EXPECT_EQ(e->step_index, 1);
    EXPECT_EQ(e->ship->rect.x, 350);
}

TEST_F(enemy_test, ten_templates_all_fire_and_an_eleventh_is_not_kept) {
    enemy* e = make(300, 100);
    std::vector<shot*> eleven;
    for (int i = 0; i < 11; ++i) eleven.push_back(bullet());
    move_step* step = new_firing_step(0, 0, 5, eleven);
    EXPECT_NE(step->templates[9], nullptr);
    add_step(e, step, main_path);
    EXPECT_EQ(e->step_index, 0);
    run_script(e);
    EXPECT_EQ(e->ship->shot_count, 10);
    // A list with a null in it stops there.
    enemy* f = make(300, 100);
    add_step(f, new_firing_step(0, 0, 5, {bullet(), nullptr, bullet()}), main_path);
    run_script(f);
    EXPECT_EQ(f->ship->shot_count, 1);
}

TEST_F(enemy_test, entry_then_main_then_final_once) {
    enemy* e = make(300, 100, "DIABLE", 10, 1, 0, final_once);
    add_step(e, new_step(1, 0, 2), entry_path);
    add_step(e, new_step(0, 1, 2), main_path);
    add_step(e, new_step(0, 0, 10), final_path);
    EXPECT_EQ(e->on_entry, 1);
    EXPECT_EQ(e->on_main, 0);
    run_script(e);
    run_script(e);
    EXPECT_EQ(e->on_main, 1);
    EXPECT_EQ(e->on_entry, 0);
    run_script(e);
    run_script(e);
    EXPECT_EQ(e->on_final, 1);
    EXPECT_EQ(e->on_main, 1); // stays set while the final path runs
    EXPECT_EQ(e->ship->rect.x, 302);
    EXPECT_EQ(e->ship->rect.y, 102);
    for (int i = 0; i < 9; ++i) run_script(e);
    EXPECT_EQ(e->final_mode, final_once);
    run_script(e);
    EXPECT_EQ(e->final_mode, final_ended);
}

TEST_F(enemy_test, final_mode_repeat_restarts_the_final_path) {
    enemy* e = make(300, 100, "DIABLE", 10, 0, 0, final_repeat);
    add_step(e, new_step(0, 1, 1), main_path);
    add_step(e, new_step(0, 0, 10), final_path);
    for (int i = 0; i < 1 + 35; ++i) run_script(e);
    EXPECT_EQ(e->final_mode, final_repeat);
    EXPECT_EQ(e->on_final, 1);
    EXPECT_EQ(e->step_index, 0);
    EXPECT_EQ(e->step_frame, 5);
}

TEST_F(enemy_test, a_boss_leaves_its_main_path_only_at_the_end_of_a_pass_at_or_below_half) {
    enemy* boss = make(300, 100, "BOSS", 750, 0, 1, final_repeat);
    EXPECT_EQ(boss->half_hit_points, 375);
    add_step(boss, new_step(0, 0, 3), main_path);
    add_step(boss, new_step(1, 0, 1), final_path);
    boss->ship->hit_points = 376;
    for (int i = 0; i < 3; ++i) run_script(boss);
    EXPECT_EQ(boss->on_final, 0); // repeats the main path
    run_script(boss);
    boss->ship->hit_points = 375; // in the middle of a pass: it finishes the pass
    run_script(boss);
    EXPECT_EQ(boss->on_final, 0);
    run_script(boss);
    EXPECT_EQ(boss->on_final, 1);

    enemy* devil = make(300, 100, "DIABLE", 750, 0, 1, final_repeat);
    add_step(devil, new_step(0, 0, 3), main_path);
    add_step(devil, new_step(1, 0, 1), final_path);
    devil->ship->hit_points = 1;
    for (int i = 0; i < 30; ++i) run_script(devil);
    EXPECT_EQ(devil->on_final, 0); // not a boss: the main path repeats whatever its hit points
}

TEST_F(enemy_test, off_screen_after_the_move_marks_the_enemy_gone) {
    enemy* e = make(1, 100);
    add_step(e, new_step(-1, 0, 5), main_path);
    run_script(e);
    EXPECT_EQ(e->ship->rect.x, 0);
    EXPECT_EQ(e->ship->explosion_frame, e->ship->explosion_frames + 1);

    enemy* from_top = make(300, -41);
    add_step(from_top, new_step(0, 1, 5), main_path);
    run_script(from_top); // y + h = -1 + 40 >= 0: on screen
    EXPECT_EQ(from_top->ship->explosion_frame, 0);
    enemy* too_high = make(300, -42);
    add_step(too_high, new_step(0, 1, 5), main_path);
    run_script(too_high);
    EXPECT_GT(too_high->ship->explosion_frame, 0);
}

TEST_F(enemy_test, an_empty_path_does_nothing_and_a_full_path_takes_no_more_steps) {
    enemy* idle = make(0, 0); // off screen, but with no step nothing is tested
    run_script(idle);
    EXPECT_EQ(idle->ship->explosion_frame, 0);
    EXPECT_EQ(idle->ship->rect.x, 0);

    enemy* e = make(300, 100);
    move_step* step = new_step(0, 0, 1);
    for (int i = 0; i < path_capacity; ++i) add_step(e, step, main_path);
    move_step* extra = new_step(5, 5, 1);
    add_step(e, extra, main_path);
    for (const move_step* s : e->main_path) EXPECT_NE(s, extra);
}

TEST_F(enemy_test, steps_shared_between_enemies_keep_progress_apart) {
    move_step* shared = new_step(1, 0, 4);
    enemy* a = make(100, 100);
    enemy* b = make(200, 100);
    add_step(a, shared, main_path);
    add_step(b, shared, main_path);
    run_script(a);
    run_script(a);
    run_script(b);
    EXPECT_EQ(a->step_frame, 2);
    EXPECT_EQ(b->step_frame, 1);
}

TEST_F(enemy_test, animation_flash_and_explosion_drawing) {
    SDL_Surface* one = picture(40, 40, {200, 0, 0});
    SDL_Surface* two = picture(40, 40, {0, 200, 0});
    SDL_Surface* white = picture(40, 40, {250, 250, 250});
    enemy_setup setup = enemy_setup_of(make_rect(300, 100, 40, 40), "FEE", one);
    setup.shot_capacity = 5;
    setup.explosion_picture = nullptr;
    setup.explosion_frames = 2;
    setup.explosion_w = setup.explosion_h = 64;
    setup.reach_x = setup.reach_y = 10;
    enemy* e = new_enemy(setup);
    set_second_frame(e, two);
    set_flash_pictures(e, white);
    set_enemy_anim(e, 3, 6);
    std::string seen;
    for (int frame = 0; frame < 9; ++frame) {
        if (frame == 4) e->flash = 1;
        draw_enemy(e, screen);
        const colour3 c = pixel_at(screen, 310, 110);
        seen += c == colour3{200, 0, 0} ? '1' : c == colour3{0, 200, 0} ? '2' : 'F';
    }
    EXPECT_EQ(seen, "1112F2221"); // the flash frame leaves the counter alone

    // Two-frame strip of 64x64: frame 1 red, frame 2 blue, centred on the body.
    SDL_Surface* strip =
        SDL_CreateRGBSurface(SDL_SWSURFACE, 128, 64, 32, 0xff0000, 0xff00, 0xff, 0);
    owned.push_back(strip);
    SDL_Rect left{0, 0, 64, 64}, right{64, 0, 64, 64};
    SDL_FillRect(strip, &left, SDL_MapRGB(strip->format, 255, 0, 0));
    SDL_FillRect(strip, &right, SDL_MapRGB(strip->format, 0, 0, 255));
    set_enemy_explosion(e, strip);
    e->ship->explosion_frame = 1;
    e->ship->explosion_tick = platform_ticks();
    clear_screen();
    draw_enemy(e, screen);
    EXPECT_EQ(pixel_at(screen, 300 + 20 - 32, 100 + 20 - 32), (colour3{255, 0, 0}));
    EXPECT_EQ(pixel_at(screen, 300 + 20 - 33, 100 + 20 - 32), (colour3{0, 0, 0}));
    platform_delay(51);
    draw_enemy(e, screen); // this frame still shows frame 1, then moves on
    EXPECT_EQ(e->ship->explosion_frame, 2);
    draw_enemy(e, screen);
    EXPECT_EQ(pixel_at(screen, 300, 100), (colour3{0, 0, 255}));
    platform_delay(51);
    draw_enemy(e, screen);
    EXPECT_EQ(e->ship->explosion_frame, 3);
    clear_screen();
    draw_enemy(e, screen); // past the strip: nothing at all
    EXPECT_EQ(pixel_at(screen, 300, 100), (colour3{0, 0, 0}));
    EXPECT_EQ(pixel_at(screen, 290, 90), (colour3{0, 0, 0}));
}

} // namespace
