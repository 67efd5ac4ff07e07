// Dialogs answered on the real zanthost's command line: a fixture application's CDialog is
// shown as text and clicked by label and by id from a script.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace fs = std::filesystem;

namespace {

class DialogFrontEndTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("zanthost_dialog_" + std::to_string(getpid()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
    setenv("ZANT_REGISTRY", (dir_ / "registry.reg").c_str(), 1);
    setenv("LC_ALL", "C.UTF-8", 1);  // the host's messages in English
  }
  void TearDown() override { fs::remove_all(dir_); }

  // Runs the script with the fixture loaded, as a script file or typed at the terminal (piped
  // to its standard input); returns what the host printed.
  std::string Run(const std::string& script, int* status = nullptr, bool typed = false) {
    std::ofstream(dir_ / "test.scr") << script;
    const std::string input = "'" + (dir_ / "test.scr").string() + "'";
    const std::string command = std::string("'") + ZANTHOST_PATH + "' --load '" +
                                DIALOG_FIXTURE_PATH + "' " +
                                (typed ? "<" + input : "--script " + input + " </dev/null") +
                                " >'" + (dir_ / "out").string() + "' 2>&1";
    const int raw = std::system(command.c_str());
    if (status != nullptr)
      *status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    std::ifstream in(dir_ / "out");
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }

  fs::path dir_;
};

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST_F(DialogFrontEndTest, ScriptsClickByLabelAndIdAndConfirmWithEnter) {
  const std::string out = Run("options\n1102\nchoisir un filtre\n?\n1104=Zoé Martin\nAide\n\n");
  EXPECT_TRUE(Has(out, "Dialog: Options d'essai")) << out;
  EXPECT_TRUE(Has(out, "[1] Ok  (push button, default)")) << out;
  EXPECT_TRUE(Has(out, "[1102] (picture button, released)")) << out;
  EXPECT_TRUE(Has(out, "[1102] (picture button, pressed)")) << out;
  EXPECT_TRUE(Has(out, "[1103] Choisir un filtre  (check box, unchecked)")) << out;
  EXPECT_TRUE(Has(out, "[1104] \"Dupont\"  (edit box)")) << out;
  EXPECT_TRUE(Has(out, "[1106] Nom :  (text)")) << out;
  EXPECT_TRUE(Has(out, "[1107] Inactif  (push button, disabled)")) << out;
  // The automatic box toggled before its owner heard the click.
  EXPECT_TRUE(Has(out, "[fixture] filter box heard with check 1")) << out;
  EXPECT_TRUE(Has(out, "[fixture] DoModal 1 name <Zoé Martin> filter 1 picture clicks 1")) << out;
}

// A line that names no control is typed into the edit box whole, spaces included, replacing
// what it held; "id=text" still reaches an edit box by its id.
TEST_F(DialogFrontEndTest, OtherLinesAreTypedIntoTheEditBox) {
  std::string out = Run("options\n  Jean  Dupuis \nOk\n");
  EXPECT_TRUE(Has(out, "[fixture] DoModal 1 name <  Jean  Dupuis > filter 0")) << out;
  out = Run("options\nMartin\n1104=Zoé\n\n");
  EXPECT_TRUE(Has(out, "[1104] \"Martin\"  (edit box)")) << out;
  EXPECT_TRUE(Has(out, "[fixture] DoModal 1 name <Zoé> filter 0")) << out;
}

TEST_F(DialogFrontEndTest, EscapeCancelsAndMessageBoxesAnswerToo) {
  std::string out = Run("options\nchoisir un filtre\n^C\ndemande\nNo\n");
  EXPECT_TRUE(Has(out, "[fixture] DoModal 2 name <Dupont> filter 0 picture clicks 0")) << out;
  EXPECT_TRUE(Has(out, "Continuer ?")) << out;
  EXPECT_TRUE(Has(out, "[fixture] answer 7")) << out;  // IDNO
}

TEST_F(DialogFrontEndTest, UnknownAnswersStopTheScriptAndCancelTheDialog) {
  int status = 0;
  const std::string out = Run("options\nInactif\nOk\n", &status);
  EXPECT_TRUE(Has(out, "\"Inactif\" is disabled.")) << out;
  EXPECT_TRUE(Has(out, "[fixture] DoModal 2 name <Dupont>")) << out;
  EXPECT_EQ(status, 1);
  // A dialog without an edit box has nothing to type into.
  const std::string second = Run("demande\nValider\nYes\n", &status);
  EXPECT_TRUE(Has(second, "No control \"Valider\" to click in this dialog.")) << second;
  EXPECT_FALSE(Has(second, "[fixture] answer 6")) << second;
  EXPECT_EQ(status, 1);
}

TEST_F(DialogFrontEndTest, APersonIsAskedAgainAfterAWrongAnswer) {
  const std::string out = Run("demande\nValider\nNo\noptions\n1107\nOK\n", nullptr, true);
  EXPECT_TRUE(Has(out, "No control \"Valider\" to click in this dialog.")) << out;
  EXPECT_TRUE(Has(out, "[fixture] answer 7")) << out;
  EXPECT_TRUE(Has(out, "\"1107\" is disabled.")) << out;
  EXPECT_TRUE(Has(out, "[fixture] DoModal 1 name <Dupont> filter 0 picture clicks 0")) << out;
}

}  // namespace
