// zcutPrintf: formatted output on the host's command line.
#include <afxstr.h>

#include <cstdarg>

#include "HostSessionState.h"
#include "zcutads.h"

int zcutPrintf(const ZTCHAR* format, ...) {
    if (!format)
        return 0;
    va_list args;
    va_start(args, format);
    const std::wstring text = platform::formatWindows(format, args);
    va_end(args);
    host::detail::writeOutput(text);
    return static_cast<int>(text.size());
}
