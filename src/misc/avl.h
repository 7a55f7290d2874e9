// Balanced (AVL) search tree of opaque items, ordered by the caller's
// comparison function. Equal items are one key: the tree holds no
// duplicates. A null tree or comparison function stops the program.
#pragma once

#include <cstddef>

// Negative, zero or positive as a orders before, with or after b.
using avl_comparison_func = int (*)(const void* a, const void* b, void* param);
using avl_node_func = void (*)(void* item, void* param);
using avl_copy_func = void* (*)(void* item, void* param);

struct avl_node;
struct avl_tree;

// The AVL rule keeps the height below 1.45 log2(count + 2), so 64 levels
// are more than any tree that fits in memory can reach.
inline constexpr int AVL_MAX_HEIGHT = 64;

// State of an iterative traversal; start it zeroed (avl_traverser t{}).
struct avl_traverser {
  int init;
  int nstack;
  const avl_node* p;
  const avl_node* stack[AVL_MAX_HEIGHT];
};

avl_tree* avl_create(avl_comparison_func cmp, void* param);
void avl_destroy(avl_tree* tree, avl_node_func free_item);
void avl_free(avl_tree* tree);
size_t avl_count(const avl_tree* tree);
avl_tree* avl_copy(const avl_tree* tree, avl_copy_func copy_item);
void avl_walk(const avl_tree* tree, avl_node_func visit, void* param);
void* avl_traverse(const avl_tree* tree, avl_traverser* trav);

// Finds the item's key or inserts the item; answers the slot holding the
// stored item, which the caller may overwrite with an equal item.
void** avl_probe(avl_tree* tree, void* item);
// Null when inserted, else the item already stored (left in place).
void* avl_insert(avl_tree* tree, void* item);
// Null when inserted, else the item that was replaced.
void* avl_replace(avl_tree* tree, void* item);

void* avl_find(const avl_tree* tree, const void* item);
// The item of the last node on the search path: the match if there is one.
void* avl_find_close(const avl_tree* tree, const void* item);
void* avl_delete(avl_tree* tree, const void* item);
// As avl_delete; the item must be present.
void* avl_force_delete(avl_tree* tree, const void* item);

// Orders items by address; compares whole pointers, for trees keyed by
// object identity.
int avl_compare_pointers(const void* a, const void* b, void* param);
