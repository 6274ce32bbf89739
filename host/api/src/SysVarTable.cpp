// The system-variable table with a metric drawing's defaults, and zcedGetVar / zcedSetVar.
#include <cmath>
#include <cstdio>
#include <cwctype>
#include <limits>
#include <map>

#include "HostSessionState.h"
#include "host/SysVars.h"
#include "zcedads.h"
#include "zcutads.h"

namespace host {
namespace {

using Type = SysVars::Type;

struct Definition {
    const wchar_t* name;
    Type type;
    double number;          // default of a short or real
    const wchar_t* text;    // default of a string
    bool readOnly;
    double minimum;         // inclusive range of shorts and reals
    double maximum;
};

constexpr double kMaxShort = 32767;
constexpr double kMinShort = -32768;
constexpr double kHuge = std::numeric_limits<double>::max();

// A new metric drawing (ISO units, millimetres).
const Definition kDefinitions[] = {
    {L"ANGBASE", Type::Real, 0.0, nullptr, false, -kHuge, kHuge},
    {L"ANGDIR", Type::Short, 0, nullptr, false, 0, 1},
    {L"ATTDIA", Type::Short, 0, nullptr, false, 0, 1},
    {L"ATTMODE", Type::Short, 1, nullptr, false, 0, 2},
    {L"ATTREQ", Type::Short, 1, nullptr, false, 0, 1},
    {L"AUNITS", Type::Short, 0, nullptr, false, 0, 4},
    {L"AUPREC", Type::Short, 0, nullptr, false, 0, 8},
    {L"CECOLOR", Type::String, 0, L"BYLAYER", false, 0, 0},
    {L"CELTSCALE", Type::Real, 1.0, nullptr, false, 1e-12, kHuge},
    {L"CELTYPE", Type::String, 0, L"BYLAYER", false, 0, 0},
    {L"CELWEIGHT", Type::Short, -1, nullptr, false, -3, 211},
    {L"CLAYER", Type::String, 0, L"0", false, 0, 0},
    {L"CMDECHO", Type::Short, 1, nullptr, false, 0, 1},
    {L"CTAB", Type::String, 0, L"Model", false, 0, 0},
    {L"CVPORT", Type::Short, 2, nullptr, false, 1, kMaxShort},
    {L"DIMASZ", Type::Real, 2.5, nullptr, false, 0, kHuge},
    {L"DIMDEC", Type::Short, 2, nullptr, false, 0, 8},
    {L"DIMEXE", Type::Real, 1.25, nullptr, false, 0, kHuge},
    {L"DIMEXO", Type::Real, 0.625, nullptr, false, 0, kHuge},
    {L"DIMGAP", Type::Real, 0.625, nullptr, false, -kHuge, kHuge},
    {L"DIMLUNIT", Type::Short, 2, nullptr, false, 1, 6},
    {L"DIMSCALE", Type::Real, 1.0, nullptr, false, 0, kHuge},
    {L"DIMSTYLE", Type::String, 0, L"ISO-25", true, 0, 0},
    {L"DIMTXT", Type::Real, 2.5, nullptr, false, 0, kHuge},
    {L"DWGNAME", Type::String, 0, L"Drawing1.dwg", true, 0, 0},
    {L"DWGPREFIX", Type::String, 0, L"", true, 0, 0},
    {L"EXPERT", Type::Short, 0, nullptr, false, 0, 5},
    {L"EXTMAX", Type::Point3d, -1e20, nullptr, true, 0, 0},
    {L"EXTMIN", Type::Point3d, 1e20, nullptr, true, 0, 0},
    {L"FILEDIA", Type::Short, 1, nullptr, false, 0, 1},
    {L"GRIDMODE", Type::Short, 0, nullptr, false, 0, 1},
    {L"HIGHLIGHT", Type::Short, 1, nullptr, false, 0, 1},
    {L"INSBASE", Type::Point3d, 0, nullptr, false, 0, 0},
    {L"INSUNITS", Type::Short, 4, nullptr, false, 0, 24},
    {L"LASTPOINT", Type::Point3d, 0, nullptr, false, 0, 0},
    {L"LIMMAX", Type::Point2d, 0, nullptr, false, 0, 0},
    {L"LIMMIN", Type::Point2d, 0, nullptr, false, 0, 0},
    {L"LTSCALE", Type::Real, 1.0, nullptr, false, 1e-12, kHuge},
    {L"LUNITS", Type::Short, 2, nullptr, false, 1, 5},
    {L"LUPREC", Type::Short, 4, nullptr, false, 0, 8},
    {L"MEASUREMENT", Type::Short, 1, nullptr, false, 0, 1},
    {L"MIRRTEXT", Type::Short, 0, nullptr, false, 0, 1},
    {L"ORTHOMODE", Type::Short, 0, nullptr, false, 0, 1},
    {L"OSMODE", Type::Short, 4133, nullptr, false, 0, 32767},
    {L"PDMODE", Type::Short, 0, nullptr, false, 0, 100},
    {L"PDSIZE", Type::Real, 0.0, nullptr, false, -kHuge, kHuge},
    {L"PICKADD", Type::Short, 1, nullptr, false, 0, 2},
    {L"PICKFIRST", Type::Short, 1, nullptr, false, 0, 1},
    {L"PICKSTYLE", Type::Short, 1, nullptr, false, 0, 3},
    {L"PLINEWID", Type::Real, 0.0, nullptr, false, 0, kHuge},
    {L"SNAPMODE", Type::Short, 0, nullptr, false, 0, 1},
    {L"TEXTSIZE", Type::Real, 2.5, nullptr, false, 1e-12, kHuge},
    {L"TEXTSTYLE", Type::String, 0, L"Standard", false, 0, 0},
    {L"TILEMODE", Type::Short, 1, nullptr, false, 0, 1},
    {L"UCSNAME", Type::String, 0, L"", true, 0, 0},
    {L"UCSORG", Type::Point3d, 0, nullptr, true, 0, 0},
    {L"UCSXDIR", Type::Point3d, 0, nullptr, true, 0, 0},
    {L"UCSYDIR", Type::Point3d, 0, nullptr, true, 0, 0},
    {L"UNITMODE", Type::Short, 0, nullptr, false, 0, 1},
    {L"USERI1", Type::Short, 0, nullptr, false, kMinShort, kMaxShort},
    {L"USERI2", Type::Short, 0, nullptr, false, kMinShort, kMaxShort},
    {L"USERI3", Type::Short, 0, nullptr, false, kMinShort, kMaxShort},
    {L"USERI4", Type::Short, 0, nullptr, false, kMinShort, kMaxShort},
    {L"USERI5", Type::Short, 0, nullptr, false, kMinShort, kMaxShort},
    {L"USERR1", Type::Real, 0.0, nullptr, false, -kHuge, kHuge},
    {L"USERR2", Type::Real, 0.0, nullptr, false, -kHuge, kHuge},
    {L"USERR3", Type::Real, 0.0, nullptr, false, -kHuge, kHuge},
    {L"USERR4", Type::Real, 0.0, nullptr, false, -kHuge, kHuge},
    {L"USERR5", Type::Real, 0.0, nullptr, false, -kHuge, kHuge},
    {L"USERS1", Type::String, 0, L"", false, 0, 0},
    {L"USERS2", Type::String, 0, L"", false, 0, 0},
    {L"USERS3", Type::String, 0, L"", false, 0, 0},
    {L"USERS4", Type::String, 0, L"", false, 0, 0},
    {L"USERS5", Type::String, 0, L"", false, 0, 0},
    {L"WORLDUCS", Type::Short, 1, nullptr, true, 0, 1},
};

SysVars::Value defaultValue(const Definition& d) {
    SysVars::Value v;
    v.type = d.type;
    switch (d.type) {
    case Type::Short:
        v.shortValue = static_cast<short>(d.number);
        break;
    case Type::Real:
        v.realValue = d.number;
        break;
    case Type::String:
        v.stringValue = d.text ? d.text : L"";
        break;
    case Type::Point2d:
    case Type::Point3d:
        v.point[0] = v.point[1] = v.point[2] = d.number;
        break;
    }
    // Axes and the limits of an A3 sheet in millimetres.
    const std::wstring_view name = d.name;
    if (name == L"UCSXDIR")
        v.point[0] = 1.0;
    else if (name == L"UCSYDIR")
        v.point[1] = 1.0;
    else if (name == L"LIMMAX") {
        v.point[0] = 420.0;
        v.point[1] = 297.0;
    }
    return v;
}

std::wstring formatReal(double value) {
    wchar_t buffer[64];
    std::swprintf(buffer, 64, L"%.4f", value);
    return buffer;
}

}  // namespace

struct SysVars::Impl {
    struct Entry {
        const Definition* definition;
        Value value;
        Validator validator;
        Binding binding;

