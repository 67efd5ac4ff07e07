// Editing: only what changed is rewritten, in the object's own style; the rest keeps its bytes.
#include <gtest/gtest.h>

#include "test_support.h"
#include "zdxf/document.h"

using zdxf::Document;
using zdxf::ObjectId;
using zdxf::Tag;
using zdxf_test::data_dir;
using zdxf_test::read_file;

namespace {

std::string path_of(const char* file) {
  return (data_dir() / file).string();
}

ObjectId first_of(const Document& d, std::string_view type) {
  for (ObjectId id : d.objects()) {
    if (d.type(id) == type)
      return id;
  }
  ADD_FAILURE() << "no " << type;
  return zdxf::kNoObject;
}

// Lengths of the common head and tail of two byte strings.
std::pair<std::size_t, std::size_t> common_ends(const std::string& a, const std::string& b) {
  std::size_t head = 0;
  while (head < a.size() && head < b.size() && a[head] == b[head])
    ++head;
  std::size_t tail = 0;
  while (tail < a.size() - head && tail < b.size() - head &&
         a[a.size() - 1 - tail] == b[b.size() - 1 - tail]) {
    ++tail;
  }
  return {head, tail};
}

std::string record_name(const Document& d, ObjectId id) {
  for (const Tag& t : d.tags(id)) {
    if (t.code == 2)
      return std::string(t.trimmed());
  }
  return {};
}

}  // namespace

TEST(Edit, ReplacingOneApplicationsXdataKeepsTheOthersBytes) {
  for (const char* file : {"ac1032/ezdxf_r2018.dxf", "ac1009/ezdxf_r12.dxf",
                           "binary/ezdxf_r2018_binary.dxf", "binary/ezdxf_r12_binary.dxf"}) {
    SCOPED_TRACE(file);
    std::string original = read_file(data_dir() / file);
    Document d = Document::open(path_of(file));
    ObjectId line = first_of(d, "LINE");
    std::vector<Tag> other_before = *d.xdata(line, "OTHER_APP");

    // Writing back a block unchanged when it is already last changes no byte.
    d.set_xdata(line, "OTHER_APP", other_before);
    EXPECT_EQ(d.bytes(), original);

    d.set_xdata(line, "ZANT_SAMPLE",
                {d.make_string(1000, u"NEW \u00e9\nBODY"), d.make_real(1040, 12.5),
                 d.make_int(1071, 70000)});
    std::string edited = d.bytes();
    Document back = Document::parse(edited, "edited");
    ObjectId line2 = first_of(back, "LINE");
    EXPECT_EQ(back.xdata_applications(line2),
              (std::vector<std::string>{"OTHER_APP", "ZANT_SAMPLE"}));
    auto x = *back.xdata(line2, "ZANT_SAMPLE");
    ASSERT_EQ(x.size(), 3u);
    EXPECT_EQ(back.decode(x[0].value), u"NEW \u00e9\nBODY");
    EXPECT_EQ(x[1].as_double(), 12.5);
    EXPECT_EQ(x[2].as_int(), 70000);
    EXPECT_EQ(*back.xdata(line2, "OTHER_APP"), other_before);

    // Outside the LINE nothing moved; in an ASCII file OTHER_APP's lines are still there verbatim.
    auto [head, tail] = common_ends(original, edited);
    std::vector<Tag> old_tags = Document::open(path_of(file)).tags(first_of(d, "LINE"));
    EXPECT_GE(head, old_tags.front().source_offset);
    std::size_t line_end = old_tags.back().source_offset + old_tags.back().source_length;
    EXPECT_GE(tail, original.size() - line_end);
    if (d.format() == zdxf::Format::Ascii) {
      std::size_t other_at = other_before.front().source_offset - 10;
      std::string other_bytes = original.substr(other_at, line_end - other_at);
      EXPECT_NE(edited.find(other_bytes), std::string::npos);
    }

    // Removing a block.
    d.set_xdata(line, "OTHER_APP", {});
    EXPECT_EQ(d.xdata_applications(line), (std::vector<std::string>{"ZANT_SAMPLE"}));
  }
}

