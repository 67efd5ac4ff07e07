// What the command line tells its input source besides asking for lines: the kind of each
// question with its base point and keywords, the members of a selection as it is built, and the
// size of the source's pixels that a pick's aperture is measured in. Driven through the real
// acedGet* and acedSSGet calls over tests/data/selection/selection.dxf.
#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

#include "acedads.h"
#include "dbapserv.h"
#include "dbmain.h"
#include "zacad/commandline.h"
#include "zwin32/utf.h"

namespace {

using Kind = zacad::InputRequest::Kind;

// Lines typed by a person ("<Esc>" is Escape), with a view whose pixels measure `pixel`
// drawing units; records everything it is told.
class RecordingSource : public zacad::InputSource {
 public:
  RecordingSource(std::vector<std::u16string> lines, double pixel)
      : lines_(std::move(lines)), pixel_(pixel) {}

  zacad::InputLine next(std::u16string_view) override {
    if (next_ == lines_.size())
      return {zacad::InputLine::Kind::kEnd, {}};
    const std::u16string& line = lines_[next_++];
    if (line == u"<Esc>")
      return {zacad::InputLine::Kind::kCancel, {}};
    return {zacad::InputLine::Kind::kLine, line};
  }
  std::string position() const override { return "recording"; }
  void expect(const zacad::InputRequest& request) override { requests.push_back(request); }
  bool showsSelection() const override { return showsSelection_; }
  void selecting(const std::vector<uint64_t>& handles) override { selections.push_back(handles); }
  double pixelSize() const override { return pixel_; }

  std::vector<zacad::InputRequest> requests;
  std::vector<std::vector<uint64_t>> selections;
  bool showsSelection_ = true;

 private:
  std::vector<std::u16string> lines_;
  size_t next_ = 0;
  double pixel_;
};

class InputHooksTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(db_.readDxfFile(zwin32::FromUtf8(SELECTION_DXF).c_str()), Acad::eOk);
    acdbHostApplicationServices()->setWorkingDatabase(&db_);
    line().setOutput([this](std::string_view text) { out_ += text; });
  }
  void TearDown() override {
    acdbHostApplicationServices()->setWorkingDatabase(nullptr);
    while (line().hasSource())
      line().popSource();
    line().clearFailure();
  }
  static zacad::CommandLine& line() { return zacad::CommandLine::instance(); }

  RecordingSource& typed(std::vector<std::u16string> lines, double pixel = 1.0) {
    auto source = std::make_unique<RecordingSource>(std::move(lines), pixel);
    RecordingSource& recording = *source;
    line().pushSource(std::move(source));
    return recording;
  }

  // How many entities a user selection took (0 when it ended without a set).
  static long Selected() {
    ads_name ss;
    if (acedSSGet(nullptr, nullptr, nullptr, nullptr, ss) != RTNORM)
      return 0;
    long length = 0;
    acedSSLength(ss, &length);
    acedSSFree(ss);
    return length;
  }

  AcDbDatabase db_{false, true};
  std::string out_;
};

std::vector<Kind> Kinds(const RecordingSource& source) {
  std::vector<Kind> kinds;
  for (const zacad::InputRequest& request : source.requests)
    kinds.push_back(request.kind);
  return kinds;
}

TEST_F(InputHooksTest, EachQuestionTellsItsKindBasePointAndKeywords) {
  RecordingSource& source = typed(
      {u"1,2", u"5,5", u"7,8", u"0,0", u"3,4", u"Yes", u"12", u"some words", u"0,0 0,3", u"<Esc>"});
  ads_point p;
  ASSERT_EQ(acedGetPoint(nullptr, u"Point: ", p), RTNORM);
  const ads_point base = {1, 2, 0};
  ASSERT_EQ(acedGetPoint(base, u"Next point: ", p), RTNORM);
  ASSERT_EQ(acedGetCorner(base, u"Other corner: ", p), RTNORM);
  ads_real distance = 0;
  ASSERT_EQ(acedGetDist(nullptr, u"Distance: ", &distance), RTNORM);
  EXPECT_DOUBLE_EQ(distance, 5);
  acedInitGet(0, u"Yes No");
  ACHAR word[ACED_MAX_INPUT_LEN];
  ASSERT_EQ(acedGetKword(u"Sure? [Yes/No]: ", word), RTNORM);
  int number = 0;
  ASSERT_EQ(acedGetInt(u"How many: ", &number), RTNORM);
  ASSERT_EQ(acedGetString(1, u"Text: ", word), RTNORM);
  // Both points of the distance on one line: only the question that waits for the line is
  // told, the second point is taken from what was already typed.
  ASSERT_EQ(acedGetDist(nullptr, u"Distance: ", &distance), RTNORM);
  EXPECT_DOUBLE_EQ(distance, 3);
  EXPECT_EQ(acedGetAngle(base, u"Angle: ", &distance), RTCAN);

  EXPECT_EQ(Kinds(source),
            (std::vector<Kind>{Kind::kPoint, Kind::kPoint, Kind::kCorner, Kind::kDistance,
                               Kind::kDistance, Kind::kKeyword, Kind::kNumber, Kind::kText,
                               Kind::kDistance, Kind::kAngle}));
  using Base = std::optional<std::array<double, 3>>;
  const Base none;
  const Base given = std::array<double, 3>{1, 2, 0};
  EXPECT_EQ(source.requests[0].base, none);
  EXPECT_EQ(source.requests[1].base, given);
  EXPECT_EQ(source.requests[2].base, given);
  EXPECT_EQ(source.requests[3].base, none);
  // The distance's second point is drawn from its first.
  EXPECT_EQ(source.requests[4].base, (Base{std::array<double, 3>{0, 0, 0}}));
  EXPECT_EQ(source.requests[5].keywords, (std::vector<std::u16string>{u"Yes", u"No"}));
  EXPECT_EQ(source.requests[9].base, given);
  // Nothing outlives its question: the next plain read asks for text again.
  source.requests.clear();
  line().pushSource(std::make_unique<RecordingSource>(std::vector<std::u16string>{u"x"}, 1.0));
  auto& after = static_cast<RecordingSource&>(*line().source());
  line().read(u"? ", zacad::AnswerMode::kToken);
  EXPECT_EQ(Kinds(after), (std::vector<Kind>{Kind::kText}));
}

