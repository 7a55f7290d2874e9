#include "voduva/WindowGeometryRecord.h"

#include <climits>
#include <cstring>

#include "collections/collections.h"
#include "collections/predicates.h"
#include "defobj/Zone.h"
#include "defobj/fcall_type.h"
#include "defobj/phase.h"
#include "defobj/raise.h"
#include "voduva/voduva.h"

namespace {

constexpr const char LispIn[] = "-[WindowGeometryRecord lispIn:]";

// One number of a size or position list; an archive's number must fit
// the field it is read into.
long long readNumber(id element, long long low, long long high) {
  if (!valuep(element)) raiseAt(WindowGeometryRecordError, LispIn, "Object is not a ArchiverValue (%s)", msg::getName(element));
  if (msg::getValueType(element) != fcall_type_slonglong)
    raiseAt(WindowGeometryRecordError, LispIn, "Integer expected (%s)\n", msg::getName(element));
  const long long value = msg::getLongLong(element);
  if (value < low || value > high) raiseAt(WindowGeometryRecordError, LispIn, "Value out of range: %lld\n", value);
  return value;
}

// The quoted list of two numbers that follows a keyword.
id pairAfter(id index, const char* keyword) {
  id value = msg::next(index);
  if (msg::getLoc(index) != Member) raiseAt(WindowGeometryRecordError, LispIn, "Missing value for `%s'\n", keyword);
  if (quotedp(value)) value = msg::getQuotedObject(value);
  if (!archiver_list_p(value) || msg::getCount(value) != 2)
    raiseAt(WindowGeometryRecordError, LispIn, "A list of two numbers expected for `%s'\n", keyword);
  return value;
}

template <class Write>
void catPair(id stream, const char* keyword, Write write) {
  msg::catSeparator(stream);
  msg::catKeyword(stream, keyword);
  msg::catSeparator(stream);
  msg::catStartQuotedList(stream);
  write(0);
  msg::catSeparator(stream);
  write(1);
  msg::catEndQuotedList(stream);
}

}  // namespace

id WindowGeometryRecord::setX_Y(int newX, int newY) {
  x = newX;
  y = newY;
  positionFlag = YES;
  return this;
}

id WindowGeometryRecord::setWidth_Height(unsigned newWidth, unsigned newHeight) {
  width = newWidth;
  height = newHeight;
  sizeFlag = YES;
  return this;
}

BOOL WindowGeometryRecord::getPositionFlag() { return positionFlag; }
BOOL WindowGeometryRecord::getSizeFlag() { return sizeFlag; }
unsigned WindowGeometryRecord::getWidth() { return width; }
unsigned WindowGeometryRecord::getHeight() { return height; }
int WindowGeometryRecord::getX() { return x; }
int WindowGeometryRecord::getY() { return y; }

id WindowGeometryRecord::lispIn(id expr) {
  id index = msg::begin(expr, _obj_scratchZone);
  for (id element = msg::next(index); msg::getLoc(index) == Member; element = msg::next(index)) {
    if (!keywordp(element)) raiseAt(WindowGeometryRecordError, LispIn, "String expected (%s)\n", msg::getName(element));
    const char* keyword = msg::getKeywordName(element);
    if (std::strcmp(keyword, "position") == 0) {
      id pair = pairAfter(index, keyword);
      setX_Y(static_cast<int>(readNumber(msg::getFirst(pair), INT_MIN, INT_MAX)),
             static_cast<int>(readNumber(msg::getLast(pair), INT_MIN, INT_MAX)));
    } else if (std::strcmp(keyword, "size") == 0) {
      id pair = pairAfter(index, keyword);
      setWidth_Height(static_cast<unsigned>(readNumber(msg::getFirst(pair), 0, UINT_MAX)),
                      static_cast<unsigned>(readNumber(msg::getLast(pair), 0, UINT_MAX)));
    } else {
      raiseAt(WindowGeometryRecordError, LispIn, "Unknown keyword: `%s'\n", keyword);
    }
  }
  msg::drop(index);
  return this;
}

void WindowGeometryRecord::lispOutShallow(id stream) {
  msg::catStartMakeInstance(stream, getTypeName());
  if (sizeFlag) catPair(stream, "size", [&](int i) { msg::catUnsigned(stream, i ? height : width); });
  if (positionFlag) catPair(stream, "position", [&](int i) { msg::catInt(stream, i ? y : x); });
  msg::catEndMakeInstance(stream);
}

void WindowGeometryRecord::lispOutDeep(id stream) { lispOutShallow(stream); }

REGISTER_CLASS(WindowGeometryRecord, CreateDrop,
  ivar(&WindowGeometryRecord::positionFlag, "positionFlag"),
  ivar(&WindowGeometryRecord::sizeFlag, "sizeFlag"),
  ivar(&WindowGeometryRecord::width, "width"),
  ivar(&WindowGeometryRecord::height, "height"),
  ivar(&WindowGeometryRecord::x, "x"),
  ivar(&WindowGeometryRecord::y, "y"),
  phase(Phase::Creating),
  method<&WindowGeometryRecord::setX_Y>(msg::setX_Y),
  method<&WindowGeometryRecord::setWidth_Height>(msg::setWidth_Height),
  phase(Phase::Using),
  method<&WindowGeometryRecord::getPositionFlag>(msg::getPositionFlag),
  method<&WindowGeometryRecord::getSizeFlag>(msg::getSizeFlag),
  method<&WindowGeometryRecord::getWidth>(msg::getWidth),
  method<&WindowGeometryRecord::getHeight>(msg::getHeight),
  method<&WindowGeometryRecord::getX>(msg::getX),
  method<&WindowGeometryRecord::getY>(msg::getY),
  method<&WindowGeometryRecord::lispIn>(msg::lispIn),
  method<&WindowGeometryRecord::lispOutShallow>(msg::lispOutShallow),
  method<&WindowGeometryRecord::lispOutDeep>(msg::lispOutDeep))
