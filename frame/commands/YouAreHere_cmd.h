// YouAreHere_cmd: the command "TavrixJestesTu" (the you-are-here mark).
#pragma once

#include "frame/commands/Tavrix_cmd.h"

class YouAreHere_cmd : public Tavrix_cmd {
public:
    /// The host calls this when the user enters "TavrixJestesTu".
    static void handler();

    ZcRxFunctionPtr handlerFunction() override;
    CString globalName() override;
};
