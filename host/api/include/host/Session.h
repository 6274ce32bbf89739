// The host session engine: the command line's input and output, loaded modules, the
// script language of cadhost and the records of calls that open nothing on this host.
#pragma once

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "zcbase.h"

namespace host {

/// One zcedSetFunHelp call.
struct HelpRecord {
    std::wstring function;
    std::wstring helpFile;
    std::wstring topic;
    int command = 0;
    bool operator==(const HelpRecord&) const = default;
};

/// One module as the host lists it.
struct ModuleInfo {
    std::wstring name;     ///< as zcedZrxLoaded lists it (the file name, e.g. "Tavrix.zrx")
    std::wstring path;     ///< the path it was loaded from (Windows form); empty if pre-seeded
    void* appId = nullptr; ///< what the entry point received; null for pre-seeded names
    bool locked = true;    ///< modules start locked; unlockApplication clears it
    bool mdiAware = false;
};

/// The session: everything the user would see and type. One session is active at a time
/// (the most recently constructed); it installs the platform's transcript sink and input
/// source and puts them back when it ends.
///
/// Script language (one line = what the user types):
///  - ';' at the start of a line or after a blank starts a comment; lines that are only a
///    comment are skipped everywhere (they are not answers); trailing blanks are dropped.
///  - At the command prompt: an empty line does nothing; ".directive args" runs a host
///    directive; anything else is a command name (local or global, any case; a leading "_"
///    asks for the global name). The command's prompts take the following lines.
///  - Prompt answers: "x,y[,z]", numbers, keywords, "" for Enter, "ESC" for Escape.
/// Transcript: "\nCommand: NAME" before each command (NAME as typed); each answer is
/// echoed after its prompt; the user's Enter becomes the line break before the next
/// output; Escape shows "*Cancel*". An unknown name prints "\nUnknown command \"NAME\"."
/// (NAME upper-cased).
class ZCAD_PORT Session {
public:
    /// What a file directive or option does ("--open", ".save FILE", ".png FILE", ...).
    enum class FileAction { Open, Save, Png, Svg };
    using FileHandler = std::function<bool(const std::wstring& path)>;
    /// Called for ".layout NAME" (empty name: ".model"); true when the space was switched.
    using LayoutHandler = std::function<bool(const std::wstring& layout)>;
    /// Receives the command line's text; echo is true for what the user typed (and for
    /// the line break of the user's Enter), so a terminal that shows typing can skip it.
    using OutputSink = std::function<void(std::wstring_view text, bool echo)>;

    Session();
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    /// The active session, or null.
    static Session* current();

    // -- Input ----------------------------------------------------------------------------
    /// Appends script text (split at line feeds; carriage returns dropped).
    void feed(std::wstring_view script);
    void feed(std::initializer_list<std::wstring_view> lines);
    /// Number of lines not yet consumed.
    size_t pendingInput() const;
    /// A source asked for more lines when the fed ones are used up (a terminal); it returns
    /// false at end of input. The prompt text has already been printed.
    void setInteractiveSource(std::function<bool(std::wstring& line)> source);

    // -- Output ---------------------------------------------------------------------------
    /// Everything the command line showed since the start or the last clearTranscript.
    const std::wstring& transcript() const;
    std::wstring takeTranscript();
    void clearTranscript();
    /// Additional receivers of the command line's text (stdout, a transcript file).
    void addOutputSink(OutputSink sink);
    /// Ends the last line with a line feed if the command line is in the middle of one.
    void finishLine();

    // -- Running --------------------------------------------------------------------------
    /// Runs every remaining line at the command prompt (commands and directives) until the
    /// input runs out. The result is the number of strict-mode failures so far.
    int run();
    /// Runs one line as if typed at the command prompt; false for an unknown command or a
    /// failed directive.
    bool runLine(std::wstring_view line);
    /// Runs a command by name (prints "Command: NAME" first); false when it is unknown.
    bool runCommand(std::wstring_view name);
    /// Commands (and directives) that left database objects open, or threw.
    int failures() const;
    /// Strict mode: after each command the open-object counter must report 0 (default on).
    void setStrict(bool strict);
    /// The number of database objects currently open (by default the working database's
    /// count once the database provides one; 0 without a counter).
    void setOpenObjectCounter(std::function<int()> counter);
    int openObjectCount() const;

    // -- Drawing --------------------------------------------------------------------------
    /// A new empty metric drawing: system variables and UCS reset, the new-drawing handler
    /// (if any) run.
    void newDrawing();
    void setNewDrawingHandler(std::function<void()> handler);
    void setFileHandler(FileAction action, FileHandler handler);
    /// Runs the handler of the action; without one prints "\n.NAME: not available yet." and
    /// returns false.
    bool fileAction(FileAction action, const std::wstring& path);
    void setLayoutHandler(LayoutHandler handler);

    // -- Modules --------------------------------------------------------------------------
    /// zcedZrxLoad / zcedZrxUnload with the session's messages.
    bool loadModule(const std::wstring& path);
    bool unloadModule(const std::wstring& nameOrPath);
    /// Unloads every loaded module, newest first, locked ones included (the host quits).
    void unloadAll();
    /// Adds a name to what zcedZrxLoaded lists, without loading anything.
    void addLoadedName(const std::wstring& name);
    /// An application identifier for code that calls an entry point itself (no library).
    void* registerApplication(const std::wstring& name);
    std::vector<ModuleInfo> modules() const;

    // -- Records --------------------------------------------------------------------------
    /// zds_queueexpr expressions, in order.
    const std::vector<std::wstring>& recordedQueue() const;
    /// zcedSetFunHelp calls, in order.
    const std::vector<HelpRecord>& recordedHelp() const;
    void clearRecords();

    // -- Files ----------------------------------------------------------------------------
    /// Folders (Windows form) that zcedFindFile searches for relative names, in order.
    void setSupportPaths(std::vector<std::wstring> folders);
    const std::vector<std::wstring>& supportPaths() const;

    struct Impl;
    Impl& impl() { return *impl_; }

private:
    std::unique_ptr<Impl> impl_;
};

}  // namespace host
