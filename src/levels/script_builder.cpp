#include "levels/script_builder.h"

#include "support/builder_check.h"
#include "support/rect_random.h"
#include "support/tracked_memory.h"

void add_template(shot_pattern& pattern, shot* t) {
    builder_check(pattern.count < step_template_capacity, "a shot pattern holds ten templates");
    pattern.templates[pattern.count++] = t;
}

shot_pattern make_pattern(std::initializer_list<shot*> templates) {
    shot_pattern pattern{};
    for (shot* t : templates) add_template(pattern, t);
    return pattern;
}

shot* bullet(const bullet_look& look, const bullet_launch& launch, int kind) {
    return new_animated_shot(make_rect(launch.from.x, launch.from.y, look.size, look.size),
                             look.picture_a, look.picture_b, kind, launch.speed.x, launch.speed.y);
}

shot* accelerating_bullet(const bullet_look& look, const accelerating_launch& launch, int kind) {
    return new_shot_accel(make_rect(launch.from.x, launch.from.y, look.size, look.size),
                          look.picture_a, look.picture_b, kind, launch.speed.x, launch.speed.y,
                          launch.accel.x, launch.accel.y);
}

shot* bullet_from(const bullet_row& row) {
    const bool plain = row.accel.x == 0.0 && row.accel.y == 0.0;
    return plain ? bullet(row.look, {row.from, row.speed}, row.kind)
                 : accelerating_bullet(row.look, {row.from, row.speed, row.accel}, row.kind);
}

shot_pattern make_pattern(std::initializer_list<bullet_row> rows) {
    shot_pattern pattern{};
    for (const bullet_row& row : rows) add_template(pattern, bullet_from(row));
    return pattern;
}

bullet_looks catalogue_bullets(const asset_table& assets) {
    auto look = [&](int a, int b, int size) {
        return bullet_look{picture_slot(assets, a), picture_slot(assets, b), size};
    };
    return {look(slot_tir0_rouge_ennemi, slot_tir0a_rouge_ennemi, 8),
            look(slot_tir0_bleu_ennemi, slot_tir0a_bleu_ennemi, 8),
            look(slot_tir0_vert_ennemi, slot_tir0a_vert_ennemi, 8),
            look(slot_tir1_rouge_ennemi, slot_tir1a_rouge_ennemi, 16),
            look(slot_tir1_bleu_ennemi, slot_tir1a_bleu_ennemi, 16),
            look(slot_tir1_vert_ennemi, slot_tir1a_vert_ennemi, 16)};
}

move_step* fire(const shot_pattern& pattern, Mix_Chunk* sound, int frames, int dx, int dy) {
    return new_firing_step_sound(dx, dy, frames,
                                 std::span<shot* const>(pattern.templates, pattern.count), sound);
}

void add_steps(enemy* e, path_kind path, move_step* step, int times) {
    for (int i = 0; i < times; ++i) add_step(e, step, path);
}

void add_runs(enemy* e, path_kind path, std::initializer_list<step_run> runs) {
    for (const step_run& run : runs) add_steps(e, path, run.step, run.times);
}

void add_move(enemy* e, path_kind path, int dx, int dy, int frames) {
    add_step(e, new_step(dx, dy, frames), path);
}

queue_builder make_queue_builder(int capacity) {
    return {tracked_array<enemy*>(capacity), 0, capacity};
}

void queue_in_order(queue_builder& queue, enemy* e) {
    builder_check(queue.count < queue.capacity, "more enemies queued than the level counted");
    queue.order[queue.count++] = e;
}

level_script finish_script(enemy* boss, const queue_builder& queue) {
    builder_check(queue.count == queue.capacity, "fewer enemies queued than the level counted");
    return {boss, queue.order, queue.count};
}
