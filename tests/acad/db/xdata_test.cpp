// Extended data and texts written through the host API into real drawings: the record lands
// as the host writes it, other applications' data and untouched objects keep their bytes, and
// every refusal has the host's status.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "acdbads.h"
#include "acutads.h"
#include "dbents.h"
#include "dbobjptr.h"
#include "dbsymtb.h"
#include "db_test_support.h"
#include "zacad/undo.h"
#include "zdxf/document.h"

using namespace dbtest;

namespace {

constexpr const ACHAR* kApp = u"ZANT_LIST_TEMPLATE";

// What the module's tagging does to one entity: clear its record, then append key, sub-key
// and value one group at a time.
Acad::ErrorStatus tag(AcDbObjectId id, const ACHAR* key, double value) {
  AcDbObjectPointer<AcDbEntity> entity(id, AcDb::kForWrite);
  if (entity.openStatus() != Acad::eOk)
    return entity.openStatus();
  resbuf* clear = acutBuildList(1001, kApp, 0);
  entity->setXData(clear);
  acutRelRb(clear);
  entity->assertWriteEnabled(true, true);
  resbuf* list = entity->xData(kApp);
  if (list == nullptr)
    list = acutBuildList(1001, kApp, 0);
  resbuf* last = list;
  while (last->rbnext != nullptr)
    last = last->rbnext;
  last->rbnext = acutBuildList(1000, key, 1040, value, 0);
  const Acad::ErrorStatus es = entity->setXData(list);
  acutRelRb(list);
  return es;
}

std::string describe(const resbuf* rb) {
  std::string out;
  for (; rb != nullptr; rb = rb->rbnext) {
    out += std::to_string(rb->restype) + "=";
    if (rb->restype == 1000 || rb->restype == 1001)
      for (const ACHAR* c = rb->resval.rstring; *c; ++c)
        out += static_cast<char>(*c);
    else if (rb->restype == 1040)
      out += std::to_string(rb->resval.rreal);
    out += ";";
  }
  return out;
}

}  // namespace

TEST(Xdata, TaggingRealDrawingsChangesOnlyTheTaggedObjects) {
  TempDir tmp;
  for (const fs::path& file : realDrawings()) {
    SCOPED_TRACE(file.string());
    OpenDrawing db(file);
    ASSERT_EQ(db.status(), Acad::eOk);
    const std::vector<AcDbObjectId> ids = modelSpace(db.get());
    if (ids.empty())
      continue;
    const AcDbObjectId first = ids.front();
    ASSERT_EQ(tag(first, u"LIST_HEADER", 0.0), Acad::eRegappIdNotFound)
        << "an application missing from APPID cannot hold data";
    if (!zdxf::Document::open(file.string()).table("APPID")) {
      EXPECT_EQ(acdbRegApp(kApp), RTERROR) << "no APPID table to add the application to";
      continue;
    }
    ASSERT_EQ(acdbRegApp(kApp), RTNORM);
    ASSERT_EQ(tag(first, u"LIST_HEADER", 0.0), Acad::eOk);
    ASSERT_EQ(tag(first, u"LIST_FOOTER", 0.0), Acad::eOk) << "a second tagging replaces the first";
    {
      AcDbObjectPointer<AcDbEntity> entity(first, AcDb::kForRead);
      resbuf* xdata = entity->xData(kApp);
      EXPECT_EQ(describe(xdata), "1001=ZANT_LIST_TEMPLATE;1000=LIST_FOOTER;1040=0.000000;");
      acutRelRb(xdata);
    }
    const fs::path out = tmp.path() / file.filename();
    ASSERT_EQ(db->dxfOut(u16(out.string()).c_str()), Acad::eOk);

    // Every object but the tagged entity, the APPID table and the header reads the same.
    const zdxf::Document before = zdxf::Document::open(file.string());
    const zdxf::Document after = zdxf::Document::open(out.string());
    const auto taggedHandle = first.handle().value();
    size_t compared = 0;
    for (zdxf::ObjectId id : before.objects()) {
      const auto handle = before.handle(id);
      if (!handle || *handle == taggedHandle || before.type(id) == "TABLE")
        continue;
      auto other = after.find(*handle);
      ASSERT_TRUE(other.has_value());
      EXPECT_EQ(after.tags(*other), before.tags(id)) << std::hex << *handle;
      ++compared;
    }
    if (before.uses_handles()) {
      EXPECT_GT(compared, 0u);
      auto tagged = after.find(taggedHandle);
      ASSERT_TRUE(tagged.has_value());
      auto record = after.xdata(*tagged, "ZANT_LIST_TEMPLATE");
      ASSERT_TRUE(record.has_value());
      ASSERT_EQ(record->size(), 2u);
      EXPECT_EQ((*record)[0].code, 1000);
      EXPECT_EQ(std::string((*record)[0].trimmed()), "LIST_FOOTER");
      EXPECT_EQ((*record)[1].code, 1040);
    }
  }
}

