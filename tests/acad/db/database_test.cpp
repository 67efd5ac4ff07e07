// Reading real drawings through the database: nothing lost on save, entities open as their
// classes, ids, handles and entity names agree, and every refusal of an opening has the host's
// status.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>

#include "acdbads.h"
#include "acutads.h"
#include "dbents.h"
#include "dbobjptr.h"
#include "dbsymtb.h"
#include "db_test_support.h"

using namespace dbtest;

namespace {

// The class a DXF type must open as.
const std::map<std::string, AcRxClass*>& expectedClasses() {
  static const std::map<std::string, AcRxClass*> classes{
      {"LINE", AcDbLine::desc()},
      {"ARC", AcDbArc::desc()},
      {"CIRCLE", AcDbCircle::desc()},
      {"LWPOLYLINE", AcDbPolyline::desc()},
      {"SPLINE", AcDbSpline::desc()},
      {"TEXT", AcDbText::desc()},
      {"MTEXT", AcDbMText::desc()},
      {"HATCH", AcDbHatch::desc()},
      {"INSERT", AcDbBlockReference::desc()},
      {"POINT", AcDbPoint::desc()},
      {"ATTDEF", AcDbAttributeDefinition::desc()}};
  return classes;
}

}  // namespace

TEST(Database, RealDrawingsSaveUnchangedAndOpenAsTheirClasses) {
  TempDir tmp;
  ASSERT_FALSE(realDrawings().empty());
  for (const fs::path& file : realDrawings()) {
    SCOPED_TRACE(file.string());
    OpenDrawing db(file);
    ASSERT_EQ(db.status(), Acad::eOk);
    const fs::path out = tmp.path() / file.filename();
    ASSERT_EQ(db->dxfOut(u16(out.string()).c_str()), Acad::eOk);
    EXPECT_EQ(readFile(out), readFile(file)) << "a drawing nobody changed must save byte for byte";

    int walked = 0;
    for (AcDbObjectId id : modelSpace(db.get())) {
      AcDbEntity* entity = nullptr;
      ASSERT_EQ(acdbOpenAcDbEntity(entity, id, AcDb::kForRead), Acad::eOk);
      ads_name name;
      ASSERT_EQ(acdbGetAdsName(name, id), Acad::eOk);
      resbuf* list = acdbEntGet(name);
      ASSERT_NE(list, nullptr);
      ASSERT_EQ(list->restype, -1);
      ASSERT_EQ(list->rbnext->restype, 0);
      const std::u16string type = list->rbnext->resval.rstring;
      acutRelRb(list);
      auto expected = expectedClasses().find(std::string(type.begin(), type.end()));
      if (expected != expectedClasses().end()) {
        EXPECT_EQ(entity->isA(), expected->second) << std::string(type.begin(), type.end());
      }
      AcDbObjectId back;
      ASSERT_EQ(acdbGetObjectId(back, name), Acad::eOk);
      EXPECT_EQ(back, id);
      if (!id.handle().isNull()) {
        AcDbObjectId byHandle;
        ASSERT_EQ(db->getAcDbObjectId(byHandle, false, id.handle()), Acad::eOk);
        EXPECT_EQ(byHandle, id);
      }
      EXPECT_EQ(id.database(), db.get());
      entity->close();
      ++walked;
    }
    // acdbEntNext visits every main entity of model and paper space in drawing order.
    ads_name at = {0, 0};
    ads_name next;
    int main = 0;
    while (acdbEntNext(at, next) == RTNORM) {
      AcDbObjectId id;
      acdbGetObjectId(id, next);
      AcDbEntity* entity = nullptr;
      ASSERT_EQ(acdbOpenAcDbEntity(entity, id, AcDb::kForRead), Acad::eOk);
      main += !entity->isKindOf(AcDbVertex::desc()) && !entity->isKindOf(AcDbSequenceEnd::desc()) &&
              !entity->isKindOf(AcDbAttribute::desc());
      entity->close();
      ads_name_set(next, at);
    }
    EXPECT_GE(main, walked);
    if (walked > 0) {
      ads_name last;
      EXPECT_EQ(acdbEntLast(last), RTNORM);
    }
  }
}

