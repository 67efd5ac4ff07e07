// Selection sets, filters and the "Select objects:" dialogue over a small drawing of known
// geometry (a view put in place of the database's), fed as script lines or terminal lines.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "accmd.h"
#include "acedads.h"
#include "acutads.h"
#include "rxregsvc.h"
#include "zacad/commandcontext.h"
#include "zacad/commandline.h"
#include "zacad/selectionview.h"

namespace {

using zacad::EntityName;

struct Item {
  const char16_t* type;
  const char16_t* layer;
  int color;                          // 256: no colour group (BYLAYER)
  std::vector<zacad::Point2> points;  // a line or polyline; two points of a box for texts
  bool shown = true;                  // false: the layer is off or frozen
};

// The drawing, oldest first; entity i is named {kDrawingWord, 100 + i} and has handle 0x20 + i.
constexpr int64_t kDrawingWord = 7;
const std::vector<Item> kDrawing = {
    {u"LINE", u"0", 256, {{0, 0}, {10, 0}}},                   // 0
    {u"LINE", u"Walls", 1, {{0, 5}, {10, 5}}},                 // 1
    {u"TEXT", u"Text", 256, {{20, 0}, {30, 2}}},               // 2
    {u"MTEXT", u"Text", 3, {{20, 10}, {30, 14}}},              // 3
    {u"LWPOLYLINE", u"0", 256, {{40, 0}, {50, 0}, {50, 10}}},  // 4
    {u"CIRCLE", u"Hidden", 256, {{0, 20}, {4, 24}}, false},    // 5: layer off
    {u"LINE", u"Ice", 256, {{0, 30}, {10, 30}}, false},        // 6: layer frozen
    // 7: a diagonal passing near the corner (61,11) of a window without touching it
    {u"LINE", u"0", 256, {{58, 15}, {65, 8}}},
};

class FakeView : public zacad::SelectionView {
 public:
  // How many times selection asked for an entity's geometry, over every view made.
  static inline int geometryAsked = 0;

  zacad::SelectableEntities entities() const override {
    zacad::SelectableEntities all;
    all.drawing = kDrawingWord;
    for (size_t i = 0; i < kDrawing.size(); ++i) {
      all.names.push_back(static_cast<uint32_t>(100 + i));
      all.hidden.push_back(!kDrawing[i].shown);
    }
    return all;
  }
  uint64_t handle(const EntityName& name) const override { return 0x20 + (name[1] - 100); }
  std::optional<EntityName> named(uint64_t handle) const override {
    if (handle < 0x20 || handle >= 0x20 + kDrawing.size())
      return std::nullopt;
    return EntityName{kDrawingWord, static_cast<int64_t>(100 + handle - 0x20)};
  }
  zacad::EntityGeometry geometry(const EntityName& name) const override {
    ++geometryAsked;
    const Item& item = kDrawing.at(name[1] - 100);
    zacad::EntityGeometry g;
    g.hasExtents = true;
    g.extents = {item.points[0], item.points[0]};
    for (const auto& p : item.points) {
      g.extents.min = {std::min(g.extents.min.x, p.x), std::min(g.extents.min.y, p.y)};
      g.extents.max = {std::max(g.extents.max.x, p.x), std::max(g.extents.max.y, p.y)};
    }
    bool curve = std::u16string_view(item.type).find(u"LINE") != std::u16string_view::npos;
    for (size_t k = 0; curve && k + 1 < item.points.size(); ++k)
      g.outline.push_back({item.points[k], item.points[k + 1]});
    return g;
  }
  resbuf* entityList(const EntityName& name) const override {
    const Item& item = kDrawing.at(name[1] - 100);
    ads_name ent = {name[0], name[1]};
    resbuf* list = acutBuildList(-1, ent, RTDXF0, item.type, 8, item.layer, 0);
    if (item.color != 256) {
      resbuf* rb = list;
      while (rb->rbnext != nullptr)
        rb = rb->rbnext;
      rb->rbnext = acutBuildList(62, item.color, 0);
    }
    return list;
  }
  const void* drawing() const override { return &kDrawing; }
};

// Lines typed by a person: wrong answers are asked again, "<Esc>" is Escape.
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

class SelectionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    view_ = std::make_shared<FakeView>();
    zacad::SetSelectionViewFactory([] { return std::make_unique<FakeView>(); });
    line().setOutput([this](std::string_view text) { out_ += text; });
    acedSSSetFirst(nullptr, nullptr);
  }
  void TearDown() override {
    zacad::SetSelectionViewFactory(nullptr);
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
  // The indexes in kDrawing of a set's members, in order; the set is freed.
  static std::vector<int> Members(ads_name ss) {
    std::vector<int> indexes;
    long length = -1;
    EXPECT_EQ(acedSSLength(ss, &length), RTNORM);
    for (long i = 0; i < length; ++i) {
      ads_name ent;
      EXPECT_EQ(acedSSName(ss, i, ent), RTNORM);
      indexes.push_back(static_cast<int>(ent[1] - 100));
    }
    EXPECT_EQ(acedSSFree(ss), RTNORM);
    return indexes;
  }
  // Runs a user selection on `lines` (script input) and returns what it selected.
  std::vector<int> SelectFrom(std::vector<std::u16string> lines, int expected = RTNORM) {
    script(std::move(lines));
    ads_name ss;
    int status = acedSSGet(nullptr, nullptr, nullptr, nullptr, ss);
    EXPECT_EQ(status, expected);
    line().popSource();
    return status == RTNORM ? Members(ss) : std::vector<int>{};
  }

  std::shared_ptr<FakeView> view_;
  std::string out_;
};

