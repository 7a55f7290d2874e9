// The two list variants and their indexes, generated from one template.
// A traits class says where a member's link lives.
#include <cstdio>

#include "collections/List.h"
#include "collections/collections.h"
#include "defobj/Zone.h"
#include "defobj/phase.h"

namespace {

Class boundClass(id bound, const char* name) { return bound ? reinterpret_cast<Class>(bound) : objc_get_class(name); }

}  // namespace

// Each member in a link block of the list's zone: next, prev, member.
struct LinkedLinks {
  static constexpr const char* family = "linked";
  static constexpr bool inMembers = false;
  struct Block {
    link_t link;
    id member;
  };

  static Class listClass() { return boundClass(id_List_linked, "List_linked"); }
  static Class indexClass() { return boundClass(id_ListIndex_linked, "ListIndex_linked"); }

  static link_t* linkFor(List_any* list, id member) {
    auto* block = static_cast<Block*>(msg::allocBlock(list->zone(), sizeof(Block)));
    block->member = member;
    return &block->link;
  }
  static id memberOf(const List_any*, link_t* link) { return reinterpret_cast<Block*>(link)->member; }
  static void release(List_any* list, link_t* link) { msg::freeBlock_blockSize(list->zone(), link, sizeof(Block)); }
  static bool holds(List_any*, id) { return false; }  // a linked list may hold a member twice

  static link_t* replace(List_any*, link_t* link, id member) {
    reinterpret_cast<Block*>(link)->member = member;
    return link;
  }
};
static_assert(sizeof(LinkedLinks::Block) == 24);

// The link in two words inside each member, at the list's member offset.
struct MemberLinks {
  static constexpr const char* family = "mlinks";
  static constexpr bool inMembers = true;

  static Class indexClass() { return boundClass(id_ListIndex_mlinks, "ListIndex_mlinks"); }

  static link_t* linkFor(List_any* list, id member) {
    if (!member) raiseAt(InvalidArgument, "-[List(mlinks) _add]", "> a member-link list cannot hold nil\n");
    return reinterpret_cast<link_t*>(reinterpret_cast<char*>(member) + list->memberLoc());
  }
  static id memberOf(const List_any* list, link_t* link) {
    return reinterpret_cast<id>(reinterpret_cast<char*>(link) - list->memberLoc());
  }
  static void release(List_any*, link_t*) {}

  // A member whose link word is set may be in the list already.
  static bool holds(List_any* list, id member) {
    if (!list->firstLink || !linkFor(list, member)->next) return false;
    id index = beginMlinksList(list, list->zone());
    const bool found = msg::findNext(index, member) != nil;
    msg::drop(index);
    return found;
  }

  // The new member takes the old one's place in the ring.
  static link_t* replace(List_any* list, link_t* old, id member) {
    link_t* link = linkFor(list, member);
    if (old->next == old) {
      link->next = link->prev = link;
    } else {
      link->next = old->next;
      link->prev = old->prev;
      old->prev->next = link;
      old->next->prev = link;
    }
    if (list->firstLink == old) list->firstLink = link;
    return link;
  }
};

namespace {

// Ring edits shared by both variants.
void linkBefore(link_t* at, link_t* link) {
  link->prev = at->prev;
  link->next = at;
  at->prev->next = link;
  at->prev = link;
}

void linkFirst(List_any* list, link_t* link) {
  if (list->firstLink) linkBefore(list->firstLink, link);
  else link->next = link->prev = link;
  list->firstLink = link;
  list->count++;
}

void linkLast(List_any* list, link_t* link) {
  if (list->firstLink) linkBefore(list->firstLink, link);
  else list->firstLink = link->next = link->prev = link;
  list->count++;
}

void unlink(List_any* list, link_t* link) {
  if (link->next == link) {
    list->firstLink = nullptr;
  } else {
    link->prev->next = link->next;
    link->next->prev = link->prev;
    if (list->firstLink == link) list->firstLink = link->next;
  }
  list->count--;
}

void initIndex(ListIndex_any* index, id list) {
  index->collection = list;
  index->link = Start;
  index->position = 0;
}

}  // namespace

// Reports name the variant, as in "-[ListIndex(linked) _next]".
#define raiseVariant(symbol, kind, selector)                                                 \
  do {                                                                                       \
    char function[64];                                                                       \
    std::snprintf(function, sizeof function, "-[%s(%s) %s]", kind, Links::family, selector); \
    raiseDefaultAt(symbol, function);                                                        \
  } while (0)

// --- lists ---

template <class Links>
void ListGEN<Links>::addFirst(id member) {
  if (!Links::holds(this, member)) linkFirst(this, Links::linkFor(this, member));
}

