#include "space/DblBuffer2d.h"

#include <cstring>

#include "defobj/archiving_messages.h"
#include "defobj/hdf5_messages.h"
#include "defobj/phase.h"

id DblBuffer2d::createEnd() {
  if (xsize == 0 || ysize == 0)
    msg::raiseEvent(InvalidCombination, "DblBuffer2d not initialized correctly.\n");
  wBuf1 = msg::allocLattice(this);
  wBuf2 = msg::allocLattice(this);
  lattice = wBuf1;
  newLattice = wBuf2;
  msg::makeOffsets(this);
  return this;
}

intptr_t* DblBuffer2d::getNewLattice() { return pendingCells(); }

// From the buffer that was current at the last update, whatever array has
// been installed as current since.
void DblBuffer2d::copyIntoPending() {
  std::memcpy(newLattice, newLattice == wBuf1 ? wBuf2 : wBuf1, cellCount() * sizeof(intptr_t));
  pendingCopyDue = NO;
}

bool DblBuffer2d::shouldKeepCopyAcrossUpdate() {
  static const IMP plainUpdate = get_imp(objc_get_class("DblBuffer2d"), msg::updateLattice.sel);
  const bool wanted = pendingReached;
  pendingReached = NO;
  return wanted && (lattice == wBuf1 || lattice == wBuf2) && newLattice != lattice &&
         objc_msg_lookup(this, msg::updateLattice.sel) == plainUpdate;
}

void DblBuffer2d::keptCopyAcrossUpdate(const intptr_t* written) {
  if (lattice == written) pendingCopyDue = NO;
}

// A copy still due when the buffers swap would leave the stale buffer
// current: it is made first, and then both buffers hold the same cells.
id DblBuffer2d::updateLattice() {
  const bool copyWasDue = pendingCopyDue;
  if (copyWasDue) copyIntoPending();
  if (lattice == wBuf1 && newLattice == wBuf2) {
    lattice = wBuf2;
    newLattice = wBuf1;
  } else if (lattice == wBuf2 && newLattice == wBuf1) {
    lattice = wBuf1;
    newLattice = wBuf2;
  } else {
    // A foreign array installed with setLattice: is neither buffer.
    msg::raiseEvent(WarningMessage,
                    "DblBuffer2d: Sanity check failed when swapping lattice pointers!\n");
    return nil;
  }
  // Writers that only add to some cells start from the current values.
  pendingCopyDue = !copyWasDue;
  return this;
}

intptr_t* DblBuffer2d::getLattice() { return withCopyMade(&Discrete2d::getLattice); }
id DblBuffer2d::fastFillWithValue(intptr_t value) { return withCopyMade(&Discrete2d::fastFillWithValue, value); }
id DblBuffer2d::fastFillWithObject(id object) { return withCopyMade(&Discrete2d::fastFillWithObject, object); }
id DblBuffer2d::lispIn(id expr) { return withCopyMade(&Discrete2d::lispIn, expr); }
id DblBuffer2d::hdf5In(id node) { return withCopyMade(&Discrete2d::hdf5In, node); }

id DblBuffer2d::putObject_atX_Y(id object, unsigned x, unsigned y) {
  pendingCells()[offsets[y] + x] = reinterpret_cast<intptr_t>(object);
  return this;
}

id DblBuffer2d::putValue_atX_Y(intptr_t value, unsigned x, unsigned y) {
  pendingCells()[offsets[y] + x] = value;
  return this;
}

// Both buffers are ours whichever array is installed as current; the
// lattice's own drop then frees the offsets.
void DblBuffer2d::drop() {
  freeCells(wBuf1);
  freeCells(wBuf2);
  Discrete2d::drop();
}

REGISTER_CLASS(DblBuffer2d, Discrete2d,
  ivar(&DblBuffer2d::wBuf1, "wBuf1"),
  ivar(&DblBuffer2d::wBuf2, "wBuf2"),
  ivar(&DblBuffer2d::newLattice, "newLattice"),
  phase(Phase::Creating),
  method<&DblBuffer2d::createEnd>(msg::createEnd),
  phase(Phase::Using),
  method<&DblBuffer2d::getNewLattice>(msg::getNewLattice),
  method<&DblBuffer2d::updateLattice>(msg::updateLattice),
  method<&DblBuffer2d::putObject_atX_Y>(msg::putObject_atX_Y),
  method<&DblBuffer2d::putValue_atX_Y>(msg::putValue_atX_Y),
  method<&DblBuffer2d::drop>(msg::drop),
  method<&DblBuffer2d::getLattice>(msg::getLattice),
  method<&DblBuffer2d::fastFillWithValue>(msg::fastFillWithValue),
  method<&DblBuffer2d::fastFillWithObject>(msg::fastFillWithObject),
  method<&DblBuffer2d::lispIn>(msg::lispIn),
  method<&DblBuffer2d::hdf5In>(msg::hdf5In))
