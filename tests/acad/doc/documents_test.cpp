// Documents and their locks, driven through the host's document manager on real drawings.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "acdocman.h"
#include "axlock.h"
#include "dbapserv.h"
#include "dbmain.h"
#include "zacad/documents.h"

namespace fs = std::filesystem;

namespace {

std::string readFile(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::u16string u16(const fs::path& p) {
  const std::string s = p.string();
  return std::u16string(s.begin(), s.end());
}

class Documents : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("acad_doc_test_" + std::to_string(std::random_device()()));
    fs::create_directories(dir_);
    for (const char* name : {"ac1015/ezdxf_r2000_cp1251.dxf", "ac1009/ezdxf_r12.dxf"})
      fs::copy_file(fs::path(DOC_TEST_DATA) / name, dir_ / fs::path(name).filename());
  }
  void TearDown() override {
    zacad::CloseAllDocuments();
    std::error_code ec;
    fs::permissions(dir_, fs::perms::owner_all, ec);
    fs::remove_all(dir_, ec);
  }
  AcApDocument* open(const char* name) {
    std::u16string error;
    AcApDocument* doc = zacad::OpenDocument(u16(dir_ / name), error);
    EXPECT_NE(doc, nullptr) << std::string(error.begin(), error.end());
    return doc;
  }
  fs::path dir_;
};

}  // namespace

TEST_F(Documents, SeveralDrawingsOneCurrentAndTheWorkingDatabaseFollows) {
  EXPECT_EQ(acDocManager->curDocument(), nullptr);
  {
    AcAxDocLock none;
    EXPECT_EQ(none.lockStatus(), Acad::eNoDocument);
  }
  AcApDocument* first = open("ezdxf_r2000_cp1251.dxf");
  AcApDocument* second = open("ezdxf_r12.dxf");
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(acDocManager->documentCount(), 2);
  EXPECT_EQ(acDocManager->curDocument(), second);
  EXPECT_EQ(acDocManager->mdiActiveDocument(), second);
  EXPECT_EQ(acdbHostApplicationServices()->workingDatabase(), second->database());
  EXPECT_EQ(acDocManager->document(first->database()), first);
  EXPECT_EQ(
      std::u16string(first->fileName()), u"Z:" + [&] {
        std::u16string p = u16(dir_ / "ezdxf_r2000_cp1251.dxf");
        for (char16_t& c : p)
          c = c == u'/' ? u'\\' : c;
        return p;
      }());
  std::u16string error;
  EXPECT_EQ(zacad::OpenDocument(u16(dir_ / "ezdxf_r2000_cp1251.dxf"), error), first)
      << "a drawing already open is made current, not read twice";
  EXPECT_EQ(acDocManager->curDocument(), first);

  int seen = 0;
  AcApDocumentIterator* it = acDocManager->newAcApDocumentIterator();
  for (; !it->done(); it->step())
    seen += it->document() == first || it->document() == second;
  delete it;
  EXPECT_EQ(seen, 2);

  zacad::CloseDocument(first);
  EXPECT_EQ(acDocManager->curDocument(), second);
  EXPECT_EQ(acdbHostApplicationServices()->workingDatabase(), second->database());
  zacad::CloseDocument(second);
  EXPECT_EQ(acDocManager->curDocument(), nullptr);
  EXPECT_EQ(acdbHostApplicationServices()->workingDatabase(), nullptr);

  EXPECT_EQ(zacad::OpenDocument(u16(dir_ / "missing.dxf"), error), nullptr);
  EXPECT_NE(error.find(u"missing.dxf"), std::u16string::npos);
}

