// The command stack: groups of registered commands, looked up by name without regard to case.
#include <algorithm>
#include <list>
#include <memory>
#include <string>

#include "HostSessionState.h"
#include "zcedcmd.h"

ZCRX_DEFINE_MEMBERS(ZcEdUIContext, ZcRxObject)
ZCRX_DEFINE_MEMBERS(ZcEdCommand, ZcRxObject)
ZCRX_DEFINE_MEMBERS(ZcEdCommandStack, ZcRxObject)

void ZcEdUIContext::onCommand(Zdesk::UInt32) {}

struct ZcEdCommand::Impl {
    std::wstring group;
    std::wstring globalName;
    std::wstring localName;
    Zdesk::Int32 flags = 0;
    ZcRxFunctionPtr function = nullptr;
    ZcEdUIContext* context = nullptr;
    int functionCode = -1;
    HINSTANCE resourceHandle = nullptr;
};

ZcEdCommand::ZcEdCommand(const ZTCHAR* group, const ZTCHAR* globalName, const ZTCHAR* localName,
                         Zdesk::Int32 flags, ZcRxFunctionPtr function, ZcEdUIContext* context,
                         int functionCode, HINSTANCE resourceHandle)
    : impl_(std::make_unique<Impl>()) {
    impl_->group = group ? group : L"";
    impl_->globalName = globalName ? globalName : L"";
    impl_->localName = (localName && *localName) ? localName : impl_->globalName;
    impl_->flags = flags;
    impl_->function = function;
    impl_->context = context;
    impl_->functionCode = functionCode;
    impl_->resourceHandle = resourceHandle;
}

ZcEdCommand::~ZcEdCommand() = default;

ZcRxFunctionPtr ZcEdCommand::functionAddr() const { return impl_->function; }
void ZcEdCommand::functionAddr(ZcRxFunctionPtr function) { impl_->function = function; }
int ZcEdCommand::functionCode() const { return impl_->functionCode; }
void ZcEdCommand::functionCode(int code) { impl_->functionCode = code; }
Zdesk::Int32 ZcEdCommand::commandFlags() const { return impl_->flags; }
const ZTCHAR* ZcEdCommand::globalName() const { return impl_->globalName.c_str(); }
const ZTCHAR* ZcEdCommand::localName() const { return impl_->localName.c_str(); }
const ZTCHAR* ZcEdCommand::groupName() const { return impl_->group.c_str(); }
ZcEdUIContext* ZcEdCommand::UIContext() const { return impl_->context; }
HINSTANCE ZcEdCommand::resourceHandle() const { return impl_->resourceHandle; }

namespace {

struct Group {
    std::wstring name;
    std::list<std::unique_ptr<ZcEdCommand>> commands;  // list: commands keep their address
};

bool empty(const ZTCHAR* text) { return !text || !*text; }

}  // namespace

struct ZcEdCommandStack::Impl {
    std::list<Group> groups;  // the front group is searched first

    Group* find(const ZTCHAR* name) {
        if (empty(name))
            return nullptr;
        for (Group& group : groups)
            if (host::detail::equalsNoCase(group.name, name))
                return &group;
        return nullptr;
    }
};

ZcEdCommandStack::ZcEdCommandStack() : impl_(std::make_unique<Impl>()) {}
ZcEdCommandStack::~ZcEdCommandStack() = default;

