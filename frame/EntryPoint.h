// The module protocol: what the plug-in does on the host's initialisation and unload messages.
#pragma once

#include "zcrxentry.h"

/// The interface version the plug-in is built for.
constexpr int kTavrixApiVersion = 132448346;

/// Dispatches a message of the host: kInitAppMsg runs tavrixInitApp, kUnloadAppMsg runs
/// tavrixUnloadApp, every other message is ignored. Always kRetOK.
ZcRx::AppRetCode tavrixEntryPoint(ZcRx::AppMsgCode msg, void* appId);

/// Start-up: unlocks the application, declares it MDI-aware, loads the language pack,
/// prints the banner, registers "TavrixInfo" and "TavrixHelp", loads the companion module,
/// registers the four command classes; all commands in the group "Tavrix".
void tavrixInitApp(void* appId);

/// Unload: frees the language pack and removes the command group "Tavrix".
void tavrixUnloadApp();
