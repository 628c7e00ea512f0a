#include "support/liste.h"

#include <cstdio>
#include <cstdlib>

#include "support/tracked_memory.h"

// The list's preconditions are checked in every build type: a release build
// must stop on a broken spawn queue just as a debug build does.
[[noreturn]] static void liste_assertion_failed(const char* text, int line, const char* function) {
    std::fprintf(stderr, "liste:%d: %s: Assertion `%s' failed.\n", line, function, text);
    std::abort();
}
#define LISTE_ASSERT(condition, text)                                                              \
    do {                                                                                           \
        if (!(condition)) liste_assertion_failed(text, __LINE__, __func__);                        \
    } while (0)

liste_node* new_node(void* value) {
    auto* node = tracked_new<liste_node>();
    node->value = value;
    node->next = nullptr;
    return node;
}

liste* new_list(void* value) {
    auto* l = tracked_new<liste>();
    l->head = new_node(value);
    l->cursor = l->head;
    return l;
}

int null_list(const liste* l) { return l == nullptr ? 1 : 0; }

liste* rewind_list(liste* l) {
    l->cursor = l->head;
    return l;
}

int fin_liste(const liste* l) {
    LISTE_ASSERT(l != nullptr, "l != NULL");
    return l->cursor == nullptr ? 1 : 0;
}

void advance_list(liste* l) {
    if (!fin_liste(l)) l->cursor = l->cursor->next;
}

void* value_list(const liste* l) {
    LISTE_ASSERT(!fin_liste(l), "!fin_liste (l)");
    return l->cursor->value;
}

liste* push_list(liste* l, void* value) {
    // An emptied record is abandoned; it goes with the level's tracked memory.
    if (l == nullptr || l->head == nullptr) return new_list(value);
    liste_node* node = new_node(value);
    node->next = l->head;
    l->head = node;
    l->cursor = node;
    return l;
}

liste* remove_list(liste* l, int index) {
    if (index == 0) {
        LISTE_ASSERT(l != nullptr, "l != NULL");
        rewind_list(l);
        l->head = l->head->next;
        return rewind_list(l);
    }
    rewind_list(l);
    for (int step = 0; step < index - 1; ++step) {
        LISTE_ASSERT(!fin_liste(l), "!fin_liste (l)");
        advance_list(l);
    }
    liste_node* removed = l->cursor->next;
    l->cursor->next = removed->next;
    return rewind_list(l);
}
