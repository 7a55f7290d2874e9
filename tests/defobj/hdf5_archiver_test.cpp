// The HDF5 archiver and the generic HDF5 forms of objects: the layout
// h5ls sees, what a later archiver reads back, and the bad files it meets.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "collections/stream_support.h"
#include "defobj/Archiver.h"
#include "defobj/CreateDrop.h"
#include "defobj/archiving_messages.h"
#include "defobj/arguments_messages.h"
#include "defobj/hdf5_support.h"
#include "defobj/module.h"
#include "runtime/registration.h"

namespace {

struct Stored : CreateDrop {
  int x;
  double y;
  const char* label;
  id inner;
};

}  // namespace

REGISTER_CLASS(Stored, CreateDrop, ivar(&Stored::x, "x"), ivar(&Stored::y, "y"), ivar(&Stored::label, "label"),
               ivar(&Stored::inner, "inner"))

namespace {

Class storedClass() {
  static bool registered = false;
  if (!registered) {
    objc_register_Stored();
    registered = true;
  }
  return objc_get_class("Stored");
}

Stored* makeStored(int x, double y, const char* label, id inner = nil) {
  auto* s = static_cast<Stored*>(msg::create(storedClass(), _obj_globalZone));
  s->x = x;
  s->y = y;
  s->label = label;
  s->inner = inner;
  return s;
}

// Archivers of the application rarevadiv, whose home and data folder is
// the test's folder.
class HDF5Archivers : public HDF5Files {
 protected:
  id savedArguments = arguments;
  std::string savedHome = std::getenv("HOME") ? std::getenv("HOME") : "";

  void SetUp() override {
    HDF5Files::SetUp();
    setenv("HOME", folder.c_str(), 1);
    const char* argv[] = {"rarevadiv"};
    arguments = msg::createArgc_Argv_appName_version_bugAddress_options_optionFunc_inhibitExecutableSearchFlag(
        objc_get_class("Arguments_c"), 1, argv, "rarevadiv", nullptr, nullptr, nullptr, nullptr, YES);
    msg::setDefaultAppDataPath(arguments, "./");
  }

  void TearDown() override {
    arguments = savedArguments;
    setenv("HOME", savedHome.c_str(), 1);
    HDF5Files::TearDown();
  }

  static id makeArchiver(BOOL system) {
    id archiver = msg::createBegin(HDF5Archiver, _obj_globalZone);
    if (system) {
      msg::setDefaultPath(archiver);
      msg::setSystemArchiverFlag(archiver, YES);
    } else {
      msg::setDefaultAppPath(archiver);
    }
    return msg::createEnd(archiver);
  }

