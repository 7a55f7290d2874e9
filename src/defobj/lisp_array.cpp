#include "defobj/lisp_array.h"

#include "collections/stream_messages.h"
#include "defobj/defobj.h"
#include "defobj/objc_array.h"
#include "misc/debugabort.h"

namespace {

template <class T>
T at(const void* data, unsigned index) {
  return static_cast<const T*>(data)[index];
}

}  // namespace

void lisp_output_type(fcall_type_t type, const void* data, unsigned index, id stream, BOOL deep) {
  switch (type) {
    case fcall_type_boolean: msg::catBoolean(stream, at<BOOL>(data, index)); break;
    case fcall_type_uchar: msg::catChar(stream, static_cast<char>(at<unsigned char>(data, index))); break;
    case fcall_type_schar: msg::catChar(stream, at<char>(data, index)); break;
    case fcall_type_ushort: msg::catUnsignedShort(stream, at<unsigned short>(data, index)); break;
    case fcall_type_sshort: msg::catShort(stream, at<short>(data, index)); break;
    case fcall_type_uint: msg::catUnsigned(stream, at<unsigned>(data, index)); break;
    case fcall_type_sint: msg::catInt(stream, at<int>(data, index)); break;
    case fcall_type_ulong: msg::catUnsignedLong(stream, at<unsigned long>(data, index)); break;
    case fcall_type_slong: msg::catLong(stream, at<long>(data, index)); break;
    case fcall_type_ulonglong: msg::catUnsignedLongLong(stream, at<unsigned long long>(data, index)); break;
    case fcall_type_slonglong: msg::catLongLong(stream, at<long long>(data, index)); break;
    case fcall_type_float: msg::catFloat(stream, at<float>(data, index)); break;
    case fcall_type_double: msg::catDouble(stream, at<double>(data, index)); break;
    case fcall_type_long_double: msg::catLongDouble(stream, at<long double>(data, index)); break;
    case fcall_type_object: {
      id object = at<id>(data, index);
      if (object && deep) msg::lispOutDeep(object, stream);
      else msg::catNil(stream);
      break;
    }
    case fcall_type_class: msg::catClass(stream, at<Class>(data, index)); break;
    case fcall_type_string: {
      const char* text = at<const char*>(data, index);
      if (text) msg::catString(stream, text);
      else msg::catNil(stream);
      break;
    }
    case fcall_type_selector: raiseAt(NotImplemented, "lisp_output_type", "Selectors not supported"); break;
    case fcall_type_iid: msg::catPointer(stream, at<void*>(data, index)); break;
    default: debugabort(__FILE_NAME__, __LINE__, __func__);
  }
}

void lisp_process_array(unsigned rank, const unsigned* dims, fcall_type_t type, const void* data, id stream,
                        BOOL deep) {
  msg::catArrayRank(stream, rank);
  // A blank goes before every element or level but the first of its list.
  bool neighbour = false;
  auto separate = [&] {
    if (neighbour) msg::catSeparator(stream);
  };
  array_visitor visitor;
  visitor.startDimension = [&](unsigned) {
    separate();
    msg::catStartExpr(stream);
    neighbour = false;
  };
  visitor.endDimension = [&](unsigned) {
    msg::catEndExpr(stream);
    neighbour = true;
  };
  visitor.outputElement = [&](fcall_type_t elementType, unsigned index) {
    separate();
    lisp_output_type(elementType, data, index, stream, deep);
    neighbour = true;
  };
  process_array(rank, dims, type, visitor);
  msg::catEndArray(stream);
}
