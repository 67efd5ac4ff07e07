#include <sqlite3.h>
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>

#include "../src/PromptDatabaseLayout.h"
#include "PromptSet.h"
#include "zwin32/utf.h"

namespace zmaker {
namespace {

using Statement = std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)>;

class Database {
 public:
  explicit Database(const std::string& path) {
    if (sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) !=
        SQLITE_OK) {
      Fail("cannot create " + path);
    }
  }
  ~Database() { sqlite3_close(db_); }

  void Exec(const std::string& sql) {
    if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) {
      Fail("cannot write the database");
    }
  }

  Statement Prepare(const char* sql) {
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db_, sql, -1, &statement, nullptr) != SQLITE_OK) {
      Fail("cannot write the database");
    }
    return Statement(statement, &sqlite3_finalize);
  }

  // Runs a prepared insert once with its bound values.
  void Step(const Statement& statement) {
    if (sqlite3_step(statement.get()) != SQLITE_DONE) {
      Fail("cannot write the database");
    }
    sqlite3_reset(statement.get());
  }

  [[noreturn]] void Fail(const std::string& what) {
    throw std::runtime_error(what + ": " + (db_ != nullptr ? sqlite3_errmsg(db_) : "no memory"));
  }

 private:
  sqlite3* db_ = nullptr;
};

void BindText(const Statement& statement, int index, const std::u16string& text) {
  const std::string utf8 = zwin32::ToUtf8(text);
  sqlite3_bind_text(statement.get(), index, utf8.data(), static_cast<int>(utf8.size()),
                    SQLITE_TRANSIENT);
}

void Fill(Database& db, const std::u16string& project, const PromptSet& prompts) {
  db.Exec("PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF;");
  db.Exec(promptdb::kCreateSchema);
  db.Exec("BEGIN");
  const Statement strings = db.Prepare("INSERT INTO prompts VALUES (?1, ?2, ?3, ?4)");
  for (const auto& [key, text] : prompts.strings) {
    BindText(strings, 1, project);
    sqlite3_bind_int64(strings.get(), 2, key.first);
    sqlite3_bind_int64(strings.get(), 3, key.second);
    BindText(strings, 4, text);
    db.Step(strings);
  }
  const Statement dialogs = db.Prepare("INSERT INTO dialog_texts VALUES (?1, ?2, ?3, ?4, ?5)");
  for (const auto& [key, text] : prompts.dialogTexts) {
    BindText(dialogs, 1, project);
    sqlite3_bind_int64(dialogs.get(), 2, std::get<0>(key));
    sqlite3_bind_int64(dialogs.get(), 3, std::get<1>(key));
    sqlite3_bind_int64(dialogs.get(), 4, std::get<2>(key));
    BindText(dialogs, 5, text);
    db.Step(dialogs);
  }
  // The marks go in last: a file cut short before this point is never taken for prompts.
  db.Exec("PRAGMA application_id = " + std::to_string(promptdb::kApplicationId) +
          "; PRAGMA user_version = " + std::to_string(promptdb::kLayoutVersion) + "; COMMIT");
}

}  // namespace

void WritePromptDatabase(const std::string& outputPath, const std::u16string& project,
                         const PromptSet& prompts) {
  const std::string temporary = outputPath + ".tmp" + std::to_string(::getpid());
  std::remove(temporary.c_str());
  try {
    {
      Database db(temporary);
      Fill(db, project, prompts);
    }
    // Flush the finished file before it takes the final name, so that a crash leaves either the
    // old database or the new one, whole.
    FILE* file = std::fopen(temporary.c_str(), "rb+");
    if (file == nullptr || ::fsync(fileno(file)) != 0) {
      if (file != nullptr) {
        std::fclose(file);
      }
      throw std::runtime_error("cannot flush " + temporary);
    }
    std::fclose(file);
    if (std::rename(temporary.c_str(), outputPath.c_str()) != 0) {
      throw std::runtime_error("cannot rename " + temporary + " to " + outputPath);
    }
  } catch (...) {
    std::remove(temporary.c_str());
    throw;
  }
}

}  // namespace zmaker
