// Database reactors: an attached reactor hears of every object appended, modified, erased and
// unerased, through real opens and closes of a real drawing, and again when undo and redo
// change the objects back.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "acdbads.h"
#include "acutads.h"
#include "db_test_support.h"
#include "dbobjptr.h"
#include "zacad/undo.h"
#include "zwin32/utf.h"

using namespace dbtest;

namespace {

std::string HandleOf(const AcDbObject* object) {
  ACHAR text[20] = {};
  object->objectId().handle().getIntoAsciiBuffer(text, 20);
  return zwin32::ToUtf8(text);
}

// Writes each notification as "what handle", and for a modified object the first group of
// its "ZANT_TEST" data as the reactor reads it from the object handed over.
class Recorder : public AcDbDatabaseReactor {
 public:
  std::vector<std::string> heard;
  const AcDbDatabase* gone = nullptr;

  void objectAppended(const AcDbDatabase*, const AcDbObject* object) override {
    heard.push_back("appended " + HandleOf(object));
  }
  void objectModified(const AcDbDatabase*, const AcDbObject* object) override {
    std::string seen;
    if (resbuf* data = object->xData(u"ZANT_TEST")) {
      if (data->rbnext != nullptr && data->rbnext->restype == 1000)
        seen = " " + zwin32::ToUtf8(data->rbnext->resval.rstring);
      acutRelRb(data);
    }
    heard.push_back("modified " + HandleOf(object) + seen);
  }
  void objectErased(const AcDbDatabase*, const AcDbObject* object, bool erased) override {
    heard.push_back((erased ? "erased " : "unerased ") + HandleOf(object));
  }
  void goodbye(const AcDbDatabase* db) override { gone = db; }

  // What was heard since the last call about these handles (undo also tells of the header, the
  // tables and the APPID records it restores).
  std::vector<std::string> take(const std::vector<std::string>& about) {
    std::vector<std::string> kept;
    for (const std::string& line : heard) {
      const size_t start = line.find(' ') + 1;
      const std::string handle = line.substr(start, line.find(' ', start) - start);
      if (std::find(about.begin(), about.end(), handle) != about.end())
        kept.push_back(line);
    }
    heard.clear();
    return kept;
  }
};

void Tag(AcDbObjectId id, const char16_t* value) {
  AcDbObjectPointer<AcDbEntity> entity(id, AcDb::kForWrite);
  ASSERT_EQ(entity.openStatus(), Acad::eOk);
  resbuf* data = acutBuildList(1001, u"ZANT_TEST", 1000, value, 0);
  EXPECT_EQ(entity->setXData(data), Acad::eOk);
  acutRelRb(data);
}

}  // namespace

TEST(DatabaseReactor, HearsAppendsChangesErasesUndoAndRedo) {
  const fs::path source = dataDir() / "ac1015" / "ezdxf_r2000_cp1251.dxf";
  auto opened = std::make_unique<OpenDrawing>(source);
  AcDbDatabase* db = opened->get();
  ASSERT_EQ(opened->status(), Acad::eOk);
  const std::vector<AcDbObjectId> ids = modelSpace(db);
  ASSERT_GE(ids.size(), 3u);
  AcDbObjectPointer<AcDbEntity> probe(ids[0], AcDb::kForRead);
  const std::string first = HandleOf(probe.object());
  probe.close();
  AcDbObjectPointer<AcDbEntity> probe2(ids[1], AcDb::kForRead);
  const std::string second = HandleOf(probe2.object());
  probe2.close();

  Recorder recorder;
  db->addReactor(&recorder);
  db->addReactor(&recorder);  // one attachment

  // One command: the application registered (its APPID record appended), an entity tagged,
  // another erased.
  zacad::BeginUndoGroup(db);
  ASSERT_EQ(acdbRegApp(u"ZANT_TEST"), RTNORM);
  ASSERT_EQ(recorder.heard.size(), 1u);
  EXPECT_TRUE(recorder.heard[0].starts_with("appended "));
  AcDbObjectId appId;
  {
    AcDbRegAppTable* table = nullptr;
    ASSERT_EQ(db->getRegAppTable(table, AcDb::kForRead), Acad::eOk);
    EXPECT_EQ(table->getAt(u"ZANT_TEST", appId), Acad::eOk);
    table->close();
  }
  recorder.heard.clear();
  Tag(ids[0], u"first");
  {
    AcDbObjectPointer<AcDbEntity> other(ids[1], AcDb::kForWrite);
    ASSERT_EQ(other->erase(), Acad::eOk);
  }
  // Opened for write and closed without a change, or only read: nothing to hear.
  { AcDbObjectPointer<AcDbEntity> untouched(ids[2], AcDb::kForWrite); }
  { AcDbObjectPointer<AcDbEntity> read(ids[0], AcDb::kForRead); }
  zacad::EndUndoGroup(db);
  // The reactor reads the new data from the object it is handed.
  EXPECT_EQ(recorder.heard,
            (std::vector<std::string>{"modified " + first + " first", "erased " + second}));
  recorder.heard.clear();

  // A change made at downgradeOpen is heard then.
  {
    AcDbEntity* entity = nullptr;
    ASSERT_EQ(acdbOpenAcDbEntity(entity, ids[0], AcDb::kForWrite), Acad::eOk);
    resbuf* data = acutBuildList(1001, u"ZANT_TEST", 1000, u"again", 0);
    EXPECT_EQ(entity->setXData(data), Acad::eOk);
    acutRelRb(data);
    ASSERT_EQ(entity->downgradeOpen(), Acad::eOk);
    EXPECT_EQ(recorder.heard, (std::vector<std::string>{"modified " + first + " again"}));
    entity->close();
  }
  recorder.heard.clear();

  // Undo takes back the retagging, then the first command: the entity's data as it was, the
  // erased entity back, the APPID record erased.
  ASSERT_TRUE(zacad::UndoLastGroup(db));
  EXPECT_EQ(recorder.take({first, second}),
            (std::vector<std::string>{"modified " + first + " first"}));
  ASSERT_TRUE(zacad::UndoLastGroup(db));
  AcDbObjectPointer<AcDbObject> app(appId, AcDb::kForRead, true);
  const std::string appHandle = HandleOf(app.object());
  app.close();
  EXPECT_EQ(
      recorder.take({first, second, appHandle}),
      (std::vector<std::string>{"unerased " + second, "modified " + first, "erased " + appHandle}));
  // Redo brings them back.
  ASSERT_TRUE(zacad::RedoLastGroup(db));
  EXPECT_EQ(recorder.take({first, second, appHandle}),
            (std::vector<std::string>{"unerased " + appHandle, "modified " + first + " first",
                                      "erased " + second}));

  // A removed reactor hears nothing more; an attached one hears the database's end.
  Recorder last;
  db->addReactor(&last);
  db->removeReactor(&recorder);
  Tag(ids[2], u"third");
  EXPECT_TRUE(recorder.heard.empty());
  EXPECT_EQ(last.heard.size(), 1u);
  opened.reset();
  EXPECT_EQ(last.gone, db);
  EXPECT_EQ(recorder.gone, nullptr);
}