TEST_F(SelectionTest, SetsByName) {
  ads_name a = {kDrawingWord, 100}, b = {kDrawingWord, 101}, ss, same;
  ASSERT_EQ(acedSSAdd(nullptr, nullptr, ss), RTNORM);  // a new, empty set
  long length = -1;
  EXPECT_EQ(acedSSLength(ss, &length), RTNORM);
  EXPECT_EQ(length, 0);
  EXPECT_EQ(acedSSAdd(b, ss, same), RTNORM);
  EXPECT_TRUE(ads_name_equal(ss, same));
  acedSSAdd(a, ss, same);
  acedSSAdd(b, ss, same);  // already there: no duplicate
  EXPECT_EQ(acedSSMemb(a, ss), RTNORM);
  EXPECT_EQ(acedSSDel(b, ss), RTNORM);
  EXPECT_EQ(acedSSDel(b, ss), RTERROR);
  EXPECT_EQ(acedSSMemb(b, ss), RTERROR);
  ads_name ent;
  EXPECT_EQ(acedSSName(ss, 1, ent), RTERROR);
  EXPECT_EQ(acedSSName(ss, -1, ent), RTERROR);
  EXPECT_EQ(Members(ss), (std::vector<int>{0}));
  // A freed name stays dead, and an entity name is no set.
  EXPECT_EQ(acedSSLength(ss, &length), RTERROR);
  EXPECT_EQ(acedSSFree(ss), RTERROR);
  EXPECT_EQ(acedSSLength(a, &length), RTERROR);
  // At most 128 sets live at once.
  std::vector<std::array<int64_t, 2>> names(128);
  for (auto& name : names)
    ASSERT_EQ(acedSSAdd(a, nullptr, name.data()), RTNORM);
  EXPECT_EQ(acedSSAdd(a, nullptr, ss), RTERROR);
  EXPECT_EQ(acedSSGet(u"X", nullptr, nullptr, nullptr, ss), RTERROR);
  for (auto& name : names)
    ASSERT_EQ(acedSSFree(name.data()), RTNORM);
}

