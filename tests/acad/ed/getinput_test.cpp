// The acedGet* calls through the session's command line, fed by string input as a script.
#include <gtest/gtest.h>

#include <string>

#include "acedads.h"
#include "zacad/commandline.h"

namespace {

class GetInputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    line().setOutput([this](std::string_view text) { out_ += text; });
  }
  void TearDown() override {
    while (line().hasSource())
      line().popSource();
    line().clearFailure();
  }
  static zacad::CommandLine& line() { return zacad::CommandLine::instance(); }
  void feed(std::vector<std::u16string> lines) {
    line().pushSource(zacad::MakeStringSource(std::move(lines)));
  }

  std::string out_;
  ACHAR buf_[ACED_MAX_INPUT_LEN] = {};
};

TEST_F(GetInputTest, StringsByWordOrWholeLine) {
  feed({u"one two three four", u"^C"});
  EXPECT_EQ(acedGetString(0, u"\nName: ", buf_), RTNORM);
  EXPECT_EQ(std::u16string(buf_), u"one");
  EXPECT_EQ(acedGetString(1, u"\nText: ", buf_), RTNORM);
  EXPECT_EQ(std::u16string(buf_), u"two three four");
  EXPECT_EQ(acedGetString(1, u"\nText: ", buf_), RTCAN);
  EXPECT_EQ(out_, "Name: one\nText: two three four\nText: ^C\n*Cancel*\n");
  // End of input inside a prompt is no answer either.
  EXPECT_EQ(acedGetString(0, u"\nName: ", buf_), RTCAN);
}

TEST_F(GetInputTest, LongAnswersAreCut) {
  feed({std::u16string(3000, u'x'), u"abcdef"});
  EXPECT_EQ(acedGetString(1, u"", buf_), RTINPUTTRUNCATED);
  EXPECT_EQ(std::u16string(buf_).size(), ACED_MAX_INPUT_LEN - 1u);
  ACHAR small[4];
  EXPECT_EQ(acedGetString(0, u"", small, 4), RTINPUTTRUNCATED);
  EXPECT_EQ(std::u16string(small), u"abc");
}

TEST_F(GetInputTest, NumbersKeywordsAndFlags) {
  feed({u"12 -3 2.5e1  _yes non x"});
  int i = 0;
  ads_real r = 0;
  EXPECT_EQ(acedGetInt(u"Int: ", &i), RTNORM);
  EXPECT_EQ(i, 12);
  EXPECT_EQ(acedGetInt(u"Int: ", &i), RTNORM);
  EXPECT_EQ(i, -3);
  EXPECT_EQ(acedGetReal(u"Real: ", &r), RTNORM);
  EXPECT_DOUBLE_EQ(r, 25.0);
  EXPECT_EQ(acedGetReal(u"Real: ", &r), RTNONE);  // the second space: a bare Enter
  // Local keywords, then after "_" their global names; a global answer is "_" + global name.
  EXPECT_EQ(acedInitGet(0, u"Oui Non _ Yes No"), RTNORM);
  EXPECT_EQ(acedGetInt(u"Int or keyword: ", &i), RTKWORD);
  EXPECT_EQ(acedGetInput(buf_), RTNORM);
  EXPECT_EQ(std::u16string(buf_), u"Yes");
  acedInitGet(0, u"Oui Non _ Yes No");
  EXPECT_EQ(acedGetReal(u"Real or keyword: ", &r), RTKWORD);  // a local answer gives the global
  EXPECT_EQ(acedGetInput(buf_), RTNORM);
  EXPECT_EQ(std::u16string(buf_), u"No");
  // The keywords held for one call only: "x" is a wrong number now, which stops batch input.
  EXPECT_EQ(acedGetInt(u"Int: ", &i), RTCAN);
  EXPECT_TRUE(line().inputFailed());
  EXPECT_EQ(line().failure(), u"Requires an integer value.");
  EXPECT_NE(out_.find("Int: x\nRequires an integer value.\n"), std::string::npos);
}

TEST_F(GetInputTest, SignFlagsRejectValues) {
  for (auto [flags, answer, message] :
       {std::tuple{RSG_NOZERO, u"0", u"Value must be nonzero."},
        std::tuple{RSG_NONEG, u"-1", u"Value must be positive."},
        std::tuple{RSG_NOZERO | RSG_NONEG, u"0", u"Value must be positive and nonzero."},
        std::tuple{RSG_NONULL, u"", u"Requires numeric value."}}) {
    feed({answer});
    ads_real r = 0;
    acedInitGet(flags, nullptr);
    EXPECT_EQ(acedGetReal(u"Real: ", &r), RTCAN) << flags;
    EXPECT_EQ(line().failure(), message);
    line().popSource();
    line().clearFailure();
  }
  feed({u"70000 1.5 7"});
  int i = 0;
  EXPECT_EQ(acedGetInt(u"Int: ", &i), RTCAN);  // beyond 16 bits
  line().clearFailure();
}

TEST_F(GetInputTest, KeywordAbbreviations) {
  feed({u"lt LTY eXIT x l _Exit nope"});
  const ACHAR* list = u"LType eXit Layer _ LTYPE EXIT LAYER";
  const char16_t* expected[] = {u"LTYPE", u"LTYPE", u"EXIT", u"EXIT", u"LAYER", u"EXIT"};
  for (const char16_t* want : expected) {
    acedInitGet(0, list);
    ASSERT_EQ(acedGetKword(u"Option: ", buf_), RTNORM) << std::string(out_);
    EXPECT_EQ(std::u16string(buf_), want);
  }
  acedInitGet(0, list);
  EXPECT_EQ(acedGetKword(u"Option: ", buf_), RTCAN);
  EXPECT_EQ(line().failure(), u"Invalid option keyword.");
}

TEST_F(GetInputTest, PrintfAndPrompt) {
  EXPECT_EQ(acutPrintf(u"\n%s: %d %5.2f %S|%c", u"Caf\u00e9", 42, 3.14159, "narrow", u'Z'), RTNORM);
  EXPECT_EQ(acedPrompt(u" done\n"), RTNORM);
  EXPECT_EQ(out_, "Caf\xc3\xa9: 42  3.14 narrow|Z done\n");
}

}  // namespace
