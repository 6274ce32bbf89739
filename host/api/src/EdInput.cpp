// Prompted input of the host's editor: points, distances, numbers, keywords and texts,
// answered from the session's input and echoed as the command history shows them.
#include <cmath>
#include <cwchar>
#include <cwctype>
#include <optional>
#include <string>
#include <vector>

#include <platform/Session.h>

#include "HostSessionState.h"
#include "host/SysVars.h"
#include "host/Ucs.h"
#include "zcedads.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

struct Keyword {
    std::wstring local;
    std::wstring global;
};

struct EditorState {
    int flags = 0;
    std::vector<Keyword> keywords;
    std::optional<std::wstring> lastKeyword;
};

EditorState& state() {
    static EditorState instance;
    return instance;
}

/// Conditions of zcedInitGet hold for one prompt: every input function ends with this.
struct PromptScope {
    ~PromptScope() {
        state().flags = 0;
        state().keywords.clear();
    }
};

std::vector<std::wstring> splitBlanks(std::wstring_view text) {
    std::vector<std::wstring> parts;
    std::wstring current;
    for (wchar_t c : text) {
        if (std::iswspace(c)) {
            if (!current.empty())
                parts.push_back(std::move(current));
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty())
        parts.push_back(std::move(current));
    return parts;
}

std::wstring trim(std::wstring_view text) {
    size_t start = 0;
    size_t end = text.size();
    while (start < end && std::iswspace(text[start]))
        ++start;
    while (end > start && std::iswspace(text[end - 1]))
        --end;
    return std::wstring(text.substr(start, end - start));
}

/// Whether the answer selects the keyword: the whole keyword, or its abbreviation (its
/// capital letters). When the capitals lead the keyword, any longer prefix counts too.
bool matchesKeyword(std::wstring_view answer, std::wstring_view keyword) {
    if (answer.empty() || keyword.empty())
        return false;
    if (host::detail::equalsNoCase(answer, keyword))
        return true;
    std::wstring capitals;
    size_t leading = 0;
    bool stillLeading = true;
    for (wchar_t c : keyword) {
        if (std::iswupper(c)) {
            capitals += c;
            if (stillLeading)
                ++leading;
        } else {
            stillLeading = false;
        }
    }
    if (capitals.empty() || capitals.size() == keyword.size())
        return false;
    if (leading == capitals.size())
        return answer.size() >= leading && answer.size() <= keyword.size() &&
               host::detail::equalsNoCase(answer, keyword.substr(0, answer.size()));
    return host::detail::equalsNoCase(answer, capitals);
}

/// The global form of the keyword the answer names, if any.
std::optional<std::wstring> findKeyword(std::wstring_view answer) {
    const auto& keywords = state().keywords;
    if (!answer.empty() && answer[0] == L'_') {
        const std::wstring_view global = answer.substr(1);
        for (const Keyword& k : keywords)
            if (matchesKeyword(global, k.global))
                return k.global;
        return std::nullopt;
    }
    for (const Keyword& k : keywords)
        if (matchesKeyword(answer, k.local))
            return k.global;
    return std::nullopt;
}

bool isCancel(std::wstring_view answer) { return host::detail::equalsNoCase(answer, L"ESC"); }

/// A decimal number: sign, digits with an optional point, an optional exponent.
bool parseNumber(std::wstring_view text, double& out) {
    const std::wstring s = trim(text);
    if (s.empty())
        return false;
    size_t i = 0;
    if (s[i] == L'+' || s[i] == L'-')
        ++i;
    size_t digits = 0;
    while (i < s.size() && std::iswdigit(s[i]))
        ++i, ++digits;
    if (i < s.size() && s[i] == L'.') {
        ++i;
        while (i < s.size() && std::iswdigit(s[i]))
            ++i, ++digits;
    }
    if (digits == 0)
        return false;
    if (i < s.size() && (s[i] == L'e' || s[i] == L'E')) {
        ++i;
        if (i < s.size() && (s[i] == L'+' || s[i] == L'-'))
            ++i;
        size_t exponent = 0;
        while (i < s.size() && std::iswdigit(s[i]))
            ++i, ++exponent;
        if (exponent == 0)
            return false;
    }
    if (i != s.size())
        return false;
    out = std::wcstod(s.c_str(), nullptr);
    return std::isfinite(out);
}

void lastPoint(double out[3]) {
    out[0] = out[1] = out[2] = 0.0;
    if (auto v = host::sysVars().get(L"LASTPOINT"))
        for (int i = 0; i < 3; ++i)
            out[i] = v->point[i];
}

/// A point as typed, in the user coordinate system: "x,y", "x,y,z", "@dx,dy[,dz]" relative
/// to the last point, "d<angle" and "@d<angle" polar (degrees), "@" the last point itself.
bool parsePoint(std::wstring_view text, double out[3]) {
    std::wstring s = trim(text);
    if (s.empty())
        return false;
    double base[3] = {0, 0, 0};
    const bool relative = s[0] == L'@';
    if (relative) {
        lastPoint(base);
        s = trim(std::wstring_view(s).substr(1));
        if (s.empty()) {
            for (int i = 0; i < 3; ++i)
                out[i] = base[i];
            return true;
        }
    }
    const size_t less = s.find(L'<');
    if (less != std::wstring::npos) {
        double distance;
        double angle;
        if (!parseNumber(std::wstring_view(s).substr(0, less), distance) ||
            !parseNumber(std::wstring_view(s).substr(less + 1), angle))
            return false;
        const double radians = angle * kPi / 180.0;
        out[0] = base[0] + distance * std::cos(radians);
        out[1] = base[1] + distance * std::sin(radians);
        out[2] = base[2];
        return true;
    }
    double p[3] = {0, 0, 0};
    int count = 0;
    size_t start = 0;
    for (;;) {
        const size_t comma = s.find(L',', start);
        const std::wstring_view part = std::wstring_view(s).substr(
            start, comma == std::wstring::npos ? std::wstring::npos : comma - start);
        if (count == 3 || !parseNumber(part, p[count]))
            return false;
        ++count;
        if (comma == std::wstring::npos)
            break;
        start = comma + 1;
    }
    if (count < 2)
        return false;
    for (int i = 0; i < 3; ++i)
        out[i] = base[i] + p[i];
    return true;
}

void rememberPoint(const double p[3]) {
    double copy[3] = {p[0], p[1], p[2]};
    host::sysVars().hostSetPoint(L"LASTPOINT", copy);
}

enum class Reply { Text, Enter, Cancel };

/// Prints the prompt and takes one answer: Cancel for "ESC" or input that ran out (shown as
/// "*Cancel*"), Enter for an empty answer, otherwise the text (echoed after the prompt).
Reply ask(const ZTCHAR* prompt, std::wstring& answer, bool keepBlanks = false) {
    if (prompt)
        host::detail::writeOutput(prompt);
    std::wstring line;
    if (!host::detail::readAnswer(line)) {
        host::detail::echoAnswer(L"*Cancel*");
        return Reply::Cancel;
    }
    answer = keepBlanks ? line : trim(line);
    if (isCancel(trim(line))) {
        host::detail::echoAnswer(L"*Cancel*");
        return Reply::Cancel;
    }
    host::detail::echoAnswer(line);
    return answer.empty() ? Reply::Enter : Reply::Text;
}

/// The shared tail of every prompt: keywords and arbitrary input. Returns RTKWORD when the
/// answer is one, 0 otherwise.
int keywordResult(const std::wstring& answer) {
    if (auto keyword = findKeyword(answer)) {
        state().lastKeyword = *keyword;
        return RTKWORD;
    }
    if (state().flags & RSG_OTHER) {
        state().lastKeyword = answer;
        return RTKWORD;
    }
    return 0;
}

void complain(const wchar_t* message) {
    host::detail::writeOutput(L"\n");
    host::detail::writeOutput(message);
}

/// Checks the zcedInitGet conditions on a number; prints why it is refused.
bool numberAllowed(double value) {
    const int flags = state().flags;
    const bool zeroBad = (flags & RSG_NOZERO) && value == 0.0;
    const bool negativeBad = (flags & RSG_NONEG) && value < 0.0;
    if (!zeroBad && !negativeBad)
        return true;
    if ((flags & RSG_NOZERO) && (flags & RSG_NONEG))
        complain(L"Value must be positive and nonzero.");
    else if (zeroBad)
        complain(L"Value must be nonzero.");
    else
        complain(L"Value must be positive.");
    return false;
}

double distanceBetween(const double a[3], const double b[3]) {
    const double dx = b[0] - a[0];
    const double dy = b[1] - a[1];
    const double dz = (state().flags & RSG_2D) ? 0.0 : b[2] - a[2];
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}

/// Asks for a second point after the first answer of a distance or angle was a point.
int secondPoint(double out[3]) {
    for (;;) {
        std::wstring answer;
        switch (ask(L"\nSpecify second point: ", answer)) {
        case Reply::Cancel:
            return RTCAN;
        case Reply::Enter:
            return RTNONE;
        case Reply::Text:
            if (parsePoint(answer, out)) {
                rememberPoint(out);
                return RTNORM;
            }
            complain(L"Invalid point.");
            break;
        }
    }
}

int copyOut(const std::wstring& text, ZTCHAR* result, size_t bufLen) {
    if (!result || bufLen == 0)
        return RTERROR;
    const size_t count = std::min(text.size(), bufLen - 1);
    std::wmemcpy(result, text.data(), count);
    result[count] = L'\0';
    return count < text.size() ? RTINPUTTRUNCATED : RTNORM;
}

constexpr size_t kClassicBuffer = 133;  // 132 characters and the terminator

/// What an interpreter of an answer returns when it has complained and the prompt repeats.
constexpr int kAskAgain = 0;

/// Asks until an answer settles the prompt: Escape gives RTCAN; Enter gives RTNONE, or with
/// RSG_NONULL prints nullMessage and asks again; any other answer goes to interpret, whose
/// result ends the prompt unless it is kAskAgain.
template <class Interpret>
int askUntilSettled(const ZTCHAR* prompt, const wchar_t* nullMessage, Interpret interpret) {
    PromptScope scope;
    for (;;) {
        std::wstring answer;
        switch (ask(prompt, answer)) {
        case Reply::Cancel:
            return RTCAN;
        case Reply::Enter:
            if (state().flags & RSG_NONULL) {
                complain(nullMessage);
                continue;
            }
            return RTNONE;
        case Reply::Text:
            if (int rc = interpret(answer); rc != kAskAgain)
                return rc;
            break;
        }
    }
}

/// Hands an accepted value to the caller: RTERROR without a place to put it.
template <class T>
int store(T value, T* result) {
    if (!result)
        return RTERROR;
    *result = value;
    return RTNORM;
}

}  // namespace

