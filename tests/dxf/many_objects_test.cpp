// Drawings of many objects, edited the way a command tagging a whole drawing edits them: handles
// out of file order, lines ending in LF, CRLF or CR, every entity given the same xdata block and
// then blocks of its own again and again, and the former tags put back.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "zdxf/document.h"

using zdxf::Document;
using zdxf::ObjectId;
using zdxf::Tag;

namespace {

constexpr int kEntities = 700;
const char* const kEnds[] = {"\n", "\r\n", "\r"};

// A drawing written as it is built, with the line of each entity's `0` and `5` tags.
struct Drawing {
  std::string text;
  int lines = 0;
  std::vector<int> entity_line;  // line of each entity's `0`
  std::vector<int> handle_line;  // line of each entity's `5`
  std::vector<std::string> entity_text;
  std::vector<std::string> handle;

  void tag(const std::string& code, const std::string& value, const char* end = "\n") {
    text += code + end + value + end;
    lines += 2;
  }
};

std::string hex(int value) {
  char text[16];
  std::snprintf(text, sizeof text, "%X", value);
  return text;
}

// Handle of entity i: a permutation of 100.. so that file order and handle order differ.
std::string handle_of(int i) {
  return hex(0x100 + (i * 389) % kEntities);
}

// Handles in four rising runs, the last quarter of the entities holding the lowest handles: as a
// drawing whose sections got their handles in another order than the file's.
std::string handle_in_runs(int i) {
  const int quarter = kEntities / 4;
  return hex(0x100 + (3 - i / quarter) * quarter + i % quarter);
}

// `duplicate`: the last entity reuses the first one's handle.
Drawing make_drawing(bool duplicate, std::string (*handle)(int) = handle_of) {
  Drawing d;
  d.tag("  0", "SECTION");
  d.tag("  2", "HEADER");
  d.tag("  9", "$ACADVER");
  d.tag("  1", "AC1015");
  d.tag("  9", "$HANDSEED");
  d.tag("  5", "FFFF");
  d.tag("  0", "ENDSEC");
  d.tag("  0", "SECTION");
  d.tag("  2", "ENTITIES");
  for (int i = 0; i < kEntities; ++i) {
    const char* end = kEnds[i % 3];
    const std::size_t from = d.text.size();
    d.entity_line.push_back(d.lines + 1);
    d.tag("  0", "LINE", end);
    d.handle_line.push_back(d.lines + 1);
    d.handle.push_back(duplicate && i == kEntities - 1 ? handle(0) : handle(i));
    d.tag("  5", d.handle.back(), end);
    d.tag("  8", "0", end);
    d.tag(" 10", std::to_string(i) + ".0", end);
    d.tag(" 11", std::to_string(i + 1) + ".0", end);
    d.entity_text.push_back(d.text.substr(from));
  }
  d.tag("  0", "ENDSEC");
  d.tag("  0", "EOF");
  return d;
}

// The entities in file order.
std::vector<ObjectId> entities(const Document& doc) {
  std::vector<ObjectId> out;
  for (ObjectId id : doc.objects()) {
    if (doc.type(id) == "LINE")
      out.push_back(id);
  }
  return out;
}

// The drawing with `block(i)` (application APP, 1000 strings) appended to entity i, in the
// entity's own line ends.
std::string tagged(const Drawing& d, const std::function<std::string(int)>& value) {
  std::string out = d.text;
  std::size_t at = 0;
  for (int i = 0; i < kEntities; ++i) {
    at = out.find(d.entity_text[i], at) + d.entity_text[i].size();
    const std::string end = kEnds[i % 3];
    const std::string block = "1001" + end + "APP" + end + "1000" + end + value(i) + end;
    out.insert(at, block);
    at += block.size();
  }
  return out;
}

}  // namespace

TEST(ManyObjects, HandlesOutOfOrderAreFoundAndLinesCountedFromAnyLineEnd) {
  const Drawing d = make_drawing(false);
  Document doc = Document::parse(d.text, "many.dxf");
  EXPECT_TRUE(doc.warnings().empty());
  const std::vector<ObjectId> ids = entities(doc);
  ASSERT_EQ(ids.size(), static_cast<std::size_t>(kEntities));
  for (int i = 0; i < kEntities; ++i) {
    const auto found = doc.find(std::stoull(d.handle[i], nullptr, 16));
    ASSERT_TRUE(found.has_value()) << d.handle[i];
    EXPECT_EQ(*found, ids[i]);
  }
  EXPECT_FALSE(doc.find(0x100 + kEntities).has_value());

  // A refused value names the line of its object, however far into the drawing.
  for (int i : {0, 63, 64, 65, 200, kEntities - 1}) {
    std::vector<Tag> tags = doc.tags(ids[i]);
    tags.emplace_back(70, "seven");
    try {
      doc.replace_tags(ids[i], tags);
      ADD_FAILURE() << "entity " << i << " took a bad value";
    } catch (const zdxf::Error& e) {
      EXPECT_EQ(
          std::string(e.what()).rfind("many.dxf:" + std::to_string(d.entity_line[i]) + ":", 0), 0u)
          << e.what();
    }
  }
  EXPECT_EQ(doc.bytes(), d.text);

  // A handle used again is named at its `5` line, the first use at its object's line.
  const Drawing dup = make_drawing(true);
  Document twice = Document::parse(dup.text, "dup.dxf");
  ASSERT_EQ(twice.warnings().size(), 1u);
  EXPECT_EQ(twice.warnings()[0].message,
            "dup.dxf:" + std::to_string(dup.handle_line.back()) + ": handle " + dup.handle[0] +
                " is used again (first at line " + std::to_string(dup.entity_line[0]) +
                "); lookups find the first");
  EXPECT_EQ(*twice.find(std::stoull(dup.handle[0], nullptr, 16)), entities(twice).front());

  // Handles in a few rising runs, a duplicate among them: each found, the first use of one.
  const Drawing runs = make_drawing(true, handle_in_runs);
  Document in_runs = Document::parse(runs.text, "runs.dxf");
  EXPECT_EQ(in_runs.warnings().size(), 1u);
  const std::vector<ObjectId> run_ids = entities(in_runs);
  for (int i = 0; i + 1 < kEntities; ++i)
    EXPECT_EQ(in_runs.find(std::stoull(runs.handle[i], nullptr, 16)), run_ids[i]) << i;
  EXPECT_FALSE(in_runs.find(0x100 + kEntities).has_value());
}

