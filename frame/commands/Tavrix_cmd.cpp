// Tavrix_cmd: registration with the host's command stack and the common start step.
#include "frame/commands/Tavrix_cmd.h"

#include "zcrxsys.h"

#include "frame/CommandHelp.h"
#include "frame/TavrixApp.h"

int Tavrix_cmd::start()
{
    theCommandHelp.apply(globalName());
    return 0;
}

CString Tavrix_cmd::localName()
{
    return globalName();
}

void Tavrix_cmd::registerCommand(int flags)
{
    ZcEdCommandStack* stack = ZcEdCommandStack::cast(zcrxSysRegistry()->at(ZCRX_COMMAND_DOCK));
    if (!stack)
        return;
    const CString local = localName();
    const CString global = globalName();
    const CString group = groupName();
    const ZcRxFunctionPtr handler = handlerFunction();
    stack->addCommand(group, global, local, flags, handler, nullptr, -1, nullptr, nullptr);
}

CString Tavrix_cmd::groupName()
{
    TavrixApp app;
    return app.productName;
}

Tavrix_cmd::~Tavrix_cmd() = default;
