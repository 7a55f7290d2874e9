#include "misc/avl.h"

#include <gtest/gtest.h>
#include <malloc.h>

#include <cstdint>
#include <random>
#include <set>
#include <vector>

#include "misc/avl_node.h"
#include "misc/xmalloc.h"

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer's allocator keeps its own count (no header of g++ declares it).
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace {

// Items are small integers disguised as pointers.
void* item(intptr_t key) { return reinterpret_cast<void*>(key); }
intptr_t key(const void* item) { return reinterpret_cast<intptr_t>(item); }

int compare_keys(const void* a, const void* b, void*) { return (key(a) > key(b)) - (key(a) < key(b)); }

// Height of a subtree after checking every node's balance factor.
int checked_height(const avl_node* n) {
  if (!n) return 0;
  int left = checked_height(n->link[0]);
  int right = checked_height(n->link[1]);
  EXPECT_EQ(n->bal, right - left);
  EXPECT_LE(n->bal * n->bal, 1);
  return 1 + std::max(left, right);
}

std::vector<intptr_t> traversed(const avl_tree* tree) {
  std::vector<intptr_t> keys;
  avl_traverser trav{};
  while (void* i = avl_traverse(tree, &trav)) keys.push_back(key(i));
  EXPECT_EQ(trav.init, 0);
  return keys;
}

void expect_matches(const avl_tree* tree, const std::set<intptr_t>& reference) {
  checked_height(tree->root);
  EXPECT_EQ(avl_count(tree), reference.size());
  EXPECT_EQ(traversed(tree), std::vector<intptr_t>(reference.begin(), reference.end()));
}

TEST(Avl, RandomInsertsAndDeletesMatchASet) {
  std::mt19937 rng(7);
  std::uniform_int_distribution<intptr_t> keys(1, 300);
  avl_tree* tree = avl_create(compare_keys, nullptr);
  std::set<intptr_t> reference;
  for (int step = 0; step < 6000; step++) {
    intptr_t k = keys(rng);
    if (rng() % 3 == 0) {
      EXPECT_EQ(key(avl_delete(tree, item(k))), reference.erase(k) ? k : 0);
    } else {
      EXPECT_EQ(key(avl_insert(tree, item(k))), reference.insert(k).second ? 0 : k);
    }
    EXPECT_EQ(key(avl_find(tree, item(k))), reference.count(k) ? k : 0);
    if (step % 100 == 0) expect_matches(tree, reference);
  }
  expect_matches(tree, reference);
  avl_tree* copy = avl_copy(tree, nullptr);
  expect_matches(copy, reference);
  avl_destroy(copy, nullptr);
  avl_destroy(tree, nullptr);
}

// A stored item and a new item with the same key, told apart by address.
struct Keyed {
  int key;
};
int compare_keyed(const void* a, const void* b, void*) {
  return static_cast<const Keyed*>(a)->key - static_cast<const Keyed*>(b)->key;
}

TEST(Avl, InsertKeepsAndReplaceSwapsTheStoredItem) {
  Keyed first{5}, second{5}, third{5};
  avl_tree* tree = avl_create(compare_keyed, nullptr);
  EXPECT_EQ(avl_insert(tree, &first), nullptr);
  EXPECT_EQ(avl_insert(tree, &second), &first);
  EXPECT_EQ(avl_find(tree, &second), &first);
  EXPECT_EQ(avl_replace(tree, &second), &first);
  EXPECT_EQ(avl_find(tree, &third), &second);
  EXPECT_EQ(avl_count(tree), 1u);
  void** slot = avl_probe(tree, &third);
  EXPECT_EQ(*slot, &second);
  *slot = &third;
  EXPECT_EQ(avl_delete(tree, &first), &third);
  EXPECT_EQ(avl_count(tree), 0u);
  avl_destroy(tree, nullptr);
}

TEST(Avl, FindCloseAnswersTheLastNodeOnThePath) {
  avl_tree* tree = avl_create(compare_keys, nullptr);
  EXPECT_EQ(avl_find_close(tree, item(3)), nullptr);
  for (intptr_t k : {20, 10, 30}) avl_insert(tree, item(k));
  EXPECT_EQ(key(avl_find_close(tree, item(20))), 20);
  EXPECT_EQ(key(avl_find_close(tree, item(12))), 10);
  EXPECT_EQ(key(avl_find_close(tree, item(99))), 30);
  avl_destroy(tree, nullptr);
}

TEST(Avl, TraversesEmptyAndDeepTreesAndRestarts) {
  avl_tree* tree = avl_create(avl_compare_pointers, nullptr);
  avl_traverser trav{};
  EXPECT_EQ(avl_traverse(tree, &trav), nullptr);
  std::vector<char> storage(100000);
  for (char& c : storage) avl_insert(tree, &c);
  std::vector<void*> seen;
  while (void* i = avl_traverse(tree, &trav)) seen.push_back(i);
  ASSERT_EQ(seen.size(), storage.size());
  for (size_t i = 0; i < seen.size(); i++) EXPECT_EQ(seen[i], &storage[i]);
  EXPECT_EQ(avl_traverse(tree, &trav), &storage[0]);
  checked_height(tree->root);
  avl_destroy(tree, nullptr);
}

TEST(Avl, TraversalStackHoldsMoreThan32Levels) {
  // Only millions of items make a balanced tree this deep, so the path is
  // built by hand: a chain of 50 nodes, each the left child of the next.
  avl_node chain[50];
  for (intptr_t i = 0; i < 50; i++) chain[i] = avl_node{item(i + 1), {i ? &chain[i - 1] : nullptr, nullptr}, 0};
  avl_tree* tree = avl_create(compare_keys, nullptr);
  tree->root = &chain[49];
  std::vector<intptr_t> expected;
  for (intptr_t k = 1; k <= 50; k++) expected.push_back(k);
  EXPECT_EQ(traversed(tree), expected);
  tree->root = nullptr;
  avl_destroy(tree, nullptr);
}

TEST(Avl, ComparesPointersAcrossTheWholeAddressSpace) {
  // Addresses 4 GiB apart differ by nothing in their low 32 bits.
  void* low = item(0x1000);
  void* high = item(0x1000 + (intptr_t{1} << 32));
  EXPECT_LT(avl_compare_pointers(low, high, nullptr), 0);
  EXPECT_GT(avl_compare_pointers(high, low, nullptr), 0);
  EXPECT_EQ(avl_compare_pointers(low, low, nullptr), 0);
}

TEST(Avl, WalkCopyAndDestroyPassItemsThrough) {
  avl_tree* tree = avl_create(compare_keys, nullptr);
  for (intptr_t k : {3, 1, 2}) avl_insert(tree, item(k));
  avl_tree* doubled = avl_copy(tree, [](void* i, void*) { return item(key(i) * 2); });
  std::vector<intptr_t> walked;
  avl_walk(doubled, [](void* i, void* out) { static_cast<std::vector<intptr_t>*>(out)->push_back(key(i)); },
           &walked);
  EXPECT_EQ(walked, (std::vector<intptr_t>{2, 4, 6}));
  intptr_t freed = 0;
  avl_tree* counted = avl_create(compare_keys, &freed);
  for (intptr_t k : {5, 7}) avl_insert(counted, item(k));
  avl_destroy(counted, [](void* i, void* sum) { *static_cast<intptr_t*>(sum) += key(i); });
  EXPECT_EQ(freed, 12);
  avl_destroy(doubled, nullptr);
  avl_destroy(tree, nullptr);
}

// The bytes the heap has handed out and not had back.
size_t heapInUse() {
#if defined(__SANITIZE_ADDRESS__)
  return __sanitizer_get_current_allocated_bytes();
#else
  return mallinfo2().uordblks;
#endif
}

TEST(Avl, FreeReleasesHeapItems) {
  constexpr size_t itemSize = 4096, items = 10;  // past the per-thread cache of small blocks
  avl_tree* tree = avl_create(avl_compare_pointers, nullptr);
  for (size_t i = 0; i < items; i++) avl_insert(tree, xmalloc(itemSize));
  const size_t filled = heapInUse();
  avl_free(tree);
  EXPECT_LE(heapInUse() + items * itemSize, filled);
}

TEST(AvlDeathTest, MisuseStopsTheProgram) {
  avl_tree* tree = avl_create(compare_keys, nullptr);
  avl_insert(tree, item(1));
  EXPECT_DEATH(avl_force_delete(tree, item(2)), "avl_force_delete: Assertion `found != nullptr' failed");
  EXPECT_DEATH(avl_create(nullptr, nullptr), "Assertion `cmp != nullptr' failed");
  EXPECT_DEATH(avl_find(nullptr, item(1)), "Assertion `tree != nullptr' failed");
  EXPECT_EQ(key(avl_force_delete(tree, item(1))), 1);
  avl_destroy(tree, nullptr);
}

}  // namespace
