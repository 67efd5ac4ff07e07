// The inspector reads a database that a host session holds in memory: an entity that was tagged
// and then erased is still seen, and flagged, and reading changes nothing in the drawing.
#include <gtest/gtest.h>

#include <algorithm>

#include "acdbads.h"
#include "acutads.h"
#include "adscodes.h"
#include "dbapserv.h"
#include "dbmain.h"
#include "drawing_reader.h"
#include "reports.h"
#include "template_view.h"

namespace {

AcDbObjectId IdOf(AcDbDatabase& db, const char16_t* handle) {
  AcDbObjectId id;
  EXPECT_EQ(db.getAcDbObjectId(id, false, AcDbHandle(handle)), Acad::eOk);
  return id;
}

void Tag(AcDbDatabase& db, const char16_t* handle, bool erase) {
  AcDbEntity* entity = nullptr;
  ASSERT_EQ(acdbOpenAcDbEntity(entity, IdOf(db, handle), AcDb::kForWrite), Acad::eOk);
  resbuf* record = acutBuildList(1001, u"ZANT_LIST_TEMPLATE", 1000, u"LIST_HEADER", 1040, 0.0, 0);
  EXPECT_EQ(entity->setXData(record), Acad::eOk);
  acutRelRb(record);
  if (erase) {
    EXPECT_EQ(entity->erase(), Acad::eOk);
  }
  entity->close();
}

}  // namespace

TEST(SessionDatabase, TaggedThenErasedEntityIsFlaggedAndNotDrawn) {
  AcDbDatabase db(false, true);
  ASSERT_EQ(db.readDxfFile(u"" EXAMPLE_DRAWING), Acad::eOk);
  acdbHostApplicationServices()->setWorkingDatabase(&db);
  ASSERT_EQ(acdbRegApp(u"ZANT_LIST_TEMPLATE"), RTNORM);
  Tag(db, u"39", false);
  Tag(db, u"3A", true);
  acdbHostApplicationServices()->setWorkingDatabase(nullptr);
  ASSERT_TRUE(db.isModified());
  ASSERT_TRUE(IdOf(db, u"3A").isErased());

  const zinspect::Drawing drawing = zinspect::ReadDatabase(db, "session");
  const zinspect::TemplateView view = zinspect::ViewTemplate(drawing);
  ASSERT_TRUE(view.hasTemplate);
  const auto& header = view.section("header").members;
  ASSERT_EQ(header.size(), 2u);
  EXPECT_EQ(header[0].entity->handle, "39");
  EXPECT_FALSE(header[0].entity->erased);
  EXPECT_EQ(header[1].entity->handle, "3A");
  EXPECT_TRUE(header[1].entity->erased);

  const auto erasedWarning =
      std::find_if(view.warnings.begin(), view.warnings.end(), [](const zinspect::Warning& w) {
        return w.handle == "3A" && w.message.find("erased") != std::string::npos;
      });
  EXPECT_NE(erasedWarning, view.warnings.end());
  EXPECT_EQ(std::count_if(view.warnings.begin(), view.warnings.end(),
                          [](const zinspect::Warning& w) { return w.handle == "39"; }),
            0);

  // The picture leaves the erased text out and draws the other one.
  const std::string svg = zinspect::SvgPicture(drawing, view);
  EXPECT_NE(svg.find(">Repère</text>"), std::string::npos);
  EXPECT_EQ(svg.find(">Nombre</text>"), std::string::npos);
  // Reading left the session's drawing as it was: the working database too.
  EXPECT_EQ(acdbHostApplicationServices()->workingDatabase(), nullptr);
  EXPECT_TRUE(IdOf(db, u"3A").isErased());
}