TEST(Edit, AddingAnAppidRecordTakesTheNextHandle) {
  for (const char* file :
       {"ac1009/ezdxf_r12.dxf", "ac1015/ezdxf_r2000_cp1251.dxf", "ac1032/ezdxf_r2018.dxf",
        "binary/ezdxf_r2000_binary.dxf", "binary/ezdxf_r12_binary.dxf",
        "ac1021/librecad_v33_autocad_crlf_cp1251.dxf", "ac1021/librecad_t6_dxfrw_lf.dxf",
        "ac1015/librecad_misc02_padded.dxf"}) {
    SCOPED_TRACE(file);
    Document d = Document::open(path_of(file));
    bool r13 = d.version() >= "AC1012";
    std::uint64_t seed = d.handle_seed();
    std::size_t records = d.table_records("APPID").size();
    std::vector<Tag> rec{{0, "APPID"}};
    if (r13) {
      rec.emplace_back(100, "AcDbSymbolTableRecord");
      rec.emplace_back(100, "AcDbRegAppTableRecord");
    }
    rec.push_back(d.make_string(2, u"ZANT_NEW_APP"));
    rec.push_back(d.make_int(70, 0));
    ObjectId added = d.add_table_record("APPID", rec);
    EXPECT_EQ(d.handle(added), seed);
    EXPECT_EQ(d.handle_seed(), seed + 1);

    Document back = Document::parse(d.bytes(), "edited");
    EXPECT_TRUE(back.warnings().empty() || std::string(file).find("misc01") != std::string::npos);
    auto now = back.table_records("APPID");
    ASSERT_EQ(now.size(), records + 1);
    EXPECT_EQ(record_name(back, now.back()), "ZANT_NEW_APP");
    EXPECT_EQ(back.find(seed), now.back());
    EXPECT_EQ(back.handle_seed(), seed + 1);
    EXPECT_EQ(back.header_variable("$HANDSEED")->at(0).as_handle(), seed + 1);
    ObjectId table = *back.table("APPID");
    if (r13) {
      EXPECT_EQ(back.owner(now.back()), back.handle(table));
    }
    for (const Tag& t : back.tags(table)) {
      if (t.code == 70) {
        EXPECT_EQ(t.as_int(), static_cast<std::int64_t>(records + 1));
        break;
      }
    }
  }
}

TEST(Edit, NewTagsFollowTheObjectsStyle) {
  // AutoCAD style: padded codes, integers in 6 columns, CRLF.
  Document acad = Document::open(path_of("ac1021/librecad_v33_autocad_crlf_cp1251.dxf"));
  acad.add_table_record("APPID", {{0, "APPID"},
                                  {100, "AcDbSymbolTableRecord"},
                                  {100, "AcDbRegAppTableRecord"},
                                  acad.make_string(2, u"ZANT_NEW_APP"),
                                  acad.make_int(70, 0)});
  std::string out = acad.bytes();
  std::string seed = zdxf::format_handle(acad.handle_seed() - 1);
  EXPECT_NE(
      out.find("  0\r\nAPPID\r\n  5\r\n" + seed +
               "\r\n330\r\n9\r\n100\r\nAcDbSymbolTableRecord\r\n100\r\n"
               "AcDbRegAppTableRecord\r\n  2\r\nZANT_NEW_APP\r\n 70\r\n     0\r\n  0\r\nENDTAB"),
      std::string::npos);
  EXPECT_NE(out.find("AcDbSymbolTable\r\n 70\r\n     3\r\n"), std::string::npos);
  EXPECT_NE(out.find("$HANDSEED\r\n  5\r\n" + zdxf::format_handle(acad.handle_seed()) + "\r\n"),
            std::string::npos);

  // dxfrw style: unpadded codes, bare integers, LF.
  Document rw = Document::open(path_of("ac1021/librecad_t6_dxfrw_lf.dxf"));
  rw.add_table_record("APPID",
                      {{0, "APPID"}, rw.make_string(2, u"ZANT_NEW_APP"), rw.make_int(70, 0)});
  EXPECT_NE(rw.bytes().find("\n2\nZANT_NEW_APP\n70\n0\n0\nENDTAB\n"), std::string::npos);

  // Reals follow the file: fixed decimals in the old QCAD-style file, shortest elsewhere.
  Document square = Document::open(path_of("no-header/librecad_square.dxf"));
  EXPECT_EQ(square.make_real(40, 2.5).value, "2.500000");
  Document r2018 = Document::open(path_of("ac1032/ezdxf_r2018.dxf"));
  EXPECT_EQ(r2018.make_real(40, 2).value, "2.0");
  EXPECT_EQ(r2018.make_real(40, 0.1).value, "0.1");
}

