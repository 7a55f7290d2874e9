// A rectangular lattice of machine words, each an integer value or an
// object reference. Cell (x, y) is lattice[offsets[y] + x]; the displays
// and automata index the array themselves, so the layout is public.
#pragma once

#include <cstdint>

#include "objectbase/BroodObject.h"
#include "space/messages.h"

struct Discrete2d : BroodObject {
  BOOL objectFlag;       // cells hold object references
  unsigned xsize, ysize;
  intptr_t* lattice;     // the cells, row after row
  intptr_t* offsets;     // entry y is y*xsize
  intptr_t* ownLattice;  // the array createEnd allocated; drop frees only this one

  static id create_setSizeX_Y(Class cls, id zone, unsigned x, unsigned y);

  // Creating.
  id setSizeX_Y(unsigned x, unsigned y);
  intptr_t* allocLattice();
  id makeOffsets();
  id createEnd();
  // Sets the plain variables of an archived lattice before its cells exist.
  id lispInCreate(id expr);

  // Setting.
  id setLattice(intptr_t* cells);
  id setObjectFlag(BOOL flag);

  // Using.
  unsigned getSizeX();
  unsigned getSizeY();
  intptr_t* getLattice();
  intptr_t* getOffsets();
  // The cell accessors are defined here so that subclasses that extend them
  // (Grid2d) call them without a call of their own.
  id getObjectAtX_Y(unsigned x, unsigned y) { return reinterpret_cast<id>(lattice[offsets[y] + x]); }
  intptr_t getValueAtX_Y(unsigned x, unsigned y) { return lattice[offsets[y] + x]; }
  id putObject_atX_Y(id object, unsigned x, unsigned y) {
    lattice[offsets[y] + x] = reinterpret_cast<intptr_t>(object);
    return this;
  }
  id putValue_atX_Y(intptr_t value, unsigned x, unsigned y) {
    lattice[offsets[y] + x] = value;
    return this;
  }
  id fastFillWithValue(intptr_t value);
  id fastFillWithObject(id object);
  id fillWithValue(intptr_t value);
  id fillWithObject(id object);
  id copyDiscrete2d_toDiscrete2d(id source, id target);
  // Loads the target's cells from a plain-text PGM file; answers the file's
  // maximum grey value plus 1, or 0 when nothing could be read.
  int setDiscrete2d_toFile(id target, const char* fileName);
  // Archive forms: the plain variables and then the cells, as one integer
  // array (shallow) or one (cons '(x . y) object) per occupant (deep).
  void lispOutShallow(id stream);
  void lispOutDeep(id stream);
  id lispIn(id expr);
  // HDF5 forms: the same, as a group with an "ivars" record and a "lattice"
  // dataset, a record per occupant named "x,y", or a group per occupant.
  void hdf5OutShallow(id node);
  void hdf5OutDeep(id node);
  id hdf5InCreate(id node);
  id hdf5In(id node);
  void drop();

  size_t cellCount() const { return static_cast<size_t>(xsize) * ysize; }
  // Frees a cell array of this lattice's zone; nil is ignored.
  void freeCells(intptr_t* cells);

 private:
  template <class F>
  void lispOutCells(id stream, F&& writeCells);
  void readPlainVariables(id expr, const char* function);
  void lispInCells(id value);
  void lispInCellArray(id array);
  void lispInOccupant(id element);
  template <class F>
  void forEachOccupant(bool byColumn, const char* function, F&& visit);
  void hdf5OutCells(id node);
  void hdf5OutRecords(id node);
  void hdf5InCells(id node);
  void hdf5InRecords(id node);
  void hdf5InMembers(id node);
};
