// SignsLibrary_cmd: the command "Tavrix" (the signs library).
#pragma once

#include "frame/commands/Tavrix_cmd.h"

class SignsLibrary_cmd : public Tavrix_cmd {
public:
    /// The host calls this when the user enters "Tavrix".
    static void handler();

    ZcRxFunctionPtr handlerFunction() override;
    CString globalName() override;
};
