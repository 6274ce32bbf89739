// Report_cmd: the command "TavrixReport" (the signs report).
#pragma once

#include "frame/commands/Tavrix_cmd.h"

class Report_cmd : public Tavrix_cmd {
public:
    /// The host calls this when the user enters "TavrixReport".
    static void handler();

    ZcRxFunctionPtr handlerFunction() override;
    CString globalName() override;
};