Zcad::ErrorStatus ZcEdCommandStack::addCommand(const ZTCHAR* cmdGroupName,
                                               const ZTCHAR* cmdGlobalName,
                                               const ZTCHAR* cmdLocalName,
                                               Zdesk::Int32 commandFlags,
                                               ZcRxFunctionPtr functionAddr,
                                               ZcEdUIContext* UIContext, int fcode,
                                               HINSTANCE hResourceHandle,
                                               ZcEdCommand** cmdPtrRet) {
    if (cmdPtrRet)
        *cmdPtrRet = nullptr;
    if (empty(cmdGroupName) || empty(cmdGlobalName) || !functionAddr)
        return Zcad::eInvalidInput;
    Group* group = impl_->find(cmdGroupName);
    if (group) {
        for (const auto& command : group->commands)
            if (host::detail::equalsNoCase(command->globalName(), cmdGlobalName))
                return Zcad::eDuplicateKey;
    } else {
        // A new group goes on top of the stack, as the host does.
        impl_->groups.push_front(Group{cmdGroupName, {}});
        group = &impl_->groups.front();
    }
    group->commands.push_back(std::make_unique<ZcEdCommand>(
        group->name.c_str(), cmdGlobalName, cmdLocalName, commandFlags, functionAddr,
        UIContext, fcode, hResourceHandle));
    if (cmdPtrRet)
        *cmdPtrRet = group->commands.back().get();
    return Zcad::eOk;
}

ZcEdCommand* ZcEdCommandStack::lookupGlobalCmd(const ZTCHAR* cmdName) {
    return lookupCmd(cmdName, true, true);
}

ZcEdCommand* ZcEdCommandStack::lookupLocalCmd(const ZTCHAR* cmdName) {
    return lookupCmd(cmdName, false, true);
}

ZcEdCommand* ZcEdCommandStack::lookupCmd(const ZTCHAR* cmdName, bool globalFlag) {
    return lookupCmd(cmdName, globalFlag, true);
}

ZcEdCommand* ZcEdCommandStack::lookupCmd(const ZTCHAR* cmdName, bool globalFlag,
                                         bool allGroupsFlag, bool skipUndefed) {
    if (empty(cmdName))
        return nullptr;
    for (Group& group : impl_->groups) {
        for (const auto& command : group.commands) {
            if (skipUndefed && (command->commandFlags() & ZCRX_CMD_UNDEFINED))
                continue;
            const ZTCHAR* name = globalFlag ? command->globalName() : command->localName();
            if (host::detail::equalsNoCase(name, cmdName))
                return command.get();
        }
        if (!allGroupsFlag)
            break;
    }
    return nullptr;
}

Zcad::ErrorStatus ZcEdCommandStack::removeCmd(const ZTCHAR* cmdGroupName,
                                              const ZTCHAR* cmdGlobalName) {
    Group* group = impl_->find(cmdGroupName);
    if (!group || empty(cmdGlobalName))
        return Zcad::eKeyNotFound;
    auto& commands = group->commands;
    const auto found = std::find_if(commands.begin(), commands.end(), [&](const auto& command) {
        return host::detail::equalsNoCase(command->globalName(), cmdGlobalName);
    });
    if (found == commands.end())
        return Zcad::eKeyNotFound;
    commands.erase(found);
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcEdCommandStack::removeGroup(const ZTCHAR* groupName) {
    Group* group = impl_->find(groupName);
    if (!group)
        return Zcad::eKeyNotFound;
    impl_->groups.remove_if([group](const Group& g) { return &g == group; });
    return Zcad::eOk;
}

Zcad::ErrorStatus ZcEdCommandStack::popGroupToTop(const ZTCHAR* groupName) {
    Group* group = impl_->find(groupName);
    if (!group)
        return Zcad::eKeyNotFound;
    auto& groups = impl_->groups;
    for (auto it = groups.begin(); it != groups.end(); ++it) {
        if (&*it == group) {
            groups.splice(groups.begin(), groups, it);
            break;
        }
    }
    return Zcad::eOk;
}

int ZcEdCommandStack::numGroups() const { return static_cast<int>(impl_->groups.size()); }

int ZcEdCommandStack::numCommands(const ZTCHAR* groupName) const {
    const Group* group = impl_->find(groupName);
    return group ? static_cast<int>(group->commands.size()) : 0;
}

void ZcEdCommandStack::clear() { impl_->groups.clear(); }

ZcEdCommandStack* zcedRegCmds() {
    static ZcEdCommandStack* stack = new ZcEdCommandStack;  // lives as long as the process
    return stack;
}
