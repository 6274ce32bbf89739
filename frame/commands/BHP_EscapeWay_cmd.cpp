// BHP_EscapeWay_cmd: the command "TavrixDrogaEwakuacyjna".
#include "frame/commands/BHP_EscapeWay_cmd.h"

void BHP_EscapeWay_cmd::handler()
{
    BHP_EscapeWay_cmd command;
    if (command.Tavrix_cmd::start() != 0)
        return;
}

ZcRxFunctionPtr BHP_EscapeWay_cmd::handlerFunction()
{
    return &BHP_EscapeWay_cmd::handler;
}

CString BHP_EscapeWay_cmd::globalName()
{
    return L"TavrixDrogaEwakuacyjna";
}
