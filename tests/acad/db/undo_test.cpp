// Undo: a group of changes taken back restores the drawing's bytes exactly; redo brings the
// changes back.
#include <gtest/gtest.h>

#include "acdbads.h"
#include "acutads.h"
#include "dbents.h"
#include "dbobjptr.h"
#include "dbsymtb.h"
#include "db_test_support.h"
#include "zacad/undo.h"

using namespace dbtest;

namespace {

std::string saved(AcDbDatabase* db, const fs::path& path) {
  EXPECT_EQ(db->dxfOut(u16(path.string()).c_str()), Acad::eOk);
  return readFile(path);
}

}  // namespace

TEST(Undo, EachGroupIsTakenBackToTheSameBytesAndRedone) {
  TempDir tmp;
  const fs::path source = dataDir() / "ac1015" / "ezdxf_r2000_cp1251.dxf";
  OpenDrawing db(source);
  ASSERT_EQ(db.status(), Acad::eOk);
  const fs::path out = tmp.path() / "out.dxf";
  const std::string original = saved(db.get(), out);

  const std::vector<AcDbObjectId> ids = modelSpace(db.get());
  ASSERT_GE(ids.size(), 2u);

  // First command: register the application and tag every entity.
  zacad::BeginUndoGroup(db.get());
  ASSERT_EQ(acdbRegApp(u"ZANT_LIST_TEMPLATE"), RTNORM);
  for (AcDbObjectId id : ids) {
    AcDbObjectPointer<AcDbEntity> entity(id, AcDb::kForWrite);
    if (entity.openStatus() != Acad::eOk)
      continue;
    resbuf* record = acutBuildList(1001, u"ZANT_LIST_TEMPLATE", 1000, u"LIST_BODY", 1040, 1.0, 0);
    EXPECT_EQ(entity->setXData(record), Acad::eOk);
    acutRelRb(record);
  }
  zacad::EndUndoGroup(db.get());
  const std::string tagged = saved(db.get(), out);
  ASSERT_NE(tagged, original);

  // Second command: retag one entity and erase another.
  zacad::BeginUndoGroup(db.get());
  {
    AcDbObjectPointer<AcDbEntity> entity(ids[0], AcDb::kForWrite);
    resbuf* record = acutBuildList(1001, u"ZANT_LIST_TEMPLATE", 1000, u"LIST_HEADER", 1040, 0.0, 0);
    EXPECT_EQ(entity->setXData(record), Acad::eOk);
    acutRelRb(record);
    AcDbObjectPointer<AcDbEntity> other(ids[1], AcDb::kForWrite);
    EXPECT_EQ(other->erase(), Acad::eOk);
  }
  zacad::EndUndoGroup(db.get());
  const std::string retagged = saved(db.get(), out);

  ASSERT_TRUE(zacad::UndoLastGroup(db.get()));
  EXPECT_FALSE(ids[1].isErased());
  EXPECT_EQ(saved(db.get(), out), tagged);
  ASSERT_TRUE(zacad::UndoLastGroup(db.get()));
  EXPECT_EQ(saved(db.get(), out), original) << "undo restores the drawing byte for byte";
  EXPECT_EQ(acdbTblSearch(u"APPID", u"ZANT_LIST_TEMPLATE", 0), nullptr);
  EXPECT_FALSE(zacad::UndoLastGroup(db.get()));

  ASSERT_TRUE(zacad::RedoLastGroup(db.get()));
  EXPECT_EQ(saved(db.get(), out), tagged);
  ASSERT_TRUE(zacad::RedoLastGroup(db.get()));
  EXPECT_EQ(saved(db.get(), out), retagged);
  EXPECT_FALSE(zacad::RedoLastGroup(db.get()));

  // After an undo, a new change ends what redo could bring back; registering again works.
  ASSERT_TRUE(zacad::UndoLastGroup(db.get()));
  ASSERT_TRUE(zacad::UndoLastGroup(db.get()));
  zacad::BeginUndoGroup(db.get());
  EXPECT_EQ(acdbRegApp(u"ZANT_LIST_TEMPLATE"), RTNORM);
  zacad::EndUndoGroup(db.get());
  EXPECT_FALSE(zacad::RedoLastGroup(db.get()));
  resbuf* found = acdbTblSearch(u"APPID", u"ZANT_LIST_TEMPLATE", 0);
  EXPECT_NE(found, nullptr);
  acutRelRb(found);
}

TEST(Undo, TakingBackAndRedoingOverAndOverKeepsEveryStateExact) {
  TempDir tmp;
  OpenDrawing db(dataDir() / "ac1015" / "ezdxf_r2000_cp1251.dxf");
  ASSERT_EQ(db.status(), Acad::eOk);
  const fs::path out = tmp.path() / "out.dxf";
  const std::string original = saved(db.get(), out);
  ASSERT_EQ(acdbRegApp(u"ZANT_LIST_TEMPLATE"), RTNORM);
  const std::string registered = saved(db.get(), out);

  // Tags every entity in one command, replacing any block of the application it has.
  auto tagAll = [&](const ACHAR* value) {
    zacad::BeginUndoGroup(db.get());
    ads_name ent;
    for (int found = acdbEntNext(nullptr, ent); found == RTNORM; found = acdbEntNext(ent, ent)) {
      AcDbObjectId id;
      EXPECT_EQ(acdbGetObjectId(id, ent), Acad::eOk);
      AcDbObjectPointer<AcDbEntity> entity(id, AcDb::kForWrite);
      if (entity.openStatus() != Acad::eOk)
        continue;
      resbuf* record = acutBuildList(1001, u"ZANT_LIST_TEMPLATE", 1000, value, 0);
      EXPECT_EQ(entity->setXData(record), Acad::eOk);
      acutRelRb(record);
    }
    zacad::EndUndoGroup(db.get());
    return saved(db.get(), out);
  };
  const std::string first = tagAll(u"LIST_BODY");
  const std::string second = tagAll(u"LIST_FOOTER");
  ASSERT_NE(first, registered);
  ASSERT_NE(second, first);

  for (int round = 0; round < 3; ++round) {
    SCOPED_TRACE(round);
    ASSERT_TRUE(zacad::UndoLastGroup(db.get()));
    EXPECT_EQ(saved(db.get(), out), first);
    ASSERT_TRUE(zacad::UndoLastGroup(db.get()));
    EXPECT_EQ(saved(db.get(), out), registered);
    ASSERT_TRUE(zacad::RedoLastGroup(db.get()));
    EXPECT_EQ(saved(db.get(), out), first);
    ASSERT_TRUE(zacad::RedoLastGroup(db.get()));
    EXPECT_EQ(saved(db.get(), out), second);
  }
  ASSERT_TRUE(zacad::UndoLastGroup(db.get()));
  ASSERT_TRUE(zacad::UndoLastGroup(db.get()));
  ASSERT_TRUE(zacad::UndoLastGroup(db.get()));
  EXPECT_EQ(saved(db.get(), out), original);
}
