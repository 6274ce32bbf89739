// Test fixture of the frame tests.
#include "FrameTestSupport.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "platform/Paths.h"
#include "platform/Registry.h"
#include "platform/Session.h"

namespace fs = std::filesystem;

void PrintTo(const CStringW& text, std::ostream* os)
{
    *os << '"' << platform::toUtf8(text.str()) << '"';
}

namespace frametest {

namespace {
// The child's failures go to its standard error, which the parent shows with its verdict.
void reportFailuresOfThisProcess()
{
    const testing::TestResult* result = testing::UnitTest::GetInstance()->current_test_info()->result();
    for (int i = 0; i < result->total_part_count(); ++i) {
        const testing::TestPartResult& part = result->GetTestPartResult(i);
        if (part.failed())
            std::fprintf(stderr, "%s:%d: %s\n", part.file_name() ? part.file_name() : "?", part.line_number(),
                         part.message());
    }
}
}  // namespace

void inFreshProcess(const std::function<void()>& body)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            body();
            reportFailuresOfThisProcess();
            std::fflush(stdout);
            std::exit(testing::Test::HasFailure() ? 1 : 0);
        },
        testing::ExitedWithCode(0), "");
}

void FrameTest::SetUp()
{
    const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "." + info->name();
    for (char& c : name)
        if (c == '/')
            c = '_';
    work_ = fs::path(TAVRIX_BUILD_DIR) / "tests" / "frame" / "work" / name;
    fs::remove_all(work_);
    fs::create_directories(driveC());
    ASSERT_TRUE(platform::mapDrive(L'C', driveC().string()));
    setenv("TAVRIX_REGISTRY", (work_ / "registry.hive").c_str(), 1);
}

void FrameTest::writeInstallKey(const wchar_t* path)
{
    std::string text = "[HKEY_LOCAL_MACHINE\\SOFTWARE\\VORANT\\Tavrix\\2023]\n";
    if (path)
        text += "Path=" + platform::toUtf8(path) + "\n";
    writeHive(text);
}

void FrameTest::writeHive(const std::string& text)
{
    std::ofstream(work_ / "registry.hive", std::ios::binary) << text;
}

void FrameTest::reloadHive()
{
    ASSERT_TRUE(platform::setRegistryFile((work_ / "registry.hive").string()));
}

void FrameTest::copyModules(const fs::path& folder, bool withPack, const std::string& name)
{
    fs::create_directories(folder);
    fs::copy_file(builtModule(), folder / name, fs::copy_options::overwrite_existing);
    if (withPack)
        fs::copy_file(builtPack(), folder / "TavrixLP.dll", fs::copy_options::overwrite_existing);
}

void FrameTest::touch(const fs::path& file, const std::string& content)
{
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << content;
}

fs::path builtModule()
{
    return fs::path(TAVRIX_INSTALL_DIR) / "Tavrix.zrx";
}

fs::path builtPack()
{
    return fs::path(TAVRIX_INSTALL_DIR) / "TavrixLP.dll";
}

}  // namespace frametest
