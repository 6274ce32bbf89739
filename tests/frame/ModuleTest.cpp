// The plug-in module as the host drives it: start-up, the banner, the six commands, the
// manual command and unload.
#include <gtest/gtest.h>

#include "zcadsapi.h"

#include "FrameTestSupport.h"
#include "frame/InfoAndHelp.h"
#include "host/Session.h"
#include "platform/Session.h"

using frametest::FrameTest;
using frametest::inFreshProcess;
namespace fs = std::filesystem;

namespace {

const wchar_t* const kCommands[] = {L"Tavrix",       L"TavrixDrogaEwakuacyjna", L"TavrixReport",
                                    L"TavrixJestesTu", L"TavrixInfo",            L"TavrixHelp"};

std::wstring banner(const std::wstring& fourthPiece)
{
    return L"\nTavrix_v2023.0.01_(" + tavrixBuildDate().str() + L")" +
           L"\nCopyright (c) VORANT. All rights reserved." + L"\n" + fourthPiece +
           L"\nhttps://vorant.example/tavrix";
}

std::string utf8(const std::wstring& text)
{
    return platform::toUtf8(text);
}

class ModuleTest : public FrameTest {
protected:
    // The installation C:\P holds the plug-in, its pack and (when asked) the manual.
    void install(bool withPack, bool withManual)
    {
        writeInstallKey(L"C:\\P");
        copyModules(driveC() / "P", withPack);
        if (withManual)
            touch(driveC() / "P" / "Tavrix.pdf", "%PDF-1.4\n");
    }
    // Everything the command line showed for one command.
    static std::wstring run(host::Session& session, const wchar_t* command)
    {
        session.clearTranscript();
        EXPECT_TRUE(session.runCommand(command)) << utf8(command);
        return session.transcript();
    }
};

TEST_F(ModuleTest, BuildDateHasTheCompilersForm)
{
    EXPECT_TRUE(testing::internal::RE::FullMatch(utf8(tavrixBuildDate().str()),
                                                 "[A-Z][a-z][a-z] [ 123][0-9] [0-9][0-9][0-9][0-9]"))
        << utf8(tavrixBuildDate().str());
}

TEST_F(ModuleTest, StartUpPrintsTheBannerThatTavrixInfoRepeats)
{
    install(true, false);
    inFreshProcess([&] {
        host::Session session;
        ASSERT_TRUE(session.loadModule(L"C:\\P\\Tavrix.zrx"));
        EXPECT_NE(session.transcript().find(banner(L"Tavrix")), std::wstring::npos) << utf8(session.transcript());
        EXPECT_EQ(run(session, L"TavrixInfo"), L"\nCommand: TavrixInfo" + banner(L"Tavrix"));
        EXPECT_EQ(run(session, L"tavrixinfo"), L"\nCommand: tavrixinfo" + banner(L"Tavrix"));
    });
}

TEST_F(ModuleTest, BannerWithoutThePackSaysSoUntilThePackIsBack)
{
    install(false, false);
    inFreshProcess([&] {
        host::Session session;
        ASSERT_TRUE(session.loadModule(L"C:\\P\\Tavrix.zrx"));
        EXPECT_NE(session.transcript().find(banner(L"failed to load resource")), std::wstring::npos)
            << utf8(session.transcript());
        EXPECT_EQ(run(session, L"TavrixInfo"), L"\nCommand: TavrixInfo" + banner(L"failed to load resource"));
        fs::copy_file(frametest::builtPack(), driveC() / "P" / "TavrixLP.dll");
        EXPECT_EQ(run(session, L"TavrixInfo"), L"\nCommand: TavrixInfo" + banner(L"Tavrix"));
    });
}

TEST_F(ModuleTest, RegistersSixCommandsInItsGroupAndRemovesThemAtUnload)
{
    install(true, false);
    inFreshProcess([&] {
        host::Session session;
        ASSERT_TRUE(session.loadModule(L"C:\\P\\Tavrix.zrx"));
        ZcEdCommandStack* stack = zcedRegCmds();
        EXPECT_EQ(stack->numCommands(L"Tavrix"), 6);
        for (const wchar_t* name : kCommands) {
            ZcEdCommand* global = stack->lookupGlobalCmd(name);
            ASSERT_NE(global, nullptr) << utf8(name);
            EXPECT_EQ(stack->lookupLocalCmd(name), global) << utf8(name);
            EXPECT_STREQ(global->groupName(), L"Tavrix");
            EXPECT_STREQ(global->localName(), name);
            EXPECT_EQ(global->commandFlags(), 1);
            EXPECT_EQ(global->functionCode(), -1);
            EXPECT_EQ(global->UIContext(), nullptr);
            EXPECT_EQ(global->resourceHandle(), nullptr);
        }
        // The four class commands run their start step and end quietly for now.
        for (const wchar_t* name : {L"TavrixDrogaEwakuacyjna", L"TavrixReport", L"TavrixJestesTu"})
            EXPECT_EQ(run(session, name), std::wstring(L"\nCommand: ") + name);

        bool found = false;
        for (const host::ModuleInfo& module : session.modules()) {
            if (module.name != L"Tavrix.zrx")
                continue;
            found = true;
            EXPECT_FALSE(module.locked) << "start-up unlocks the application";
            EXPECT_TRUE(module.mdiAware);
        }
        EXPECT_TRUE(found);

        ASSERT_TRUE(session.unloadModule(L"Tavrix.zrx"));
        for (const wchar_t* name : kCommands) {
            EXPECT_EQ(stack->lookupGlobalCmd(name), nullptr) << utf8(name);
            EXPECT_EQ(stack->lookupLocalCmd(name), nullptr) << utf8(name);
        }
        EXPECT_EQ(stack->numCommands(L"Tavrix"), 0);
        EXPECT_FALSE(session.runCommand(L"TavrixInfo"));
    });
}

TEST_F(ModuleTest, EntryPointAnswersZeroAndStatesTheApiVersion)
{
    install(true, false);
    inFreshProcess([&] {
        host::Session session;
        ASSERT_TRUE(session.loadModule(L"C:\\P\\Tavrix.zrx")) << "the host refuses anything but 0";
        HMODULE module = GetModuleHandleW(L"Tavrix.zrx");
        ASSERT_NE(module, nullptr);
        auto entry = reinterpret_cast<ZcRxEntryPointFunc>(
            reinterpret_cast<void (*)()>(GetProcAddress(module, "zcrxEntryPoint")));
        auto apiVersion = reinterpret_cast<ZcRxGetApiVersionFunc>(
            reinterpret_cast<void (*)()>(GetProcAddress(module, "zcrxGetApiVersion")));
        ASSERT_NE(entry, nullptr);
        ASSERT_NE(apiVersion, nullptr);
        EXPECT_EQ(apiVersion(), 132448346);
        session.clearTranscript();
        for (ZcRx::AppMsgCode msg : {ZcRx::kEndMsg, ZcRx::kNullMsg, ZcRx::kLoadDwgMsg, ZcRx::kQuitMsg})
            EXPECT_EQ(entry(msg, nullptr), ZcRx::kRetOK) << msg;
        EXPECT_EQ(session.transcript(), L"") << "other messages are ignored";
        EXPECT_EQ(zcedRegCmds()->numCommands(L"Tavrix"), 6);
        EXPECT_TRUE(session.unloadModule(L"Tavrix.zrx")) << "the host refuses anything but 0";
    });
}

TEST_F(ModuleTest, TavrixHelpOpensThePresentManualThroughTheShell)
{
    install(true, true);
    inFreshProcess([&] {
        host::Session session;
        ASSERT_TRUE(session.loadModule(L"C:\\P\\Tavrix.zrx"));
        EXPECT_EQ(run(session, L"TavrixHelp"),
                  L"\nCommand: TavrixHelp\n[ShellExecute] verb=\"open\" file=\"explorer.exe\" "
                  L"parameters=\"Tavrix.pdf\" directory=\"C:\\P\" show=0\n");
    });
}

TEST_F(ModuleTest, TavrixHelpNamesTheMissingManual)
{
    install(true, false);
    inFreshProcess([&] {
        host::Session session;
        ASSERT_TRUE(session.loadModule(L"C:\\P\\Tavrix.zrx"));
        EXPECT_EQ(run(session, L"TavrixHelp"), L"\nCommand: TavrixHelp\nC:\\P\\Tavrix.pdf missing !");
    });
}

TEST_F(ModuleTest, WithoutTheInstallationKeyStartUpIsQuietAndTheManualIsMissing)
{
    copyModules(driveC() / "P", true);
    writeHive("");
    inFreshProcess([&] {
        host::Session session;
        ASSERT_TRUE(session.loadModule(L"C:\\P\\Tavrix.zrx"));
        EXPECT_EQ(session.transcript().find(L"[MessageBox]"), std::wstring::npos) << utf8(session.transcript());
        EXPECT_EQ(run(session, L"TavrixHelp"), L"\nCommand: TavrixHelp\n\\Tavrix.pdf missing !");
    });
}

}  // namespace
