// Layout of the search tree's records; private to avl.cpp and its tests.
#pragma once

#include <cstddef>

#include "misc/avl.h"

struct avl_node {
  void* item;
  avl_node* link[2];  // lesser, greater
  signed char bal;    // height of link[1] minus height of link[0]
};

struct avl_tree {
  avl_node* root;
  avl_comparison_func cmp;
  void* param;
  size_t count;
};