template <class Links>
void ListGEN<Links>::addLast(id member) {
  if (!Links::holds(this, member)) linkLast(this, Links::linkFor(this, member));
}

template <class Links>
id ListGEN<Links>::removeFirst() {
  if (!firstLink) raiseVariant(NoMembers, "List", "_removeFirst");
  link_t* link = firstLink;
  id member = Links::memberOf(this, link);
  unlink(this, link);
  Links::release(this, link);
  return member;
}

template <class Links>
id ListGEN<Links>::removeLast() {
  if (!firstLink) raiseVariant(NoMembers, "List", "_removeLast");
  link_t* link = firstLink->prev;
  id member = Links::memberOf(this, link);
  unlink(this, link);
  Links::release(this, link);
  return member;
}

template <class Links>
id ListGEN<Links>::begin(id zone) {
  return _createIndex_forIndexSubclass(zone, Links::indexClass());
}

template <class Links>
id ListGEN<Links>::listBegin(id zone) {
  return msg::begin(this, zone);
}

template <class Links>
id ListGEN<Links>::_createIndex_forIndexSubclass(id zone, Class indexClass) {
  auto* index = static_cast<ListIndex_any*>(msg::allocIVars(zone, indexClass));
  initIndex(index, this);
  return index;
}

template <class Links>
id ListGEN<Links>::_createPermutedIndex_forIndexSubclass(id zone, Class) {
  return beginPermuted(zone);
}

template <class Links>
id ListGEN<Links>::createIndex_fromMember(id zone, id member) {
  if constexpr (!Links::inMembers) {
    raiseAt(SourceMessage, "-[List(linked) _createIndex:fromMember:]",
            "> createIndex:fromMember: requires IndexFromMemberLoc value\n");
    return nil;
  } else {
    auto* index = static_cast<ListIndex_any*>(msg::allocIVars(zone, Links::indexClass()));
    index->collection = this;
    index->link = Links::linkFor(this, member);
    index->position = NoOffset;
    return index;
  }
}

// The copy keeps links of its own: a member-link copy would have to write
// into the very link words that this list uses.
template <class Links>
id ListGEN<Links>::copy(id zone) {
  auto* copy = static_cast<List_any*>(msg::allocIVars(zone, Links::inMembers ? LinkedLinks::listClass() : isa));
  copy->zbits |= BitInternalAlloc;
  link_t* link = firstLink;
  for (uint32_t i = 0; i < count; i++, link = link->next) msg::addLast(copy, Links::memberOf(this, link));
  return copy;
}

template <class Links>
void ListGEN<Links>::describe(id stream) {
  Collection_any::describe(stream);
  if (Links::inMembers) describeText(stream, "> internal links at offset: %d\n", memberLoc());
}

template <class Links>
void ListGEN<Links>::mapAllocations(mapalloc_t mapalloc) {
  if constexpr (!Links::inMembers) {
    link_t* link = firstLink;
    for (uint32_t i = 0; i < count; i++) {
      link_t* next = link->next;  // the callback may free this link
      mapalloc->alloc = link;
      mapalloc->descriptor = t_ByteArray;
      mapalloc->size = sizeof(LinkedLinks::Block);
      mapalloc->mappingFunction(mapalloc, NO);
      link = next;
    }
  }
}

// --- indexes ---

namespace {
List_any* listOf(const ListIndex_any* index) { return static_cast<List_any*>(index->collection); }
link_t* linkOf(const ListIndex_any* index) { return static_cast<link_t*>(index->link); }
}  // namespace

template <class Links>
void prefetchFollowingLinks(const ListIndex_any* index) {
  if (index->position <= 0) return;
  const List_any* list = listOf(index);
  link_t* following = linkOf(index)->next;
  if (following == list->firstLink) return;
  __builtin_prefetch(following->next);
  __builtin_prefetch(Links::memberOf(list, following));
}

template <class Links>
id memberAheadLinks(const ListIndex_any* index, unsigned ahead) {
  if (index->position <= 0) return nil;
  const List_any* list = listOf(index);
  link_t* link = linkOf(index);
  for (unsigned i = 0; i < ahead; i++) {
    link = link->next;
    if (link == list->firstLink) return nil;
  }
  return Links::memberOf(list, link);
}

namespace {
// Calls peek with the links kind of a list index; answers nil on any other index.
template <class Peek>
id onListIndex(id index, Peek peek) {
  auto* listIndex = static_cast<ListIndex_any*>(index);
  if (index->isa == static_cast<Class>(id_ListIndex_linked)) return peek(LinkedLinks{}, listIndex);
  if (index->isa == static_cast<Class>(id_ListIndex_mlinks)) return peek(MemberLinks{}, listIndex);
  return nil;
}
}  // namespace

