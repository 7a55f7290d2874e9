#include "misc/avl.h"

#include <cstdio>
#include <cstdlib>
#include <functional>

#include "misc/avl_node.h"
#include "misc/xmalloc.h"

// Misuse of the tree is a programming error; the check stays on in
// release builds, where a null tree would otherwise crash somewhere later.
#define AVL_ASSERT(cond) ((cond) ? void(0) : assertion_failed(#cond, __LINE__, __func__))

namespace {

[[noreturn]] void assertion_failed(const char* text, unsigned line, const char* function) {
  fprintf(stderr, "%s:%u: %s: Assertion `%s' failed.\n", __FILE__, line, function, text);
  abort();
}

int sign_of(int dir) { return dir ? 1 : -1; }

// Restores the AVL rule at a node whose balance is +2 or -2; answers
// whether the subtree came out shorter than it was before the imbalance.
bool rebalance(avl_node** slot) {
  avl_node* a = *slot;
  int d = a->bal > 0;
  int s = sign_of(d);
  avl_node* b = a->link[d];
  if (b->bal != -s) {
    a->link[d] = b->link[!d];
    b->link[!d] = a;
    *slot = b;
    if (b->bal == 0) {
      a->bal = static_cast<signed char>(s);
      b->bal = static_cast<signed char>(-s);
      return false;
    }
    a->bal = b->bal = 0;
    return true;
  }
  avl_node* c = b->link[!d];
  b->link[!d] = c->link[d];
  a->link[d] = c->link[!d];
  c->link[d] = b;
  c->link[!d] = a;
  a->bal = static_cast<signed char>(c->bal == s ? -s : 0);
  b->bal = static_cast<signed char>(c->bal == -s ? s : 0);
  c->bal = 0;
  *slot = c;
  return true;
}

// The subtree on side dir got taller; answers whether *slot did.
bool grown(avl_node** slot, int dir) {
  avl_node* n = *slot;
  n->bal = static_cast<signed char>(n->bal + sign_of(dir));
  if (n->bal == 0) return false;
  if (n->bal == 1 || n->bal == -1) return true;
  rebalance(slot);
  return false;
}

// The subtree on side dir got shorter; answers whether *slot did.
bool shrunk(avl_node** slot, int dir) {
  avl_node* n = *slot;
  n->bal = static_cast<signed char>(n->bal - sign_of(dir));
  if (n->bal == 0) return true;
  if (n->bal == 1 || n->bal == -1) return false;
  return rebalance(slot);
}

void** probe(avl_tree* tree, avl_node** slot, void* item, bool* taller) {
  avl_node* n = *slot;
  if (!n) {
    n = static_cast<avl_node*>(xmalloc(sizeof(avl_node)));
    *n = avl_node{item, {nullptr, nullptr}, 0};
    *slot = n;
    tree->count++;
    *taller = true;
    return &n->item;
  }
  int c = tree->cmp(item, n->item, tree->param);
  if (c == 0) {
    *taller = false;
    return &n->item;
  }
  int dir = c > 0;
  void** found = probe(tree, &n->link[dir], item, taller);
  if (*taller) *taller = grown(slot, dir);
  return found;
}

// Directs a search to the subtree's first node.
struct Leftmost {
  int operator()(const avl_node* n) const { return n->link[0] ? -1 : 0; }
};

// Takes out of the subtree the node that where() answers 0 for (where
// says which way to go otherwise) and answers it, or null. A node with two
// children is replaced by its successor node, so every node keeps its item.
template <class Where>
avl_node* unlink(avl_node** slot, const Where& where, bool* shorter) {
  avl_node* n = *slot;
  if (!n) {
    *shorter = false;
    return nullptr;
  }
  int c = where(n);
  avl_node* gone;
  int dir;
  if (c != 0) {
    dir = c > 0;
    gone = unlink(&n->link[dir], where, shorter);
  } else if (!n->link[0] || !n->link[1]) {
    *slot = n->link[n->link[0] == nullptr];
    *shorter = true;
    return n;
  } else {
    avl_node* next = unlink(&n->link[1], Leftmost{}, shorter);
    next->link[0] = n->link[0];
    next->link[1] = n->link[1];
    next->bal = n->bal;
    *slot = next;
    gone = n;
    dir = 1;
  }
  if (*shorter) *shorter = shrunk(slot, dir);
  return gone;
}

avl_node* copy_nodes(const avl_node* n, avl_copy_func copy_item, void* param) {
  if (!n) return nullptr;
  auto* c = static_cast<avl_node*>(xmalloc(sizeof(avl_node)));
  c->item = copy_item ? copy_item(n->item, param) : n->item;
  c->link[0] = copy_nodes(n->link[0], copy_item, param);
  c->link[1] = copy_nodes(n->link[1], copy_item, param);
  c->bal = n->bal;
  return c;
}

void destroy_nodes(avl_node* n, avl_node_func free_item, void* param) {
  if (!n) return;
  destroy_nodes(n->link[0], free_item, param);
  destroy_nodes(n->link[1], free_item, param);
  if (free_item) free_item(n->item, param);
  xfree(n);
}

}  // namespace

