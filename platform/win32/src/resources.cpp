// .res images: a sequence of entries, each a header (sizes, type, name, language) and its data,
// both aligned on 4 bytes. The first entry is an empty marker that tells a 32-bit .res file.
#include "zwin32/resources.h"

#include <cstring>
#include <fstream>
#include <iterator>

#include "winnls.h"
#include "winnt.h"
#include "winuser.h"

namespace zwin32 {
namespace {

char16_t UpperAscii(char16_t c) {
  return (c >= u'a' && c <= u'z') ? c - u'a' + u'A' : c;
}

bool EqualsNoCase(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size())
    return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (UpperAscii(a[i]) != UpperAscii(b[i]))
      return false;
  }
  return true;
}

WORD ReadWord(const BYTE* p) {
  return static_cast<WORD>(p[0] | (p[1] << 8));
}
DWORD ReadDword(const BYTE* p) {
  return static_cast<DWORD>(p[0]) | (static_cast<DWORD>(p[1]) << 8) |
         (static_cast<DWORD>(p[2]) << 16) | (static_cast<DWORD>(p[3]) << 24);
}

size_t Align4(size_t n) {
  return (n + 3) & ~size_t{3};
}

// Reads an ordinal (0xFFFF, n) or a NUL-terminated UTF-16 name at image[*pos], within `end`.
bool ReadId(const BYTE* image, size_t end, size_t* pos, ResId* id) {
  if (*pos + 2 > end)
    return false;
  if (ReadWord(image + *pos) == 0xFFFF) {
    if (*pos + 4 > end)
      return false;
    *id = ResId::FromOrdinal(ReadWord(image + *pos + 2));
    *pos += 4;
    return true;
  }
  id->name.clear();
  while (true) {
    if (*pos + 2 > end)
      return false;
    char16_t c = ReadWord(image + *pos);
    *pos += 2;
    if (c == 0)
      break;
    id->name += c;
  }
  return true;
}

}  // namespace

ResId ResId::FromPointer(LPCWSTR id) {
  if (IS_INTRESOURCE(id))
    return FromOrdinal(static_cast<WORD>(reinterpret_cast<ULONG_PTR>(id)));
  std::u16string_view text(id);
  if (text.size() > 1 && text[0] == u'#') {
    unsigned value = 0;
    for (char16_t c : text.substr(1)) {
      if (c < u'0' || c > u'9' || value > 0xFFFF)
        return ResId{0, std::u16string(text)};
      value = value * 10 + (c - u'0');
    }
    if (value <= 0xFFFF)
      return FromOrdinal(static_cast<WORD>(value));
  }
  return ResId{0, std::u16string(text)};
}

bool ResId::operator==(const ResId& other) const {
  if (IsOrdinal() != other.IsOrdinal())
    return false;
  return IsOrdinal() ? ordinal == other.ordinal : EqualsNoCase(name, other.name);
}

std::optional<std::vector<ResourceEntry>> ParseResources(const BYTE* image, size_t size,
                                                         std::string* error) {
  std::vector<ResourceEntry> entries;
  size_t pos = 0;
  bool first = true;
  while (pos < size) {
    size_t start = pos;
    auto fail = [&](const char* what) {
      *error = std::string(what) + " in the resource entry at byte " + std::to_string(start);
      return std::nullopt;
    };
    if (size - pos < 8)
      return fail("truncated header");
    DWORD dataSize = ReadDword(image + pos);
    DWORD headerSize = ReadDword(image + pos + 4);
    if (headerSize < 24 || headerSize > size - pos)
      return fail("bad header size");
    size_t headerEnd = pos + headerSize;
    if (dataSize > size - headerEnd)
      return fail("data beyond the end of the file");
    ResourceEntry entry;
    pos += 8;
    if (!ReadId(image, headerEnd, &pos, &entry.type) ||
        !ReadId(image, headerEnd, &pos, &entry.name)) {
      return fail("bad type or name");
    }
    pos = Align4(pos);
    if (pos + 16 > headerEnd)
      return fail("truncated header");
    entry.memoryFlags = ReadWord(image + pos + 4);
    entry.language = ReadWord(image + pos + 6);
    entry.data = image + headerEnd;
    entry.size = dataSize;
    bool marker = dataSize == 0 && entry.type.IsOrdinal() && entry.type.ordinal == 0;
    if (first && !marker)
      return fail("not a 32-bit .res file: no empty first entry");
    if (!marker)
      entries.push_back(std::move(entry));
    first = false;
    pos = std::min(size, Align4(headerEnd + dataSize));
  }
  return entries;
}

