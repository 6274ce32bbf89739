// The version banner and the manual command.
#include "frame/InfoAndHelp.h"

#include "frame/LanguagePack.h"
#include "frame/Printer.h"
#include "frame/TavrixApp.h"

namespace {
const wchar_t kBannerMiddle[] = L".0.01_(";
const wchar_t kNotice[] = L"Copyright (c) VORANT. All rights reserved.";
const wchar_t kWebAddress[] = L"https://vorant.example/tavrix";
// The product name as the language pack spells it: the fourth piece of the banner.
const UINT kProductNameText = 62000;
}  // namespace

CString tavrixBuildDate()
{
    return CString(L"" __DATE__);
}

void showInfo()
{
    TavrixApp app;
    ZWPrinter().print(L"\n" + app.productName + L"_v" + app.version + kBannerMiddle +
                      tavrixBuildDate() + L")");
    ZWPrinter().print(CString(L"\n") + kNotice);
    ZWPrinter().print(L"\n");
    ZWPrinter().print(loadLangString(kProductNameText));
    ZWPrinter().print(CString(L"\n") + kWebAddress);
}

void showHelp()
{
    TavrixApp app;
    const CString manualName = app.productName + L".pdf";
    const CString manualPath = app.installDir + L"\\" + manualName;

    CFileFind finder;
    const BOOL found = finder.FindFile(manualPath);
    finder.Close();

    if (found)
        ShellExecuteW(nullptr, L"open", L"explorer.exe", manualName, app.installDir, 0);
    else
        ZWPrinter().print(manualPath + L" missing !");
}
