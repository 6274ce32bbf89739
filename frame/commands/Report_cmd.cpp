// Report_cmd: the command "TavrixReport".
#include "frame/commands/Report_cmd.h"

void Report_cmd::handler()
{
    Report_cmd command;
    if (command.Tavrix_cmd::start() != 0)
        return;
}

ZcRxFunctionPtr Report_cmd::handlerFunction()
{
    return &Report_cmd::handler;
}

CString Report_cmd::globalName()
{
    return L"TavrixReport";
}
