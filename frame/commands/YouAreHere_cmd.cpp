// YouAreHere_cmd: the command "TavrixJestesTu".
#include "frame/commands/YouAreHere_cmd.h"

void YouAreHere_cmd::handler()
{
    YouAreHere_cmd command;
    if (command.Tavrix_cmd::start() != 0)
        return;
}

ZcRxFunctionPtr YouAreHere_cmd::handlerFunction()
{
    return &YouAreHere_cmd::handler;
}

CString YouAreHere_cmd::globalName()
{
    return L"TavrixJestesTu";
}