namespace host::detail {

void resetEditorState() { state() = EditorState{}; }

}  // namespace host::detail

int zcedInitGet(int flags, const ZTCHAR* keywordList) {
    EditorState& s = state();
    s.flags = flags;
    s.keywords.clear();
    if (!keywordList)
        return RTNORM;
    std::vector<std::wstring> locals;
    std::vector<std::wstring> globals;
    bool inGlobals = false;
    for (std::wstring& token : splitBlanks(keywordList)) {
        if (!inGlobals && token[0] == L'_') {
            inGlobals = true;
            token.erase(0, 1);
            if (token.empty())
                continue;
        }
        (inGlobals ? globals : locals).push_back(std::move(token));
    }
    const bool paired = globals.size() == locals.size();
    for (size_t i = 0; i < locals.size(); ++i)
        s.keywords.push_back({locals[i], paired ? globals[i] : locals[i]});
    return RTNORM;
}

int zcedGetInput(ZTCHAR* str) { return zcedGetInput(str, kClassicBuffer); }

int zcedGetInput(ZTCHAR* str, size_t bufLen) {
    if (!str || !state().lastKeyword)
        return RTERROR;
    const int rc = copyOut(*state().lastKeyword, str, bufLen);
    return rc == RTERROR ? RTERROR : RTNORM;
}

