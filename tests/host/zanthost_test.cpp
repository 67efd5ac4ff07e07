// The real zanthost executable run on script files with the fixture application.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;

struct HostRun {
  int status = -1;
  std::string out;
  std::string err;
};

class ZanthostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("zanthost_test_" + std::to_string(getpid()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
    setenv("ZANT_REGISTRY", (dir_ / "registry.reg").c_str(), 1);
    setenv("LC_ALL", "C.UTF-8", 1);  // the host's messages in English
  }
  void TearDown() override { fs::remove_all(dir_); }

  static std::string Slurp(const fs::path& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }

  // Runs zanthost with `args`; `script`, when given, is written to a .scr file and passed with
  // --script.
  HostRun run(const std::string& args, const std::string* script = nullptr) {
    std::string command = std::string("'") + ZANTHOST_PATH + "' " + args;
    if (script != nullptr) {
      std::ofstream(dir_ / "test.scr") << *script;
      command += " --script '" + (dir_ / "test.scr").string() + "'";
    }
    command += " </dev/null >'" + (dir_ / "out").string() + "' 2>'" + (dir_ / "err").string() + "'";
    HostRun result;
    int raw = std::system(command.c_str());
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    result.out = Slurp(dir_ / "out");
    result.err = Slurp(dir_ / "err");
    return result;
  }
  HostRun script(const std::string& text, const std::string& args = "") { return run(args, &text); }

  static std::string Fixture() { return std::string("'") + HOST_FIXTURE_PATH + "'"; }

  fs::path dir_;
};

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST_F(ZanthostTest, LoadRunByEveryNameAndUnload) {
  HostRun r = script(
      "; names: local, global, _global, any case\n"
      "salut\nHELLO\n_hello\n_salut\n"
      "ARX Unload HostFixture\n"
      "salut\n",
      "--load " + Fixture());
  EXPECT_EQ(r.status, 0) << r.out << r.err;
  EXPECT_TRUE(Has(r.out, "HostFixture loaded.")) << r.out;
  EXPECT_TRUE(Has(r.out, "Command: salut\n[fixture] start HELLO\nHello from the fixture."))
      << r.out;
  // Reactors hear the global name, for the host's own commands too.
  EXPECT_TRUE(Has(r.out, "Command: _hello\n[fixture] start HELLO")) << r.out;
  EXPECT_TRUE(Has(r.out, "Command: _salut\nUnknown command \"_SALUT\".  Press F1 for help."))
      << r.out;
  EXPECT_TRUE(Has(r.out, "Command: ARX\n[fixture] start ARX\n")) << r.out;
  EXPECT_TRUE(Has(r.out, "Enter ARX/DBX file name to unload: HostFixture\n")) << r.out;
  EXPECT_TRUE(Has(r.out, "HostFixture unloaded.")) << r.out;
  EXPECT_TRUE(Has(r.out, "Command: salut\nUnknown command \"SALUT\".  Press F1 for help."))
      << r.out;
}

TEST_F(ZanthostTest, ArxLoadListsAndEmptyLineRepeats) {
  HostRun r = script("ARX Load \"" + std::string(HOST_FIXTURE_PATH) +
                     "\"\nARX ?\nARX Commands\nsomme 2 3\n\n4 5\nARX C\nQUIT\nHELLO\n");
  EXPECT_EQ(r.status, 0) << r.out << r.err;
  EXPECT_TRUE(Has(r.out, "HostFixture loaded.")) << r.out;
  EXPECT_TRUE(Has(r.out, "HostFixture.arx")) << r.out;
  EXPECT_TRUE(Has(r.out, "HOSTFIX")) << r.out;
  EXPECT_TRUE(Has(r.out, "Sum: 5")) << r.out;
  EXPECT_TRUE(Has(r.out, "Sum: 9")) << r.out;  // the empty line ran ADD again
  // QUIT ends the session (the line after it is never read) and every application is told.
  EXPECT_FALSE(Has(r.out, "Hello from the fixture.")) << r.out;
  EXPECT_TRUE(Has(r.out, "HostFixture unloaded.")) << r.out;
}

TEST_F(ZanthostTest, ExceptionsAndCancelsDoNotStopTheHost) {
  HostRun r = script("boum\nrepete   a whole line  \nrepete ^C\nsalut\n", "--load " + Fixture());
  EXPECT_EQ(r.status, 0) << r.out << r.err;
  EXPECT_TRUE(Has(r.out, "; error: fixture failure\n[fixture] failed BOOM")) << r.out;
  EXPECT_TRUE(Has(r.out, "You said <  a whole line  >.")) << r.out;
  EXPECT_TRUE(Has(r.out, "Text: ^C\n*Cancel*\n[fixture] cancelled ECHO")) << r.out;
  EXPECT_TRUE(Has(r.out, "[fixture] ended HELLO")) << r.out;
}

TEST_F(ZanthostTest, BadInputStopsTheScript) {
  HostRun r = script("somme 2 deux\nsalut\n", "--load " + Fixture());
  EXPECT_EQ(r.status, 1) << r.out;
  EXPECT_TRUE(Has(r.out, "Requires an integer value.\n[fixture] cancelled ADD")) << r.out;
  EXPECT_TRUE(Has(r.err, "test.scr, line 1")) << r.err;
  EXPECT_FALSE(Has(r.out, "Hello from the fixture.")) << r.out;
  EXPECT_TRUE(Has(r.out, "HostFixture unloaded.")) << r.out;

  r = script("somme 2\n", "--load " + Fixture());  // the script ends inside the command
  EXPECT_EQ(r.status, 1) << r.out;
}

TEST_F(ZanthostTest, StartFailures) {
  HostRun r = run("--script '" + (dir_ / "none.scr").string() + "'");
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(Has(r.err, "none.scr")) << r.err;

  std::ofstream(dir_ / "junk.arx") << "not an application";
  r = run("--load '" + (dir_ / "junk.arx").string() + "'");
  EXPECT_EQ(r.status, 2);
  EXPECT_TRUE(Has(r.out, "Unable to load")) << r.out;
  EXPECT_TRUE(Has(r.err, "junk.arx")) << r.err;

  r = run("--bogus");
  EXPECT_EQ(r.status, 2);
  EXPECT_TRUE(Has(r.err, "usage:")) << r.err;
  r = run("--help");
  EXPECT_EQ(r.status, 0);
  EXPECT_TRUE(Has(r.out, "--script")) << r.out;
}

TEST_F(ZanthostTest, PipedTerminalInput) {
  std::ofstream(dir_ / "in.txt") << "salut\nARX ?\n";
  std::string command = std::string("'") + ZANTHOST_PATH + "' --load " + Fixture() + " <'" +
                        (dir_ / "in.txt").string() + "' >'" + (dir_ / "out").string() + "'";
  ASSERT_EQ(std::system(command.c_str()), 0);
  std::string out = Slurp(dir_ / "out");
  EXPECT_TRUE(Has(out, "Command: salut\n")) << out;
  EXPECT_TRUE(Has(out, "Hello from the fixture.")) << out;
  EXPECT_TRUE(Has(out, "HostFixture unloaded.")) << out;  // end of input quits
}

}  // namespace
