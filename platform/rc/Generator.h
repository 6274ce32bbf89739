// Writes a compiled script as a C++ source that registers its resources with the module
// it is linked into (see platform/ResourceTable.h).
#pragma once

#include <string>

#include "Model.h"

namespace rc {

/// The generated source; scriptName appears in its heading comment.
std::string generate(const Model& model, const std::string& scriptName);

/// A C++ wide string literal for text (escapes that survive any following character).
std::string wideLiteral(const std::wstring& text);

}  // namespace rc
