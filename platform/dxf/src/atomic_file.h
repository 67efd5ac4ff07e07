#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace zdxf::detail {

// Replaces `path` with `data` so that at every moment `path` holds either the old or the new
// contents: temp file in the same folder, fsync, previous file kept as backup_path(path), rename.
// Throws Error naming the step that failed; the original is then untouched.
//
// ZANT_INJECT_FAULT may name zdxf_write, zdxf_fsync, zdxf_backup or zdxf_rename to make that step
// fail as a full disk would, so tests can show the original survives.
void write_file_atomically(const std::string& path, std::string_view data);

// Receives the new contents piece by piece.
using ContentSink = std::function<void(std::string_view)>;
// Same, with the contents handed over in pieces by `produce`, so a large file never needs to be
// whole in memory a second time.
void write_file_atomically(const std::string& path,
                           const std::function<void(const ContentSink&)>& produce);

// Where the previous contents go, as the host does it: "plan.dxf" -> "plan.bak".
std::string backup_path(const std::string& path);

}  // namespace zdxf::detail
