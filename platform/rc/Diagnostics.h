// Source locations, warnings and errors of the resource compiler.
#pragma once

#include <stdexcept>
#include <string>

namespace rc {

struct Location {
    std::string file;
    int line = 0;
};

/// A malformed script: the compiler stops and reports file:line and the message.
class Error : public std::runtime_error {
public:
    Error(const Location& where, const std::string& message)
        : std::runtime_error(where.file + ":" + std::to_string(where.line) + ": error: " + message) {}
};

/// Receives the warnings of a compilation (unknown statements that were skipped, ...).
class Diagnostics {
public:
    virtual ~Diagnostics() = default;
    virtual void warning(const Location& where, const std::string& message) = 0;
};

}  // namespace rc
