// Sessions: script lines, comments, directives, the command history and recorded calls.
#include <gtest/gtest.h>

#include <platform/Paths.h>
#include <platform/Session.h>

#include <cstdio>
#include <filesystem>

#include "host/Session.h"
#include "host/SysVars.h"
#include "host/Ucs.h"
#include "zcadsapi.h"
#include "zcdbapserv.h"

namespace {

void askTwoPoints() {
    zds_point a;
    zds_point b;
    if (zcedGetPoint(nullptr, L"\nFirst point: ", a) != RTNORM)
        return;
    if (zcedGetPoint(a, L"\nNext point: ", b) != RTNORM)
        return;
    zcutPrintf(L"\nFrom %.1f,%.1f to %.1f,%.1f", a[X], a[Y], b[X], b[Y]);
}

void queueSomething() {
    zds_queueexpr(L"(load \"C:/U/Colors.zelx\")");
    zcutPrintf(L"\nqueued");
}

void registerCommands() {
    zcedRegCmds()->addCommand(L"T", L"Pts", L"Pts", 0, askTwoPoints);
    zcedRegCmds()->addCommand(L"T", L"Queue", L"Queue", 0, queueSomething);
}

TEST(RuntimeSessionTest, ScriptRunsCommandsAndDirectives) {
    host::Session session;
    registerCommands();
    session.feed(L"; a session\r\n"
                 L"pts\n"
                 L"1,2 ; first\n"
                 L"; comment lines are no answers\n"
                 L"3,4\n"
                 L"\n"
                 L".echo Hello there\n"
                 L"nosuch\n"
                 L"PTS\n"
                 L"ESC\n"
                 L"ESC\n"
                 L"Queue\n"
                 L".setvar userr1 2.5\n"
                 L".getvar USERR1\n");
    EXPECT_EQ(session.run(), 0);
    EXPECT_EQ(session.transcript(),
              L"\nCommand: pts\nFirst point: 1,2\nNext point: 3,4\nFrom 1.0,2.0 to 3.0,4.0"
              L"\nHello there"
              L"\nCommand: nosuch\nUnknown command \"NOSUCH\"."
              L"\nCommand: PTS\nFirst point: *Cancel*"
              L"\nCommand: *Cancel*"
              L"\nCommand: Queue\nqueued\nCommand: (load \"C:/U/Colors.zelx\")"
              L"\nUSERR1 = 2.5000\n");
    EXPECT_EQ(session.recordedQueue(), std::vector<std::wstring>{L"(load \"C:/U/Colors.zelx\")"});
}

TEST(RuntimeSessionTest, UcsDirectiveAndBadDirectivesCountAsFailures) {
    host::Session session;
    session.feed({L".ucs origin 10,5 90", L".ucs sideways", L".nosuch", L".setvar NOSUCH 1",
                  L".setvar ATTREQ x"});
    EXPECT_EQ(session.run(), 4);
    const host::Ucs ucs = host::currentUcs();
    EXPECT_DOUBLE_EQ(ucs.origin[0], 10);
    EXPECT_NEAR(ucs.xAxis[1], 1, 1e-12);
    EXPECT_EQ(session.transcript(),
              L"\n*** .ucs: expected \"origin x,y[,z] [degrees]\" or \"world\""
              L"\n*** Unknown directive .nosuch"
              L"\n*** .setvar NOSUCH: Unknown variable name."
              L"\n*** .setvar ATTREQ: Requires an integer value.\n");
    session.clearTranscript();
    EXPECT_TRUE(session.runLine(L".ucs world"));
    EXPECT_TRUE(host::currentUcs().isWorld());
}

TEST(RuntimeSessionTest, StrictModeReportsOpenObjects) {
    host::Session session;
    registerCommands();
    int open = 0;
    session.setOpenObjectCounter([&open] { return open; });
    session.feed({L"Queue", L".opencount"});
    open = 2;
    EXPECT_EQ(session.run(), 1);
    EXPECT_NE(session.transcript().find(L"\n*** 2 object(s) still open after Queue\nOpen objects: 2"),
              std::wstring::npos)
        << platform::toUtf8(session.transcript());
    session.setStrict(false);
    EXPECT_TRUE(session.runCommand(L"queue"));
    EXPECT_EQ(session.failures(), 1);
}

TEST(RuntimeSessionTest, FileActionsWithoutHandlersFail) {
    host::Session session;
    std::wstring saved;
    session.setFileHandler(host::Session::FileAction::Save, [&saved](const std::wstring& path) {
        saved = path;
        return true;
    });
    session.setFileHandler(host::Session::FileAction::Png, {});
    session.feed({L".save C:\\out\\plan.dwg", L".png plan.png"});
    EXPECT_EQ(session.run(), 1);
    EXPECT_EQ(saved, L"C:\\out\\plan.dwg");
    EXPECT_EQ(session.transcript(), L"\n*** .png: not available yet\n");
}

void leaveLayerOpen() {
    ZcDbObject* layer = nullptr;
    zcdbOpenObject(layer, zcdbHostApplicationServices()->workingDatabase()->layerZero(),
                   ZcDb::kForRead);
}

TEST(RuntimeSessionTest, StrictModeCountsTheWorkingDrawingsOpenObjects) {
    host::Session session;
    ASSERT_NE(zcdbHostApplicationServices()->workingDatabase(), nullptr);
    zcedRegCmds()->addCommand(L"T", L"Leak", L"Leak", 0, leaveLayerOpen);
    session.feed({L"leak"});
    EXPECT_EQ(session.run(), 1);
    EXPECT_EQ(session.transcript(), L"\nCommand: leak\n*** 1 object(s) still open after Leak\n");
    ZcDbObject* layer = nullptr;
    ASSERT_EQ(zcdbOpenObject(layer, zcdbHostApplicationServices()->workingDatabase()->layerZero(),
                             ZcDb::kForRead),
              Zcad::eOk);
    layer->close();  // the reader that the command left behind
    layer->close();
    EXPECT_EQ(session.openObjectCount(), 0);
}

TEST(RuntimeSessionTest, PicturesOfTheCurrentSpace) {
    host::Session session;
    const std::string png = testing::TempDir() + "runtime_session.png";
    const std::string svg = testing::TempDir() + "runtime_session.svg";
    std::remove(png.c_str());
    std::remove(svg.c_str());
    EXPECT_TRUE(session.fileAction(host::Session::FileAction::Png, platform::toWindowsPath(png)));
    EXPECT_TRUE(session.fileAction(host::Session::FileAction::Svg, platform::toWindowsPath(svg)));
    EXPECT_TRUE(std::filesystem::file_size(png) > 0);
    EXPECT_TRUE(std::filesystem::file_size(svg) > 0);
    EXPECT_EQ(session.failures(), 0) << platform::toUtf8(session.transcript());
}

TEST(RuntimeSessionTest, HelpCallsAreRecorded) {
    host::Session session;
    EXPECT_EQ(zcedSetFunHelp(L"C:TavrixReport", L"Z:\\i\\Help.chm", L"report.htm", 0), RTNORM);
    EXPECT_EQ(zcedSetFunHelp(L"", L"x", L"y", 0), RTERROR);
    ASSERT_EQ(session.recordedHelp().size(), 1u);
    EXPECT_EQ(session.recordedHelp()[0],
              (host::HelpRecord{L"C:TavrixReport", L"Z:\\i\\Help.chm", L"report.htm", 0}));
}

TEST(RuntimeSessionTest, InputSourceSkipsCommentLines) {
    host::Session session;
    session.feed({L"; only a comment", L"  ;indented comment", L"a;b", L"", L"x ; y"});
    std::vector<std::wstring> lines;
    std::wstring line;
    while (platform::nextInput(line))
        lines.push_back(line);
    EXPECT_EQ(lines, (std::vector<std::wstring>{L"a;b", L"", L"x"}));
}

}  // namespace
