// What the HDF5 node and record-type classes share: the native types of
// the value type codes, probing calls with HDF5's error printing off, and
// arrays of fixed-length strings.
#pragma once

#include <hdf5.h>

#include "defobj/fcall_type.h"

// The native HDF5 type of a value type code (booleans: one bit in one
// byte). Strings and object codes have none: asking is a programming error.
hid_t tid_for_fcall_type(fcall_type_t type);
// The value type code of an HDF5 type, from its class, size and sign;
// a type without one (enum, array, compound and the rest) is a LoadError.
fcall_type_t fcall_type_for_tid(hid_t tid);
// The name of an HDF5 type class, for reports.
const char* hdf5_class_name(H5T_class_t typeClass);

// Runs a probing call with HDF5's automatic error printing switched off,
// so that a missing file, member or attribute is an ordinary result.
template <class F>
auto suppress_messages(F&& call) {
  H5E_auto2_t function;
  void* data;
  H5Eget_auto2(H5E_DEFAULT, &function, &data);
  H5Eset_auto2(H5E_DEFAULT, nullptr, nullptr);
  auto result = call();
  H5Eset_auto2(H5E_DEFAULT, function, data);
  return result;
}

// Raises errorSymbol (from the function) unless HDF5 is at least 1.8.7.
void hdf5_check_version(id errorSymbol, const char* function);

// A copy of H5T_C_S1 of the size, NUL-terminated.
hid_t hdf5_string_type(size_t size, id errorSymbol, const char* function);
// The texts laid out as count fixed-length strings of the size, each cut
// to size - 1 characters; a nil text is empty. Answers a block of the
// scratch zone of count * size bytes, which the caller frees.
char* hdf5_pack_strings(const char* const* texts, size_t count, size_t size);
// The count fixed-length strings of the block as copies in the zone.
void hdf5_unpack_strings(const char* block, size_t count, size_t size, id zone, const char** texts);

// Whether a variable of one value type may be stored in, or read from, a
// record member of the other: the same code, or integers of one kind and
// another width (long with int or long long, booleans with bytes).
bool hdf5_compatible_types(fcall_type_t variable, fcall_type_t stored);
