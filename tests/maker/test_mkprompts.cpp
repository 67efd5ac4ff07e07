// The prompt database generator refuses bad input with a message naming file and line, and
// never leaves a partial database behind.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

namespace {

class MkpromptsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("mkprompts-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    output_ = dir_ / "QrStrings.mdb";
  }
  void TearDown() override { fs::remove_all(dir_); }

  // Runs mkprompts with the test resources and one translation file; returns its exit status
  // and leaves its stderr in err_.
  int Run(const fs::path& translation, const std::string& res = PROMPTS_RES_PATH) {
    const fs::path errors = dir_ / "stderr.txt";
    const std::string command = std::string("'") + MKPROMPTS_PATH + "' --project T --res '" + res +
                                "' --translation 0x0409 '" + translation.string() + "' --output '" +
                                output_.string() + "' 2>'" + errors.string() + "'";
    const int status = std::system(command.c_str());
    std::ifstream in(errors);
    std::stringstream text;
    text << in.rdbuf();
    err_ = text.str();
    fs::remove(errors);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  fs::path Write(const std::string& name, const std::string& content) {
    const fs::path path = dir_ / name;
    std::ofstream(path, std::ios::binary) << content;
    return path;
  }

  // Files of the test folder other than the inputs the test wrote.
  std::string Leftovers() const {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_)) {
      if (entry.path().extension() != ".txt") {
        names.insert(entry.path().filename().string());
      }
    }
    std::string all;
    for (const std::string& name : names) {
      all += name + " ";
    }
    return all;
  }

  fs::path dir_;
  fs::path output_;
  std::string err_;
};

}  // namespace

TEST_F(MkpromptsTest, BadLinesAreRejectedWithFileAndLine) {
  const struct {
    const char* content;
    const char* message;
  } cases[] = {
      {"# ok\n100\tHello\nno tab here\n", ":3: expected <key><tab><text>"},
      {"100\tHello\n\n100\tAgain\n", ":3: \"100\" given twice"},
      {"100\tbad \\q escape\n", ":1: unknown escape \\q"},
      {"100\tends with \\\n", ":1: backslash at end of text"},
      {"70000\ttoo big\n", ":1: bad string id \"70000\""},
      {"-5\tnegative\n", ":1: bad string id \"-5\""},
      {"200:title\tCaption\n", ":1: bad control id \"title\""},
      {"0:caption\tCaption\n", ":1: bad dialog id \"0\""},
      {"100\t\xC3(\n", ":1: text is not valid UTF-8"},
  };
  for (const auto& c : cases) {
    const fs::path file = Write("bad.txt", c.content);
    EXPECT_EQ(Run(file), 1) << c.content;
    EXPECT_EQ(err_, "mkprompts: " + file.string() + c.message + "\n") << c.content;
    EXPECT_EQ(Leftovers(), "") << c.content;
  }
}

TEST_F(MkpromptsTest, FailureKeepsThePreviousDatabase) {
  const fs::path good = Write("good.txt", "\xEF\xBB\xBF# comment\r\n100\tHello\\n\r\n");
  ASSERT_EQ(Run(good), 0) << err_;
  ASSERT_TRUE(fs::exists(output_));
  const auto size = fs::file_size(output_);

  EXPECT_EQ(Run(Write("bad.txt", "100 no tab\n")), 1);
  EXPECT_EQ(Run(good, (dir_ / "missing.res").string()), 1);
  EXPECT_NE(err_.find("missing.res"), std::string::npos) << err_;
  EXPECT_EQ(Run(Write("garbage.txt", "100\tx\n"), Write("garbage.res", "not resources").string()),
            1);
  EXPECT_NE(err_.find("garbage.res"), std::string::npos) << err_;
  EXPECT_EQ(Run(dir_ / "absent.txt"), 1);
  EXPECT_NE(err_.find("absent.txt: cannot open translation file"), std::string::npos) << err_;

  EXPECT_EQ(fs::file_size(output_), size);
  EXPECT_EQ(Leftovers(), "QrStrings.mdb garbage.res ");
}
