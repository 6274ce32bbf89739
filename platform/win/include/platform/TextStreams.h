// Streams that _wfopen_s opened in a translated text mode (see win/WideRuntime.h): the
// class library's CStdioFile reads and writes them as UTF-8 with "\n" line ends, and every
// other stream as raw UTF-16LE units (the Microsoft runtime's wide I/O on binary streams).
#pragma once

#include <cstdio>

namespace platform {

/// True while stream is an open translated text stream made by _wfopen_s / _wfopen.
bool isTranslatedStream(FILE* stream);

}  // namespace platform
