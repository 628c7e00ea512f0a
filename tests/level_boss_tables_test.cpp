// The bosses' tables: every bullet leaves from inside its boss's picture,
// every row says something a step can do, the phases that repeat end where
// they began, a boss that leaves does leave the field, and the builder makes
// exactly the steps the rows list, cut at a path's 1000 steps.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_assets.h"
#include "levels/boss_table.h"
#include "levels/levels.h"
#include "support/screen_geometry.h"

namespace {

// A boss's phase as the steps it asks for, in play order, before any cut.
void flatten(path_rows rows, std::vector<const path_row*>& out) {
    for (const path_row& row : rows)
        for (int i = 0; i < row.times; ++i) {
            if (row.block)
                flatten(block_of(row), out);
            else
                out.push_back(&row);
        }
}

std::vector<const path_row*> steps_of(path_rows rows) {
    std::vector<const path_row*> out;
    flatten(rows, out);
    return out;
}

// The steps a path keeps: the first 1000.
std::vector<const path_row*> kept_steps(path_rows rows) {
    std::vector<const path_row*> out = steps_of(rows);
    if (out.size() > static_cast<std::size_t>(path_capacity)) out.resize(path_capacity);
    return out;
}

struct shift {
    int x = 0, y = 0;
};

shift travel(const std::vector<const path_row*>& steps) {
    shift s;
    for (const path_row* step : steps) {
        s.x += step->dx * step->frames;
        s.y += step->dy * step->frames;
    }
    return s;
}

// Every row of every phase, blocks included.
void each_row(path_rows rows, const auto& visit) {
    for (const path_row& row : rows) {
        visit(row);
        if (row.block) each_row(block_of(row), visit);
    }
}

void each_phase_row(const boss_record& boss, const auto& visit) {
    for (path_rows phase : {boss.entry, boss.main, boss.final_phase}) each_row(phase, visit);
}

std::string name_of(const level_record& level) { return std::string("level ") + level.name; }

TEST(level_boss_tables, every_level_has_a_boss_with_three_phases) {
    for (const level_record& level : level_records) {
        SCOPED_TRACE(name_of(level));
        ASSERT_NE(level.boss, nullptr);
        ASSERT_NE(level.boss->kind, nullptr);
        EXPECT_FALSE(level.boss->entry.empty());
        EXPECT_FALSE(level.boss->main.empty());
        EXPECT_FALSE(level.boss->final_phase.empty());
    }
}

TEST(level_boss_tables, every_bullet_leaves_from_inside_its_bosss_picture) {
    for (const level_record& level : level_records) {
        SCOPED_TRACE(name_of(level));
        const kind_size size = level.boss->kind->size;
        each_phase_row(*level.boss, [&](const path_row& row) {
            for (const bullet_spec& b : row.volley) {
                EXPECT_GE(b.from.x, 0);
                EXPECT_GE(b.from.y, 0);
                EXPECT_LT(b.from.x, size.w);
                EXPECT_LT(b.from.y, size.h);
            }
        });
    }
}

TEST(level_boss_tables, every_volley_fits_a_step_and_every_bullet_moves) {
    for (const level_record& level : level_records) {
        SCOPED_TRACE(name_of(level));
        each_phase_row(*level.boss, [&](const path_row& row) {
            EXPECT_LE(row.volley.size(), static_cast<std::size_t>(step_template_capacity));
            for (const bullet_spec& b : row.volley)
                EXPECT_TRUE(b.speed.x != 0 || b.speed.y != 0) << "a bullet that never moves";
        });
    }
}

TEST(level_boss_tables, every_row_is_a_step_that_ends_or_a_block_with_rows) {
    for (const level_record& level : level_records) {
        SCOPED_TRACE(name_of(level));
        each_phase_row(*level.boss, [&](const path_row& row) {
            EXPECT_GT(row.times, 0);
            if (row.block) {
                EXPECT_GT(row.block_rows, 0u);
                EXPECT_TRUE(row.volley.empty()) << "a block row fires nothing itself";
            } else {
                EXPECT_GT(row.frames, 0) << "a step of 0 frames never ends";
            }
        });
    }
}

// A phase the boss plays again and again must bring it back to where the
// phase began, or the boss would wander off over the repeats.
TEST(level_boss_tables, a_phase_that_repeats_ends_where_it_began) {
    for (const level_record& level : level_records) {
        SCOPED_TRACE(name_of(level));
        const boss_record& boss = *level.boss;
        if (boss.kind->hold_main) {
            const shift s = travel(kept_steps(boss.main));
            EXPECT_EQ(s.x, 0) << "main phase";
            EXPECT_EQ(s.y, 0) << "main phase";
        }
        if (boss.kind->final_mode == final_repeat) {
            const shift s = travel(kept_steps(boss.final_phase));
            EXPECT_EQ(s.x, 0) << "final phase";
            EXPECT_EQ(s.y, 0) << "final phase";
        }
    }
}

// A boss whose script ends leaves the field by its end; one that keeps its
// final phase is on screen (its picture overlapping the field) when the
// entry ends.
TEST(level_boss_tables, a_boss_that_stops_repeating_ends_off_the_field) {
    for (const level_record& level : level_records) {
        SCOPED_TRACE(name_of(level));
        const boss_record& boss = *level.boss;
        const kind_size size = boss.kind->size;
        const shift entry = travel(kept_steps(boss.entry));
        const int entry_x = boss.x + entry.x, entry_y = boss.y + entry.y;
        EXPECT_LT(entry_x, field_end_x);
        EXPECT_GT(entry_x + size.w, field_x);
        EXPECT_GE(entry_y + size.h, 0);
        if (boss.kind->final_mode == final_once && !boss.kind->hold_main) {
            const shift main = travel(kept_steps(boss.main));
            const shift last = travel(kept_steps(boss.final_phase));
            const int end_x = entry_x + main.x + last.x;
            const int end_y = entry_y + main.y + last.y;
            EXPECT_TRUE(end_x >= screen_width || end_x + size.w <= 0 || end_y >= screen_height ||
                        end_y + size.h <= 0)
                << "ends at (" << end_x << ", " << end_y << ")";
        }
    }
}

// The builder, on the fake catalogue.
struct level_boss_builder : fake::shell_fixture {};

void expect_path_as_rows(const step_path& path, path_rows rows, const char* phase) {
    SCOPED_TRACE(phase);
    const std::vector<const path_row*> kept = kept_steps(rows);
    for (std::size_t i = 0; i < kept.size(); ++i) {
        const move_step* step = path[i];
        ASSERT_NE(step, nullptr) << "step " << i;
        EXPECT_EQ(step->dx, kept[i]->dx) << "step " << i;
        EXPECT_EQ(step->dy, kept[i]->dy) << "step " << i;
        EXPECT_EQ(step->frames, kept[i]->frames) << "step " << i;
        std::size_t fired = 0;
        while (fired < step->templates.size() && step->templates[fired]) ++fired;
        ASSERT_EQ(fired, kept[i]->volley.size()) << "step " << i;
        for (std::size_t b = 0; b < fired; ++b) {
            const bullet_spec& row = kept[i]->volley[b];
            const shot* t = step->templates[b];
            EXPECT_EQ(t->rect.x, row.from.x);
            EXPECT_EQ(t->rect.y, row.from.y);
            EXPECT_EQ(t->speed_x, row.speed.x);
            EXPECT_EQ(t->speed_y, row.speed.y);
            EXPECT_EQ(t->kind, row.kind);
        }
        EXPECT_EQ(step->sound != nullptr, fired > 0) << "a volley plays the firing sound";
    }
    if (kept.size() < path.size()) {
        EXPECT_EQ(path[kept.size()], nullptr);
    }
}

TEST_F(level_boss_builder, makes_each_phase_row_by_row_up_to_a_paths_capacity) {
    const level_kit kit = make_level_kit(assets());
    for (const level_record& level : level_records) {
        SCOPED_TRACE(name_of(level));
        const boss_record& boss = *level.boss;
        const enemy* e = build_boss(kit, boss);
        EXPECT_EQ(e->spawn_ms, boss.spawn_ms);
        EXPECT_EQ(e->ship->rect.x, boss.x);
        EXPECT_EQ(e->ship->rect.y, boss.y);
        EXPECT_EQ(e->hold_main, boss.kind->hold_main);
        expect_path_as_rows(e->entry_path, boss.entry, "entry");
        expect_path_as_rows(e->main_path, boss.main, "main");
        expect_path_as_rows(e->final_path, boss.final_phase, "final");
        release_all();
    }
}

TEST_F(level_boss_builder, a_row_visited_again_takes_the_same_step) {
    const level_kit kit = make_level_kit(assets());
    const boss_record& boss = *level_records[0].boss;
    const enemy* e = build_boss(kit, boss);
    const std::vector<const path_row*> kept = kept_steps(boss.main);
    for (std::size_t i = 0; i < kept.size(); ++i)
        for (std::size_t j = i + 1; j < kept.size(); ++j)
            EXPECT_EQ(kept[i] == kept[j], e->main_path[i] == e->main_path[j]);
}

// The station's main phase asks for more than a path holds: the builder
// keeps the first 1000 steps and drops the rest.
TEST(level_boss_tables, some_phase_asks_for_more_steps_than_a_path_holds) {
    bool cut = false;
    for (const level_record& level : level_records)
        for (path_rows phase : {level.boss->entry, level.boss->main, level.boss->final_phase})
            cut = cut || steps_of(phase).size() > static_cast<std::size_t>(path_capacity);
    EXPECT_TRUE(cut);
}

} // namespace
