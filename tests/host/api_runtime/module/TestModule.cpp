// A small application module for the entry-point protocol tests: registers a command group
// at initialisation and removes it at unload, printing what happens.
#include "zcadsapi.h"

#ifndef TEST_API_VERSION
#define TEST_API_VERSION ZCRX_API_VERSION
#endif

namespace {

void hello() { zcutPrintf(L"\nHello from %s", L"the module"); }

}  // namespace

extern "C" ZcRx::AppRetCode zcrxEntryPoint(ZcRx::AppMsgCode msg, void* appId) {
    switch (msg) {
    case ZcRx::kInitAppMsg: {
#ifdef TEST_REFUSE_INIT
        zcutPrintf(L"\nrefusing");
        return ZcRx::kRetError;
#endif
        if (auto* linker = ZcRxDynamicLinker::cast(zcrxSysRegistry()->at(L"DynamicLinker")))
            linker->unlockApplication(appId);
        zcrxRegisterAppMDIAware(appId);
        if (auto* stack = ZcEdCommandStack::cast(zcrxSysRegistry()->at(L"ZCAD_REGISTERED_COMMANDS")))
            stack->addCommand(L"TESTMOD", L"TestHello", L"TestHello", ZCRX_CMD_MODAL, hello);
        zcutPrintf(L"\ninit");
        break;
    }
    case ZcRx::kUnloadAppMsg:
        if (auto* stack = ZcEdCommandStack::cast(zcrxSysRegistry()->at(L"ZCAD_REGISTERED_COMMANDS")))
            stack->removeGroup(L"TESTMOD");
        zcutPrintf(L"\nunload");
        break;
    default:
        break;
    }
    return ZcRx::kRetOK;
}

extern "C" int zcrxGetApiVersion() { return TEST_API_VERSION; }
