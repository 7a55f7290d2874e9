// The HDF5 forms of a lattice: the plain variables and the cells as one
// (ysize, xsize) dataset of integers, or one record per occupant named
// "x,y" (shallow), or one group per occupant named "x,y" (deep).
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

#include "collections/collections.h"
#include "defobj/Zone.h"
#include "defobj/defobj.h"
#include "defobj/hdf5In.h"
#include "defobj/hdf5_messages.h"
#include "defobj/raise.h"
#include "defobj/var_access.h"
#include "space/Discrete2d.h"

namespace {

const char* const InCreate = "-[Discrete2d hdf5InCreate:]";
const char* const In = "-[Discrete2d hdf5In:]";
const char* const OutShallow = "-[Discrete2d hdf5OutShallow:]";

// One decimal number of at most UINT_MAX, digits only; advances text.
bool parseUnsigned(const char*& text, unsigned* value) {
  if (!std::isdigit(static_cast<unsigned char>(*text))) return false;
  errno = 0;
  char* end;
  const unsigned long n = std::strtoul(text, &end, 10);
  if (errno == ERANGE || n > UINT_MAX) return false;
  *value = static_cast<unsigned>(n);
  text = end;
  return true;
}

// The cell a record or group names, "x,y" exactly; a name of another
// shape, or a cell at or beyond (width, height), is refused.
void cellNamed(const char* name, unsigned width, unsigned height, const char* function, unsigned* x, unsigned* y) {
  const char* text = name;
  if (!parseUnsigned(text, x) || *text++ != ',' || !parseUnsigned(text, y) || *text)
    raiseAt(InvalidArgument, function, "`%s' does not name a cell as x,y\n", name);
  if (*x >= width || *y >= height)
    raiseAt(InvalidArgument, function, "cell %s lies outside the lattice of %u by %u cells\n", name, width, height);
}

// The record names of a record dataset, freed after the visit.
template <class F>
void forEachRowName(id node, F&& visit) {
  const char** names = msg::readRowNames(node);
  const unsigned count = msg::getCount(node);
  for (unsigned i = 0; i < count; i++) visit(i, names[i]);
  for (unsigned i = 0; i < count; i++) msg::free(_obj_scratchZone, const_cast<char*>(names[i]));
  msg::free(msg::getZone(node), names);
}

id makeNode(id zone, id parent, const char* name) {
  id node = msg::createBegin(HDF5, zone);
  msg::setParent(node, parent);
  msg::setWriteFlag(node, YES);
  msg::setName(node, name);
  return msg::createEnd(node);
}

// A member opened read-only, or nil when it is missing.
id openDataset(id parent, const char* name) {
  id node = msg::createBegin(HDF5, msg::getZone(parent));
  msg::setParent(node, parent);
  msg::setWriteFlag(node, NO);
  msg::setDatasetFlag(node, YES);
  msg::setName(node, name);
  return msg::createEnd(node);
}

// The variables that hold the cell storage never come from a file: one
// named there would swap a cell array or the row table.
void refuseStorageVariable(id lattice, const char* name, const char* function) {
  objc_ivar* ivar = find_ivar(lattice->isa, name);
  if (ivar && ivar->ivar_type[0] == '^')
    raiseAt(InvalidArgument, function, "`%s' is not an archived variable of a lattice\n", name);
}

// A lattice dataset stored at another integer width, read at its own
// width and converted into the cells. Only unsigned 64-bit values can lie
// beyond a cell; such a value is refused rather than wrapped.
template <class T>
void widenCells(id dataset, intptr_t* cells, size_t count, unsigned width) {
  std::vector<T> values(count);
  msg::loadDataset(dataset, values.data());
  for (size_t i = 0; i < count; i++) {
    if (std::cmp_greater(values[i], INTPTR_MAX))
      raiseAt(InvalidArgument, In, "the lattice dataset holds %llu at (%zu,%zu), more than a cell holds\n",
              static_cast<unsigned long long>(values[i]), i % width, i / width);
    cells[i] = static_cast<intptr_t>(values[i]);
  }
}

}  // namespace

