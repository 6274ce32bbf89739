// The command help table: reading Help.cfg, looking topics up, handing them to the host.
#include "frame/CommandHelp.h"

#include <map>
#include <string>

#include "FrameTestSupport.h"
#include "host/Session.h"
#include "platform/Session.h"

using frametest::FrameTest;
using frametest::inFreshProcess;
namespace fs = std::filesystem;

namespace {

using Topics = std::map<std::wstring, std::wstring>;

Topics asTopics(const CommandHelp& help)
{
    Topics result;
    for (const auto& [name, topic] : help.topics)
        result[name.str()] = topic.str();
    return result;
}

struct ConfigCase {
    const char* label;
    const char* content;
    Topics expected;
};

const ConfigCase kConfigCases[] = {
    {"laterLineReplacesEarlier", "TavrixReport\ta.htm\nTAVRIXREPORT\tb.htm\n", {{L"TAVRIXREPORT", L"b.htm"}}},
    {"leadingTabStillTwoFields", "\tTavrixReport\ta.htm\n", {{L"TAVRIXREPORT", L"a.htm"}}},
    {"threeFieldsSkipped", "TavrixReport\ta.htm\tx\n", {}},
    {"oneFieldAndEmptyLinesSkipped", "Lonely\n\n\t\nTavrix\t\tBlocksLibrary_dlg.htm\n",
     {{L"TAVRIX", L"BlocksLibrary_dlg.htm"}}},
    {"crlfLinesAndBlanksKept", "TavrixJestesTu\tyou are here.htm\r\ntavrixinfo\t info.htm \r\n",
     {{L"TAVRIXJESTESTU", L"you are here.htm"}, {L"TAVRIXINFO", L" info.htm "}}},
};

class CommandHelpLoadTest : public FrameTest, public testing::WithParamInterface<ConfigCase> {};

TEST_P(CommandHelpLoadTest, KeepsLinesOfExactlyTwoFields)
{
    touch(driveC() / "P" / "Help.cfg", GetParam().content);
    CommandHelp help;
    help.load(L"C:\\P\\Help.chm", L"C:\\P\\Help.cfg");
    EXPECT_EQ(help.helpFile, L"C:\\P\\Help.chm");
    EXPECT_EQ(asTopics(help), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, CommandHelpLoadTest, testing::ValuesIn(kConfigCases),
                         [](const testing::TestParamInfo<ConfigCase>& info) { return std::string(info.param.label); });

class CommandHelpTest : public FrameTest {
protected:
    static std::vector<host::HelpRecord> help(const host::Session& session) { return session.recordedHelp(); }
};

TEST_F(CommandHelpTest, ApplyHandsTheTopicOfTheNameInAnyCase)
{
    touch(driveC() / "P" / "Help.cfg", "TavrixReport\ta.htm\nTAVRIXREPORT\tb.htm\n");
    CommandHelp table;
    table.load(L"C:\\P\\Help.chm", L"C:\\P\\Help.cfg");
    EXPECT_EQ(table.topicFor(L"tavrixReport"), L"b.htm");
    EXPECT_EQ(table.topicFor(L"Tavrix"), L"");

    host::Session session;
    table.apply(L"TavrixReport");
    table.apply(L"tavrixreport");
    table.apply(L"Tavrix");
    table.apply(L"");
    EXPECT_EQ(help(session), (std::vector<host::HelpRecord>{
                                 {L"C:TavrixReport", L"C:\\P\\Help.chm", L"b.htm", 0},
                                 {L"C:tavrixreport", L"C:\\P\\Help.chm", L"b.htm", 0},
                                 {L"C:Tavrix", L"C:\\P\\Help.chm", L"", 0},
                             }));
}

TEST_F(CommandHelpTest, MissingConfigurationLeavesTheTableEmpty)
{
    CommandHelp table;
    table.load(L"C:\\P\\Help.chm", L"C:\\P\\Help.cfg");
    EXPECT_TRUE(table.topics.empty());
    host::Session session;
    table.apply(L"TavrixReport");
    EXPECT_EQ(help(session),
              (std::vector<host::HelpRecord>{{L"C:TavrixReport", L"C:\\P\\Help.chm", L"", 0}}));
}

TEST_F(CommandHelpTest, ModuleReadsTheInstallationsTableAndEveryCommandStartsWithIt)
{
    writeInstallKey(L"C:\\P");
    copyModules(driveC() / "P", true);
    touch(driveC() / "P" / "Help.cfg", "TavrixReport\ta.htm\nTAVRIXREPORT\tb.htm\nTavrixJestesTu\there.htm\n");
    inFreshProcess([&] {
        host::Session session;
        ASSERT_TRUE(session.loadModule(L"C:\\P\\Tavrix.zrx"));
        session.clearRecords();
        for (const wchar_t* name : {L"TavrixReport", L"tavrixjestestu", L"TavrixDrogaEwakuacyjna"})
            EXPECT_TRUE(session.runCommand(name));
        EXPECT_EQ(help(session), (std::vector<host::HelpRecord>{
                                     {L"C:TavrixReport", L"C:\\P\\Help.chm", L"b.htm", 0},
                                     {L"C:TavrixJestesTu", L"C:\\P\\Help.chm", L"here.htm", 0},
                                     {L"C:TavrixDrogaEwakuacyjna", L"C:\\P\\Help.chm", L"", 0},
                                 }));
    });
}

// Replays the seed corpus of the Help.cfg fuzz target: whatever the file holds, every entry
// has a non-empty upper-case name and topic without tabs or line ends.
TEST_F(CommandHelpTest, FuzzCorpusLoadsIntoWellFormedEntries)
{
    const fs::path corpus = fs::path(TAVRIX_SOURCE_DIR) / "fuzz" / "corpus" / "helpcfg";
    ASSERT_TRUE(fs::is_directory(corpus));
    int files = 0;
    for (const auto& entry : fs::directory_iterator(corpus)) {
        fs::create_directories(driveC() / "cfg");
        fs::copy_file(entry.path(), driveC() / "cfg" / "Help.cfg", fs::copy_options::overwrite_existing);
        CommandHelp table;
        table.load(L"C:\\cfg\\Help.chm", L"C:\\cfg\\Help.cfg");
        for (const auto& [name, topic] : table.topics) {
            CString upper = name;
            upper.MakeUpper();
            EXPECT_EQ(name, upper) << entry.path();
            EXPECT_FALSE(name.IsEmpty() || topic.IsEmpty()) << entry.path();
            EXPECT_LT(name.FindOneOf(L"\t\n"), 0) << entry.path();
            EXPECT_LT(topic.FindOneOf(L"\t\n"), 0) << entry.path();
            EXPECT_EQ(table.topicFor(name), topic);
        }
        ++files;
    }
    EXPECT_GT(files, 0);
}

}  // namespace
