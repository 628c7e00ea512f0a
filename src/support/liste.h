// The generic singly linked list with a built-in cursor (the spawn queue).
// Nodes and records come from tracked memory; nothing here frees anything.
#pragma once

struct liste_node {
    void* value;
    liste_node* next;
};

struct liste {
    liste_node* head;   // first node, or null once the last element was removed
    liste_node* cursor; // current node; null means at the end
};

liste_node* new_node(void* value);
liste* new_list(void* value);
int null_list(const liste* l);
liste* rewind_list(liste* l);
int fin_liste(const liste* l);
void advance_list(liste* l);
void* value_list(const liste* l);
// Always store the result: a null or emptied list yields a new record.
liste* push_list(liste* l, void* value);
liste* remove_list(liste* l, int index);
