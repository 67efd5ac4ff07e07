// The command stack: groups of commands, searched from the most recently made group down.
#include <dlfcn.h>

#include <algorithm>
#include <bit>
#include <list>
#include <memory>
#include <string>
#include <vector>

#include "accmd.h"
#include "rxclass.h"
#include "edservices.h"
#include "zwin32/faultpoint.h"

ACRX_NO_CONS_DEFINE_MEMBERS(AcEdCommand, AcRxObject);
ACRX_NO_CONS_DEFINE_MEMBERS(AcEdCommandIterator, AcRxObject);
ACRX_NO_CONS_DEFINE_MEMBERS(AcEdCommandStack, AcRxObject);

AcEdCommand::AcEdCommand() = default;
AcEdCommand::~AcEdCommand() = default;
AcEdCommandIterator::AcEdCommandIterator() = default;
AcEdCommandIterator::~AcEdCommandIterator() = default;
AcEdCommandStack::AcEdCommandStack() = default;
AcEdCommandStack::~AcEdCommandStack() = default;

namespace zacad {
namespace {

char16_t Upper(char16_t c) {
  if (c >= u'a' && c <= u'z')
    return c - (u'a' - u'A');
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7)
    return c - 0x20;
  return c;
}

bool SameName(std::u16string_view a, std::u16string_view b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(),
                    [](char16_t x, char16_t y) { return Upper(x) == Upper(y); });
}

bool ValidName(const ACHAR* name) {
  if (name == nullptr || *name == 0)
    return false;
  std::u16string_view text(name);
  return text.size() <= ACRX_MAX_CMDNAME_LEN && text.find_first_of(u" \t\r\n") == text.npos;
}

class Command : public AcEdCommand {
 public:
  Command(std::u16string global, std::u16string local, Adesk::Int32 flags, AcRxFunctionPtr fn,
          AcEdUIContext* context, int fcode, HINSTANCE resource, void* app)
      : global_(std::move(global)),
        local_(std::move(local)),
        flags_(flags),
        fn_(fn),
        context_(context),
        fcode_(fcode),
        resource_(resource),
        app_(app) {}

  Adesk::Int32 commandFlags() const override { return flags_; }
  AcRxFunctionPtr functionAddr() const override { return fn_; }
  void functionAddr(AcRxFunctionPtr fhdl) override { fn_ = fhdl; }
  void* commandApp() const override { return app_; }
  AcEdUIContext* UIContext() const override { return context_; }
  int functionCode() const override { return fcode_; }
  void functionCode(int fcode) override { fcode_ = fcode; }
  const ACHAR* globalName() const override { return global_.c_str(); }
  const ACHAR* localName() const override { return local_.c_str(); }
  HINSTANCE resourceHandle() const override { return resource_; }

 private:
  std::u16string global_;
  std::u16string local_;
  Adesk::Int32 flags_;
  AcRxFunctionPtr fn_;
  AcEdUIContext* context_;
  int fcode_;
  HINSTANCE resource_;
  void* app_;
};

struct Group {
  std::u16string name;
  std::vector<std::unique_ptr<Command>> commands;  // in registration order
};

class Iterator : public AcEdCommandIterator {
 public:
  explicit Iterator(const std::list<Group>& groups) {
    for (const Group& group : groups) {
      for (const auto& command : group.commands)
        entries_.push_back({command.get(), &group.name});
    }
  }

  bool done() const override { return index_ >= entries_.size(); }
  bool next() override {
    if (!done())
      ++index_;
    return !done();
  }
  const AcEdCommand* command() const override {
    return done() ? nullptr : entries_[index_].command;
  }
  const ACHAR* commandGroup() const override {
    return done() ? nullptr : entries_[index_].group->c_str();
  }

 private:
  struct Entry {
    const AcEdCommand* command;
    const std::u16string* group;
  };
  std::vector<Entry> entries_;
  size_t index_ = 0;
};

