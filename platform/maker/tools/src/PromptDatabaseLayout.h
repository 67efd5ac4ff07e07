// Layout of the prompt database, shared by its writer (mkprompts) and its reader (ZnPrompts).
//
// An SQLite file marked with PRAGMA application_id = kApplicationId and PRAGMA user_version =
// kLayoutVersion, so that any other SQLite file (or any other file) is refused as not a prompt
// database. Texts are UTF-8.
//
//   prompts(project TEXT COLLATE NOCASE, id INTEGER, language INTEGER, text TEXT)
//     primary key (project, id, language): the string with that id of that prompt project in
//     that language (a Windows LANGID such as 0x040C French, 0x0409 English).
//   dialog_texts(project TEXT COLLATE NOCASE, dialog INTEGER, control INTEGER, language INTEGER,
//                text TEXT)
//     primary key (project, dialog, control, language): the caption of dialog template `dialog`
//     (control = kCaptionControl) or the text of its control with that id. Controls without an
//     id of their own (IDC_STATIC) cannot be addressed and are not stored.
//
// Project names compare without regard to case, as the products spell them differently.
#pragma once

#include <cstdint>

namespace zmaker::promptdb {

inline constexpr int32_t kApplicationId = 0x5A4E5052;  // "ZNPR"
inline constexpr int kLayoutVersion = 1;
inline constexpr int kCaptionControl = -1;

inline constexpr const char* kCreateSchema =
    "CREATE TABLE prompts("
    " project TEXT NOT NULL COLLATE NOCASE, id INTEGER NOT NULL, language INTEGER NOT NULL,"
    " text TEXT NOT NULL, PRIMARY KEY (project, id, language));"
    "CREATE TABLE dialog_texts("
    " project TEXT NOT NULL COLLATE NOCASE, dialog INTEGER NOT NULL, control INTEGER NOT NULL,"
    " language INTEGER NOT NULL, text TEXT NOT NULL,"
    " PRIMARY KEY (project, dialog, control, language));";

}  // namespace zmaker::promptdb
