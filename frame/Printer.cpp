// Command-line output through the host's zcutPrintf.
#include "frame/Printer.h"

#include "zcadstrc.h"
#include "zcutads.h"

Printer::~Printer() = default;

void Printer::printLines(const CStringArray& lines)
{
    for (INT_PTR i = 0; i < lines.GetSize(); ++i) {
        newLine();
        print(lines.GetAt(i));
    }
    newLine();
}

void Printer::newLine()
{
    print(L"\n");
}

void ZWPrinter::print(const CString& text)
{
    zcutPrintf(L"%s", static_cast<const wchar_t*>(text));
}

void printMessage(const CString& text, bool newLineFirst)
{
    if (newLineFirst)
        ZWPrinter().print(L"\n");
    ZWPrinter().print(text);
}

void printErrorStatus(int status)
{
    ZWPrinter().print(L"\n");
    ZWPrinter().print(CString(L" es: ") + zcadErrorStatusText(static_cast<Zcad::ErrorStatus>(status)));
    ZWPrinter().print(L"\n");
}
