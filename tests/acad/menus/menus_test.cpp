// Menu files read into menu groups (real .cui and .mnu files on disk), bad files refused with
// their place, the support path, and macros turned into command-line input.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "zacad/menus.h"
#include "zwin32/utf.h"

namespace {

namespace fs = std::filesystem;

const fs::path kData = MENU_FIXTURE_DIR;

std::string U8(const std::u16string& text) {
  return zwin32::ToUtf8(text);
}

class Menus : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("acad_menus_" + std::to_string(getpid()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override {
    while (!zacad::LoadedMenuGroups().empty())
      zacad::UnloadMenuGroup(zacad::LoadedMenuGroups().front().name);
    fs::remove_all(folder_);
  }
  fs::path write(const std::string& name, const std::string& text) {
    std::ofstream(folder_ / name, std::ios::binary) << text;
    return folder_ / name;
  }
  static std::string refusal(const fs::path& file) {
    std::string error;
    EXPECT_FALSE(zacad::ReadMenuFile(file.string(), error)) << file;
    return error;
  }

  fs::path folder_;
};

TEST_F(Menus, ReadsTheCustomisationFile) {
  std::string error;
  const auto group = zacad::ReadMenuFile((kData / "ZANTTEST.cui").string(), error);
  ASSERT_TRUE(group) << error;
  EXPECT_EQ(U8(group->name), "ZANTTEST");
  ASSERT_EQ(group->menus.size(), 1u);
  const zacad::PullDownMenu& menu = group->menus[0];
  EXPECT_EQ(U8(menu.alias), "POP1");
  EXPECT_EQ(U8(menu.title), "&Test Caf\xC3\xA9");
  ASSERT_EQ(menu.items.size(), 3u);
  EXPECT_EQ(U8(menu.items[0].label), "&Hello");
  EXPECT_EQ(U8(menu.items[0].macro), "^C^C_HELLO");
  EXPECT_EQ(U8(menu.items[0].help), "Says hello & nothing else");
  EXPECT_EQ(U8(menu.items[1].label), "--");
  EXPECT_EQ(U8(menu.items[2].label), "Sum");  // the macro's name when the item has none
  EXPECT_EQ(U8(menu.items[2].macro), "^C^C_ADD;2;3;");

  ASSERT_EQ(group->toolbars.size(), 1u);
  const zacad::Toolbar& toolbar = group->toolbars[0];
  EXPECT_EQ(U8(toolbar.name), "TESTBAR");
  EXPECT_FALSE(toolbar.visible);
  EXPECT_EQ(toolbar.place, zacad::ToolbarPlace::kLeft);
  ASSERT_EQ(toolbar.buttons.size(), 2u);
  EXPECT_EQ(U8(toolbar.buttons[0].name), "Hello");
  EXPECT_EQ(U8(toolbar.buttons[0].tooltip), "Says hello & nothing else");
  EXPECT_EQ(U8(toolbar.buttons[1].tooltip), "Sum");
  EXPECT_EQ(U8(toolbar.buttons[1].macro), "^C^C_ADD;2;3;");
}

TEST_F(Menus, ReadsTheLegacyMenuFile) {
  std::string error;
  const auto group = zacad::ReadMenuFile((kData / "ZANTTESTMNU.mnu").string(), error);
  ASSERT_TRUE(group) << error;
  EXPECT_EQ(U8(group->name), "ZANTTESTMNU");
  ASSERT_EQ(group->menus.size(), 1u);
  EXPECT_EQ(U8(group->menus[0].alias), "TEST_POP");
  EXPECT_EQ(U8(group->menus[0].title), "&Test Caf\xC3\xA9");  // ANSI text
  ASSERT_EQ(group->menus[0].items.size(), 3u);
  EXPECT_EQ(U8(group->menus[0].items[0].help), "Says hello");
  EXPECT_EQ(U8(group->menus[0].items[2].macro), "^C^C_ADD;2;3;");  // continued with '+'

  ASSERT_EQ(group->toolbars.size(), 1u);
  const zacad::Toolbar& toolbar = group->toolbars[0];
  EXPECT_EQ(U8(toolbar.name), "MNUBAR");
  EXPECT_TRUE(toolbar.visible);
  EXPECT_EQ(toolbar.place, zacad::ToolbarPlace::kRight);
  EXPECT_EQ(toolbar.x, 10);
  EXPECT_EQ(toolbar.rows, 2);
  ASSERT_EQ(toolbar.buttons.size(), 2u);
  EXPECT_EQ(U8(toolbar.buttons[0].tooltip), "Says hello from the toolbar");
  EXPECT_EQ(U8(toolbar.buttons[1].tooltip), "Sum");  // no help string: the button's name
  EXPECT_EQ(U8(toolbar.buttons[1].macro), "^C^C_ADD;2;3;");
}

TEST_F(Menus, BadFilesAreRefusedWithTheirPlace) {
  const std::string cuiStart = "<?xml version=\"1.0\"?>\n<CustSection>\n";
  EXPECT_NE(refusal(write("a.cui", cuiStart + "<MenuGroup Name=\"G\">\n</CustSection>\n"))
                .find("a.cui:4: mismatched end tag"),
            std::string::npos);
  EXPECT_NE(refusal(write("b.cui", cuiStart + "<MenuGroup Name=\"G\"><MenuRoot><ToolbarRoot>\n"
                                              "<Toolbar><Name>T</Name><ToolbarButton>\n"
                                              "<MacroRef MenuMacroID=\"MM_9\"/>"
                                              "</ToolbarButton></Toolbar></ToolbarRoot>"
                                              "</MenuRoot></MenuGroup></CustSection>"))
                .find("b.cui:5: unknown macro \"MM_9\""),
            std::string::npos);
  EXPECT_NE(refusal(write("c.cui", cuiStart + "</CustSection>")).find("no <MenuGroup"),
            std::string::npos);
  EXPECT_NE(refusal(write("d.cui", "<A>&bogus;</A>")).find("d.cui:1: unknown entity"),
            std::string::npos);
  EXPECT_NE(refusal(write("e.cui", "\xFF\xFF\xFFgarbage")).find("e.cui"), std::string::npos);
  EXPECT_NE(refusal(write("a.mnu", "***POP1\n[Title]\n")).find("no ***MENUGROUP= line"),
            std::string::npos);
  EXPECT_NE(refusal(write("b.mnu",
                          "***MENUGROUP=G\n***TOOLBARS\n**TB\n"
                          "[_Toolbar(\"T\", _Top, _Show, x, 0, 1)]\n"))
                .find("b.mnu:4: a bad number in _Toolbar"),
            std::string::npos);
  EXPECT_NE(refusal(write("c.mnu", "***MENUGROUP=G\n***TOOLBARS\n[_Button(\"B\",\"i\",\"i\")]x\n"))
                .find("c.mnu:3: a _Button outside a toolbar"),
            std::string::npos);
  EXPECT_NE(refusal(folder_ / "missing.cui").find("cannot open"), std::string::npos);
  EXPECT_NE(refusal(write("menu.txt", "")).find("not a menu file"), std::string::npos);
}

TEST_F(Menus, LoadsAlongTheSupportPathOnce) {
  fs::copy_file(kData / "ZANTTESTMNU.mnu", folder_ / "Mixed.MNU");
  // Case ignored, ".cui" asked for and the ".mnu" found, no extension at all.
  auto found = zacad::FindMenuFile(u"mixed.cui", folder_.string());
  ASSERT_TRUE(found);
  EXPECT_EQ(fs::path(*found).filename(), "Mixed.MNU");
  EXPECT_TRUE(zacad::FindMenuFile(u"MIXED", folder_.string()));
  EXPECT_FALSE(zacad::FindMenuFile(u"absent.cui", folder_.string()));
  // A Windows path is taken as given.
  const std::u16string windowsPath = u"Z:" + zwin32::FromUtf8((kData / "ZANTTEST.cui").string());
  found = zacad::FindMenuFile(windowsPath, std::string());
  ASSERT_TRUE(found);

  EXPECT_FALSE(zacad::LoadMenuGroup(*found));
  const auto again = zacad::LoadMenuGroup(*found);
  ASSERT_TRUE(again);
  EXPECT_EQ(U8(*again), "Customization Group ZANTTEST already loaded.");
  EXPECT_EQ(zacad::LoadedMenuGroups().size(), 1u);

  ASSERT_FALSE(zacad::LoadMenuGroup((folder_ / "Mixed.MNU").string()));
  EXPECT_EQ(zacad::FindToolbar(u"ZANTTESTMNU.MNUBAR"),
            &zacad::FindMenuGroup(u"zanttestmnu")->toolbars[0]);
  EXPECT_EQ(zacad::FindToolbar(u"testbar"), &zacad::FindMenuGroup(u"ZANTTEST")->toolbars[0]);
  EXPECT_EQ(zacad::FindToolbar(u"ZANTTEST.MNUBAR"), nullptr);
  EXPECT_TRUE(zacad::UnloadMenuGroup(u"zanttest"));
  EXPECT_FALSE(zacad::UnloadMenuGroup(u"zanttest"));
  EXPECT_EQ(zacad::FindToolbar(u"TESTBAR"), nullptr);
}

TEST(MenuMacros, BecomeCommandLineInput) {
  using Lines = std::vector<std::u16string>;
  EXPECT_EQ(zacad::MacroInput(u"^C^C_HELLO"), (Lines{u"^C^C", u"_HELLO"}));
  EXPECT_EQ(zacad::MacroInput(u"^C^C_ADD;2;3;"), (Lines{u"^C^C", u"_ADD", u"2", u"3"}));
  EXPECT_EQ(zacad::MacroInput(u"_LINE;0,0;1,1;;"), (Lines{u"_LINE", u"0,0", u"1,1", u""}));
  EXPECT_EQ(zacad::MacroInput(u"*^C^C_ECHO hello world"), (Lines{u"^C^C", u"_ECHO hello world"}));
  EXPECT_EQ(zacad::MacroInput(u"_ADD;2;\\;4"), (Lines{u"_ADD", u"2"}));
  EXPECT_EQ(zacad::MacroInput(u"_ADD;^c^c_HELLO"), (Lines{u"_ADD", u"^C^C", u"_HELLO"}));
}

}  // namespace
