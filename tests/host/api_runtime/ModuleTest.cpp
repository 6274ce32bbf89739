// Loading and unloading application modules through the entry-point protocol.
#include <gtest/gtest.h>

#include <platform/Paths.h>
#include <platform/Session.h>

#include <string>
#include <vector>

#include "host/Session.h"
#include "zcadsapi.h"

namespace {

std::wstring modulePath(const char* name) {
    return platform::toWindowsPath(std::string(RUNTIME_MODULE_DIR) + "/" + name);
}

std::vector<std::wstring> loadedNames() {
    std::vector<std::wstring> names;
    resbuf* list = zcedZrxLoaded();
    for (resbuf* rb = list; rb; rb = rb->rbnext) {
        EXPECT_EQ(rb->restype, RTSTR);
        names.emplace_back(rb->resval.rstring);
    }
    zcutRelRb(list);
    return names;
}

TEST(RuntimeModuleTest, LoadInitialisesAndUnloadRemoves) {
    host::Session session;
    const std::wstring path = modulePath("testmod.zrx");
    ASSERT_EQ(zcedZrxLoad(path.c_str()), RTNORM) << session.transcript();
    EXPECT_EQ(session.transcript(), L"\ninit");
    EXPECT_EQ(loadedNames(), std::vector<std::wstring>{L"testmod.zrx"});
    ASSERT_EQ(session.modules().size(), 1u);
    EXPECT_FALSE(session.modules()[0].locked);  // the module unlocked itself
    EXPECT_TRUE(session.modules()[0].mdiAware);
    EXPECT_FALSE(zcrxApplicationIsLocked(L"TESTMOD.ZRX"));

    EXPECT_TRUE(session.runCommand(L"testhello"));
    EXPECT_EQ(session.takeTranscript(), L"\ninit\nCommand: testhello\nHello from the module");

    // Loading the same file again is refused.
    EXPECT_EQ(zcedZrxLoad(path.c_str()), RTERROR);
    EXPECT_EQ(session.takeTranscript(), L"\ntestmod.zrx is already loaded.");

    EXPECT_EQ(zcedZrxUnload(L"TestMod.zrx"), RTNORM);
    EXPECT_EQ(session.takeTranscript(), L"\nunload");
    EXPECT_TRUE(loadedNames().empty());
    EXPECT_EQ(zcedRegCmds()->lookupGlobalCmd(L"TestHello"), nullptr);
    EXPECT_EQ(zcedZrxUnload(L"testmod.zrx"), RTERROR);
    EXPECT_EQ(session.takeTranscript(), L"\nUnable to unload testmod.zrx: not loaded.");
}

TEST(RuntimeModuleTest, RefusedModulesAreNotListed) {
    host::Session session;
    struct Case {
        std::wstring path;
        std::wstring message;
    };
    const Case cases[] = {
        {modulePath("missing.zrx"), L"\nUnable to load missing.zrx file."},
        {L"\\Utilpack.zrx", L"\nUnable to load Utilpack.zrx file."},
        {modulePath("badversion.zrx"),
         L"\nbadversion.zrx was built for API version 132448000; this host requires "
         L"132448346.\nUnable to load badversion.zrx file."},
        {modulePath("refuses.zrx"),
         L"\nrefusing\nrefuses.zrx refused to initialise.\nUnable to load refuses.zrx file."},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(zcedZrxLoad(c.path.c_str()), RTERROR) << platform::toUtf8(c.path);
        EXPECT_EQ(session.takeTranscript(), c.message);
    }
    EXPECT_TRUE(loadedNames().empty());
}

TEST(RuntimeModuleTest, PreSeededNamesAreListedAsGiven) {
    host::Session session;
    session.addLoadedName(L"UTILPACK.ZRX");
    session.addLoadedName(L"C:\\U\\Other.zrx");
    EXPECT_EQ(loadedNames(), (std::vector<std::wstring>{L"UTILPACK.ZRX", L"C:\\U\\Other.zrx"}));
    // A listed name counts as loaded.
    EXPECT_EQ(zcedZrxLoad(L"C:\\U\\Utilpack.zrx"), RTERROR);
    EXPECT_EQ(session.takeTranscript(), L"\nUtilpack.zrx is already loaded.");
}

TEST(RuntimeModuleTest, LockedModulesStayUntilTheHostQuits) {
    host::Session session;
    void* app = session.registerApplication(L"static.zrx");
    EXPECT_TRUE(zcrxApplicationIsLocked(L"static.zrx"));
    EXPECT_EQ(zcedZrxUnload(L"static.zrx"), RTERROR);
    EXPECT_EQ(session.takeTranscript(), L"\nUnable to unload static.zrx: the application is locked.");
    EXPECT_TRUE(zcrxUnlockApplication(app));
    EXPECT_FALSE(zcrxUnlockApplication(reinterpret_cast<void*>(&session)));  // unknown id
    EXPECT_EQ(zcedZrxUnload(L"static.zrx"), RTNORM);
}

}  // namespace