TEST(ManyObjects, TaggingEveryEntityAgainAndAgainWritesExactlyTheLastBlocks) {
  const Drawing d = make_drawing(false);
  Document doc = Document::parse(d.text, "many.dxf");
  const std::vector<ObjectId> ids = entities(doc);

  // The same block for all, as one command tags a drawing.
  for (ObjectId id : ids)
    doc.set_xdata(id, "APP", {{1000, "LIST_BODY"}});
  EXPECT_EQ(doc.bytes(), tagged(d, [](int) { return std::string("LIST_BODY"); }));
  EXPECT_EQ(doc.xdata(ids[kEntities / 2], "APP")->front().value, "LIST_BODY");

  // Blocks of their own, replaced round after round: the replaced ones are dropped from memory
  // along the way, and what is written is each entity's latest block.
  auto value = [](int round, int i) {
    return "round " + std::to_string(round) + " entity " + std::to_string(i) +
           std::string(1500, 'x');
  };
  constexpr int kRounds = 4;
  for (int round = 0; round < kRounds; ++round) {
    for (int i = 0; i < kEntities; ++i)
      doc.set_xdata(ids[i], "APP", {{1000, value(round, i)}});
  }
  EXPECT_EQ(doc.bytes(), tagged(d, [&](int i) { return value(kRounds - 1, i); }));
  for (int i : {0, 1, kEntities - 1})
    EXPECT_EQ(doc.xdata(ids[i], "APP")->front().value, value(kRounds - 1, i));
}

TEST(ManyObjects, SnapshotsPutBackTheTagsTheyWereTakenFrom) {
  const Drawing d = make_drawing(false);
  Document doc = Document::parse(d.text, "many.dxf");
  const std::vector<ObjectId> ids = entities(doc);
  const ObjectId one = ids[10], other = ids[11];

  const std::string as_read = doc.snapshot(one);
  doc.set_xdata(one, "APP", {{1000, "first"}});
  const std::vector<Tag> first = doc.tags(one);
  const std::string after_first = doc.snapshot(one);
  doc.set_xdata(one, "APP", {{1000, "second"}});
  doc.set_xdata(other, "APP", {{1000, "other"}});

  doc.restore(one, after_first);
  EXPECT_EQ(doc.tags(one), first);
  EXPECT_TRUE(doc.changed(one));

  // Back as read: unchanged again, written from its own bytes.
  doc.restore(one, as_read);
  EXPECT_FALSE(doc.changed(one));
  doc.restore(other, doc.snapshot(other));
  EXPECT_EQ(doc.xdata(other, "APP")->front().value, "other");
  std::string expected = d.text;
  const std::size_t at = expected.find(d.entity_text[11]) + d.entity_text[11].size();
  const std::string end = kEnds[11 % 3];
  expected.insert(at, "1001" + end + "APP" + end + "1000" + end + "other" + end);
  EXPECT_EQ(doc.bytes(), expected);
}

TEST(ManyObjects, LargeAndSmallEditsInAnyOrderKeepTheirBytes) {
  const Drawing d = make_drawing(false);
  Document doc = Document::parse(d.text, "many.dxf");
  const std::vector<ObjectId> ids = entities(doc);
  // A record too large to share a block with others, first, then small ones, then large again.
  auto value = [](int i) {
    return i % 50 == 0 ? std::string(400000, static_cast<char>('a' + i % 26))
                       : "small " + std::to_string(i);
  };
  for (int i = 0; i < kEntities; ++i)
    doc.set_xdata(ids[i], "APP", {{1000, value(i)}});
  EXPECT_EQ(doc.bytes(), tagged(d, value));
  for (int i : {0, 1, 50, kEntities - 1})
    EXPECT_EQ(doc.xdata(ids[i], "APP")->front().value, value(i));
}
