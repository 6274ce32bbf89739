// The session engine: input queue, command line, command runner and host directives.
#include "host/Session.h"

#include <platform/Session.h>

#include <cwctype>
#include <deque>
#include <exception>
#include <map>

#include "HostSessionState.h"
#include "host/SysVars.h"
#include "host/Ucs.h"
#include "host/db/SessionHooks.h"
#include "zcedads.h"
#include "zcedcmd.h"

namespace host {

struct Session::Impl {
    Session* owner = nullptr;
    std::deque<std::wstring> input;
    std::function<bool(std::wstring&)> interactive;
    std::wstring transcript;
    std::vector<OutputSink> sinks;
    bool strict = true;
    int failures = 0;
    std::function<int()> openCounter;
    std::function<void()> newDrawingHandler;
    std::map<FileAction, FileHandler> fileHandlers;
    LayoutHandler layoutHandler;

    void deliver(std::wstring_view text, bool echo) {
        transcript += text;
        for (const OutputSink& sink : sinks)
            sink(text, echo);
    }

    bool nextLine(std::wstring& line);
    void fail(const std::wstring& message) {
        detail::writeOutput(L"\n*** " + message);
        ++failures;
    }
    bool directive(const std::wstring& line);
    bool command(const std::wstring& name, bool prompted);
    void afterAction() { detail::flushQueuedExpressions(); }
};

namespace {

Session*& active() {
    static Session* session = nullptr;
    return session;
}

struct CommandLineState {
    bool pendingEnter = false;  // the user pressed Enter; the next output starts a new line
    bool midLine = false;       // the last character shown was not a line feed
};

CommandLineState& line() {
    static CommandLineState state;
    return state;
}

void emit(std::wstring_view text, bool echo) {
    if (text.empty())
        return;
    line().midLine = text.back() != L'\n';
    if (Session* session = active())
        session->impl().deliver(text, echo);
    else
        platform::transcript(text);
}

/// Drops a comment (';' at the start or after a blank), carriage returns and trailing
/// blanks. False when the line held only a comment (it is then no answer at all).
bool stripLine(std::wstring& text) {
    std::erase(text, L'\r');
    bool comment = false;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L';' && (i == 0 || std::iswspace(text[i - 1]))) {
            text.erase(i);
            comment = true;
            break;
        }
    }
    while (!text.empty() && std::iswspace(text.back()))
        text.pop_back();
    return !comment || !text.empty();
}

std::wstring trimmed(std::wstring_view text) {
    size_t start = 0;
    size_t end = text.size();
    while (start < end && std::iswspace(text[start]))
        ++start;
    while (end > start && std::iswspace(text[end - 1]))
        --end;
    return std::wstring(text.substr(start, end - start));
}

/// Splits "word rest" at the first blank.
std::pair<std::wstring, std::wstring> splitFirst(std::wstring_view text) {
    const std::wstring t = trimmed(text);
    size_t blank = 0;
    while (blank < t.size() && !std::iswspace(t[blank]))
        ++blank;
    return {t.substr(0, blank), trimmed(std::wstring_view(t).substr(blank))};
}

const wchar_t* actionName(Session::FileAction action) {
    switch (action) {
    case Session::FileAction::Open:
        return L"open";
    case Session::FileAction::Save:
        return L"save";
    case Session::FileAction::Png:
        return L"png";
    case Session::FileAction::Svg:
        return L"svg";
    }
    return L"?";
}

bool parseNumber(std::wstring_view text, double& out) {
    const std::wstring s = trimmed(text);
    if (s.empty())
        return false;
    wchar_t* end = nullptr;
    out = std::wcstod(s.c_str(), &end);
    return end && *end == L'\0';
}

bool parsePoint(std::wstring_view text, double out[3]) {
    out[0] = out[1] = out[2] = 0.0;
    int count = 0;
    size_t start = 0;
    for (;;) {
        const size_t comma = text.find(L',', start);
        const std::wstring_view part =
            text.substr(start, comma == std::wstring_view::npos ? comma : comma - start);
        if (count == 3 || !parseNumber(part, out[count]))
            return false;
        ++count;
        if (comma == std::wstring_view::npos)
            break;
        start = comma + 1;
    }
    return count >= 2;
}

}  // namespace

// ---------------------------------------------------------------------------------------
// The command line, shared with the editor.

