// The companion module loader: the host's module list, the native load, the queued files.
#include "frame/Utilpack.h"

#include <string>
#include <vector>

#include "FrameTestSupport.h"
#include "host/Session.h"
#include "platform/Session.h"

using frametest::FrameTest;
namespace fs = std::filesystem;

namespace {

const wchar_t kColors[] = L"(load \"C:/U/Colors.zelx\")";
const wchar_t kNetload[] = L"(command \"_netload\" \"C:/U/Utilpack.dll\")";

class UtilpackTest : public FrameTest {
protected:
    void SetUp() override
    {
        FrameTest::SetUp();
        installCompanion(L"C:\\U");
    }
    void installCompanion(const wchar_t* folder)
    {
        std::string text = "[HKEY_LOCAL_MACHINE\\SOFTWARE\\VORANT\\Utilpack\\2023]\n";
        if (folder)
            text += "Path=" + platform::toUtf8(folder) + "\n";
        writeHive(text);
        reloadHive();
    }
    void companionFiles(bool colors, bool dll)
    {
        fs::create_directories(driveC() / "U");
        if (colors)
            touch(driveC() / "U" / "Colors.zelx", "(princ)\n");
        if (dll)
            touch(driveC() / "U" / "Utilpack.dll", "MZ");
    }
    std::vector<std::wstring> queued() const { return session.recordedQueue(); }
    size_t moduleCount() const { return session.modules().size(); }

    host::Session session;
};

TEST_F(UtilpackTest, ListedInAnyCaseCountsAsLoadedButSupportFilesAreStillQueued)
{
    companionFiles(true, true);
    session.addLoadedName(L"UTILPACK.ZRX");
    const size_t before = moduleCount();
    session.clearTranscript();

    EXPECT_TRUE(Utilpack2023App().load());
    EXPECT_EQ(session.transcript(), L"") << "no path printed, nothing loaded";
    EXPECT_EQ(moduleCount(), before);
    EXPECT_EQ(queued(), (std::vector<std::wstring>{kColors, kNetload}));
}

TEST_F(UtilpackTest, OnlyTheWholeFileNameMatches)
{
    session.addLoadedName(L"C:\\U\\Utilpack.zrx");
    session.addLoadedName(L"Utilpack.zrx.bak");
    EXPECT_FALSE(Utilpack2023App().isLoaded());
    session.addLoadedName(L"utilpack.zrx");
    EXPECT_TRUE(Utilpack2023App().isLoaded());
}

struct SupportCase {
    const char* label;
    bool colors;
    bool dll;
    std::vector<std::wstring> expected;
};

class UtilpackSupportTest : public UtilpackTest, public testing::WithParamInterface<SupportCase> {};

TEST_P(UtilpackSupportTest, QueuesOnlyTheFilesPresent)
{
    companionFiles(GetParam().colors, GetParam().dll);
    Utilpack2023App().loadSupportFiles();
    EXPECT_EQ(queued(), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, UtilpackSupportTest,
                         testing::Values(SupportCase{"both", true, true, {kColors, kNetload}},
                                         SupportCase{"colorsOnly", true, false, {kColors}},
                                         SupportCase{"dllOnly", false, true, {kNetload}},
                                         SupportCase{"neither", false, false, {}}),
                         [](const testing::TestParamInfo<SupportCase>& info) { return std::string(info.param.label); });

TEST_F(UtilpackTest, UnlistedModuleIsPrintedAndLoadedFromTheCompanionsFolder)
{
    companionFiles(true, false);
    session.clearTranscript();
    EXPECT_FALSE(Utilpack2023App().load());
    const std::wstring shown = session.transcript();
    EXPECT_EQ(shown.rfind(L"C:\\U\\Utilpack.zrx", 0), 0u) << platform::toUtf8(shown);
    EXPECT_GT(shown.size(), std::wstring(L"C:\\U\\Utilpack.zrx").size()) << "the host reports its refusal";
    EXPECT_EQ(queued(), (std::vector<std::wstring>{kColors})) << "the support files follow";
}

TEST_F(UtilpackTest, CompanionNotInstalledTriesTheBareNameAndQueuesNothing)
{
    installCompanion(nullptr);
    companionFiles(true, true);
    session.clearTranscript();
    Utilpack2023App().load();
    EXPECT_EQ(session.transcript().rfind(L"\\Utilpack.zrx", 0), 0u) << platform::toUtf8(session.transcript());
    EXPECT_TRUE(queued().empty());
}

TEST_F(UtilpackTest, EditionsAndTheirRegistryKeys)
{
    EXPECT_EQ(UtilpackApp().productName(), L"Utilpack");
    EXPECT_EQ(UtilpackApp().version(), L"2022");
    EXPECT_EQ(Utilpack2023App().productName(), L"Utilpack");
    EXPECT_EQ(Utilpack2023App().version(), L"2023");
    EXPECT_EQ(Utilpack2023App().installDir(), L"C:\\U");
    EXPECT_EQ(UtilpackApp().installDir(), L"") << "the 2022 key is not installed";
    EXPECT_FALSE(Utilpack2023App().isNetModuleLoaded());

    installCompanion(L"C:\\Other");
    EXPECT_EQ(Utilpack2023App().installDir(), L"C:\\Other") << "read anew at every call";
}

}  // namespace
