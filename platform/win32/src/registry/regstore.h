// The registry file and the open key handles: one per process, behind one lock.
#pragma once

#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "regtree.h"

namespace zwin32::registry {

// What an HKEY stands for: a predefined root and a path under it, with the access asked for.
struct OpenKey {
  ULONG_PTR root = 0;
  std::vector<std::u16string> path;
  REGSAM access = 0;
};

class Store {
 public:
  static Store& Get();

  // Lock this around every use of the members below.
  std::mutex mutex;

  // Brings `tree` up to date with the file (ZANT_REGISTRY may have changed, or another process
  // may have written the file).
  void Refresh();
  // Writes `tree` to the file, unless it says what the file already holds (a value set again to
  // what it was). On failure (unparsable file, read-only file or folder) puts `before` back and
  // returns ERROR_ACCESS_DENIED.
  LONG Save(Tree before);

  Tree tree;
  std::set<const OpenKey*> handles;

 private:
  struct Identity {
    bool exists = false;
    unsigned long long inode = 0, size = 0, mtimeNs = 0;
    bool operator==(const Identity&) const = default;
  };
  static Identity IdentityOf(const std::string& path);

  std::string path_;
  Identity identity_;
  bool loaded_ = false;
  bool readOnly_ = false;
  std::vector<BYTE> written_;  // the file's contents as this process last read or wrote them
};

}  // namespace zwin32::registry
