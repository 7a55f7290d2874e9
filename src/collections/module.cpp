// The collections module: its globals, symbols, types and classes.
#include "collections/collections.h"
#include "defobj/module.h"

#define COLLECTIONS_SYMBOLS(X) X(Start) X(End) X(Between) X(Removed) X(Member)
#define COLLECTIONS_ERRORS(X)                                                                 \
  X(OffsetOutOfRange) X(NoMembers) X(AlreadyAtEnd) X(AlreadyAtStart) X(InvalidIndexLoc)       \
  X(InvalidLocSymbol)

// (type variable, supertypes)
#define COLLECTIONS_TYPES(X)                                                                  \
  X(Offsets, nullptr) X(ForEach, nullptr) X(ForEachKey, nullptr) X(Index, nullptr)            \
  X(PermutedIndex, _obj_creatableType) X(Collection, nullptr) X(DefaultMember, nullptr)       \
  X(MemberBlock, nullptr) X(Array, _obj_creatableType) X(ListIndex, nullptr)                  \
  X(List, _obj_creatableType) X(CompareFunction, nullptr) X(KeyedCollection, nullptr)         \
  X(KeyedCollectionIndex, nullptr) X(MemberSlot, nullptr) X(_Set, nullptr)                    \
  X(Set, _obj_creatableType) X(OrderedSet, _obj_creatableType) X(MapIndex, nullptr)           \
  X(Map, _obj_creatableType) X(OutputStream, _obj_creatableType)                              \
  X(InputStream, _obj_creatableType) X(ArchiverKeyword, _obj_creatableType)                   \
  X(ArchiverArray, _obj_creatableType) X(ArchiverValue, _obj_creatableType)                   \
  X(ArchiverPair, _obj_creatableType) X(ArchiverList, _obj_creatableType)                     \
  X(ArchiverQuoted, _obj_creatableType) X(String, _obj_creatableType)                         \
  X(ListShuffler, _obj_creatableType) X(PermutationItem, _obj_creatableType)                  \
  X(Permutation, _obj_creatableType)

// The module's classes, each held in its id_ variable.
#define COLLECTIONS_MODULE_CLASSES(X)                                                         \
  X(Array_c) X(ArrayIndex_c) X(Collection_any) X(Index_any) X(PermutedIndex_c)                \
  X(InputStream_c) X(ArchiverKeyword_c) X(ArchiverArray_c) X(ArchiverValue_c)                 \
  X(ArchiverPair_c) X(ArchiverList_c) X(ArchiverQuoted_c) X(List_any) X(ListIndex_any)        \
  X(List_linked) X(ListIndex_linked) X(List_mlinks) X(ListIndex_mlinks) X(ListShuffler_c)     \
  X(Map_c) X(MapIndex_c) X(OrderedSet_c) X(OrderedSetIndex_c) X(OutputStream_c) X(Set_c)      \
  X(SetIndex_c) X(PermutationItem_c) X(Permutation_c) X(String_c)

COLLECTIONS_SYMBOLS(MODULE_VARIABLE)
COLLECTIONS_ERRORS(MODULE_VARIABLE)
COLLECTIONS_TYPES(TYPE_VARIABLE)
COLLECTIONS_MODULE_CLASSES(MODULE_CLASS_VARIABLE)
id ArchiverLiteral, ArchiverQuote, ArchiverEOL, ArchiverDot;

TYPE_TABLE(collectionsTypes, COLLECTIONS_TYPES)

namespace {

id* collectionsSymbols[] = {COLLECTIONS_SYMBOLS(MODULE_SYMBOL_ADDRESS)
                                COLLECTIONS_ERRORS(MODULE_SYMBOL_ADDRESS) nullptr};
const char* const collectionsSymbolNames[] = {"0Symbol", COLLECTIONS_SYMBOLS(MODULE_SYMBOL_NAME) "0Error",
                                              COLLECTIONS_ERRORS(MODULE_SYMBOL_NAME) nullptr};
id* collectionsClasses[] = {COLLECTIONS_MODULE_CLASSES(MODULE_CLASS_ADDRESS) nullptr};

void implementTypes() {
  msg::setTypeImplemented(id_Array_c, Array);
  msg::setTypeImplemented(id_List_any, List);
  msg::setTypeImplemented(id_List_linked, List);
  msg::setTypeImplemented(id_List_mlinks, List);
  // The list's createEnd tells a subclass's creating class from the
  // variants by this flag.
  static_cast<Class>(id_List_linked)->info &= ~CLS_RUNTIME_MADE;
  static_cast<Class>(id_List_mlinks)->info &= ~CLS_RUNTIME_MADE;
  msg::setTypeImplemented(id_ListIndex_linked, ListIndex);
  msg::setTypeImplemented(id_ListIndex_mlinks, ListIndex);
  msg::setTypeImplemented(id_Map_c, Map);
  msg::setTypeImplemented(id_MapIndex_c, MapIndex);
  msg::setTypeImplemented(id_Set_c, Set);
  msg::setTypeImplemented(id_OrderedSet_c, OrderedSet);
  msg::setTypeImplemented(id_String_c, String);
  msg::setTypeImplemented(id_InputStream_c, InputStream);
  msg::setTypeImplemented(id_OutputStream_c, OutputStream);
  msg::setTypeImplemented(id_ArchiverKeyword_c, ArchiverKeyword);
  msg::setTypeImplemented(id_ArchiverValue_c, ArchiverValue);
  msg::setTypeImplemented(id_ArchiverArray_c, ArchiverArray);
  msg::setTypeImplemented(id_ArchiverPair_c, ArchiverPair);
  msg::setTypeImplemented(id_ArchiverList_c, ArchiverList);
  msg::setTypeImplemented(id_ArchiverQuoted_c, ArchiverQuoted);
  msg::setTypeImplemented(id_Permutation_c, Permutation);
  msg::setTypeImplemented(id_PermutationItem_c, PermutationItem);
  msg::setTypeImplemented(id_PermutedIndex_c, PermutedIndex);
  msg::setTypeImplemented(id_ListShuffler_c, ListShuffler);
}

void makeArchiverMarkers() {
  ArchiverLiteral = msg::create_setName(Symbol, _obj_globalZone, "ArchiverLiteral");
  ArchiverQuote = msg::create_setName(Symbol, _obj_globalZone, "ArchiverQuote");
  ArchiverEOL = msg::create_setName(Symbol, _obj_globalZone, "ArchiverEOL");
  ArchiverDot = msg::create_setName(Symbol, _obj_globalZone, "ArchiverDot");
}

}  // namespace

MODULE_CLASS(collections, COLLECTIONS_MODULE_CLASSES)

ProgramModule_c _collections_{{}, "collections", nil, nil, collectionsTypes, collectionsSymbols,
                              collectionsSymbolNames, collectionsClasses, &implementTypes,
                              &makeArchiverMarkers};
