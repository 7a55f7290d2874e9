// A lattice with two cell arrays: reads see the current buffer, puts go to
// the pending one, and updateLattice makes the pending buffer current.
#pragma once

#include "space/Discrete2d.h"

struct DblBuffer2d : Discrete2d {
  intptr_t* wBuf1;
  intptr_t* wBuf2;
  intptr_t* newLattice;  // the pending buffer: whichever of wBuf1, wBuf2 lattice is not
  // updateLattice leaves the pending buffer a copy of the current one; the
  // copy is made when somebody first reaches the pending cells, so a step
  // that overwrites them all never pays for it; code that reads newLattice
  // itself sees the copy only once it is made. Not a variable of the
  // lattice, so not registered.
  BOOL pendingCopyDue;
  // Somebody reached the pending cells since the last step that set them
  // all: that step then keeps the copy as it goes, while the rows are in
  // cache. Not registered either.
  BOOL pendingReached;

  id createEnd();
  intptr_t* getNewLattice();
  id updateLattice();
  id putObject_atX_Y(id object, unsigned x, unsigned y);
  id putValue_atX_Y(intptr_t value, unsigned x, unsigned y);
  void drop();
  // What writes the current buffer, or hands out the pointer to it, first
  // completes a copy that is due: the copy is taken from that buffer.
  intptr_t* getLattice();
  id fastFillWithValue(intptr_t value);
  id fastFillWithObject(id object);
  id lispIn(id expr);
  id hdf5In(id node);

  // The pending cells as updateLattice left them.
  intptr_t* pendingCells() {
    pendingReached = YES;
    if (pendingCopyDue) copyIntoPending();
    return newLattice;
  }
  // The pending cells for a writer that sets every one of them.
  intptr_t* pendingCellsToOverwrite() {
    pendingCopyDue = NO;
    return newLattice;
  }
  // For such a writer that then updates: whether it should also write what
  // it computes into the current buffer, behind its reads, so that the
  // update owes no copy. Only when the pending cells are wanted after
  // updates and the update is this class's own swap of the two buffers.
  bool shouldKeepCopyAcrossUpdate();
  // After that update: the pending buffer already holds the copy.
  void keptCopyAcrossUpdate(const intptr_t* written);

 private:
  void copyIntoPending();
  template <class R, class... A>
  R withCopyMade(R (Discrete2d::*inherited)(A...), A... args) {
    if (pendingCopyDue) copyIntoPending();
    return (this->*inherited)(args...);
  }
};
