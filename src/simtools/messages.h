// Messages of the text files.
#pragma once

#include <cstdio>

#include "defobj/messages.h"

namespace msg {
// Creation (class messages; create:setName: is the object model's).
inline const Message<id(id, const char*)> create_withName{"create:withName:"};
inline const Message<id(FILE*)> _setFile_{"_setFile_:"};
inline const Message<FILE*()> _getFile_{"_getFile_"};

// OutFile: each writer answers the file.
inline const Message<id(const char*)> putString{"putString:"};
inline const Message<id(int)> putInt{"putInt:"};
inline const Message<id(unsigned)> putUnsigned{"putUnsigned:"};
inline const Message<id(long)> putLong{"putLong:"};
inline const Message<id(unsigned long)> putUnsignedLong{"putUnsignedLong:"};
inline const Message<id(double)> putDouble{"putDouble:"};
inline const Message<id(float)> putFloat{"putFloat:"};
inline const Message<id(char)> putChar{"putChar:"};
inline const Message<id()> putNewLine{"putNewLine"};
inline const Message<id()> putTab{"putTab"};

// InFile: each reader answers 1 when it read something, 0 when not. The
// archive value nodes' getChar, getUnsigned, getFloat and getDouble hold
// the plain C++ names, so the readers of those types end in "Into".
inline const Message<int(char*)> getWord{"getWord:"};
inline const Message<int(char*)> getLine{"getLine:"};
inline const Message<int(int*)> getInt{"getInt:"};
inline const Message<int(unsigned*)> getUnsignedInto{"getUnsigned:"};
inline const Message<int(long*)> getLong{"getLong:"};
inline const Message<int(unsigned long*)> getUnsignedLong{"getUnsignedLong:"};
inline const Message<int(double*)> getDoubleInto{"getDouble:"};
inline const Message<int(float*)> getFloatInto{"getFloat:"};
inline const Message<int(char*)> getCharInto{"getChar:"};
inline const Message<int(char)> unGetChar{"unGetChar:"};
inline const Message<int()> skipLine{"skipLine"};
}  // namespace msg
