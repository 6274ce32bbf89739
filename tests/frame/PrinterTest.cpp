// Command-line output: the printer's line logic and the two message functions.
#include "frame/Printer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "zcadstrc.h"

#include "platform/Session.h"

namespace {

/// Keeps every piece it is asked to print.
class RecordingPrinter : public Printer {
public:
    void print(const CString& text) override { pieces.push_back(text.GetString()); }
    std::vector<std::wstring> pieces;
};

class PrinterTest : public testing::Test {
protected:
    void SetUp() override
    {
        platform::setTranscriptSink([this](std::wstring_view text) { pieces.emplace_back(text); });
    }
    void TearDown() override { platform::setTranscriptSink({}); }
    std::wstring joined() const
    {
        std::wstring all;
        for (const auto& piece : pieces)
            all += piece;
        return all;
    }
    std::vector<std::wstring> pieces;
};

TEST_F(PrinterTest, PrintLinesPutsANewLineBeforeEachTextAndAfterTheLast)
{
    RecordingPrinter printer;
    CStringArray lines;
    printer.printLines(lines);
    EXPECT_EQ(printer.pieces, (std::vector<std::wstring>{L"\n"})) << "an empty list prints one new line";

    printer.pieces.clear();
    lines.Add(L"first");
    lines.Add(L"");
    lines.Add(L"third");
    printer.printLines(lines);
    EXPECT_EQ(printer.pieces,
              (std::vector<std::wstring>{L"\n", L"first", L"\n", L"", L"\n", L"third", L"\n"}));
}

TEST_F(PrinterTest, TextsWithPercentSignsPrintUnchanged)
{
    printMessage(L"100% done %s %d %%", true);
    EXPECT_EQ(joined(), L"\n100% done %s %d %%");
    pieces.clear();
    ZWPrinter().print(L"%n%s");
    EXPECT_EQ(joined(), L"%n%s");
    pieces.clear();
    printMessage(L"UI_Poly::InsertPoint", false);
    EXPECT_EQ(joined(), L"UI_Poly::InsertPoint");
}

TEST_F(PrinterTest, ErrorStatusIsPrintedAsThreePieces)
{
    const CString statusText = zcadErrorStatusText(static_cast<Zcad::ErrorStatus>(3));
    printErrorStatus(3);
    // The command line passes each printed text on as it comes.
    EXPECT_EQ(pieces, (std::vector<std::wstring>{L"\n", L" es: " + statusText.str(), L"\n"}));
    pieces.clear();
    printErrorStatus(Zcad::eOk);
    EXPECT_EQ(joined(), L"\n es: eOk\n");
}

}  // namespace
