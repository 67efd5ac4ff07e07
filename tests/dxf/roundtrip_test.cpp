// Reading real drawings: every one saves back byte for byte, and the index finds what is there.
#include <gtest/gtest.h>

#include <algorithm>

#include "test_support.h"
#include "zdxf/document.h"

using zdxf::Document;
using zdxf::ObjectId;
using zdxf_test::data_dir;
using zdxf_test::read_file;

TEST(RealDrawings, EveryOneRoundTripsByteForByte) {
  auto files = zdxf_test::real_drawings();
  ASSERT_GE(files.size(), 15u) << "tests/data lost drawings";
  for (const auto& path : files) {
    SCOPED_TRACE(path.string());
    std::string original = read_file(path);
    Document d = Document::open(path.string());
    EXPECT_EQ(d.bytes(), original);
    // Parsing every object must not disturb the untouched output either.
    std::size_t tags = 0;
    for (ObjectId id : d.objects())
      tags += d.tags(id).size();
    EXPECT_GT(tags, d.objects().size());
    EXPECT_EQ(d.bytes(), original);
  }
}

TEST(RealDrawings, VersionsCodePagesAndFormats) {
  struct Expect {
    const char* file;
    const char* version;
    const char* code_page;
    zdxf::Format format;
  };
  const Expect cases[] = {
      {"ac1009/ezdxf_r12.dxf", "AC1009", "ANSI_1252", zdxf::Format::Ascii},
      {"ac1015/ezdxf_r2000_cp1251.dxf", "AC1015", "ANSI_1251", zdxf::Format::Ascii},
      {"ac1021/librecad_v33_autocad_crlf_cp1251.dxf", "AC1021", "ANSI_1251", zdxf::Format::Ascii},
      {"ac1032/ezdxf_r2018.dxf", "AC1032", "ANSI_1252", zdxf::Format::Ascii},
      {"binary/ezdxf_r12_binary.dxf", "AC1009", "ANSI_1252", zdxf::Format::Binary},
      {"binary/ezdxf_r2018_binary.dxf", "AC1032", "ANSI_1252", zdxf::Format::Binary},
      {"no-header/librecad_square.dxf", "AC1009", "ANSI_1252", zdxf::Format::Ascii},
  };
  for (const Expect& e : cases) {
    SCOPED_TRACE(e.file);
    Document d = Document::open((data_dir() / e.file).string());
    EXPECT_EQ(d.version(), e.version);
    EXPECT_EQ(d.code_page(), e.code_page);
    EXPECT_EQ(d.format(), e.format);
  }
}

// The same drawing written as ASCII and as binary must index to the same structure.
TEST(RealDrawings, StructureOfEzdxfR2018AsciiAndBinary) {
  for (const char* file : {"ac1032/ezdxf_r2018.dxf", "binary/ezdxf_r2018_binary.dxf"}) {
    SCOPED_TRACE(file);
    Document d = Document::open((data_dir() / file).string());
    EXPECT_TRUE(d.uses_handles());
    EXPECT_TRUE(d.warnings().empty());
    // $HANDSEED is above every handle.
    for (ObjectId id : d.objects()) {
      if (auto h = d.handle(id)) {
        EXPECT_LT(*h, d.handle_seed());
      }
    }
    auto seed = d.header_variable("$HANDSEED");
    ASSERT_TRUE(seed.has_value());
    EXPECT_EQ(seed->at(0).as_handle(), d.handle_seed());

    // APPID table: records point back to the TABLE through 330.
    auto appids = d.table_records("APPID");
    std::vector<std::string> names;
    ObjectId table = *d.table("APPID");
    for (ObjectId r : appids) {
      EXPECT_EQ(d.type(r), "APPID");
      EXPECT_EQ(d.container(r), table);
      EXPECT_EQ(d.owner(r), d.handle(table));
      for (const auto& t : d.tags(r)) {
        if (t.code == 2)
          names.emplace_back(t.trimmed());
      }
    }
    EXPECT_NE(std::find(names.begin(), names.end(), "ACAD"), names.end());
    EXPECT_NE(std::find(names.begin(), names.end(), "ZANT_SAMPLE"), names.end());

    // Entities: the LINE carries two applications' xdata in file order; POLYLINE and INSERT keep
    // their VERTEX/ATTRIB and SEQEND.
    int lines = 0, polylines = 0, inserts = 0;
    for (ObjectId id : d.objects()) {
      if (d.section(id) != "ENTITIES")
        continue;
      std::string_view type = d.type(id);
      if (type == "SECTION" || type == "ENDSEC")
        continue;
      ASSERT_TRUE(d.handle(id).has_value());
      EXPECT_EQ(d.find(*d.handle(id)), id);
      if (type == "LINE") {
        ++lines;
        EXPECT_EQ(d.xdata_applications(id), (std::vector<std::string>{"ZANT_SAMPLE", "OTHER_APP"}));
        auto x = d.xdata(id, "zant_sample");  // names compare as the host does
        ASSERT_TRUE(x.has_value());
        ASSERT_EQ(x->size(), 3u);
        EXPECT_EQ((*x)[0].value, "LIST_BODY");
        EXPECT_EQ((*x)[1].as_double(), 250.0);
        EXPECT_EQ((*x)[2].as_int(), 3);
        EXPECT_FALSE(d.xdata(id, "NOBODY").has_value());
      } else if (type == "POLYLINE") {
        ++polylines;
        auto kids = d.children(id);
        ASSERT_EQ(kids.size(), 4u);
        EXPECT_EQ(d.type(kids[0]), "VERTEX");
        EXPECT_EQ(d.type(kids[3]), "SEQEND");
        EXPECT_EQ(d.parent(kids[3]), id);
      } else if (type == "INSERT") {
        ++inserts;
        auto kids = d.children(id);
        ASSERT_EQ(kids.size(), 2u);
        EXPECT_EQ(d.type(kids[0]), "ATTRIB");
        EXPECT_EQ(d.type(kids[1]), "SEQEND");
      } else if (type == "VERTEX" || type == "ATTRIB" || type == "SEQEND") {
        EXPECT_TRUE(d.parent(id).has_value());
      } else {
        EXPECT_FALSE(d.parent(id).has_value());
      }
    }
    EXPECT_EQ(lines, 1);
    EXPECT_EQ(polylines, 1);
    EXPECT_EQ(inserts, 1);

    // Block definition: its entities name the BLOCK as container.
    bool found_block = false;
    for (ObjectId id : d.objects()) {
      if (d.type(id) != "BLOCK")
        continue;
      for (const auto& t : d.tags(id))
        found_block |= t.code == 2 && t.trimmed() == "TAGBLOCK";
    }
    EXPECT_TRUE(found_block);
    for (ObjectId id : d.objects()) {
      if (d.type(id) == "ATTDEF") {
        EXPECT_EQ(d.type(*d.container(id)), "BLOCK");
      }
    }
  }
}

