// Window geometry records: their archive text, the errors of malformed
// ones, and widgets that restore and store their geometry through the
// per-user archive.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "collections/collections.h"
#include "collections/stream_messages.h"
#include "defobj/Archiver.h"
#include "defobj/Zone.h"
#include "defobj/defobj.h"
#include "defobj/lispIn.h"
#include "support/reports.h"
#include "voduva_fixture.h"

namespace {

id recordClass() { return objc_get_class("WindowGeometryRecord"); }

std::string textOf(id object, const Message<void(id)>& writer = msg::lispOutShallow) {
  char* written = nullptr;
  size_t size = 0;
  FILE* out = open_memstream(&written, &size);
  id stream = msg::create_setFileStream(OutputStream, _obj_scratchZone, out);
  writer(object, stream);
  msg::drop(stream);
  std::fclose(out);
  std::string text = written;
  std::free(written);
  return text;
}

id readObject(const char* text) {
  FILE* in = fmemopen(const_cast<char*>(text), std::strlen(text), "r");
  id stream = msg::create_setFileStream(InputStream, _obj_scratchZone, in);
  id object = lispIn(_obj_globalZone, msg::getExpr(stream));
  std::fclose(in);
  return object;
}

id record(int x, int y, unsigned width, unsigned height, bool position, bool size) {
  id r = msg::createBegin(recordClass(), _obj_globalZone);
  if (position) msg::setX_Y(r, x, y);
  if (size) msg::setWidth_Height(r, width, height);
  return msg::createEnd(r);
}

// Each test works on an archive of its own, in memory: no file is loaded
// or written.
class ArchivedGeometryTest : public TkTest {
 protected:
  void SetUp() override {
    saved = lispArchiver;
    id archiver = msg::createBegin(LispArchiver, _obj_globalZone);
    msg::setPath(archiver, "/nonexistent/broodArchiver");
    msg::setSystemArchiverFlag(archiver, YES);
    msg::setInhibitLoadFlag(archiver, YES);
    lispArchiver = msg::createEnd(archiver);
  }
  void TearDown() override {
    msg::drop(lispArchiver);
    lispArchiver = saved;
    run("foreach w [winfo children .] {destroy $w}");
    drain();
  }
  static void drain() {
    run("update");
    while (voduva_doOneEventAsync()) {}
  }
  id saved = nil;
};

std::string stored(const char* name) {
  id r = msg::getObjectByKey(lispArchiver, name);
  if (!r) return "none";
  std::string text = textOf(r);
  msg::drop(r);
  return text;
}

}  // namespace

