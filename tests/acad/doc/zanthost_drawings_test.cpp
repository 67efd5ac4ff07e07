// zanthost on real drawings: a script tags entities with a test application, lists them, saves,
// undoes and closes; the files on disk say what happened.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace fs = std::filesystem;

namespace {

std::string readFile(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void writeFile(const fs::path& p, const std::string& text) {
  std::ofstream(p, std::ios::binary) << text;
}

struct HostRun {
  int status = -1;
  std::string out;
};

class ZanthostDrawings : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("zanthost_dwg_" + std::to_string(std::random_device()()));
    fs::create_directories(dir_);
    original_ = fs::path(DOC_TEST_DATA) / "ac1015" / "ezdxf_r2000_cp1251.dxf";
    fs::copy_file(original_, dir_ / "a.dxf");
  }
  void TearDown() override { fs::remove_all(dir_); }

  // Runs zanthost with the tagging application on `drawing` and the script `lines`.
  HostRun run(const std::string& lines, const std::string& drawing) {
    writeFile(dir_ / "s.scr", lines);
    const std::string command =
        "cd '" + dir_.string() + "' && ZANT_REGISTRY='" + (dir_ / "registry.reg").string() + "' '" +
        ZANTHOST_PATH + "' --load '" + DB_FIXTURE_PATH + "' --script s.scr '" + drawing + "' 2>&1";
    HostRun result;
    FILE* pipe = popen(command.c_str(), "r");
    char buffer[4096];
    size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
      result.out.append(buffer, n);
    const int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
  }

  fs::path dir_;
  fs::path original_;
};

bool has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

}  // namespace

TEST_F(ZanthostDrawings, TagListSaveUndoAndClose) {
  const HostRun result =
      run("TAGIT\n#31\n#33\n\n"
          "LIST\n#31\n\n"
          "QSAVE\n"
          "U\n"
          "SAVEAS\nundone.dxf\n"
          "CLOSE\n",
          (dir_ / "a.dxf").string());
  EXPECT_EQ(result.status, 0) << result.out;
  EXPECT_TRUE(has(result.out, "2 tagged")) << result.out;
  EXPECT_TRUE(has(result.out, "Registered Application Name: ZANT_LIST_TEMPLATE")) << result.out;
  EXPECT_TRUE(has(result.out, "ASCII string: LIST_HEADER")) << result.out;
  EXPECT_FALSE(has(result.out, "Save changes")) << "a drawing just saved closes without asking";

  const std::string saved = readFile(dir_ / "a.dxf");
  EXPECT_TRUE(has(saved, "ZANT_LIST_TEMPLATE"));
  EXPECT_EQ(readFile(dir_ / "a.bak"), readFile(original_)) << "the previous file is kept";
  EXPECT_EQ(readFile(dir_ / "undone.dxf"), readFile(original_))
      << "U takes the whole command back, byte for byte";
}

TEST_F(ZanthostDrawings, OpenAndCloseAskAsTheHostDoes) {
  fs::copy_file(dir_ / "a.dxf", dir_ / "b.dxf");
  const HostRun result =
      run("OPEN\nb.dxf\n"
          "TAGIT\n#31\n\n"
          "CLOSE\n\n"
          "OPEN\nnothere.dxf\n"
          "CLOSE\n",
          (dir_ / "a.dxf").string());
  EXPECT_EQ(result.status, 0) << result.out;
  EXPECT_TRUE(has(result.out, "Enter name of drawing to open: ")) << result.out;
  EXPECT_TRUE(has(result.out, "Save changes to b.dxf? [Yes/No] <Yes>: ")) << result.out;
  EXPECT_TRUE(has(result.out, "Cannot open")) << result.out;
  EXPECT_TRUE(has(readFile(dir_ / "b.dxf"), "LIST_HEADER")) << "Enter saves, as <Yes> says";
  EXPECT_EQ(readFile(dir_ / "a.dxf"), readFile(original_)) << "an unchanged drawing closes quietly";
}

TEST_F(ZanthostDrawings, ADrawingThatCannotBeOpenedStopsTheStartWithItsPlace) {
  writeFile(dir_ / "bad.dxf", "0\nSECTION\n2\nENTITIES\n0\nLINE\n10\nnot a number\n");
  const std::string before = readFile(dir_ / "bad.dxf");
  const HostRun result = run("QUIT\n", (dir_ / "bad.dxf").string());
  EXPECT_EQ(result.status, 2) << result.out;
  EXPECT_TRUE(has(result.out, "bad.dxf:")) << result.out;
  EXPECT_EQ(readFile(dir_ / "bad.dxf"), before);
}

TEST_F(ZanthostDrawings, UndoSeveralCommandsAndRedo) {
  const HostRun result =
      run("TAGIT\n#31\n\n"
          "TAGIT\n#33\n\n"
          "UNDO\n2\n"
          "SAVEAS\nnone.dxf\n"
          "REDO\n"
          "SAVEAS\nfirst.dxf\n"
          "UNDO\nBack\n"
          "U\n"
          "QUIT\n",
          (dir_ / "a.dxf").string());
  EXPECT_EQ(result.status, 0) << result.out;
  EXPECT_EQ(readFile(dir_ / "none.dxf"), readFile(original_)) << "UNDO 2 takes both commands back";
  const std::string first = readFile(dir_ / "first.dxf");
  EXPECT_TRUE(has(first, "ZANT_LIST_TEMPLATE")) << "REDO brings the first command back";
  EXPECT_EQ(first.find("LIST_HEADER"), first.rfind("LIST_HEADER")) << "and only the first";
  EXPECT_TRUE(has(result.out, "Nothing to undo.")) << result.out;
}
