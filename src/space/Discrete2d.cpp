#include "space/Discrete2d.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "collections/collections.h"
#include "collections/predicates.h"
#include "defobj/Zone.h"
#include "defobj/archiving_messages.h"
#include "defobj/hdf5_messages.h"
#include "defobj/lispIn.h"
#include "defobj/lisp_array.h"
#include "defobj/phase.h"
#include "defobj/raise.h"
#include "defobj/var_access.h"
#include "space/pgm_text.h"

namespace {

const char* const ToFile = "-[Discrete2d setDiscrete2d:toFile:]";
const char* const LispIn = "-[Discrete2d lispIn:]";
const char* const LispInObjects = "lispInLatticeObjects";

// The next number of a PGM file; a file that has no more, or holds
// something else, is reported and reading stops.
bool readPGMNumber(FILE* file, long* value) {
  switch (pgm_read_number(file, value)) {
    case PGMNumber::read: return true;
    case PGMNumber::end: raiseAt(WarningMessage, ToFile, "Ran out of data reading PGM file. Aborting.\n"); break;
    case PGMNumber::notANumber:
      raiseAt(WarningMessage, ToFile, "PGM file holds text that is not a number. Aborting.\n");
      break;
  }
  return false;
}

// The largest maximum grey value the format allows.
constexpr long PGMMaxGrey = 65535;

// Reads the header and the cells; answers the maximum grey value plus 1,
// or 0 when the header is unusable and no cell was touched.
int readPGM(FILE* file, id target) {
  char magic[2];
  for (char& c : magic) c = static_cast<char>(std::getc(file));
  if (magic[0] != 'P' || magic[1] != '2')
    raiseAt(WarningMessage, ToFile, "File is not in PGM ascii format. Faking it.\n");
  long width, height, maxGrey;
  if (!readPGMNumber(file, &width) || !readPGMNumber(file, &height)) return 0;
  const unsigned sizeX = msg::getSizeX(target), sizeY = msg::getSizeY(target);
  if (width != sizeX || height != sizeY)
    raiseAt(WarningMessage, ToFile, "PGM File is not the right size. Faking it.\n");
  if (!readPGMNumber(file, &maxGrey)) return 0;
  if (maxGrey < 1 || maxGrey > PGMMaxGrey) {
    raiseAt(WarningMessage, ToFile, "PGM maximum grey value %ld is not between 1 and %ld. Aborting.\n", maxGrey,
            PGMMaxGrey);
    return 0;
  }
  bool outOfRangeReported = false;
  for (unsigned y = 0; y < sizeY; y++)
    for (unsigned x = 0; x < sizeX; x++) {
      long value;
      if (!readPGMNumber(file, &value)) return static_cast<int>(maxGrey + 1);
      // Stored as read all the same; one report per file is enough.
      if ((value < 0 || value > maxGrey) && !outOfRangeReported) {
        raiseAt(WarningMessage, ToFile, "PGM value %ld at (%u,%u) is not between 0 and %ld.\n", value, x, y,
                maxGrey);
        outOfRangeReported = true;
      }
      msg::putValue_atX_Y(target, value, x, y);
    }
  return static_cast<int>(maxGrey + 1);
}

BOOL integerValuep(id node) { return valuep(node) && msg::getValueType(node) == fcall_type_slonglong; }

// Visits the members of a list from the one at offset first.
template <class F>
void forEachMemberFrom(id list, unsigned first, F&& visit) {
  id index = msg::begin(list, _obj_scratchZone);
  unsigned offset = 0;
  for (id member = msg::next(index); msg::getLoc(index) == Member; member = msg::next(index))
    if (offset++ >= first) visit(member, index);
  msg::drop(index);
}

}  // namespace

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

int Discrete2d::setDiscrete2d_toFile(id target, const char* fileName) {
  FILE* file = std::fopen(fileName, "r");
  if (!file) {
    raiseAt(WarningMessage, ToFile, "Cannot open PGM file %s. Nothing read.\n", fileName);
    return 0;
  }
  const int result = readPGM(file, target);
  std::fclose(file);
  return result;
}

template <class F>
void Discrete2d::lispOutCells(id stream, F&& writeCells) {
  msg::catStartMakeInstance(stream, msg::getTypeName(this));
  msg::lispOutVars_deep(this, stream, NO);
  lispSaveKeyword(stream, "lattice");
  msg::catStartParse(stream);
  writeCells();
  msg::catEndParse(stream);
  msg::catEndMakeInstance(stream);
}

// Rows first, so the text lists the rows in order.
void Discrete2d::lispOutShallow(id stream) {
  lispOutCells(stream, [&] {
    msg::catSeparator(stream);
    const unsigned dims[2] = {ysize, xsize};
    lisp_process_array(2, dims, fcall_type_slong, lattice, stream, NO);
  });
}

