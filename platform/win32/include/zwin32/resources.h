// Reading Windows .res images (what the resource compiler writes, and what the loader keeps of
// each module) and their string tables. For tools, the dialog layer and the loader. Not part of
// the Windows API.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "windef.h"

namespace zwin32 {

// A resource type or name: an ordinal, or a string (compared case-insensitively).
struct ResId {
  WORD ordinal = 0;
  std::u16string name;  // empty for an ordinal

  bool IsOrdinal() const { return name.empty(); }
  // From what Windows calls take: MAKEINTRESOURCE(n), "#n" or a name.
  static ResId FromPointer(LPCWSTR id);
  static ResId FromOrdinal(WORD ordinal) { return ResId{ordinal, {}}; }
  bool operator==(const ResId& other) const;
};

// One resource of a .res image; `data` points into the image, which must outlive it.
struct ResourceEntry {
  ResId type;
  ResId name;
  LANGID language = 0;
  WORD memoryFlags = 0;
  const BYTE* data = nullptr;
  DWORD size = 0;
};

// The entries of a .res image in memory, in file order, without the empty entry that opens it.
// Nothing, with a message in *error, when the image is malformed.
WIN32_EXPORT std::optional<std::vector<ResourceEntry>> ParseResources(const BYTE* image,
                                                                      size_t size,
                                                                      std::string* error);

// A .res file read from disk, with its entries.
struct ResFile {
  std::vector<BYTE> bytes;
  std::vector<ResourceEntry> entries;  // point into `bytes`
};
// Nothing, with a message naming the file in *error, when it cannot be read or is malformed.
WIN32_EXPORT std::unique_ptr<ResFile> ReadResFile(const std::string& hostPath, std::string* error);

// The entry of that type and name in the first language of `languages` that has one, else in
// LANG_NEUTRAL, else in the lowest language id (as Windows' sorted directory); null when there is
// none (*missingType, when given, tells whether the type itself is absent).
WIN32_EXPORT const ResourceEntry* FindResourceEntry(std::span<const ResourceEntry> entries,
                                                    const ResId& type, const ResId& name,
                                                    std::span<const LANGID> languages,
                                                    bool* missingType = nullptr);

// The languages tried for a request in `language` (0: the thread's UI language): that language,
// then its primary language with SUBLANG_NEUTRAL.
WIN32_EXPORT std::vector<LANGID> LanguagePreference(LANGID language);

// Every string of the string tables in exactly `language`, by id.
WIN32_EXPORT std::map<UINT, std::u16string> StringTable(std::span<const ResourceEntry> entries,
                                                        LANGID language);

// String `id` of a string-table block (the block holding id is number (id >> 4) + 1), or nothing
// when the block does not hold it. Points into the block.
WIN32_EXPORT std::optional<std::u16string_view> StringFromBlock(const ResourceEntry& block,
                                                                UINT id);

}  // namespace zwin32
