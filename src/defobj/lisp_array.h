// Archive text of variable values: one value of any type code, or a whole
// multi-dimensional array, written through an OutputStream.
#pragma once

#include "defobj/fcall_type.h"

// Writes element index of an array of the type at data (index 0 for a
// scalar). An object is written deep, as its own lispOutDeep:, only when
// deep is set and it is not nil; otherwise as nil.
void lisp_output_type(fcall_type_t type, const void* data, unsigned index, id stream, BOOL deep);

// Writes "#rank" and one parenthesised list per dimension level, the
// elements in row-major order, blanks between neighbours: #2((1 2) (3 4)).
void lisp_process_array(unsigned rank, const unsigned* dims, fcall_type_t type, const void* data, id stream,
                        BOOL deep);
