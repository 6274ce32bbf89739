// Tests of whole-file writing of list files.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/FileEntry.h"
#include "support/TextFile.h"
#include "tests/support/TempDrive.h"

namespace {

using tavrix::test::kUtf16Bom;
using tavrix::test::TempDrive;
using tavrix::test::utf16le;

std::vector<std::string> folderEntries(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    return names;
}

TEST(TextFileTest, EmptyListWritesOnlyTheByteOrderMark) {
    TempDrive drive;
    EXPECT_EQ(TextFile(L"C:\\MRU.ini").writeLines(UI_StringArray()), 1);
    EXPECT_EQ(drive.read("MRU.ini"), kUtf16Bom);
    UI_StringArray lines;
    EXPECT_TRUE(FileEntry(L"C:\\MRU.ini").readLines(lines));
    EXPECT_EQ(lines.GetSize(), 0);
}

TEST(TextFileTest, EntriesAreUtf16LinesEndedByCarriageReturnAndLineFeed) {
    TempDrive drive;
    drive.write("Favourites.ini", std::string(1000, 'o'));  // an older, longer file
    UI_StringArray lines;
    lines.Add(L"C:\\lib\\Wyj\u015bcie.dwg");
    lines.Add(L"");
    lines.Add(L"\U0001F600");
    TextFile file(L"c:\\FAVOURITES.ini");
    EXPECT_TRUE(file.exists());
    EXPECT_EQ(file.writeLines(lines), 1);

    const std::string bytes = drive.read("Favourites.ini");
    EXPECT_EQ(bytes, kUtf16Bom + utf16le(L"C:\\lib\\Wyj\u015bcie.dwg\r\n\r\n") +
                         std::string("\x3D\xD8\x00\xDE\x0D\x00\x0A\x00", 8));
    ASSERT_GE(bytes.size(), 4u);
    EXPECT_EQ(bytes.substr(bytes.size() - 4), std::string("\x0D\x00\x0A\x00", 4));
    EXPECT_EQ(folderEntries(drive.root()), std::vector<std::string>{"Favourites.ini"});

    UI_StringArray again;
    EXPECT_TRUE(FileEntry(L"C:\\Favourites.ini").readLines(again));
    ASSERT_EQ(again.GetSize(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(again.GetAt(i), lines.GetAt(i));
}

TEST(TextFileTest, MissingFolderFailsAndCreatesNothing) {
    TempDrive drive;
    UI_StringArray lines;
    lines.Add(L"x");
    EXPECT_EQ(TextFile(L"C:\\VORANT\\Tavrix\\2023\\MRU.ini").writeLines(lines), -1);
    EXPECT_TRUE(folderEntries(drive.root()).empty());
    EXPECT_FALSE(TextFile(L"C:\\VORANT\\Tavrix\\2023\\MRU.ini").exists());
}

TEST(TextFileTest, WriteThatFailsPartWayKeepsTheOldFileWhole) {
    TempDrive drive;
    UI_StringArray old;
    old.Add(L"C:\\lib\\old.dwg");
    ASSERT_EQ(TextFile(L"C:\\MRU.ini").writeLines(old), 1);
    const std::string before = drive.read("MRU.ini");

    UI_StringArray lines;
    for (int i = 0; i < 20000; ++i)
        lines.Add(L"C:\\Program Files\\VORANT\\Tavrix\\Templates\\Signs\\sign.dwg");

    // The process may write at most 4 KB into any file: the write fails part-way, as on a
    // full disk (the signal that the limit raises is ignored, so the write just fails).
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    void (*oldHandler)(int) = signal(SIGXFSZ, SIG_IGN);
    rlimit limited = saved;
    limited.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    const int result = TextFile(L"C:\\MRU.ini").writeLines(lines);
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(result, -1);
    EXPECT_EQ(drive.read("MRU.ini"), before);
    EXPECT_EQ(folderEntries(drive.root()), std::vector<std::string>{"MRU.ini"});  // no leftovers

    // With the limit gone the same write succeeds.
    EXPECT_EQ(TextFile(L"C:\\MRU.ini").writeLines(lines), 1);
    UI_StringArray again;
    EXPECT_TRUE(FileEntry(L"C:\\MRU.ini").readLines(again));
    EXPECT_EQ(again.GetSize(), 20000);
}

}  // namespace
