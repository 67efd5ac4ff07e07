// Mapping between Windows paths, as Windows code builds them, and the paths of this host. Drive Z:
// is the host's root "/", as Wine maps it; another drive X: is the host folder named by the
// environment variable WIN32_DRIVE_X. Not part of the Windows API.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "windef.h"

namespace zwin32 {

// The host path (UTF-8) of a Windows path. Backslashes become slashes; "Z:\a" is "/a"; a path
// rooted without a drive ("\a", or a host path "/a") is on Z:; a relative path stays relative.
// Nothing when the drive is not mapped or the path is a UNC path (\\server\share).
WIN32_EXPORT std::optional<std::string> HostPathFromWindows(std::u16string_view windowsPath);

// The Windows path of a host path: an absolute path under a WIN32_DRIVE_X folder is on that drive
// (the longest such folder wins), any other absolute path is on Z:; a relative path only gets
// backslashes.
WIN32_EXPORT std::u16string WindowsPathFromHost(std::string_view hostPath);

}  // namespace zwin32
