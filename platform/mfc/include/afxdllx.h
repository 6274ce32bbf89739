// Included once by an extension module's start-up source: the extension-module interface.
#pragma once

#include <afxwin.h>