TEST(Edit, ChangingOneValueRewritesOnlyThatLine) {
  std::string file = path_of("ac1021/librecad_v33_autocad_crlf_cp1251.dxf");
  std::string original = read_file(file);
  Document d = Document::open(file);
  ObjectId layer = d.table_records("LAYER").front();
  std::vector<Tag> tags = d.tags(layer);
  auto colour = std::find_if(tags.begin(), tags.end(), [](const Tag& t) { return t.code == 62; });
  ASSERT_NE(colour, tags.end());
  std::string old_value = colour->value;
  colour->value = "5";
  d.replace_tags(layer, tags);
  EXPECT_TRUE(d.changed(layer));
  std::string out = d.bytes();
  ASSERT_EQ(out.size(), original.size());  // same width: "     7" became "     5"
  auto [head, tail] = common_ends(original, out);
  EXPECT_EQ(head + tail + 1, out.size());
  EXPECT_EQ(out[head], '5');
  EXPECT_EQ(Document::parse(out, "x").tags(layer)[colour - tags.begin()].as_int(), 5);
}

TEST(Edit, RefusedEditsChangeNothing) {
  std::string file = path_of("ac1032/ezdxf_r2018.dxf");
  std::string original = read_file(file);
  Document d = Document::open(file);
  ObjectId line = first_of(d, "LINE");
  std::vector<Tag> tags = d.tags(line);

  auto with = [&](int code, std::string value) {
    std::vector<Tag> t = tags;
    t.emplace_back(code, std::move(value));
    return t;
  };
  EXPECT_THROW(d.replace_tags(line, with(1000, "two\nlines")), zdxf::Error);
  EXPECT_THROW(d.replace_tags(line, with(70, "seven")), zdxf::Error);
  EXPECT_THROW(d.replace_tags(line, with(70, "70000")), zdxf::Error);  // over int16
  EXPECT_THROW(d.replace_tags(line, with(10, "1,5")), zdxf::Error);
  EXPECT_THROW(d.replace_tags(line, with(310, "ABC")), zdxf::Error);
  EXPECT_THROW(d.replace_tags(line, with(0, "CIRCLE")), zdxf::Error);
  std::vector<Tag> retyped = tags;
  retyped[0].value = "CIRCLE";
  EXPECT_THROW(d.replace_tags(line, retyped), zdxf::Error);
  std::vector<Tag> rehandled = tags;
  for (Tag& t : rehandled) {
    if (t.code == 5)
      t.value = "FFFF";
  }
  EXPECT_THROW(d.replace_tags(line, rehandled), zdxf::Error);
  EXPECT_THROW(d.set_xdata(line, "ZANT_SAMPLE", {{1001, "OTHER"}}), zdxf::Error);
  EXPECT_THROW(d.set_xdata(line, "ZANT_SAMPLE", {{1002, "{"}}), zdxf::Error);
  EXPECT_THROW(d.set_xdata(line, "ZANT_SAMPLE", {{1002, "}"}, {1002, "{"}}), zdxf::Error);
  EXPECT_THROW(d.set_xdata(line, "ZANT_SAMPLE", {{8, "LAYER"}}), zdxf::Error);
  EXPECT_THROW(d.add_table_record("NOSUCH", {{0, "X"}}), zdxf::Error);
  EXPECT_THROW(d.add_table_record("APPID", {{1, "APPID"}}), zdxf::Error);
  EXPECT_THROW(d.tags(999999), zdxf::Error);

  EXPECT_FALSE(d.changed(line));
  EXPECT_EQ(d.bytes(), original);
  EXPECT_EQ(d.handle_seed(), Document::open(file).handle_seed());
}

