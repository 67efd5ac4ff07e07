#include "PromptStore.h"

#include <sqlite3.h>

#include <filesystem>
#include <system_error>

#include "PromptDatabaseLayout.h"
#include "zwin32/utf.h"

namespace zmaker {
namespace {

// Reads one integer PRAGMA; nothing when the file is not a readable SQLite database.
std::optional<long long> PragmaValue(sqlite3* db, const char* sql) {
  sqlite3_stmt* statement = nullptr;
  if (sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) != SQLITE_OK) {
    return std::nullopt;
  }
  std::optional<long long> value;
  if (sqlite3_step(statement) == SQLITE_ROW) {
    value = sqlite3_column_int64(statement, 0);
  }
  sqlite3_finalize(statement);
  return value;
}

std::u16string ColumnText(sqlite3_stmt* statement, int column) {
  const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
  return text == nullptr
             ? std::u16string()
             : zwin32::FromUtf8(
                   {text, static_cast<size_t>(sqlite3_column_bytes(statement, column))});
}

void BindProject(sqlite3_stmt* statement, const std::u16string& project) {
  const std::string utf8 = zwin32::ToUtf8(project);
  sqlite3_bind_text(statement, 1, utf8.data(), static_cast<int>(utf8.size()), SQLITE_TRANSIENT);
}

}  // namespace

std::unique_ptr<PromptStore> PromptStore::Open(const std::string& hostPath, std::string& error) {
  std::error_code status;
  if (!std::filesystem::is_regular_file(hostPath, status)) {
    error = status ? status.message() : "not a file";
    return nullptr;
  }
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(hostPath.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
    error = db != nullptr ? sqlite3_errmsg(db) : "out of memory";
    sqlite3_close(db);
    return nullptr;
  }
  std::unique_ptr<PromptStore> store(new PromptStore(db));
  // Both marks are checked before any table is touched, so that an arbitrary file never gets
  // mistaken for prompts.
  const std::optional<long long> application = PragmaValue(db, "PRAGMA application_id");
  if (!application) {
    error = sqlite3_errmsg(db);
    return nullptr;
  }
  if (*application != promptdb::kApplicationId ||
      PragmaValue(db, "PRAGMA user_version") != promptdb::kLayoutVersion) {
    error = "not a prompt database";
    return nullptr;
  }
  if (sqlite3_prepare_v2(db,
                         "SELECT text FROM prompts WHERE project = ?1 AND id = ?2 AND "
                         "language = ?3",
                         -1, &store->prompt_, nullptr) != SQLITE_OK ||
      sqlite3_prepare_v2(db,
                         "SELECT control, text FROM dialog_texts WHERE project = ?1 AND "
                         "dialog = ?2 AND language = ?3 ORDER BY control",
                         -1, &store->dialog_, nullptr) != SQLITE_OK) {
    error = sqlite3_errmsg(db);
    return nullptr;
  }
  return store;
}

PromptStore::~PromptStore() {
  sqlite3_finalize(prompt_);
  sqlite3_finalize(dialog_);
  sqlite3_close(db_);
}

std::optional<std::u16string> PromptStore::Prompt(const std::u16string& project, unsigned id,
                                                  unsigned language) {
  sqlite3_reset(prompt_);
  BindProject(prompt_, project);
  sqlite3_bind_int64(prompt_, 2, id);
  sqlite3_bind_int64(prompt_, 3, language);
  std::optional<std::u16string> text;
  if (sqlite3_step(prompt_) == SQLITE_ROW) {
    text = ColumnText(prompt_, 0);
  }
  sqlite3_reset(prompt_);
  return text;
}

std::vector<PromptStore::DialogText> PromptStore::DialogTexts(const std::u16string& project,
                                                              unsigned dialog, unsigned language) {
  sqlite3_reset(dialog_);
  BindProject(dialog_, project);
  sqlite3_bind_int64(dialog_, 2, dialog);
  sqlite3_bind_int64(dialog_, 3, language);
  std::vector<DialogText> texts;
  while (sqlite3_step(dialog_) == SQLITE_ROW) {
    texts.push_back({sqlite3_column_int(dialog_, 0), ColumnText(dialog_, 1)});
  }
  sqlite3_reset(dialog_);
  return texts;
}

}  // namespace zmaker
