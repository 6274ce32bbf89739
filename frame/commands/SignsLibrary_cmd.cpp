// SignsLibrary_cmd: the command "Tavrix".
#include "frame/commands/SignsLibrary_cmd.h"

void SignsLibrary_cmd::handler()
{
    SignsLibrary_cmd command;
    if (command.Tavrix_cmd::start() != 0)
        return;
}

ZcRxFunctionPtr SignsLibrary_cmd::handlerFunction()
{
    return &SignsLibrary_cmd::handler;
}

CString SignsLibrary_cmd::globalName()
{
    return L"Tavrix";
}
