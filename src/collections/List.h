// Lists: members in order, in a closed ring of links. Two variants come
// from one template (List_GEN.cpp), chosen at createEnd: List_linked keeps
// each member in a link block of its own, List_mlinks keeps the link in
// two words inside each member, at the offset given with
// setIndexFromMemberLoc:.
#pragma once

#include <cstdint>

#include "collections/Collection.h"
#include "collections/Index.h"

// A link: the neighbouring links of the ring.
struct link_t {
  link_t* next;
  link_t* prev;
};

struct List_any : Collection_any {
  link_t* firstLink;  // while being created with an initial value: that collection

  // Creating.
  void setInitialValue(id initial);
  void setDequeOnly(BOOL flag);
  void setCountPerBlock(int count);
  id createEnd();

  // Using.
  BOOL getDequeOnly();
  int getCountPerBlock();

  // Archiving forms (CollectionArchiving.cpp).
  void lispOutShallow(id stream);
  void lispOutDeep(id stream);
  id lispInCreate(id expr);
  id lispIn(id expr);
  void hdf5OutShallow(id node);
  void hdf5OutDeep(id node);
  id hdf5In(id node);
};

// The two kinds of link storage, each a traits class of the template.
struct LinkedLinks;
struct MemberLinks;

template <class Links>
struct ListGEN : List_any {
  void addFirst(id member);
  void addLast(id member);
  id removeFirst();
  id removeLast();
  id begin(id zone);
  id listBegin(id zone);
  id _createIndex_forIndexSubclass(id zone, Class indexClass);
  id _createPermutedIndex_forIndexSubclass(id zone, Class indexClass);
  id createIndex_fromMember(id zone, id member);
  id copy(id zone);
  void describe(id stream);
  void mapAllocations(mapalloc_t mapalloc);
};

using List_linked = ListGEN<LinkedLinks>;
using List_mlinks = ListGEN<MemberLinks>;

// An index on a list. position > 0: on the member at offset position - 1;
// 0: at Start or End (held in link); < 0: the member at -position - 1 was
// removed through this index (link is the link before the gap, or Start).
inline constexpr int32_t NoOffset = 0x3fffffff;  // a member-link index made from a member

struct ListIndex_any : Index_any {
  void* link;  // a link_t, or the symbol Start or End
  int32_t position;
};

template <class Links>
struct ListIndexGEN : ListIndex_any {
  id next();
  id prev();
  id get();
  id put(id member);
  id remove_();
  id getLoc();
  void setLoc(id location);
  int getOffset();
  id setOffset(int offset);
  void addAfter(id member);
  void addBefore(id member);
};

using ListIndex_linked = ListIndexGEN<LinkedLinks>;
using ListIndex_mlinks = ListIndexGEN<MemberLinks>;

// Indexes made without a message send, for the searches of sorted maps
// and the insertions of the scheduler: over a linked list, in the
// component zone of the list's zone; over a member-link list, in the
// component zone of the given zone (or that zone when it is a component
// zone).
id beginLinkedList(id list);
id beginMlinksList(id list, id zone);
// A walk about to visit the member a list index is on asks for what it
// visits next: the link after the following one and the following member
// are fetched into the cache while the current member is visited. Reads
// only links of the list as it stands; any other index is left alone.
void prefetchFollowing(id index);
// The member that many places after a list index's current member, or nil
// past the end, off a member, or on another index. Reads only links of the
// list as it stands.
id memberAhead(id index, unsigned ahead);
// The first member of a non-empty member-link list.
id getFirstMlinksList(id list);
// Takes a member out of a member-link list that holds it, without making
// an index: a zone's population loses a member on every free.
void removeMlinksMember(id list, id member);
