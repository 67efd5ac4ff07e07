// Read side of the prompt database (internal to the library); layout in PromptDatabaseLayout.h.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace zmaker {

class PromptStore {
 public:
  // Opens the database file at `hostPath` read-only. On failure returns null and sets `error`
  // to the reason (missing file, not an SQLite file, not a prompt database).
  static std::unique_ptr<PromptStore> Open(const std::string& hostPath, std::string& error);
  ~PromptStore();

  PromptStore(const PromptStore&) = delete;
  PromptStore& operator=(const PromptStore&) = delete;

  // The text of string `id` of `project` in `language`, if stored.
  std::optional<std::u16string> Prompt(const std::u16string& project, unsigned id,
                                       unsigned language);

  struct DialogText {
    int control;  // promptdb::kCaptionControl for the caption
    std::u16string text;
  };
  // The caption and control texts stored for dialog template `dialog` in `language`.
  std::vector<DialogText> DialogTexts(const std::u16string& project, unsigned dialog,
                                      unsigned language);

 private:
  explicit PromptStore(sqlite3* db) : db_(db) {}

  sqlite3* db_;
  sqlite3_stmt* prompt_ = nullptr;
  sqlite3_stmt* dialog_ = nullptr;
};

}  // namespace zmaker