namespace detail {

void writeOutput(std::wstring_view text) {
    if (text.empty())
        return;
    if (line().pendingEnter) {
        line().pendingEnter = false;
        emit(L"\n", true);
        if (text.front() == L'\n')
            text.remove_prefix(1);
    }
    emit(text, false);
}

void echoAnswer(std::wstring_view answer) {
    if (line().pendingEnter)
        emit(L"\n", true);
    emit(answer, true);
    line().pendingEnter = true;
}

void finishLine() {
    if (line().pendingEnter) {
        line().pendingEnter = false;
        emit(L"\n", true);
    } else if (line().midLine) {
        emit(L"\n", false);
    }
}

void resetCommandLine() { line() = CommandLineState{}; }

bool readAnswer(std::wstring& text) { return platform::nextInput(text); }

Records& records() {
    static Records instance;
    return instance;
}

void flushQueuedExpressions() {
    // The host hands queued expressions to its interpreter once the command is over; the
    // history shows each as a line entered at the command prompt.
    std::vector<std::wstring> pending;
    pending.swap(records().pending);
    for (const std::wstring& expression : pending)
        writeOutput(L"\nCommand: " + expression);
}

bool equalsNoCase(std::wstring_view a, std::wstring_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::towupper(a[i]) != std::towupper(b[i]))
            return false;
    return true;
}

std::wstring toUpper(std::wstring_view text) {
    std::wstring result(text);
    for (wchar_t& c : result)
        c = static_cast<wchar_t>(std::towupper(c));
    return result;
}

std::wstring fileNamePart(std::wstring_view path) {
    const size_t slash = path.find_last_of(L"\\/");
    std::wstring_view name = slash == std::wstring_view::npos ? path : path.substr(slash + 1);
    if (slash == std::wstring_view::npos && name.size() >= 2 && name[1] == L':')
        name.remove_prefix(2);
    return std::wstring(name);
}

}  // namespace detail

// ---------------------------------------------------------------------------------------
// Session.

Session::Session() : impl_(std::make_unique<Impl>()) {
    impl_->owner = this;
    active() = this;
    detail::resetCommandLine();
    detail::resetEditorState();
    detail::records() = detail::Records{};
    platform::setTranscriptSink([](std::wstring_view text) { detail::writeOutput(text); });
    platform::setInputSource([this](std::wstring& text) { return impl_->nextLine(text); });
    // The drawing database provides the working drawing, strict mode's counter, opening,
    // saving and layouts; the renderer the pictures.
    host::db::installDrawingHooks(*this);
    detail::installExportHooks(*this);
    newDrawing();
}

Session::~Session() {
    unloadAll();
    detail::clearModuleTable();
    zcedRegCmds()->clear();
    detail::resetEditorState();
    detail::records() = detail::Records{};
    sysVars().resetToDefaults();
    platform::setInputSource({});
    platform::setTranscriptSink({});
    if (active() == this)
        active() = nullptr;
    detail::resetCommandLine();
}

Session* Session::current() { return active(); }

bool Session::Impl::nextLine(std::wstring& text) {
    for (;;) {
        if (!input.empty()) {
            text = std::move(input.front());
            input.pop_front();
        } else if (!interactive || !interactive(text)) {
            return false;
        }
        if (stripLine(text))
            return true;
    }
}

void Session::feed(std::wstring_view script) {
    size_t start = 0;
    while (start <= script.size()) {
        const size_t end = script.find(L'\n', start);
        if (end == std::wstring_view::npos) {
            if (start < script.size())
                impl_->input.emplace_back(script.substr(start));
            break;
        }
        impl_->input.emplace_back(script.substr(start, end - start));
        start = end + 1;
    }
}

void Session::feed(std::initializer_list<std::wstring_view> lines) {
    for (std::wstring_view text : lines)
        impl_->input.emplace_back(text);
}

size_t Session::pendingInput() const { return impl_->input.size(); }

void Session::setInteractiveSource(std::function<bool(std::wstring&)> source) {
    impl_->interactive = std::move(source);
}

const std::wstring& Session::transcript() const { return impl_->transcript; }

std::wstring Session::takeTranscript() {
    std::wstring text;
    text.swap(impl_->transcript);
    return text;
}

void Session::clearTranscript() { impl_->transcript.clear(); }

void Session::addOutputSink(OutputSink sink) { impl_->sinks.push_back(std::move(sink)); }

void Session::finishLine() { detail::finishLine(); }

