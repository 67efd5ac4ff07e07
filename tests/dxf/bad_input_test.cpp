// Bad drawings: a clear error naming the file and line, or a warning where the host recovers;
// never a crash (these tests also run under the sanitizers).
#include <gtest/gtest.h>

#include <random>

#include "test_support.h"
#include "zdxf/document.h"

using zdxf::Document;
using zdxf_test::data_dir;
using zdxf_test::read_file;

namespace {

std::string error_of(const std::string& bytes) {
  try {
    Document::parse(bytes, "bad.dxf");
  } catch (const zdxf::Error& e) {
    return e.what();
  }
  return "no error";
}

const char kMinimal[] =
    "  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\n  1\nAC1015\n  9\n$HANDSEED\n  5\n30\n"
    "  0\nENDSEC\n  0\nSECTION\n  2\nENTITIES\n"
    "  0\nLINE\n  5\n2A\n  8\n0\n 10\n0.0\n"
    "  0\nLINE\n  5\n2B\n  8\n0\n 10\n1.0\n"
    "  0\nENDSEC\n  0\nEOF\n";

std::string with(std::string s, const std::string& from, const std::string& to) {
  s.replace(s.find(from), from.size(), to);
  return s;
}

}  // namespace

TEST(BadInput, ErrorsNameFileLineAndProblem) {
  EXPECT_EQ(error_of(""), "bad.dxf: the file is empty");
  EXPECT_EQ(error_of("\x89PNG\r\n\x1a\n\0\0\0\rIHDR"),
            "bad.dxf:1: expected a group code, found '?PNG'");
  EXPECT_EQ(error_of("hello world\n"), "bad.dxf:1: expected a group code, found 'hello world'");
  EXPECT_EQ(error_of("999\nonly a comment\n"), "bad.dxf:3: no DXF objects found (not a DXF file?)");
  EXPECT_EQ(error_of(with(kMinimal, "  0\nEOF\n", "")),
            "bad.dxf:37: the file ends without 0/EOF (cut short?)");
  EXPECT_EQ(error_of(with(kMinimal, " 10\n1.0\n", " 10\n")),
            "bad.dxf:35: expected a group code, found 'ENDSEC'");
  EXPECT_EQ(error_of(with(kMinimal, "  0\nENDSEC\n  0\nEOF\n", "  0\nEOF\n")),
            "bad.dxf:35: section ENTITIES is not closed before EOF");
  EXPECT_EQ(error_of(with(kMinimal, "AC1015", "AC1099")),
            "bad.dxf:8: unknown DXF version 'AC1099'");
  EXPECT_EQ(error_of(with(kMinimal, "  9\n$HANDSEED",
                          "  9\n$DWGCODEPAGE\n  3\nANSI_9999\n  9\n$HANDSEED")),
            "bad.dxf:12: unknown code page 'ANSI_9999' in $DWGCODEPAGE");
  EXPECT_EQ(error_of(with(kMinimal, "  0\nENDSEC\n  0\nSECTION", "  0\nSECTION")),
            "bad.dxf:13: section HEADER is not closed (no ENDSEC)");
  EXPECT_EQ(error_of(with(kMinimal, "ENTITIES", "HEADER")),
            "bad.dxf:17: section HEADER appears twice");
  EXPECT_EQ(error_of("  0\nSECTION\n  2\nTABLES\n  0\nTABLE\n  2\nAPPID\n  0\nENDSEC\n  0\nEOF\n"),
            "bad.dxf:9: table is not closed (no ENDTAB)");
  // A UTF-8 (AC1021+) drawing does not depend on $DWGCODEPAGE, so a strange one is no error.
  EXPECT_EQ(error_of(with(with(kMinimal, "AC1015", "AC1032"), "  9\n$HANDSEED",
                          "  9\n$DWGCODEPAGE\n  3\nANSI_9999\n  9\n$HANDSEED")),
            "no error");

  // Binary: the place is a byte offset.
  std::string bin = read_file(data_dir() / "binary/ezdxf_r2000_binary.dxf");
  std::string cut = bin.substr(0, 1000);
  std::string message = error_of(cut);
  EXPECT_EQ(message.rfind("bad.dxf: byte ", 0), 0u) << message;

  try {
    Document::open((data_dir() / "no/such/file.dxf").string());
    ADD_FAILURE() << "opened a missing file";
  } catch (const zdxf::Error& e) {
    EXPECT_NE(std::string(e.what()).find("file.dxf: cannot open the file"), std::string::npos);
  }
}