avl_tree* avl_create(avl_comparison_func cmp, void* param) {
  AVL_ASSERT(cmp != nullptr);
  auto* tree = static_cast<avl_tree*>(xmalloc(sizeof(avl_tree)));
  *tree = avl_tree{nullptr, cmp, param, 0};
  return tree;
}

void avl_destroy(avl_tree* tree, avl_node_func free_item) {
  AVL_ASSERT(tree != nullptr);
  destroy_nodes(tree->root, free_item, tree->param);
  xfree(tree);
}

void avl_free(avl_tree* tree) {
  avl_destroy(tree, [](void* item, void*) { xfree(item); });
}

size_t avl_count(const avl_tree* tree) {
  AVL_ASSERT(tree != nullptr);
  return tree->count;
}

avl_tree* avl_copy(const avl_tree* tree, avl_copy_func copy_item) {
  AVL_ASSERT(tree != nullptr);
  avl_tree* copy = avl_create(tree->cmp, tree->param);
  copy->root = copy_nodes(tree->root, copy_item, tree->param);
  copy->count = tree->count;
  return copy;
}

void avl_walk(const avl_tree* tree, avl_node_func visit, void* param) {
  AVL_ASSERT(tree != nullptr);
  avl_traverser trav{};
  while (void* item = avl_traverse(tree, &trav)) visit(item, param);
}

void* avl_traverse(const avl_tree* tree, avl_traverser* trav) {
  AVL_ASSERT(tree != nullptr);
  AVL_ASSERT(trav != nullptr);
  if (!trav->init) {
    trav->init = 1;
    trav->nstack = 0;
    trav->p = tree->root;
  } else {
    trav->p = trav->p->link[1];
  }
  for (; trav->p; trav->p = trav->p->link[0]) {
    AVL_ASSERT(trav->nstack < AVL_MAX_HEIGHT);
    trav->stack[trav->nstack++] = trav->p;
  }
  if (trav->nstack == 0) {
    trav->init = 0;
    return nullptr;
  }
  trav->p = trav->stack[--trav->nstack];
  return trav->p->item;
}

void** avl_probe(avl_tree* tree, void* item) {
  AVL_ASSERT(tree != nullptr);
  bool taller;
  return probe(tree, &tree->root, item, &taller);
}

void* avl_insert(avl_tree* tree, void* item) {
  size_t before = avl_count(tree);
  void** slot = avl_probe(tree, item);
  return tree->count == before ? *slot : nullptr;
}

void* avl_replace(avl_tree* tree, void* item) {
  size_t before = avl_count(tree);
  void** slot = avl_probe(tree, item);
  if (tree->count != before) return nullptr;
  void* old = *slot;
  *slot = item;
  return old;
}

void* avl_find(const avl_tree* tree, const void* item) {
  AVL_ASSERT(tree != nullptr);
  for (const avl_node* n = tree->root; n;) {
    int c = tree->cmp(item, n->item, tree->param);
    if (c == 0) return n->item;
    n = n->link[c > 0];
  }
  return nullptr;
}

void* avl_find_close(const avl_tree* tree, const void* item) {
  AVL_ASSERT(tree != nullptr);
  const avl_node* last = nullptr;
  for (const avl_node* n = tree->root; n;) {
    last = n;
    int c = tree->cmp(item, n->item, tree->param);
    if (c == 0) break;
    n = n->link[c > 0];
  }
  return last ? last->item : nullptr;
}

void* avl_delete(avl_tree* tree, const void* item) {
  AVL_ASSERT(tree != nullptr);
  auto toward = [tree, item](const avl_node* n) { return tree->cmp(item, n->item, tree->param); };
  bool shorter;
  avl_node* gone = unlink(&tree->root, toward, &shorter);
  if (!gone) return nullptr;
  void* found = gone->item;
  xfree(gone);
  tree->count--;
  return found;
}

void* avl_force_delete(avl_tree* tree, const void* item) {
  void* found = avl_delete(tree, item);
  AVL_ASSERT(found != nullptr);
  return found;
}

int avl_compare_pointers(const void* a, const void* b, void*) {
  std::less<const void*> before;
  return before(b, a) - before(a, b);
}
