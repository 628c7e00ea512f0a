#include <gtest/gtest.h>

#include "support/liste.h"
#include "support/tracked_memory.h"

namespace {

struct liste_test : ::testing::Test {
    int a = 1, b = 2, c = 3;
    void TearDown() override { release_all(); }
    static std::vector<void*> values(liste* l) {
        std::vector<void*> out;
        for (rewind_list(l); !fin_liste(l); advance_list(l)) out.push_back(value_list(l));
        rewind_list(l);
        return out;
    }
};

TEST_F(liste_test, push_on_null_and_on_emptied_list_gives_a_new_record_with_that_value) {
    liste* l = push_list(nullptr, &a);
    ASSERT_EQ(null_list(l), 0);
    EXPECT_EQ(value_list(l), &a);
    EXPECT_EQ(l->head->next, nullptr);

    liste* emptied = remove_list(l, 0);
    EXPECT_EQ(emptied->head, nullptr);
    liste* again = push_list(emptied, &b);
    EXPECT_NE(again, emptied);
    EXPECT_EQ(values(again), std::vector<void*>{&b});
    EXPECT_EQ(value_list(again), &b);
}

TEST_F(liste_test, push_puts_the_cursor_on_the_new_front_element) {
    liste* l = new_list(&a);
    l = push_list(l, &b);
    advance_list(l);
    EXPECT_EQ(value_list(l), &a);
    liste* same = push_list(l, &c);
    EXPECT_EQ(same, l);
    EXPECT_EQ(value_list(l), &c);
    EXPECT_EQ(values(l), (std::vector<void*>{&c, &b, &a}));
}

TEST_F(liste_test, removing_the_only_element_leaves_an_emptied_record) {
    liste* l = remove_list(new_list(&a), 0);
    EXPECT_EQ(null_list(l), 0);
    EXPECT_EQ(l->head, nullptr);
    EXPECT_EQ(l->cursor, nullptr);
    EXPECT_EQ(fin_liste(l), 1);
    EXPECT_EQ(null_list(nullptr), 1);
}

TEST_F(liste_test, remove_at_zero_and_at_one) {
    liste* l = push_list(push_list(new_list(&a), &b), &c); // c b a
    l = remove_list(l, 1);
    EXPECT_EQ(values(l), (std::vector<void*>{&c, &a}));
    EXPECT_EQ(value_list(l), &c); // cursor back on the first node
    l = remove_list(l, 0);
    EXPECT_EQ(values(l), std::vector<void*>{&a});
    EXPECT_EQ(value_list(l), &a);
}

TEST_F(liste_test, advance_at_the_end_stays_at_the_end) {
    liste* l = new_list(&a);
    advance_list(l);
    EXPECT_EQ(fin_liste(l), 1);
    advance_list(l);
    EXPECT_EQ(fin_liste(l), 1);
}

TEST(liste_death, assertions_stop_with_their_own_texts_in_every_build) {
    EXPECT_DEATH(fin_liste(nullptr), "Assertion `l != NULL' failed");
    EXPECT_DEATH(
        {
            liste* l = new_list(nullptr);
            advance_list(l);
            value_list(l);
        },
        "Assertion `!fin_liste \\(l\\)' failed");
    EXPECT_DEATH(remove_list(nullptr, 0), "Assertion `l != NULL' failed");
    EXPECT_DEATH(remove_list(new_list(nullptr), 3), "Assertion `!fin_liste \\(l\\)' failed");
}

} // namespace
