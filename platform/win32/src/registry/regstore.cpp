// Loading and saving the registry file. A save writes a temporary file beside it and renames it
// over the old one, so a reader never sees half a file and a failed save changes nothing.
#include "regstore.h"

#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "winerror.h"

namespace zwin32::registry {
namespace {

// Any address inside libwin32.so tells dladdr which file this library was loaded from.
const char kLibraryAnchor = 0;

std::string RegistryPath() {
  if (const char* path = std::getenv("ZANT_REGISTRY"); path != nullptr && *path != '\0') {
    return path;
  }
  Dl_info info{};
  if (dladdr(&kLibraryAnchor, &info) != 0 && info.dli_fname != nullptr) {
    std::string library = info.dli_fname;
    size_t slash = library.rfind('/');
    if (slash != std::string::npos)
      return library.substr(0, slash) + "/registry.reg";
  }
  return "registry.reg";
}

bool WriteFileAtomically(const std::string& path, const std::vector<BYTE>& bytes) {
  std::string temp = path + ".tmp" + std::to_string(getpid());
  FILE* file = std::fopen(temp.c_str(), "wb");
  if (file == nullptr)
    return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  ok = std::fflush(file) == 0 && ok;
  ok = fsync(fileno(file)) == 0 && ok;
  ok = std::fclose(file) == 0 && ok;
  if (ok && std::rename(temp.c_str(), path.c_str()) == 0)
    return true;
  std::remove(temp.c_str());
  return false;
}

}  // namespace

Store& Store::Get() {
  // Never destroyed: modules may use the registry from their DllMain at process exit.
  static auto* store = new Store;
  return *store;
}

Store::Identity Store::IdentityOf(const std::string& path) {
  struct stat st {};
  Identity identity;
  if (stat(path.c_str(), &st) != 0)
    return identity;
  identity.exists = true;
  identity.inode = st.st_ino;
  identity.size = static_cast<unsigned long long>(st.st_size);
  identity.mtimeNs = static_cast<unsigned long long>(st.st_mtim.tv_sec) * 1000000000ull +
                     static_cast<unsigned long long>(st.st_mtim.tv_nsec);
  return identity;
}

void Store::Refresh() {
  std::string path = RegistryPath();
  Identity identity = IdentityOf(path);
  if (loaded_ && path == path_ && identity == identity_)
    return;
  path_ = path;
  identity_ = identity;
  loaded_ = true;
  readOnly_ = false;
  tree = Tree();
  written_.clear();
  if (!identity.exists)
    return;
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "%s: the registry file cannot be read; the registry is read-only\n",
                 path.c_str());
    readOnly_ = true;
    return;
  }
  std::vector<BYTE> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<std::string> errors;
  ParseRegFile(bytes, path, &tree, &errors);
  for (const std::string& error : errors)
    std::fprintf(stderr, "%s\n", error.c_str());
  if (!errors.empty()) {
    std::fprintf(stderr, "%s: not rewritten while it has errors; the registry is read-only\n",
                 path.c_str());
    readOnly_ = true;
    return;
  }
  written_ = ExportRegFile(tree);
}

LONG Store::Save(Tree before) {
  struct stat st {};
  // Root ignores permission bits, so a file marked read-only is refused here explicitly.
  bool fileReadOnly = stat(path_.c_str(), &st) == 0 && (st.st_mode & 0222) == 0;
  std::vector<BYTE> bytes = ExportRegFile(tree);
  if (!readOnly_ && !fileReadOnly && identity_.exists && bytes == written_)
    return ERROR_SUCCESS;  // a rewrite would flush the same bytes to disk again
  if (readOnly_ || fileReadOnly || !WriteFileAtomically(path_, bytes)) {
    tree = std::move(before);
    return ERROR_ACCESS_DENIED;
  }
  identity_ = IdentityOf(path_);
  written_ = std::move(bytes);
  return ERROR_SUCCESS;
}

}  // namespace zwin32::registry