TEST(Database, OpeningRefusalsCarryTheHostsStatuses) {
  TempDir tmp;
  const fs::path file = tmp.path() / "small.dxf";
  writeFile(file, smallDrawing("0|LINE|8|LOCKED|10|0|20|0|30|0|11|1|21|1|31|0|"
                               "0|TEXT|8|0|10|0|20|0|30|0|40|2|1|Hello|"
                               "0|CIRCLE|8|0|10|5|20|5|30|0|40|1"));
  OpenDrawing db(file);
  ASSERT_EQ(db.status(), Acad::eOk);
  const std::vector<AcDbObjectId> ids = modelSpace(db.get());
  ASSERT_EQ(ids.size(), 3u);
  const AcDbObjectId onLocked = ids[0], text = ids[1], circle = ids[2];

  AcDbEntity* entity = nullptr;
  EXPECT_EQ(acdbOpenAcDbEntity(entity, AcDbObjectId(), AcDb::kForRead), Acad::eNullObjectId);
  EXPECT_EQ(acdbOpenAcDbEntity(entity, onLocked, AcDb::kForWrite), Acad::eOnLockedLayer);
  ASSERT_EQ(acdbOpenAcDbEntity(entity, onLocked, AcDb::kForRead), Acad::eOk);
  EXPECT_EQ(entity->upgradeOpen(), Acad::eOnLockedLayer);
  entity->close();

  // A writer excludes every other opening; readers exclude a writer.
  ASSERT_EQ(acdbOpenAcDbEntity(entity, text, AcDb::kForWrite), Acad::eOk);
  AcDbEntity* second = nullptr;
  EXPECT_EQ(acdbOpenAcDbEntity(second, text, AcDb::kForWrite), Acad::eWasOpenForWrite);
  EXPECT_EQ(acdbOpenAcDbEntity(second, text, AcDb::kForRead), Acad::eWasOpenForWrite);
  entity->close();
  ASSERT_EQ(acdbOpenAcDbEntity(entity, text, AcDb::kForRead), Acad::eOk);
  EXPECT_EQ(acdbOpenAcDbEntity(second, text, AcDb::kForWrite), Acad::eWasOpenForRead);
  // A reader cannot write: the host would stop on its assertion.
  EXPECT_THROW(entity->assertWriteEnabled(true, true), std::logic_error);
  entity->close();

  {
    AcDbObjectPointer<AcDbLine> line(circle, AcDb::kForRead);
    EXPECT_EQ(line.openStatus(), Acad::eNotThatKindOfClass);
    AcDbObjectPointer<AcDbCurve> curve(circle, AcDb::kForWrite);
    ASSERT_EQ(curve.openStatus(), Acad::eOk);
    EXPECT_EQ(curve->erase(), Acad::eOk);
  }
  EXPECT_TRUE(circle.isErased());
  EXPECT_EQ(acdbOpenAcDbEntity(entity, circle, AcDb::kForRead), Acad::eWasErased);
  ASSERT_EQ(acdbOpenAcDbEntity(entity, circle, AcDb::kForRead, true), Acad::eOk);
  entity->close();
  ads_name name;
  acdbGetAdsName(name, circle);
  EXPECT_EQ(acdbEntGet(name), nullptr);
  EXPECT_EQ(modelSpace(db.get()).size(), 2u);

  // The erased circle leaves the file; everything else keeps its bytes.
  const fs::path out = tmp.path() / "out.dxf";
  ASSERT_EQ(db->dxfOut(u16(out.string()).c_str()), Acad::eOk);
  std::string expected = readFile(file);
  const std::string circleText = dxf("0|CIRCLE|8|0|10|5|20|5|30|0|40|1");
  const size_t at = expected.find(circleText);
  ASSERT_NE(at, std::string::npos);
  expected.erase(at, circleText.size());
  EXPECT_EQ(readFile(out), expected);
}

