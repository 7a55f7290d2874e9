// Classes made at run time as archive objects: a finished class through the
// text archiver and back, the class an HDF5 node describes, and the HDF5
// form such a class does not have.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "collections/collections.h"
#include "collections/stream_messages.h"
#include "defobj/Class_s.h"
#include "defobj/CreateDrop.h"
#include "defobj/archiving_messages.h"
#include "defobj/hdf5_messages.h"
#include "defobj/lispIn.h"
#include "defobj/runtime_classes.h"

namespace {

// Stands in for an HDF5 node: it describes a class and keeps the object
// that asked for it.
struct DescribingNode : CreateDrop {
  id base;
  Class described;
  void setBaseTypeObject(id object) { base = object; }
  Class getClass() { return described; }
};

}  // namespace

REGISTER_CLASS(DescribingNode, CreateDrop,
  method<&DescribingNode::setBaseTypeObject>(msg::setBaseTypeObject),
  method<&DescribingNode::getClass>(msg::getClass))

namespace {

id readForm(const std::string& text) {
  FILE* in = fmemopen(const_cast<char*>(text.data()), text.size(), "r");
  id form = msg::getExpr(msg::create_setFileStream(InputStream, _obj_scratchZone, in));
  std::fclose(in);
  return form;
}

// Classes made at run time stay for the process: each call names a new one.
Class makeClass(const char* variables) {
  static int made = 0;
  const std::string name = "Hearth" + std::to_string(made++);
  return static_cast<Class>(lispIn(_obj_globalZone, readForm("(make-class '" + name + " " + variables + ")")));
}

TEST(CreatedClass, FinishedClassRoundTripsThroughTheTextArchiver) {
  const Class hearth = makeClass("#:heat 'int #:grid (array 'double 2 3) #:label 'string");
  char directory[] = "/tmp/brood-class-XXXXXX";
  ASSERT_NE(mkdtemp(directory), nullptr);
  const std::string path = std::string(directory) + "/classes.scm";

  // As an archiver client the class stores itself under its name.
  id writer = msg::create_setPath(LispArchiver, _obj_globalZone, path.c_str());
  msg::updateArchiver(hearth, writer);
  msg::sync(writer);
  msg::drop(writer);
  id reader = msg::create_setPath(LispArchiver, _obj_globalZone, path.c_str());
  const Class copy = static_cast<Class>(msg::getWithZone_key(reader, _obj_globalZone, hearth->name));
  msg::drop(reader);
  unlink(path.c_str());
  rmdir(directory);

  ASSERT_NE(copy, nullptr);
  EXPECT_NE(copy, hearth);
  EXPECT_STREQ(copy->name, hearth->name);
  EXPECT_EQ(copy->superclass, hearth->superclass);
  EXPECT_EQ(copy->instanceSize, hearth->instanceSize);
  ASSERT_EQ(copy->ivarList->ivar_count, 3);
  for (int i = 0; i < 3; i++) {
    const objc_ivar &read = copy->ivarList->ivar_list[i], &written = hearth->ivarList->ivar_list[i];
    EXPECT_STREQ(read.ivar_name, written.ivar_name);
    EXPECT_STREQ(read.ivar_type, written.ivar_type);
    EXPECT_EQ(read.ivar_offset, written.ivar_offset);
  }
}

TEST(CreatedClass, HDF5CreationAnswersTheClassTheNodeDescribes) {
  objc_register_DescribingNode();
  auto* node = static_cast<DescribingNode*>(msg::create(objc_get_class("DescribingNode"), _obj_scratchZone));
  node->described = makeClass("#:heat 'int");
  id record = type_create(_obj_scratchZone, "Described");
  EXPECT_EQ(msg::hdf5InCreate(record, node), static_cast<id>(node->described));
  EXPECT_EQ(node->base, record);
  msg::drop(node);
}

TEST(CreatedClass, HasNoHDF5Form) {
  const id receivers[] = {type_create(_obj_scratchZone, "Unfinished"), makeClass("")};
  for (id receiver : receivers)
    EXPECT_DEATH(msg::hdf5OutShallow(receiver, nil),
                 "\\*\\*\\* event raised for error: NotImplemented\n.*\nDefClass / hdf5OutShallow:");
}

}  // namespace
