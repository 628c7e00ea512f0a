#include "engine/level_engine.h"

#include "engine/backdrop.h"
#include "engine/level_observer.h"
#include "engine/level_run.h"
#include "engine/panels.h"
#include "engine/player.h"
#include "engine/super_and_death.h"
#include "engine/timeline.h"
#include "objects/blit.h"
#include "platform/platform.h"
#include "support/rect_random.h"
#include "support/screen_geometry.h"
#include "support/tracked_memory.h"

namespace {

const level_observer* observer = nullptr;

constexpr int enemy_capacity = 1000;
constexpr int outro_frames = 1000;
constexpr int outro_invulnerable = 20000;
constexpr int outro_channel = 2;
const SDL_Rect full_screen = make_rect(0, 0, screen_width, screen_height);

struct weapons {
    gun_templates guns;
    super_bursts bursts;
};

void flip_and_pace(level_run& run) {
    platform_flip(run.screen);
    pace_frame(run.state, run.frame_ms);
}

void update_world(level_run& run) {
    update_scene(run.world, run_picture(run, run.config->hud_frame), full_screen, run.screen);
}

void set_up(level_run& run, int incoming_score) {
    const level_config& config = *run.config;
    draw_at(run_picture(run, config.title_card), run.screen, full_screen);
    platform_flip(run.screen);

    const level_script script = config.build(*run.assets);
    run.boss = script.boss;
    ship* player = new_player_ship(run);
    run.world = new_scene(player, enemy_capacity, platform_ticks(), run_picture(run, slot_barre),
                          run_picture(run, slot_barre), run_picture(run, slot_1p),
                          run_picture(run, slot_vie), run_picture(run, slot_vie));
    set_gauge_pictures(run.world, run_picture(run, slot_barre_rouge),
                       run_picture(run, slot_barre_bleu), run_picture(run, slot_barre_vert),
                       run_picture(run, slot_barre_rouge1), run_picture(run, slot_barre_bleu1),
                       run_picture(run, slot_barre_vert1));
    set_many_lives_picture(run.world, run_picture(run, slot_cheat));
    run.world->score = incoming_score;
    for (int i = 0; i < script.enemy_count; ++i) queue_enemy(run.world, script.queue_order[i]);

    prepare_backdrop(run);
    run.state.boss_bar_scale = config.boss_bar_scale;
    run.state.intro_y = 500;
    run.state.last_shot_ms = platform_ticks();

    Mix_Music* music =
        config.stage_music == no_slot ? nullptr : music_slot(*run.assets, config.stage_music);
    if (config.music_before_wait && music) platform_play_music(music);
    platform_delay(3000);
    if (!config.music_before_wait && music) platform_play_music(music);
}

void intro(level_run& run) {
    level_state& st = run.state;
    const level_config& config = *run.config;
    const bool scrolling = config.backdrop == backdrop_kind::scrolling;
    while (st.intro_y >= config.intro_stop_y) {
        if (scrolling) {
            scroll_step(run, 2);
            scroll_step(run, 2);
            draw_scrolled(run, run_picture(run, config.first_picture));
        } else {
            draw_animated(run, 3);
        }
        SDL_Surface* ship_picture =
            run_picture(run, st.flame_counter < 11 ? slot_vaisseau1 : slot_vaisseau2);
        draw_at(ship_picture, run.screen, make_rect(300, st.intro_y, 33, 45));
        st.intro_y -= 1;
        if (scrolling) draw_at(run_picture(run, config.hud_frame), run.screen, full_screen);
        platform_flip(run.screen);
        advance_flame(st);
        pace_frame(st, run.frame_ms);
    }
    run.world->start_ms = platform_ticks();
    st.flash_done = 0;
}

int default_backdrop(level_run& run, Uint32 clock) {
    const level_config& config = *run.config;
    if (config.switch_ms != never && clock >= static_cast<Uint32>(config.switch_ms))
        return config.second_picture;
    return config.first_picture;
}

void play_backdrop(level_run& run, Uint32 now) {
    const level_config& config = *run.config;
    level_state& st = run.state;
    if (config.backdrop == backdrop_kind::animated) {
        draw_animated(run, 4);
        return;
    }
    const Uint32 clock = level_clock(run, now);
    scroll_step(run, 2);
    scroll_step(run, 2);
    if (config.third_step_from_ms != never &&
        clock >= static_cast<Uint32>(config.third_step_from_ms))
        scroll_step(run, 2);
    const int slot =
        config.choose_backdrop ? config.choose_backdrop(run) : default_backdrop(run, clock);
    draw_scrolled(run, run_picture(run, slot));
    if (config.flash_picture != no_slot && config.switch_ms != never && !st.flash_done &&
        clock >= static_cast<Uint32>(config.switch_ms)) {
        st.flash_done = 1;
        draw_scrolled(run, run_picture(run, config.flash_picture));
    }
}

void read_events(level_run& run, const weapons& arms) {
    SDL_Event event;
    while (platform_poll_event(&event)) {
        if (event.type != SDL_KEYDOWN) continue; // a window close does nothing here
        if (event.key.keysym.sym == SDLK_ESCAPE) {
            run.state.escaped = 1;
            run.state.quit = 1;
        } else if (event.key.keysym.sym == SDLK_d) {
            super_attack(run, arms.bursts);
        }
    }
}

int boss_hit_points(const level_run& run) {
    const int hp = run.boss ? run.boss->ship->hit_points : 0;
    return hp < 0 ? 0 : hp;
}

// Frame steps 8 to 14 of an ordinary level: warning, boss music, boss
// display, flip and pace, end on the boss's destruction.
void boss_rules(level_run& run) {
    level_state& st = run.state;
    const level_config& config = *run.config;
    warning_timeline(run);
    if (!platform_music_playing() && st.boss_phase == boss_phase && config.boss_music != no_slot)
        platform_play_music(music_slot(*run.assets, config.boss_music));
    const int hp = boss_hit_points(run);
    if (st.boss_phase == boss_phase) draw_boss_display(run, hp);
    flip_and_pace(run);
    if (hp == 0) st.quit = 1;
    if (st.quit) platform_delay(100);
}

void play(level_run& run, const weapons& arms) {
    level_state& st = run.state;
    if (observer) observer->play_started(run, observer->context);
    while (!st.quit) {
        st.moved = 0;
        const Uint32 now = platform_ticks();
        play_backdrop(run, now);
        read_events(run, arms);
        const Uint8* keys = platform_key_state();
        if (run.world->player->explosion_frame == 0 && !st.respawning)
            steer_and_fire(run, arms.guns, keys);
        else
            explosion_and_respawn(run);
        if (st.quit) break; // Escape: no drawing, no flip
        update_world(run);
        game_over_test(run);
        if (run.config->end_of_frame)
            run.config->end_of_frame(run);
        else
            boss_rules(run);
        st.play_frame += 1;
        if (observer) observer->frame_ended(run, observer->context);
    }
}

void outro(level_run& run) {
    level_state& st = run.state;
    const level_config& config = *run.config;
    ship* player = run.world->player;
    set_invulnerable(player, outro_invulnerable);
    for (int i = 0; i < outro_frames; ++i) {
        set_picture(player,
                    run_picture(run, st.flame_counter < 11 ? slot_vaisseau1 : slot_vaisseau2));
        advance_flame(st);
        if (config.backdrop == backdrop_kind::scrolling) {
            scroll_step(run, 1);
            draw_scrolled(run, run_picture(run, config.outro_picture));
        } else {
            draw_animated(run, 4);
        }
        if (i == outro_bonus_frame) {
            if (config.outro_bonus)
                config.outro_bonus(run);
            else
                add_level_bonus(run);
        }
        update_world(run);
        if (i == outro_panel_from)
            platform_play_chunk(outro_channel, chunk_slot(*run.assets, slot_sound_cold1));
        if (i == outro_panel_open)
            platform_play_chunk(outro_channel, chunk_slot(*run.assets, slot_sound_exit_windows));
        if (i >= outro_panel_from) draw_score_panel(run, i);
        flip_and_pace(run);
    }
}

} // namespace

void set_level_observer(const level_observer* watcher) { observer = watcher; }
const level_observer* current_level_observer() { return observer; }

void play_level(const level_config& config, const level_start& start, game_result* result) {
    const asset_table& assets = *start.assets;
    level_run run{};
    run.config = &config;
    run.screen = start.screen;
    run.assets = &assets;
    run.difficulty = start.difficulty;
    run.frame_ms = start.frame_ms;
    set_up(run, start.incoming_score);
    if (config.make_own) run.level_own = config.make_own();
    const weapons arms{make_gun_templates(assets), make_super_bursts(assets)};
    intro(run);
    play(run, arms);

    level_state& st = run.state;
    if (st.lost) {
        platform_fade_out_music(1000);
        platform_delay(1000);
        result->code = result_lost;
    } else if (st.escaped) {
        platform_fade_out_music(1000);
        platform_delay(1000);
    } else {
        platform_fade_out_music(1000);
        outro(run);
        result->code = result_cleared;
        result->score = run.world->score;
    }
    if (observer) observer->level_ended(run, *result, observer->context);
    free_scene(run.world);
    release_all();
}
