// Tests of the installed help table and of the companion module's stand-in files.
#include <gtest/gtest.h>

#include <dlfcn.h>

#include <filesystem>
#include <map>
#include <string>

#include "platform/Paths.h"
#include "platform/Session.h"
#include "support/FileEntry.h"
#include "support/UI_StringArray.h"

#include <zcrxentry.h>

namespace {

TEST(SamplesTest, HelpTableHasATopicForEveryCommandAndTheDialog) {
    const CString path(platform::toWindowsPath(std::string(TAVRIX_INSTALL_DIR) + "/Help.cfg").c_str());
    UI_StringArray lines;
    ASSERT_TRUE(FileEntry(path).readAnsiLines(lines));
    std::map<std::wstring, std::wstring> topics;
    for (INT_PTR i = 0; i < lines.GetSize(); ++i) {
        UI_StringArray fields;
        splitText(lines.GetAt(i), L"\t", fields, false);
        ASSERT_EQ(fields.GetSize(), 2) << lines.GetAt(i).GetString();
        topics[fields.GetAt(0).GetString()] = fields.GetAt(1).GetString();
    }
    for (const wchar_t* command : {L"Tavrix", L"TavrixDrogaEwakuacyjna", L"TavrixReport", L"TavrixJestesTu",
                                   L"TavrixInfo", L"TavrixHelp"}) {
        ASSERT_EQ(topics.count(command), 1u) << command;
        EXPECT_EQ(topics[command].substr(topics[command].size() - 4), L".htm") << command;
    }
    // The dialog appends ".htm" to its topic itself.
    EXPECT_EQ(topics[L"BlocksLibrary_dlg"], L"BlocksLibrary_dlg");
}

TEST(SamplesTest, CompanionModuleAnswersTheModuleProtocol) {
    const std::filesystem::path folder(TAVRIX_UTILPACK_DIR);
    EXPECT_TRUE(std::filesystem::is_regular_file(folder / "Colors.zelx"));
    EXPECT_TRUE(std::filesystem::is_regular_file(folder / "Utilpack.dll"));

    void* module = dlopen((folder / "Utilpack.zrx").c_str(), RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(module, nullptr) << dlerror();
    auto version = reinterpret_cast<ZcRxGetApiVersionFunc>(dlsym(module, "zcrxGetApiVersion"));
    auto entry = reinterpret_cast<ZcRxEntryPointFunc>(dlsym(module, "zcrxEntryPoint"));
    ASSERT_NE(version, nullptr);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(version(), 132448346);

    std::wstring printed;
    platform::setTranscriptSink([&](std::wstring_view text) { printed += text; });
    EXPECT_EQ(entry(ZcRx::kInitAppMsg, nullptr), ZcRx::kRetOK);
    EXPECT_EQ(entry(ZcRx::kUnloadAppMsg, nullptr), ZcRx::kRetOK);
    platform::setTranscriptSink({});
    EXPECT_EQ(printed, L"\nUtilpack 2023 loaded.");
    dlclose(module);
}

}  // namespace
