// Strings between drawing bytes and the host's UTF-16.
#include <gtest/gtest.h>

#include "test_support.h"
#include "zdxf/document.h"
#include "zdxf/text_codec.h"

using zdxf::Document;
using zdxf::TextCodec;

TEST(TextCodec, CodePageEscapesAndCarets) {
  TextCodec cp1252(false, "ANSI_1252");
  // A character the code page has is one byte; one it lacks is written \U+XXXX.
  EXPECT_EQ(cp1252.encode(u"Caf\u00e9 \u0416"), "Caf\xe9 \\U+0416");
  EXPECT_EQ(cp1252.decode("Caf\xe9 \\U+0416"), u"Caf\u00e9 \u0416");
  // Control characters travel as caret codes; a real caret is "^ ".
  EXPECT_EQ(cp1252.encode(u"a\nb\tc^d"), "a^Jb^Ic^ d");
  EXPECT_EQ(cp1252.decode("a^Jb^Ic^ d"), u"a\nb\tc^d");
  // A caret before something that is not a caret code stays as it is.
  EXPECT_EQ(cp1252.decode("x^y^"), u"x^y^");
  // Bytes the code page leaves undefined decode to U+FFFD instead of failing.
  EXPECT_EQ(cp1252.decode("\x81"), u"\uFFFD");

  TextCodec cp1251(false, "ANSI_1251");
  EXPECT_EQ(cp1251.encode(u"\u0416 \u00e9"), "\xc6 \\U+00E9");
  EXPECT_EQ(cp1251.decode("\xc6\xe4\xee\xec"), u"\u0416\u0434\u043e\u043c");

  // East-Asian code pages, and \M+n escapes (n=1: CP932, 0x82A0 = HIRAGANA A).
  TextCodec cp932(false, "ANSI_932");
  EXPECT_EQ(cp932.decode("\x82\xa0"), u"\u3042");
  EXPECT_EQ(cp1252.decode("\\M+182A0"), u"\u3042");
  EXPECT_EQ(cp932.encode(u"\u3042"), "\x82\xa0");

  TextCodec utf8(true, "ANSI_1252");
  EXPECT_EQ(utf8.encode(u"\u0416\U0001F600^"), "\xd0\x96\xf0\x9f\x98\x80^ ");
  EXPECT_EQ(utf8.decode("\xd0\x96\xf0\x9f\x98\x80 \\U+00E9"), u"\u0416\U0001F600 \u00e9");
  EXPECT_EQ(utf8.decode("\xff\xc3"), u"\uFFFD\uFFFD");

  EXPECT_THROW(TextCodec(false, "ANSI_99999"), std::invalid_argument);
  EXPECT_THROW(TextCodec(false, "KLINGON"), std::invalid_argument);
  EXPECT_TRUE(TextCodec::known_code_page("DOS850"));
  EXPECT_FALSE(TextCodec::known_code_page("DOS"));
}

TEST(TextCodec, TextOfRealDrawings) {
  auto text_of = [](const Document& d) {
    for (zdxf::ObjectId id : d.objects()) {
      if (d.type(id) != "TEXT")
        continue;
      for (const auto& t : d.tags(id)) {
        if (t.code == 1)
          return d.decode(t.value);
      }
    }
    return std::u16string();
  };
  using zdxf_test::data_dir;
  EXPECT_EQ(text_of(Document::open((data_dir() / "ac1009/ezdxf_r12.dxf").string())),
            u"Caf\u00e9 \u0416");
  EXPECT_EQ(text_of(Document::open((data_dir() / "ac1015/ezdxf_r2000_cp1251.dxf").string())),
            u"\u0416 \u0434\u043e\u043c");
  EXPECT_EQ(text_of(Document::open((data_dir() / "ac1032/ezdxf_r2018.dxf").string())),
            u"Caf\u00e9 \u0416");
  EXPECT_EQ(text_of(Document::open((data_dir() / "binary/ezdxf_r2000_binary.dxf").string())),
            u"Caf\u00e9 \u0416");
  // MTEXT keeps its own \P. ezdxf wrote the caret of "with ^ caret" unescaped, so by the caret
  // rule its "^ " reads back as a lone caret, as the host reads it.
  Document r2018 = Document::open((data_dir() / "ac1032/ezdxf_r2018.dxf").string());
  for (zdxf::ObjectId id : r2018.objects()) {
    if (r2018.type(id) != "MTEXT")
      continue;
    for (const auto& t : r2018.tags(id)) {
      if (t.code == 1) {
        EXPECT_EQ(r2018.decode(t.value), u"line one\\Pline two with ^caret");
      }
    }
  }
}