TEST(Xdata, EveryGroupCodeRoundTripsAndOtherApplicationsAreKept) {
  TempDir tmp;
  const fs::path file = tmp.path() / "small.dxf";
  writeFile(file, smallDrawing("0|LINE|8|0|10|0|20|0|30|0|11|1|21|1|31|0|"
                               "1001|OTHER|1000|keep me|1070|7"));
  OpenDrawing db(file);
  ASSERT_EQ(db.status(), Acad::eOk);
  const AcDbObjectId line = modelSpace(db.get()).at(0);
  ASSERT_EQ(acdbRegApp(u"ALL_CODES"), RTNORM);
  const ads_point p1 = {1.5, -2, 3}, p2 = {4, 5, 6};
  const char bytes[] = {0x01, static_cast<char>(0xAB), 0x00, 0x7F};
  const ads_binary chunk = {4, const_cast<char*>(bytes)};
  resbuf* list =
      acutBuildList(1001, u"ALL_CODES", 1000, u"Text é \u0416", 1002, u"{", 1003, u"LAYER1", 1005,
                    u"1A2B", 1004, &chunk, 1002, u"}", 1010, p1, 1011, p2, 1012, p1, 1013, p2, 1040,
                    0.1, 1041, 2.5, 1042, -3.25, 1070, -12, 1071, 123456789, 0);
  ASSERT_NE(list, nullptr);
  {
    AcDbObjectPointer<AcDbLine> entity(line, AcDb::kForWrite);
    ASSERT_EQ(entity.openStatus(), Acad::eOk);
    ASSERT_EQ(entity->setXData(list), Acad::eOk);
  }
  ASSERT_EQ(db->dxfOut(u16((tmp.path() / "out.dxf").string()).c_str()), Acad::eOk);
  OpenDrawing again(tmp.path() / "out.dxf");
  const AcDbObjectId reread = modelSpace(again.get()).at(0);
  AcDbObjectPointer<AcDbLine> entity(reread, AcDb::kForRead);
  resbuf* back = entity->xData(u"all_codes");
  const resbuf* a = list;
  const resbuf* b = back;
  for (; a != nullptr && b != nullptr; a = a->rbnext, b = b->rbnext) {
    SCOPED_TRACE(a->restype);
    ASSERT_EQ(a->restype, b->restype);
    switch (a->restype) {
      case 1004:
        ASSERT_EQ(b->resval.rbinary.clen, 4);
        EXPECT_EQ(std::memcmp(b->resval.rbinary.buf, bytes, 4), 0);
        break;
      case 1010:
      case 1011:
      case 1012:
      case 1013:
        for (int i = 0; i < 3; ++i)
          EXPECT_DOUBLE_EQ(a->resval.rpoint[i], b->resval.rpoint[i]);
        break;
      case 1040:
      case 1041:
      case 1042:
        EXPECT_DOUBLE_EQ(a->resval.rreal, b->resval.rreal);
        break;
      case 1070:
        EXPECT_EQ(a->resval.rint, b->resval.rint);
        break;
      case 1071:
        EXPECT_EQ(a->resval.rlong, b->resval.rlong);
        break;
      default:
        EXPECT_EQ(std::u16string(a->resval.rstring), std::u16string(b->resval.rstring));
    }
  }
  EXPECT_EQ(a, nullptr);
  EXPECT_EQ(b, nullptr);
  acutRelRb(back);
  acutRelRb(list);
  resbuf* other = entity->xData(u"OTHER");
  EXPECT_EQ(describe(other), "1001=OTHER;1000=keep me;1070=;");
  acutRelRb(other);
  // All applications, in the order they were written: the untouched one first.
  resbuf* all = entity->xData();
  ASSERT_NE(all, nullptr);
  EXPECT_EQ(std::u16string(all->resval.rstring), u"OTHER");
  acutRelRb(all);
}