class CommandStack : public AcEdCommandStack {
 public:
  Acad::ErrorStatus addCommand(const ACHAR* cmdGroupName, const ACHAR* cmdGlobalName,
                               const ACHAR* cmdLocalName, Adesk::Int32 commandFlags,
                               AcRxFunctionPtr functionAddr, AcEdUIContext* UIContext, int fcode,
                               HINSTANCE hResourceHandle, AcEdCommand** cmdPtrRet) override {
    zwin32::FaultPoint("AcEdCommandStack::addCommand");
    if (cmdPtrRet != nullptr)
      *cmdPtrRet = nullptr;
    // A missing local name means the global one, as applications that have a single name do.
    if (cmdLocalName == nullptr || *cmdLocalName == 0)
      cmdLocalName = cmdGlobalName;
    if (!ValidName(cmdGroupName) || !ValidName(cmdGlobalName) || !ValidName(cmdLocalName) ||
        functionAddr == nullptr) {
      return Acad::eInvalidInput;
    }
    Group* group = find(cmdGroupName);
    if (group == nullptr) {
      groups_.push_front(Group{cmdGroupName, {}});
      group = &groups_.front();
    }
    for (const auto& command : group->commands) {
      if (SameName(command->globalName(), cmdGlobalName) ||
          SameName(command->localName(), cmdLocalName)) {
        return Acad::eDuplicateKey;
      }
    }
    // The application is the loaded object that holds the command's code.
    Dl_info info = {};
    void* app = dladdr(std::bit_cast<void*>(functionAddr), &info) != 0 ? info.dli_fbase : nullptr;
    group->commands.push_back(std::make_unique<Command>(cmdGlobalName, cmdLocalName, commandFlags,
                                                        functionAddr, UIContext, fcode,
                                                        hResourceHandle, app));
    if (cmdPtrRet != nullptr)
      *cmdPtrRet = group->commands.back().get();
    return Acad::eOk;
  }

  AcEdCommandIterator* iterator() override { return new Iterator(groups_); }

  AcEdCommand* lookupGlobalCmd(const ACHAR* cmdName) override {
    return lookupCmd(cmdName, true, true, false);
  }
  AcEdCommand* lookupLocalCmd(const ACHAR* cmdName) override {
    return lookupCmd(cmdName, false, true, false);
  }

  AcEdCommand* lookupCmd(const ACHAR* cmdName, bool globalFlag, bool allGroupsFlag,
                         bool skipUndefed) override {
    if (cmdName == nullptr)
      return nullptr;
    for (Group& group : groups_) {
      for (const auto& command : group.commands) {
        if (skipUndefed && (command->commandFlags() & ACRX_CMD_UNDEFINED))
          continue;
        if (SameName(globalFlag ? command->globalName() : command->localName(), cmdName)) {
          return command.get();
        }
      }
      if (!allGroupsFlag)
        break;
    }
    return nullptr;
  }

  Acad::ErrorStatus popGroupToTop(const ACHAR* cmdGroupName) override {
    auto it = findIt(cmdGroupName);
    if (it == groups_.end())
      return Acad::eKeyNotFound;
    groups_.splice(groups_.begin(), groups_, it);
    return Acad::eOk;
  }

  Acad::ErrorStatus removeCmd(const ACHAR* cmdGroupName, const ACHAR* cmdGlobalName) override {
    auto group = findIt(cmdGroupName);
    if (group == groups_.end() || cmdGlobalName == nullptr)
      return Acad::eKeyNotFound;
    auto& commands = group->commands;
    auto it = std::find_if(commands.begin(), commands.end(), [&](const auto& command) {
      return SameName(command->globalName(), cmdGlobalName);
    });
    if (it == commands.end())
      return Acad::eKeyNotFound;
    commands.erase(it);
    // A group lives as long as it has commands.
    if (commands.empty())
      groups_.erase(group);
    return Acad::eOk;
  }

  Acad::ErrorStatus removeGroup(const ACHAR* groupName) override {
    auto it = findIt(groupName);
    if (it == groups_.end())
      return Acad::eKeyNotFound;
    groups_.erase(it);
    return Acad::eOk;
  }

 private:
  std::list<Group>::iterator findIt(const ACHAR* name) {
    if (name == nullptr)
      return groups_.end();
    return std::find_if(groups_.begin(), groups_.end(),
                        [&](const Group& group) { return SameName(group.name, name); });
  }
  Group* find(const ACHAR* name) {
    auto it = findIt(name);
    return it == groups_.end() ? nullptr : &*it;
  }

  std::list<Group> groups_;  // search order: front first
};

}  // namespace

AcEdCommandStack* NewCommandStack() {
  return new CommandStack();
}

}  // namespace zacad