int Session::run() {
    for (;;) {
        const bool prompted = impl_->input.empty() && impl_->interactive;
        if (prompted)
            detail::writeOutput(L"\nCommand: ");
        std::wstring text;
        if (!platform::nextInput(text))
            break;
        if (prompted)
            detail::echoAnswer(text);
        const std::wstring command = trimmed(text);
        if (command.empty())
            continue;
        if (command[0] == L'.')
            impl_->directive(command);
        else
            impl_->command(command, prompted);
    }
    detail::finishLine();
    return impl_->failures;
}

bool Session::runLine(std::wstring_view text) {
    std::wstring copy(text);
    if (!stripLine(copy))
        return true;
    const std::wstring command = trimmed(copy);
    if (command.empty())
        return true;
    if (command[0] == L'.')
        return impl_->directive(command);
    return impl_->command(command, false);
}

bool Session::runCommand(std::wstring_view name) { return impl_->command(trimmed(name), false); }

bool Session::Impl::command(const std::wstring& typed, bool prompted) {
    if (detail::equalsNoCase(typed, L"ESC")) {
        // Escape at the command prompt cancels nothing, as the host shows it.
        if (!prompted)
            detail::writeOutput(L"\nCommand: ");
        detail::echoAnswer(L"*Cancel*");
        return true;
    }
    if (!prompted) {
        detail::writeOutput(L"\nCommand: ");
        detail::echoAnswer(typed);
    }
    std::wstring name = typed;
    if (!name.empty() && name[0] == L'\'')
        name.erase(0, 1);  // transparent prefix
    ZcEdCommandStack* stack = zcedRegCmds();
    ZcEdCommand* cmd = nullptr;
    if (!name.empty() && name[0] == L'_')
        cmd = stack->lookupGlobalCmd(name.c_str() + 1);
    else if (!name.empty())
        cmd = stack->lookupLocalCmd(name.c_str());
    if (!cmd && !name.empty())
        cmd = stack->lookupGlobalCmd(name.c_str());
    if (!cmd) {
        detail::writeOutput(L"\nUnknown command \"" + detail::toUpper(name) + L"\".");
        afterAction();
        return false;
    }
    const std::wstring global = cmd->globalName();
    const ZcRxFunctionPtr handler = cmd->functionAddr();
    detail::resetEditorState();
    try {
        handler();
    } catch (const std::exception& e) {
        fail(global + L" ended with an exception: " + platform::fromUtf8(e.what()));
    } catch (...) {
        fail(global + L" ended with an exception.");
    }
    detail::resetEditorState();
    afterAction();
    if (strict && openCounter) {
        const int open = openCounter();
        if (open > 0)
            fail(std::to_wstring(open) + L" object(s) still open after " + global);
    }
    return true;
}

bool Session::Impl::directive(const std::wstring& text) {
    auto [word, rest] = splitFirst(std::wstring_view(text).substr(1));
    const std::wstring name = detail::toUpper(word);
    Session& session = *owner;
    bool ok = true;
    if (name == L"ECHO") {
        detail::writeOutput(L"\n" + rest);
    } else if (name == L"UCS") {
        auto [mode, args] = splitFirst(rest);
        const std::wstring m = detail::toUpper(mode);
        if (m == L"WORLD" && args.empty()) {
            setCurrentUcs(Ucs::world());
        } else if (m == L"ORIGIN") {
            auto [pointText, angleText] = splitFirst(args);
            double origin[3];
            double degrees = 0.0;
            if (!parsePoint(pointText, origin) ||
                (!angleText.empty() && !parseNumber(angleText, degrees))) {
                fail(L".ucs: expected \"origin x,y[,z] [degrees]\" or \"world\"");
                return false;
            }
            setCurrentUcs(Ucs::rotated(origin, degrees * 3.14159265358979323846 / 180.0));
        } else {
            fail(L".ucs: expected \"origin x,y[,z] [degrees]\" or \"world\"");
            return false;
        }
    } else if (name == L"SETVAR") {
        auto [var, value] = splitFirst(rest);
        std::wstring why;
        if (var.empty() || !sysVars().setFromText(var, value, &why)) {
            fail(L".setvar " + detail::toUpper(var) + L": " + (why.empty() ? L"missing name" : why));
            return false;
        }
    } else if (name == L"GETVAR") {
        if (!sysVars().exists(rest)) {
            fail(L".getvar " + detail::toUpper(rest) + L": Unknown variable name.");
            return false;
        }
        detail::writeOutput(L"\n" + detail::toUpper(rest) + L" = " + sysVars().formatValue(rest));
    } else if (name == L"LAYOUT" || name == L"MODEL") {
        const std::wstring layout = name == L"MODEL" ? L"" : rest;
        if (name == L"LAYOUT" && layout.empty()) {
            fail(L".layout: expected a layout name");
            return false;
        }
        if (!layoutHandler) {
            fail(L"." + detail::toUpper(word) + L": not available yet");
            return false;
        }
        if (!layoutHandler(layout)) {
            fail(L"." + word + L" " + layout + L": cannot switch to that space");
            return false;
        }
    } else if (name == L"OPENCOUNT") {
        if (!openCounter) {
            fail(L".opencount: not available yet");
            return false;
        }
        detail::writeOutput(L"\nOpen objects: " + std::to_wstring(openCounter()));
    } else if (name == L"OPEN" || name == L"SAVE" || name == L"PNG" || name == L"SVG") {
        const FileAction action = name == L"OPEN"   ? FileAction::Open
                                  : name == L"SAVE" ? FileAction::Save
                                  : name == L"PNG"  ? FileAction::Png
                                                    : FileAction::Svg;
        if (rest.empty()) {
            fail(L"." + word + L": expected a file name");
            return false;
        }
        ok = session.fileAction(action, rest);
    } else if (name == L"NEW") {
        session.newDrawing();
    } else if (name == L"LOAD") {
        ok = session.loadModule(rest);
    } else if (name == L"UNLOAD") {
        ok = session.unloadModule(rest);
    } else if (name == L"LISTED") {
        session.addLoadedName(rest);
    } else if (name == L"SUPPORT") {
        detail::records().supportPaths.push_back(rest);
    } else {
        fail(L"Unknown directive ." + word);
        return false;
    }
    afterAction();
    return ok;
}

