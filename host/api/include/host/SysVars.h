// The host's system-variable table: names, types, metric defaults, read-only flags.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "zadsdef.h"

namespace host {

/// The system variables of the host session. zcedGetVar/zcedSetVar work on this table; the
/// session resets it to a metric drawing's defaults for each new or opened drawing. Names
/// are matched without regard to letter case. The user coordinate system lives here too
/// (UCSORG, UCSXDIR, UCSYDIR: read-only for zcedSetVar, set through host::setCurrentUcs).
class ZCAD_PORT SysVars {
public:
    enum class Type { Short, Real, String, Point2d, Point3d };
    struct Value {
        Type type = Type::Short;
        short shortValue = 0;
        double realValue = 0.0;
        std::wstring stringValue;
        double point[3] = {0.0, 0.0, 0.0};
    };
    /// Checks a new value before it is stored (e.g. CLAYER must name a layer); false refuses.
    using Validator = std::function<bool(const Value& value)>;
    /// Keeps a variable somewhere else (the working database's header): get answers the
    /// current value (nullopt: use the table's own value, e.g. when there is no working
    /// database), set stores an already checked value (false refuses; the table keeps its
    /// copy in step either way).
    struct Binding {
        std::function<std::optional<Value>()> get;
        std::function<bool(const Value& value)> set;
    };

    SysVars();
    ~SysVars();
    SysVars(const SysVars&) = delete;
    SysVars& operator=(const SysVars&) = delete;

    /// Every variable back to the defaults of a new metric drawing; validators are kept.
    void resetToDefaults();

    bool exists(std::wstring_view name) const;
    bool isReadOnly(std::wstring_view name) const;
    std::optional<Value> get(std::wstring_view name) const;
    /// The variable's value, or the fallback when it is unknown or of another type.
    short shortValue(std::wstring_view name, short fallback = 0) const;
    double realValue(std::wstring_view name, double fallback = 0.0) const;
    std::wstring stringValue(std::wstring_view name) const;

    /// zcedGetVar / zcedSetVar semantics (result codes RTNORM / RTERROR).
    int getVar(std::wstring_view name, resbuf* result) const;
    int setVar(std::wstring_view name, const resbuf* value);

    /// Host side: stores a value of the variable's own type, read-only variables included;
    /// false for an unknown name, a type mismatch, a value out of range or a refusal of the
    /// validator.
    bool hostSet(std::wstring_view name, const Value& value);
    bool hostSetShort(std::wstring_view name, short value);
    bool hostSetReal(std::wstring_view name, double value);
    bool hostSetString(std::wstring_view name, std::wstring_view value);
    bool hostSetPoint(std::wstring_view name, const double point[3]);

    /// Parses a typed value ("1", "2.5", "Standard", "1,2" or "1,2,3") for the variable as
    /// zcedSetVar would take it (read-only refused). On failure the error text says why.
    bool setFromText(std::wstring_view name, std::wstring_view text, std::wstring* error);
    /// The value as the host shows it ("2.5000", "Standard", "0.0000,0.0000,0.0000").
    std::wstring formatValue(std::wstring_view name) const;

    void setValidator(std::wstring_view name, Validator validator);
    /// Binds a variable to another store (an empty Binding removes it); resetToDefaults
    /// leaves bindings in place and does not call them.
    void bind(std::wstring_view name, Binding binding);
    /// Names in upper case, sorted.
    std::vector<std::wstring> names() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

/// The table of the running host.
ZCAD_PORT SysVars& sysVars();

}  // namespace host
