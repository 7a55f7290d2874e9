// Probe maps of the four kinds, custom maps, and the probe library.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "objectbase/ProbeMap.h"
#include "objectbase/objectbase.h"
#include "objectbase/specimen.h"
#include "space/report.h"

namespace {

const char* const End = nullptr;

const std::vector<std::string> specimenVariables = {
    "flag",    "letter", "byte",   "small",   "usmall", "number",  "unumber", "wide",    "uwide",
    "huge",    "uhuge",  "ratio",  "real",    "extended", "text",  "partner", "kind",    "action",
    "pointer", "grid",   "series", "record",  "records", "sameName", "x",      "y",       "lastSelector"};
const std::vector<std::string> specimenMethods = {
    "t_mix:real:wide:byte:small:text:object:", "t_moveX:y:", "t_half", "t_partner", "t_label", "t_isBig",
    "t_big", "t_ratio", "t_sum64:signed:", "t_classOf:sel:"};

std::vector<std::string> names(id map) {
  std::vector<std::string> result;
  id index = msg::begin(map, _obj_scratchZone);
  while (id probe = msg::next(index)) result.push_back(probeName(probe));
  msg::drop(index);
  return result;
}

template <class... Rest>
id customMap(Class cls, Rest... identifiers) {
  return msg::create_forClass_withIdentifiers(objc_get_class("CustomProbeMap"), _obj_globalZone, cls,
                                              identifiers...);
}

// The library's map of the specimen class; its array of records warns
// once, when the map is made.
id specimenMap() {
  id map = nil;
  report::capturedStderr([&] { map = msg::getProbeMapFor(probeLibrary, specimenClass()); });
  return map;
}

size_t position(const std::vector<std::string>& list, const std::string& name) {
  return std::find(list.begin(), list.end(), name) - list.begin();
}

TEST(ProbeMap, VariablesThenMethodsOfTheClassItself) {
  id map = specimenMap();
  std::vector<std::string> expected = specimenVariables;
  expected.insert(expected.end(), specimenMethods.begin(), specimenMethods.end());
  EXPECT_EQ(names(map), expected);
  EXPECT_EQ(msg::getCount(map), expected.size());
  EXPECT_EQ(msg::getProbedClass(map), specimenClass());
  // The method named like a variable is not in the map.
  EXPECT_NE(msg::getProbeForVariable(map, "sameName"), nil);
  EXPECT_EQ(msg::getProbeForMessage(map, "sameName"), nil);
  EXPECT_NE(msg::getProbeForMessage(map, "t_half"), nil);
  EXPECT_EQ(msg::getProbeForVariable(map, "t_half"), nil);
  EXPECT_EQ(msg::getProbeForVariable(map, "missing"), nil);
}

TEST(ProbeMap, TheLibraryCachesOneMapPerClass) {
  id map = specimenMap();
  EXPECT_EQ(msg::getProbeMapFor(probeLibrary, specimenClass()), map);
  Specimen* s = newSpecimen();
  EXPECT_EQ(msg::getProbeMapForObject(probeLibrary, s), map);
  EXPECT_EQ(msg::getProbeMap(s), map);
  EXPECT_EQ(msg::getProbeForVariable(s, "real"), msg::getProbeForVariable(map, "real"));
  EXPECT_EQ(msg::getProbeForMessage(s, "t_half"), msg::getProbeForMessage(map, "t_half"));
  EXPECT_EQ(msg::getProbeForVariable_inClass(probeLibrary, "real", specimenClass()),
            msg::getProbeForVariable(map, "real"));
  EXPECT_EQ(msg::getProbeForMessage_inObject(probeLibrary, "t_half", s), msg::getProbeForMessage(map, "t_half"));
  EXPECT_TRUE(msg::isProbeMapDefinedFor(probeLibrary, specimenClass()));
  EXPECT_TRUE(msg::isProbeMapDefinedForObject(probeLibrary, s));
  EXPECT_FALSE(msg::isProbeMapDefinedFor(probeLibrary, objc_get_class("ProbeLibrary")));

  id first = nil, second = nil;
  report::capturedStderr([&] {
    first = msg::getCompleteProbeMapFor(probeLibrary, specimenClass());
    second = msg::getCompleteProbeMap(s);
  });
  EXPECT_NE(first, second);
  EXPECT_NE(first, map);
  EXPECT_EQ(names(first), names(second));
  msg::drop(first);
  msg::drop(second);
  msg::drop(s);
}

TEST(ProbeMap, CompleteMapsWalkTheChainFromTheRoot) {
  Kid* kid = newKid();
  id complete = nil, vars = nil;
  report::capturedStderr([&] {
    complete = msg::getCompleteProbeMapForObject(probeLibrary, kid);
    vars = msg::getCompleteVarMapForObject(probeLibrary, kid);
  });
  const std::vector<std::string> all = names(complete);
  EXPECT_EQ(all.front(), "init");  // the runtime root's first method
  EXPECT_LT(position(all, "init"), position(all, "zbits"));
  EXPECT_LT(position(all, "zbits"), position(all, "getProbeMap"));
  EXPECT_LT(position(all, "getProbeMap"), position(all, "flag"));
  EXPECT_LT(position(all, "t_classOf:sel:"), position(all, "extra"));
  EXPECT_EQ(all.back(), "extra");
  EXPECT_EQ(std::count(all.begin(), all.end(), "t_half"), 1);
  EXPECT_EQ(msg::getProbedClass(msg::getProbeForMessage(complete, "t_half")), specimenClass());
  EXPECT_EQ(position(all, "_I_Creating"), all.size());

  std::vector<std::string> expected = {"zbits", "foreignEntry"};
  expected.insert(expected.end(), specimenVariables.begin(), specimenVariables.end());
  expected.push_back("extra");
  EXPECT_EQ(names(vars), expected);

  id own = msg::createBegin(objc_get_class("DefaultProbeMap"), _obj_globalZone);
  msg::setProbedObject(own, kid);
  own = msg::createEnd(own);
  EXPECT_EQ(names(own), std::vector<std::string>{"extra"});
  for (id map : {complete, vars, own}) msg::drop(map);
  msg::drop(kid);
}

TEST(ProbeMap, MapsWithoutAClassSaySo) {
  const struct {
    const char* kind;
    const char* warning;
  } cases[] = {{"ProbeMap", "ProbeMap"},
               {"DefaultProbeMap", "DefaultProbeMap"},
               {"CompleteProbeMap", "CompleteProbeMap"},
               {"CompleteVarMap", "CompleteVarMap"},
               {"CustomProbeMap", "ProbeMap"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.kind);
    id map = nil;
    const std::string out = report::capturedStderr(
        [&] { map = msg::createEnd(msg::createBegin(objc_get_class(c.kind), _obj_globalZone)); });
    EXPECT_EQ(out, report::warning(std::string(c.warning) + " object was not properly initialized\n"));
    if (std::string(c.kind) == "CustomProbeMap") {
      EXPECT_EQ(map, nil);
    } else {
      EXPECT_EQ(msg::getCount(map), 0u);
      msg::drop(map);
    }
  }
  id map = msg::createBegin(objc_get_class("CustomProbeMap"), _obj_globalZone);
  msg::setProbedClass(map, specimenClass());
  EXPECT_EQ(report::capturedStderr([&] { EXPECT_EQ(msg::setProbedClass(map, kidClass()), nil); }),
            report::warning("It is an error to reset the class\n"));
  map = msg::createEnd(map);
  EXPECT_EQ(msg::getProbedClass(map), specimenClass());
  msg::drop(map);
}

TEST(ProbeMap, CustomMapsShareTheLibrarysProbes) {
  id library = specimenMap();
  id map = customMap(specimenClass(), "real", "number", ":", "t_half", End);
  EXPECT_EQ(names(map), (std::vector<std::string>{"real", "number", "t_half"}));
  EXPECT_EQ(msg::getCount(map), 3u);
  EXPECT_EQ(msg::getProbeForVariable(map, "real"), msg::getProbeForVariable(library, "real"));
  EXPECT_EQ(msg::getProbeForMessage(map, "t_half"), msg::getProbeForMessage(library, "t_half"));

  const std::string out = report::capturedStderr([&] {
    msg::addProbesForClass_withIdentifiers(map, specimenClass(), "nothing", "x", ":", "t_halve", "t_label", End);
  });
  EXPECT_EQ(out, report::warning("Attempt to add null probe\n") +
                     "*** event raised for warning: WarningMessage\nUnable to create probe for t_halve"
                     "*** execution continuing...\n");
  EXPECT_EQ(names(map), (std::vector<std::string>{"real", "number", "t_half", "x", "t_label"}));
  msg::drop(map);

  map = customMap(specimenClass(), "y", ":", End);
  EXPECT_EQ(names(map), std::vector<std::string>{"y"});
  msg::drop(map);
  // Dropping a map leaves the probes alive.
  EXPECT_STREQ(msg::getProbedVariable(msg::getProbeForVariable(library, "real")), "real");
}

TEST(ProbeMap, AddingProbesAndMaps) {
  id map = customMap(kidClass(), "extra", ":", End);
  id real = varProbe("real");
  msg::addProbe(map, real);  // a probe of a superclass belongs
  EXPECT_EQ(msg::getCount(map), 2u);
  std::string out = report::capturedStderr([&] {
    msg::addProbe(map, real);
    msg::addProbe(map, nil);
  });
  EXPECT_EQ(out, report::warning("addProbe: There was already a probe for real!!!\n") +
                     report::warning("Attempt to add null probe\n"));
  EXPECT_EQ(msg::getCount(map), 2u);
  id stranger = varProbe("heard", objc_get_class("Listener"));
  out = report::capturedStderr([&] { msg::addProbe(map, stranger); });
  EXPECT_EQ(out, report::warning("Probe not added to ProbeMap because Listener is not a superclass of Kid\n"));
  EXPECT_EQ(msg::getCount(map), 2u);

  id other = customMap(specimenClass(), "real", "x", ":", "t_half", End);
  out = report::capturedStderr([&] { msg::addProbeMap(map, other); });
  EXPECT_EQ(out, report::warning("addProbe: There was already a probe for real!!!\n"));
  EXPECT_EQ(names(map), (std::vector<std::string>{"extra", "real", "x", "t_half"}));
  out = report::capturedStderr([&] { msg::addProbeMap(other, map); });
  EXPECT_EQ(out, report::warning("ProbeMap not added because Kid is not a superclass of Specimen\n"));
  EXPECT_EQ(msg::getCount(other), 3u);
  for (id object : {map, other, real, stranger}) msg::drop(object);
}

TEST(ProbeMap, DroppingProbesByName) {
  id map = customMap(specimenClass(), "real", "number", "x", ":", "t_half", "t_label", End);
  id real = msg::getProbeForVariable(map, "real");
  msg::dropProbeForVariable(map, "real");
  msg::dropProbeForMessage(map, "t_label");
  EXPECT_EQ(names(map), (std::vector<std::string>{"number", "x", "t_half"}));
  EXPECT_EQ(msg::getCount(map), 3u);
  EXPECT_STREQ(msg::getProbedVariable(real), "real");  // still alive
  id some = customMap(specimenClass(), "number", ":", "t_half", End);
  msg::dropProbeMap(map, some);
  EXPECT_EQ(names(map), std::vector<std::string>{"x"});
  EXPECT_EQ(msg::getCount(map), 1u);
  EXPECT_DEATH(msg::dropProbeForVariable(map, "real"), "dropProbeForVariable:");
  EXPECT_DEATH(msg::dropProbeForMessage(map, "t_half"), "dropProbeForMessage:");
  msg::drop(map);
  msg::drop(some);
}

TEST(ProbeMap, ClonesCopyEveryProbe) {
  id map = customMap(specimenClass(), "real", "number", ":", "t_half", End);
  id zone = msg::create(Zone, _obj_globalZone);
  id copy = msg::clone(map, zone);
  EXPECT_EQ(names(copy), names(map));
  EXPECT_EQ(msg::getCount(copy), 3u);
  EXPECT_EQ(msg::getProbedClass(copy), specimenClass());
  for (const char* name : {"real", "number"}) {
    id probe = msg::getProbeForVariable(copy, name);
    EXPECT_NE(probe, msg::getProbeForVariable(map, name));
    EXPECT_EQ(msg::getZone(probe), zone);
  }
  EXPECT_NE(msg::getProbeForMessage(copy, "t_half"), msg::getProbeForMessage(map, "t_half"));
  msg::drop(copy);
  msg::drop(zone);
  msg::drop(map);
}

TEST(ProbeMap, NotificationTargetsAreGatheredOnce) {
  Listener* first = newListener();
  Listener* second = newListener();
  Listener* library = newListener();
  id map = customMap(specimenClass(), "x", ":", End);
  msg::setObjectToNotify(map, first);
  EXPECT_EQ(msg::getObjectToNotify(map), first);
  msg::setObjectToNotify(map, second);
  msg::setObjectToNotify(map, first);
  id targets = msg::getObjectToNotify(map);
  ASSERT_EQ(msg::getCount(targets), 2u);
  EXPECT_EQ(msg::getFirst(targets), first);

  // A probe added later is given the map's targets.
  id probe = varProbe("y");
  msg::addProbe(map, probe);
  Specimen* s = newSpecimen();
  msg::setData_ToString(probe, s, "3");
  EXPECT_EQ(first->heard, 1);
  EXPECT_EQ(second->heard, 1);

  // The library's target joins, between the earlier and the new ones.
  msg::setObjectToNotify(probeLibrary, library);
  id other = customMap(specimenClass(), End);
  msg::setObjectToNotify(other, targets);
  id joined = msg::getObjectToNotify(other);
  ASSERT_EQ(msg::getCount(joined), 3u);
  EXPECT_EQ(msg::getFirst(joined), library);
  EXPECT_EQ(msg::getLast(joined), second);
  // Maps that the library or a plain createEnd makes take its target.
  id complete = nil;
  report::capturedStderr([&] { complete = msg::getCompleteVarMapFor(probeLibrary, specimenClass()); });
  EXPECT_EQ(msg::getObjectToNotify(complete), library);
  EXPECT_EQ(msg::getObjectToNotify(msg::getProbeForVariable(complete, "x")), library);
  msg::setObjectToNotify(probeLibrary, nil);
  EXPECT_EQ(msg::getObjectToNotify(probeLibrary), nil);

  for (id object : {map, other, complete, probe, targets, joined}) msg::drop(object);
  for (id object : {static_cast<id>(s), static_cast<id>(first), static_cast<id>(second), static_cast<id>(library)})
    msg::drop(object);
}

TEST(ProbeMap, TargetsMustAnswerTheHook) {
  const std::string text = "Object 0x[0-9a-f]+ of class Zone_c does not implement standard probe hook message\\.\n";
  id map = customMap(specimenClass(), End);
  EXPECT_DEATH(msg::setObjectToNotify(map, _obj_globalZone),
               "\\*\\*\\* event raised for error: NotImplemented\n" + text);
  EXPECT_DEATH(msg::setObjectToNotify(probeLibrary, _obj_globalZone),
               "\\*\\*\\* event raised for error: NotImplemented\n" + text);
  msg::drop(map);
}

TEST(ProbeMap, ALibraryMapCanBeReplaced) {
  Class cls = objc_get_class("Listener");
  Listener* l = newListener();
  id original = msg::getProbeMapForObject(probeLibrary, l);
  id custom = customMap(cls, "heard", ":", End);
  id again = customMap(cls, "kind", ":", End);
  msg::setProbeMap_ForObject(probeLibrary, custom, l);
  EXPECT_EQ(msg::getProbeMap(l), custom);
  EXPECT_EQ(msg::getProbeForVariable(l, "kind"), nil);
  msg::setProbeMap_For(probeLibrary, again, cls);
  EXPECT_EQ(msg::getProbeMapFor(probeLibrary, cls), again);
  EXPECT_NE(msg::getProbeForVariable(l, "kind"), nil);
  msg::setProbeMap_For(probeLibrary, original, cls);
  msg::drop(custom);
  msg::drop(again);
  msg::drop(l);
}

TEST(ProbeMap, DescribesEachProbe) {
  id map = customMap(specimenClass(), "real", ":", "t_half", End);
  const std::string out = report::capturedStderr([&] { msg::describeForEach(map, nil); });
  EXPECT_NE(out.find("variableName: real\n"), std::string::npos);
  EXPECT_NE(out.find("selector: t_half\n"), std::string::npos);
  msg::drop(map);
}

}  // namespace