TEST_F(InputHooksTest, TheSelectionBeingBuiltIsToldAfterEachChangeThenCleared) {
  // A pick of the line 34, a window around the lines 34 and 35 (already has 34), a removal of
  // 34, an undo of it, then Enter.
  RecordingSource& source =
      typed({u"5,0", u"W", u"-1,-1", u"11,6", u"R", u"5,0", u"U", u"A", u"WHAT", u""});
  EXPECT_EQ(Selected(), 2);
  EXPECT_EQ(source.selections,
            (std::vector<std::vector<uint64_t>>{{0x34}, {0x34, 0x35}, {0x35}, {0x34, 0x35}, {}}));
  // The prompts were selections, and the window's corners points, the second drawn from the
  // first as a rectangle.
  const std::vector<Kind> kinds = Kinds(source);
  EXPECT_EQ(kinds,
            (std::vector<Kind>{Kind::kSelection, Kind::kSelection, Kind::kPoint, Kind::kCorner,
                               Kind::kSelection, Kind::kSelection, Kind::kSelection,
                               Kind::kSelection, Kind::kSelection, Kind::kSelection}))
      << out_;
  EXPECT_EQ(source.requests[3].base, (std::array<double, 3>{-1, -1, 0}));

  // A pick in empty space opens a window whose other corner has the pick as base; Escape
  // cancels, and the view is told the selection is gone.
  RecordingSource& cancelled = typed({u"5,0", u"30,30", u"<Esc>"});
  EXPECT_EQ(Selected(), 0);
  EXPECT_EQ(Kinds(cancelled),
            (std::vector<Kind>{Kind::kSelection, Kind::kSelection, Kind::kCorner}));
  EXPECT_EQ(cancelled.requests[2].base, (std::array<double, 3>{30, 30, 0}));
  EXPECT_EQ(cancelled.selections, (std::vector<std::vector<uint64_t>>{{0x34}, {}}));

  // A source that shows no selection (a terminal, a script) is never told of it.
  RecordingSource& blind = typed({u"5,0", u"W", u"-1,-1", u"11,6", u""});
  blind.showsSelection_ = false;
  EXPECT_EQ(Selected(), 2);
  EXPECT_TRUE(blind.selections.empty());
}

// A source that fails when told of the selection: once it is over, or all along.
class FailingViewSource : public RecordingSource {
 public:
  FailingViewSource(std::vector<std::u16string> lines, bool always)
      : RecordingSource(std::move(lines), 1.0), always_(always) {}
  void selecting(const std::vector<uint64_t>& handles) override {
    if (always_ || handles.empty())
      throw std::runtime_error("the view is gone");
  }

 private:
  bool always_;
};

TEST_F(InputHooksTest, AViewThatFailsNeverCostsTheSelection) {
  // Failing to clear the highlight at the end still gives the set.
  line().pushSource(
      std::make_unique<FailingViewSource>(std::vector<std::u16string>{u"5,0", u""}, false));
  EXPECT_EQ(Selected(), 1);
  line().popSource();
  // Failing all along ends the selection by that failure alone: clearing the highlight on the
  // way out fails again without ending the program.
  line().pushSource(
      std::make_unique<FailingViewSource>(std::vector<std::u16string>{u"5,0", u""}, true));
  ads_name ss;
  EXPECT_THROW(acedSSGet(nullptr, nullptr, nullptr, nullptr, ss), std::runtime_error);
}

TEST_F(InputHooksTest, ThePickApertureIsMeasuredInTheSourcesPixels) {
  // PICKBOX is 3 pixels. With pixels of a tenth of a unit, a pick 0.5 above the line 34
  // misses it (and opens a window that Escape ends); with pixels of one unit it hits it.
  typed({u"5,0.5", u"<Esc>"}, 0.1);
  EXPECT_EQ(Selected(), 0);
  line().popSource();
  typed({u"5,0.5", u""}, 1.0);
  EXPECT_EQ(Selected(), 1);
  line().popSource();
  // Pixels of 0.2 units: an aperture of 0.6 reaches 0.5 above the line.
  typed({u"5,0.5", u""}, 0.2);
  EXPECT_EQ(Selected(), 1);
}

}  // namespace
