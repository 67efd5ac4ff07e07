// Points, distances and angles typed at the command line, fed as script input or, where a
// wrong answer must be asked again, as a person's terminal lines.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

#include "acedads.h"
#include "zacad/commandline.h"

namespace {

// Lines typed by a person: a wrong answer is asked again instead of stopping the input.
class TypedLines : public zacad::InputSource {
 public:
  explicit TypedLines(std::vector<std::u16string> lines) : lines_(std::move(lines)) {}
  zacad::InputLine next(std::u16string_view) override {
    if (next_ == lines_.size())
      return {zacad::InputLine::Kind::kEnd, {}};
    const std::u16string& line = lines_[next_++];
    if (line == u"<Esc>")
      return {zacad::InputLine::Kind::kCancel, {}};
    return {zacad::InputLine::Kind::kLine, line};
  }
  std::string position() const override { return "terminal"; }

 private:
  std::vector<std::u16string> lines_;
  size_t next_ = 0;
};

class PointInputTest : public ::testing::Test {
 protected:
  void SetUp() override {
    line().setOutput([this](std::string_view text) { out_ += text; });
    resbuf origin = {};
    origin.restype = RT3DPOINT;
    acedSetVar(u"LASTPOINT", &origin);
  }
  void TearDown() override {
    while (line().hasSource())
      line().popSource();
    line().clearFailure();
  }
  static zacad::CommandLine& line() { return zacad::CommandLine::instance(); }
  void script(std::vector<std::u16string> lines) {
    line().pushSource(zacad::MakeStringSource(std::move(lines)));
  }
  void typed(std::vector<std::u16string> lines) {
    line().pushSource(std::make_unique<TypedLines>(std::move(lines)));
  }

