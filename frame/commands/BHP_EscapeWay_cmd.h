// BHP_EscapeWay_cmd: the command "TavrixDrogaEwakuacyjna" (the escape route).
#pragma once

#include "frame/commands/Tavrix_cmd.h"

class BHP_EscapeWay_cmd : public Tavrix_cmd {
public:
    /// The host calls this when the user enters "TavrixDrogaEwakuacyjna".
    static void handler();

    ZcRxFunctionPtr handlerFunction() override;
    CString globalName() override;
};
