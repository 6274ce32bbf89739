// Parsing of resource statements into the model.
#include "Parser.h"

#include <algorithm>
#include <cwctype>

#include "Dialog.h"
#include "Source.h"

namespace rc {
namespace {

const wchar_t* const kMemoryAttributes[] = {L"PRELOAD", L"LOADONCALL", L"FIXED", L"MOVEABLE", L"DISCARDABLE",
                                            L"PURE", L"IMPURE", L"SHARED", L"NONSHARED"};

// Design-time statements of resource editors: skipped without a warning.
const wchar_t* const kDesignTime[] = {L"DESIGNINFO", L"TEXTINCLUDE", L"AFX_DIALOG_LAYOUT", L"GUIDELINES"};

// Resources that are recognised but not compiled (yet): skipped with a warning.
const wchar_t* const kSkipped[] = {L"MENU", L"MENUEX", L"ACCELERATORS", L"TOOLBAR", L"DLGINIT",
                                   L"POPUP", L"PLUGPLAY", L"VXD", L"DLGINCLUDE"};

std::wstring upper(std::wstring s) {
    std::transform(s.begin(), s.end(), s.begin(), [](wchar_t c) { return static_cast<wchar_t>(std::towupper(static_cast<wint_t>(c))); });
    return s;
}

bool isBegin(const Token& t) { return t.isKeyword(L"BEGIN") || t.isPunct(L"{"); }
bool isEnd(const Token& t) { return t.isKeyword(L"END") || t.isPunct(L"}"); }

template <size_t N>
bool isOneOf(const Token& t, const wchar_t* const (&words)[N]) {
    for (const wchar_t* w : words) {
        if (t.isKeyword(w))
            return true;
    }
    return false;
}

void appendWord(std::vector<unsigned char>& bytes, uint32_t value, bool isLong) {
    bytes.push_back(static_cast<unsigned char>(value));
    bytes.push_back(static_cast<unsigned char>(value >> 8));
    if (isLong) {
        bytes.push_back(static_cast<unsigned char>(value >> 16));
        bytes.push_back(static_cast<unsigned char>(value >> 24));
    }
}

class Parser {
public:
    Parser(Preprocessor& pp, const Options& options, Diagnostics& diagnostics)
        : pp_(pp), diagnostics_(diagnostics), language_(options.defaultLanguage) {}

    Model run() {
        while (!pp_.peek().is(TokenKind::End))
            statement();
        return std::move(model_);
    }

private:
    void statement() {
        const Token& t = pp_.peek();
        if (t.isKeyword(L"LANGUAGE")) {
            pp_.next();
            language_ = languageArguments();
        } else if (t.isKeyword(L"STRINGTABLE")) {
            pp_.next();
            stringTable();
        } else if (t.isKeyword(L"VERSION") || t.isKeyword(L"CHARACTERISTICS")) {
            pp_.next();
            number();
        } else {
            resource();
        }
    }

    int64_t number() { return evaluate(pp_); }

    uint16_t languageArguments() {
        const int64_t primary = number();
        expect(L",");
        const int64_t sub = number();
        return static_cast<uint16_t>(((sub & 0x3f) << 10) | (primary & 0x3ff));
    }

    Token expect(const wchar_t* punct) {
        Token t = pp_.next();
        if (!t.isPunct(punct))
            throw Error(t.where, "expected '" + narrow(punct) + "'" + found(t));
        return t;
    }

    static std::string found(const Token& t) {
        if (t.is(TokenKind::End))
            return " before the end of the script";
        return " but found '" + narrow(t.text) + "'";
    }

    void expectBegin() {
        Token t = pp_.next();
        if (!isBegin(t))
            throw Error(t.where, "expected BEGIN" + found(t));
    }

    void skipAttributes() {
        while (isOneOf(pp_.peek(), kMemoryAttributes))
            pp_.next();
    }

