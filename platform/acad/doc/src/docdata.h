// The inner state of a document, shared by the document sources.
#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "acdocman.h"
#include "dbmain.h"

namespace zacad {

struct DocumentData {
  std::unique_ptr<AcDbDatabase> database;
  std::u16string fileName;  // Windows path
  std::filesystem::path path;
  std::vector<AcAp::DocLockMode> locks;  // newest last
  // The file as this host last saw it, to notice another program's writes.
  std::filesystem::file_time_type writeTime;
  std::uintmax_t size = 0;
  bool readOnly = false;
};

// The open documents in opening order, and the current one.
struct Documents {
  std::vector<AcApDocument*> open;
  AcApDocument* current = nullptr;
};

Documents& documents();
// Notes the file's time and size as this host leaves it.
void noteFileState(DocumentData& data);

}  // namespace zacad
