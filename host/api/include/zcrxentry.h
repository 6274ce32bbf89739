// The module protocol between the host and a loaded application: message codes, return
// codes, the interface version and the two functions every application module exports.
#pragma once

#include "zcbase.h"

namespace ZcRx {

/// Messages the host sends to an application's entry point.
enum AppMsgCode {
    kNullMsg = 0,
    kInitAppMsg = 1,    ///< the module was loaded: register commands and services
    kUnloadAppMsg = 2,  ///< the module is about to be unloaded: remove what it registered
    kLoadDwgMsg = 3,
    kUnloadDwgMsg = 4,
    kInvkSubrMsg = 5,
    kCfgMsg = 6,
    kEndMsg = 7,
    kQuitMsg = 8,
    kSaveMsg = 9,
    kDependencyMsg = 10,
    kNoDependencyMsg = 11,
    kOleUnloadAppMsg = 12,
    kPreQuitMsg = 13,
    kInitDialogMsg = 14,
    kEndDialogMsg = 15,
    kSuspendMsg = 16
};

/// What an entry point answers; the host treats anything but kRetOK as a refusal.
enum AppRetCode {
    kRetOK = 0,
    kRetError = 3
};

}  // namespace ZcRx

/// The interface version this host accepts from zcrxGetApiVersion (0x7E5005A).
#define ZCRX_API_VERSION 132448346

/// Signatures of the exports the host looks up in a module.
typedef ZcRx::AppRetCode (*ZcRxEntryPointFunc)(ZcRx::AppMsgCode msg, void* appId);
typedef int (*ZcRxGetApiVersionFunc)();

// Every application module defines these two functions (C linkage, exported).
extern "C" ZCAD_PORT ZcRx::AppRetCode zcrxEntryPoint(ZcRx::AppMsgCode msg, void* appId);
extern "C" ZCAD_PORT int zcrxGetApiVersion();
