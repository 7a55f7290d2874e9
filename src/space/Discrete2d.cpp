#include "space/Discrete2d.h"

#include <algorithm>
#include <cstring>

#include "defobj/phase.h"
#include "defobj/raise.h"

id Discrete2d::create_setSizeX_Y(Class cls, id zone, unsigned x, unsigned y) {
  auto* lattice = static_cast<Discrete2d*>(msg::createBegin(cls, zone));
  lattice->xsize = x;
  lattice->ysize = y;
  lattice->objectFlag = NO;
  return msg::createEnd(lattice);
}

id Discrete2d::setSizeX_Y(unsigned x, unsigned y) {
  if (lattice)
    raiseAt(InvalidArgument, "-[Discrete2d setSizeX:Y:]",
            "You cannot reset the grid size after creation.\n");
  xsize = x;
  ysize = y;
  return this;
}

intptr_t* Discrete2d::allocLattice() {
  size_t bytes;
  // Two 32-bit sizes can ask for more words than memory can address; a
  // wrapped byte count would hand out a short array.
  if (__builtin_mul_overflow(cellCount(), sizeof(intptr_t), &bytes))
    raiseAt(InvalidAllocSize, "-[Discrete2d allocLattice]",
            "a lattice of %u by %u cells does not fit in memory\n", xsize, ysize);
  auto* cells = static_cast<intptr_t*>(msg::alloc(msg::getZone(this), bytes));
  std::memset(cells, 0, bytes);  // the zone fills new blocks with a marker
  return cells;
}

id Discrete2d::makeOffsets() {
  offsets = static_cast<intptr_t*>(msg::alloc(msg::getZone(this), ysize * sizeof(intptr_t)));
  for (unsigned y = 0; y < ysize; y++) offsets[y] = static_cast<intptr_t>(y) * xsize;
  return this;
}

id Discrete2d::createEnd() {
  if (xsize == 0 || ysize == 0)
    raiseAt(InvalidArgument, "-[Discrete2d createEnd]", "invalid size in creation of Discrete2d\n");
  lattice = ownLattice = msg::allocLattice(this);
  msg::makeOffsets(this);
  return this;
}

id Discrete2d::setLattice(intptr_t* cells) {
  lattice = cells;
  return this;
}

id Discrete2d::setObjectFlag(BOOL flag) {
  objectFlag = flag;
  return this;
}

unsigned Discrete2d::getSizeX() { return xsize; }
unsigned Discrete2d::getSizeY() { return ysize; }
intptr_t* Discrete2d::getLattice() { return lattice; }
intptr_t* Discrete2d::getOffsets() { return offsets; }

id Discrete2d::getObjectAtX_Y(unsigned x, unsigned y) {
  return reinterpret_cast<id>(lattice[offsets[y] + x]);
}

intptr_t Discrete2d::getValueAtX_Y(unsigned x, unsigned y) { return lattice[offsets[y] + x]; }

id Discrete2d::putObject_atX_Y(id object, unsigned x, unsigned y) {
  lattice[offsets[y] + x] = reinterpret_cast<intptr_t>(object);
  return this;
}

id Discrete2d::putValue_atX_Y(intptr_t value, unsigned x, unsigned y) {
  lattice[offsets[y] + x] = value;
  return this;
}

id Discrete2d::fastFillWithValue(intptr_t value) {
  std::fill_n(lattice, cellCount(), value);
  return this;
}

id Discrete2d::fastFillWithObject(id object) {
  return fastFillWithValue(reinterpret_cast<intptr_t>(object));
}

// The fills go through the put messages so a subclass's own put (a pending
// buffer, an overwrite warning) applies.
id Discrete2d::fillWithValue(intptr_t value) {
  for (unsigned y = 0; y < ysize; y++)
    for (unsigned x = 0; x < xsize; x++) msg::putValue_atX_Y(this, value, x, y);
  return this;
}

id Discrete2d::fillWithObject(id object) {
  for (unsigned y = 0; y < ysize; y++)
    for (unsigned x = 0; x < xsize; x++) msg::putObject_atX_Y(this, object, x, y);
  return this;
}

id Discrete2d::copyDiscrete2d_toDiscrete2d(id source, id target) {
  if (msg::getSizeX(source) != msg::getSizeX(target) ||
      msg::getSizeY(source) != msg::getSizeY(target))
    raiseAt(InvalidArgument, "-[Discrete2d copyDiscrete2d:toDiscrete2d:]",
            "Two Discrete2ds aren't the same size.");
  for (unsigned x = 0; x < msg::getSizeX(source); x++)
    for (unsigned y = 0; y < msg::getSizeY(target); y++)
      msg::putValue_atX_Y(target, msg::getValueAtX_Y(source, x, y), x, y);
  return this;
}

void Discrete2d::freeCells(intptr_t* cells) {
  if (cells) msg::free(msg::getZone(this), cells);
}

void Discrete2d::drop() {
  freeCells(ownLattice);
  freeCells(offsets);
  BroodObject::drop();
}

REGISTER_CLASS(Discrete2d, BroodObject,
  ivar(&Discrete2d::objectFlag, "objectFlag"),
  ivar(&Discrete2d::xsize, "xsize"),
  ivar(&Discrete2d::ysize, "ysize"),
  ivar(&Discrete2d::lattice, "lattice"),
  ivar(&Discrete2d::offsets, "offsets"),
  ivar(&Discrete2d::ownLattice, "ownLattice"),
  phase(Phase::Creating),
  classMethod<&Discrete2d::create_setSizeX_Y>(msg::create_setSizeX_Y),
  method<&Discrete2d::setSizeX_Y>(msg::setSizeX_Y),
  method<&Discrete2d::allocLattice>(msg::allocLattice),
  method<&Discrete2d::makeOffsets>(msg::makeOffsets),
  method<&Discrete2d::createEnd>(msg::createEnd),
  phase(Phase::Setting),
  method<&Discrete2d::setLattice>(msg::setLattice),
  method<&Discrete2d::setObjectFlag>(msg::setObjectFlag),
  phase(Phase::Using),
  method<&Discrete2d::getSizeX>(msg::getSizeX),
  method<&Discrete2d::getSizeY>(msg::getSizeY),
  method<&Discrete2d::getLattice>(msg::getLattice),
  method<&Discrete2d::getOffsets>(msg::getOffsets),
  method<&Discrete2d::getObjectAtX_Y>(msg::getObjectAtX_Y),
  method<&Discrete2d::getValueAtX_Y>(msg::getValueAtX_Y),
  method<&Discrete2d::putObject_atX_Y>(msg::putObject_atX_Y),
  method<&Discrete2d::putValue_atX_Y>(msg::putValue_atX_Y),
  method<&Discrete2d::fastFillWithValue>(msg::fastFillWithValue),
  method<&Discrete2d::fastFillWithObject>(msg::fastFillWithObject),
  method<&Discrete2d::fillWithValue>(msg::fillWithValue),
  method<&Discrete2d::fillWithObject>(msg::fillWithObject),
  method<&Discrete2d::copyDiscrete2d_toDiscrete2d>(msg::copyDiscrete2d_toDiscrete2d),
  method<&Discrete2d::drop>(msg::drop))