TEST(BadInput, RecoverableProblemsWarn) {
  // Duplicate handle: kept, warned, lookups find the first.
  Document dup = Document::parse(with(kMinimal, "2B", "2A"), "dup.dxf");
  ASSERT_EQ(dup.warnings().size(), 1u);
  EXPECT_EQ(dup.warnings()[0].message,
            "dup.dxf:29: handle 2A is used again (first at line 19); lookups find the first");
  EXPECT_EQ(dup.find(0x2A), dup.objects()[3]);
  EXPECT_EQ(dup.bytes(), with(kMinimal, "2B", "2A"));

  // $HANDSEED not above a used handle: raised, warned.
  Document low = Document::parse(with(kMinimal, "  5\n30\n", "  5\n2B\n"), "low.dxf");
  ASSERT_EQ(low.warnings().size(), 1u);
  EXPECT_EQ(low.warnings()[0].message,
            "low.dxf: $HANDSEED 2B is not above the highest handle 2B; new handles start at 2C");
  EXPECT_EQ(low.allocate_handle(), 0x2Cu);

  // No $HANDSEED in an R13+ drawing: the next handle follows the highest one, and allocating
  // adds the variable to the header.
  Document none = Document::parse(with(kMinimal, "  9\n$HANDSEED\n  5\n30\n", ""), "none.dxf");
  ASSERT_EQ(none.warnings().size(), 1u);
  EXPECT_EQ(none.handle_seed(), 0x2Cu);
  EXPECT_EQ(none.allocate_handle(), 0x2Cu);
  Document reread = Document::parse(none.bytes(), "none.dxf");
  EXPECT_TRUE(reread.warnings().empty());
  EXPECT_EQ(reread.handle_seed(), 0x2Du);

  // An invalid handle is kept as bytes, the object just has none.
  Document bad = Document::parse(with(kMinimal, "2B", "XYZ"), "h.dxf");
  ASSERT_EQ(bad.warnings().size(), 1u);
  EXPECT_FALSE(bad.handle(bad.objects()[4]).has_value());
}

TEST(BadInput, TruncatedAndDamagedRealDrawingsNeverCrash) {
  std::mt19937 rng(1234);
  for (const auto& path : zdxf_test::real_drawings()) {
    SCOPED_TRACE(path.string());
    std::string bytes = read_file(path);
    // Cut at many points: every cut before the final EOF is an error naming the file.
    for (std::size_t cut = 0; cut + 8 < bytes.size(); cut += 1 + bytes.size() / 97) {
      try {
        Document::parse(bytes.substr(0, cut), "cut.dxf");
        ADD_FAILURE() << "cut at " << cut << " was accepted";
      } catch (const zdxf::Error& e) {
        EXPECT_EQ(std::string(e.what()).rfind("cut.dxf", 0), 0u);
      }
    }
    // Random byte damage: either an error or a drawing that saves back its own bytes.
    for (int round = 0; round < 40; ++round) {
      std::string damaged = bytes;
      for (int k = 0; k < 4; ++k) {
        damaged[rng() % damaged.size()] = static_cast<char>(rng() & 0xFF);
      }
      try {
        Document d = Document::parse(damaged, "damaged.dxf");
        EXPECT_EQ(d.bytes(), damaged);
        for (zdxf::ObjectId id : d.objects()) {
          for (const auto& t : d.tags(id))
            d.decode(t.value);
        }
      } catch (const zdxf::Error&) {
      }
    }
  }
  // Pure junk.
  for (int round = 0; round < 200; ++round) {
    std::string junk(rng() % 300, '\0');
    for (char& c : junk)
      c = static_cast<char>(rng() & 0xFF);
    if (round % 2 == 0)
      junk = std::string("AutoCAD Binary DXF\r\n\x1a\0", 22) + junk;
    EXPECT_THROW(Document::parse(junk, "junk.dxf"), zdxf::Error);
  }
}

TEST(BadInput, GroupCodesInEveryWrittenForm) {
  // Codes padded with blanks or TABs, with leading zeros, negative, or long, read alike; a sign
  // or anything else around the digits is refused with the line it is on.
  for (const char* form : {" 8", "8", "\t8 ", "008", "00008", "  8\t"}) {
    SCOPED_TRACE(form);
    const std::string bytes =
        with(kMinimal, "  8\n0\n 10\n0.0", std::string(form) + "\n0\n 10\n0.0");
    Document d = Document::parse(bytes, "codes.dxf");
    EXPECT_EQ(d.value_of(*d.find(0x2A), 8), "0");
    EXPECT_EQ(d.bytes(), bytes);
  }
  Document negative = Document::parse(with(kMinimal, " 10\n0.0", " -3\nx\n1071\n70000"), "n.dxf");
  const std::vector<zdxf::Tag> tags = negative.tags(*negative.find(0x2A));
  EXPECT_EQ(tags.at(tags.size() - 2).code, -3);
  EXPECT_EQ(tags.back().code, 1071);
  for (const char* form : {"+8", "- 8", "8 8", "8x", "", "99999999999"}) {
    SCOPED_TRACE(form);
    EXPECT_EQ(error_of(with(kMinimal, "  8\n0\n 10\n0.0", std::string(form) + "\n0\n 10\n0.0")),
              "bad.dxf:23: expected a group code, found '" + std::string(form) + "'");
  }
}
