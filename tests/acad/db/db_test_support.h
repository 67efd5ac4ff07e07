// Shared helpers of the database tests: real drawings, temp folders, opening a database and
// making it the working one.
#pragma once

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "dbapserv.h"
#include "dbmain.h"
#include "dbsymtb.h"

namespace dbtest {

namespace fs = std::filesystem;

inline fs::path dataDir() {
  return fs::path(DB_TEST_DATA);
}

inline std::vector<fs::path> realDrawings() {
  std::vector<fs::path> out;
  for (const auto& e : fs::recursive_directory_iterator(dataDir())) {
    if (e.is_regular_file() && e.path().extension() == ".dxf" &&
        e.path().parent_path().parent_path() == dataDir()) {
      out.push_back(e.path());
    }
  }
  std::sort(out.begin(), out.end());
  return out;
}

// The model space's entities, oldest first, as a program finds them: block table, model space
// record, its iterator. Empty when the database has no block table.
inline std::vector<AcDbObjectId> modelSpace(AcDbDatabase* db) {
  std::vector<AcDbObjectId> ids;
  AcDbBlockTable* table = nullptr;
  if (db->getBlockTable(table, AcDb::kForRead) != Acad::eOk)
    return ids;
  AcDbBlockTableRecord* space = nullptr;
  EXPECT_EQ(table->getAt(ACDB_MODEL_SPACE, space, AcDb::kForRead), Acad::eOk);
  table->close();
  AcDbBlockTableRecordIterator* it = nullptr;
  space->newIterator(it);
  for (; !it->done(); it->step()) {
    AcDbObjectId id;
    it->getEntityId(id);
    ids.push_back(id);
  }
  delete it;
  space->close();
  return ids;
}

inline std::string readFile(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void writeFile(const fs::path& p, const std::string& bytes) {
  std::ofstream out(p, std::ios::binary);
  out << bytes;
}

inline std::u16string u16(const std::string& s) {
  return std::u16string(s.begin(), s.end());
}

class TempDir {
 public:
  TempDir() {
    std::random_device rd;
    path_ = fs::temp_directory_path() / ("acad_db_test_" + std::to_string(rd()));
    fs::create_directories(path_);
  }
  ~TempDir() {
    std::error_code ec;
    fs::permissions(path_, fs::perms::owner_all, ec);
    fs::remove_all(path_, ec);
  }
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

// A database read from `path`, made the working database while it lives.
class OpenDrawing {
 public:
  explicit OpenDrawing(const fs::path& path) : db_(std::make_unique<AcDbDatabase>(false, true)) {
    status_ = db_->readDxfFile(u16(path.string()).c_str());
    acdbHostApplicationServices()->setWorkingDatabase(db_.get());
  }
  ~OpenDrawing() { acdbHostApplicationServices()->setWorkingDatabase(nullptr); }
  AcDbDatabase* operator->() { return db_.get(); }
  AcDbDatabase* get() { return db_.get(); }
  Acad::ErrorStatus status() const { return status_; }

 private:
  std::unique_ptr<AcDbDatabase> db_;
  Acad::ErrorStatus status_;
};

}  // namespace dbtest

namespace dbtest {

// A DXF text from "code|value|code|value|..." (one line each), for small drawings made to the
// measure of one test.
inline std::string dxf(const std::string& pairs) {
  std::string out;
  size_t at = 0;
  while (at <= pairs.size()) {
    size_t bar = pairs.find('|', at);
    if (bar == std::string::npos)
      bar = pairs.size();
    out += pairs.substr(at, bar - at) + "\n";
    at = bar + 1;
  }
  return out;
}

// An R12 drawing with layers 0, LOCKED (locked), FROZEN (frozen) and OFF (off), the APPID
// ACAD and OTHER, a block B, and `entities` (pairs as for dxf()) in its ENTITIES section.
inline std::string smallDrawing(const std::string& entities) {
  return dxf(
      "0|SECTION|2|TABLES|0|TABLE|2|LAYER|70|4|"
      "0|LAYER|2|0|70|0|62|7|6|CONTINUOUS|"
      "0|LAYER|2|LOCKED|70|4|62|7|6|CONTINUOUS|"
      "0|LAYER|2|FROZEN|70|1|62|7|6|CONTINUOUS|"
      "0|LAYER|2|OFF|70|0|62|-7|6|CONTINUOUS|0|ENDTAB|"
      "0|TABLE|2|APPID|70|2|0|APPID|2|ACAD|70|0|0|APPID|2|OTHER|70|0|0|ENDTAB|0|ENDSEC|"
      "0|SECTION|2|BLOCKS|0|BLOCK|8|0|2|B|70|0|10|1|20|1|30|0|3|B|"
      "0|LINE|8|0|10|1|20|1|30|0|11|3|21|2|31|0|0|ENDBLK|8|0|0|ENDSEC|"
      "0|SECTION|2|ENTITIES|" +
      entities + "|0|ENDSEC|0|EOF");
}

}  // namespace dbtest
