// The preprocessor: files, directives, conditionals and macro expansion.
#include "Preprocessor.h"

#include <algorithm>
#include <cwctype>
#include <fstream>
#include <sstream>
#include <sys/stat.h>

#include "Builtins.h"
#include "Source.h"

namespace rc {
namespace {

constexpr size_t kMaxIncludeDepth = 64;
constexpr int kMaxExpansionDepth = 256;

// Replaces comments by spaces, keeping line feeds so that line numbers stay right.
void stripComments(std::wstring& text) {
    enum class State { Code, String, Char, Line, Block } state = State::Code;
    for (size_t i = 0; i < text.size(); ++i) {
        const wchar_t c = text[i];
        const wchar_t n = i + 1 < text.size() ? text[i + 1] : 0;
        switch (state) {
        case State::Code:
            if (c == L'"')
                state = State::String;
            else if (c == L'\'')
                state = State::Char;
            else if (c == L'/' && n == L'/') {
                state = State::Line;
                text[i] = L' ';
            } else if (c == L'/' && n == L'*') {
                state = State::Block;
                text[i] = text[i + 1] = L' ';
                ++i;
            }
            break;
        case State::String:
        case State::Char:
            if (c == L'\\' && n != L'\n' && n != 0)
                ++i;
            else if (c == L'\n')
                state = State::Code;  // an unterminated literal ends with its line
            else if ((state == State::String && c == L'"') || (state == State::Char && c == L'\''))
                state = State::Code;
            break;
        case State::Line:
            if (c == L'\n')
                state = State::Code;
            else if (!(c == L'\\' && n == L'\n'))
                text[i] = L' ';
            break;
        case State::Block:
            if (c == L'*' && n == L'/') {
                text[i] = text[i + 1] = L' ';
                ++i;
                state = State::Code;
            } else if (c != L'\n') {
                text[i] = L' ';
            }
            break;
        }
    }
}

std::wstring trim(const std::wstring& s) {
    size_t a = 0;
    while (a < s.size() && std::iswspace(static_cast<wint_t>(s[a])))
        ++a;
    size_t b = s.size();
    while (b > a && std::iswspace(static_cast<wint_t>(s[b - 1])))
        --b;
    return s.substr(a, b - a);
}

std::string folderOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash == 0 ? 1 : slash);
}

bool isHeaderName(const std::string& path) {
    const size_t dot = path.find_last_of('.');
    if (dot == std::string::npos)
        return false;
    std::string ext = path.substr(dot);
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return ext == ".h" || ext == ".hh" || ext == ".hpp" || ext == ".hxx" || ext == ".c" || ext == ".cpp" ||
           ext == ".cxx" || ext == ".inl";
}

// Script paths use backslashes (doubled inside quotes); the disk wants slashes.
std::string diskPath(const std::wstring& name) {
    std::wstring p;
    for (size_t i = 0; i < name.size(); ++i) {
        if (name[i] == L'\\') {
            p += L'/';
            if (i + 1 < name.size() && name[i + 1] == L'\\')
                ++i;
        } else {
            p += name[i];
        }
    }
    return narrow(p);
}

std::wstring baseName(const std::wstring& name) {
    const size_t slash = name.find_last_of(L"\\/");
    return slash == std::wstring::npos ? name : name.substr(slash + 1);
}

