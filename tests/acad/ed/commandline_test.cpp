// The command line's input rules, driven through real input sources and captured output.
#include "zacad/commandline.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

using zacad::Answer;
using zacad::AnswerMode;
using zacad::CommandLine;

class CommandLineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    line_.setOutput([this](std::string_view text) { out_ += text; });
  }

  void feed(std::vector<std::u16string> lines) {
    line_.pushSource(zacad::MakeStringSource(std::move(lines)));
  }

  std::u16string token(std::u16string_view prompt = u"? ") {
    Answer a = line_.read(prompt, AnswerMode::kToken);
    EXPECT_EQ(a.kind, Answer::Kind::kText);
    return a.text;
  }

  CommandLine line_;
  std::string out_;
};

TEST_F(CommandLineTest, SpacesAndLineEndsAreEnter) {
  feed({u"LINE 0,0  1,1", u"", u"QUIT "});
  EXPECT_EQ(token(), u"LINE");
  EXPECT_EQ(token(), u"0,0");
  EXPECT_EQ(token(), u"");  // the second space
  EXPECT_EQ(token(), u"1,1");
  EXPECT_EQ(token(), u"");  // the empty line
  EXPECT_EQ(token(), u"QUIT");
  EXPECT_EQ(token(), u"");  // trailing space, then the line end is one more Enter
  EXPECT_EQ(line_.read(u"? ", AnswerMode::kToken).kind, Answer::Kind::kEnd);
}

TEST_F(CommandLineTest, WholeLinePromptTakesTheRestOfTheLine) {
  feed({u"NOTE first words here", u"second line  with  spaces", u"after"});
  EXPECT_EQ(token(), u"NOTE");
  EXPECT_EQ(line_.read(u"Text: ", AnswerMode::kLine).text, u"first words here");
  EXPECT_EQ(line_.read(u"Text: ", AnswerMode::kLine).text, u"second line  with  spaces");
  EXPECT_EQ(token(), u"after");
}

TEST_F(CommandLineTest, CommentsQuotesAndCaretC) {
  feed({u";; a comment is not even an Enter", u"ARX L \"My Apps/a b.arx\" ^C", u"\"open",
        u"\"x\"y z", u"^c^C"});
  EXPECT_EQ(token(), u"ARX");
  EXPECT_EQ(token(), u"L");
  EXPECT_EQ(token(), u"My Apps/a b.arx");
  Answer cancel = line_.read(u"? ", AnswerMode::kToken);
  EXPECT_EQ(cancel.kind, Answer::Kind::kCancel);
  EXPECT_EQ(token(), u"open");  // an unclosed quote runs to the line end
  EXPECT_EQ(token(), u"xy");    // text glued to the closing quote belongs to the answer
  EXPECT_EQ(token(), u"z");
  EXPECT_EQ(line_.read(u"? ", AnswerMode::kToken).kind, Answer::Kind::kCancel);
  EXPECT_NE(out_.find("*Cancel*"), std::string::npos);
}

TEST_F(CommandLineTest, EchoShowsWhatWasAnsweredWithoutBlankLines) {
  feed({u"ARX ?"});
  token(u"\nCommand: ");
  token(u"\nEnter an option [?/Load]: ");
  line_.write(u"\nNo applications.\n");
  EXPECT_EQ(out_, "Command: ARX\nEnter an option [?/Load]: ?\nNo applications.\n");
  out_.clear();
  line_.write(u"caf\u00e9 \u20ac");
  EXPECT_EQ(out_, "caf\xc3\xa9 \xe2\x82\xac");
}

TEST_F(CommandLineTest, WrongBatchAnswerStopsTheInput) {
  feed({u"abc 12 next"});
  auto isNumber = [](const std::u16string& s) -> std::optional<std::u16string> {
    if (!s.empty() && s.find_first_not_of(u"0123456789") == std::u16string::npos) {
      return std::nullopt;
    }
    return u"Requires an integer value.";
  };
  Answer a = line_.ask(u"Number: ", AnswerMode::kToken, isNumber);
  EXPECT_EQ(a.kind, Answer::Kind::kCancel);
  EXPECT_TRUE(line_.inputFailed());
  EXPECT_EQ(line_.failure(), u"Requires an integer value.");
  EXPECT_EQ(line_.failedAt(), "input, line 1");
  // Nothing more is read from a stopped script until the failure is cleared.
  EXPECT_EQ(line_.read(u"? ", AnswerMode::kToken).kind, Answer::Kind::kCancel);
  line_.clearFailure();
  // The rest of the failed line was dropped with it.
  EXPECT_EQ(line_.read(u"? ", AnswerMode::kToken).kind, Answer::Kind::kEnd);
}

TEST_F(CommandLineTest, EndOfBatchInsideAPromptIsAFailure) {
  feed({});
  Answer a = line_.ask(u"Name: ", AnswerMode::kToken, nullptr);
  EXPECT_EQ(a.kind, Answer::Kind::kEnd);
  EXPECT_TRUE(line_.inputFailed());
}

TEST_F(CommandLineTest, ScriptFileRules) {
  auto dir = std::filesystem::temp_directory_path() / ("zant_ed_" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  std::string error;
  EXPECT_EQ(zacad::MakeScriptSource((dir / "missing.scr").string(), error), nullptr);
  EXPECT_NE(error.find("missing.scr"), std::string::npos);
  EXPECT_EQ(zacad::MakeScriptSource(dir.string(), error), nullptr);  // a folder is no script

  {
    std::ofstream utf8(dir / "utf8.scr", std::ios::binary);
    utf8 << "\xEF\xBB\xBF; header\r\nNOM caf\xC3\xA9\r\n";
    std::ofstream ansi(dir / "ansi.scr", std::ios::binary);
    ansi << "NOM caf\xE9\n";
  }
  for (const char* name : {"utf8.scr", "ansi.scr"}) {
    auto source = zacad::MakeScriptSource((dir / name).string(), error);
    ASSERT_NE(source, nullptr) << error;
    line_.pushSource(std::move(source));
    EXPECT_EQ(token(), u"NOM");
    EXPECT_EQ(token(), u"caf\u00e9") << name;
    EXPECT_EQ(line_.read(u"? ", AnswerMode::kToken).kind, Answer::Kind::kEnd);
    line_.popSource();
  }
  std::filesystem::remove_all(dir);
}

}  // namespace
