// Parsing of dialog templates.
#include "Dialog.h"

#include <algorithm>
#include <cwctype>

#include "Source.h"

namespace rc {
namespace {

constexpr uint32_t WS_POPUP = 0x80000000u, WS_CHILD = 0x40000000u, WS_VISIBLE = 0x10000000u,
                   WS_CAPTION = 0x00C00000u, WS_BORDER = 0x00800000u, WS_SYSMENU = 0x00080000u,
                   WS_VSCROLL = 0x00200000u, WS_GROUP = 0x00020000u, WS_TABSTOP = 0x00010000u,
                   DS_SETFONT = 0x40u;

struct ControlKind {
    const wchar_t* keyword;
    const wchar_t* windowClass;
    uint32_t style;
    bool hasText;
};

// The keyword controls with their window class and default style (WS_CHILD | WS_VISIBLE
// is added to all).
const ControlKind kControls[] = {
    {L"LTEXT", L"STATIC", 0x0000 | WS_GROUP, true},
    {L"RTEXT", L"STATIC", 0x0002 | WS_GROUP, true},
    {L"CTEXT", L"STATIC", 0x0001 | WS_GROUP, true},
    {L"ICON", L"STATIC", 0x0003, true},
    {L"PUSHBUTTON", L"BUTTON", 0x0000 | WS_TABSTOP, true},
    {L"DEFPUSHBUTTON", L"BUTTON", 0x0001 | WS_TABSTOP, true},
    {L"CHECKBOX", L"BUTTON", 0x0002 | WS_TABSTOP, true},
    {L"AUTOCHECKBOX", L"BUTTON", 0x0003 | WS_TABSTOP, true},
    {L"RADIOBUTTON", L"BUTTON", 0x0004, true},
    {L"STATE3", L"BUTTON", 0x0005 | WS_TABSTOP, true},
    {L"AUTO3STATE", L"BUTTON", 0x0006 | WS_TABSTOP, true},
    {L"GROUPBOX", L"BUTTON", 0x0007, true},
    {L"AUTORADIOBUTTON", L"BUTTON", 0x0009, true},
    {L"PUSHBOX", L"BUTTON", 0x000A | WS_TABSTOP, true},
    {L"EDITTEXT", L"EDIT", 0x0000 | WS_BORDER | WS_TABSTOP, false},
    {L"COMBOBOX", L"COMBOBOX", 0x0001 | WS_TABSTOP, false},
    {L"LISTBOX", L"LISTBOX", 0x0001 | WS_BORDER | WS_VSCROLL, false},
    {L"SCROLLBAR", L"SCROLLBAR", 0x0000, false},
};

const wchar_t* const kClassKeywords[] = {L"BUTTON", L"EDIT", L"STATIC", L"LISTBOX", L"SCROLLBAR", L"COMBOBOX"};

std::wstring upper(std::wstring s) {
    std::transform(s.begin(), s.end(), s.begin(), [](wchar_t c) { return static_cast<wchar_t>(std::towupper(static_cast<wint_t>(c))); });
    return s;
}

bool isBegin(const Token& t) { return t.isKeyword(L"BEGIN") || t.isPunct(L"{"); }
bool isEnd(const Token& t) { return t.isKeyword(L"END") || t.isPunct(L"}"); }

std::string found(const Token& t) {
    if (t.is(TokenKind::End))
        return " before the end of the script";
    return " but found '" + narrow(t.text) + "'";
}

class DialogParser {
public:
    DialogParser(Preprocessor& pp) : pp_(pp) {}

