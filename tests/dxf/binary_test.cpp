// Binary DXF: every value family, 1- and 2-byte group codes, the 255 escape, written back
// unchanged and re-encoded after an edit.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

#include "zdxf/document.h"

using zdxf::Document;
using zdxf::Tag;

namespace {

class BinaryWriter {
 public:
  explicit BinaryWriter(int code_width) : width_(code_width) {
    out_.assign("AutoCAD Binary DXF\r\n\x1a\0", 22);
  }
  BinaryWriter& code(int c) {
    if (width_ == 1 && c < 255) {
      out_ += static_cast<char>(c);
    } else {
      if (width_ == 1)
        out_ += '\xFF';
      put<std::int16_t>(static_cast<std::int16_t>(c));
    }
    return *this;
  }
  BinaryWriter& str(int c, const std::string& s) {
    code(c);
    out_ += s;
    out_ += '\0';
    return *this;
  }
  template <typename T>
  BinaryWriter& num(int c, T v) {
    code(c);
    put<T>(v);
    return *this;
  }
  BinaryWriter& chunk(int c, const std::string& bytes) {
    code(c);
    out_ += static_cast<char>(bytes.size());
    out_ += bytes;
    return *this;
  }
  const std::string& bytes() const { return out_; }

 private:
  template <typename T>
  void put(T v) {
    char b[sizeof v];
    std::memcpy(b, &v, sizeof v);
    out_.append(b, sizeof v);
  }
  int width_;
  std::string out_;
};

std::string drawing(int width) {
  BinaryWriter w(width);
  w.str(0, "SECTION").str(2, "ENTITIES").str(0, "LINE").str(5, "1A");
  w.num<double>(10, -1.5).num<std::int16_t>(70, -3).num<std::int32_t>(90, 70000);
  w.num<std::int64_t>(160, 5000000000LL).num<std::uint8_t>(290, 1);
  w.chunk(310, std::string("\x01\xAB\x00", 3)).num<std::int16_t>(1070, 12);
  w.str(1001, "APP").num<std::int32_t>(1071, -9).chunk(1004, "\xFF").num<double>(1040, 0.25);
  w.str(0, "ENDSEC").str(0, "EOF");
  return w.bytes();
}

}  // namespace

TEST(Binary, EveryValueFamilyInBothCodeWidths) {
  for (int width : {1, 2}) {
    SCOPED_TRACE(width);
    std::string bytes = drawing(width);
    Document d = Document::parse(bytes, "bin.dxf");
    EXPECT_EQ(d.format(), zdxf::Format::Binary);
    EXPECT_EQ(d.bytes(), bytes);
    zdxf::ObjectId line = d.objects()[1];
    EXPECT_EQ(d.find(0x1A), line);
    std::vector<std::pair<int, std::string>> got;
    for (const Tag& t : d.tags(line))
      got.emplace_back(t.code, t.value);
    std::vector<std::pair<int, std::string>> want{
        {0, "LINE"},         {5, "1A"},    {10, "-1.5"},    {70, "-3"},   {90, "70000"},
        {160, "5000000000"}, {290, "1"},   {310, "01AB00"}, {1070, "12"}, {1001, "APP"},
        {1071, "-9"},        {1004, "FF"}, {1040, "0.25"}};
    EXPECT_EQ(got, want);

    // Change every value: each is encoded back in its binary form.
    std::vector<Tag> tags = d.tags(line);
    tags[2].value = "2.75";
    tags[3].value = "-32768";
    tags[4].value = "-2147483648";
    tags[5].value = "-1";
    tags[6].value = "0";
    tags[7].value = "CAFE";
    tags[8].value = "1000";
    d.replace_tags(line, tags);
    d.set_xdata(line, "APP",
                {d.make_int(1071, 2147483647), Tag(1004, ""), d.make_real(1040, 1e300)});
    Document back = Document::parse(d.bytes(), "bin2.dxf");
    got.clear();
    for (const Tag& t : back.tags(line))
      got.emplace_back(t.code, t.value);
    want = {{0, "LINE"},          {5, "1A"},  {10, "2.75"},    {70, "-32768"}, {90, "-2147483648"},
            {160, "-1"},          {290, "0"}, {310, "CAFE"},   {1070, "1000"}, {1001, "APP"},
            {1071, "2147483647"}, {1004, ""}, {1040, "1e+300"}};
    EXPECT_EQ(got, want);
    // Only the LINE changed: the bytes before it are the same.
    EXPECT_EQ(d.bytes().substr(0, 30), bytes.substr(0, 30));
  }
}

TEST(Binary, CutShortOrMalformed) {
  std::string bytes = drawing(2);
  for (std::size_t cut = 22; cut < bytes.size(); ++cut) {
    EXPECT_THROW(Document::parse(bytes.substr(0, cut), "cut.dxf"), zdxf::Error) << cut;
  }
  // A string without its NUL at the end of the file.
  std::string no_nul = bytes.substr(0, bytes.size() - 1);
  try {
    Document::parse(no_nul, "nonul.dxf");
    ADD_FAILURE();
  } catch (const zdxf::Error& e) {
    EXPECT_NE(std::string(e.what()).find("nonul.dxf: byte "), std::string::npos) << e.what();
    EXPECT_NE(std::string(e.what()).find("has no end"), std::string::npos) << e.what();
  }
}