TEST_F(ArchivedGeometryTest, RecordTextRoundTrip) {
  struct {
    bool position, size;
    const char* text;
  } cases[] = {
      {true, true, "(make-instance 'WindowGeometryRecord #:size '(400 247) #:position '(10 -20))"},
      {true, false, "(make-instance 'WindowGeometryRecord #:position '(10 -20))"},
      {false, true, "(make-instance 'WindowGeometryRecord #:size '(400 247))"},
      {false, false, "(make-instance 'WindowGeometryRecord)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    id r = record(10, -20, 400, 247, c.position, c.size);
    const std::string text = textOf(r);
    EXPECT_EQ(text, c.text);
    id back = readObject(text.c_str());
    EXPECT_EQ(msg::getPositionFlag(back), c.position);
    EXPECT_EQ(msg::getSizeFlag(back), c.size);
    if (c.position) {
      EXPECT_EQ(std::to_string(msg::getX(back)) + "," + std::to_string(msg::getY(back)), "10,-20");
    }
    if (c.size) {
      EXPECT_EQ(std::to_string(msg::getWidth(back)) + "x" + std::to_string(msg::getHeight(back)), "400x247");
    }
    EXPECT_EQ(textOf(back), text);
    EXPECT_EQ(textOf(back, msg::lispOutDeep), text);
    msg::drop(back);
    msg::drop(r);
  }
}

TEST_F(ArchivedGeometryTest, MalformedRecordsAreRefused) {
  struct {
    const char* text;
    const char* message;
  } cases[] = {
      {"(make-instance 'WindowGeometryRecord #:colour '(1 2))", "Unknown keyword: `colour'\n"},
      {"(make-instance 'WindowGeometryRecord 5 '(1 2))", "String expected (ArchiverValue_c)\n"},
      {"(make-instance 'WindowGeometryRecord #:size '(a 2))", "Object is not a ArchiverValue (String_c)"},
      {"(make-instance 'WindowGeometryRecord #:size '(1 #:b))", "Object is not a ArchiverValue (ArchiverKeyword_c)"},
      {"(make-instance 'WindowGeometryRecord #:size)", "Missing value for `size'\n"},
      {"(make-instance 'WindowGeometryRecord #:position 3)", "A list of two numbers expected for `position'\n"},
      {"(make-instance 'WindowGeometryRecord #:position '(1 2 3))", "A list of two numbers expected for `position'\n"},
      {"(make-instance 'WindowGeometryRecord #:size '(-1 2))", "Value out of range: -1\n"},
      {"(make-instance 'WindowGeometryRecord #:position '(1 4294967296))", "Value out of range: 4294967296\n"},
      {"(make-instance 'WindowGeometryRecord #:position '(1.5 2))", "Integer expected (ArchiverValue_c)\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_DEATH(readObject(c.text), "\\*\\*\\* event raised for error: WindowGeometryRecordError\n"
                                     "\\*\\*\\* function: -\\[WindowGeometryRecord lispIn:\\]\\(\\), file: [^,]*, line: "
                                     "[0-9]+\n" + literal(c.message));
  }
}

TEST_F(ArchivedGeometryTest, WidgetsRestoreThePositionAndOnRequestTheSize) {
  msg::putShallow_object(lispArchiver, "placed", record(40, 50, 300, 200, true, true));
  id frame = msg::create_setWindowGeometryRecordName(objc_get_class("Frame"), _obj_globalZone, "placed");
  drain();
  // A frame does not apply the size: only classes that call updateSize do.
  EXPECT_EQ(msg::getX(frame), 40);
  EXPECT_EQ(msg::getY(frame), 50);
  EXPECT_STREQ(Tk_Name(voduva_nameToWindow(msg::getWidgetName(frame))), "placed");
  EXPECT_NE(msg::getWidth(frame), 300u);

  msg::putShallow_object(lispArchiver, "sized", record(0, 0, 300, 200, false, true));
  id canvas = msg::create_setWindowGeometryRecordName(objc_get_class("Canvas"), _obj_globalZone, "sized");
  EXPECT_EQ(run(std::string(msg::getWidgetName(canvas)) + " cget -width"), "300");
  EXPECT_EQ(run(std::string(msg::getWidgetName(canvas)) + " cget -height"), "200");
  msg::drop(canvas);
  msg::drop(frame);

  // Stored the other way round: the position only, unless the size is asked for.
  id moved = msg::create_setWindowGeometryRecordName(objc_get_class("Frame"), _obj_globalZone, "fresh");
  msg::setWindowGeometry(moved, "220x110+25+35");
  drain();
  msg::updateArchiver_(lispArchiver);
  EXPECT_EQ(stored("fresh"), "(make-instance 'WindowGeometryRecord #:position '(25 35))");
  msg::setSaveSizeFlag(moved, YES);
  msg::updateArchiver_(lispArchiver);
  EXPECT_EQ(stored("fresh"), "(make-instance 'WindowGeometryRecord #:size '(220 110) #:position '(25 35))");
  msg::drop(moved);

  // Dropped widgets are no longer clients, nameless ones store nothing.
  id nameless = msg::create(objc_get_class("Frame"), _obj_globalZone);
  msg::updateArchiver_(lispArchiver);
  EXPECT_EQ(stored("fresh"), "(make-instance 'WindowGeometryRecord #:size '(220 110) #:position '(25 35))");
  msg::drop(nameless);
  msg::updateArchiver_(lispArchiver);
}

TEST_F(ArchivedGeometryTest, AnotherObjectUnderTheNameIsRefused) {
  msg::putShallow_object(lispArchiver, "taken", makeWidget(".nowhere"));
  EXPECT_DEATH(msg::create_setWindowGeometryRecordName(objc_get_class("Frame"), _obj_globalZone, "taken"),
               "event raised for error: WindowGeometryRecordError\n.*\nObject `taken' is not a "
               "WindowGeometryRecord \\(.*\\)\n");
}