bool isFile(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace

Preprocessor::Preprocessor(const Options& options, Diagnostics& diagnostics) : options_(options), diagnostics_(diagnostics) {
    const Location builtin{"<built-in>", 0};
    for (const std::wstring& definition : builtinDefinitions())
        define(definition, builtin);
    const Location commandLine{"<command line>", 0};
    for (const auto& [name, value] : options.defines) {
        std::wstring w;
        for (char c : name + " " + value)
            w += static_cast<wchar_t>(static_cast<unsigned char>(c));
        define(w, commandLine);
    }
}

Preprocessor::~Preprocessor() = default;

bool Preprocessor::readFile(const std::string& path, std::string& bytes) const {
    auto it = options_.memoryFiles.find(path);
    if (it != options_.memoryFiles.end()) {
        bytes = it->second;
        return true;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream s;
    s << in.rdbuf();
    bytes = s.str();
    return true;
}

void Preprocessor::addDependency(const std::string& path) {
    if (std::find(dependencies_.begin(), dependencies_.end(), path) == dependencies_.end())
        dependencies_.push_back(path);
}

void Preprocessor::open(const std::string& path) {
    pushFile(path, Location{path, 0});
    dependencies_.clear();
}

void Preprocessor::pushFile(const std::string& path, const Location& where) {
    if (files_.size() >= kMaxIncludeDepth)
        throw Error(where, "#include nested too deeply (recursive include?)");
    std::string bytes;
    if (!readFile(path, bytes))
        throw Error(where, "cannot read '" + path + "'");
    File file;
    file.path = path;
    file.folder = folderOf(path);
    file.text = decodeSource(bytes);
    stripComments(file.text);
    file.directivesOnly = isHeaderName(path);
    files_.push_back(std::move(file));
    addDependency(path);
}

std::string Preprocessor::findFile(const std::wstring& name, const Location& where) const {
    const std::string relative = diskPath(name);
    if (!relative.empty() && relative[0] == '/') {
        if (isFile(relative) || options_.memoryFiles.count(relative))
            return relative;
        throw Error(where, "cannot find file '" + relative + "'");
    }
    std::vector<std::string> folders;
    folders.push_back(where.file.empty() ? std::string(".") : folderOf(where.file));
    folders.insert(folders.end(), options_.includeDirs.begin(), options_.includeDirs.end());
    for (const std::string& folder : folders) {
        const std::string candidate = folder + "/" + relative;
        if (options_.memoryFiles.count(candidate) || isFile(candidate))
            return candidate;
    }
    throw Error(where, "cannot find file '" + relative + "'");
}

bool Preprocessor::active() const {
    if (files_.empty())
        return false;
    const auto& c = files_.back().conditionals;
    return c.empty() || c.back().active;
}

bool Preprocessor::readLine(std::wstring& line, Location& where) {
    while (!files_.empty()) {
        File& f = files_.back();
        if (f.position >= f.text.size()) {
            if (!f.conditionals.empty())
                throw Error(f.conditionals.back().where, "#if without #endif");
            files_.pop_back();
            continue;
        }
        line.clear();
        where = Location{f.path, f.line + 1};
        for (;;) {
            size_t end = f.text.find(L'\n', f.position);
            if (end == std::wstring::npos)
                end = f.text.size();
            std::wstring piece = f.text.substr(f.position, end - f.position);
            f.position = end + 1;
            ++f.line;
            if (!piece.empty() && piece.back() == L'\r')
                piece.pop_back();
            if (!piece.empty() && piece.back() == L'\\' && f.position < f.text.size()) {
                piece.pop_back();
                line += piece;
                continue;
            }
            line += piece;
            break;
        }
        return true;
    }
    return false;
}

bool Preprocessor::fill() {
    std::wstring line;
    Location where;
    while (readLine(line, where)) {
        const std::wstring t = trim(line);
        if (!t.empty() && t[0] == L'#') {
            directive(t.substr(1), where);
            continue;
        }
        if (!active() || files_.empty() || files_.back().directivesOnly || t.empty())
            continue;
        std::vector<Token> tokens = tokenizeLine(line, where, diagnostics_);
        std::vector<Token> out;
        std::set<std::wstring> hidden;
        expand(tokens, hidden, out);
        for (Token& token : out)
            pending_.push_back(std::move(token));
        if (!pending_.empty())
            return true;
    }
    return false;
}

const Token& Preprocessor::peek(size_t ahead) {
    while (pending_.size() <= ahead) {
        if (!fill()) {
            return end_;
        }
    }
    return pending_[ahead];
}

Token Preprocessor::next() {
    if (pending_.empty() && !fill())
        return end_;
    Token t = std::move(pending_.front());
    pending_.pop_front();
    end_.where = t.where;
    return t;
}

void Preprocessor::directive(const std::wstring& text, const Location& where) {
    size_t i = 0;
    while (i < text.size() && std::iswspace(static_cast<wint_t>(text[i])))
        ++i;
    size_t j = i;
    while (j < text.size() && (std::iswalnum(static_cast<wint_t>(text[j])) || text[j] == L'_'))
        ++j;
    const std::wstring name = text.substr(i, j - i);
    const std::wstring rest = trim(text.substr(j));
    auto& conditionals = files_.back().conditionals;

    if (name == L"if" || name == L"ifdef" || name == L"ifndef") {
        const bool parent = active();
        bool value = false;
        if (parent) {
            if (name == L"if") {
                value = evaluateCondition(rest, where);
            } else {
                std::vector<Token> tokens = tokenizeLine(rest, where, diagnostics_);
                if (tokens.empty() || tokens[0].kind != TokenKind::Identifier)
                    throw Error(where, "#" + narrow(name) + " needs a macro name");
                value = macros_.count(tokens[0].text) != 0;
                if (name == L"ifndef")
                    value = !value;
            }
        }
        conditionals.push_back({parent && value, parent && value, parent, false, where});
        return;
    }
    if (name == L"elif") {
        if (conditionals.empty() || conditionals.back().sawElse)
            throw Error(where, "#elif without #if");
        Conditional& c = conditionals.back();
        if (c.taken || !c.parentActive) {
            c.active = false;
        } else {
            c.active = evaluateCondition(rest, where);
            c.taken = c.active;
        }
        return;
    }
    if (name == L"else") {
        if (conditionals.empty() || conditionals.back().sawElse)
            throw Error(where, "#else without #if");
        Conditional& c = conditionals.back();
        c.active = c.parentActive && !c.taken;
        c.taken = true;
        c.sawElse = true;
        return;
    }
    if (name == L"endif") {
        if (conditionals.empty())
            throw Error(where, "#endif without #if");
        conditionals.pop_back();
        return;
    }
    if (!active())
        return;
    if (name == L"define") {
        define(rest, where);
    } else if (name == L"undef") {
        macros_.erase(trim(rest));
    } else if (name == L"include") {
        include(rest, where);
    } else if (name == L"pragma") {
        if (rest.compare(0, 9, L"code_page") == 0) {
            const std::wstring arg = rest.substr(rest.find(L'(') == std::wstring::npos ? rest.size() : rest.find(L'(') + 1);
            const std::wstring page = trim(arg.substr(0, arg.find(L')')));
            if (page != L"65001" && page != L"1250" && page != L"1252" && page != L"DEFAULT")
                diagnostics_.warning(where, "code page " + narrow(page) + " is read as 1252");
        }
    } else if (name == L"error") {
        throw Error(where, "#error " + narrow(rest));
    } else if (name == L"warning") {
        diagnostics_.warning(where, narrow(rest));
    } else if (name == L"line" || name == L"ident" || name.empty()) {
        // Nothing to do.
    } else {
        diagnostics_.warning(where, "unknown directive #" + narrow(name) + " ignored");
    }
}

void Preprocessor::define(const std::wstring& rest, const Location& where) {
    size_t i = 0;
    while (i < rest.size() && (std::iswalnum(static_cast<wint_t>(rest[i])) || rest[i] == L'_'))
        ++i;
    if (i == 0 || std::iswdigit(static_cast<wint_t>(rest[0])))
        throw Error(where, "#define needs a macro name");
    Macro macro;
    const std::wstring name = rest.substr(0, i);
    if (i < rest.size() && rest[i] == L'(') {
        macro.function = true;
        const size_t close = rest.find(L')', i);
        if (close == std::wstring::npos)
            throw Error(where, "missing ')' in macro parameter list");
        std::wstring params = rest.substr(i + 1, close - i - 1);
        std::wstringstream s(params);
        std::wstring param;
        while (std::getline(s, param, L',')) {
            param = trim(param);
            if (!param.empty())
                macro.params.push_back(param);
        }
        i = close + 1;
    }
    try {
        macro.body = tokenizeLine(rest.substr(i), where, diagnostics_);
    } catch (const Error&) {
        // A header's macro that is no expression (C code) cannot be used by the script.
        if (files_.empty() || !files_.back().directivesOnly)
            throw;
        macros_.erase(name);
        return;
    }
    macros_[name] = std::move(macro);
}

void Preprocessor::include(const std::wstring& rest, const Location& where) {
    std::wstring name;
    bool angle = false;
    if (!rest.empty() && rest[0] == L'"') {
        const size_t close = rest.find(L'"', 1);
        if (close == std::wstring::npos)
            throw Error(where, "malformed #include");
        name = rest.substr(1, close - 1);
    } else if (!rest.empty() && rest[0] == L'<') {
        const size_t close = rest.find(L'>', 1);
        if (close == std::wstring::npos)
            throw Error(where, "malformed #include");
        name = rest.substr(1, close - 1);
        angle = true;
    } else {
        throw Error(where, "#include expects \"file\" or <file>");
    }
    if (isBuiltinHeader(baseName(name)))
        return;
    std::string path;
    if (angle) {
        const std::string relative = diskPath(name);
        for (const std::string& folder : options_.includeDirs) {
            const std::string candidate = folder + "/" + relative;
            if (options_.memoryFiles.count(candidate) || isFile(candidate)) {
                path = candidate;
                break;
            }
        }
        if (path.empty())
            throw Error(where, "cannot find include file <" + relative + ">");
    } else {
        path = findFile(name, where);
    }
    pushFile(path, where);
}

bool Preprocessor::evaluateCondition(const std::wstring& rest, const Location& where) {
    std::vector<Token> raw = tokenizeLine(rest, where, diagnostics_);
    // "defined NAME" is decided before expansion.
    std::vector<Token> tokens;
    for (size_t k = 0; k < raw.size(); ++k) {
        if (raw[k].kind == TokenKind::Identifier && raw[k].text == L"defined") {
            size_t n = k + 1;
            const bool paren = n < raw.size() && raw[n].isPunct(L"(");
            if (paren)
                ++n;
            if (n >= raw.size() || raw[n].kind != TokenKind::Identifier)
                throw Error(where, "defined needs a macro name");
            Token value;
            value.kind = TokenKind::Number;
            value.value = macros_.count(raw[n].text) ? 1 : 0;
            value.text = value.value ? L"1" : L"0";
            value.where = where;
            if (paren) {
                if (n + 1 >= raw.size() || !raw[n + 1].isPunct(L")"))
                    throw Error(where, "expected ')' after defined(NAME");
                ++n;
            }
            tokens.push_back(value);
            k = n;
            continue;
        }
        tokens.push_back(raw[k]);
    }
    std::vector<Token> expanded;
    std::set<std::wstring> hidden;
    expand(tokens, hidden, expanded);
    VectorCursor cursor(expanded, where);
    ExpressionRules rules;
    rules.preprocessor = true;
    const int64_t value = evaluate(cursor, rules);
    if (!cursor.atEnd())
        throw Error(where, "unexpected '" + narrow(cursor.peek().text) + "' in #if expression");
    return value != 0;
}

void Preprocessor::expand(std::vector<Token>& tokens, std::set<std::wstring>& hidden, std::vector<Token>& out) {
    if (hidden.size() > static_cast<size_t>(kMaxExpansionDepth))
        throw Error(tokens.empty() ? Location{} : tokens[0].where, "macro expansion nested too deeply");
    for (size_t i = 0; i < tokens.size(); ++i) {
        Token& t = tokens[i];
        if (t.kind != TokenKind::Identifier || hidden.count(t.text)) {
            out.push_back(std::move(t));
            continue;
        }
        auto it = macros_.find(t.text);
        if (it == macros_.end()) {
            out.push_back(std::move(t));
            continue;
        }
        const Macro& macro = it->second;
        const std::wstring name = t.text;
        const Location where = t.where;
        std::vector<Token> body;
        if (!macro.function) {
            body = macro.body;
        } else {
            if (i + 1 >= tokens.size() || !tokens[i + 1].isPunct(L"(")) {
                out.push_back(std::move(t));
                continue;
            }
            // Arguments: up to the matching parenthesis, split at top-level commas.
            std::vector<std::vector<Token>> args(1);
            int depth = 0;
            size_t k = i + 2;
            for (; k < tokens.size(); ++k) {
                if (tokens[k].isPunct(L"(")) {
                    ++depth;
                } else if (tokens[k].isPunct(L")")) {
                    if (depth == 0)
                        break;
                    --depth;
                } else if (tokens[k].isPunct(L",") && depth == 0) {
                    args.emplace_back();
                    continue;
                }
                args.back().push_back(tokens[k]);
            }
            if (k >= tokens.size())
                throw Error(where, "unterminated call of macro " + narrow(name));
            if (macro.params.empty() && args.size() == 1 && args[0].empty())
                args.clear();
            if (args.size() != macro.params.size())
                throw Error(where, "macro " + narrow(name) + " takes " + std::to_string(macro.params.size()) + " arguments");
            for (auto& arg : args) {
                std::vector<Token> expandedArg;
                expand(arg, hidden, expandedArg);
                arg = std::move(expandedArg);
            }
            for (const Token& b : macro.body) {
                auto p = std::find(macro.params.begin(), macro.params.end(), b.text);
                if (b.kind == TokenKind::Identifier && p != macro.params.end()) {
                    const auto& arg = args[static_cast<size_t>(p - macro.params.begin())];
                    body.insert(body.end(), arg.begin(), arg.end());
                } else {
                    body.push_back(b);
                }
            }
            i = k;
        }
        for (Token& b : body)
            b.where = where;
        hidden.insert(name);
        expand(body, hidden, out);
        hidden.erase(name);
    }
}

}  // namespace rc