TEST(Xdata, RefusalsAndRemovalFollowTheHost) {
  TempDir tmp;
  const fs::path file = tmp.path() / "small.dxf";
  writeFile(file, smallDrawing("0|LINE|8|0|10|0|20|0|30|0|11|1|21|1|31|0|"
                               "1001|OTHER|1000|keep me"));
  OpenDrawing db(file);
  const AcDbObjectId line = modelSpace(db.get()).at(0);
  ASSERT_EQ(acdbRegApp(kApp), RTNORM);
  AcDbObjectPointer<AcDbEntity> entity(line, AcDb::kForWrite);
  resbuf* unknown = acutBuildList(1001, u"NOT_REGISTERED", 1000, u"x", 0);
  EXPECT_EQ(entity->setXData(unknown), Acad::eRegappIdNotFound);
  acutRelRb(unknown);
  resbuf* notXdata = acutBuildList(1001, kApp, 8, u"layer", 0);
  EXPECT_EQ(entity->setXData(notXdata), Acad::eInvalidInput);
  acutRelRb(notXdata);
  resbuf* unbalanced = acutBuildList(1001, kApp, 1002, u"{", 0);
  EXPECT_EQ(entity->setXData(unbalanced), Acad::eInvalidInput);
  acutRelRb(unbalanced);

  // 16 KB for all applications together.
  const std::u16string text(250, u'x');
  resbuf* big = acutBuildList(1001, kApp, 0);
  resbuf* tail = big;
  for (int i = 0; i < 70; ++i)
    tail = tail->rbnext = acutBuildList(1000, text.c_str(), 0);
  EXPECT_EQ(entity->setXData(big), Acad::eXdataSizeExceeded);
  acutRelRb(big);

  resbuf* record = acutBuildList(1001, kApp, 1000, u"LIST_BODY", 1040, 250.0, 0);
  ASSERT_EQ(entity->setXData(record), Acad::eOk);
  acutRelRb(record);
  resbuf* onlyName = acutBuildList(1001, kApp, 0);
  ASSERT_EQ(entity->setXData(onlyName), Acad::eOk);
  acutRelRb(onlyName);
  EXPECT_EQ(entity->xData(kApp), nullptr) << "a lone 1001 group removes the application's data";
  resbuf* other = entity->xData(u"OTHER");
  EXPECT_NE(other, nullptr);
  acutRelRb(other);
  entity.close();

  AcDbObjectPointer<AcDbEntity> reader(line, AcDb::kForRead);
  resbuf* list = acutBuildList(1001, kApp, 1000, u"x", 0);
  EXPECT_EQ(reader->setXData(list), Acad::eNotOpenForWrite);
  acutRelRb(list);
}

TEST(Xdata, TextsAndLongMultilineTextsAreStoredAsTheHostWritesThem) {
  TempDir tmp;
  const fs::path file = tmp.path() / "texts.dxf";
  writeFile(file, smallDrawing("0|TEXT|8|0|10|0|20|0|30|0|40|2|1|old|"
                               "0|MTEXT|8|0|10|0|20|0|30|0|40|2|41|10|71|1|1|short"));
  OpenDrawing db(file);
  const std::vector<AcDbObjectId> ids = modelSpace(db.get());
  std::u16string longText;
  for (int i = 0; i < 600; ++i)
    longText += static_cast<char16_t>(u'a' + i % 26);
  {
    AcDbObjectPointer<AcDbText> text(ids[0], AcDb::kForWrite);
    ASSERT_EQ(text.openStatus(), Acad::eOk);
    EXPECT_EQ(text->setTextString(u"ZNR_[POS]"), Acad::eOk);
    AcDbObjectPointer<AcDbMText> mtext(ids[1], AcDb::kForWrite);
    ASSERT_EQ(mtext.openStatus(), Acad::eOk);
    EXPECT_EQ(mtext->setContents(longText.c_str()), Acad::eOk);
  }
  const fs::path out = tmp.path() / "out.dxf";
  ASSERT_EQ(db->dxfOut(u16(out.string()).c_str()), Acad::eOk);
  const zdxf::Document saved = zdxf::Document::open(out.string());
  std::vector<std::pair<int, size_t>> chunks;
  std::string textValue;
  for (zdxf::ObjectId id : saved.objects()) {
    for (const zdxf::Tag& tag : saved.tags(id)) {
      if (saved.type(id) == "MTEXT" && (tag.code == 1 || tag.code == 3))
        chunks.emplace_back(tag.code, tag.value.size());
      if (saved.type(id) == "TEXT" && tag.code == 1)
        textValue = tag.value;
    }
  }
  EXPECT_EQ(textValue, "ZNR_[POS]");
  const std::vector<std::pair<int, size_t>> expected{{3, 250}, {3, 250}, {1, 100}};
  EXPECT_EQ(chunks, expected);
  OpenDrawing again(out);
  AcDbObjectPointer<AcDbMText> mtext(modelSpace(again.get())[1], AcDb::kForRead);
  ACHAR* contents = mtext->contents();
  EXPECT_EQ(std::u16string(contents), longText);
  std::free(contents);
}