TEST_F(SelectionTest, FiltersOnTypeLayerAndColour) {
  auto select = [](resbuf* filter) {
    ads_name ss;
    int status = acedSSGet(u"X", nullptr, nullptr, filter, ss);
    acutRelRb(filter);
    return status == RTNORM ? Members(ss) : std::vector<int>{-status};
  };
  // Texts and multiline texts only.
  EXPECT_EQ(select(acutBuildList(-4, u"<OR", RTDXF0, u"MTEXT", RTDXF0, u"TEXT", -4, u"OR>", 0)),
            (std::vector<int>{2, 3}));
  // Wild-cards and comma lists, case ignored; X takes layers off and frozen too.
  EXPECT_EQ(select(acutBuildList(RTDXF0, u"*line,circle", 0)),
            (std::vector<int>{0, 1, 4, 5, 6, 7}));
  EXPECT_EQ(select(acutBuildList(8, u"~[0T]*", 0)), (std::vector<int>{1, 5, 6}));
  // Colours: an entity without a colour group is BYLAYER (256).
  EXPECT_EQ(select(acutBuildList(62, 256, RTDXF0, u"TEXT", 0)), (std::vector<int>{2}));
  EXPECT_EQ(select(acutBuildList(-4, u"<", 62, 5, 0)), (std::vector<int>{1, 3}));
  EXPECT_EQ(select(acutBuildList(-4, u"<NOT", -4, u"<XOR", 8, u"TEXT", RTDXF0, u"MTEXT", -4,
                                 u"XOR>", -4, u"NOT>", RTDXF0, u"*TEXT", 0)),
            (std::vector<int>{3}));
  EXPECT_EQ(select(acutBuildList(-4, u"&", 62, 2, 0)), (std::vector<int>{3}));
  EXPECT_EQ(select(acutBuildList(RTDXF0, u"ARC", 0)), (std::vector<int>{-RTERROR}));
  // Malformed filters fail whatever the drawing holds.
  for (resbuf* bad :
       {acutBuildList(-4, u"<OR", RTDXF0, u"TEXT", 0),
        acutBuildList(-4, u"<NOT", RTDXF0, u"TEXT", RTDXF0, u"LINE", -4, u"NOT>", 0),
        acutBuildList(-4, u"<AND", -4, u"OR>", 0), acutBuildList(-4, u"<OR", -4, u"OR>", 0),
        acutBuildList(-4, u"~=", 62, 1, 0), acutBuildList(-4, u"<", 0)}) {
    EXPECT_EQ(select(bad), (std::vector<int>{-RTERROR}));
  }
}

TEST_F(SelectionTest, ModesWithoutTheUser) {
  ads_name ss;
  ads_point a = {-1, -1, 0}, b = {31, 3, 0};
  ASSERT_EQ(acedSSGet(u"W", a, b, nullptr, ss), RTNORM);
  EXPECT_EQ(Members(ss), (std::vector<int>{0, 2}));
  ads_point c = {9, 4, 0};
  ASSERT_EQ(acedSSGet(u"_C", a, c, nullptr, ss), RTNORM);  // corners in any order
  EXPECT_EQ(Members(ss), (std::vector<int>{0}));
  ASSERT_EQ(acedSSGet(u"P", nullptr, nullptr, nullptr, ss), RTNORM);
  EXPECT_EQ(Members(ss), (std::vector<int>{0}));
  ASSERT_EQ(acedSSGet(u"L", nullptr, nullptr, nullptr, ss), RTNORM);
  EXPECT_EQ(Members(ss), (std::vector<int>{7}));
  ASSERT_EQ(acedSSGet(u"A", nullptr, nullptr, nullptr, ss), RTNORM);  // all that can be seen
  EXPECT_EQ(Members(ss), (std::vector<int>{0, 1, 2, 3, 4, 7}));
  ads_point on = {5, 5.5, 0};
  ASSERT_EQ(acedSSGet(nullptr, on, nullptr, nullptr, ss), RTNORM);  // the entity at a point
  EXPECT_EQ(Members(ss), (std::vector<int>{1}));
  // The pick-first set: "I", and a selection that asks for nothing in particular.
  EXPECT_EQ(acedSSGet(u"I", nullptr, nullptr, nullptr, ss), RTERROR);
  ads_name first;
  acedSSAdd(nullptr, nullptr, first);
  ads_name t = {kDrawingWord, 103};
  acedSSAdd(t, first, first);
  EXPECT_EQ(acedSSSetFirst(first, nullptr), RTNORM);
  acedSSFree(first);
  ASSERT_EQ(acedSSGet(u"I", nullptr, nullptr, nullptr, ss), RTNORM);
  EXPECT_EQ(Members(ss), (std::vector<int>{3}));
  ASSERT_EQ(acedSSGet(nullptr, nullptr, nullptr, nullptr, ss), RTNORM);
  EXPECT_EQ(Members(ss), (std::vector<int>{3}));
  resbuf* gripped = nullptr;
  resbuf* picked = nullptr;
  ASSERT_EQ(acedSSGetFirst(&gripped, &picked), RTNORM);
  EXPECT_EQ(gripped->restype, RTNIL);
  ASSERT_EQ(picked->restype, RTPICKS);
  EXPECT_EQ(Members(picked->resval.rlname), (std::vector<int>{3}));
  acutRelRb(gripped);
  acutRelRb(picked);
  EXPECT_EQ(out_, "");  // none of these asked anything
  // Bad modes, missing corners, and no drawing at all.
  EXPECT_EQ(acedSSGet(u"Q", nullptr, nullptr, nullptr, ss), RTERROR);
  EXPECT_EQ(acedSSGet(u"W", a, nullptr, nullptr, ss), RTERROR);
  zacad::SetSelectionViewFactory(nullptr);
  EXPECT_EQ(acedSSGet(u"X", nullptr, nullptr, nullptr, ss), RTERROR);
}

