// The class library's extensions to the framework; the extension-module interface with it.
#pragma once

#include <afxwin.h>
