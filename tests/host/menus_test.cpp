// Menus and toolbars in the real zanthost: menu files loaded by command, listed, toolbars shown
// and hidden, and a toolbar button whose macro runs an application's command.
#include <string>

#include "hostrun.h"

namespace {

using hosttest::Has;
using hosttest::HostRun;

std::string Fixture() {
  return std::string("'") + HOST_FIXTURE_PATH + "'";
}

class HostMenus : public hosttest::HostTest {};

TEST_F(HostMenus, CustomisationFileToolbarAndButtons) {
  std::filesystem::copy_file(std::string(MENU_FIXTURE_DIR) + "/ZANTTEST.cui",
                             dir_ / "ZANTTEST.cui");
  HostRun r = script(std::string("MENULOAD \"") + MENU_FIXTURE_DIR +
                         "/ZANTTEST.cui\"\n"
                         "MENU\n"
                         "BUTTON ZANTTEST.TESTBAR Hello\n"
                         "-TOOLBAR ZANTTEST.TESTBAR\n\n"
                         "BUTTON TESTBAR Hello\n"
                         "BUTTON TESTBAR Sum\n"
                         "-TOOLBAR TESTBAR Hide\n"
                         "BUTTON TESTBAR Hello\n"
                         "-TOOLBAR NOSUCHBAR\n"
                         "CUILOAD ZANTTEST.cui\n"
                         "BUTTON TESTBAR Nope\n",
                     "--load " + Fixture());
  EXPECT_EQ(r.status, 0) << r.out << r.err;
  EXPECT_TRUE(Has(r.out, "Customization file loaded successfully. Customization Group: ZANTTEST"))
      << r.out;
  EXPECT_TRUE(Has(r.out, "Pull-down POP1 &Test Caf\xC3\xA9:")) << r.out;
  EXPECT_TRUE(Has(r.out, "Toolbar ZANTTEST.TESTBAR (hidden, left):")) << r.out;
  // A hidden toolbar cannot be clicked; shown (Enter takes <Show>), its button runs the macro.
  EXPECT_TRUE(Has(r.out, "Toolbar \"TESTBAR\" is hidden.")) << r.out;
  EXPECT_TRUE(Has(r.out, "[Show/Hide/Left/Right/Top/Float] <Show>: \n")) << r.out;
  EXPECT_TRUE(Has(r.out, "Command: _HELLO\n[fixture] start HELLO\nHello from the fixture."))
      << r.out;
  EXPECT_TRUE(
      Has(r.out, "Command: _ADD\n[fixture] start ADD\nFirst number: 2\nSecond number: 3\nSum: 5"))
      << r.out;
  const size_t hidden = r.out.find("<Show>: Hide");
  ASSERT_NE(hidden, std::string::npos) << r.out;
  EXPECT_TRUE(Has(r.out.substr(hidden), "Toolbar \"TESTBAR\" is hidden.")) << r.out;
  EXPECT_TRUE(Has(r.out, "Toolbar \"NOSUCHBAR\" not found.")) << r.out;
  EXPECT_TRUE(Has(r.out, "Customization Group ZANTTEST already loaded.")) << r.out;
  EXPECT_TRUE(Has(r.out, "Toolbar \"TESTBAR\" has no button \"Nope\".")) << r.out;
}

TEST_F(HostMenus, LegacyMenuFileFromTheCurrentFolder) {
  std::filesystem::copy_file(std::string(MENU_FIXTURE_DIR) + "/ZANTTESTMNU.mnu",
                             dir_ / "ZANTTESTMNU.mnu");
  HostRun r = script(
      "MENULOAD zanttestmnu\n"
      "BUTTON MNUBAR Hello\n"
      "-TOOLBAR ZANTTESTMNU.MNUBAR Float 5,6 3\n"
      "MENU\n"
      "-TOOLBAR ALL Hide\n"
      "MENU\n"
      "MENUUNLOAD ZANTTESTMNU\n"
      "MENU\n"
      "MENULOAD absent.mnu\n",
      "--load " + Fixture());
  EXPECT_EQ(r.status, 0) << r.out << r.err;
  EXPECT_TRUE(Has(r.out, "Customization Group: ZANTTESTMNU")) << r.out;
  EXPECT_TRUE(Has(r.out, "Hello from the fixture.")) << r.out;
  EXPECT_TRUE(Has(r.out, "Toolbar ZANTTESTMNU.MNUBAR (shown, floating):")) << r.out;
  EXPECT_TRUE(Has(r.out, "Toolbar ZANTTESTMNU.MNUBAR (hidden, floating):")) << r.out;
  EXPECT_TRUE(Has(r.out, "Customization Group ZANTTESTMNU unloaded.")) << r.out;
  EXPECT_TRUE(Has(r.out, "No menu groups are loaded.")) << r.out;
  EXPECT_TRUE(Has(r.out, "Cannot find the menu file \"absent.mnu\".")) << r.out;
}

}  // namespace
