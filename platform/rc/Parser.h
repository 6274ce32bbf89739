// The statements of resource scripts: LANGUAGE, STRINGTABLE, VERSIONINFO, DIALOG,
// DIALOGEX, ICON, BITMAP, CURSOR, RCDATA and user-defined resources (from a file or a
// BEGIN ... END list of numbers and strings). MENU, ACCELERATORS and other resources that
// are not compiled are skipped with a warning.
#pragma once

#include "Model.h"
#include "Preprocessor.h"

namespace rc {

/// Compiles the script at path. Throws Error (file:line and message) on malformed syntax.
/// dependencies receives every file the script read besides itself.
Model compile(const std::string& path, const Options& options, Diagnostics& diagnostics,
              std::vector<std::string>* dependencies = nullptr);

}  // namespace rc