TEST_F(Documents, LocksStackAndExclusiveLocksExclude) {
  AcApDocument* doc = open("ezdxf_r2000_cp1251.dxf");
  ASSERT_NE(doc, nullptr);
  EXPECT_EQ(doc->myLockMode(), AcAp::kNone);
  EXPECT_EQ(doc->lockMode(), AcAp::kNotLocked);

  // A command's shared write lock, then an application's lock over it.
  ASSERT_EQ(acDocManager->lockDocument(doc, AcAp::kWrite), Acad::eOk);
  EXPECT_EQ(doc->myLockMode(), AcAp::kWrite);
  EXPECT_EQ(acDocManager->lockDocument(doc, AcAp::kXWrite), Acad::eLockViolation);
  {
    AcAxDocLock lock(doc->database(), AcAxDocLock::kNormal);
    EXPECT_EQ(lock.lockStatus(), Acad::eOk);
    EXPECT_EQ(doc->myLockMode(), AcAp::kWrite);
  }
  ASSERT_EQ(acDocManager->unlockDocument(doc), Acad::eOk);
  EXPECT_EQ(doc->myLockMode(), AcAp::kNone) << "the AcAxDocLock released its own lock";
  EXPECT_EQ(acDocManager->unlockDocument(doc), Acad::eNotApplicable);

  ASSERT_EQ(acDocManager->lockDocument(nullptr, AcAp::kXWrite), Acad::eOk);
  EXPECT_EQ(doc->myLockMode(), AcAp::kXWrite);
  EXPECT_EQ(acDocManager->lockDocument(doc, AcAp::kRead), Acad::eLockViolation);
  {
    AcAxDocLock refused;
    EXPECT_EQ(refused.lockStatus(), Acad::eLockViolation);
  }
  EXPECT_EQ(doc->myLockMode(), AcAp::kXWrite) << "a refused lock releases nothing";
  ASSERT_EQ(acDocManager->unlockDocument(doc), Acad::eOk);

  AcDbDatabase stray(false, true);
  AcAxDocLock noDocument(&stray);
  EXPECT_EQ(noDocument.lockStatus(), Acad::eNoDocument);
}

TEST_F(Documents, ReadOnlyDrawingsRefuseWriteLocks) {
  const fs::path file = dir_ / "ezdxf_r12.dxf";
  fs::permissions(file, fs::perms::owner_read);
  AcApDocument* doc = open("ezdxf_r12.dxf");
  ASSERT_NE(doc, nullptr);
  EXPECT_TRUE(doc->isReadOnly());
  EXPECT_EQ(acDocManager->lockDocument(doc, AcAp::kWrite), Acad::eLockViolation);
  ASSERT_EQ(acDocManager->lockDocument(doc, AcAp::kRead), Acad::eOk);
  acDocManager->unlockDocument(doc);
}

TEST_F(Documents, FailedSavesKeepTheFileAndChangesOnDiskAreNoticed) {
  AcApDocument* doc = open("ezdxf_r2000_cp1251.dxf");
  ASSERT_NE(doc, nullptr);
  const fs::path file = dir_ / "ezdxf_r2000_cp1251.dxf";
  const std::string original = readFile(file);
  EXPECT_FALSE(zacad::ChangedOnDisk(doc));
  std::u16string error;

  // The folder of a new name is gone.
  EXPECT_FALSE(zacad::SaveDocument(doc, u16(dir_ / "gone" / "x.dxf"), error));
  EXPECT_EQ(readFile(file), original);

  // Another program writes the file: noticed until this host saves again.
  {
    std::ofstream other(file, std::ios::app | std::ios::binary);
    other << "999\nedited elsewhere\n";
  }
  EXPECT_TRUE(zacad::ChangedOnDisk(doc));
  ASSERT_TRUE(zacad::SaveDocument(doc, u"", error));
  EXPECT_FALSE(zacad::ChangedOnDisk(doc));
  EXPECT_EQ(readFile(file), original);
  EXPECT_TRUE(fs::exists(dir_ / "ezdxf_r2000_cp1251.bak"));

  // A write that fails half-way (here an injected fault) leaves the file as it was.
  setenv("ZANT_INJECT_FAULT", "AcDbDatabase::dxfOut", 1);
  EXPECT_FALSE(zacad::SaveDocument(doc, u"", error));
  unsetenv("ZANT_INJECT_FAULT");
  EXPECT_NE(error.find(u"injected fault"), std::u16string::npos);
  EXPECT_EQ(readFile(file), original);

  // No permission to write in the folder: the save fails, says why, and the file stays.
  fs::permissions(dir_, fs::perms::owner_read | fs::perms::owner_exec);
  const std::string saved = readFile(file);
  const bool refused = !zacad::SaveDocument(doc, u"", error);
  fs::permissions(dir_, fs::perms::owner_all);
  if (!refused)
    GTEST_SKIP() << "running as a user who may write anywhere";
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(readFile(file), saved);
}
