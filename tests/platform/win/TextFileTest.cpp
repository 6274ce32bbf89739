// Text streams: encodings, byte-order marks, line ends and write failures.
#include "TempDrive.h"

#include <afx.h>
#include <afxfile.h>
#include <windows.h>

#include <vector>

namespace {

using WinTextFileTest = TempDrive;

std::vector<std::wstring> readAll(const wchar_t* path, const wchar_t* mode) {
    std::vector<std::wstring> lines;
    FILE* stream = nullptr;
    if (_wfopen_s(&stream, path, mode) != 0)
        return {L"<not opened>"};
    CStdioFile file(stream);
    CString line;
    while (file.ReadString(line))
        lines.emplace_back(line.GetString());
    fclose(stream);
    return lines;
}

using Lines = std::vector<std::wstring>;

TEST_F(WinTextFileTest, ReadsUnicodeFilesByTheirMark) {
    struct Case {
        const char* name;
        std::string bytes;
        Lines lines;
    } cases[] = {
        {"utf16 with mark", std::string("\xFF\xFE" "a\0\r\0\n\0\x42\x01", 10), {L"a", L"\u0142"}},
        {"utf16 without mark", std::string("x\0\n\0\n\0y\0", 8), {L"x", L"", L"y"}},
        {"utf8 with mark", "\xEF\xBB\xBFz\xC3\xB3\r\nlast", {L"z\u00F3", L"last"}},
        {"mark only", "\xFF\xFE", {}},
        {"empty file", "", {}},
        {"lone surrogates", std::string("\xFF\xFE\x00\xD8" "a\0\x00\xDC\n\0", 10), {L"\uFFFDa\uFFFD"}},
        {"pair joined", std::string("\xFF\xFE\x3D\xD8\x00\xDE", 6), {L"\U0001F600"}},
        {"odd last byte", std::string("\xFF\xFE" "a\0b", 5), {L"a\uFFFD"}},
        {"lone CR kept", std::string("\xFF\xFE" "a\0\r\0b\0", 8), {L"a\rb"}},
    };
    for (const auto& c : cases) {
        makeFile("list.ini", c.bytes);
        EXPECT_EQ(readAll(L"C:\\LIST.ini", L"r, ccs=UNICODE"), c.lines) << c.name;
    }
}

TEST_F(WinTextFileTest, WritesUtf16WithMarkAndCrLf) {
    FILE* stream = nullptr;
    ASSERT_EQ(_wfopen_s(&stream, L"C:\\MRU.ini", L"wt,ccs=UNICODE"), 0);
    {
        CStdioFile file(stream);
        file.WriteString(L"C:\\a\u0105.dwg\n");
        file.WriteString(L"\U0001F600\n");
    }
    EXPECT_EQ(fclose(stream), 0);
    EXPECT_EQ(readBytes("MRU.ini"), std::string("\xFF\xFE" "C\0:\0\\\0a\0\x05\x01.\0d\0w\0g\0\r\0\n\0"
                                                "\x3D\xD8\x00\xDE\r\0\n\0",
                                                32));
    EXPECT_EQ(readAll(L"C:\\MRU.ini", L"r, ccs=UNICODE"), (Lines{L"C:\\a\u0105.dwg", L"\U0001F600"}));

    // An empty list still gives the mark.
    ASSERT_EQ(_wfopen_s(&stream, L"C:\\Empty.ini", L"wt,ccs=UNICODE"), 0);
    EXPECT_EQ(fclose(stream), 0);
    EXPECT_EQ(readBytes("Empty.ini"), "\xFF\xFE");

    // Appending follows the file's mark and writes none of its own.
    ASSERT_EQ(_wfopen_s(&stream, L"C:\\MRU.ini", L"a, ccs=UNICODE"), 0);
    CStdioFile(stream).WriteString(L"z\n");
    fclose(stream);
    EXPECT_EQ(readAll(L"C:\\MRU.ini", L"r, ccs=UNICODE").back(), L"z");
}

TEST_F(WinTextFileTest, EightBitTextUsesWindows1250) {
    // "Łódź, Żółć" and the euro sign in Windows-1250, CR LF ends, no end on the last line.
    makeFile("Alias.csv", "\xA3\xF3" "d\x9F;\xAF\xF3\xB3\xE6\r\n\x80");
    EXPECT_EQ(readAll(L"C:\\alias.csv", L"r"), (Lines{L"\u0141\u00F3d\u017A;\u017B\u00F3\u0142\u0107", L"\u20AC"}));

    CStdioFile file;
    ASSERT_TRUE(file.Open(L"C:\\out.csv", CFile::modeCreate | CFile::modeWrite | CFile::typeText));
    file.WriteString(L"\u015A\u0107\u00E9\u4E2D\n");
    file.Close();
    EXPECT_EQ(readBytes("out.csv"), "\x8C\xE6\xE9?\r\n");

    ASSERT_TRUE(file.Open(L"C:\\ALIAS.CSV", CFile::modeRead | CFile::typeText));
    CString line;
    EXPECT_TRUE(file.ReadString(line));
    EXPECT_STREQ(line, L"\u0141\u00F3d\u017A;\u017B\u00F3\u0142\u0107");
    file.Close();
}

TEST_F(WinTextFileTest, LongLinesAndBadModes) {
    std::string bytes = "\xFF\xFE";
    for (int i = 0; i < 5'000'000; ++i)
        bytes += std::string("a\0", 2);
    bytes += std::string("\n\0b\0", 4);
    makeFile("long.ini", bytes);
    const Lines lines = readAll(L"C:\\long.ini", L"r, ccs=UNICODE");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].size(), 5'000'000u);
    EXPECT_EQ(lines[1], L"b");

    FILE* stream = reinterpret_cast<FILE*>(1);
    EXPECT_EQ(_wfopen_s(&stream, L"C:\\long.ini", L"r, ccs=UTF-7"), EINVAL);
    EXPECT_EQ(stream, nullptr);
    EXPECT_EQ(_wfopen_s(&stream, L"C:\\missing\\x.ini", L"wt,ccs=UNICODE"), ENOENT);
    EXPECT_EQ(_wfopen_s(&stream, L"C:\\", L"r"), EACCES);
}

TEST_F(WinTextFileTest, WriteFailuresAreReported) {
    // A full disk: stdio's results report it, and CStdioFile throws as the class library does.
    FILE* stream = nullptr;
    ASSERT_EQ(_wfopen_s(&stream, L"Z:\\dev\\full", L"wt,ccs=UNICODE"), 0);
    CStdioFile(stream).WriteString(L"short\n");
    EXPECT_NE(fclose(stream), 0);

    ASSERT_EQ(_wfopen_s(&stream, L"Z:\\dev\\full", L"wt"), 0);
    CStdioFile file(stream);
    bool thrown = false;
    try {
        for (int i = 0; i < 1000; ++i)
            file.WriteString(L"a line that will not fit on the disk\n");
    } catch (CFileException* e) {
        thrown = e->m_cause == CFileException::diskFull;
        e->Delete();
    }
    EXPECT_TRUE(thrown);
    EXPECT_NE(ferror(stream), 0);
    fclose(stream);
}

}  // namespace