std::unique_ptr<ResFile> ReadResFile(const std::string& hostPath, std::string* error) {
  std::ifstream in(hostPath, std::ios::binary);
  if (!in) {
    *error = hostPath + ": cannot be opened";
    return nullptr;
  }
  auto file = std::make_unique<ResFile>();
  file->bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  std::string why;
  auto entries = ParseResources(file->bytes.data(), file->bytes.size(), &why);
  if (!entries) {
    *error = hostPath + ": " + why;
    return nullptr;
  }
  file->entries = std::move(*entries);
  return file;
}

std::vector<LANGID> LanguagePreference(LANGID language) {
  if (language == 0)
    language = GetThreadUILanguage();
  std::vector<LANGID> order{language};
  LANGID primary = MAKELANGID(PRIMARYLANGID(language), SUBLANG_NEUTRAL);
  if (primary != language)
    order.push_back(primary);
  return order;
}

const ResourceEntry* FindResourceEntry(std::span<const ResourceEntry> entries, const ResId& type,
                                       const ResId& name, std::span<const LANGID> languages,
                                       bool* missingType) {
  const ResourceEntry* neutral = nullptr;
  const ResourceEntry* any = nullptr;
  const ResourceEntry* best = nullptr;
  size_t bestRank = languages.size();
  bool typeSeen = false;
  for (const ResourceEntry& entry : entries) {
    if (!(entry.type == type))
      continue;
    typeSeen = true;
    if (!(entry.name == name))
      continue;
    for (size_t rank = 0; rank < bestRank; ++rank) {
      if (entry.language == languages[rank]) {
        best = &entry;
        bestRank = rank;
        break;
      }
    }
    if (entry.language == LANG_NEUTRAL && neutral == nullptr)
      neutral = &entry;
    // Windows' resource directory is sorted by language, so "any" is the lowest one.
    if (any == nullptr || entry.language < any->language)
      any = &entry;
  }
  if (missingType != nullptr)
    *missingType = !typeSeen;
  if (best != nullptr)
    return best;
  return neutral != nullptr ? neutral : any;
}

std::optional<std::u16string_view> StringFromBlock(const ResourceEntry& block, UINT id) {
  if (!block.name.IsOrdinal() || block.name.ordinal != (id >> 4) + 1)
    return std::nullopt;
  size_t pos = 0;
  for (UINT index = 0; index < 16; ++index) {
    if (pos + 2 > block.size)
      return std::nullopt;
    size_t length = ReadWord(block.data + pos);
    pos += 2;
    if (pos + 2 * length > block.size)
      return std::nullopt;
    if (index == (id & 15)) {
      if (length == 0)
        return std::nullopt;
      // The block is 2-byte aligned inside a 4-byte aligned image, so it can be viewed in place.
      return std::u16string_view(reinterpret_cast<const char16_t*>(block.data + pos), length);
    }
    pos += 2 * length;
  }
  return std::nullopt;
}

std::map<UINT, std::u16string> StringTable(std::span<const ResourceEntry> entries,
                                           LANGID language) {
  std::map<UINT, std::u16string> strings;
  for (const ResourceEntry& entry : entries) {
    if (!entry.type.IsOrdinal() || entry.type.ordinal != 6 || entry.language != language ||
        !entry.name.IsOrdinal() || entry.name.ordinal == 0) {
      continue;
    }
    UINT first = (entry.name.ordinal - 1u) << 4;
    for (UINT id = first; id < first + 16; ++id) {
      if (auto text = StringFromBlock(entry, id))
        strings[id] = std::u16string(*text);
    }
  }
  return strings;
}

}  // namespace zwin32