  static Stored* get(id archiver, const char* key) {
    return static_cast<Stored*>(msg::getWithZone_key(archiver, _obj_globalZone, key));
  }
};

TEST_F(HDF5Archivers, SystemArchiveKeepsApplicationsAndModesAsGroups) {
  id archiver = makeArchiver(YES);
  EXPECT_EQ(get(archiver, "deep"), nullptr);
  msg::putDeep_object(archiver, "deep", makeStored(1, 1.5, "one", makeStored(2, 2.5, nullptr)));
  msg::putShallow_object(archiver, "flat", makeStored(3, 3.5, "three"));
  msg::sync(archiver);
  msg::drop(archiver);

  const std::string file = folder + "/broodArchiver.hdf";
  const std::string listing = h5ls("-r " + file);
  EXPECT_HAS(listing, "/rarevadiv/default/deep  Group");
  EXPECT_HAS(listing, "/rarevadiv/default/deep/inner Group");
  EXPECT_HAS(listing, "/rarevadiv/default/deep/x Dataset {1}");
  EXPECT_HAS(listing, "/rarevadiv/default/deep/label Dataset {1}");
  EXPECT_HAS(listing, "/rarevadiv/default/flat  Dataset {1}");
  // A nil variable leaves no member.
  EXPECT_EQ(listing.find("/deep/inner/label"), std::string::npos) << listing;
  EXPECT_EQ(listing.find("/deep/inner/inner"), std::string::npos) << listing;
  EXPECT_HAS(h5dump("-a /rarevadiv/default/deep/type " + file), "\"Stored\"");

  archiver = makeArchiver(YES);
  Stored* deep = get(archiver, "deep");
  ASSERT_NE(deep, nullptr);
  EXPECT_EQ(deep->isa, storedClass());
  EXPECT_EQ(deep->x, 1);
  EXPECT_EQ(deep->y, 1.5);
  EXPECT_STREQ(deep->label, "one");
  ASSERT_NE(deep->inner, nil);
  EXPECT_EQ(static_cast<Stored*>(deep->inner)->x, 2);
  EXPECT_EQ(static_cast<Stored*>(deep->inner)->label, nullptr);
  Stored* flat = get(archiver, "flat");
  ASSERT_NE(flat, nullptr);
  EXPECT_EQ(flat->x, 3);
  EXPECT_STREQ(flat->label, "three");
  EXPECT_EQ(get(archiver, "missing"), nullptr);

  // A later object under a key replaces the earlier one whole.
  msg::putDeep_object(archiver, "deep", makeStored(4, 4.5, nullptr));
  msg::drop(archiver);
  EXPECT_EQ(h5ls("-r " + file).find("/deep/label"), std::string::npos);
  archiver = makeArchiver(YES);
  EXPECT_EQ(get(archiver, "deep")->x, 4);
  EXPECT_EQ(get(archiver, "deep")->inner, nil);
  msg::drop(archiver);
}

TEST_F(HDF5Archivers, ApplicationArchiveIsTheFileItself) {
  id archiver = makeArchiver(NO);
  msg::putDeep_object(archiver, "modelBrood", makeStored(5, 0.25, "m"));
  msg::drop(archiver);
  EXPECT_HAS(h5ls("-r rarevadiv.hdf"), "/modelBrood/x");
  archiver = makeArchiver(NO);
  EXPECT_EQ(get(archiver, "modelBrood")->x, 5);
  msg::drop(archiver);
}

TEST_F(HDF5Archivers, BadFilesLoadAsEmptyOrEndInAClearReport) {
  // A file that is not HDF5 is an empty archive, and is not overwritten.
  std::ofstream("rarevadiv.hdf") << "plain text";
  id archiver = makeArchiver(NO);
  EXPECT_EQ(get(archiver, "modelBrood"), nullptr);
  EXPECT_DEATH(msg::putDeep_object(archiver, "p", makeStored(1, 1, nullptr)),
               errorReport("SaveError", "-[HDF5(c) _createEnd]", "HDF5.cpp",
                           "failed to open HDF5 file for r/w`./rarevadiv.hdf'"));
  msg::drop(archiver);

  // A dataset whose type does not fit the variable, and one of another
  // element count.
  {
    id root = makeNode(nil, "broodArchiver.hdf", YES);
    id application = makeNode(root, "rarevadiv", YES);
    id mode = makeNode(application, "default", YES);
    for (const char* key : {"text", "many"}) {
      id group = makeNode(mode, key, YES);
      msg::storeTypeName(group, "Stored");
      const char* texts[] = {"seven"};
      const unsigned dims[] = {2};
      const int values[] = {1, 2};
      if (key[0] == 't')
        msg::storeAsDataset_typeName_type_rank_dims_ptr(group, "x", nullptr, fcall_type_string, 0, nullptr, texts);
      else
        msg::storeAsDataset_typeName_type_rank_dims_ptr(group, "x", nullptr, fcall_type_sint, 1, dims, values);
      msg::drop(group);
    }
    for (id node : {mode, application, root}) msg::drop(node);
  }
  storedClass();
  archiver = makeArchiver(YES);
  EXPECT_DEATH(get(archiver, "text"),
               errorReport("LoadError", "-[HDF5(c) _assignIvar:]", "HDF5.cpp",
                           "variable `x' of type 7 cannot hold a dataset of type 17"));
  EXPECT_DEATH(get(archiver, "many"), errorReport("LoadError", "-[HDF5(c) _assignIvar:]", "HDF5.cpp",
                                                  "variable `x' holds 1 values, the dataset 2"));
  msg::drop(archiver);
}

}  // namespace
