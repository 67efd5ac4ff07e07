// The host's drawing commands. Without file dialogs, every file name is asked at the command
// line, as the host does with FILEDIA 0.
#include "drawingcommands.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "acdbads.h"
#include "acedads.h"
#include "acutads.h"
#include "dbents.h"
#include "entitylisting.h"
#include "zacad/documents.h"
#include "zacad/undo.h"
#include "zwin32/utf.h"
#include "zacad/hostmessages.h"

namespace zanthost {
namespace {

using zacad::Message;
using zacad::Msg;

std::u16string upper(std::u16string_view text) {
  std::u16string out(text);
  for (char16_t& c : out) {
    if (c >= u'a' && c <= u'z')
      c = static_cast<char16_t>(c - 32);
  }
  return out;
}

std::u16string shortName(const AcApDocument* doc) {
  const std::u16string full = doc->fileName();
  const size_t slash = full.find_last_of(u"\\/");
  return slash == std::u16string::npos ? full : full.substr(slash + 1);
}

AcApDocument* current() {
  AcApDocument* doc = acDocManager->curDocument();
  if (doc == nullptr)
    acutPrintf(u"%s", Message(Msg::kNoDrawing).c_str());
  return doc;
}

// A Yes/No question with a default; false also when cancelled (`cancelled` says which).
bool askYesNo(const std::u16string& prompt, bool byDefault, bool& cancelled) {
  ACHAR answer[ACED_MAX_INPUT_LEN];
  acedInitGet(0, Message(Msg::kYesNoKeywords).c_str());
  const int rc = acedGetKword(prompt.c_str(), answer);
  cancelled = rc == RTCAN;
  if (rc == RTNONE)
    return byDefault;
  return rc == RTNORM && std::u16string_view(answer) == u"Yes";
}

bool askFileName(const std::u16string& prompt, std::u16string& name) {
  ACHAR answer[ACED_MAX_INPUT_LEN];
  if (acedGetString(1, prompt.c_str(), answer) != RTNORM)
    return false;
  name = answer;
  // Quotes are how a script passes a name with spaces.
  if (name.size() >= 2 && name.front() == u'"' && name.back() == u'"')
    name = name.substr(1, name.size() - 2);
  return true;
}

// Saves the document to path (empty: its own file), asking first when the file was changed by
// another program since this host last read or wrote it.
bool save(AcApDocument* doc, const std::u16string& path) {
  if (path.empty() && zacad::ChangedOnDisk(doc)) {
    bool cancelled = false;
    const std::u16string question = Message(Msg::kChangedOnDisk, {shortName(doc)});
    if (!askYesNo(question, false, cancelled)) {
      acutPrintf(u"%s", Message(Msg::kNotSaved).c_str());
      return false;
    }
  }
  std::u16string error;
  if (!zacad::SaveDocument(doc, path, error)) {
    acutPrintf(u"%s", Message(Msg::kCannotSave, {doc->fileName(), error}).c_str());
    return false;
  }
  return true;
}

void Open() {
  std::u16string name;
  if (!askFileName(Message(Msg::kOpenPrompt), name) || name.empty())
    return;
  std::u16string error;
  if (zacad::OpenDocument(name, error) == nullptr)
    acutPrintf(u"%s", Message(Msg::kCannotOpen, {error}).c_str());
}

void QSave() {
  if (AcApDocument* doc = current())
    save(doc, u"");
}

void SaveAs() {
  AcApDocument* doc = current();
  if (doc == nullptr)
    return;
  std::u16string name;
  const std::u16string prompt = Message(Msg::kSaveAsPrompt, {doc->fileName()});
  if (!askFileName(prompt, name))
    return;
  if (!name.empty()) {
    std::error_code ec;
    const std::filesystem::path target(zwin32::ToUtf8(name));
    if (std::filesystem::exists(target, ec) &&
        !std::filesystem::equivalent(target, zwin32::ToUtf8(doc->fileName()), ec)) {
      bool cancelled = false;
      if (!askYesNo(Message(Msg::kReplacePrompt), false, cancelled)) {
        return;
      }
    }
  }
  save(doc, name);
}

void Close() {
  AcApDocument* doc = current();
  if (doc == nullptr)
    return;
  if (zacad::IsModified(doc)) {
    bool cancelled = false;
    const bool yes = askYesNo(Message(Msg::kSaveChangesPrompt, {shortName(doc)}), true, cancelled);
    if (cancelled || (yes && !save(doc, u"")))
      return;
  }
  zacad::CloseDocument(doc);
}

// Takes back up to n groups; n < 0 takes back everything.
void undoGroups(int n) {
  AcApDocument* doc = current();
  if (doc == nullptr)
    return;
  int done = 0;
  while ((n < 0 || done < n) && zacad::UndoLastGroup(doc->database()))
    ++done;
  if (done == 0)
    acutPrintf(u"%s", Message(Msg::kNothingToUndo).c_str());
  else if (n < 0 || done < n)
    acutPrintf(u"%s", Message(Msg::kEverythingUndone).c_str());
}

void U() {
  undoGroups(1);
}

void Undo() {
  std::u16string answer;
  ACHAR text[ACED_MAX_INPUT_LEN];
  if (acedGetString(0, Message(Msg::kUndoPrompt).c_str(), text) != RTNORM) {
    return;
  }
  answer = upper(text);
  if (answer.empty()) {
    undoGroups(1);
  } else if (answer == u"B" || answer == u"BACK" || answer == u"R" || answer == u"RETOUR") {
    undoGroups(-1);
  } else {
    const int n = std::atoi(zwin32::ToUtf8(answer).c_str());
    if (n <= 0 || zwin32::FromUtf8(std::to_string(n)) != answer) {
      acutPrintf(u"%s", Message(Msg::kNeedPositiveOrBack).c_str());
      return;
    }
    undoGroups(n);
  }
}

void Redo() {
  AcApDocument* doc = current();
  if (doc != nullptr && !zacad::RedoLastGroup(doc->database()))
    acutPrintf(u"\nNothing to redo.\n");
}

void List() {
  if (current() == nullptr)
    return;
  ads_name ss;
  if (acedSSGet(nullptr, nullptr, nullptr, nullptr, ss) != RTNORM)
    return;
  long length = 0;
  acedSSLength(ss, &length);
  for (long i = 0; i < length; ++i) {
    ads_name name;
    if (acedSSName(ss, i, name) == RTNORM)
      acutPrintf(u"%s", EntityListing(name).c_str());
  }
  acutPrintf(u"\n");
  acedSSFree(ss);
}

const BuiltIn kDrawingCommands[] = {
    {u"OPEN", Open}, {u"QSAVE", QSave}, {u"SAVE", QSave}, {u"SAVEAS", SaveAs}, {u"CLOSE", Close},
    {u"U", U},       {u"UNDO", Undo},   {u"REDO", Redo},  {u"LIST", List},
};

}  // namespace

const BuiltIn* FindDrawingCommand(std::u16string_view name) {
  const std::u16string wanted = upper(name);
  for (const BuiltIn& command : kDrawingCommands) {
    if (wanted == command.name)
      return &command;
  }
  return nullptr;
}

bool OpenDrawingAtStart(const std::string& path) {
  std::u16string error;
  if (zacad::OpenDocument(zwin32::FromUtf8(path), error) != nullptr)
    return true;
  std::fprintf(stderr, "zanthost: cannot open drawing %s\n", zwin32::ToUtf8(error).c_str());
  return false;
}

}  // namespace zanthost