id memberAhead(id index, unsigned ahead) {
  return onListIndex(index,
                     [ahead]<class Links>(Links, const ListIndex_any* i) { return memberAheadLinks<Links>(i, ahead); });
}

void prefetchFollowing(id index) {
  onListIndex(index, []<class Links>(Links, const ListIndex_any* i) {
    prefetchFollowingLinks<Links>(i);
    return id{nil};
  });
}

template <class Links>
id ListIndexGEN<Links>::next() {
  List_any* list = listOf(this);
  if (position > 0) {
    link_t* following = linkOf(this)->next;
    if (following == list->firstLink) {
      position = 0;
      link = End;
      return nil;
    }
    if (position != NoOffset) position++;
    link = following;
    return Links::memberOf(list, following);
  }
  if (position == 0) {
    if (link != Start) raiseVariant(AlreadyAtEnd, "ListIndex", "_next");
    if (!list->firstLink) {
      link = End;
      return nil;
    }
    position = 1;
    link = list->firstLink;
    return Links::memberOf(list, list->firstLink);
  }
  if (link == Start) {  // the first member was removed
    position = 0;
    return msg::next(this);
  }
  position = -position;
  link_t* following = linkOf(this)->next;
  if (following == list->firstLink) {
    position = 0;
    link = End;
    return nil;
  }
  link = following;
  return Links::memberOf(list, following);
}

template <class Links>
id ListIndexGEN<Links>::prev() {
  List_any* list = listOf(this);
  if (position > 0) {
    if (linkOf(this) == list->firstLink) {
      position = 0;
      link = Start;
      return nil;
    }
    if (position != NoOffset) position--;
    link = linkOf(this)->prev;
    return Links::memberOf(list, linkOf(this));
  }
  if (position == 0) {
    if (link != End) raiseVariant(AlreadyAtStart, "ListIndex", "_prev");
    if (!list->firstLink) {
      link = Start;
      return nil;
    }
    position = static_cast<int32_t>(list->count);
    link = list->firstLink->prev;
    return Links::memberOf(list, linkOf(this));
  }
  if (link == Start) {
    position = 0;
    return nil;
  }
  if (link == End) {
    position = 0;
    return msg::prev(this);
  }
  position = -position == NoOffset ? NoOffset : -position - 1;
  return Links::memberOf(list, linkOf(this));
}

template <class Links>
id ListIndexGEN<Links>::get() {
  return position > 0 ? Links::memberOf(listOf(this), linkOf(this)) : nil;
}

template <class Links>
id ListIndexGEN<Links>::put(id member) {
  if (position <= 0) raiseVariant(InvalidIndexLoc, "ListIndex", "_put:");
  List_any* list = listOf(this);
  id former = Links::memberOf(list, linkOf(this));
  link = Links::replace(list, linkOf(this), member);
  return former;
}

template <class Links>
id ListIndexGEN<Links>::remove_() {
  if (position <= 0) raiseVariant(InvalidIndexLoc, "ListIndex", "_remove");
  List_any* list = listOf(this);
  link_t* removed = linkOf(this);
  id member = Links::memberOf(list, removed);
  if (list->count < 2 || removed == list->firstLink) {
    link = Start;
    position = -1;
  } else {
    link = removed->prev;
    position = -position;
  }
  unlink(list, removed);
  Links::release(list, removed);
  return member;
}

template <class Links>
id ListIndexGEN<Links>::getLoc() {
  if (position > 0) return Member;
  if (position < 0) return Removed;
  return static_cast<id>(link);
}

template <class Links>
void ListIndexGEN<Links>::setLoc(id location) {
  if (location != Start && location != End) raiseVariant(InvalidLocSymbol, "ListIndex", "_setLoc:");
  link = location;
  position = 0;
}

template <class Links>
int ListIndexGEN<Links>::getOffset() {
  return position > 0 && position != NoOffset ? position - 1 : -1;
}

template <class Links>
id ListIndexGEN<Links>::setOffset(int offset) {
  if (static_cast<unsigned>(offset) >= listOf(this)->count) raiseVariant(OffsetOutOfRange, "ListIndex", "_setOffset:");
  setLoc(Start);
  for (int i = 0; i <= offset; i++) next();
  return get();
}

template <class Links>
void ListIndexGEN<Links>::addAfter(id member) {
  List_any* list = listOf(this);
  if (position == 0 && link == Start) {
    linkFirst(list, Links::linkFor(list, member));
    return;
  }
  if (position <= 0) raiseVariant(InvalidIndexLoc, "ListIndex", "_addAfter:");
  link_t* added = Links::linkFor(list, member);
  linkBefore(linkOf(this)->next, added);
  list->count++;
}

