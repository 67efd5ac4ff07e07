// Tags a drawing as the module's commands do, through the host API, for the ezdxf cross-check:
// every line, polyline, text, multiline text, arc, hatch and spline of model space gets the
// record (1000 "LIST_BODY") (1040 <n>), the first one also the sub-key
// (1000 "LIST_PATTERN_CONDITION"). Prints "HANDLE N" per tagged entity.
// Usage: acad_db_tag_drawing IN.dxf OUT.dxf
#include <cstdio>
#include <string>

#include "acdbads.h"
#include "acutads.h"
#include "dbapserv.h"
#include "dbents.h"
#include "dbobjptr.h"
#include "dbsymtb.h"

namespace {

bool taggable(const AcDbEntity* e) {
  for (AcRxClass* cls : {AcDbLine::desc(), AcDbPolyline::desc(), AcDb2dPolyline::desc(),
                         AcDb3dPolyline::desc(), AcDbText::desc(), AcDbMText::desc(),
                         AcDbArc::desc(), AcDbHatch::desc(), AcDbSpline::desc()}) {
    if (e->isKindOf(cls))
      return true;
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fputs("usage: acad_db_tag_drawing IN.dxf OUT.dxf\n", stderr);
    return 2;
  }
  auto u16 = [](const std::string& s) { return std::u16string(s.begin(), s.end()); };
  AcDbDatabase db(false, true);
  if (db.readDxfFile(u16(argv[1]).c_str()) != Acad::eOk) {
    std::fprintf(stderr, "cannot read %s\n", argv[1]);
    return 1;
  }
  acdbHostApplicationServices()->setWorkingDatabase(&db);
  if (acdbRegApp(u"ZANT_LIST_TEMPLATE") != RTNORM) {
    std::fprintf(stderr, "cannot register the application in %s\n", argv[1]);
    return 1;
  }
  AcDbBlockTable* table = nullptr;
  db.getBlockTable(table, AcDb::kForRead);
  AcDbBlockTableRecord* space = nullptr;
  table->getAt(ACDB_MODEL_SPACE, space, AcDb::kForRead);
  table->close();
  AcDbBlockTableRecordIterator* it = nullptr;
  space->newIterator(it);
  int n = 0;
  for (; !it->done(); it->step()) {
    AcDbObjectId id;
    it->getEntityId(id);
    AcDbObjectPointer<AcDbEntity> entity(id, AcDb::kForWrite);
    if (entity.openStatus() != Acad::eOk || !taggable(entity.object()))
      continue;
    resbuf* record =
        n == 0 ? acutBuildList(1001, u"ZANT_LIST_TEMPLATE", 1000, u"LIST_BODY", 1000,
                               u"LIST_PATTERN_CONDITION", 1040, double(n), 0)
               : acutBuildList(1001, u"ZANT_LIST_TEMPLATE", 1000, u"LIST_BODY", 1040, double(n), 0);
    if (entity->setXData(record) == Acad::eOk) {
      ACHAR hex[20];
      id.handle().getIntoAsciiBuffer(hex, 20);
      std::string text(hex, hex + std::char_traits<char16_t>::length(hex));
      std::printf("%s %d\n", text.c_str(), n++);
    }
    acutRelRb(record);
  }
  delete it;
  space->close();
  const Acad::ErrorStatus es = db.dxfOut(u16(argv[2]).c_str());
  acdbHostApplicationServices()->setWorkingDatabase(nullptr);
  if (es != Acad::eOk) {
    std::fprintf(stderr, "cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