    DialogResource run(const Name& name, uint16_t language, bool extended) {
        DialogResource d;
        d.name = name;
        d.language = language;
        d.extended = extended;
        d.x = coordinate();
        comma();
        d.y = coordinate();
        comma();
        d.cx = coordinate();
        comma();
        d.cy = coordinate();
        if (extended && pp_.peek().isPunct(L",")) {
            pp_.next();
            d.helpId = static_cast<uint32_t>(number());
        }
        uint32_t style = WS_POPUP | WS_BORDER | WS_SYSMENU;
        bool captioned = false, font = false;
        for (;;) {
            const Token& t = pp_.peek();
            if (isBegin(t))
                break;
            const Token statement = pp_.next();
            if (statement.isKeyword(L"STYLE")) {
                style = styleList(0);
            } else if (statement.isKeyword(L"EXSTYLE")) {
                d.exStyle = styleList(0);
            } else if (statement.isKeyword(L"CAPTION")) {
                d.caption = text();
                captioned = true;
            } else if (statement.isKeyword(L"FONT")) {
                d.pointSize = static_cast<uint16_t>(number());
                comma();
                d.typeface = text();
                if (extended && pp_.peek().isPunct(L",")) {
                    pp_.next();
                    d.weight = static_cast<uint16_t>(number());
                    if (pp_.peek().isPunct(L",")) {
                        pp_.next();
                        d.italic = static_cast<uint8_t>(number());
                        if (pp_.peek().isPunct(L",")) {
                            pp_.next();
                            d.charset = static_cast<uint8_t>(number());
                        }
                    }
                }
                font = true;
            } else if (statement.isKeyword(L"MENU")) {
                d.menu = nameOrId();
            } else if (statement.isKeyword(L"CLASS")) {
                const Name c = nameOrId();
                d.windowClass = c.isId ? L"#" + std::to_wstring(c.id) : c.text;
            } else if (statement.isKeyword(L"LANGUAGE")) {
                const int64_t primary = number();
                comma();
                const int64_t sub = number();
                d.language = static_cast<uint16_t>(((sub & 0x3f) << 10) | (primary & 0x3ff));
            } else if (statement.isKeyword(L"CHARACTERISTICS") || statement.isKeyword(L"VERSION")) {
                number();
            } else if (statement.is(TokenKind::End)) {
                throw Error(statement.where, "dialog without BEGIN");
            } else {
                throw Error(statement.where, "unknown dialog statement '" + narrow(statement.text) + "'");
            }
        }
        if (captioned)
            style |= WS_CAPTION;
        if (font)
            style |= DS_SETFONT;
        d.style = style;
        pp_.next();  // BEGIN
        for (;;) {
            const Token& t = pp_.peek();
            if (isEnd(t)) {
                pp_.next();
                return d;
            }
            if (t.is(TokenKind::End))
                throw Error(t.where, "dialog without END");
            d.controls.push_back(control(extended));
        }
    }

private:
    int64_t number() { return evaluate(pp_); }

    int16_t coordinate() {
        const Location where = pp_.peek().where;
        const int64_t v = number();
        if (v < -32768 || v > 32767)
            throw Error(where, "dialog coordinate " + std::to_string(v) + " is out of range");
        return static_cast<int16_t>(v);
    }

    void comma() {
        const Token t = pp_.next();
        if (!t.isPunct(L","))
            throw Error(t.where, "expected ','" + found(t));
    }

    std::wstring text() {
        const Token t = pp_.next();
        if (!t.is(TokenKind::String))
            throw Error(t.where, "expected a text in quotes" + found(t));
        std::wstring s = t.string;
        while (pp_.peek().is(TokenKind::String))
            s += pp_.next().string;
        return s;
    }

    Name nameOrId() {
        const Token& t = pp_.peek();
        Name n;
        if (startsExpression(t)) {
            n.id = static_cast<uint32_t>(number()) & 0xFFFF;
        } else if (t.is(TokenKind::String) || t.is(TokenKind::Identifier)) {
            const Token token = pp_.next();
            n.isId = false;
            n.text = token.is(TokenKind::String) ? token.string : upper(token.text);
        } else {
            throw Error(t.where, "expected a name or number" + found(t));
        }
        return n;
    }

