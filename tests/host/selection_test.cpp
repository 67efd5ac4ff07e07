// Selection as an application gets it: the real zanthost runs the selection fixture's commands
// on tests/data/selection/selection.dxf (handles in its README) from scripts and from piped
// terminal input, and the fixture prints what acedSSGet returned.
#include <string>

#include "hostrun.h"

namespace {

using hosttest::Has;

int Count(const std::string& text, const std::string& part) {
  int n = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
    ++n;
  return n;
}

class SelectionHostTest : public hosttest::HostTest {
 protected:
  void SetUp() override {
    HostTest::SetUp();
    hosttest::fs::copy_file(SELECTION_DXF, dir_ / "selection.dxf");
  }
  hosttest::HostRun run(const std::string& text) {
    return script(text, std::string("--load '") + SEL_FIXTURE_PATH + "' selection.dxf");
  }
  // The same lines typed at the terminal (piped, so implied windows are on).
  hosttest::HostRun typed(const std::string& text) {
    return HostTest::typed(text, std::string("--load '") + SEL_FIXTURE_PATH + "' selection.dxf");
  }
};

TEST_F(SelectionHostTest, ScriptsSelectExactlyWhatTheyName) {
  const std::string before = hosttest::Slurp(dir_ / "selection.dxf");
  auto result =
      run("SEL 5,0.5 25,1 W -1,4 11,6\n"  // a pick, a pick in a text, a window
          "\n"
          "SEL C 45,-1 61,11 #3C 2,22 #3A\n"  // crossing; locked layer yes, off/frozen no
          "\n"
          "SEL ALL R L\n"  // everything visible but the last
          "\n"
          "SEL P R #36 A #36 #36\n"  // the previous selection, edited
          "\n"
          "SELTEXTS C -1,-1 100,100\n"  // only texts pass the module's kind of filter
          "\n"
          "SELONE 100,100 5,5\n"  // a miss, then one pick ends it
          "SELX\n"
          "DIST 0,0 3,4\n"
          "QUIT\n");
  EXPECT_EQ(result.status, 0) << result.out << result.err;
  EXPECT_TRUE(Has(result.out, "[sel] RTNORM: 34 36 35\n")) << result.out;
  EXPECT_TRUE(Has(result.out, "[sel] RTNORM: 38 3C\n")) << result.out;
  EXPECT_TRUE(Has(result.out, "Select objects: 2,22\n0 found\n")) << result.out;
  EXPECT_TRUE(Has(result.out, "[sel] RTNORM: 34 35 36 37 38 3B\n")) << result.out;
  EXPECT_TRUE(Has(result.out, "[sel] RTNORM: 34 35 37 38 3B 36\n")) << result.out;
  EXPECT_TRUE(Has(result.out, "#36\n1 found (1 duplicate), 6 total\n")) << result.out;
  EXPECT_TRUE(Has(result.out, "Select texts: C\nSpecify first corner: -1,-1\n")) << result.out;
  EXPECT_TRUE(Has(result.out, "2 found\n[sel] RTNORM: 36 37\n")) << result.out;
  EXPECT_TRUE(Has(result.out, "Select one: 100,100\n0 found\n5,5\n1 found\n[sel] RTNORM: 35\n"))
      << result.out;
  EXPECT_TRUE(Has(result.out, "[sel] RTNORM: 34 35 36 37 38 39 3A 3B 3C\n")) << result.out;
  EXPECT_TRUE(Has(result.out, "[sel] RTNORM: 5\n")) << result.out;
  // Selecting never writes the drawing.
  EXPECT_EQ(hosttest::Slurp(dir_ / "selection.dxf"), before);
}

TEST_F(SelectionHostTest, EscapeAndNothingSelected) {
  auto result =
      run("SEL 5,0 ^C\n"
          "SEL W 0,0 ^C\n"
          "SELTEXTS 5,0\n"
          "\n"
          "DIST ^C\n"
          "SEL P\n"
          "\n");
  EXPECT_EQ(result.status, 0) << result.out << result.err;
  EXPECT_EQ(Count(result.out, "[sel] RTCAN:\n"), 2) << result.out;
  EXPECT_TRUE(Has(result.out, "[sel] RTCAN: 0\n")) << result.out;  // the distance
  // A line is no text: nothing selected. Nothing before was completed, so P finds nothing.
  EXPECT_EQ(Count(result.out, "[sel] RTERROR:"), 2) << result.out;
}

TEST_F(SelectionHostTest, AWrongAnswerStopsTheScript) {
  auto result = run("SEL 5,0 Wx\n\nSEL ALL\n\n");
  EXPECT_EQ(result.status, 1);
  EXPECT_TRUE(Has(result.out, "Select objects: Wx\n*Invalid selection*\nExpects a point or "))
      << result.out;
  EXPECT_TRUE(Has(result.err, "test.scr")) << result.err;
  EXPECT_FALSE(Has(result.out, "Select objects: ALL")) << result.out;
}

TEST_F(SelectionHostTest, TerminalWindowsAndSecondChances) {
  auto result = typed(
      "SEL\n"
      "-5,-5\n"  // empty space: a window to the right
      "11,6\n"
      "Wx\n"     // refused, asked again
      "62,12\n"  // empty space: a crossing to the left catches the diagonal only
      "57,14\n"
      "\n"
      "QUIT\n");
  EXPECT_EQ(result.status, 0) << result.out << result.err;
  EXPECT_TRUE(Has(result.out, "*Invalid selection*")) << result.out;
  EXPECT_TRUE(Has(result.out, "[sel] RTNORM: 34 35 3B\n")) << result.out;
}

TEST_F(SelectionHostTest, CommandsHoldTheirDocumentLock) {
  auto result = run("LOCKMODE\nREADLOCKMODE\nLOCKMODE\n");
  EXPECT_EQ(result.status, 0) << result.out << result.err;
  // kWrite (4) inside a default modal command; none (0) for a read-lock command.
  EXPECT_TRUE(Has(result.out, "[sel] lock 4\nCommand: READLOCKMODE\n[sel] lock 0\n")) << result.out;
}

TEST_F(SelectionHostTest, SelectAndPickBoxAtTheCommandPrompt) {
  auto result =
      run("SEL 5,9\n"  // 4 units from the line: outside the pick box of 3
          "\n"
          "pickbox 10\n"
          "SEL 5,9\n"
          "\n"
          "PICKBOX 99\n"  // out of range: refused, the value stays
          "PICKBOX\n"
          "\n"
          "SELECT W -1,-1 11,6\n"
          "\n"
          "SEL P\n"
          "\n");
  EXPECT_EQ(result.status, 0) << result.out << result.err;
  EXPECT_TRUE(Has(result.out, "Select objects: 5,9\n0 found\n")) << result.out;
  EXPECT_TRUE(Has(result.out, "Enter new value for PICKBOX <3>: 10\n")) << result.out;
  EXPECT_TRUE(Has(result.out, "[sel] RTNORM: 35\n")) << result.out;
  EXPECT_TRUE(Has(result.out, "Value out of range for PICKBOX.")) << result.out;
  EXPECT_TRUE(Has(result.out, "Enter new value for PICKBOX <10>: \n")) << result.out;
  EXPECT_TRUE(Has(result.out, "Command: SEL\nSelect objects: P\n2 found\n")) << result.out;
  EXPECT_TRUE(Has(result.out, "[sel] RTNORM: 34 35\n")) << result.out;
}

}  // namespace
