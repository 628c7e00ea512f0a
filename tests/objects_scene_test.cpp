#include "object_fixtures.h"

#include "objects/hud.h"
#include "objects/scene.h"
#include "support/rect_random.h"

namespace {

struct scene_test : object_test {
    scene* world = nullptr;
    ship* player = nullptr;
    SDL_Surface* gauge = nullptr;
    SDL_Surface* red = nullptr;
    SDL_Surface* blue = nullptr;
    SDL_Surface* green = nullptr;
    SDL_Surface* red_blink = nullptr;
    SDL_Surface* blue_blink = nullptr;
    SDL_Surface* green_blink = nullptr;
    SDL_Surface* hud = nullptr;
    int death_sound = 0;

    void SetUp() override {
        object_test::SetUp();
        gauge = picture(377, 198, {90, 90, 90});
        red = picture(377, 198, {200, 0, 0});
        blue = picture(377, 198, {0, 0, 200});
        green = picture(377, 198, {0, 200, 0});
        red_blink = picture(377, 198, {255, 90, 90});
        blue_blink = picture(377, 198, {90, 90, 255});
        green_blink = picture(377, 198, {90, 255, 90});
        hud = picture(1, 1, {1, 1, 1});
        player = new_ship(make_rect(300, 400, 37, 32), 3, 50, picture(37, 32, {0, 255, 255}), 0,
                          picture(416, 30, {255, 128, 0}), 13, 100, 3, 3);
        world =
            new_scene(player, 1000, platform_ticks(), gauge, gauge, picture(40, 20, {10, 10, 10}),
                      picture(18, 22, {255, 255, 255}), picture(18, 22, {128, 128, 128}));
        set_gauge_pictures(world, red, blue, green, red_blink, blue_blink, green_blink);
    }
    void TearDown() override {
        free_scene(world);
        object_test::TearDown();
    }