// Geometry is costly to compute over a large drawing: only picks and windows ask for it, once
// per entity they look at, and never of an entity hidden by its layer.
TEST_F(SelectionTest, GeometryOnlyForPicksAndWindows) {
  FakeView::geometryAsked = 0;
  ads_name ss;
  ASSERT_EQ(acedSSGet(u"X", nullptr, nullptr, nullptr, ss), RTNORM);
  acedSSFree(ss);
  ASSERT_EQ(acedSSGet(u"A", nullptr, nullptr, nullptr, ss), RTNORM);
  acedSSFree(ss);
  EXPECT_EQ(SelectFrom({u"ALL", u"#21", u""}), (std::vector<int>{0, 1, 2, 3, 4, 7}));
  EXPECT_EQ(FakeView::geometryAsked, 0);
  // Two windows and a pick in one dialogue: each shown entity is asked once.
  EXPECT_EQ(SelectFrom({u"W", u"-1,-1", u"31,3", u"C", u"-1,-1", u"9,4", u"5,5.5", u""}),
            (std::vector<int>{0, 2, 1}));
  EXPECT_EQ(FakeView::geometryAsked, 6);
}

TEST_F(SelectionTest, ScriptPicksWindowsAndOptions) {
  // Picks within the pick box (3 units), nearest first; the text is picked inside its box.
  EXPECT_EQ(SelectFrom({u"5,1 25,1 5,1.5", u""}), (std::vector<int>{0, 2}));
  EXPECT_NE(out_.find("Select objects: 5,1\n1 found\nSelect objects: 25,1\n1 found, 2 total\n"
                      "Select objects: 5,1.5\n1 found (1 duplicate), 2 total\nSelect objects: \n"),
            std::string::npos)
      << out_;
  // A window takes what lies inside; a crossing also what it touches. The diagonal that
  // passes the crossing's corner without touching it is not taken.
  EXPECT_EQ(SelectFrom({u"W -1,-1 31,3 C 45,-1 61,11", u""}), (std::vector<int>{0, 2, 4}));
  EXPECT_EQ(SelectFrom({u"_C 57,14 70,20", u""}), (std::vector<int>{7}));
  // Off and frozen layers cannot be reached, not even by ALL; L is the newest.
  EXPECT_EQ(SelectFrom({u"2,20 C -1,19 11,31", u""}, RTERROR), (std::vector<int>{}));
  EXPECT_EQ(SelectFrom({u"ALL R 5,0 A L", u""}), (std::vector<int>{1, 2, 3, 4, 7}));
  EXPECT_NE(
      out_.find("6 found\nSelect objects: R\nRemove objects: 5,0\n1 found, 1 removed, 5 total\n"
                "Remove objects: A\nSelect objects: L\n1 found (1 duplicate), 5 total\n"),
      std::string::npos)
      << out_;
  // P is the last completed selection; handles name entities directly; U takes back one step.
  EXPECT_EQ(SelectFrom({u"#23 #22 P U U #zz"}, RTCAN), (std::vector<int>{}));
  EXPECT_TRUE(line().inputFailed());  // "#zz" is no handle: the script stops
  EXPECT_NE(out_.find("Select objects: #zz\n*Invalid selection*\nExpects a point or Window/"),
            std::string::npos);
  line().clearFailure();
  EXPECT_EQ(SelectFrom({u"#23 #22 P U #FF 0,100", u""}), (std::vector<int>{3, 2}));
  EXPECT_NE(out_.find("Select objects: #FF\n0 found\nSelect objects: 0,100\n0 found\n"),
            std::string::npos);  // no implied window in scripts
}

