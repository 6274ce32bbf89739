// Message boxes, recorded in the session transcript; boxes with a choice take their answer
// from the session input.
#include "WinInternal.h"
#include "platform/Session.h"

#include <cstdio>
#include <vector>

using namespace platform;
using namespace platform::detail;

namespace {

struct Button {
    int id;
    const wchar_t* name;
};

std::vector<Button> buttonsOf(UINT type) {
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL: return {{IDOK, L"OK"}, {IDCANCEL, L"CANCEL"}};
    case MB_ABORTRETRYIGNORE: return {{IDABORT, L"ABORT"}, {IDRETRY, L"RETRY"}, {IDIGNORE, L"IGNORE"}};
    case MB_YESNOCANCEL: return {{IDYES, L"YES"}, {IDNO, L"NO"}, {IDCANCEL, L"CANCEL"}};
    case MB_YESNO: return {{IDYES, L"YES"}, {IDNO, L"NO"}};
    case MB_RETRYCANCEL: return {{IDRETRY, L"RETRY"}, {IDCANCEL, L"CANCEL"}};
    case MB_CANCELTRYCONTINUE: return {{IDCANCEL, L"CANCEL"}, {IDTRYAGAIN, L"TRY"}, {IDCONTINUE, L"CONTINUE"}};
    default: return {{IDOK, L"OK"}};
    }
}

}  // namespace

int MessageBoxW(HWND, LPCWSTR lpText, LPCWSTR lpCaption, UINT uType) {
    const std::vector<Button> buttons = buttonsOf(uType);
    const size_t defaultIndex = std::min<size_t>((uType & MB_DEFMASK) >> 8, buttons.size() - 1);
    const Button* answer = &buttons[defaultIndex];
    if (buttons.size() > 1) {
        std::wstring line;
        if (nextInput(line)) {
            while (!line.empty() && (line.back() == L'\r' || line.back() == L' '))
                line.pop_back();
            if (equalsNoCase(line, L"ESC")) {
                for (const auto& b : buttons)
                    if (b.id == IDCANCEL)
                        answer = &b;
            } else {
                for (const auto& b : buttons)
                    if (equalsNoCase(line, b.name))
                        answer = &b;
            }
        }
    }
    wchar_t flags[16];
    std::swprintf(flags, 16, L"0x%08X", uType);
    record(L"MessageBox", L"caption=" + quoted(lpCaption ? lpCaption : L"Error") + L" text=" + quoted(lpText) +
                              L" type=" + flags + L" answer=" + (answer->id == IDTRYAGAIN ? std::wstring(L"IDTRYAGAIN") : L"ID" + std::wstring(answer->name)));
    return answer->id;
}
