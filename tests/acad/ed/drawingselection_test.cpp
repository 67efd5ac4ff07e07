// Selection over a real drawing (tests/data/selection/selection.dxf, see its README): the
// database's entities, layer states, extents and line geometry, named back by handle.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "acdbads.h"
#include "acedads.h"
#include "acutads.h"
#include "dbapserv.h"
#include "dbhandle.h"
#include "dbmain.h"
#include "zacad/commandline.h"
#include "zwin32/utf.h"

namespace {

class DrawingSelectionTest : public ::testing::Test {
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

  // The handles of a set's members in order ("RTERROR" / "RTCAN" for no set); frees the set.
  static std::string Handles(int status, ads_name ss) {
    if (status != RTNORM)
      return status == RTCAN ? "RTCAN" : "RTERROR";
    std::string handles;
    long length = 0;
    acedSSLength(ss, &length);
    for (long i = 0; i < length; ++i) {
      ads_name ent;
      AcDbObjectId id;
      EXPECT_EQ(acedSSName(ss, i, ent), RTNORM);
      EXPECT_EQ(acdbGetObjectId(id, ent), Acad::eOk);
      ACHAR hex[20];
      id.handle().getIntoAsciiBuffer(hex, 20);
      handles += (handles.empty() ? "" : " ") + zwin32::ToUtf8(hex);
    }
    acedSSFree(ss);
    return handles;
  }
  std::string Get(const ACHAR* mode, const void* pt1 = nullptr, const void* pt2 = nullptr,
                  const resbuf* filter = nullptr) {
    ads_name ss;
    int status = acedSSGet(mode, pt1, pt2, filter, ss);
    return Handles(status, ss);
  }
  std::string User(std::vector<std::u16string> lines) {
    line().pushSource(zacad::MakeStringSource(std::move(lines)));
    std::string result = Get(nullptr);
    line().popSource();
    return result;
  }

  AcDbDatabase db_{false, true};
  std::string out_;
};

TEST_F(DrawingSelectionTest, ModesAndFiltersOnTheDrawing) {
  EXPECT_EQ(Get(u"X"), "34 35 36 37 38 39 3A 3B 3C");  // layers off and frozen included
  EXPECT_EQ(Get(u"A"), "34 35 36 37 38 3B 3C");        // what can be seen
  EXPECT_EQ(Get(u"L"), "3C");
  resbuf* texts = acutBuildList(-4, u"<OR", RTDXF0, u"MTEXT", RTDXF0, u"TEXT", -4, u"OR>", 0);
  EXPECT_EQ(Get(u"X", nullptr, nullptr, texts), "36 37");
  acutRelRb(texts);
  resbuf* layers = acutBuildList(8, u"walls,LOCK*", -4, u"<NOT", 62, 1, -4, u"NOT>", 0);
  EXPECT_EQ(Get(u"X", nullptr, nullptr, layers), "3C");
  acutRelRb(layers);
  ads_point a = {-1, -1, 0}, b = {31, 3, 0};
  EXPECT_EQ(Get(u"W", a, b), "34 36");
  // The diagonal 3B passes the crossing's corner (61,11) without touching it.
  ads_point c = {45, -1, 0}, d = {61, 11, 0};
  EXPECT_EQ(Get(u"C", c, d), "38");
  EXPECT_EQ(Get(u"P"), "38");
}

TEST_F(DrawingSelectionTest, WhatAUserReaches) {
  // Locked layers can be selected; off and frozen ones cannot be reached by picks or windows.
  EXPECT_EQ(User({u"5,0.5 #3C 2,22 #3A C -1,19 11,31 #37", u""}), "34 3C 37");
  EXPECT_NE(out_.find("Select objects: 2,22\n0 found\nSelect objects: #3A\n0 found\n"),
            std::string::npos)
      << out_;
  EXPECT_EQ(User({u"ALL R 50,5", u""}), "34 35 36 37 3B 3C");
  EXPECT_EQ(User({u"P R #35", u""}), "34 36 37 3B 3C");
  EXPECT_EQ(User({u""}), "RTERROR");  // nothing selected
  EXPECT_EQ(User({u"W -1,-1 100,100 ^C"}), "RTCAN");
  EXPECT_EQ(Get(u"P"), "34 36 37 3B 3C");  // the cancelled selection left no trace
}

// With every layer on and thawed, selection reads no entity's layer: ALL then takes every
// entity, and erased ones are still left out everywhere.
TEST_F(DrawingSelectionTest, EveryLayerShownAndErasedEntities) {
  std::ifstream in(SELECTION_DXF);
  std::stringstream text;
  text << in.rdbuf();
  std::string drawing = text.str();
  for (auto [from, to] : {std::pair<std::string, std::string>{"Hidden\n 70\n0\n 62\n-7\n",
                                                              "Hidden\n 70\n0\n 62\n7\n"},
                          {"Ice\n 70\n1\n", "Ice\n 70\n0\n"}}) {
    const size_t at = drawing.find(from);
    ASSERT_NE(at, std::string::npos) << from;
    drawing.replace(at, from.size(), to);
  }
  const auto path =
      std::filesystem::temp_directory_path() / ("zant_shown_" + std::to_string(getpid()) + ".dxf");
  std::ofstream(path) << drawing;
  AcDbDatabase shown(false, true);
  ASSERT_EQ(shown.readDxfFile(zwin32::FromUtf8(path.string()).c_str()), Acad::eOk);
  std::filesystem::remove(path);
  acdbHostApplicationServices()->setWorkingDatabase(&shown);
  EXPECT_EQ(Get(u"A"), "34 35 36 37 38 39 3A 3B 3C");
  EXPECT_EQ(User({u"#3A 2,22", u""}), "3A 39");

  AcDbObjectId id;
  ASSERT_EQ(shown.getAcDbObjectId(id, false, AcDbHandle(0x35)), Acad::eOk);
  AcDbObject* line = nullptr;
  ASSERT_EQ(acdbOpenObject(line, id, AcDb::kForWrite), Acad::eOk);
  ASSERT_EQ(line->erase(), Acad::eOk);
  line->close();
  EXPECT_EQ(Get(u"A"), "34 36 37 38 39 3A 3B 3C");
  EXPECT_EQ(Get(u"X"), "34 36 37 38 39 3A 3B 3C");
  EXPECT_EQ(User({u"#35 #36", u""}), "36");
  EXPECT_NE(out_.find("Select objects: #35\n0 found\n"), std::string::npos) << out_;
  acdbHostApplicationServices()->setWorkingDatabase(&db_);
}

}  // namespace