int Session::failures() const { return impl_->failures; }

void Session::setStrict(bool strict) { impl_->strict = strict; }

void Session::setOpenObjectCounter(std::function<int()> counter) {
    impl_->openCounter = std::move(counter);
}

int Session::openObjectCount() const { return impl_->openCounter ? impl_->openCounter() : 0; }

void Session::newDrawing() {
    sysVars().resetToDefaults();
    if (impl_->newDrawingHandler)
        impl_->newDrawingHandler();
}

void Session::setNewDrawingHandler(std::function<void()> handler) {
    impl_->newDrawingHandler = std::move(handler);
}

void Session::setFileHandler(FileAction action, FileHandler handler) {
    impl_->fileHandlers[action] = std::move(handler);
}

bool Session::fileAction(FileAction action, const std::wstring& path) {
    const auto found = impl_->fileHandlers.find(action);
    if (found == impl_->fileHandlers.end() || !found->second) {
        impl_->fail(std::wstring(L".") + actionName(action) + L": not available yet");
        return false;
    }
    if (!found->second(path)) {
        impl_->fail(std::wstring(L".") + actionName(action) + L" " + path + L": failed");
        return false;
    }
    if (action == FileAction::Open) {
        // A drawing of its own: the editor's variables start afresh (those kept in the
        // drawing's header answer from the drawing).
        sysVars().resetToDefaults();
    }
    return true;
}

void Session::setLayoutHandler(LayoutHandler handler) { impl_->layoutHandler = std::move(handler); }

bool Session::loadModule(const std::wstring& path) {
    const bool ok = zcedZrxLoad(path.c_str()) == RTNORM;
    impl_->afterAction();
    return ok;
}

bool Session::unloadModule(const std::wstring& nameOrPath) {
    const bool ok = zcedZrxUnload(nameOrPath.c_str()) == RTNORM;
    impl_->afterAction();
    return ok;
}

void Session::unloadAll() {
    detail::unloadAllModules();
    impl_->afterAction();
}

void Session::addLoadedName(const std::wstring& name) { detail::addPhantomModule(name); }

void* Session::registerApplication(const std::wstring& name) {
    return detail::registerStaticApplication(name);
}

std::vector<ModuleInfo> Session::modules() const { return detail::moduleList(); }

const std::vector<std::wstring>& Session::recordedQueue() const { return detail::records().queue; }

const std::vector<HelpRecord>& Session::recordedHelp() const { return detail::records().help; }

void Session::clearRecords() {
    detail::records().queue.clear();
    detail::records().pending.clear();
    detail::records().help.clear();
}

void Session::setSupportPaths(std::vector<std::wstring> folders) {
    detail::records().supportPaths = std::move(folders);
}

const std::vector<std::wstring>& Session::supportPaths() const {
    return detail::records().supportPaths;
}

}  // namespace host