TEST(Edit, EraseUndoesAnInsertAndTakesAPolylineWithItsVertices) {
  std::string file = path_of("ac1032/ezdxf_r2018.dxf");
  Document d = Document::open(file);
  std::string original = d.bytes();
  ObjectId table = *d.table("APPID");
  std::vector<Tag> head = d.tags(table);
  std::size_t seed = d.handle_seed();
  std::vector<Tag> header = d.tags(d.objects()[0]);

  // Undo of add_table_record: erase the record, put back the TABLE head and the header.
  ObjectId added = d.add_table_record("APPID", {{0, "APPID"}, {2, "UNDONE"}, {70, "0"}});
  d.erase(added);
  d.replace_tags(table, head);
  d.replace_tags(d.objects()[0], header);
  EXPECT_EQ(d.bytes(), original);
  EXPECT_FALSE(d.find(seed).has_value());
  EXPECT_THROW(d.erase(added), zdxf::Error);
  EXPECT_THROW(d.insert_before(added, {{0, "APPID"}}), zdxf::Error);

  ObjectId polyline = first_of(d, "POLYLINE");
  std::vector<ObjectId> parts = d.children(polyline);
  std::size_t count = d.objects().size();
  d.erase(polyline);
  EXPECT_EQ(d.objects().size(), count - 1 - parts.size());
  for (ObjectId part : parts)
    EXPECT_FALSE(d.find(*d.handle(part)).has_value());
  Document back = Document::parse(d.bytes(), "erased");
  for (ObjectId id : back.objects()) {
    EXPECT_NE(back.type(id), "POLYLINE");
    EXPECT_NE(back.type(id), "VERTEX");
  }
  EXPECT_THROW(d.erase(table), zdxf::Error);
}

TEST(Edit, TagsFromAnotherDrawingAreWrittenAsNew) {
  Document big = Document::open(path_of("ac1021/librecad_v33_autocad_crlf_cp1251.dxf"));
  Document d = Document::open(path_of("ac1032/ezdxf_r2018.dxf"));
  // A tag whose source lies beyond the end of this drawing's bytes.
  Tag foreign;
  for (ObjectId id : big.objects()) {
    for (const Tag& t : big.tags(id)) {
      if (t.code == 62 && t.source_offset > 2 * d.bytes().size())
        foreign = t;
    }
  }
  ASSERT_EQ(foreign.code, 62);
  ObjectId line = first_of(d, "LINE");
  std::vector<Tag> tags = d.tags(line);
  tags.insert(tags.begin() + 3, foreign);
  d.replace_tags(line, tags);
  Document back = Document::parse(d.bytes(), "mixed");
  std::vector<Tag> got = back.tags(first_of(back, "LINE"));
  ASSERT_EQ(got.size(), tags.size());
  EXPECT_EQ(got[3].code, 62);
  EXPECT_EQ(got[3].as_int(), foreign.as_int());

  // A foreign tag with a bad value is refused like any new one.
  foreign.value = "red";
  tags[3] = foreign;
  EXPECT_THROW(d.replace_tags(line, tags), zdxf::Error);
}

TEST(Edit, ReplacedTagsComeBackWithTheirValuesAndSources) {
  for (const char* file : {"ac1032/ezdxf_r2018.dxf", "binary/ezdxf_r2018_binary.dxf"}) {
    SCOPED_TRACE(file);
    Document d = Document::open(path_of(file));
    ObjectId line = first_of(d, "LINE");
    std::vector<Tag> read = d.tags(line);
    ASSERT_GE(read.size(), 6u);
    // One value alone, read without the others, is the first of its code.
    auto first_value = [&](int code) -> std::optional<std::string> {
      for (const Tag& t : d.tags(line)) {
        if (t.code == code)
          return t.value;
      }
      return std::nullopt;
    };
    for (int code : {0, 5, 8, 10, 21, 1000, 999})
      EXPECT_EQ(d.value_of(line, code), first_value(code)) << code;
    // Kept runs, a moved tag, a changed value on a read tag and a new tag, all in one object.
    std::vector<Tag> wanted(read.begin(), read.begin() + 3);
    wanted.push_back(read[4]);
    wanted.push_back(read[3]);
    Tag changed = read[5];
    changed.value = "changed";
    changed.code = 1000;
    wanted.push_back(changed);
    wanted.insert(wanted.end(), read.begin() + 6, read.end());
    wanted.push_back(d.make_int(1071, 7));
    d.replace_tags(line, wanted);
    std::vector<Tag> back = d.tags(line);
    EXPECT_EQ(d.value_of(line, 1000), "changed");
    EXPECT_EQ(d.value_of(line, 1071), "7");
    ASSERT_EQ(back.size(), wanted.size());
    for (std::size_t i = 0; i < back.size(); ++i) {
      SCOPED_TRACE(i);
      EXPECT_EQ(back[i], wanted[i]);
      EXPECT_EQ(back[i].source_offset, wanted[i].source_offset);
      EXPECT_EQ(back[i].source_length, wanted[i].source_length);
    }
    // Written and read again, the object holds the same codes and values.
    Document reread = Document::parse(d.bytes(), "reread");
    std::vector<Tag> again = reread.tags(first_of(reread, "LINE"));
    ASSERT_EQ(again.size(), wanted.size());
    for (std::size_t i = 0; i < again.size(); ++i)
      EXPECT_EQ(again[i].code, wanted[i].code);
  }
}

