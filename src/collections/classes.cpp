// Registration of every class of the collections library, before start-up.
#include "collections/collections.h"
#include "runtime/registration.h"

#define COLLECTIONS_CLASSES(X)                                                              \
  X(Collection_any) X(Index_any) X(List_any) X(List_linked) X(List_mlinks) X(ListIndex_any) \
  X(ListIndex_linked) X(ListIndex_mlinks) X(OrderedSet_c) X(OrderedSetIndex_c)              \
  X(String_c) X(OutputStream_c) X(InputStream_c) X(ArchiverKeyword_c) X(ArchiverValue_c)     \
  X(ArchiverPair_c) X(ArchiverQuoted_c) X(ArchiverList_c) X(ArchiverArray_c)                \
  X(Map_c) X(MapIndex_c) X(Set_c) X(SetIndex_c) X(Array_c) X(ArrayIndex_c) X(ListShuffler_c) \
  X(PermutationItem_c) X(Permutation_c) X(PermutedIndex_c)                                   \
  X(Module__collections_)

#define DECLARE(cls) DECLARE_CLASS_REGISTRATION(cls);
COLLECTIONS_CLASSES(DECLARE)
#undef DECLARE

void collections_register_classes() {
  defobj_register_classes();
#define REGISTER(cls) objc_register_##cls();
  COLLECTIONS_CLASSES(REGISTER)
#undef REGISTER
}