        /// The current value: the bound store's when it answers, else the table's.
        Value current() const {
            if (binding.get)
                if (std::optional<Value> bound = binding.get(); bound && bound->type == value.type)
                    return *bound;
            return value;
        }
    };
    std::map<std::wstring, Entry, std::less<>> entries;

    Entry* find(std::wstring_view name) {
        const auto found = entries.find(detail::toUpper(name));
        return found == entries.end() ? nullptr : &found->second;
    }
    const Entry* find(std::wstring_view name) const {
        const auto found = entries.find(detail::toUpper(name));
        return found == entries.end() ? nullptr : &found->second;
    }
};

SysVars::SysVars() : impl_(std::make_unique<Impl>()) {
    for (const Definition& d : kDefinitions)
        impl_->entries.emplace(d.name, Impl::Entry{&d, defaultValue(d), {}, {}});
}

SysVars::~SysVars() = default;

void SysVars::resetToDefaults() {
    for (auto& [name, entry] : impl_->entries)
        entry.value = defaultValue(*entry.definition);
}

bool SysVars::exists(std::wstring_view name) const { return impl_->find(name) != nullptr; }

bool SysVars::isReadOnly(std::wstring_view name) const {
    const Impl::Entry* entry = impl_->find(name);
    return entry && entry->definition->readOnly;
}

std::optional<SysVars::Value> SysVars::get(std::wstring_view name) const {
    const Impl::Entry* entry = impl_->find(name);
    if (!entry)
        return std::nullopt;
    return entry->current();
}

short SysVars::shortValue(std::wstring_view name, short fallback) const {
    const Impl::Entry* entry = impl_->find(name);
    return entry && entry->value.type == Type::Short ? entry->current().shortValue : fallback;
}

double SysVars::realValue(std::wstring_view name, double fallback) const {
    const Impl::Entry* entry = impl_->find(name);
    return entry && entry->value.type == Type::Real ? entry->current().realValue : fallback;
}

std::wstring SysVars::stringValue(std::wstring_view name) const {
    const Impl::Entry* entry = impl_->find(name);
    return entry && entry->value.type == Type::String ? entry->current().stringValue : L"";
}

int SysVars::getVar(std::wstring_view name, resbuf* result) const {
    const Impl::Entry* entry = impl_->find(name);
    if (!entry || !result)
        return RTERROR;
    const Value v = entry->current();
    switch (v.type) {
    case Type::Short:
        result->restype = RTSHORT;
        result->resval.rint = v.shortValue;
        break;
    case Type::Real:
        result->restype = RTREAL;
        result->resval.rreal = v.realValue;
        break;
    case Type::String:
        result->restype = RTSTR;
        result->resval.rstring = zcutNewBuffer(v.stringValue.c_str());
        break;
    case Type::Point2d:
    case Type::Point3d:
        result->restype = v.type == Type::Point2d ? RTPOINT : RT3DPOINT;
        for (int i = 0; i < 3; ++i)
            result->resval.rpoint[i] = v.point[i];
        break;
    }
    return RTNORM;
}

int SysVars::setVar(std::wstring_view name, const resbuf* rb) {
    const Impl::Entry* entry = impl_->find(name);
    if (!entry || !rb || entry->definition->readOnly)
        return RTERROR;
    Value v;
    v.type = entry->value.type;
    switch (v.type) {
    case Type::Short: {
        double n;
        if (rb->restype == RTSHORT)
            n = rb->resval.rint;
        else if (rb->restype == RTLONG)
            n = rb->resval.rlong;
        else
            return RTERROR;
        if (n < kMinShort || n > kMaxShort)
            return RTERROR;
        v.shortValue = static_cast<short>(n);
        break;
    }
    case Type::Real:
        if (rb->restype == RTREAL || rb->restype == RTANG)
            v.realValue = rb->resval.rreal;
        else if (rb->restype == RTSHORT)
            v.realValue = rb->resval.rint;
        else if (rb->restype == RTLONG)
            v.realValue = rb->resval.rlong;
        else
            return RTERROR;
        break;
    case Type::String:
        if (rb->restype != RTSTR || !rb->resval.rstring)
            return RTERROR;
        v.stringValue = rb->resval.rstring;
        break;
    case Type::Point2d:
    case Type::Point3d:
        if (rb->restype != RTPOINT && rb->restype != RT3DPOINT)
            return RTERROR;
        for (int i = 0; i < 3; ++i)
            v.point[i] = rb->resval.rpoint[i];
        if (v.type == Type::Point2d)
            v.point[2] = 0.0;
        break;
    }
    return hostSet(name, v) ? RTNORM : RTERROR;
}

bool SysVars::hostSet(std::wstring_view name, const Value& value) {
    Impl::Entry* entry = impl_->find(name);
    if (!entry || entry->value.type != value.type)
        return false;
    const Definition& d = *entry->definition;
    if (value.type == Type::Short && (value.shortValue < d.minimum || value.shortValue > d.maximum))
        return false;
    if (value.type == Type::Real &&
        (!std::isfinite(value.realValue) || value.realValue < d.minimum ||
         value.realValue > d.maximum))
        return false;
    if ((value.type == Type::Point2d || value.type == Type::Point3d) &&
        !(std::isfinite(value.point[0]) && std::isfinite(value.point[1]) &&
          std::isfinite(value.point[2])))
        return false;
    if (entry->validator && !entry->validator(value))
        return false;
    if (entry->binding.set && !entry->binding.set(value))
        return false;
    entry->value = value;
    return true;
}

bool SysVars::hostSetShort(std::wstring_view name, short value) {
    Value v;
    v.type = Type::Short;
    v.shortValue = value;
    return hostSet(name, v);
}

bool SysVars::hostSetReal(std::wstring_view name, double value) {
    Value v;
    v.type = Type::Real;
    v.realValue = value;
    return hostSet(name, v);
}

bool SysVars::hostSetString(std::wstring_view name, std::wstring_view value) {
    Value v;
    v.type = Type::String;
    v.stringValue = value;
    return hostSet(name, v);
}

bool SysVars::hostSetPoint(std::wstring_view name, const double point[3]) {
    const Impl::Entry* entry = impl_->find(name);
    if (!entry)
        return false;
    Value v;
    v.type = entry->value.type;
    for (int i = 0; i < 3; ++i)
        v.point[i] = point[i];
    if (v.type == Type::Point2d)
        v.point[2] = 0.0;
    return hostSet(name, v);
}

namespace {

bool parseNumber(std::wstring_view text, double& out) {
    const std::wstring s(text);
    if (s.empty())
        return false;
    wchar_t* end = nullptr;
    out = std::wcstod(s.c_str(), &end);
    return end && *end == L'\0' && std::isfinite(out) && !std::iswspace(s[0]);
}

}  // namespace

bool SysVars::setFromText(std::wstring_view name, std::wstring_view text, std::wstring* error) {
    auto fail = [&](const wchar_t* why) {
        if (error)
            *error = why;
        return false;
    };
    const Impl::Entry* entry = impl_->find(name);
    if (!entry)
        return fail(L"Unknown variable name.");
    if (entry->definition->readOnly)
        return fail(L"Variable is read-only.");
    resbuf rb{};
    double n = 0;
    switch (entry->value.type) {
    case Type::Short:
        if (!parseNumber(text, n) || n != std::floor(n) || n < kMinShort || n > kMaxShort)
            return fail(L"Requires an integer value.");
        rb.restype = RTSHORT;
        rb.resval.rint = static_cast<short>(n);
        break;
    case Type::Real:
        if (!parseNumber(text, n))
            return fail(L"Requires a real value.");
        rb.restype = RTREAL;
        rb.resval.rreal = n;
        break;
    case Type::String: {
        std::wstring copy(text);
        if (copy.size() >= 2 && copy.front() == L'"' && copy.back() == L'"')
            copy = copy.substr(1, copy.size() - 2);
        rb.restype = RTSTR;
        rb.resval.rstring = copy.data();
        const bool ok = setVar(name, &rb) == RTNORM;
        return ok ? true : fail(L"Value refused.");
    }
    case Type::Point2d:
    case Type::Point3d: {
        double p[3] = {0, 0, 0};
        int count = 0;
        size_t start = 0;
        for (;;) {
            const size_t comma = text.find(L',', start);
            const std::wstring_view part =
                text.substr(start, comma == std::wstring_view::npos ? comma : comma - start);
            if (count == 3 || !parseNumber(part, p[count]))
                return fail(L"Requires a point.");
            ++count;
            if (comma == std::wstring_view::npos)
                break;
            start = comma + 1;
        }
        if (count < 2)
            return fail(L"Requires a point.");
        rb.restype = RT3DPOINT;
        for (int i = 0; i < 3; ++i)
            rb.resval.rpoint[i] = p[i];
        break;
    }
    }
    return setVar(name, &rb) == RTNORM ? true : fail(L"Value out of range.");
}

std::wstring SysVars::formatValue(std::wstring_view name) const {
    const Impl::Entry* entry = impl_->find(name);
    if (!entry)
        return L"";
    const Value v = entry->current();
    switch (v.type) {
    case Type::Short:
        return std::to_wstring(v.shortValue);
    case Type::Real:
        return formatReal(v.realValue);
    case Type::String:
        return L"\"" + v.stringValue + L"\"";
    case Type::Point2d:
        return formatReal(v.point[0]) + L"," + formatReal(v.point[1]);
    case Type::Point3d:
        return formatReal(v.point[0]) + L"," + formatReal(v.point[1]) + L"," +
               formatReal(v.point[2]);
    }
    return L"";
}

void SysVars::setValidator(std::wstring_view name, Validator validator) {
    if (Impl::Entry* entry = impl_->find(name))
        entry->validator = std::move(validator);
}

void SysVars::bind(std::wstring_view name, Binding binding) {
    if (Impl::Entry* entry = impl_->find(name))
        entry->binding = std::move(binding);
}

std::vector<std::wstring> SysVars::names() const {
    std::vector<std::wstring> result;
    for (const auto& [name, entry] : impl_->entries)
        result.push_back(name);
    return result;
}

SysVars& sysVars() {
    static SysVars* table = new SysVars;  // read by modules until the process ends
    return *table;
}

}  // namespace host

int zcedGetVar(const ZTCHAR* name, resbuf* result) {
    if (!name)
        return RTERROR;
    return host::sysVars().getVar(name, result);
}

int zcedSetVar(const ZTCHAR* name, const resbuf* value) {
    if (!name)
        return RTERROR;
    return host::sysVars().setVar(name, value);
}