TEST(Xdata, AnOpeningThatChangesXdataAndThenItsOwnTagsKeepsBothAndIsUndoneExactly) {
  TempDir tmp;
  const fs::path file = tmp.path() / "mixed.dxf";
  writeFile(file, smallDrawing("0|TEXT|8|0|10|0|20|0|30|0|40|2|1|old|1001|OTHER|1000|kept"));
  OpenDrawing db(file);
  const fs::path out = tmp.path() / "out.dxf";
  auto saved = [&] {
    EXPECT_EQ(db->dxfOut(u16(out.string()).c_str()), Acad::eOk);
    return readFile(out);
  };
  const std::string original = saved();
  const AcDbObjectId id = modelSpace(db.get())[0];
  zacad::BeginUndoGroup(db.get());
  {
    // Extended data first (read alone), then the text: the opening then reads all its tags and
    // must keep the new record.
    AcDbObjectPointer<AcDbText> text(id, AcDb::kForWrite);
    ASSERT_EQ(text.openStatus(), Acad::eOk);
    resbuf* record = acutBuildList(1001, u"ACAD", 1000, u"first", 0);
    EXPECT_EQ(text->setXData(record), Acad::eOk);
    acutRelRb(record);
    EXPECT_EQ(text->setTextString(u"new"), Acad::eOk);
    resbuf* all = text->xData(nullptr);
    EXPECT_EQ(describe(all), "1001=OTHER;1000=kept;1001=ACAD;1000=first;");
    acutRelRb(all);
  }
  zacad::EndUndoGroup(db.get());
  {
    AcDbObjectPointer<AcDbText> text(id, AcDb::kForRead);
    ASSERT_EQ(text.openStatus(), Acad::eOk);
    ACHAR* value = text->textString();
    EXPECT_EQ(std::u16string(value), u"new");
    std::free(value);
    resbuf* all = text->xData(nullptr);
    EXPECT_EQ(describe(all), "1001=OTHER;1000=kept;1001=ACAD;1000=first;");
    acutRelRb(all);
  }
  const std::string changed = saved();
  EXPECT_NE(changed.find("1\nnew\n"), std::string::npos);
  EXPECT_NE(changed.find("1001\nOTHER\n1000\nkept\n1001\nACAD\n1000\nfirst\n"), std::string::npos);
  ASSERT_TRUE(zacad::UndoLastGroup(db.get()));
  EXPECT_EQ(saved(), original);
  ASSERT_TRUE(zacad::RedoLastGroup(db.get()));
  EXPECT_EQ(saved(), changed);
}