  std::string out_;
  ads_point p_ = {};
};

TEST_F(PointInputTest, PointSyntaxAndLastPoint) {
  script({u"1,2 3.5,-4,7 @1,1 @ @2<90 10<0 -1e1,+2"});
  ASSERT_EQ(acedGetPoint(nullptr, u"Point: ", p_), RTNORM);
  EXPECT_EQ((std::array{p_[0], p_[1], p_[2]}), (std::array{1.0, 2.0, 0.0}));
  ASSERT_EQ(acedGetPoint(nullptr, u"Point: ", p_), RTNORM);
  EXPECT_EQ((std::array{p_[0], p_[1], p_[2]}), (std::array{3.5, -4.0, 7.0}));
  ASSERT_EQ(acedGetPoint(nullptr, u"Point: ", p_), RTNORM);  // relative to the last point
  EXPECT_EQ((std::array{p_[0], p_[1], p_[2]}), (std::array{4.5, -3.0, 7.0}));
  ASSERT_EQ(acedGetPoint(nullptr, u"Point: ", p_), RTNORM);  // the last point itself
  EXPECT_EQ((std::array{p_[0], p_[1]}), (std::array{4.5, -3.0}));
  ASSERT_EQ(acedGetCorner(p_, u"Corner: ", p_), RTNORM);  // polar, relative
  EXPECT_NEAR(p_[0], 4.5, 1e-12);
  EXPECT_NEAR(p_[1], -1.0, 1e-12);
  ASSERT_EQ(acedGetPoint(nullptr, u"Point: ", p_), RTNORM);  // polar from the origin
  EXPECT_NEAR(p_[0], 10.0, 1e-12);
  EXPECT_NEAR(p_[1], 0.0, 1e-12);
  ASSERT_EQ(acedGetPoint(nullptr, u"Point: ", p_), RTNORM);
  EXPECT_EQ((std::array{p_[0], p_[1]}), (std::array{-10.0, 2.0}));
  resbuf last = {};
  ASSERT_EQ(acedGetVar(u"lastpoint", &last), RTNORM);
  EXPECT_EQ(last.restype, RT3DPOINT);
  EXPECT_EQ(last.resval.rpoint[0], -10.0);
  // The corner has no meaning without its base point.
  EXPECT_EQ(acedGetCorner(nullptr, u"Corner: ", p_), RTERROR);
}

TEST_F(PointInputTest, EnterEscapeAndKeywords) {
  script({u" _Undo", u"^C"});
  p_[0] = 42;
  EXPECT_EQ(acedGetPoint(nullptr, u"Point: ", p_), RTNONE);
  EXPECT_EQ(p_[0], 42);  // untouched
  acedInitGet(0, u"Annuler _ Undo");
  EXPECT_EQ(acedGetPoint(nullptr, u"Point [Annuler]: ", p_), RTKWORD);
  ACHAR word[32];
  acedGetInput(word);
  EXPECT_EQ(std::u16string(word), u"Undo");
  EXPECT_EQ(acedGetPoint(nullptr, u"Point: ", p_), RTCAN);
  EXPECT_EQ(p_[0], 42);
  // Escape typed at a terminal, and Enter refused under RSG_NONULL until a point comes.
  typed({u"<Esc>", u"", u"5,5"});
  EXPECT_EQ(acedGetDist(nullptr, u"Distance: ", nullptr), RTCAN);
  acedInitGet(RSG_NONULL, nullptr);
  EXPECT_EQ(acedGetPoint(nullptr, u"Point: ", p_), RTNORM);
  EXPECT_EQ(p_[0], 5);
  EXPECT_NE(out_.find("Point: \nInvalid point.\nPoint: "), std::string::npos) << out_;
}

TEST_F(PointInputTest, DistancesFromNumbersAndPoints) {
  script({u"-2.5 0,0 3,4 250 5,12", u"3,4 6,8"});
  ads_real d = 0;
  ASSERT_EQ(acedGetDist(nullptr, u"Distance: ", &d), RTNORM);  // either sign is accepted
  EXPECT_EQ(d, -2.5);
  ASSERT_EQ(acedGetDist(nullptr, u"Distance: ", &d), RTNORM);  // two points
  EXPECT_EQ(d, 5.0);
  EXPECT_NE(out_.find("Distance: 0,0\nSpecify second point: 3,4\n"), std::string::npos) << out_;
  ads_point base = {0, 0, 0};
  ASSERT_EQ(acedGetDist(base, u"Distance: ", &d), RTNORM);  // a number with a base point
  EXPECT_EQ(d, 250.0);
  ASSERT_EQ(acedGetDist(base, u"Distance: ", &d), RTNORM);  // the second point only
  EXPECT_EQ(d, 13.0);
  ads_real angle = 0;
  ASSERT_EQ(acedGetAngle(nullptr, u"Angle: ", &angle), RTNORM);
  EXPECT_NEAR(angle, std::atan2(4.0, 3.0), 1e-12);
  EXPECT_EQ(acedGetVar(u"NOSUCHVAR", nullptr), RTERROR);
}

TEST_F(PointInputTest, WrongAnswersAskAgainOrStopTheScript) {
  typed({u"abc", u"1,2,3,4", u"0", u"-3", u"7"});
  acedInitGet(RSG_NOZERO | RSG_NONEG, nullptr);
  ads_real d = 0;
  ASSERT_EQ(acedGetDist(nullptr, u"Distance: ", &d), RTNORM);
  EXPECT_EQ(d, 7.0);
  EXPECT_NE(out_.find("Distance: abc\nRequires numeric distance or two points.\n"
                      "Distance: 1,2,3,4\nRequires numeric distance or two points.\n"
                      "Distance: 0\nValue must be positive and nonzero.\n"),
            std::string::npos)
      << out_;
  line().popSource();
  // Two points that measure zero are refused like a typed zero.
  typed({u"1,1", u"1,1", u"2"});
  acedInitGet(RSG_NOZERO, nullptr);
  ASSERT_EQ(acedGetDist(nullptr, u"Distance: ", &d), RTNORM);
  EXPECT_EQ(d, 2.0);
  EXPECT_NE(out_.find("Value must be nonzero.\nDistance: "), std::string::npos);
  line().popSource();
  // In a script the first wrong answer stops the input, as the host suspends a script.
  script({u"x 5"});
  EXPECT_EQ(acedGetDist(nullptr, u"Distance: ", &d), RTCAN);
  EXPECT_TRUE(line().inputFailed());
  EXPECT_EQ(line().failure(), u"Requires numeric distance or two points.");
  EXPECT_EQ(acedGetDist(nullptr, u"Distance: ", &d), RTCAN);  // stopped input answers nothing
  EXPECT_EQ(d, 2.0);
}

}  // namespace