TEST(RealDrawings, HandleLessAndQuirkyFiles) {
  Document square = Document::open((data_dir() / "no-header/librecad_square.dxf").string());
  EXPECT_FALSE(square.uses_handles());
  EXPECT_EQ(square.handle_seed(), 0u);
  EXPECT_THROW(square.allocate_handle(), zdxf::Error);

  // dxflib closes HEADER twice; the reader warns and keeps every byte.
  Document misc = Document::open((data_dir() / "ac1015/librecad_misc01_dxflib.dxf").string());
  ASSERT_EQ(misc.warnings().size(), 1u);
  EXPECT_NE(misc.warnings()[0].message.find(":61: ENDSEC without SECTION"), std::string::npos);

  // A DIMSTYLE record is found by its 105 handle.
  Document r2000 = Document::open((data_dir() / "ac1015/ezdxf_r2000_cp1251.dxf").string());
  auto dimstyles = r2000.table_records("DIMSTYLE");
  ASSERT_FALSE(dimstyles.empty());
  for (ObjectId id : dimstyles) {
    ASSERT_TRUE(r2000.handle(id).has_value());
    EXPECT_EQ(r2000.find(*r2000.handle(id)), id);
  }
}

TEST(RealDrawings, OddButValidFormsKeepEveryByte) {
  // A byte-order mark, comments before and inside objects, mixed line ends (CRLF, LF, lone CR),
  // unpadded and padded codes, a TAB before an integer, trailing blanks on a structure name,
  // an undefined group code and data after EOF.
  const std::string odd =
      "\xEF\xBB\xBF"
      "999\r\nwritten by hand\r\n"
      "0\nSECTION\n  2\r\nENTITIES\r"
      "  0\rLINE \r  5\n1A\n999\ncomment inside\n 70\n\t256\n250\nundefined code\n"
      " 10\n5\n 62\n1.0\n"
      "  0\nENDSEC\n  0\nEOF\n\ntrailing junk\x1a";
  Document d = Document::parse(odd, "odd.dxf");
  EXPECT_EQ(d.bytes(), odd);
  ASSERT_EQ(d.objects().size(), 4u);
  ObjectId line = d.objects()[1];
  EXPECT_EQ(d.type(line), "LINE");
  EXPECT_EQ(d.section(line), "ENTITIES");
  EXPECT_EQ(d.find(0x1A), line);
  auto tags = d.tags(line);
  ASSERT_EQ(tags.size(), 7u);
  EXPECT_EQ(tags[2].code, 999);
  EXPECT_EQ(tags[3].value, "\t256");
  EXPECT_EQ(tags[3].as_int(), 256);
  EXPECT_EQ(tags[4].code, 250);
  EXPECT_EQ(tags[4].value, "undefined code");
  EXPECT_EQ(tags[5].as_double(), 5.0);
  EXPECT_EQ(tags[6].as_int(), 1);  // an integer written as a real

  // Changing the LINE keeps the odd bytes around it and its own untouched lines; new lines take
  // the line end of the object's first line (a lone CR here).
  d.set_xdata(line, "APP", {{1000, "x"}});
  std::string out = d.bytes();
  EXPECT_EQ(out.rfind("\xEF\xBB\xBF"
                      "999\r\nwritten by hand\r\n0\nSECTION\n  2\r\nENTITIES\r"
                      "  0\rLINE \r  5\n1A\n999\ncomment inside\n 70\n\t256\n",
                      0),
            0u);
  EXPECT_NE(out.find(" 62\n1.0\n1001\rAPP\r1000\rx\r  0\nENDSEC"), std::string::npos);
  EXPECT_EQ(out.substr(out.size() - 16), "\n\ntrailing junk\x1a");

  // A folder is not a drawing.
  EXPECT_THROW(Document::open(data_dir().string()), zdxf::Error);
}
