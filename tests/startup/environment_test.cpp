#include <gtest/gtest.h>

#include "activity/activity.h"
#include "defobj/Archiver.h"
#include "defobj/module.h"
#include "defobj/xprint.h"
#include "objectbase/objectbase.h"
#include "startup/BroodEnvironment.h"
#include "voduva/voduva.h"
#include "startup/environment_messages.h"
#include "space/report.h"

extern id environment;

namespace {

TEST(Environment, BatchOptionStartsTheLibrariesWithoutGui) {
  EXPECT_FALSE(broodGUIMode);
  EXPECT_FALSE(msg::getGuiFlag(environment));
  EXPECT_EQ(msg::getArguments(environment), arguments);
  EXPECT_TRUE(msg::getFixedSeedFlag(arguments));
  EXPECT_EQ(msg::getFixedSeed(arguments), 5u);
  EXPECT_NE(probeLibrary, nil);
  EXPECT_NE(lispAppArchiver, nil);
  EXPECT_NE(uniformIntRand, nil);
}

// Batch mode makes nothing of the GUI: no interpreter, display manager or
// control state, and their accessors answer nil.
TEST(Environment, BatchModeMakesNoGuiObjects) {
  EXPECT_EQ(globalTkInterp, nil);
  for (const Message<id()>* accessor :
       {&msg::getProbeDisplayManager, &msg::getControlStateRunning, &msg::getControlStateStopped,
        &msg::getControlStateStepping, &msg::getControlStateQuit, &msg::getControlStateNextTime})
    EXPECT_EQ((*accessor)(environment), nil) << sel_get_name(accessor->sel);
}

TEST(Environment, AccessorsAnswerTheGlobals) {
  const struct {
    const Message<id()>& accessor;
    id global;
  } cases[] = {
      {msg::getStart, Start},
      {msg::getMember, Member},
      {msg::getEnd, End},
      {msg::getInitialized, Initialized},
      {msg::getRunning, Running},
      {msg::getStopped, Stopped},
      {msg::getHolding, Holding},
      {msg::getReleased, Released},
      {msg::getTerminated, Terminated},
      {msg::getCompleted, Completed},
      {msg::getRandomized, Randomized},
      {msg::getSequential, Sequential},
      {msg::getScratchZone, _obj_scratchZone},
      {msg::getGlobalZone, _obj_globalZone},
      {msg::getRandomGenerator, randomGenerator},
      {msg::getUniformIntRand, uniformIntRand},
      {msg::getUniformDblRand, uniformDblRand},
      {msg::getProbeLibrary, probeLibrary},
      {msg::getHdf5Archiver, hdf5Archiver},
      {msg::getLispArchiver, lispArchiver},
      {msg::getHdf5AppArchiver, hdf5AppArchiver},
      {msg::getLispAppArchiver, lispAppArchiver},
      {msg::getLanguageCOM, LanguageCOM},
      {msg::getLanguageJava, LanguageJava},
      {msg::getLanguageObjc, LanguageObjc},
  };
  for (const auto& c : cases) {
    EXPECT_NE(c.global, nil) << sel_get_name(c.accessor.sel);
    EXPECT_EQ(c.accessor(environment), c.global) << sel_get_name(c.accessor.sel);
  }
  EXPECT_STREQ(msg::typeModule(environment, "List"), "collections");
}

TEST(Environment, ContextQueriesOutsideARunEndTheProcess) {
  EXPECT_DEATH(msg::getCurrentTime(environment), "getCurrentTime\\(\\): there is no currently running activity");
  EXPECT_DEATH(msg::getCurrentBroodActivity(environment),
               "getCurrentBroodActivity\\(\\): there is no currently running activity");
}

// The environment's printing messages are the debugging functions, which
// write on standard error.
TEST(Environment, PrintingMessagesAreTheDebuggingFunctions) {
  const struct {
    const Message<void(id)>& message;
    void (*function)(id);
    const char* ofNil;
    const char* ofPlainObject;  // how the text of a non-nil object begins
  } cases[] = {
      {msg::xprint, xprint, "xprint: object is nil\n", "0x"},
      {msg::xfprint, xfprint, "xfprint: object is nil\n",
       "xfprint: object does not respond to describeForEach:\n> object is: 0x"},
  };
  for (const auto& c : cases) {
    const char* selector = sel_get_name(c.message.sel);
    EXPECT_EQ(report::capturedStderr([&] { c.message(environment, nil); }), c.ofNil) << selector;
    const std::string text = report::capturedStderr([&] { c.message(environment, environment); });
    EXPECT_EQ(text.rfind(c.ofPlainObject, 0), 0u) << selector << ": " << text;
    EXPECT_NE(text.find("BroodEnvironment"), std::string::npos) << selector << ": " << text;
    EXPECT_EQ(text, report::capturedStderr([&] { c.function(environment); })) << selector;
  }
}

TEST(Environment, VerboseMessagesNeedTheVerboseOption) {
  testing::internal::CaptureStdout();
  msg::verboseMessage(environment, "quiet");
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
}

}  // namespace
