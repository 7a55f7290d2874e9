// Starting the Tk layer: Tk with BLT, the support procedures and bitmaps,
// the interpreter command, the error symbols; and batch mode, which starts
// nothing.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "defobj/Arguments.h"
#include "defobj/Zone.h"
#include "defobj/messages.h"
#include "defobj/module.h"
#include "support/temp_path.h"
#include "voduva_fixture.h"

TEST_F(TkTest, StartsTkWithBltAndTheSupportProcedures) {
  ASSERT_NE(globalTkInterp, nil);
  EXPECT_STREQ(globalTkInterp->isa->name, "TkExtra");
  EXPECT_NE(msg::mainWindow(globalTkInterp), nullptr);
  EXPECT_EQ(run("wm state ."), "withdrawn");
  EXPECT_EQ(run("globalTkInterp code"), "0");
  EXPECT_EQ(run("set voDuva"), "1");
  EXPECT_STREQ(msg::getBltVersion(globalTkInterp), "2.5");
  EXPECT_TRUE(msg::newBLTp(globalTkInterp));
  EXPECT_EQ(run("list $hideOption $hideYes $hideNo"), "-hide yes no");
  EXPECT_EQ(run("fmtx 3 .w 3.14159"), "3.14");
  EXPECT_EQ(run("list [bitmap exists hide] [bitmap exists special] [bitmap exists super]"), "1 1 1");
  EXPECT_EQ(run("lrange [bitmap data special] 0 1"), "16 16");
  EXPECT_EQ(run("join [lindex [bitmap data special] 2]"),
            "00 00 00 00 04 80 08 40 90 27 60 1b 60 1b 90 27 f0 3c f0 3c 90 27 60 1b 60 1b 90 27 08 40 04 80");
  for (const char* command : {"graph", "vector", "drag&drop", "barchart", "send_id", "gimme_ddobj", "sitecmd",
                              "do_package", "do_package_arg", "active_item_info", "send", "Blt_ZoomStack"})
    EXPECT_EQ(run(std::string("llength [info commands {") + command + "}]"), "1") << command;
  for (id symbol : {WindowCreation, WindowUsage, MissingFiles, PaletteError, PixmapError, WindowGeometryRecordError})
    EXPECT_NE(symbol, nil);
  const char* name = msg::getName(WindowGeometryRecordError);
  EXPECT_STREQ(name, "WindowGeometryRecordError");
  msg::free(_obj_scratchZone, const_cast<char*>(name));
}

TEST_F(TkTest, GraphProceduresRunOnARealGraph) {
  EXPECT_EQ(run("toplevel .g; graph .g.graph; active_item_info .g.graph; Blt_ZoomStack .g.graph"), "");
  EXPECT_EQ(run(".g.graph marker cget active_info_marker -hide"), "1");
  EXPECT_EQ(run("destroy .g"), "");
}

TEST_F(TkTest, MissingBltSupportFileEndsTheProcess) {
  EXPECT_EXIT(
      {
        const std::string empty = processTempPath("voduva_no_blt");
        mkdir(empty.c_str(), 0700);
        chdir(empty.c_str());
        msg::globalEval(globalTkInterp, "set blt_library {%s}", empty.c_str());
        ensureBltSupportFiles(nil, globalTkInterp);
      },
      testing::ExitedWithCode(1),
      "^BLT support file `graph.tcl' not found\n"
      "If the directory `\\.' not the intended location for the BLT support files,\n"
      "please adjust BLT_LIBRARY to the right place.\n$");
}

TEST(VoduvaBatch, BatchModeStartsNoInterpreter) {
  const char* argv[] = {"voduvatest", "--batch"};
  id args = msg::createArgc_Argv_appName_version_bugAddress_options_optionFunc_inhibitExecutableSearchFlag(
      objc_get_class("Arguments_c"), 2, argv, "voduvatest", "1.0", "nobody", nullptr, nullptr, YES);
  const id before = globalTkInterp;
  const unsigned count = msg::tclCount(objc_get_class("TclInterp"));
  initVoDuva(args);
  EXPECT_EQ(globalTkInterp, before);
  EXPECT_EQ(msg::tclCount(objc_get_class("TclInterp")), count);
}
