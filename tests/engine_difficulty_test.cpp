// The difficulty table: the menu's choices come first with their pictures,
// Right and Left walk them round, the pilot's count of Right presses lands
// on the difficulty it wants, and a harder difficulty never gives more.
#include <gtest/gtest.h>

#include <set>

#include "engine/difficulty.h"

namespace {

TEST(engine_difficulty, the_menu_offers_the_head_of_the_table_and_nothing_else) {
    std::set<int> values;
    for (std::size_t i = 0; i < difficulties.size(); ++i) {
        const difficulty_record& d = difficulties[i];
        EXPECT_TRUE(values.insert(d.value).second) << "two records for " << d.value;
        EXPECT_EQ(&difficulty_of(d.value), &d);
        EXPECT_EQ(d.menu_picture != no_slot, i < menu_choices) << d.name;
    }
    EXPECT_EQ(difficulty_of(menu_first_choice).menu_picture != no_slot, true);
}

TEST(engine_difficulty, right_and_left_walk_every_choice_and_come_round) {
    for (std::size_t i = 0; i < menu_choices; ++i) {
        const int start = difficulties[i].value;
        int harder = start, easier = start;
        std::set<int> seen;
        for (std::size_t step = 0; step < menu_choices; ++step) {
            harder = menu_harder(harder);
            easier = menu_easier(easier);
            seen.insert(harder);
            EXPECT_NE(difficulty_of(easier).menu_picture, no_slot);
        }
        EXPECT_EQ(harder, start);
        EXPECT_EQ(easier, start);
        EXPECT_EQ(seen.size(), menu_choices);
        EXPECT_EQ(menu_easier(menu_harder(start)), start);
    }
}

TEST(engine_difficulty, the_pilots_right_presses_reach_the_difficulty_it_wants) {
    for (const difficulty_record& d : difficulties) {
        int selection = menu_first_choice;
        for (int i = 0; i < menu_rights_to(d.value); ++i) selection = menu_harder(selection);
        if (d.menu_picture != no_slot)
            EXPECT_EQ(selection, d.value) << d.name;
        else
            EXPECT_EQ(selection, menu_first_choice) << d.name << " is not on the menu";
    }
}

TEST(engine_difficulty, a_harder_choice_never_gives_more_lives_or_fewer_levels) {
    for (std::size_t i = 0; i < menu_choices; ++i) {
        const difficulty_record& d = difficulties[i];
        const difficulty_record& harder = difficulty_of(menu_harder(d.value));
        if (harder.value == menu_first_choice) continue; // Right from Hard wraps round
        EXPECT_LT(harder.lives, d.lives) << d.name;
        EXPECT_GE(harder.last_level, d.last_level) << d.name;
        EXPECT_GE(harder.bonus_per_life, d.bonus_per_life) << d.name;
    }
}

} // namespace
