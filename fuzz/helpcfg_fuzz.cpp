// Fuzz target: reading a command help configuration ("Help.cfg") into the command help table.
#include <cstdint>
#include <cstdio>
#include <string>

#include <unistd.h>

#include "frame/CommandHelp.h"
#include "host/Session.h"
#include "platform/Paths.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const std::string file = "/tmp/helpcfg_fuzz_" + std::to_string(getpid()) + ".cfg";
    static const std::wstring windowsFile = platform::toWindowsPath(file);
    static host::Session session;  // receives the zcedSetFunHelp calls

    FILE* out = std::fopen(file.c_str(), "wb");
    if (!out)
        return 0;
    std::fwrite(data, 1, size, out);
    std::fclose(out);

    CommandHelp table;
    table.load(L"C:\\Tavrix\\Help.chm", windowsFile.c_str());
    for (const auto& [name, topic] : table.topics) {
        // Every entry came from a line of exactly two non-empty fields split at tabs.
        if (name.IsEmpty() || topic.IsEmpty() || name.Find(L'\t') >= 0 || topic.Find(L'\t') >= 0)
            __builtin_trap();
        if (table.topicFor(name) != topic)
            __builtin_trap();
        table.apply(name);
    }
    session.clearRecords();
    return 0;
}
