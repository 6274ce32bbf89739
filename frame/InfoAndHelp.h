// The handlers of the commands "TavrixInfo" (the version banner) and "TavrixHelp" (the manual).
#pragma once

#include <afxwin.h>

/// Prints the version banner in five pieces.
void showInfo();

/// Opens the manual "Tavrix.pdf" of the installation folder through the shell, or prints
/// its full path followed by " missing !" when the file is not there.
void showHelp();

/// The date this module was built, as "Nov 30 2022".
CString tavrixBuildDate();