TEST_F(SelectionTest, ImpliedWindowsAndWrongAnswersAtTheTerminal) {
  // Empty space starts a window: to the right a window, to the left a crossing.
  typed({u"-5,-5", u"11,6", u"xyz", u"?", u"31,3", u"5,2", u""});
  ads_name ss;
  ASSERT_EQ(acedSSGet(nullptr, nullptr, nullptr, nullptr, ss), RTNORM);
  EXPECT_EQ(Members(ss), (std::vector<int>{0, 1, 2}));
  EXPECT_NE(out_.find("Select objects: -5,-5\nSpecify opposite corner: 11,6\n2 found\n"
                      "Select objects: xyz\n*Invalid selection*\nExpects a point or "
                      "Window/Last/Crossing/BOX/ALL/Add/Remove/Previous/Undo/SIngle\n"
                      "Select objects: ?\nExpects a point"),
            std::string::npos)
      << out_;
  EXPECT_FALSE(line().inputFailed());
}

TEST_F(SelectionTest, EscapeAtEveryPromptChangesNothing) {
  ads_name ss;
  ads_point a = {-1, -1, 0}, b = {11, 1, 0};
  ASSERT_EQ(acedSSGet(u"W", a, b, nullptr, ss), RTNORM);  // the previous selection: {0}
  acedSSFree(ss);
  for (auto lines : std::vector<std::vector<std::u16string>>{{u"<Esc>"},
                                                             {u"ALL", u"<Esc>"},
                                                             {u"W", u"<Esc>"},
                                                             {u"C", u"1,1", u"<Esc>"},
                                                             {u"20,20", u"<Esc>"},
                                                             {u"R", u"<Esc>"}}) {
    typed(lines);
    ss[0] = 42;
    EXPECT_EQ(acedSSGet(u"_:$", nullptr, nullptr, nullptr, ss), RTCAN);
    EXPECT_TRUE(ads_name_nil(ss));
    line().popSource();
  }
  ASSERT_EQ(acedSSGet(u"P", nullptr, nullptr, nullptr, ss), RTNORM);
  EXPECT_EQ(Members(ss), (std::vector<int>{0}));
}

TEST_F(SelectionTest, OwnPromptsAndSingleSelection) {
  const ACHAR* prompts[] = {u"\nPick texts: ", u"\nDrop texts: "};
  resbuf* texts = acutBuildList(RTDXF0, u"*TEXT", 0);
  script({u"5,0 25,1 R 25,1 A 25,12", u""});
  ads_name ss;
  ASSERT_EQ(acedSSGet(u"_:$", prompts, nullptr, texts, ss), RTNORM);
  EXPECT_EQ(Members(ss), (std::vector<int>{3}));
  EXPECT_NE(out_.find("Pick texts: 5,0\n0 found\nPick texts: 25,1\n1 found\nPick texts: R\n"
                      "Drop texts: 25,1\n1 found, 1 removed, 0 total\nDrop texts: A\n"
                      "Pick texts: 25,12\n1 found\nPick texts: \n"),
            std::string::npos)
      << out_;
  line().popSource();
  // Empty prompts print nothing; a miss does not end a single selection, a find does.
  const ACHAR* silent[] = {u"", u""};
  out_.clear();
  script({u"100,100 C -1,-1 11,6 25,1"});
  ASSERT_EQ(acedSSGet(u"_:$:S", silent, nullptr, nullptr, ss), RTNORM);
  EXPECT_EQ(Members(ss), (std::vector<int>{0, 1}));
  EXPECT_EQ(out_,
            "100,100\n0 found\nC\nSpecify first corner: -1,-1\n"
            "Specify opposite corner: 11,6\n2 found\n");
  acutRelRb(texts);
}

