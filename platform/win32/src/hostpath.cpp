// Windows path <-> host path, the way Wine maps drives to folders.
#include "zwin32/hostpath.h"

#include <cstdlib>

#include "zwin32/utf.h"

namespace zwin32 {
namespace {

// The host folder of a drive letter, without a trailing slash ("" is the root), or nothing when
// the drive is not mapped. WIN32_DRIVE_Z may move Z: elsewhere; unset, Z: is the root.
std::optional<std::string> DriveRoot(char letter) {
  std::string var = "WIN32_DRIVE_";
  var += letter;
  if (const char* root = std::getenv(var.c_str()); root != nullptr && *root != '\0') {
    std::string folder(root);
    while (!folder.empty() && folder.back() == '/')
      folder.pop_back();
    return folder;
  }
  if (letter == 'Z')
    return std::string();
  return std::nullopt;
}

char UpperAscii(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool IsDriveLetter(char c) {
  c = UpperAscii(c);
  return c >= 'A' && c <= 'Z';
}

std::string Slashed(std::string_view path) {
  std::string out(path);
  for (char& c : out) {
    if (c == '\\')
      c = '/';
  }
  return out;
}

}  // namespace

std::optional<std::string> HostPathFromWindows(std::u16string_view windowsPath) {
  std::string path = Slashed(ToUtf8(windowsPath));
  // "\\?\C:\..." is the long-path form of "C:\...".
  if (path.starts_with("//?/"))
    path.erase(0, 4);
  if (path.starts_with("//"))
    return std::nullopt;
  if (path.size() >= 2 && path[1] == ':' && IsDriveLetter(path[0])) {
    std::optional<std::string> root = DriveRoot(UpperAscii(path[0]));
    if (!root)
      return std::nullopt;
    std::string rest = path.substr(2);
    if (rest.starts_with('/'))
      rest.erase(0, 1);
    return *root + "/" + rest;
  }
  return path;
}

std::u16string WindowsPathFromHost(std::string_view hostPath) {
  if (!hostPath.starts_with('/')) {
    std::string relative(hostPath);
    for (char& c : relative) {
      if (c == '/')
        c = '\\';
    }
    return FromUtf8(relative);
  }
  char drive = 'Z';
  std::string_view rest = hostPath;
  size_t bestLength = 0;
  for (char letter = 'A'; letter <= 'Z'; ++letter) {
    std::optional<std::string> root = DriveRoot(letter);
    if (!root || root->empty() || root->size() <= bestLength)
      continue;
    if (hostPath == *root || (hostPath.starts_with(*root) && hostPath[root->size()] == '/')) {
      drive = letter;
      bestLength = root->size();
      rest = hostPath.substr(root->size());
    }
  }
  std::string windows(1, drive);
  windows += ':';
  windows += Slashed(rest.empty() ? std::string_view("/") : rest);
  for (char& c : windows) {
    if (c == '/')
      c = '\\';
  }
  return FromUtf8(windows);
}

}  // namespace zwin32
