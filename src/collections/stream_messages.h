// Messages of strings, the archive-expression streams and their nodes.
#pragma once

#include <cstdio>

#include "collections/messages.h"

namespace msg {
// Strings (create:setC: is a class message).
inline const Message<id(id, const char*)> create_setC{"create:setC:"};
inline const Message<void(const char*)> setC{"setC:"};
inline const Message<const char*()> getC{"getC"};
inline const Message<unsigned()> length{"length"};  // count is declared with the keyed collections
inline const Message<void(BOOL)> setLiteralFlag{"setLiteralFlag:"};
inline const Message<BOOL()> getLiteralFlag{"getLiteralFlag"};

// Archiving forms that every expression node answers.
inline const Message<void(id)> lispOutShallow{"lispOutShallow:"};
inline const Message<void(id)> lispOutDeep{"lispOutDeep:"};

// Streams (the create: messages are class messages).
inline const Message<id(id, FILE*)> create_setFileStream{"create:setFileStream:"};
inline const Message<id(id, id)> create_setExpr{"create:setExpr:"};
inline const Message<void(FILE*)> setFileStream{"setFileStream:"};
inline const Message<FILE*()> getFileStream{"getFileStream"};
inline const Message<void(BOOL)> setExprFlag{"setExprFlag:"};
inline const Message<void(id)> setExpr{"setExpr:"};
inline const Message<id()> getExpr{"getExpr"};

// The writer. catC: is declared with the collection messages.
inline const Message<void()> catStartExpr{"catStartExpr"};
inline const Message<void()> catEndExpr{"catEndExpr"};
inline const Message<void()> catSeparator{"catSeparator"};
inline const Message<void(const char*)> catLiteral{"catLiteral:"};
inline const Message<void(const char*)> catString{"catString:"};
inline const Message<void(const char*)> catSymbol{"catSymbol:"};
inline const Message<void(const char*)> catKeyword{"catKeyword:"};
inline const Message<void(BOOL)> catBoolean{"catBoolean:"};
inline const Message<void(char)> catChar{"catChar:"};
inline const Message<void(short)> catShort{"catShort:"};
inline const Message<void(unsigned short)> catUnsignedShort{"catUnsignedShort:"};
inline const Message<void(int)> catInt{"catInt:"};
inline const Message<void(unsigned)> catUnsigned{"catUnsigned:"};
inline const Message<void(long)> catLong{"catLong:"};
inline const Message<void(unsigned long)> catUnsignedLong{"catUnsignedLong:"};
inline const Message<void(long long)> catLongLong{"catLongLong:"};
inline const Message<void(unsigned long long)> catUnsignedLongLong{"catUnsignedLongLong:"};
inline const Message<void(float)> catFloat{"catFloat:"};
inline const Message<void(double)> catDouble{"catDouble:"};
inline const Message<void(long double)> catLongDouble{"catLongDouble:"};
inline const Message<void(const void*)> catPointer{"catPointer:"};
inline const Message<void(Class)> catClass{"catClass:"};
inline const Message<void(const char*)> catClassName{"catClassName:"};
inline const Message<void()> catNil{"catNil"};
inline const Message<void(unsigned)> catArrayRank{"catArrayRank:"};
inline const Message<void()> catEndArray{"catEndArray"};
inline const Message<void(unsigned, unsigned)> catUnsignedPair_{"catUnsignedPair::"};
inline const Message<void(const char*)> catStartFunction{"catStartFunction:"};
inline const Message<void()> catEndFunction{"catEndFunction"};
inline const Message<void()> catStartList{"catStartList"};
inline const Message<void()> catEndList{"catEndList"};
inline const Message<void()> catStartParse{"catStartParse"};
inline const Message<void()> catEndParse{"catEndParse"};
inline const Message<void()> catStartCons{"catStartCons"};
inline const Message<void()> catEndCons{"catEndCons"};
inline const Message<void()> catStartQuotedList{"catStartQuotedList"};
inline const Message<void()> catEndQuotedList{"catEndQuotedList"};
inline const Message<void(const char*)> catStartMakeInstance{"catStartMakeInstance:"};
inline const Message<void()> catEndMakeInstance{"catEndMakeInstance"};
inline const Message<void(const char*)> catStartMakeClass{"catStartMakeClass:"};
inline const Message<void()> catEndMakeClass{"catEndMakeClass"};
inline const Message<void(const char*)> catType{"catType:"};
inline const Message<void(const char*)> catArrayType{"catArrayType:"};

// Keyword nodes.
inline const Message<void(const char*)> setKeywordName{"setKeywordName:"};
inline const Message<const char*()> getKeywordName{"getKeywordName"};

// Value nodes (setClass: and getClass are the class messages' selectors).
inline const Message<void(BOOL)> setBoolean{"setBoolean:"};
inline const Message<void(char)> setChar{"setChar:"};
inline const Message<void(long long)> setLongLong{"setLongLong:"};
inline const Message<void(float)> setFloat{"setFloat:"};
inline const Message<void(double)> setDouble{"setDouble:"};
inline const Message<void(long double)> setLongDouble{"setLongDouble:"};
inline const Message<void()> setNil{"setNil"};
inline const Message<void(const char*)> setClassName{"setClassName:"};
inline const Message<int()> getValueType{"getValueType"};
inline const Message<BOOL()> getBoolean{"getBoolean"};
inline const Message<char()> getChar{"getChar"};
inline const Message<long long()> getLongLong{"getLongLong"};
inline const Message<int()> getInteger{"getInteger"};
inline const Message<unsigned()> getUnsigned{"getUnsigned"};
inline const Message<float()> getFloat{"getFloat"};
inline const Message<double()> getDouble{"getDouble"};
inline const Message<long double()> getLongDouble{"getLongDouble"};
inline const Message<id()> getObject{"getObject"};

// Pair nodes.
inline const Message<void(id)> setCar{"setCar:"};
inline const Message<void(id)> setCdr{"setCdr:"};
inline const Message<id()> getCar{"getCar"};
inline const Message<id()> getCdr{"getCdr"};
inline const Message<void(BOOL)> setConsFormatFlag{"setConsFormatFlag:"};
inline const Message<BOOL()> getConsFormatFlag{"getConsFormatFlag"};

// Quoted nodes.
inline const Message<void(id)> setQuotedObject{"setQuotedObject:"};
inline const Message<id()> getQuotedObject{"getQuotedObject"};

// Array nodes.
inline const Message<void(id)> setArray{"setArray:"};
inline const Message<void(int, void*)> convertToType_dest{"convertToType:dest:"};
inline const Message<unsigned()> getRank{"getRank"};
inline const Message<unsigned*()> getDims{"getDims"};
inline const Message<unsigned()> getElementCount{"getElementCount"};
inline const Message<unsigned()> getElementSize{"getElementSize"};
inline const Message<int()> getArrayType{"getArrayType"};
inline const Message<void*()> getData{"getData"};
}  // namespace msg