    enemy* make(int x, int y, int hp, int spawn_ms = 0, const char* tag = "DIABLE", int colour = 1,
                int score = 10) {
        enemy_setup setup =
            enemy_setup_of(make_rect(x, y, 40, 40), tag, picture(40, 40, {0, 0, 120}));
        setup.hit_points = hp;
        setup.colour = colour;
        setup.explosion_picture = picture(32 * 16, 32, {200, 200, 0});
        setup.spawn_ms = spawn_ms;
        setup.score_value = score;
        enemy* e = new_enemy(setup);
        add_step(e, new_step(0, 0, 0), main_path); // stands still for good
        set_enemy_hit_sound(e, reinterpret_cast<Mix_Chunk*>(&death_sound));
        return e;
    }
    // Queues in the order given (earliest first), as levels do by queueing
    // from the last to the first.
    void queue(std::initializer_list<enemy*> earliest_first) {
        std::vector<enemy*> order(earliest_first);
        for (auto it = order.rbegin(); it != order.rend(); ++it) queue_enemy(world, *it);
    }
    void player_shot_at(int x, int y, int kind) {
        fire_template(player, new_shot(make_rect(x - player->rect.x, y - player->rect.y, 8, 8),
                                       picture(8, 8, {255, 255, 0}), kind, 0, 0));
    }
    void frame() { update_scene(world, hud, make_rect(0, 0, 640, 480), screen); }
};

TEST_F(scene_test, enemies_spawn_on_time_in_queue_order_and_a_later_one_blocks) {
    enemy* a = make(200, 100, 2, 5000);
    enemy* b = make(250, 100, 2, 5000);
    enemy* c = make(300, 100, 2, 5000);
    enemy* late = make(350, 100, 2, 9000);
    enemy* blocked = make(400, 100, 2, 6000);
    queue({a, b, c, late, blocked});
    platform_delay(4999);
    frame();
    EXPECT_EQ(world->live_count, 0);
    platform_delay(1);
    frame();
    EXPECT_EQ(world->live_count, 3);
    EXPECT_EQ(world->enemies[0], a);
    EXPECT_EQ(world->enemies[1], b);
    EXPECT_EQ(world->enemies[2], c);
    platform_delay(2000); // 7000: "blocked" is due but waits behind "late"
    frame();
    EXPECT_EQ(world->next_slot, 3);
    platform_delay(2000);
    frame();
    EXPECT_EQ(world->next_slot, 5);
    EXPECT_EQ(world->enemies[4], blocked);
}

TEST_F(scene_test, a_full_enemy_table_keeps_the_rest_queued) {
    scene* small = new_scene(player, 2, platform_ticks(), gauge, gauge, nullptr, nullptr, nullptr);
    enemy* a = make(200, 100, 2);
    enemy* b = make(250, 100, 2);
    enemy* c = make(300, 100, 2);
    queue_enemy(small, c);
    queue_enemy(small, b);
    queue_enemy(small, a);
    update_scene(small, hud, make_rect(0, 0, 640, 480), screen);
    EXPECT_EQ(small->next_slot, 2);
    EXPECT_EQ(small->live_count, 2);
    EXPECT_EQ(value_list(small->pending), c);
    free_scene(small);
}

TEST_F(scene_test, a_kill_by_a_plain_shot_scores_and_the_shot_flies_on) {
    enemy* e = make(300, 100, 2, 0, "DIABLE", 1, 10);
    queue({e});
    player_shot_at(316, 116, shot_main);
    frame();
    EXPECT_LE(e->ship->hit_points, 0);
    EXPECT_EQ(world->score, 10);
    EXPECT_EQ(world->kills, 1);
    EXPECT_EQ(world->gauge_level, 0);
    EXPECT_EQ(world->gauge_colour, gauge_none);
    EXPECT_EQ(player->shot_count, 1); // the killing shot stays in flight
    EXPECT_EQ(e->ship->explosion_frame, 1);
    ASSERT_EQ(sim_sound_log().size(), 1u);
    EXPECT_EQ(sim_sound_log()[0].channel, 5);
}

TEST_F(scene_test, a_powered_kill_scores_double_and_takes_the_gauge_colour_but_not_on_a_boss) {
    enemy* e = make(200, 100, 4, 0, "DIABLE", 1, 10);
    SDL_Surface* alt = picture(32 * 16, 32, {0, 50, 250});
    set_enemy_alt_explosion(e, alt);
    enemy* boss = make(400, 100, 2, 0, "BOSS", 0, 500);
    queue({e, boss});
    world->gauge_level = 11;
    player_shot_at(216, 116, shot_main_a);
    player_shot_at(416, 116, shot_side_a);
    frame();
    EXPECT_EQ(world->score, 20 + 500);
    EXPECT_EQ(world->gauge_colour, gauge_blue);
    EXPECT_EQ(world->gauge_picture, blue);
    EXPECT_EQ(world->gauge_blink_picture, blue_blink);
    EXPECT_EQ(world->gauge_level, 12);
    EXPECT_EQ(e->ship->explosion_picture, alt);
    EXPECT_NE(boss->ship->explosion_picture, alt);
    EXPECT_EQ(world->kills, 2);

    enemy* again = make(300, 200, 1, 0, "DIABLE", 2, 10);
    world->pending = nullptr;
    queue({again});
    player_shot_at(316, 216, shot_main_a);
    frame();
    EXPECT_EQ(world->gauge_level, 12); // never above full
    EXPECT_EQ(world->gauge_colour, gauge_green);
}

TEST_F(scene_test, damage_by_kind_and_the_flash_of_a_survivor) {
    enemy* e = make(300, 100, 5);
    queue({e});
    player_shot_at(316, 116, shot_side);
    frame();
    EXPECT_EQ(e->ship->hit_points, 4);
    EXPECT_EQ(player->shot_count, 0); // a shot that does not kill is used up
    EXPECT_EQ(e->flash, 0);           // set by the hit, cleared by this frame's draw
    EXPECT_EQ(world->score, 0);
    player_shot_at(316, 116, shot_super);
    frame();
    EXPECT_EQ(e->ship->hit_points, -6);
    EXPECT_EQ(world->kills, 1);
}

TEST_F(scene_test, only_the_first_overlapping_shot_hits_an_enemy_each_frame) {
    enemy* e = make(300, 100, 10);
    queue({e});
    player_shot_at(316, 116, shot_main);
    player_shot_at(318, 118, shot_main);
    frame();
    EXPECT_EQ(e->ship->hit_points, 8);
    EXPECT_EQ(player->shot_count, 1);
}

TEST_F(scene_test, score_is_capped) {
    enemy* e = make(300, 100, 1, 0, "DIABLE", 1, 50);
    queue({e});
    world->score = score_cap - 10;
    player_shot_at(316, 116, shot_main);
    frame();
    EXPECT_EQ(world->score, 99999);
}

TEST_F(scene_test, a_hit_costs_a_life_and_makes_the_player_invulnerable) {
    player->hit_sound = reinterpret_cast<Mix_Chunk*>(&death_sound);
    enemy* e = make(300, 100, 10);
    queue({e});
    fire_template(e->ship, new_shot(make_rect(12, 300, 8, 8), nullptr, shot_main, 0, 0));
    frame(); // bullet at (312, 400): centre (316, 404) vs player (318, 416): 12 >= 4+3: no hit
    EXPECT_EQ(player->hit_points, 3);
    EXPECT_EQ(player->graze, 4); // set to 5 and counted down in the same frame
    e->ship->shots[0]->rect.y = 412;
    frame();
    EXPECT_EQ(player->hit_points, 2);
    EXPECT_EQ(player->invulnerable, 149);
    EXPECT_EQ(player->explosion_frame, 1);
    EXPECT_EQ(sim_sound_log().back().channel, 2);
    frame(); // still touching, but invulnerable: nothing more, and no graze either
    EXPECT_EQ(player->hit_points, 2);
    EXPECT_EQ(player->invulnerable, 148);
}

TEST_F(scene_test, graze_counts_down_to_zero_by_the_end_of_the_fifth_frame) {
    enemy* e = make(300, 100, 10);
    queue({e});
    fire_template(e->ship, new_shot(make_rect(0, 0, 8, 8), nullptr, shot_main, 0, 0));
    // Bullet centre 18 px right of the player's centre (318, 416).
    e->ship->shots[0]->rect = make_rect(318 + 18 - 4, 416 - 4, 8, 8);
    frame();
    EXPECT_EQ(player->hit_points, 3);
    EXPECT_EQ(player->graze, 4);
    e->ship->shots[0]->rect = make_rect(100, 100, 8, 8); // far away now (and removed)
    for (int i = 0; i < 4; ++i) frame();
    EXPECT_EQ(player->graze, 0);
}

TEST_F(scene_test, a_body_collision_hits_only_while_the_enemy_is_intact) {
    enemy* e = make(300, 400, 1);
    queue({e});
    e->ship->hit_points = 0; // already destroyed
    frame();
    EXPECT_EQ(player->hit_points, 3);
    e->ship->hit_points = 5;
    frame();
    EXPECT_EQ(player->hit_points, 2);
}

TEST_F(scene_test, gone_enemies_stay_while_their_bullets_fly) {
    enemy* e = make(300, 100, 1);
    queue({e});
    fire_template(e->ship, new_shot(make_rect(0, 0, 8, 8), nullptr, shot_main, 0, 100));
    e->ship->explosion_frame = e->ship->explosion_frames + 1; // gone
    frame();
    EXPECT_EQ(world->live_count, 1); // bullet still in flight (now at y 200)
    frame();                         // y 300
    frame();                         // y 400 (it hits the player on the way: fine)
    frame();                         // y 500
    frame();                         // removed
    EXPECT_EQ(e->ship->shot_count, 0);
    frame();
    EXPECT_EQ(world->live_count, 0);
    EXPECT_EQ(world->enemies[0], nullptr);
}

TEST_F(scene_test, update_scene_allocates_nothing_per_frame) {
    enemy* e = make(300, 100, 100000, 0, "BOSS");
    shot* tmpl = new_shot(make_rect(10, 10, 8, 8), nullptr, shot_main, 0, 20);
    e->main_path[0] = new_firing_step(0, 0, 2, {tmpl, tmpl, tmpl});
    queue({e});
    shot* gun = new_shot(make_rect(0, -50, 8, 8), picture(8, 8, {255, 255, 0}), shot_main, 0, -20);
    for (int i = 0; i < 100; ++i) { // every slot has held a shot once
        fire_template(player, gun);
        frame();
    }
    const size_t bytes = tracked_bytes();
    for (int i = 0; i < 5000; ++i) {
        fire_template(player, gun);
        frame();
        platform_delay(13);
    }
    EXPECT_EQ(tracked_bytes(), bytes);
}

} // namespace
