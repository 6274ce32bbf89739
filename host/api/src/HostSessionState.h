// Process-wide state of the host runtime shared by its sources (not part of the API).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "host/Session.h"

namespace host::detail {

/// The command line: writes program output and the user's echoed answers, keeping track of
/// the line break that the user's Enter leaves pending.
void writeOutput(std::wstring_view text);
/// Echoes what the user typed after the prompt, then leaves the Enter pending.
void echoAnswer(std::wstring_view answer);
/// Ends the current line if the command line is in the middle of one.
void finishLine();
/// Forgets the column state (a new transcript begins).
void resetCommandLine();

/// The next answer from the session's input; false when input has run out.
bool readAnswer(std::wstring& line);

/// Records of calls that open nothing on this host.
struct Records {
    std::vector<std::wstring> queue;      ///< every zds_queueexpr, in order
    std::vector<std::wstring> pending;    ///< queued but not yet shown
    std::vector<HelpRecord> help;
    std::vector<std::wstring> supportPaths;
};
Records& records();
/// Shows the pending queued expressions as the script interpreter receives them.
void flushQueuedExpressions();

/// Editor state that lasts for one prompt (zcedInitGet) and the last keyword answer.
void resetEditorState();

/// Module table (ModuleTable.cpp).
std::vector<ModuleInfo> moduleList();
void addPhantomModule(const std::wstring& name);
void* registerStaticApplication(const std::wstring& name);
void unloadAllModules();
void clearModuleTable();

/// Installs the ".png" / ".svg" handlers (HostSessionExport.cpp).
void installExportHooks(Session& session);

/// Case-insensitive equality of two texts.
bool equalsNoCase(std::wstring_view a, std::wstring_view b);
std::wstring toUpper(std::wstring_view text);
/// The file-name part of a Windows or Linux path.
std::wstring fileNamePart(std::wstring_view path);

}  // namespace host::detail
