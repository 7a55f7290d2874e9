// The interpreter object: evaluation, variables, registered names.
#include <sys/stat.h>

#include <cstdio>
#include <fstream>

#include "defobj/Zone.h"
#include "defobj/messages.h"
#include "interp_fixture.h"
#include "support/temp_path.h"
#include "tclobjc_specimen.h"

TEST_F(TclTest, EvaluatesFormattedTextAndKeepsTheCode) {
  msg::eval(tcl, "expr {%d + %d}", 2, 3);
  EXPECT_EQ(msg::code(tcl), TCL_OK);
  EXPECT_STREQ(msg::result(tcl), "5");
  msg::globalEval(tcl, "set g {%s}", "global value");
  EXPECT_STREQ(msg::globalVariableValue(tcl, "g"), "global value");
  EXPECT_TRUE(msg::globalVariableExists(tcl, "g"));
  EXPECT_FALSE(msg::variableExists(tcl, "nothing_here"));
}

TEST_F(TclTest, ErrorIsPrintedAndTheNextEvaluationWorks) {
  EXPECT_EQ(run("error {it broke}"), "error: it broke");
  EXPECT_EQ(lastStderr, "(Tcl -eval:) it broke\n    while executing\n\"error {it broke}\"\n"
                        "while evaluating: error {it broke}\n");
  EXPECT_EQ(run("string length abc"), "3");
}

TEST_F(TclTest, TextTooLongForTheBufferIsRefusedNotCut) {
  const std::string text = "set long {" + std::string(40000, 'x') + "}";
  EXPECT_EQ(run(text), "error: text too long for the evaluation buffer");
  EXPECT_NE(lastStderr.find("does not fit the 32768-byte buffer"), std::string::npos);
  EXPECT_FALSE(msg::globalVariableExists(tcl, "long"));
}

TEST_F(TclTest, MissingVariableIsReported) {
  testing::internal::CaptureStderr();
  EXPECT_EQ(msg::variableValue(tcl, "absent"), nullptr);
  EXPECT_EQ(msg::globalVariableValue(tcl, "absent"), nullptr);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "(Tcl variableValue:) absent isn't a variable\n(Tcl variableValue:) absent isn't a variable\n");
}

TEST_F(TclTest, StartUpVariablesAndTheInterpreterCommand) {
  EXPECT_EQ(run("set argv0"), "tcltest");
  EXPECT_EQ(run("set argc"), "0");
  EXPECT_EQ(run("set tcl_interactive"), "1");
  EXPECT_EQ(run("set tclObjc"), tclObjc_objectToName(tcl));
  EXPECT_EQ(run("objcTcl code"), "0");
  EXPECT_EQ(run("[set tclObjc] code"), "0");  // the interpreter's own name reaches it too
  EXPECT_EQ(msg::tclAtIndex(objc_get_class("TclInterp"), 0), tcl);
}

TEST_F(TclTest, ScriptArgumentRunsTheScriptWithTheRestAsArgv) {
  const std::string path = processTempPath("tclobjc_script") + ".tcl";
  std::ofstream(path) << "set ran [list $argv0 $argc $argv]\n";
  const char* argv[] = {"prog", path.c_str(), "a", "b c"};
  id other = makeInterp(4, argv);
  ASSERT_NE(other, nil);
  EXPECT_EQ(std::string(msg::globalVariableValue(other, "ran")), path + " 2 {a {b c}}");
  msg::free_(other);

  std::ofstream(path) << "error {bad script}\n";
  const unsigned before = msg::tclCount(objc_get_class("TclInterp"));
  testing::internal::CaptureStderr();
  EXPECT_EQ(makeInterp(2, argv), nil);
  EXPECT_NE(testing::internal::GetCapturedStderr().find("bad script"), std::string::npos);
  EXPECT_EQ(msg::tclCount(objc_get_class("TclInterp")), before);
  std::remove(path.c_str());
}

TEST_F(TclTest, RegisteredNamesAreCommandsUntilUnregistered) {
  TclSpecimen* s = makeSpecimen();
  msg::registerObject_withName(tcl, s, "spec");
  EXPECT_TRUE(msg::objectIsRegistered(tcl, s));
  EXPECT_TRUE(msg::nameIsRegistered(tcl, "spec"));
  EXPECT_STREQ(msg::nameForObject(tcl, s), "spec");
  EXPECT_EQ(msg::objectNamed(tcl, "spec"), s);
  EXPECT_EQ(run("spec setX: 5 Y: 6"), "");
  EXPECT_EQ(s->x, 5);
  msg::unregisterObjectNamed(tcl, "spec");
  EXPECT_FALSE(msg::objectIsRegistered(tcl, s));
  EXPECT_EQ(msg::objectNamed(tcl, "spec"), TclObjcNotFound);
  EXPECT_EQ(run("spec setX: 1 Y: 2"), "error: invalid command name \"spec\"");
  msg::drop(s);
}

TEST_F(TclTest, CheckPathFindsReadableFilesOnly) {
  const std::string dir = processTempPath("tclobjc_check_path") + "/";
  mkdir(dir.c_str(), 0700);
  std::ofstream(dir + "present.tcl") << "\n";
  const char* found = msg::checkPath_subdirectory_file(tcl, dir.c_str(), nullptr, "present.tcl");
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(std::string(found), dir);
  msg::free(_obj_scratchZone, const_cast<char*>(found));
  EXPECT_EQ(msg::checkPath_subdirectory_file(tcl, dir.c_str(), nullptr, "absent.tcl"), nullptr);
  EXPECT_EQ(msg::checkPath_subdirectory_file(tcl, "/", "tmp", "absent.tcl"), nullptr);
  std::remove((dir + "present.tcl").c_str());
  rmdir(dir.c_str());
}