// Each occupied cell, visited column by column when byColumn, else row by
// row. Every occupant must be an object: an integer lattice has none.
template <class F>
void Discrete2d::forEachOccupant(bool byColumn, const char* function, F&& visit) {
  const unsigned outer = byColumn ? xsize : ysize, inner = byColumn ? ysize : xsize;
  for (unsigned a = 0; a < outer; a++)
    for (unsigned b = 0; b < inner; b++) {
      const unsigned x = byColumn ? a : b, y = byColumn ? b : a;
      id occupant = msg::getObjectAtX_Y(this, x, y);
      if (!occupant) continue;
      if (!_obj_isLiveObject(occupant))
        raiseAt(InvalidArgument, function, "cell (%u,%u) holds %ld, which is not an object\n", x, y,
                static_cast<long>(reinterpret_cast<intptr_t>(occupant)));
      visit(occupant, x, y);
    }
}

void Discrete2d::hdf5OutShallow(id node) {
  if (objectFlag) hdf5OutRecords(node);
  else hdf5OutCells(node);
}

void Discrete2d::hdf5OutCells(id node) {
  id group = makeNode(msg::getZone(node), node, msg::getHDF5Name(node));
  msg::storeTypeName(group, msg::getTypeName(this));
  msg::setName(group, "ivars");
  BroodObject::hdf5OutShallow(group);
  const unsigned dims[2] = {ysize, xsize};
  msg::storeAsDataset_typeName_type_rank_dims_ptr(group, "lattice", isa->name, fcall_type_slong, 2, dims, lattice);
  msg::drop(group);
}

// All records share one layout, so the occupants must be of one class.
void Discrete2d::hdf5OutRecords(id node) {
  unsigned count = 0;
  id prototype = nil;
  forEachOccupant(false, OutShallow, [&](id occupant, unsigned x, unsigned y) {
    if (prototype && occupant->isa != prototype->isa)
      raiseAt(InvalidArgument, OutShallow, "the occupant at (%u,%u) is a %s, the others %s: one class only\n", x, y,
              occupant->isa->name, prototype->isa->name);
    prototype = occupant;
    count++;
  });
  if (!count) return;
  id type = msg::createBegin(HDF5CompoundType, msg::getZone(node));
  msg::setPrototype(type, prototype);
  type = msg::createEnd(type);
  id dataset = msg::createBegin(HDF5, msg::getZone(this));
  msg::setName(dataset, msg::getHDF5Name(node));
  msg::setWriteFlag(dataset, YES);
  msg::setParent(dataset, node);
  msg::setCompoundType(dataset, type);
  msg::setCount(dataset, count);
  dataset = msg::createEnd(dataset);
  msg::storeTypeName(dataset, msg::getTypeName(this));
  msg::storeComponentTypeName(dataset, msg::getTypeName(prototype));
  unsigned record = 0;
  forEachOccupant(false, OutShallow, [&](id occupant, unsigned x, unsigned y) {
    char name[2 * sizeof "4294967295"];
    std::snprintf(name, sizeof name, "%u,%u", x, y);
    msg::nameRecord_name(dataset, record, name);
    msg::selectRecord(dataset, record++);
    msg::hdf5OutShallow(occupant, dataset);
  });
  msg::writeRowNames(dataset);
  msg::drop(dataset);
  msg::drop(type);
}

void Discrete2d::hdf5OutDeep(id node) {
  BroodObject::hdf5OutDeep(node);
  id cells = makeNode(msg::getZone(node), node, "lattice");
  forEachOccupant(true, "-[Discrete2d hdf5OutDeep:]", [&](id occupant, unsigned x, unsigned y) {
    char name[2 * sizeof "4294967295"];
    std::snprintf(name, sizeof name, "%u,%u", x, y);
    id group = makeNode(msg::getZone(cells), cells, name);
    msg::hdf5OutDeep(occupant, group);
    msg::drop(group);
  });
  msg::drop(cells);
}