void Discrete2d::lispOutDeep(id stream) {
  lispOutCells(stream, [&] {
    for (unsigned x = 0; x < xsize; x++)
      for (unsigned y = 0; y < ysize; y++) {
        id occupant = msg::getObjectAtX_Y(this, x, y);
        if (!occupant) continue;
        // An integer lattice has no objects to write.
        if (!_obj_isLiveObject(occupant))
          raiseAt(InvalidArgument, "-[Discrete2d lispOutDeep:]", "cell (%u,%u) holds %ld, which is not an object\n",
                  x, y, static_cast<long>(reinterpret_cast<intptr_t>(occupant)));
        msg::catSeparator(stream);
        msg::catStartCons(stream);
        msg::catSeparator(stream);
        msg::catUnsignedPair_(stream, x, y);
        msg::catSeparator(stream);
        msg::lispOutDeep(occupant, stream);
        msg::catEndCons(stream);
      }
  });
}

// The generic reader, kept off the cell storage: the writer never archives
// a pointer variable, and an archive that names one would swap a cell
// array or the row table for a block of its own size.
void Discrete2d::readPlainVariables(id expr, const char* function) {
  forEachMemberFrom(expr, 0, [&](id member, id) {
    if (!keywordp(member)) return;
    const char* name = msg::getKeywordName(member);
    objc_ivar* ivar = std::strcmp(name, "lattice") ? find_ivar(isa, name) : nullptr;
    if (ivar && ivar->ivar_type[0] == '^')
      raiseAt(InvalidArgument, function, "`%s' is not an archived variable of a lattice\n", name);
  });
  Object_s::lispIn(expr);
}

id Discrete2d::lispInCreate(id expr) {
  readPlainVariables(expr, "-[Discrete2d lispInCreate:]");
  return this;
}

id Discrete2d::lispIn(id expr) {
  const unsigned width = xsize, height = ysize;
  readPlainVariables(expr, LispIn);
  // The cells exist: an archive of another size would overrun them.
  if (xsize != width || ysize != height)
    raiseAt(InvalidArgument, LispIn, "an archived lattice of %u by %u cells cannot be read into one of %u by %u\n",
            xsize, ysize, width, height);
  forEachMemberFrom(expr, 0, [&](id member, id index) {
    if (!keywordp(member) || std::strcmp(msg::getKeywordName(member), "lattice") != 0) return;
    id value = msg::next(index);
    if (msg::getLoc(index) != Member) raiseAt(InvalidArgument, LispIn, "missing value");
    lispInCells(value);
  });
  return this;
}

void Discrete2d::lispInCells(id value) {
  if (!archiver_list_p(value)) raiseAt(InvalidArgument, LispIn, "Argument not a list");
  id head = msg::getCount(value) ? msg::getFirst(value) : nil;
  if (!stringp(head) || std::strcmp(msg::getC(head), "parse") != 0)
    raiseAt(InvalidArgument, LispIn, "Expecting `%s'", "parse");
  if (msg::getCount(value) > 1 && arrayp(msg::atOffset(value, 1))) lispInCellArray(msg::atOffset(value, 1));
  else forEachMemberFrom(value, 1, [&](id element, id) { lispInOccupant(element); });
}

void Discrete2d::lispInCellArray(id array) {
  const unsigned* dims = msg::getDims(array);
  if (msg::getRank(array) != 2 || dims[0] != ysize || dims[1] != xsize)
    raiseAt(InvalidArgument, LispIn, "the lattice array does not hold %u rows of %u cells\n", ysize, xsize);
  msg::convertToType_dest(array, fcall_type_slong, lattice);
}

void Discrete2d::lispInOccupant(id element) {
  if (!pairp(element)) raiseAt(InvalidArgument, LispInObjects, "Expecting either cons pair or an array");
  id place = msg::getCar(element);
  if (quotedp(place)) place = msg::getQuotedObject(place);
  if (!pairp(place) || !integerValuep(msg::getCar(place)) || !integerValuep(msg::getCdr(place)))
    raiseAt(InvalidArgument, LispInObjects, "Expecting a pair of integers");
  const long long x = msg::getLongLong(msg::getCar(place)), y = msg::getLongLong(msg::getCdr(place));
  if (x < 0 || y < 0 || x >= xsize || y >= ysize)
    raiseAt(InvalidArgument, LispInObjects, "cell (%lld,%lld) lies outside the lattice of %u by %u cells\n", x, y,
            xsize, ysize);
  msg::putObject_atX_Y(this, ::lispIn(msg::getZone(this), msg::getCdr(element)), static_cast<unsigned>(x),
                       static_cast<unsigned>(y));
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
  method<&Discrete2d::lispInCreate>(msg::lispInCreate),
  method<&Discrete2d::hdf5InCreate>(msg::hdf5InCreate),
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
  method<&Discrete2d::setDiscrete2d_toFile>(msg::setDiscrete2d_toFile),
  method<&Discrete2d::lispOutShallow>(msg::lispOutShallow),
  method<&Discrete2d::lispOutDeep>(msg::lispOutDeep),
  method<&Discrete2d::lispIn>(msg::lispIn),
  method<&Discrete2d::hdf5OutShallow>(msg::hdf5OutShallow),
  method<&Discrete2d::hdf5OutDeep>(msg::hdf5OutDeep),
  method<&Discrete2d::hdf5In>(msg::hdf5In),
  method<&Discrete2d::drop>(msg::drop))
