// The object directory's native paths: classes, superclasses and names.
#include <gtest/gtest.h>

#include <string>

#include "defobj/brood_directory.h"
#include "defobj/module.h"

namespace {

std::string taken(char* scratchCopy) {
  std::string text = scratchCopy ? scratchCopy : "(nil)";
  if (scratchCopy) msg::free(_obj_scratchZone, scratchCopy);
  return text;
}

TEST(Directory, ClassesAndSuperclasses) {
  EXPECT_EQ(brood_directory_ensure_class_named("Zone_c"), objc_lookup_class("Zone_c"));
  EXPECT_NE(brood_directory_ensure_class_named("Zone_c"), nullptr);
  EXPECT_EQ(brood_directory_ensure_class_named("NoSuchClassAnywhere"), nullptr);
  EXPECT_EQ(brood_directory_brood_class(_obj_globalZone), _obj_globalZone->isa);
  EXPECT_EQ(brood_directory_brood_class(nil), nullptr);
  Class createDrop = static_cast<Class>(id_CreateDrop);
  EXPECT_EQ(brood_directory_superclass(createDrop), objc_get_class("CreateDrop_s"));
  EXPECT_EQ(brood_directory_superclass(createDrop->isa), nullptr);  // a meta-class
  EXPECT_EQ(brood_directory_superclass(nullptr), nullptr);
}

TEST(Directory, ObjectClassNamesAreFreshCopies) {
  char* first = brood_directory_language_independent_class_name_for_objc_object(_obj_globalZone);
  char* second = brood_directory_language_independent_class_name_for_objc_object(_obj_globalZone);
  EXPECT_NE(first, second);
  EXPECT_STREQ(first, _obj_globalZone->isa->name);
  EXPECT_STREQ(second, first);
  taken(first);
  taken(second);
}

TEST(Directory, TypeNameForms) {
  EXPECT_EQ(taken(language_independent_class_name_for_typename("List", YES)), "brood/collections/ListImpl");
  EXPECT_EQ(taken(language_independent_class_name_for_typename("List", NO)), "brood/collections/ListCImpl");
  EXPECT_EQ(taken(language_independent_class_name_for_typename("Phase", YES)), "brood/PhaseImpl");
  EXPECT_EQ(taken(language_independent_class_name_for_typename("Create_byboth", YES)), "brood/CustomizedType");
  EXPECT_EQ(taken(language_independent_class_name_for_typename("NoSuchType", YES)), "(nil)");
}

TEST(Directory, ClassNamesFollowTheImplementedTypeAndPhase) {
  // The type variable holds the creating class; createEnd moves to the
  // using class.
  EXPECT_EQ(taken(language_independent_class_name_for_objc_class(static_cast<Class>(Zone))),
            "brood/defobj/ZoneCImpl");
  EXPECT_EQ(taken(language_independent_class_name_for_objc_class(_obj_globalZone->isa)), "brood/defobj/ZoneImpl");
  EXPECT_EQ(taken(language_independent_class_name_for_objc_class(static_cast<Class>(id_Zone_c))),
            "brood/defobj/ZoneImpl");
  // A class that implements no type is named by itself, when the map knows it.
  EXPECT_EQ(taken(language_independent_class_name_for_objc_class(static_cast<Class>(id_CreateDrop))), "(nil)");
}

}  // namespace