TEST(Edit, PaperSpaceFlagIsFoundAsReadAndAfterEdits) {
  // Listing a block's entities asks each one for its 67 tag; the answer must follow the edits.
  const std::string drawing =
      "  0\nSECTION\n  2\nENTITIES\n"
      "  0\nLINE\n  5\n1A\n  8\n0\n 67\n1\n 10\n0\n 20\n0\n 11\n1\n 21\n1\n"
      "  0\nLINE\n  5\n1B\n  8\n0\n 10\n0\n 20\n0\n 11\n1\n 21\n1\n"
      "  0\nENDSEC\n  0\nEOF\n";
  Document d = Document::parse(drawing, "spaces.dxf");
  const ObjectId paper = *d.find(0x1A);
  const ObjectId model = *d.find(0x1B);
  EXPECT_EQ(d.value_of(paper, 67), "1");
  EXPECT_EQ(d.value_of(model, 67), std::nullopt);
  // Moved to paper space, and back to the tags it was read with.
  const std::vector<Tag> read = d.tags(model);
  std::vector<Tag> moved = read;
  moved.insert(moved.begin() + 3, d.make_int(67, 1));
  d.replace_tags(model, moved);
  EXPECT_EQ(d.value_of(model, 67), "1");
  d.replace_tags(model, read);
  EXPECT_FALSE(d.changed(model));
  EXPECT_EQ(d.value_of(model, 67), std::nullopt);
  // Taken out of paper space.
  std::vector<Tag> out = d.tags(paper);
  out.erase(out.begin() + 3);
  d.replace_tags(paper, out);
  EXPECT_EQ(d.value_of(paper, 67), std::nullopt);
  EXPECT_EQ(Document::parse(d.bytes(), "again.dxf").value_of(*d.find(0x1B), 67), std::nullopt);
}

TEST(Edit, ReadTagsChangedByALineEndOrTheirCodeAreNotTakenAsUnchanged) {
  // An unchanged read tag is kept from its bytes; these look like their source but are not.
  const std::string drawing =
      "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n"
      "  0\r\nLINE\r\n  5\r\n1A\r\n  8\r\nWalls\r\n 10\r\n0\r\n 20\r\n0\r\n"
      "  0\r\nENDSEC\r\n  0\r\nEOF\r\n";
  Document d = Document::parse(drawing, "ends.dxf");
  const ObjectId line = *d.find(0x1A);
  for (const char* end : {"\r", "\r\n", "\n"}) {
    std::vector<Tag> tags = d.tags(line);
    tags[2].value += end;
    EXPECT_THROW(d.replace_tags(line, tags), zdxf::Error) << "line end " << tags[2].value.size();
  }
  // The same value under another code is a new tag, written with its own code.
  std::vector<Tag> tags = d.tags(line);
  tags[2].code = 1000;
  tags.push_back(tags[2]);
  tags.erase(tags.begin() + 2);
  d.replace_tags(line, tags);
  const std::string written = d.bytes();
  EXPECT_NE(written.find("1000\r\nWalls\r\n"), std::string::npos);
  EXPECT_EQ(written.find("  8\r\nWalls"), std::string::npos);
  // Unchanged, the object is written back byte for byte.
  Document again = Document::parse(drawing, "ends.dxf");
  again.replace_tags(line, again.tags(line));
  EXPECT_EQ(again.bytes(), drawing);
}

