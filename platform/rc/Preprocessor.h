// The preprocessor of resource scripts: #include (headers with .h or .c names contribute
// only their directives, as with the Windows resource compiler), object- and function-like
// #define, #undef, #if/#ifdef/#ifndef/#elif/#else/#endif, #pragma code_page, #error;
// macro expansion of every script token. The system headers of the Windows SDK and the
// class library are built in and never read.
#pragma once

#include <deque>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "Expression.h"

namespace rc {

struct Options {
    std::vector<std::string> includeDirs;
    /// -D definitions: name and value ("1" when none was given).
    std::vector<std::pair<std::string, std::string>> defines;
    /// The language of resources before the first LANGUAGE statement.
    uint16_t defaultLanguage = 0x0409;
    /// Files served from memory instead of the disk (tests), by path.
    std::map<std::string, std::string> memoryFiles;
};

class Preprocessor : public TokenCursor {
public:
    Preprocessor(const Options& options, Diagnostics& diagnostics);
    ~Preprocessor() override;

    /// Starts reading the main script. Throws Error when it cannot be read.
    void open(const std::string& path);

    const Token& peek(size_t ahead = 0) override;
    Token next() override;

    /// Finds a file that the script names (ICON, BITMAP, included scripts): relative to the
    /// folder of the file that names it, then to the include folders. Throws when missing.
    std::string findFile(const std::wstring& name, const Location& where) const;
    /// Reads a file's bytes (memory files first); false when it cannot be read.
    bool readFile(const std::string& path, std::string& bytes) const;
    /// Every file read so far besides the main script (for the dependency file).
    const std::vector<std::string>& dependencies() const { return dependencies_; }
    void addDependency(const std::string& path);

private:
    struct Macro {
        bool function = false;
        std::vector<std::wstring> params;
        std::vector<Token> body;
    };
    struct Conditional {
        bool active;       // this branch's lines are read
        bool taken;        // some branch of the group was taken
        bool parentActive;
        bool sawElse = false;
        Location where;
    };
    struct File {
        std::string path;
        std::string folder;
        std::wstring text;
        size_t position = 0;
        int line = 0;
        bool directivesOnly = false;
        std::vector<Conditional> conditionals;
    };

    bool fill();
    bool readLine(std::wstring& line, Location& where);
    void directive(const std::wstring& line, const Location& where);
    bool active() const;
    void define(const std::wstring& rest, const Location& where);
    void include(const std::wstring& rest, const Location& where);
    bool evaluateCondition(const std::wstring& rest, const Location& where);
    void pushFile(const std::string& path, const Location& where);
    void expand(std::vector<Token>& tokens, std::set<std::wstring>& hidden, std::vector<Token>& out);

    const Options& options_;
    Diagnostics& diagnostics_;
    std::vector<File> files_;
    std::map<std::wstring, Macro> macros_;
    std::deque<Token> pending_;
    std::vector<std::string> dependencies_;
    Token end_;
};

}  // namespace rc