    Name name() {
        const Token& t = pp_.peek();
        Name n;
        if (startsExpression(t)) {
            const Location where = t.where;
            const int64_t v = number();
            if (v < 0 || v > 0xFFFF)
                throw Error(where, "resource id " + std::to_string(v) + " is out of range (0..65535)");
            n.id = static_cast<uint32_t>(v);
        } else if (t.is(TokenKind::Identifier) || t.is(TokenKind::String)) {
            n.isId = false;
            n.text = upper(t.is(TokenKind::String) ? t.string : t.text);
            pp_.next();
        } else {
            throw Error(t.where, "expected a resource name or statement" + found(t));
        }
        return n;
    }

    void stringTable() {
        uint16_t language = language_;
        for (;;) {
            const Token& t = pp_.peek();
            if (t.isKeyword(L"LANGUAGE")) {
                pp_.next();
                language = languageArguments();
            } else if (t.isKeyword(L"CHARACTERISTICS") || t.isKeyword(L"VERSION")) {
                pp_.next();
                number();
            } else if (isOneOf(t, kMemoryAttributes)) {
                pp_.next();
            } else {
                break;
            }
        }
        expectBegin();
        for (;;) {
            const Token& t = pp_.peek();
            if (isEnd(t)) {
                pp_.next();
                return;
            }
            if (t.is(TokenKind::End))
                throw Error(t.where, "STRINGTABLE without END");
            const Location where = t.where;
            const int64_t id = number();
            if (id < 0 || id > 0xFFFF)
                throw Error(where, "string id " + std::to_string(id) + " is out of range (0..65535)");
            if (pp_.peek().isPunct(L","))
                pp_.next();
            if (!pp_.peek().is(TokenKind::String))
                throw Error(pp_.peek().where, "expected the text of string " + std::to_string(id) + found(pp_.peek()));
            std::wstring text;
            while (pp_.peek().is(TokenKind::String))
                text += pp_.next().string;
            for (const StringResource& s : model_.strings) {
                if (s.id == static_cast<uint32_t>(id) && s.language == language)
                    throw Error(where, "string id " + std::to_string(id) + " is already defined at " + s.where.file + ":" +
                                           std::to_string(s.where.line));
            }
            model_.strings.push_back({static_cast<uint32_t>(id), language, std::move(text), where});
        }
    }

    void resource() {
        const Name resourceName = name();
        const Token type = pp_.next();
        if (type.is(TokenKind::End))
            throw Error(type.where, "expected a resource type after the resource name");
        if (type.isKeyword(L"VERSIONINFO")) {
            skipAttributes();
            versionInfo(resourceName);
            return;
        }
        if (type.isKeyword(L"DIALOG") || type.isKeyword(L"DIALOGEX")) {
            skipAttributes();
            model_.dialogs.push_back(parseDialog(pp_, resourceName, language_, type.isKeyword(L"DIALOGEX")));
            return;
        }
        if (isOneOf(type, kDesignTime) || isOneOf(type, kSkipped)) {
            if (!isOneOf(type, kDesignTime))
                diagnostics_.warning(type.where, narrow(upper(type.text)) + " resources are not compiled; skipped");
            skipStatement(type);
            return;
        }
        DataResource data;
        data.name = resourceName;
        data.language = language_;
        if (type.isKeyword(L"ICON")) {
            data.type.id = 14;  // the .ico file as one group-icon resource
        } else if (type.isKeyword(L"CURSOR")) {
            data.type.id = 12;
        } else if (type.isKeyword(L"BITMAP")) {
            data.type.id = 2;
        } else if (type.isKeyword(L"RCDATA")) {
            data.type.id = 10;
        } else if (type.isKeyword(L"HTML")) {
            data.type.id = 23;
        } else if (type.isKeyword(L"MESSAGETABLE")) {
            data.type.id = 11;
        } else if (type.isKeyword(L"FONT")) {
            data.type.id = 8;
        } else if (type.is(TokenKind::Number)) {
            if (type.value > 0xFFFF)
                throw Error(type.where, "resource type " + std::to_string(type.value) + " is out of range");
            data.type.id = type.value;
        } else if (type.is(TokenKind::Identifier) || type.is(TokenKind::String)) {
            data.type.isId = false;
            data.type.text = upper(type.is(TokenKind::String) ? type.string : type.text);
        } else {
            throw Error(type.where, "expected a resource type" + found(type));
        }
        skipAttributes();
        const Token& next = pp_.peek();
        if (next.is(TokenKind::String)) {
            const Token file = pp_.next();
            const std::string path = pp_.findFile(file.string, file.where);
            std::string bytes;
            if (!pp_.readFile(path, bytes))
                throw Error(file.where, "cannot read '" + path + "'");
            pp_.addDependency(path);
            data.bytes.assign(bytes.begin(), bytes.end());
            checkFile(data, file);
        } else if (isBegin(next)) {
            pp_.next();
            dataList(data.bytes);
        } else {
            throw Error(next.where, "expected a file name in quotes or BEGIN" + found(next));
        }
        model_.data.push_back(std::move(data));
    }