TEST(Xdata, OneApplicationsBlockMovesLastAndListsOfSeveralReplaceEachInTurn) {
  TempDir tmp;
  const fs::path file = tmp.path() / "blocks.dxf";
  // A code page drawing whose third application has a name outside ASCII (Ä in ANSI_1252).
  writeFile(file, dxf("0|SECTION|2|HEADER|9|$ACADVER|1|AC1009|9|$DWGCODEPAGE|3|ANSI_1252|0|ENDSEC|"
                      "0|SECTION|2|TABLES|0|TABLE|2|APPID|70|3|0|APPID|2|ACAD|70|0|"
                      "0|APPID|2|OTHER|70|0|0|APPID|2|\xC4PP|70|0|0|ENDTAB|0|ENDSEC|"
                      "0|SECTION|2|ENTITIES|0|LINE|8|0|10|0|20|0|30|0|11|1|21|1|31|0|"
                      "1001|OTHER|1000|a|1001|ACAD|1000|b|1001|\xC4PP|1000|\xE9t\xE9|"
                      "0|ENDSEC|0|EOF"));
  const std::string original = readFile(file);
  const fs::path out = tmp.path() / "out.dxf";
  auto set = [](AcDbObject* object, resbuf* list) {
    const Acad::ErrorStatus es = object->setXData(list);
    acutRelRb(list);
    return es;
  };
  auto all = [](AcDbObject* object) {
    resbuf* list = object->xData(nullptr);
    std::u16string text;
    for (const resbuf* rb = list; rb != nullptr; rb = rb->rbnext) {
      text += rb->restype == 1001 ? u"|" : u" ";
      if (rb->restype == 1040)
        text += u16(std::to_string(rb->resval.rreal));
      else
        text += rb->resval.rstring;
    }
    acutRelRb(list);
    return text;
  };
  {
    OpenDrawing db(file);
    ASSERT_EQ(db.status(), Acad::eOk);
    const AcDbObjectId line = modelSpace(db.get()).at(0);
    {
      AcDbObjectPointer<AcDbEntity> entity(line, AcDb::kForWrite);
      ASSERT_EQ(entity.openStatus(), Acad::eOk);
      // The last block as it is, and a list that removes what is not there: nothing changes.
      EXPECT_EQ(set(entity.object(), acutBuildList(1001, u"\u00C4pp", 1000, u"\u00E9t\u00E9", 0)),
                Acad::eOk);
      ASSERT_EQ(acdbRegApp(u"NONE"), RTNORM);
      EXPECT_EQ(set(entity.object(), acutBuildList(1001, u"NONE", 0)), Acad::eOk);
      EXPECT_FALSE(entity->isModified());
    }
    ASSERT_EQ(zacad::UndoLastGroup(db.get()), true) << "the new APPID record is taken back";
    ASSERT_EQ(db->dxfOut(u16(out.string()).c_str()), Acad::eOk);
    EXPECT_EQ(readFile(out), original) << "an unchanged object keeps its bytes";
  }
  OpenDrawing db(file);
  const AcDbObjectId line = modelSpace(db.get()).at(0);
  AcDbObjectId otherRecord;
  {
    AcDbRegAppTable* table = nullptr;
    ASSERT_EQ(db->getRegAppTable(table, AcDb::kForRead), Acad::eOk);
    ASSERT_EQ(table->getAt(u"OTHER", otherRecord), Acad::eOk);
    table->close();
  }
  AcDbObjectPointer<AcDbEntity> entity(line, AcDb::kForWrite);
  ASSERT_EQ(entity.openStatus(), Acad::eOk);
  // A block in the middle, named in another case: it goes last, under its own 1001 tag.
  EXPECT_EQ(set(entity.object(), acutBuildList(1001, u"acad", 1000, u"new", 1040, 1.5, 0)),
            Acad::eOk);
  EXPECT_EQ(all(entity.object()), u"|OTHER a|\u00C4PP \u00E9t\u00E9|ACAD new 1.500000");
  // The same block again, now last: no change; then an application whose name and text the
  // code page writes with escapes.
  EXPECT_EQ(set(entity.object(), acutBuildList(1001, u"ACAD", 1000, u"new", 1040, 1.5, 0)),
            Acad::eOk);
  EXPECT_EQ(set(entity.object(),
                acutBuildList(1001, u"\u00E4PP", 1000, u"\u0416 \\ ^ x", 1040, 2.25, 1040, 1.5, 0)),
            Acad::eOk);
  EXPECT_EQ(all(entity.object()),
            u"|OTHER a|ACAD new 1.500000|\u00C4PP \u0416 \\ ^ x 2.250000 1.500000");
  // Several applications in one list: each replaces its block in turn; a lone name removes one.
  EXPECT_EQ(set(entity.object(), acutBuildList(1001, u"OTHER", 1000, u"o1", 1001, u"ACAD", 1001,
                                               u"OTHER", 1000, u"o2", 0)),
            Acad::eOk);
  EXPECT_EQ(all(entity.object()), u"|\u00C4PP \u0416 \\ ^ x 2.250000 1.500000|OTHER o2");
  // A refusal anywhere in the list changes nothing.
  EXPECT_EQ(set(entity.object(),
                acutBuildList(1001, u"ACAD", 1000, u"x", 1001, u"MISSING", 1000, u"y", 0)),
            Acad::eRegappIdNotFound);
  EXPECT_EQ(
      set(entity.object(), acutBuildList(1001, u"ACAD", 1000, u"x", 1001, u"OTHER", 1002, u"{", 0)),
      Acad::eInvalidInput);
  // The room counts the other applications' blocks.
  const std::u16string text(250, u'x');
  resbuf* big = acutBuildList(1001, u"OTHER", 0);
  resbuf* tail = big;
  for (int i = 0; i < 60; ++i)
    tail = tail->rbnext = acutBuildList(1000, text.c_str(), 0);
  EXPECT_EQ(set(entity.object(), big), Acad::eOk);
  resbuf* more = acutBuildList(1001, u"ACAD", 0);
  tail = more;
  for (int i = 0; i < 5; ++i)
    tail = tail->rbnext = acutBuildList(1000, text.c_str(), 0);
  EXPECT_EQ(set(entity.object(), more), Acad::eXdataSizeExceeded);
  EXPECT_EQ(set(entity.object(), acutBuildList(1001, u"OTHER", 1000, u"o3", 0)), Acad::eOk);
  entity.close();

  // An erased record names no application, for setXData as for acdbTblSearch, until unerased.
  auto eraseRecord = [&](bool erasing) {
    AcDbObjectPointer<AcDbRegAppTableRecord> record(otherRecord, AcDb::kForWrite, true);
    ASSERT_EQ(record.openStatus(), Acad::eOk);
    EXPECT_EQ(record->erase(erasing), Acad::eOk);
  };
  resbuf* found = acdbTblSearch(u"appid", u"other", 0);
  EXPECT_NE(found, nullptr);
  acutRelRb(found);
  eraseRecord(true);
  EXPECT_EQ(acdbTblSearch(u"APPID", u"OTHER", 0), nullptr);
  {
    AcDbObjectPointer<AcDbEntity> again(line, AcDb::kForWrite);
    EXPECT_EQ(set(again.object(), acutBuildList(1001, u"OTHER", 1000, u"o4", 0)),
              Acad::eRegappIdNotFound);
  }
  eraseRecord(false);
  found = acdbTblSearch(u"APPID", u"OTHER", 0);
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(found->restype, 0);
  EXPECT_EQ(std::u16string(found->resval.rstring), u"APPID");
  ASSERT_NE(found->rbnext, nullptr);
  EXPECT_EQ(std::u16string(found->rbnext->resval.rstring), u"OTHER");
  acutRelRb(found);
  {
    AcDbObjectPointer<AcDbEntity> again(line, AcDb::kForWrite);
    EXPECT_EQ(set(again.object(), acutBuildList(1001, u"OTHER", 1000, u"o4", 0)), Acad::eOk);
  }
  ASSERT_EQ(db->dxfOut(u16(out.string()).c_str()), Acad::eOk);
  const std::string saved = readFile(out);
  // A block grown a group at a time, as applications append, keeps what it had and is undone
  // and redone exactly.
  zacad::BeginUndoGroup(db.get());
  {
    AcDbObjectPointer<AcDbEntity> again(line, AcDb::kForWrite);
    EXPECT_EQ(set(again.object(), acutBuildList(1001, u"ACAD", 1000, u"a", 0)), Acad::eOk);
    for (resbuf* group : {acutBuildList(1040, 2.0, 0), acutBuildList(1000, u"b", 0)}) {
      resbuf* list = again->xData(u"ACAD");
      ASSERT_NE(list, nullptr);
      resbuf* last = list;
      while (last->rbnext != nullptr)
        last = last->rbnext;
      last->rbnext = group;
      EXPECT_EQ(set(again.object(), list), Acad::eOk);
    }
    EXPECT_EQ(all(again.object()),
              u"|\u00C4PP \u0416 \\ ^ x 2.250000 1.500000|OTHER o4|ACAD a 2.000000 b");
  }
  zacad::EndUndoGroup(db.get());
  ASSERT_EQ(db->dxfOut(u16(out.string()).c_str()), Acad::eOk);
  const std::string grown = readFile(out);
  EXPECT_NE(grown.find("1001\nOTHER\n1000\no4\n1001\nACAD\n1000\na\n1040\n2.0\n1000\nb\n0\nENDSEC"),
            std::string::npos);
  ASSERT_TRUE(zacad::UndoLastGroup(db.get()));
  ASSERT_EQ(db->dxfOut(u16(out.string()).c_str()), Acad::eOk);
  EXPECT_EQ(readFile(out), saved);
  ASSERT_TRUE(zacad::RedoLastGroup(db.get()));
  ASSERT_EQ(db->dxfOut(u16(out.string()).c_str()), Acad::eOk);
  EXPECT_EQ(readFile(out), grown);
  // "^ " is how a caret is written.
  EXPECT_NE(saved.find("1001\n\xC4PP\n1000\n\\U+0416 \\ ^  x\n1040\n2.25\n1040\n1.5\n"
                       "1001\nOTHER\n1000\no4\n0\nENDSEC"),
            std::string::npos)
      << saved;
}
