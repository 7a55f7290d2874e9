// Messages of archiving: the serialization forms every object answers and
// the archivers that keep named objects per application and mode.
// lispOutShallow: and lispOutDeep: are declared with the stream messages.
#pragma once

#include "collections/stream_messages.h"

namespace msg {
// Serialization of every object.
inline const Message<void(id, BOOL)> _lispOut__deep{"_lispOut_:deep:"};
inline const Message<void(id, BOOL)> lispOutVars_deep{"lispOutVars:deep:"};
inline const Message<id(id)> lispIn{"lispIn:"};
inline const Message<void(id)> updateArchiver{"updateArchiver:"};

// Writing one variable by hand: stream, variable name, value.
inline const Message<void(id, const char*, BOOL)> lispSaveStream_Boolean_Value{"lispSaveStream:Boolean:Value:"};
inline const Message<void(id, const char*, char)> lispSaveStream_Char_Value{"lispSaveStream:Char:Value:"};
inline const Message<void(id, const char*, short)> lispSaveStream_Short_Value{"lispSaveStream:Short:Value:"};
inline const Message<void(id, const char*, unsigned short)> lispSaveStream_UnsignedShort_Value{
    "lispSaveStream:UnsignedShort:Value:"};
inline const Message<void(id, const char*, int)> lispSaveStream_Integer_Value{"lispSaveStream:Integer:Value:"};
inline const Message<void(id, const char*, unsigned)> lispSaveStream_Unsigned_Value{
    "lispSaveStream:Unsigned:Value:"};
inline const Message<void(id, const char*, long)> lispSaveStream_Long_Value{"lispSaveStream:Long:Value:"};
inline const Message<void(id, const char*, unsigned long)> lispSaveStream_UnsignedLong_Value{
    "lispSaveStream:UnsignedLong:Value:"};
inline const Message<void(id, const char*, long long)> lispSaveStream_LongLong_Value{
    "lispSaveStream:LongLong:Value:"};
inline const Message<void(id, const char*, unsigned long long)> lispSaveStream_UnsignedLongLong_Value{
    "lispSaveStream:UnsignedLongLong:Value:"};
inline const Message<void(id, const char*, float)> lispSaveStream_Float_Value{"lispSaveStream:Float:Value:"};
inline const Message<void(id, const char*, double)> lispSaveStream_Double_Value{"lispSaveStream:Double:Value:"};

// Writing one array variable by hand: array, variable name, rank,
// dimensions, stream.
inline const Message<void(const BOOL*, const char*, unsigned, const unsigned*, id)>
    lispStoreBooleanArray_Keyword_Rank_Dims_Stream{"lispStoreBooleanArray:Keyword:Rank:Dims:Stream:"};
inline const Message<void(const char*, const char*, unsigned, const unsigned*, id)>
    lispStoreCharArray_Keyword_Rank_Dims_Stream{"lispStoreCharArray:Keyword:Rank:Dims:Stream:"};
inline const Message<void(const short*, const char*, unsigned, const unsigned*, id)>
    lispStoreShortArray_Keyword_Rank_Dims_Stream{"lispStoreShortArray:Keyword:Rank:Dims:Stream:"};
inline const Message<void(const int*, const char*, unsigned, const unsigned*, id)>
    lispStoreIntegerArray_Keyword_Rank_Dims_Stream{"lispStoreIntegerArray:Keyword:Rank:Dims:Stream:"};
inline const Message<void(const unsigned*, const char*, unsigned, const unsigned*, id)>
    lispStoreUnsignedArray_Keyword_Rank_Dims_Stream{"lispStoreUnsignedArray:Keyword:Rank:Dims:Stream:"};
inline const Message<void(const long*, const char*, unsigned, const unsigned*, id)>
    lispStoreLongArray_Keyword_Rank_Dims_Stream{"lispStoreLongArray:Keyword:Rank:Dims:Stream:"};
inline const Message<void(const unsigned long*, const char*, unsigned, const unsigned*, id)>
    lispStoreUnsignedLongArray_Keyword_Rank_Dims_Stream{"lispStoreUnsignedLongArray:Keyword:Rank:Dims:Stream:"};
inline const Message<void(const long long*, const char*, unsigned, const unsigned*, id)>
    lispStoreLongLongArray_Keyword_Rank_Dims_Stream{"lispStoreLongLongArray:Keyword:Rank:Dims:Stream:"};
inline const Message<void(const unsigned long long*, const char*, unsigned, const unsigned*, id)>
    lispStoreUnsignedLongLongArray_Keyword_Rank_Dims_Stream{
        "lispStoreUnsignedLongLongArray:Keyword:Rank:Dims:Stream:"};
inline const Message<void(const float*, const char*, unsigned, const unsigned*, id)>
    lispStoreFloatArray_Keyword_Rank_Dims_Stream{"lispStoreFloatArray:Keyword:Rank:Dims:Stream:"};
inline const Message<void(const double*, const char*, unsigned, const unsigned*, id)>
    lispStoreDoubleArray_Keyword_Rank_Dims_Stream{"lispStoreDoubleArray:Keyword:Rank:Dims:Stream:"};
inline const Message<void(const long double*, const char*, unsigned, const unsigned*, id)>
    lispStoreLongDoubleArray_Keyword_Rank_Dims_Stream{"lispStoreLongDoubleArray:Keyword:Rank:Dims:Stream:"};

// Archivers (create:setPath: is a class message).
inline const Message<id(id, const char*)> create_setPath{"create:setPath:"};
inline const Message<void(const char*)> setPath{"setPath:"};
inline const Message<void(BOOL)> setInhibitLoadFlag{"setInhibitLoadFlag:"};
inline const Message<void(BOOL)> setSystemArchiverFlag{"setSystemArchiverFlag:"};
inline const Message<void()> setDefaultPath{"setDefaultPath"};
inline const Message<void()> setDefaultAppPath{"setDefaultAppPath"};
inline const Message<void(id)> registerClient{"registerClient:"};
inline const Message<void(id)> unregisterClient{"unregisterClient:"};
inline const Message<void(const char*, id)> putDeep_object{"putDeep:object:"};
inline const Message<void(const char*, id)> putShallow_object{"putShallow:object:"};
// getObject: (getObject is the value nodes' getter).
inline const Message<id(const char*)> getObjectByKey{"getObject:"};
inline const Message<id(id, const char*)> getWithZone_key{"getWithZone:key:"};
inline const Message<void()> sync{"sync"};
inline const Message<void()> updateArchiver_{"updateArchiver"};

// The application records of a Lisp archiver.
inline const Message<id()> getStreamMap{"getStreamMap"};
}  // namespace msg
