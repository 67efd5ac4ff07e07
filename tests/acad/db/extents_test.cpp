// Extents of the entity kinds that selection meets.
#include <gtest/gtest.h>

#include "dbents.h"
#include "dbsymtb.h"
#include "db_test_support.h"

using namespace dbtest;

namespace {

struct Box {
  double x0, y0, x1, y1;
};

std::vector<Box> boxes(AcDbDatabase* db) {
  std::vector<Box> out;
  AcDbBlockTable* table = nullptr;
  db->getBlockTable(table, AcDb::kForRead);
  AcDbBlockTableRecord* space = nullptr;
  table->getAt(ACDB_MODEL_SPACE, space, AcDb::kForRead);
  table->close();
  AcDbBlockTableRecordIterator* it = nullptr;
  space->newIterator(it);
  for (; !it->done(); it->step()) {
    AcDbEntity* entity = nullptr;
    it->getEntity(entity, AcDb::kForRead);
    AcDbExtents ext;
    if (entity->getGeomExtents(ext) == Acad::eOk)
      out.push_back({ext.minPoint().x, ext.minPoint().y, ext.maxPoint().x, ext.maxPoint().y});
    else
      out.push_back({0, 0, -1, -1});
    entity->close();
  }
  delete it;
  space->close();
  return out;
}

void expectBox(const Box& got, const Box& want, double tol = 1e-9) {
  EXPECT_NEAR(got.x0, want.x0, tol);
  EXPECT_NEAR(got.y0, want.y0, tol);
  EXPECT_NEAR(got.x1, want.x1, tol);
  EXPECT_NEAR(got.y1, want.y1, tol);
}

}  // namespace

TEST(Extents, GeometryOfEachKind) {
  TempDir tmp;
  const fs::path file = tmp.path() / "shapes.dxf";
  writeFile(file, smallDrawing(
                      "0|LINE|8|0|10|3|20|4|30|0|11|-1|21|2|31|0|"
                      "0|CIRCLE|8|0|10|5|20|5|30|0|40|2|"
                      // A quarter arc from 0 to 90 degrees.
                      "0|ARC|8|0|10|0|20|0|30|0|40|1|50|0|51|90|"
                      // An arc crossing 0 degrees: from 270 to 90 through the right side.
                      "0|ARC|8|0|10|0|20|0|30|0|40|1|50|270|51|90|"
                      // A half-circle bulge from (0,0) to (2,0), counter-clockwise: below.
                      "0|POLYLINE|8|0|66|1|10|0|20|0|30|0|70|0|"
                      "0|VERTEX|8|0|10|0|20|0|30|0|42|1|0|VERTEX|8|0|10|2|20|0|30|0|0|SEQEND|8|0|"
                      // Left-aligned text: 4 characters of height 2.
                      "0|TEXT|8|0|10|1|20|1|30|0|40|2|1|ABCD|"
                      // Centered text at (10, 0).
                      "0|TEXT|8|0|10|0|20|0|30|0|40|1|1|AB|72|1|11|10|21|0|31|0|"
                      "0|POINT|8|0|10|7|20|8|30|0|"
                      // Block B (a line from its base (1,1) to (3,2)) at (10,10), scale 2.
                      "0|INSERT|8|0|2|B|10|10|20|10|30|0|41|2|42|2|43|1"));
  OpenDrawing db(file);
  ASSERT_EQ(db.status(), Acad::eOk);
  const std::vector<Box> got = boxes(db.get());
  ASSERT_EQ(got.size(), 9u);
  expectBox(got[0], {-1, 2, 3, 4});
  expectBox(got[1], {3, 3, 7, 7});
  expectBox(got[2], {0, 0, 1, 1});
  expectBox(got[3], {0, -1, 1, 1});
  expectBox(got[4], {0, -1, 2, 0});
  expectBox(got[5], {1, 1, 1 + 4 * 2 * 0.7, 3});
  expectBox(got[6], {10 - 0.7, 0, 10 + 0.7, 1});
  expectBox(got[7], {7, 8, 7, 8});
  expectBox(got[8], {10, 10, 14, 12});
}
