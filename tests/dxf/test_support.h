#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace zdxf_test {

namespace fs = std::filesystem;

inline fs::path data_dir() {
  return fs::path(ZDXF_TEST_DATA);
}

// Every real drawing under tests/data, sorted so failures read the same each run.
inline std::vector<fs::path> real_drawings() {
  std::vector<fs::path> out;
  for (const auto& e : fs::recursive_directory_iterator(data_dir())) {
    if (e.is_regular_file() && e.path().extension() == ".dxf")
      out.push_back(e.path());
  }
  std::sort(out.begin(), out.end());
  return out;
}

inline std::string read_file(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

inline void write_file(const fs::path& p, const std::string& bytes) {
  std::ofstream out(p, std::ios::binary);
  out << bytes;
}

// A fresh folder under the system temp folder, removed with its contents.
class TempDir {
 public:
  TempDir() {
    std::string pattern = (fs::temp_directory_path() / "zdxf-test-XXXXXX").string();
    path_ = mkdtemp(pattern.data());
  }
  ~TempDir() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  const fs::path& path() const { return path_; }

 private:
  fs::path path_;
};

}  // namespace zdxf_test
