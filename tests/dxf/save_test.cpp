// Saving: temp file, flush, .bak of the previous file, rename; a failure leaves the original.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "test_support.h"
#include "zdxf/document.h"

using zdxf::Document;
using zdxf_test::data_dir;
using zdxf_test::read_file;
using zdxf_test::TempDir;
namespace fs = std::filesystem;

namespace {

class FaultGuard {
 public:
  explicit FaultGuard(const char* names) { setenv("ZANT_INJECT_FAULT", names, 1); }
  ~FaultGuard() { unsetenv("ZANT_INJECT_FAULT"); }
};

std::vector<std::string> names_in(const fs::path& dir) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(dir))
    names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace

TEST(Save, ReplacesTheFileAndKeepsTheOldOneAsBak) {
  TempDir tmp;
  fs::path file = tmp.path() / "drawing.dxf";
  std::string original = read_file(data_dir() / "ac1032/ezdxf_r2018.dxf");
  zdxf_test::write_file(file, original);
  chmod(file.c_str(), 0640);

  Document d = Document::open(file.string());
  d.add_table_record("APPID", {{0, "APPID"},
                               {100, "AcDbSymbolTableRecord"},
                               {100, "AcDbRegAppTableRecord"},
                               {2, "ZANT_SAVED"},
                               {70, "0"}});
  d.save(file.string());
  EXPECT_EQ(read_file(file), d.bytes());
  EXPECT_EQ(read_file(tmp.path() / "drawing.bak"), original);
  EXPECT_EQ(names_in(tmp.path()), (std::vector<std::string>{"drawing.bak", "drawing.dxf"}));
  struct stat st;
  ASSERT_EQ(stat(file.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);

  // Saving again: .bak now holds the first saved version.
  std::string first_save = read_file(file);
  Document again = Document::open(file.string());
  again.save(file.string());
  EXPECT_EQ(read_file(file), first_save);
  EXPECT_EQ(read_file(tmp.path() / "drawing.bak"), first_save);

  // A new file needs no .bak; a name without extension gets one added.
  fs::path other = tmp.path() / "copy.dxf";
  again.save(other.string());
  EXPECT_EQ(read_file(other), first_save);
  EXPECT_FALSE(fs::exists(tmp.path() / "copy.bak"));
  fs::create_directory(tmp.path() / "v1.0");
  fs::path plain = tmp.path() / "v1.0" / "plain";
  again.save(plain.string());
  again.save(plain.string());
  EXPECT_EQ(read_file(tmp.path() / "v1.0" / "plain.bak"), first_save);
}

TEST(Save, AnyFailureLeavesTheOriginalIntact) {
  TempDir tmp;
  fs::path file = tmp.path() / "drawing.dxf";
  std::string original = read_file(data_dir() / "ac1009/ezdxf_r12.dxf");
  zdxf_test::write_file(file, original);
  Document d = Document::open(file.string());
  d.set_xdata(d.objects()[10], "ZANT_SAMPLE", {{1000, "changed"}});

  for (const char* step : {"zdxf_write", "zdxf_fsync", "zdxf_backup", "zdxf_rename"}) {
    SCOPED_TRACE(step);
    FaultGuard fault(step);
    try {
      d.save(file.string());
      ADD_FAILURE() << "save did not fail";
    } catch (const zdxf::Error& e) {
      std::string what = e.what();
      EXPECT_EQ(what.rfind(file.string() + ": not saved: ", 0), 0u) << what;
    }
    EXPECT_EQ(read_file(file), original);
    // No temporary file is left behind (a .bak may exist from the backup step).
    for (const std::string& name : names_in(tmp.path())) {
      EXPECT_TRUE(name == "drawing.dxf" || name == "drawing.bak") << name;
    }
  }

  EXPECT_THROW(d.save((tmp.path() / "no/such/folder/x.dxf").string()), zdxf::Error);
  EXPECT_EQ(read_file(file), original);
}

// Many objects given the same xdata share its tags; each still gets them in its own style: code
// padding, line ends and, for integers, its own width.
TEST(Save, SharedNewTagsAreWrittenInEachObjectsStyle) {
  const std::string padded = "  0\r\nLINE\r\n  8\r\n0\r\n 62\r\n     1\r\n";
  const std::string bare = "0\nLINE\n8\n0\n62\n1\n";
  const std::string narrow = "  0\r\nLINE\r\n  8\r\n0\r\n 62\r\n1\r\n";  // integers unpadded
  const std::string bytes = "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n" + padded + bare + padded +
                            padded + bare + padded + narrow + "  0\r\nENDSEC\r\n  0\r\nEOF\r\n";
  zdxf::Document d = zdxf::Document::parse(bytes, "styles.dxf");
  std::vector<zdxf::ObjectId> lines;
  for (zdxf::ObjectId id : d.objects()) {
    if (d.type(id) == "LINE")
      lines.push_back(id);
  }
  ASSERT_EQ(lines.size(), 7u);
  for (size_t i = 0; i < lines.size(); ++i) {
    std::vector<zdxf::Tag> data{{1000, "v"}};
    if (i >= 3)
      data.emplace_back(1070, "5");
    d.set_xdata(lines[i], "APP", data);
  }
  const std::string text = "1001\r\nAPP\r\n1000\r\nv\r\n";
  const std::string lf = "1001\nAPP\n1000\nv\n";
  const std::string expected = "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n" + padded + text + bare + lf +
                               padded + text + padded + text + "1070\r\n     5\r\n" + bare + lf +
                               "1070\n5\n" + padded + text + "1070\r\n     5\r\n" + narrow + text +
                               "1070\r\n5\r\n" + "  0\r\nENDSEC\r\n  0\r\nEOF\r\n";
  EXPECT_EQ(d.bytes(), expected);
}
