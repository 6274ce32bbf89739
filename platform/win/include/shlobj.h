// The shell declarations live with the other Windows stand-in declarations.
#pragma once

#include <windows.h>