int zcedGetPoint(const zds_point base, const ZTCHAR* prompt, zds_point result) {
    (void)base;  // the rubber band has nothing to show on a text-only command line
    return askUntilSettled(prompt, L"Point or option keyword required.", [&](const std::wstring& answer) {
        double p[3];
        if (parsePoint(answer, p)) {
            if (!result)
                return RTERROR;
            for (int i = 0; i < 3; ++i)
                result[i] = p[i];
            rememberPoint(p);
            return RTNORM;
        }
        if (int rc = keywordResult(answer))
            return rc;
        complain(L"Invalid point.");
        return kAskAgain;
    });
}

int zcedGetCorner(const zds_point base, const ZTCHAR* prompt, zds_point result) {
    if (!base)
        return RTERROR;
    return zcedGetPoint(base, prompt, result);
}

int zcedGetDist(const zds_point base, const ZTCHAR* prompt, zds_real* result) {
    return askUntilSettled(prompt, L"Requires numeric distance or two points.", [&](const std::wstring& answer) {
        double value;
        double p[3];
        if (parseNumber(answer, value)) {
            if (!numberAllowed(value))
                return kAskAgain;
        } else if (parsePoint(answer, p)) {
            rememberPoint(p);
            if (base) {
                value = distanceBetween(base, p);
            } else {
                double q[3];
                const int rc = secondPoint(q);
                if (rc != RTNORM)
                    return rc;
                value = distanceBetween(p, q);
            }
            if (!numberAllowed(value))
                return kAskAgain;
        } else if (int rc = keywordResult(answer)) {
            return rc;
        } else {
            complain(L"Requires numeric distance or second point.");
            return kAskAgain;
        }
        return store(value, result);
    });
}

