// A brood's probe forms ask the probe library about the brood.
#include <gtest/gtest.h>

#include "objectbase/objectbase.h"
#include "objectbase/specimen.h"
#include "space/report.h"

TEST(BroodProbes, TheLibraryAnswersForTheBrood) {
  Colony* colony = newColony();
  colony->population = 42;
  id map = msg::getProbeMap(colony);
  EXPECT_EQ(map, msg::getProbeMapForObject(probeLibrary, colony));
  EXPECT_EQ(msg::getProbedClass(map), objc_get_class("Colony"));

  id probe = msg::getProbeForVariable(colony, "population");
  ASSERT_NE(probe, nil);
  EXPECT_EQ(probe, msg::getProbeForVariable(map, "population"));
  EXPECT_EQ(msg::probeAsInt(probe, colony), 42);
  // The brood's own map holds only its class's variables.
  EXPECT_EQ(msg::getProbeForVariable(colony, "internalZone"), nil);

  id complete = nil;
  report::capturedStderr([&] { complete = msg::getCompleteProbeMap(colony); });
  EXPECT_NE(complete, map);
  EXPECT_NE(msg::getProbeForVariable(complete, "internalZone"), nil);
  EXPECT_NE(msg::getProbeForVariable(complete, "population"), nil);
  msg::drop(complete);
  msg::drop(colony);
}
