// Small readers of an object's tags shared by the database's sources.
#include <algorithm>
#include <array>
#include <cstring>
#include <cstdlib>

#include "../../rx/src/resbufmemory.h"
#include "../../rx/src/textcase.h"
#include "dbdata.h"

namespace zacad {

std::u16string decode(const ObjectState& s, const zdxf::Tag& tag) {
  return s.stub->db->doc->decode(tag.value);
}

const zdxf::Tag* findTag(const std::vector<zdxf::Tag>& tags, int code) {
  const size_t end = xdataStart(tags);
  for (size_t i = 1; i < end; ++i) {
    if (tags[i].code == code)
      return &tags[i];
  }
  return nullptr;
}

double realAt(const std::vector<zdxf::Tag>& tags, int code, double fallback) {
  const zdxf::Tag* tag = findTag(tags, code);
  if (tag == nullptr)
    return fallback;
  return tag->as_double().value_or(fallback);
}

long long intAt(const std::vector<zdxf::Tag>& tags, int code, long long fallback) {
  const zdxf::Tag* tag = findTag(tags, code);
  if (tag == nullptr)
    return fallback;
  return tag->as_int().value_or(fallback);
}

AcGePoint3d pointAt(const std::vector<zdxf::Tag>& tags, int code) {
  return {realAt(tags, code), realAt(tags, code + 10), realAt(tags, code + 20)};
}

size_t xdataStart(const std::vector<zdxf::Tag>& tags) {
  for (size_t i = 1; i < tags.size(); ++i) {
    if (tags[i].code == 1001)
      return i;
  }
  return tags.size();
}

ACHAR* newString(std::u16string_view text) {
  return NewString(text);
}

namespace {

char16_t upperChar(char16_t c) {
  if ((c >= u'a' && c <= u'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7))
    return static_cast<char16_t>(c - 0x20);
  return c;
}

}  // namespace

void upperInPlace(std::u16string& text) {
  for (char16_t& c : text)
    c = upperChar(c);
}

std::u16string upper(std::u16string_view text) {
  std::u16string result(text);
  upperInPlace(result);
  return result;
}

namespace {

constexpr std::array<bool, 256> kNameCharacters = [] {
  std::array<bool, 256> allowed{};
  for (int c = 0; c < 256; ++c) {
    allowed[c] = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                 c == '_' || c == '$' || c == '-';
  }
  return allowed;
}();

}  // namespace

bool isPlainApplicationName(std::string_view bytes) {
  return !bytes.empty() && std::all_of(bytes.begin(), bytes.end(), [](char c) {
    return kNameCharacters[static_cast<unsigned char>(c)];
  });
}

bool namesApplication(const zdxf::Document& doc, const zdxf::Tag& tag, std::u16string_view name) {
  // Application names are plain (see isPlainApplicationName) and hold no blank: compared
  // without decoding or trimming the value. Others go through the drawing's codec.
  const std::string& value = tag.value;
  if (value.size() == name.size()) {
    size_t i = 0;
    for (; i < value.size(); ++i) {
      const auto c = static_cast<unsigned char>(value[i]);
      if (!kNameCharacters[c])
        break;
      // Names are mostly written as they are asked for: folded only when they differ.
      if (c != name[i] && upperChar(c) != upperChar(name[i]))
        return false;
    }
    if (i == value.size())
      return true;
  }
  return sameName(doc.decode(tag.trimmed()), name);
}

bool sameName(std::u16string_view a, std::u16string_view b) {
  return equalsIgnoringCase(a, b);
}

}  // namespace zacad