template <class Links>
void ListIndexGEN<Links>::addBefore(id member) {
  List_any* list = listOf(this);
  if (position == 0 && link == End) {
    linkLast(list, Links::linkFor(list, member));
    return;
  }
  if (position <= 0) raiseVariant(InvalidIndexLoc, "ListIndex", "_addBefore:");
  link_t* added = Links::linkFor(list, member);
  linkBefore(linkOf(this), added);
  if (list->firstLink == linkOf(this)) list->firstLink = added;
  list->count++;
  if (position != NoOffset) position++;
}

// The generic forms walk a list with an index made for the purpose; a list
// reaches a member, or empties itself, straight along its ring.
template <class Links>
struct ListDirect : ListGEN<Links> {
  id atOffset(unsigned offset);
  void removeAll();
};

template <class Links>
id ListDirect<Links>::atOffset(unsigned offset) {
  if (offset >= this->count) raiseDefaultAt(OffsetOutOfRange, "indexAtOffset");
  link_t* link = this->firstLink;
  for (unsigned i = 0; i < offset; i++) link = link->next;
  return Links::memberOf(this, link);
}

template <class Links>
void ListDirect<Links>::removeAll() {
  while (link_t* link = this->firstLink) {
    unlink(this, link);
    Links::release(this, link);
  }
}

template struct ListGEN<LinkedLinks>;
template struct ListGEN<MemberLinks>;
template struct ListIndexGEN<LinkedLinks>;
template struct ListIndexGEN<MemberLinks>;
template struct ListDirect<LinkedLinks>;
template struct ListDirect<MemberLinks>;

// --- plain functions ---

id beginLinkedList(id list) {
  auto* index = static_cast<ListIndex_any*>(
      plainZoneOf(static_cast<List_any*>(list)->zone())->allocIVarsComponent(LinkedLinks::indexClass()));
  initIndex(index, list);
  return index;
}

id beginMlinksList(id list, id zone) {
  auto* index = static_cast<ListIndex_any*>(plainZoneOf(zone)->allocIVarsComponent(MemberLinks::indexClass()));
  initIndex(index, list);
  return index;
}

id getFirstMlinksList(id list) {
  auto* l = static_cast<List_any*>(list);
  return MemberLinks::memberOf(l, l->firstLink);
}

void removeMlinksMember(id list, id member) {
  auto* l = static_cast<List_any*>(list);
  unlink(l, MemberLinks::linkFor(l, member));
}

// The class tables: one per variant, from the same member functions.
#define LIST_METHODS(List, Links)                                                                   \
  phase(Phase::UsingOnly), method<&List::addFirst>(msg::addFirst), method<&List::addLast>(msg::addLast), \
      method<&List::removeFirst>(msg::removeFirst), method<&List::removeLast>(msg::removeLast),      \
      method<&List::begin>(msg::begin), method<&List::listBegin>(msg::listBegin),                    \
      method<&List::_createIndex_forIndexSubclass>(msg::_createIndex_forIndexSubclass),              \
      method<&List::_createPermutedIndex_forIndexSubclass>(msg::_createPermutedIndex_forIndexSubclass), \
      method<&List::createIndex_fromMember>(msg::createIndex_fromMember),                            \
      method<&List::copy>(msg::copy), method<&List::describe>(msg::describe),                        \
      method<&List::mapAllocations>(msg::mapAllocations),                                            \
      method<&ListDirect<Links>::atOffset>(msg::atOffset),                                           \
      method<&ListDirect<Links>::removeAll>(msg::removeAll)

#define LIST_INDEX_METHODS(Index)                                                                      \
  phase(Phase::UsingOnly), method<&Index::next>(msg::next), method<&Index::prev>(msg::prev),           \
      method<&Index::get>(msg::get), method<&Index::put>(msg::put), method<&Index::put>(msg::replace), \
      method<&Index::remove_>(msg::remove_), method<&Index::getLoc>(msg::getLoc),                      \
      method<&Index::setLoc>(msg::setLoc), method<&Index::getOffset>(msg::getOffset),                  \
      method<&Index::setOffset>(msg::setOffset), method<&Index::addAfter>(msg::addAfter),              \
      method<&Index::addBefore>(msg::addBefore)

REGISTER_CLASS(List_linked, List_any, LIST_METHODS(List_linked, LinkedLinks))
REGISTER_CLASS(List_mlinks, List_any, LIST_METHODS(List_mlinks, MemberLinks))
REGISTER_CLASS(ListIndex_linked, ListIndex_any, LIST_INDEX_METHODS(ListIndex_linked))
REGISTER_CLASS(ListIndex_mlinks, ListIndex_any, LIST_INDEX_METHODS(ListIndex_mlinks))