    void checkFile(DataResource& data, const Token& file) {
        const auto& b = data.bytes;
        if (data.type.isId && (data.type.id == 14 || data.type.id == 12)) {
            if (b.size() < 6 || b[0] != 0 || b[1] != 0 || (b[2] != 1 && b[2] != 2) || b[3] != 0)
                throw Error(file.where, "'" + narrow(file.string) + "' is not an icon or cursor file");
        } else if (data.type.isId && data.type.id == 2) {
            // A bitmap resource is the file without its 14-byte file header.
            if (b.size() < 14 + 12 || b[0] != 'B' || b[1] != 'M')
                throw Error(file.where, "'" + narrow(file.string) + "' is not a bitmap file");
            data.bytes.erase(data.bytes.begin(), data.bytes.begin() + 14);
        }
    }

    void dataList(std::vector<unsigned char>& bytes) {
        for (;;) {
            const Token& t = pp_.peek();
            if (isEnd(t)) {
                pp_.next();
                return;
            }
            if (t.is(TokenKind::End))
                throw Error(t.where, "data list without END");
            if (t.isPunct(L",")) {
                pp_.next();
                continue;
            }
            if (t.is(TokenKind::String)) {
                const Token s = pp_.next();
                if (s.wide) {
                    for (wchar_t c : s.string) {
                        const auto cp = static_cast<uint32_t>(c);
                        if (cp >= 0x10000) {
                            appendWord(bytes, 0xD800 + ((cp - 0x10000) >> 10), false);
                            appendWord(bytes, 0xDC00 + ((cp - 0x10000) & 0x3FF), false);
                        } else {
                            appendWord(bytes, cp, false);
                        }
                    }
                } else {
                    const std::string utf8 = narrow(s.string);
                    bytes.insert(bytes.end(), utf8.begin(), utf8.end());
                }
                continue;
            }
            const bool isLong = t.is(TokenKind::Number) && t.isLong;
            appendWord(bytes, static_cast<uint32_t>(number()), isLong);
        }
    }

    void skipStatement(const Token& type) {
        // Options up to BEGIN, then the balanced body.
        for (;;) {
            const Token t = pp_.next();
            if (t.is(TokenKind::End))
                throw Error(type.where, narrow(upper(type.text)) + " without BEGIN ... END");
            if (isBegin(t))
                break;
        }
        int depth = 1;
        while (depth > 0) {
            const Token t = pp_.next();
            if (t.is(TokenKind::End))
                throw Error(type.where, narrow(upper(type.text)) + " without END");
            if (isBegin(t))
                ++depth;
            else if (isEnd(t))
                --depth;
        }
    }

    void versionNumbers(uint16_t (&parts)[4]) {
        for (int i = 0; i < 4; ++i) {
            parts[i] = static_cast<uint16_t>(number());
            if (!pp_.peek().isPunct(L","))
                return;
            pp_.next();
        }
    }

