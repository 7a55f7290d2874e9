// Messages of the collections: the collection and index protocol, lists
// and ordered sets.
#pragma once

#include "defobj/messages.h"

namespace msg {
// Collection options (creating phase).
inline const Message<void(BOOL)> setReplaceOnly{"setReplaceOnly:"};
inline const Message<BOOL()> getReplaceOnly{"getReplaceOnly"};
inline const Message<void(int)> setIndexFromMemberLoc{"setIndexFromMemberLoc:"};
inline const Message<int()> getIndexFromMemberLoc{"getIndexFromMemberLoc"};
inline const Message<void(id)> setInitialValue{"setInitialValue:"};

// Collection (using phase).
inline const Message<unsigned()> getCount{"getCount"};
inline const Message<BOOL(id)> contains{"contains:"};
inline const Message<id(id)> remove{"remove:"};
inline const Message<void()> removeAll{"removeAll"};
inline const Message<void()> deleteAll{"deleteAll"};
inline const Message<BOOL()> allSameClass{"allSameClass"};
inline const Message<id(id)> begin{"begin:"};
inline const Message<id(id)> beginPermuted{"beginPermuted:"};
inline const Message<id(unsigned)> atOffset{"atOffset:"};
inline const Message<id(unsigned, id)> atOffset_put{"atOffset:put:"};
inline const Message<id()> getFirst{"getFirst"};
inline const Message<id()> getLast{"getLast"};
inline const Message<void(SEL)> forEach{"forEach:"};
inline const Message<void(SEL, id)> forEach_{"forEach::"};
inline const Message<void(SEL, id, id)> forEach__{"forEach:::"};
inline const Message<void(SEL, id, id, id)> forEach___{"forEach::::"};
inline const Message<id(id, id)> createIndex_fromMember{"createIndex:fromMember:"};

// Index.
inline const Message<id()> getCollection{"getCollection"};
inline const Message<id()> next{"next"};
inline const Message<id()> prev{"prev"};
inline const Message<id(id)> findNext{"findNext:"};
inline const Message<id(id)> findPrev{"findPrev:"};
inline const Message<id()> get{"get"};
inline const Message<id(id)> put{"put:"};
inline const Message<id(id)> replace{"replace:"};
inline const Message<id()> remove_{"remove"};
inline const Message<id()> getLoc{"getLoc"};
inline const Message<void(id)> setLoc{"setLoc:"};
inline const Message<int()> getOffset{"getOffset"};
inline const Message<id(int)> setOffset{"setOffset:"};

// Describe streams: anything that appends text.
inline const Message<void(const char*)> catC{"catC:"};

// Lists.
inline const Message<void(BOOL)> setDequeOnly{"setDequeOnly:"};
inline const Message<BOOL()> getDequeOnly{"getDequeOnly"};
inline const Message<void(int)> setCountPerBlock{"setCountPerBlock:"};
inline const Message<int()> getCountPerBlock{"getCountPerBlock"};
inline const Message<void(id)> addFirst{"addFirst:"};
inline const Message<void(id)> addLast{"addLast:"};
inline const Message<id()> removeFirst{"removeFirst"};
inline const Message<id()> removeLast{"removeLast"};
inline const Message<id(id)> listBegin{"listBegin:"};
inline const Message<id(id, Class)> _createIndex_forIndexSubclass{"_createIndex_:forIndexSubclass:"};
inline const Message<id(id, Class)> _createPermutedIndex_forIndexSubclass{"_createPermutedIndex_:forIndexSubclass:"};
inline const Message<void(id)> addAfter{"addAfter:"};
inline const Message<void(id)> addBefore{"addBefore:"};
inline const Message<void(id)> add{"add:"};
}  // namespace msg
