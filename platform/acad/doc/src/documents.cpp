// Opening, saving and closing drawings as documents.
#include "zacad/documents.h"

#include <system_error>
#include <vector>

#include "dbapserv.h"
#include "docdata.h"
#include "zacad/applications.h"
#include "zwin32/hostpath.h"
#include "zwin32/utf.h"

namespace zacad {

void noteFileState(DocumentData& data) {
  std::error_code ec;
  data.writeTime = std::filesystem::last_write_time(data.path, ec);
  data.size = std::filesystem::file_size(data.path, ec);
}

namespace {

std::filesystem::path hostPath(const std::u16string& path) {
  auto mapped = zwin32::HostPathFromWindows(path);
  return std::filesystem::absolute(mapped ? *mapped : zwin32::ToUtf8(path));
}

// Sends msg to one application about every open drawing, each current while it is told.
void TellAboutOpenDrawings(void* appId, AcRx::AppMsgCode msg) {
  AcApDocument* current = acDocManager->curDocument();
  const std::vector<AcApDocument*> open = documents().open;
  for (AcApDocument* doc : open) {
    acDocManager->setCurDocument(doc);
    sendToApplication(appId, msg);
  }
  if (current != nullptr)
    acDocManager->setCurDocument(current);
}

// An application loaded while drawings are open hears of each of them after its start-up, and
// hears of them going before it is unloaded.
const bool kApplicationHooksInstalled = [] {
  setApplicationHooks({[](void* appId) { TellAboutOpenDrawings(appId, AcRx::kLoadDwgMsg); },
                       [](void* appId) { TellAboutOpenDrawings(appId, AcRx::kUnloadDwgMsg); }});
  return true;
}();

}  // namespace

// The document's constructor is the host's to call.
struct DocumentFactory {
  static AcApDocument* make(DocumentData* data) { return new AcApDocument(data); }
};

// Attaches the reactor that makes each command one undo group (commandundo.cpp).
void StartCommandUndo();

AcApDocument* OpenDocument(const std::u16string& path, std::u16string& error) {
  const std::filesystem::path file = hostPath(path);
  for (AcApDocument* doc : documents().open) {
    std::error_code ec;
    if (std::filesystem::equivalent(doc->data().path, file, ec)) {
      acDocManager->setCurDocument(doc);
      return doc;
    }
  }
  auto data = std::make_unique<DocumentData>();
  data->database = std::make_unique<AcDbDatabase>(false, false);
  if (data->database->readDxfFile(zwin32::FromUtf8(file.string()).c_str()) != Acad::eOk) {
    error = data->database->lastError();
    return nullptr;
  }
  data->path = file;
  data->fileName = data->database->originalFileName();
  noteFileState(*data);
  std::error_code ec;
  const auto perms = std::filesystem::status(file, ec).permissions();
  data->readOnly = (perms & std::filesystem::perms::owner_write) == std::filesystem::perms::none;
  AcApDocument* doc = DocumentFactory::make(data.release());
  documents().open.push_back(doc);
  acDocManager->setCurDocument(doc);
  StartCommandUndo();
  zacad::sendToApplications(AcRx::kLoadDwgMsg);
  return doc;
}

bool SaveDocument(AcApDocument* doc, const std::u16string& path, std::u16string& error) {
  DocumentData& data = doc->data();
  const std::filesystem::path target = path.empty() ? data.path : hostPath(path);
  if (doc->database()->dxfOut(zwin32::FromUtf8(target.string()).c_str()) != Acad::eOk) {
    error = doc->database()->lastError();
    return false;
  }
  data.path = target;
  data.fileName = doc->database()->originalFileName();
  data.readOnly = false;
  noteFileState(data);
  return true;
}

bool ChangedOnDisk(const AcApDocument* doc) {
  const DocumentData& data = doc->data();
  std::error_code ec;
  const auto time = std::filesystem::last_write_time(data.path, ec);
  if (ec)
    return false;  // gone: saving recreates it
  return time != data.writeTime || std::filesystem::file_size(data.path, ec) != data.size;
}

bool IsModified(const AcApDocument* doc) {
  return doc->database()->isModified();
}

void CloseDocument(AcApDocument* doc) {
  // Applications hear of the drawing going while it is still the current one.
  acDocManager->setCurDocument(doc);
  zacad::sendToApplications(AcRx::kUnloadDwgMsg);
  Documents& docs = documents();
  std::erase(docs.open, doc);
  if (docs.current == doc) {
    docs.current = docs.open.empty() ? nullptr : docs.open.back();
    acdbHostApplicationServices()->setWorkingDatabase(
        docs.current == nullptr ? nullptr : docs.current->database());
  }
  delete doc;
}

void CloseAllDocuments() {
  while (!documents().open.empty())
    CloseDocument(documents().open.back());
}

}  // namespace zacad