id Discrete2d::hdf5InCreate(id node) {
  if (msg::checkDatasetName(node, "lattice")) {
    id cells = openDataset(node, "lattice");
    if (msg::getDatasetRank(cells) != 2) raiseAt(InvalidArgument, InCreate, "Rank of lattice dataset must be 2");
    ysize = msg::getDatasetDimension(cells, 0);
    xsize = msg::getDatasetDimension(cells, 1);
    msg::drop(cells);
  } else if (msg::getCompoundType(node)) {
    xsize = ysize = 1;
    // A cell at UINT_MAX would wrap the size to 0.
    forEachRowName(node, [&](unsigned, const char* name) {
      unsigned x, y;
      cellNamed(name, UINT_MAX, UINT_MAX, InCreate, &x, &y);
      if (x >= xsize) xsize = x + 1;
      if (y >= ysize) ysize = y + 1;
    });
  } else {
    bool haveX = false, haveY = false;
    // Read as the variables' own type: a dataset of another size is refused
    // rather than written past them.
    const hdf5_member_visitor sizes = [&](id member) {
      const char* name = msg::getHDF5Name(member);
      if (!std::strcmp(name, "xsize") || !std::strcmp(name, "ysize")) {
        msg::assignIvar(member, this);
        (name[0] == 'x' ? haveX : haveY) = true;
      }
      return haveX && haveY ? 1 : 0;
    };
    msg::iterate(node, &sizes);
    if (!haveX) raiseAt(InvalidArgument, InCreate, "missing xsize");
    if (!haveY) raiseAt(InvalidArgument, InCreate, "missing ysize");
  }
  return this;
}

id Discrete2d::hdf5In(id node) {
  const unsigned width = xsize, height = ysize;
  if (msg::checkDatasetName(node, "lattice")) hdf5InCells(node);
  else if (msg::getCompoundType(node)) hdf5InRecords(node);
  else hdf5InMembers(node);
  // The cells exist: variables of another size would overrun them.
  if (xsize != width || ysize != height)
    raiseAt(InvalidArgument, In, "an archived lattice of %u by %u cells cannot be read into one of %u by %u\n",
            xsize, ysize, width, height);
  return this;
}

void Discrete2d::hdf5InCells(id node) {
  id cells = openDataset(node, "lattice");
  if (msg::getDatasetRank(cells) != 2 || msg::getDatasetDimension(cells, 0) != ysize ||
      msg::getDatasetDimension(cells, 1) != xsize)
    raiseAt(InvalidArgument, In, "the lattice dataset does not hold %u rows of %u cells\n", ysize, xsize);
  const size_t count = size_t(xsize) * ysize;
  switch (const unsigned type = msg::getDatasetType(cells)) {
    case fcall_type_boolean:
    case fcall_type_uchar: widenCells<unsigned char>(cells, lattice, count, xsize); break;
    case fcall_type_schar: widenCells<signed char>(cells, lattice, count, xsize); break;
    case fcall_type_ushort: widenCells<unsigned short>(cells, lattice, count, xsize); break;
    case fcall_type_sshort: widenCells<short>(cells, lattice, count, xsize); break;
    case fcall_type_uint: widenCells<unsigned>(cells, lattice, count, xsize); break;
    case fcall_type_sint: widenCells<int>(cells, lattice, count, xsize); break;
    case fcall_type_ulonglong: widenCells<unsigned long long>(cells, lattice, count, xsize); break;
    case fcall_type_slonglong: msg::loadDataset(cells, lattice); break;
    default: raiseAt(InvalidArgument, In, "the lattice dataset holds values of type %u, not integers\n", type);
  }
  msg::drop(cells);
  if (id ivars = openDataset(node, "ivars")) {
    BroodObject::hdf5In(ivars);
    msg::drop(ivars);
  }
}

void Discrete2d::hdf5InRecords(id node) {
  const Class cls = msg::getClass(node);
  forEachRowName(node, [&](unsigned record, const char* name) {
    unsigned x, y;
    cellNamed(name, xsize, ysize, In, &x, &y);
    id occupant = msg::createBegin(cls, msg::getZone(this));
    msg::selectRecord(node, record);
    msg::shallowLoadObject(node, occupant);
    msg::putObject_atX_Y(this, msg::createEnd(occupant), x, y);
  });
}

void Discrete2d::hdf5InMembers(id node) {
  // The cells as created, whatever the variables read meanwhile say.
  const unsigned width = xsize, height = ysize;
  const hdf5_member_visitor occupant = [&](id member) {
    unsigned x, y;
    cellNamed(msg::getHDF5Name(member), width, height, In, &x, &y);
    msg::putObject_atX_Y(this, ::hdf5In(msg::getZone(this), member), x, y);
    return 0;
  };
  const hdf5_member_visitor variable = [&](id member) {
    const char* name = msg::getHDF5Name(member);
    if (std::strcmp(name, "lattice") != 0) {
      refuseStorageVariable(this, name, In);
      msg::assignIvar(member, this);
    } else {
      msg::iterate(member, &occupant);
    }
    return 0;
  };
  msg::iterate(node, &variable);
}