// A selection's set and the drawing's previous selection start out with the same members: a
// change to the set, or its end, leaves the previous selection as it was, and the next selection
// leaves the set as it was.
TEST_F(SelectionTest, TheSetAndThePreviousSelectionChangeApart) {
  const std::vector<int> all = {0, 1, 2, 3, 4, 7};
  ads_name ss, previous;
  ASSERT_EQ(acedSSGet(u"A", nullptr, nullptr, nullptr, ss), RTNORM);
  ads_name first = {kDrawingWord, 100}, off = {kDrawingWord, 105};
  ASSERT_EQ(acedSSDel(first, ss), RTNORM);
  ASSERT_EQ(acedSSAdd(off, ss, ss), RTNORM);
  ASSERT_EQ(acedSSGet(u"P", nullptr, nullptr, nullptr, previous), RTNORM);
  EXPECT_EQ(Members(previous), all);
  ads_point a = {-1, -1, 0}, b = {11, 1, 0};
  ASSERT_EQ(acedSSGet(u"W", a, b, nullptr, previous), RTNORM);
  EXPECT_EQ(Members(previous), (std::vector<int>{0}));
  EXPECT_EQ(Members(ss), (std::vector<int>{1, 2, 3, 4, 7, 5}));

  // The same through the user's ALL, and a set freed at once.
  EXPECT_EQ(SelectFrom({u"ALL", u""}), all);
  ASSERT_EQ(acedSSGet(u"P", nullptr, nullptr, nullptr, ss), RTNORM);
  ASSERT_EQ(acedSSDel(first, ss), RTNORM);
  ASSERT_EQ(acedSSGet(u"P", nullptr, nullptr, nullptr, previous), RTNORM);
  EXPECT_EQ(Members(previous), all);
  EXPECT_EQ(Members(ss), (std::vector<int>{1, 2, 3, 4, 7}));
}

// What the commands below found in the pick-first set (-1: nothing).
long gPickedFirst = 0;

void LookAtPickFirst() {
  ads_name ss;
  gPickedFirst = -1;
  if (acedSSGet(u"I", nullptr, nullptr, nullptr, ss) == RTNORM) {
    acedSSLength(ss, &gPickedFirst);
    acedSSFree(ss);
  }
}

TEST_F(SelectionTest, PickFirstReachesOnlyCommandsThatAskForIt) {
  AcEdCommandStack* stack = acedRegCmds;
  ASSERT_EQ(
      stack->addCommand(u"SELTEST", u"USEPICK", u"USEPICK", ACRX_CMD_USEPICKSET, LookAtPickFirst),
      Acad::eOk);
  ASSERT_EQ(stack->addCommand(u"SELTEST", u"PLAIN", u"PLAIN", ACRX_CMD_MODAL, LookAtPickFirst),
            Acad::eOk);
  auto preselect = [] {
    ads_name ss, t = {kDrawingWord, 103}, u = {kDrawingWord, 102};
    acedSSAdd(t, nullptr, ss);
    acedSSAdd(u, ss, ss);
    acedSSSetFirst(ss, nullptr);
    acedSSFree(ss);
  };
  auto run = [&](const ACHAR* name) {
    zacad::RunRegisteredCommand(*stack->lookupGlobalCmd(name));
    return gPickedFirst;
  };
  preselect();
  EXPECT_EQ(run(u"USEPICK"), 2);
  EXPECT_EQ(run(u"USEPICK"), -1);  // the first command consumed it
  preselect();
  EXPECT_EQ(run(u"PLAIN"), -1);  // a command without USEPICKSET starts with nothing selected
  EXPECT_EQ(run(u"USEPICK"), -1);
  resbuf off = {};
  off.restype = RTSHORT;
  off.resval.rint = 0;
  ASSERT_EQ(acedSetVar(u"PICKFIRST", &off), RTNORM);
  preselect();
  EXPECT_EQ(run(u"USEPICK"), -1);
  off.resval.rint = 2;
  EXPECT_EQ(acedSetVar(u"PICKFIRST", &off), RTERROR);  // out of range
  off.resval.rint = 1;
  ASSERT_EQ(acedSetVar(u"PICKFIRST", &off), RTNORM);
  stack->removeGroup(u"SELTEST");
}

}  // namespace