    // Terms joined by "|"; "NOT term" clears the term's bits from what came before
    // (and from the defaults).
    uint32_t styleList(uint32_t defaults) {
        uint32_t style = defaults;
        ExpressionRules rules;
        rules.stopAtBar = true;
        for (;;) {
            const bool negate = pp_.peek().isKeyword(L"NOT");
            if (negate)
                pp_.next();
            const auto term = static_cast<uint32_t>(evaluate(pp_, rules));
            style = negate ? (style & ~term) : (style | term);
            if (!pp_.peek().isPunct(L"|"))
                return style;
            pp_.next();
        }
    }

    DialogControl control(bool extended) {
        const Token keyword = pp_.next();
        DialogControl c;
        if (keyword.isKeyword(L"CONTROL")) {
            c.text = controlText();
            comma();
            c.id = static_cast<int32_t>(number());
            comma();
            const Token cls = pp_.next();
            if (cls.is(TokenKind::String)) {
                c.windowClass = cls.string;
            } else if (cls.is(TokenKind::Identifier)) {
                bool known = false;
                for (const wchar_t* k : kClassKeywords)
                    known = known || cls.isKeyword(k);
                if (!known)
                    throw Error(cls.where, "unknown control class '" + narrow(cls.text) + "'");
                c.windowClass = upper(cls.text);
            } else {
                throw Error(cls.where, "expected a control class" + found(cls));
            }
            comma();
            c.style = styleList(WS_CHILD | WS_VISIBLE);
            comma();
            position(c, true);
            optionalTail(c, extended);
            return c;
        }
        const ControlKind* kind = nullptr;
        for (const ControlKind& k : kControls) {
            if (keyword.isKeyword(k.keyword))
                kind = &k;
        }
        if (!kind)
            throw Error(keyword.where, "unknown dialog control '" + narrow(keyword.text) + "'" +
                                           (keyword.is(TokenKind::End) ? " (missing END?)" : ""));
        c.windowClass = kind->windowClass;
        if (kind->hasText) {
            c.text = controlText();
            comma();
        }
        c.id = static_cast<int32_t>(number());
        comma();
        // ICON takes only a position; its size is optional.
        position(c, !keyword.isKeyword(L"ICON"));
        uint32_t style = kind->style | WS_CHILD | WS_VISIBLE;
        if (pp_.peek().isPunct(L",")) {
            pp_.next();
            style = styleList(style);
        }
        c.style = style;
        if (pp_.peek().isPunct(L",")) {
            pp_.next();
            c.exStyle = styleList(0);
            if (extended && pp_.peek().isPunct(L",")) {
                pp_.next();
                c.helpId = static_cast<uint32_t>(number());
            }
        }
        return c;
    }

    Name controlText() {
        Name n;
        const Token& t = pp_.peek();
        if (t.is(TokenKind::String)) {
            n.isId = false;
            n.text = text();
        } else {
            n = nameOrId();
        }
        return n;
    }

    void position(DialogControl& c, bool sizeRequired) {
        c.x = coordinate();
        comma();
        c.y = coordinate();
        if (!sizeRequired && !pp_.peek().isPunct(L","))
            return;
        if (!sizeRequired) {
            // ICON: "x, y" may go on with ", width, height".
            if (!startsExpression(pp_.peek(1)))
                return;
        }
        comma();
        c.cx = coordinate();
        comma();
        c.cy = coordinate();
    }

    void optionalTail(DialogControl& c, bool extended) {
        if (!pp_.peek().isPunct(L","))
            return;
        pp_.next();
        c.exStyle = styleList(0);
        if (extended && pp_.peek().isPunct(L",")) {
            pp_.next();
            c.helpId = static_cast<uint32_t>(number());
        }
    }

    Preprocessor& pp_;
};

}  // namespace

DialogResource parseDialog(Preprocessor& pp, const Name& name, uint16_t language, bool extended) {
    return DialogParser(pp).run(name, language, extended);
}

}  // namespace rc