TEST(Database, LayersAndTablesAnswerAsTheHostsTables) {
  TempDir tmp;
  const fs::path file = tmp.path() / "small.dxf";
  writeFile(file, smallDrawing("0|LINE|8|FROZEN|10|0|20|0|30|0|11|1|21|1|31|0"));
  OpenDrawing db(file);
  ASSERT_EQ(db.status(), Acad::eOk);
  AcDbLayerTable* layers = nullptr;
  ASSERT_EQ(db->getLayerTable(layers, AcDb::kForRead), Acad::eOk);
  struct Expect {
    const ACHAR* name;
    bool frozen, off, locked;
  };
  for (const Expect& e :
       {Expect{u"0", false, false, false}, Expect{u"locked", false, false, true},
        Expect{u"FROZEN", true, false, false}, Expect{u"Off", false, true, false}}) {
    AcDbSymbolTableRecord* record = nullptr;
    ASSERT_EQ(layers->getAt(e.name, record, AcDb::kForRead), Acad::eOk);
    auto* layer = AcDbLayerTableRecord::cast(record);
    ASSERT_NE(layer, nullptr);
    EXPECT_EQ(layer->isFrozen(), e.frozen);
    EXPECT_EQ(layer->isOff(), e.off);
    EXPECT_EQ(layer->isLocked(), e.locked);
    layer->close();
  }
  AcDbObjectId missing;
  EXPECT_EQ(layers->getAt(u"NOPE", missing), Acad::eKeyNotFound);
  layers->close();

  // The entity's layer, colour and owner.
  const std::vector<AcDbObjectId> ids = modelSpace(db.get());
  ASSERT_EQ(ids.size(), 1u);
  AcDbEntity* line = nullptr;
  ASSERT_EQ(acdbOpenAcDbEntity(line, ids[0], AcDb::kForRead), Acad::eOk);
  ACHAR* layer = line->layer();
  EXPECT_EQ(std::u16string(layer), u"FROZEN");
  std::free(layer);
  EXPECT_EQ(line->colorIndex(), 256);
  EXPECT_EQ(line->blockId(), db->currentSpaceId());
  line->close();

  // acdbTblSearch finds APPID records whatever the case; acdbRegApp adds once.
  resbuf* found = acdbTblSearch(u"APPID", u"other", 0);
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(found->restype, 0);
  EXPECT_EQ(std::u16string(found->resval.rstring), u"APPID");
  acutRelRb(found);
  EXPECT_EQ(acdbTblSearch(u"APPID", u"ZANT_LIST_TEMPLATE", 0), nullptr);
  EXPECT_EQ(acdbRegApp(u"ZANT_LIST_TEMPLATE"), RTNORM);
  EXPECT_EQ(acdbRegApp(u"zant_list_template"), RTERROR);
  EXPECT_EQ(acdbRegApp(u"BAD NAME"), RTERROR);
  found = acdbTblSearch(u"APPID", u"ZANT_LIST_TEMPLATE", 0);
  ASSERT_NE(found, nullptr);
  acutRelRb(found);
}

TEST(Database, BadDrawingsAreRefusedWithTheirPlaceAndLeaveTheDatabaseAsItWas) {
  TempDir tmp;
  const fs::path good = tmp.path() / "good.dxf";
  writeFile(good, smallDrawing("0|POINT|8|0|10|1|20|2|30|0"));
  const fs::path bad = tmp.path() / "bad.dxf";
  writeFile(bad, dxf("0|SECTION|2|ENTITIES|0|LINE|10|notanumber"));
  OpenDrawing db(good);
  ASSERT_EQ(db.status(), Acad::eOk);
  EXPECT_NE(db->readDxfFile(u16(bad.string()).c_str()), Acad::eOk);
  const std::u16string error = db->lastError();
  EXPECT_NE(error.find(u"bad.dxf"), std::u16string::npos);
  EXPECT_EQ(db->readDxfFile(u16((tmp.path() / "missing.dxf").string()).c_str()),
            Acad::eInvalidInput);
  EXPECT_EQ(modelSpace(db.get()).size(), 1u) << "a failed read keeps the drawing that was open";

  // A save into a folder that is gone fails and says why.
  EXPECT_NE(db->dxfOut(u16((tmp.path() / "gone" / "x.dxf").string()).c_str()), Acad::eOk);
  EXPECT_NE(std::u16string(db->lastError()), u"");
}
