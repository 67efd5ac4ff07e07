// The host's command stack: applications register their commands here, in named groups, under a
// global (language-independent) and a local name. Names compare without regard to case.
#pragma once

#include "AcCoreDefs.h"
#include "rxdict.h"
#include "rxobject.h"
#include "windef.h"

// Command flags (addCommand's commandFlags).
#define ACRX_CMD_MODAL 0x00000000
#define ACRX_CMD_TRANSPARENT 0x00000001
#define ACRX_CMD_USEPICKSET 0x00000002
#define ACRX_CMD_REDRAW 0x00000004
#define ACRX_CMD_NOPERSPECTIVE 0x00000008
#define ACRX_CMD_NOMULTIPLE 0x00000010
#define ACRX_CMD_NOTILEMODE 0x00000020
#define ACRX_CMD_NOPAPERSPACE 0x00000040
#define ACRX_CMD_PLOTONLY 0x00000080
#define ACRX_CMD_UNDEFINED 0x00000200
#define ACRX_CMD_DEFUN 0x00000800
#define ACRX_CMD_NOINTERNALLOCK 0x00020000
#define ACRX_CMD_DOCREADLOCK 0x00080000
#define ACRX_CMD_DOCEXCLUSIVELOCK 0x00100000
#define ACRX_CMD_SESSION 0x00200000
#define ACRX_CMD_NOHISTORY 0x00800000

#define ACRX_MAX_CMDNAME_LEN 64

// Key of the command stack in the system registry.
#define ACRX_COMMAND_DOCK ACRX_T("ACAD_REGISTERED_COMMANDS")

class AcEdUIContext;

// One registered command. Owned by the command stack; valid until it is removed.
class ACCORE_PORT AcEdCommand : public AcRxObject {
 public:
  ACRX_DECLARE_MEMBERS(AcEdCommand);
  ~AcEdCommand() override;

  virtual Adesk::Int32 commandFlags() const = 0;
  virtual AcRxFunctionPtr functionAddr() const = 0;
  virtual void functionAddr(AcRxFunctionPtr fhdl) = 0;
  // The load address of the application whose code registered the command (null if unknown).
  virtual void* commandApp() const = 0;
  virtual AcEdUIContext* UIContext() const = 0;
  virtual int functionCode() const = 0;
  virtual void functionCode(int fcode) = 0;
  virtual const ACHAR* globalName() const = 0;
  virtual const ACHAR* localName() const = 0;
  virtual HINSTANCE resourceHandle() const = 0;

 protected:
  AcEdCommand();
};

// Walks every registered command, group by group in search order. The caller deletes it; it
// must not outlive a change to the stack.
class ACCORE_PORT AcEdCommandIterator : public AcRxObject {
 public:
  ACRX_DECLARE_MEMBERS(AcEdCommandIterator);
  ~AcEdCommandIterator() override;

  virtual bool done() const = 0;
  virtual bool next() = 0;
  virtual const AcEdCommand* command() const = 0;
  virtual const ACHAR* commandGroup() const = 0;

 protected:
  AcEdCommandIterator();
};

class ACCORE_PORT AcEdCommandStack : public AcRxObject {
 public:
  ACRX_DECLARE_MEMBERS(AcEdCommandStack);
  ~AcEdCommandStack() override;

  // Registers a command in cmdGroupName (the group is made on first use and searched first).
  // eOk; eDuplicateKey when the group already has a command of that global or local name;
  // eInvalidInput for a missing or over-long name (ACRX_MAX_CMDNAME_LEN), a name with a space,
  // or no function.
  virtual Acad::ErrorStatus addCommand(const ACHAR* cmdGroupName, const ACHAR* cmdGlobalName,
                                       const ACHAR* cmdLocalName, Adesk::Int32 commandFlags,
                                       AcRxFunctionPtr functionAddr,
                                       AcEdUIContext* UIContext = NULL, int fcode = -1,
                                       HINSTANCE hResourceHandle = NULL,
                                       AcEdCommand** cmdPtrRet = NULL) = 0;

  virtual AcEdCommandIterator* iterator() = 0;

  // The first command of that name in search order, or null.
  virtual AcEdCommand* lookupGlobalCmd(const ACHAR* cmdName) = 0;
  virtual AcEdCommand* lookupLocalCmd(const ACHAR* cmdName) = 0;
  // globalFlag picks the name searched; allGroupsFlag false searches the top group only;
  // skipUndefed passes over commands flagged ACRX_CMD_UNDEFINED.
  virtual AcEdCommand* lookupCmd(const ACHAR* cmdName, bool globalFlag, bool allGroupsFlag = true,
                                 bool skipUndefed = false) = 0;

  // Makes a group the first one searched. eOk or eKeyNotFound.
  virtual Acad::ErrorStatus popGroupToTop(const ACHAR* cmdGroupName) = 0;

  // eOk, or eKeyNotFound for an unknown group or command (by global name).
  virtual Acad::ErrorStatus removeCmd(const ACHAR* cmdGroupName, const ACHAR* cmdGlobalName) = 0;
  virtual Acad::ErrorStatus removeGroup(const ACHAR* groupName) = 0;

 protected:
  AcEdCommandStack();
};

#define acedRegCmds AcEdCommandStack::cast(acrxSysRegistry()->at(ACRX_COMMAND_DOCK))
