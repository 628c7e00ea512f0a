// Level 4, the lava field: ghosts, long planes with falling arrows, three
// stars circling in triangles, bidules, lava balls, and a two-gunned boss
// that turns its fan from one side to the other.
#include "engine/level_engine.h"
#include "levels/level_kit.h"
#include "levels/levels.h"
#include "levels/shared_kinds.h"
#include "support/rect_random.h"

namespace {

constexpr enemy_kind plane{.tag = "DIABLE",
                           .picture = slot_forest_plane2,
                           .second_picture = slot_forest_plane1c,
                           .flash_picture = slot_forest_plane1b,
                           .size = {124, 37},
                           .hit_points = 5,
                           .shot_slots = 6,
                           .colour = 0,
                           .explosion = {slot_explosion1, 16, 25, 64, 64},
                           .reach = {46, 2},
                           .score = 10,
                           .alt_explosion = slot_explosion7};

constexpr enemy_kind arrow{.tag = "Fleche",
                           .picture = slot_lave_fleche1,
                           .second_picture = slot_lave_fleche2,
                           .size = {30, 24},
                           .hit_points = 4,
                           .shot_slots = 1,
                           .colour = 0,
                           .explosion = {slot_explosion2, 16, 25, 32, 32},
                           .reach = {12, 10},
                           .score = 5,
                           .alt_explosion = slot_explosion5};

// The three stars differ only by tag.
constexpr enemy_kind star{.tag = "Mouche",
                          .picture = slot_lave_etoile1,
                          .second_picture = slot_lave_etoile2,
                          .flash_picture = slot_lave_etoile_flash,
                          .size = {136, 80},
                          .hit_points = 350,
                          .shot_slots = 500,
                          .colour = 0,
                          .explosion = {slot_explosion1, 16, 45, 64, 64},
                          .reach = {55, 30},
                          .score = 500,
                          .anim_switch = 3,
                          .anim_period = 6};

constexpr enemy_kind bidule{.tag = "bidule",
                            .picture = slot_lave_bidule1,
                            .second_picture = slot_lave_bidule2,
                            .size = {48, 47},
                            .hit_points = 4,
                            .shot_slots = 1,
                            .colour = 0,
                            .explosion = {slot_explosion2, 16, 25, 32, 32},
                            .reach = {20, 20},
                            .score = 5,
                            .alt_explosion = slot_explosion5};

// Balls from the right take 15 hit points, those from the left 5.
constexpr enemy_kind ball{.tag = "ROUE1",
                          .picture = slot_lave_boule1,
                          .second_picture = slot_lave_boule2,
                          .flash_picture = slot_lave_boule_flash,
                          .size = {30, 30},
                          .hit_points = 15,
                          .shot_slots = 500,
                          .colour = 0,
                          .explosion = {slot_explosion2, 16, 40, 32, 32},
                          .reach = {12, 12},
                          .score = 50,
                          .alt_explosion = slot_explosion5};

constexpr enemy_kind lava_boss{.tag = "BOSS",
                               .picture = slot_lave_boss1,
                               .second_picture = slot_lave_boss2,
                               .flash_picture = slot_lave_boss_flash,
                               .size = {314, 344},
                               .hit_points = 1000,
                               .shot_slots = 500,
                               .colour = 0,
                               .explosion = {slot_explosion_boss1, 16, 60, 192, 192},
                               .reach = {81, 30},
                               .score = 3000,
                               .hold_main = 1,
                               .final_mode = final_repeat,
                               .anim_switch = 3,
                               .anim_period = 6};

// The boss's fan turns through S(-9) to S(9).
constexpr int sweep_reach = 9;
constexpr int sweep_patterns = 2 * sweep_reach + 1;

struct level_4_kit {
    level_kit base;
    shot_pattern ghost_fan, plane_guns, star_spray, ball_cross;
    shot_pattern boss_sweep[sweep_patterns]; // S(a) at a + sweep_reach
    shot_pattern boss_cross_3, boss_drift, boss_cross_5;
};

// Both guns of the boss fire the same four velocities, the right gun first.
constexpr int right_gun_x = 256, left_gun_x = 42, guns_y = 153;

shot_pattern both_guns(const bullet_look& look, const int (&speeds)[4][2], double accel_y = 1.0) {
    shot_pattern pattern{};
    for (int gun_x : {right_gun_x, left_gun_x})
        for (const auto& v : speeds)
            add_template(pattern, accelerating_bullet(look, {.from = {gun_x, guns_y},
                                                             .speed = {v[0], v[1]},
                                                             .accel = {1.0, accel_y}}));
    return pattern;
}

level_4_kit make_kit(const asset_table& assets) {
    const bullet_looks b = catalogue_bullets(assets);
    level_4_kit kit{};
    kit.base = make_level_kit(assets);
    kit.ghost_fan = ghost_fan(b.small_red);
    kit.plane_guns = make_pattern({bullet(b.small_red, {.from = {39, 16}, .speed = {1, 3}}),
                                   bullet(b.small_red, {.from = {39, 16}, .speed = {-1, 3}}),
                                   bullet(b.small_red, {.from = {57, 9}, .speed = {1, 3}}),
                                   bullet(b.small_red, {.from = {57, 9}, .speed = {-1, 3}}),
                                   bullet(b.small_red, {.from = {77, 16}, .speed = {1, 3}}),
                                   bullet(b.small_red, {.from = {77, 16}, .speed = {-1, 3}})});
    // Star bullets speed up as they go.
    constexpr double spray_accel = 1.008;
    auto spray = [&](int x, int speed_x) {
        return accelerating_bullet(
            b.small_red,
            {.from = {x, 36}, .speed = {speed_x, 1}, .accel = {spray_accel, spray_accel}});
    };
    kit.star_spray = make_pattern(
        {spray(51, 0), spray(51, 1), spray(51, -1), spray(77, 0), spray(77, 1), spray(77, -1)});
    kit.ball_cross = make_pattern({bullet(b.small_red, {.from = {11, 11}, .speed = {2, 2}}),
                                   bullet(b.small_red, {.from = {11, 11}, .speed = {-2, 2}}),
                                   bullet(b.small_red, {.from = {11, 11}, .speed = {2, -2}}),
                                   bullet(b.small_red, {.from = {11, 11}, .speed = {-2, -2}})});

    // S(a): red from the right gun, blue of kind 1 from the left.
    for (int a = -sweep_reach; a <= sweep_reach; ++a) {
        shot_pattern& s = kit.boss_sweep[a + sweep_reach];
        const int speeds[4][2] = {{a, 4}, {a, -4}, {4, a}, {-4, a}};
        for (const auto& v : speeds)
            add_template(
                s, bullet(b.large_red, {.from = {right_gun_x, guns_y}, .speed = {v[0], v[1]}}, 0));
        for (const auto& v : speeds)
            add_template(
                s, bullet(b.large_blue, {.from = {left_gun_x, guns_y}, .speed = {v[0], v[1]}}, 1));
    }
    kit.boss_cross_3 = both_guns(b.large_red, {{3, 3}, {-3, 3}, {3, -3}, {-3, -3}});
    // Drift bullets slowly gain vertical speed.
    kit.boss_drift = both_guns(b.large_red, {{1, 1}, {-1, 1}, {-1, -1}, {1, -1}}, 1.01);
    kit.boss_cross_5 = both_guns(b.large_blue, {{5, 5}, {-5, 5}, {5, -5}, {-5, -5}});
    return kit;
}

// Arrows fall from the top in six lanes of 55 pixels; they never fire.
enemy* new_arrow(int j, const asset_table& assets, int spawn_ms) {
    const int x_draw = random_below(55);
    enemy* e = new_enemy_of(arrow, assets, 138 + 55 * j + x_draw, 0, spawn_ms);
    add_move(e, entry_path, 0, 4, 50);
    add_move(e, main_path, 0, 4, 500);
    return e;
}

// A leg of a star's triangle: `units` times a volley while moving 2 frames,
// then 8 more frames of the same motion, so one volley every 10 frames.
struct star_leg {
    int dx, dy, units;
};

enemy* new_star(const level_4_kit& kit, const char* tag, int x, int y) {
    enemy_kind kind = star;
    kind.tag = tag;
    return new_enemy_of(kit.base, kind, x, y, 48000);
}

// Five laps of the triangle, then a pause and out to the side.
void add_laps_and_exit(const level_4_kit& kit, enemy* e, const star_leg (&lap)[3], int out_dx) {
    move_step* firing[3];
    move_step* gliding[3];
    for (int leg = 0; leg < 3; ++leg) {
        firing[leg] = fire_step(kit.base, kit.star_spray, 2, lap[leg].dx, lap[leg].dy);
        gliding[leg] = new_step(lap[leg].dx, lap[leg].dy, 8);
    }
    for (int round = 0; round < 5; ++round)
        for (int leg = 0; leg < 3; ++leg)
            for (int unit = 0; unit < lap[leg].units; ++unit) {
                add_step(e, firing[leg], main_path);
                add_step(e, gliding[leg], main_path);
            }
    add_move(e, final_path, 0, 0, 10);
    add_move(e, final_path, out_dx, 0, 100);
}

// The three stars: the first enters at the top right, the second lower down
// on the right, the third on the left.
struct stars {
    enemy* top_right;
    enemy* lower_right;
    enemy* lower_left;
};

stars new_stars(const level_4_kit& kit) {
    stars s{};
    s.top_right = new_star(kit, "Mouche", 503, 5);
    add_move(s.top_right, entry_path, -4, 0, 63);
    add_move(s.top_right, entry_path, 0, 0, 10);
    add_laps_and_exit(kit, s.top_right, {{-2, 2, 5}, {2, 0, 10}, {-2, -2, 5}}, -4);

    s.lower_right = new_star(kit, "mouche1", 603, 205);
    add_move(s.lower_right, entry_path, -4, 0, 63);
    add_move(s.lower_right, entry_path, 0, 0, 10);
    add_laps_and_exit(kit, s.lower_right, {{-2, -2, 5}, {-2, 2, 5}, {2, 0, 10}}, 4);

    // Starts at x 1, just inside the screen's left edge.
    s.lower_left = new_star(kit, "mouche2", 1, 205);
    add_move(s.lower_left, entry_path, 4, 0, 37);
    add_move(s.lower_left, entry_path, 0, 0, 26);
    add_move(s.lower_left, entry_path, 0, 0, 10);
    add_laps_and_exit(kit, s.lower_left, {{2, 0, 10}, {-2, -2, 5}, {-2, 2, 5}}, -4);
    return s;
}

// A bidule drops, then veers right or left on a coin; it never fires.
enemy* new_bidule(int j, const asset_table& assets, int spawn_ms) {
    const int coin = random_below(2);
    const int x_draw = random_below(55);
    enemy* e = new_enemy_of(bidule, assets, 138 + 55 * j + x_draw, 0, spawn_ms);
    add_move(e, entry_path, 0, 6, 50);
    add_move(e, entry_path, coin == 0 ? 3 : -3, 3, 500);
    return e;
}

// A ball rolls in 10 + 9 n frames, fires twenty crosses and rolls back out.
enemy* new_ball(const level_4_kit& kit, bool from_right, int spawn_ms) {
    const int n = random_below(13);
    const int y_draw = random_below(250);
    enemy_kind kind = ball;
    kind.hit_points = from_right ? 15 : 5;
    enemy* e = new_enemy_of(kit.base, kind, from_right ? 502 : 108, 20 + y_draw, spawn_ms);
    const int in = from_right ? -1 : 1;
    add_move(e, entry_path, 3 * in, 0, 10);
    add_steps(e, entry_path, new_step(3 * in, 0, 9), n);
    add_steps(e, main_path, fire_step(kit.base, kit.ball_cross, 9), 20);
    add_move(e, final_path, -5 * in, 0, 1000);
    return e;
}

// A sweep: 36 volleys two frames apart, S(9) down to S(-9) and back up to S(8).
struct sweep {
    move_step* volley[sweep_patterns]; // standing still, S(a) at a + sweep_reach
};

sweep make_sweep(const level_4_kit& kit) {
    sweep s{};
    for (int i = 0; i < sweep_patterns; ++i)
        s.volley[i] = fire_step(kit.base, kit.boss_sweep[i], 2);
    return s;
}

void add_sweep(enemy* boss, path_kind path, const sweep& s) {
    for (int a = sweep_reach; a >= -sweep_reach; --a)
        add_step(boss, s.volley[a + sweep_reach], path);
    for (int a = -sweep_reach + 1; a <= sweep_reach - 1; ++a)
        add_step(boss, s.volley[a + sweep_reach], path);
}

// One block of a boss pass; it ends where it began.
void add_boss_block(const level_4_kit& kit, enemy* boss, path_kind path, const sweep& s,
                    const shot_pattern& cross) {
    move_step* crossing = fire_step(kit.base, cross, 10);
    add_steps(boss, path, crossing, 10);
    add_move(boss, path, 0, 5, 10);
    add_steps(boss, path, crossing, 10);
    add_move(boss, path, -5, -5, 10);
    add_move(boss, path, 0, 0, 50);
    add_sweep(boss, path, s);
    add_move(boss, path, 5, 0, 20);
    add_move(boss, path, 0, 0, 50);
    add_sweep(boss, path, s);
    add_move(boss, path, -10, 0, 10);
    add_steps(boss, path, fire_step(kit.base, kit.boss_drift, 2, 5, 0), 10);
    add_steps(boss, path, fire_step(kit.base, kit.boss_drift, 2, -5, 0), 10);
    add_move(boss, path, 5, 0, 10);
}

enemy* new_boss(const level_4_kit& kit) {
    enemy* boss = new_enemy_of(kit.base, lava_boss, 603, 1, 140000);
    const sweep s = make_sweep(kit);

    add_move(boss, entry_path, -5, 0, 88); // to x 163
    add_move(boss, entry_path, 0, 0, 30);
    add_move(boss, entry_path, 0, 0, 100);
    for (int i = 0; i < 5; ++i) add_sweep(boss, entry_path, s);
    add_move(boss, entry_path, 0, 0, 50);

    for (int twice = 0; twice < 2; ++twice)
        add_boss_block(kit, boss, main_path, s, kit.boss_cross_3);
    // The second phase: the same blocks with the faster blue crosses.
    for (int twice = 0; twice < 2; ++twice)
        add_boss_block(kit, boss, final_path, s, kit.boss_cross_5);
    return boss;
}

constexpr int ghost_rows = 7, plane_rows = 18, bidule_rows = 18, ball_rows = 26;
constexpr int star_count = 3;
constexpr int enemy_total = 6 * ghost_rows + 12 * plane_rows + star_count + 6 * ghost_rows +
                            6 * bidule_rows + 2 * ball_rows + 1;
static_assert(enemy_total == 464);

level_script build_level_4(const asset_table& assets) {
    const level_4_kit kit = make_kit(assets);

    enemy* first_ghosts[ghost_rows][6];
    for (int i = 0; i < ghost_rows; ++i)
        for (int k = 0; k < 6; ++k)
            first_ghosts[i][k] =
                drifting_ghost(kit.base, side_rows, kit.ghost_fan, k, 8000 - 1000 * i);

    // Six planes, then six arrows.
    enemy* plane_rows_of[plane_rows][12];
    for (int i = 0; i < plane_rows; ++i) {
        const int spawn_ms = 44000 - 2000 * i;
        for (int k = 0; k < 6; ++k)
            plane_rows_of[i][k] =
                side_plane(kit.base, plane, side_rows_open, kit.plane_guns, k, spawn_ms, 2);
        for (int j = 0; j < 6; ++j) plane_rows_of[i][6 + j] = new_arrow(j, assets, spawn_ms);
    }

    const stars star_trio = new_stars(kit);

    enemy* second_ghosts[ghost_rows][6];
    for (int i = 0; i < ghost_rows; ++i)
        for (int k = 0; k < 6; ++k)
            second_ghosts[i][k] =
                drifting_ghost(kit.base, side_rows, kit.ghost_fan, k, 74000 - 1000 * i);

    enemy* bidules[bidule_rows][6];
    for (int i = 0; i < bidule_rows; ++i)
        for (int j = 0; j < 6; ++j) bidules[i][j] = new_bidule(j, assets, 94000 - 1000 * i);

    enemy* balls[ball_rows][2];
    for (int i = 0; i < ball_rows; ++i) {
        balls[i][0] = new_ball(kit, true, 122000 - 1000 * i);
        balls[i][1] = new_ball(kit, false, 122000 - 1000 * i);
    }

    enemy* boss = new_boss(kit);

    // Each queued enemy goes to the front: the last queued leaves first.
    queue_builder queue = make_queue_builder(enemy_total);
    queue_in_order(queue, boss);
    for (auto& row : balls)
        for (enemy* e : row) queue_in_order(queue, e);
    for (auto& row : bidules)
        for (enemy* e : row) queue_in_order(queue, e);
    for (auto& row : second_ghosts)
        for (enemy* e : row) queue_in_order(queue, e);
    queue_in_order(queue, star_trio.top_right);
    queue_in_order(queue, star_trio.lower_right);
    queue_in_order(queue, star_trio.lower_left);
    for (auto& row : plane_rows_of)
        for (enemy* e : row) queue_in_order(queue, e);
    for (auto& row : first_ghosts)
        for (enemy* e : row) queue_in_order(queue, e);
    return finish_script(boss, queue);
}

constexpr level_config level_4_config = {
    .title_card = slot_level_card_first + 3,
    .stage_music = slot_music_volcan,
    .boss_music = slot_music_boss4_5,
    .backdrop = backdrop_kind::scrolling,
    .first_picture = slot_lave,
    .second_picture = slot_lave,
    .outro_picture = slot_lave_gris,
    .third_step_from_ms = 75000,
    .warning_time = 133000,
    .boss_bar_scale = 0.07095,
    .build = build_level_4,
};

} // namespace

void play_level_4(SDL_Surface* screen, int difficulty, int incoming_score, int frame_ms,
                  game_result* result, const asset_table& assets) {
    play_level(level_4_config, screen, difficulty, incoming_score, frame_ms, result, assets);
}