TEST(Edit, ReplacingTheXdataKeepsTheObjectsOwnBytes) {
  const std::string plain = "  0\r\nLINE\r\n  8\r\n0\r\n 10\r\n1.5\r\n 20\r\n2.5\r\n";
  const std::string tagged =
      "  0\r\nLINE\r\n  8\r\n0\r\n 10\r\n3.5\r\n1001\r\nACAD\r\n1000\r\nold\r\n";
  const std::string bytes =
      "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n" + plain + tagged + "  0\r\nENDSEC\r\n  0\r\nEOF\r\n";
  Document d = Document::parse(bytes, "xdata.dxf");
  const ObjectId first = first_of(d, "LINE");
  const ObjectId second = first + 1;
  ASSERT_EQ(d.type(second), "LINE");

  // Without xdata: none read; new xdata follows the object's own bytes, in its style.
  EXPECT_TRUE(d.xdata_tags(first).empty());
  d.replace_xdata(first, {{1001, "ZANT"}, {1000, "new"}});
  EXPECT_NE(d.bytes().find(plain + "1001\r\nZANT\r\n1000\r\nnew\r\n" + tagged), std::string::npos);
  EXPECT_EQ(d.xdata_tags(first), (std::vector<Tag>{{1001, "ZANT"}, {1000, "new"}}));

  // With xdata: read as the tail of the object's tags; given back unchanged, the object stays as
  // read; emptied, its own bytes remain.
  std::vector<Tag> old = d.xdata_tags(second);
  const std::vector<Tag> all = d.tags(second);
  ASSERT_EQ(old.size(), 2u);
  EXPECT_TRUE(std::equal(old.begin(), old.end(), all.end() - 2));
  EXPECT_EQ(old[1].source_offset, all[all.size() - 1].source_offset);
  d.replace_xdata(second, old);
  EXPECT_FALSE(d.changed(second));
  d.replace_xdata(second, {});
  EXPECT_EQ(d.tags(second).size(), all.size() - 2);
  EXPECT_NE(d.bytes().find("3.5\r\n  0\r\nENDSEC"), std::string::npos);

  // An edited object's xdata is replaced again.
  d.replace_xdata(first, {{1001, "ACAD"}, {1000, "again"}});
  EXPECT_EQ(d.xdata_tags(first), (std::vector<Tag>{{1001, "ACAD"}, {1000, "again"}}));
  EXPECT_NE(d.bytes().find(plain + "1001\r\nACAD\r\n1000\r\nagain\r\n"), std::string::npos);

  // Refused values and tags that would change the object's structure change nothing, whether
  // the object is as read or edited already.
  Document as_read = Document::parse(bytes, "xdata.dxf");
  for (Document* doc : {&as_read, &d}) {
    for (ObjectId id : {first, second}) {
      const std::vector<Tag> before = doc->tags(id);
      EXPECT_THROW(doc->replace_xdata(id, {{1001, "ZANT"}, {1000, "two\nlines"}}), zdxf::Error);
      EXPECT_THROW(doc->replace_xdata(id, {{0, "LINE"}}), zdxf::Error);
      EXPECT_THROW(doc->replace_xdata(id, {{5, "2A"}}), zdxf::Error);
      EXPECT_EQ(doc->tags(id), before);
    }
  }
  EXPECT_FALSE(as_read.changed(first) || as_read.changed(second));
}

TEST(Edit, TheSameNewXdataGivenToManyObjectsIsWrittenForEach) {
  const std::string line = "  0\r\nLINE\r\n  8\r\n0\r\n";
  std::string bytes = "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n";
  for (int i = 0; i < 5; ++i)
    bytes += line;
  bytes += "  0\r\nENDSEC\r\n  0\r\nEOF\r\n";
  Document d = Document::parse(bytes, "same.dxf");
  std::vector<ObjectId> lines;
  for (ObjectId id : d.objects()) {
    if (d.type(id) == "LINE")
      lines.push_back(id);
  }
  ASSERT_EQ(lines.size(), 5u);
  const std::vector<Tag> record{{1001, "APP"}, {1000, "v"}};
  for (ObjectId id : {lines[0], lines[1], lines[2]})
    d.replace_xdata(id, record);
  // A refused value between two same records changes nothing and is not taken for one.
  EXPECT_THROW(d.replace_xdata(lines[3], {{1001, "APP"}, {1000, "v\n"}}), zdxf::Error);
  d.replace_xdata(lines[3], record);
  d.replace_xdata(lines[4], {{1001, "APP"}, {1000, "w"}});
  d.replace_xdata(lines[1], record);
  const std::string v = "1001\r\nAPP\r\n1000\r\nv\r\n";
  const std::string expected = "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n" + line + v + line + v +
                               line + v + line + v + line + "1001\r\nAPP\r\n1000\r\nw\r\n" +
                               "  0\r\nENDSEC\r\n  0\r\nEOF\r\n";
  EXPECT_EQ(d.bytes(), expected);
  for (ObjectId id : {lines[0], lines[1], lines[2], lines[3]})
    EXPECT_EQ(d.xdata_tags(id), record);
}
