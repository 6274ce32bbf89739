// Tavrix_cmd: the base of the plug-in's command classes.
#pragma once

#include <afxwin.h>

#include "zcedcmd.h"

/// A command of the plug-in. A derived class names the command and gives the static
/// handler that the host calls; the base registers it in the group "Tavrix" and runs the
/// start step that every handler runs before the command's body.
class Tavrix_cmd {
public:
    /// The common start step: gives the command its context help (the command help table's
    /// entry for globalName); 0 means that the handler goes on with the body.
    virtual int start();
    /// The static handler the host calls for the command.
    virtual ZcRxFunctionPtr handlerFunction() = 0;
    virtual CString globalName() = 0;
    /// The same as globalName.
    virtual CString localName();
    /// Adds the command to the host's command stack; without a command stack nothing is
    /// registered and nothing is reported.
    virtual void registerCommand(int flags);
    /// The product name "Tavrix" (constructs a TavrixApp).
    virtual CString groupName();

    virtual ~Tavrix_cmd();
};