    void versionInfo(const Name& resourceName) {
        VersionResource v;
        v.name = resourceName;
        v.language = language_;
        for (;;) {
            const Token& t = pp_.peek();
            if (isBegin(t))
                break;
            const Token statement = pp_.next();
            if (statement.isKeyword(L"FILEVERSION"))
                versionNumbers(v.fileVersion);
            else if (statement.isKeyword(L"PRODUCTVERSION"))
                versionNumbers(v.productVersion);
            else if (statement.isKeyword(L"FILEFLAGSMASK"))
                v.fileFlagsMask = static_cast<uint32_t>(number());
            else if (statement.isKeyword(L"FILEFLAGS"))
                v.fileFlags = static_cast<uint32_t>(number());
            else if (statement.isKeyword(L"FILEOS"))
                v.fileOS = static_cast<uint32_t>(number());
            else if (statement.isKeyword(L"FILETYPE"))
                v.fileType = static_cast<uint32_t>(number());
            else if (statement.isKeyword(L"FILESUBTYPE"))
                v.fileSubtype = static_cast<uint32_t>(number());
            else
                throw Error(statement.where, "unknown VERSIONINFO statement '" + narrow(statement.text) + "'");
        }
        expectBegin();
        v.children = versionBlock();
        model_.versions.push_back(std::move(v));
    }

    // The entries of a block after its BEGIN, up to and including its END.
    std::vector<VersionNode> versionBlock() {
        std::vector<VersionNode> nodes;
        for (;;) {
            const Token t = pp_.next();
            if (isEnd(t))
                return nodes;
            if (t.is(TokenKind::End))
                throw Error(t.where, "VERSIONINFO block without END");
            if (!t.isKeyword(L"BLOCK") && !t.isKeyword(L"VALUE"))
                throw Error(t.where, "expected BLOCK or VALUE" + found(t));
            const Token key = pp_.next();
            if (!key.is(TokenKind::String))
                throw Error(key.where, "expected the key in quotes" + found(key));
            VersionNode node;
            node.key = key.string;
            if (t.isKeyword(L"BLOCK")) {
                expectBegin();
                node.children = versionBlock();
            } else {
                versionValue(node);
            }
            nodes.push_back(std::move(node));
        }
    }

    void versionValue(VersionNode& node) {
        if (pp_.peek().isPunct(L","))
            pp_.next();
        bool first = true;
        for (;;) {
            const Token& t = pp_.peek();
            if (t.is(TokenKind::String)) {
                if (!first && !node.hasText)
                    throw Error(t.where, "a VALUE mixes numbers and text");
                node.hasText = true;
                while (pp_.peek().is(TokenKind::String))
                    node.text += pp_.next().string;
            } else if (startsExpression(t)) {
                if (node.hasText)
                    throw Error(t.where, "a VALUE mixes numbers and text");
                const bool isLong = t.is(TokenKind::Number) && t.isLong;
                const auto value = static_cast<uint32_t>(number());
                node.words.push_back(static_cast<uint16_t>(value));
                if (isLong)
                    node.words.push_back(static_cast<uint16_t>(value >> 16));
            } else if (first) {
                break;  // a VALUE without a value
            } else {
                throw Error(t.where, "expected a value" + found(t));
            }
            first = false;
            if (!pp_.peek().isPunct(L","))
                break;
            pp_.next();
        }
        // Scripts often end version texts with an explicit "\0".
        while (!node.text.empty() && node.text.back() == L'\0')
            node.text.pop_back();
    }

    Preprocessor& pp_;
    Diagnostics& diagnostics_;
    uint16_t language_;
    Model model_;
};

}  // namespace

Model compile(const std::string& path, const Options& options, Diagnostics& diagnostics,
              std::vector<std::string>* dependencies) {
    Preprocessor pp(options, diagnostics);
    pp.open(path);
    Parser parser(pp, options, diagnostics);
    Model model = parser.run();
    if (dependencies)
        *dependencies = pp.dependencies();
    return model;
}

}  // namespace rc
