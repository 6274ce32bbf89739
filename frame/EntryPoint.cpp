// Start-up and unload of the plug-in, in the order the host expects.
#include "frame/EntryPoint.h"

#include "zcedcmd.h"
#include "zcrxsys.h"

#include "frame/InfoAndHelp.h"
#include "frame/LanguagePack.h"
#include "frame/TavrixApp.h"
#include "frame/Utilpack.h"
#include "frame/commands/BHP_EscapeWay_cmd.h"
#include "frame/commands/Report_cmd.h"
#include "frame/commands/SignsLibrary_cmd.h"
#include "frame/commands/YouAreHere_cmd.h"
#include "report/SignNamesAliases.h"

namespace {

const Zdesk::Int32 kCommandFlags = 1;

ZcEdCommandStack* commandStack()
{
    return ZcEdCommandStack::cast(zcrxSysRegistry()->at(ZCRX_COMMAND_DOCK));
}

// The two commands registered without a command class: global and local name alike.
void addPlainCommand(const wchar_t* name, ZcRxFunctionPtr handler)
{
    ZcEdCommandStack* stack = commandStack();
    if (!stack)
        return;
    TavrixApp app;
    stack->addCommand(app.productName, name, name, kCommandFlags, handler, nullptr, -1, nullptr);
}

}  // namespace

void tavrixInitApp(void* appId)
{
    if (ZcRxDynamicLinker* linker = ZcRxDynamicLinker::cast(zcrxSysRegistry()->at(ZCRX_DYNAMIC_LINKER)))
        linker->unlockApplication(appId);
    zcrxRegisterAppMDIAware(appId);
    loadLanguagePack();
    showInfo();
    addPlainCommand(L"TavrixInfo", showInfo);
    addPlainCommand(L"TavrixHelp", showHelp);
    Utilpack2023App().load();
    SignsLibrary_cmd().registerCommand(kCommandFlags);
    BHP_EscapeWay_cmd().registerCommand(kCommandFlags);
    Report_cmd().registerCommand(kCommandFlags);
    YouAreHere_cmd().registerCommand(kCommandFlags);
}

void tavrixUnloadApp()
{
    freeLanguagePack();
    SignNamesAliases::unload();
    if (ZcEdCommandStack* stack = commandStack()) {
        TavrixApp app;
        stack->removeGroup(app.productName);
    }
}

ZcRx::AppRetCode tavrixEntryPoint(ZcRx::AppMsgCode msg, void* appId)
{
    switch (msg) {
    case ZcRx::kInitAppMsg:
        tavrixInitApp(appId);
        break;
    case ZcRx::kUnloadAppMsg:
        tavrixUnloadApp();
        break;
    default:
        break;
    }
    return ZcRx::kRetOK;
}
