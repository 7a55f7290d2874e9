// The collections library's globals: location and error symbols, the
// archive-expression markers and the type variables.
#pragma once

#include "collections/messages.h"
#include "defobj/defobj.h"

extern id Start, End, Between, Removed, Member;
extern id OffsetOutOfRange, NoMembers, AlreadyAtEnd, AlreadyAtStart, InvalidIndexLoc,
    InvalidLocSymbol;
extern id ArchiverLiteral, ArchiverQuote, ArchiverEOL, ArchiverDot;

extern id Collection, Index, List, ListIndex, OrderedSet, Map, MapIndex, Set, Array, String,
    InputStream, OutputStream, Permutation, PermutedIndex, ListShuffler;

// The classes of the library, looked up by name at start-up.
extern id id_List_any, id_List_linked, id_List_mlinks, id_ListIndex_linked, id_ListIndex_mlinks,
    id_OrderedSet_c;

void collections_register_classes();