int zcedGetAngle(const zds_point base, const ZTCHAR* prompt, zds_real* result) {
    return askUntilSettled(prompt, L"Requires valid numeric angle or second point.", [&](const std::wstring& answer) {
        double value;
        double p[3];
        if (parseNumber(answer, value)) {
            value = value * kPi / 180.0;
        } else if (parsePoint(answer, p)) {
            rememberPoint(p);
            double from[3] = {0, 0, 0};
            if (base) {
                for (int i = 0; i < 3; ++i)
                    from[i] = base[i];
            } else {
                for (int i = 0; i < 3; ++i)
                    from[i] = p[i];
                const int rc = secondPoint(p);
                if (rc != RTNORM)
                    return rc;
            }
            value = std::atan2(p[1] - from[1], p[0] - from[0]);
        } else if (int rc = keywordResult(answer)) {
            return rc;
        } else {
            complain(L"Requires valid numeric angle or second point.");
            return kAskAgain;
        }
        if (host::sysVars().shortValue(L"ANGDIR") == 1)
            value = -value;
        value = std::fmod(value, 2 * kPi);
        if (value < 0)
            value += 2 * kPi;
        return store(value, result);
    });
}

int zcedGetReal(const ZTCHAR* prompt, zds_real* result) {
    return askUntilSettled(prompt, L"Requires numeric value.", [&](const std::wstring& answer) {
        double value;
        if (parseNumber(answer, value))
            return numberAllowed(value) ? store(value, result) : kAskAgain;
        if (int rc = keywordResult(answer))
            return rc;
        complain(L"Requires numeric value.");
        return kAskAgain;
    });
}

int zcedGetInt(const ZTCHAR* prompt, int* result) {
    return askUntilSettled(prompt, L"Requires an integer value.", [&](const std::wstring& answer) {
        double value;
        const bool integral = parseNumber(answer, value) && value == std::floor(value) &&
                              answer.find_first_of(L".eE") == std::wstring::npos;
        if (integral) {
            if (value < -32768 || value > 32767) {
                complain(L"Requires an integer between -32768 and 32767.");
                return kAskAgain;
            }
            return numberAllowed(value) ? store(static_cast<int>(value), result) : kAskAgain;
        }
        if (int rc = keywordResult(answer))
            return rc;
        complain(L"Requires an integer value.");
        return kAskAgain;
    });
}

int zcedGetKword(const ZTCHAR* prompt, ZTCHAR* result) {
    return zcedGetKword(prompt, result, kClassicBuffer);
}

int zcedGetKword(const ZTCHAR* prompt, ZTCHAR* result, size_t bufLen) {
    const int rc = askUntilSettled(prompt, L"Invalid option keyword.", [&](const std::wstring& answer) {
        if (keywordResult(answer))
            return copyOut(*state().lastKeyword, result, bufLen);
        complain(L"Invalid option keyword.");
        return kAskAgain;
    });
    if (rc == RTNONE && result && bufLen > 0)
        result[0] = L'\0';
    return rc;
}

int zcedGetString(int cronly, const ZTCHAR* prompt, ZTCHAR* result) {
    return zcedGetString(cronly, prompt, result, kClassicBuffer);
}

int zcedGetString(int cronly, const ZTCHAR* prompt, ZTCHAR* result, size_t bufLen) {
    PromptScope scope;
    std::wstring answer;
    if (ask(prompt, answer, cronly != 0) == Reply::Cancel)
        return RTCAN;
    if (!cronly) {
        answer = trim(answer);
        const size_t blank = answer.find_first_of(L" \t");
        if (blank != std::wstring::npos)
            answer.erase(blank);
    }
    return copyOut(answer, result, bufLen);
}

int zcedPrompt(const ZTCHAR* text) {
    if (text)
        host::detail::writeOutput(text);
    return RTNORM;
}

int zcedAlert(const ZTCHAR* text) {
    platform::record(L"Alert", text ? text : L"");
    return RTNORM;
}
