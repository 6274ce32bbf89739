// The host's command stack: commands registered by applications, in named groups.
#pragma once

#include <windows.h>

#include <memory>

#include "zcadstrc.h"
#include "zcrxobj.h"
#include "zcrxsys.h"

/// A command handler: called without arguments when the user enters the command.
typedef void (*ZcRxFunctionPtr)();

// Command flags (stored with the command; the stand-in host honours none of them specially).
#define ZCRX_CMD_MODAL 0x00000000
#define ZCRX_CMD_TRANSPARENT 0x00000001
#define ZCRX_CMD_USEPICKSET 0x00000002
#define ZCRX_CMD_REDRAW 0x00000004
#define ZCRX_CMD_NOPERSPECTIVE 0x00000008
#define ZCRX_CMD_NOMULTIPLE 0x00000010
#define ZCRX_CMD_NOTILEMODE 0x00000020
#define ZCRX_CMD_NOPAPERSPACE 0x00000040
#define ZCRX_CMD_NOOEM 0x00000100
#define ZCRX_CMD_UNDEFINED 0x00000200
#define ZCRX_CMD_INPROGRESS 0x00000400
#define ZCRX_CMD_DEFUN 0x00000800
#define ZCRX_CMD_NOINTERNALLOCK 0x00001000
#define ZCRX_CMD_DOCREADLOCK 0x00080000
#define ZCRX_CMD_DOCEXCLUSIVELOCK 0x00100000
#define ZCRX_CMD_SESSION 0x00200000
#define ZCRX_CMD_INTERRUPTIBLE 0x00400000
#define ZCRX_CMD_NOHISTORY 0x00800000

/// A command's context-menu provider (kept with the command, never called by this host).
class ZCAD_PORT ZcEdUIContext : public ZcRxObject {
public:
    ZCRX_DECLARE_MEMBERS(ZcEdUIContext);
    virtual void onCommand(Zdesk::UInt32 command);
};

/// One registered command. Owned by the command stack.
class ZCAD_PORT ZcEdCommand : public ZcRxObject {
public:
    ZCRX_DECLARE_MEMBERS(ZcEdCommand);
    ZcEdCommand(const ZTCHAR* group, const ZTCHAR* globalName, const ZTCHAR* localName,
                Zdesk::Int32 flags, ZcRxFunctionPtr function, ZcEdUIContext* context,
                int functionCode, HINSTANCE resourceHandle);
    ~ZcEdCommand() override;
    ZcEdCommand(const ZcEdCommand&) = delete;
    ZcEdCommand& operator=(const ZcEdCommand&) = delete;

    virtual ZcRxFunctionPtr functionAddr() const;
    virtual void functionAddr(ZcRxFunctionPtr function);
    virtual int functionCode() const;
    virtual void functionCode(int code);
    virtual Zdesk::Int32 commandFlags() const;
    virtual const ZTCHAR* globalName() const;
    virtual const ZTCHAR* localName() const;
    virtual const ZTCHAR* groupName() const;
    virtual ZcEdUIContext* UIContext() const;
    virtual HINSTANCE resourceHandle() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

/// The command stack ("ZCAD_REGISTERED_COMMANDS" in the system registry). Names are matched
/// without regard to letter case; groups are searched from the most recently added one.
class ZCAD_PORT ZcEdCommandStack : public ZcRxObject {
public:
    ZCRX_DECLARE_MEMBERS(ZcEdCommandStack);
    ZcEdCommandStack();
    ~ZcEdCommandStack() override;
    ZcEdCommandStack(const ZcEdCommandStack&) = delete;
    ZcEdCommandStack& operator=(const ZcEdCommandStack&) = delete;

    /// Adds a command to a group (created on first use). eInvalidInput for an empty or null
    /// group or global name or a null handler; eDuplicateKey when the group already has a
    /// command of that global name (the existing command is kept). A null local name means
    /// the global name.
    virtual Zcad::ErrorStatus addCommand(const ZTCHAR* cmdGroupName, const ZTCHAR* cmdGlobalName,
                                         const ZTCHAR* cmdLocalName, Zdesk::Int32 commandFlags,
                                         ZcRxFunctionPtr functionAddr,
                                         ZcEdUIContext* UIContext = nullptr, int fcode = -1,
                                         HINSTANCE hResourceHandle = nullptr,
                                         ZcEdCommand** cmdPtrRet = nullptr);

    /// The command of that global (local) name in any group, or null.
    virtual ZcEdCommand* lookupGlobalCmd(const ZTCHAR* cmdName);
    virtual ZcEdCommand* lookupLocalCmd(const ZTCHAR* cmdName);
    /// globalFlag true: by global name, false: by local name.
    virtual ZcEdCommand* lookupCmd(const ZTCHAR* cmdName, bool globalFlag);
    /// The same, limited to the top group unless allGroupsFlag; skipUndefed skips commands
    /// flagged ZCRX_CMD_UNDEFINED.
    virtual ZcEdCommand* lookupCmd(const ZTCHAR* cmdName, bool globalFlag, bool allGroupsFlag,
                                   bool skipUndefed = false);

    /// Removes one command by global name; eKeyNotFound when the group or command is missing.
    virtual Zcad::ErrorStatus removeCmd(const ZTCHAR* cmdGroupName, const ZTCHAR* cmdGlobalName);
    /// Removes a group with all its commands; eKeyNotFound when there is no such group.
    virtual Zcad::ErrorStatus removeGroup(const ZTCHAR* groupName);
    /// Makes the group the first one searched; eKeyNotFound when there is no such group.
    virtual Zcad::ErrorStatus popGroupToTop(const ZTCHAR* groupName);

    /// Host side: number of groups and of commands in a group (0 for an unknown group).
    virtual int numGroups() const;
    virtual int numCommands(const ZTCHAR* groupName) const;
    /// Host side: removes every group (a fresh host).
    virtual void clear();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

/// The host's command stack.
ZCAD_PORT ZcEdCommandStack* zcedRegCmds();
