// System variables through the host's variable interface.
#include "support/ZWVariable.h"

#include <zcedads.h>
#include <zcutads.h>

ZWVariable::ZWVariable(const CString& variableName) : name(variableName) {}

ZWVariable::~ZWVariable() = default;

double ZWVariable::getReal() const {
    resbuf value = {};
    zcedGetVar(name, &value);
    switch (value.restype) {
    case RTREAL:
    case RTANG:
        return value.resval.rreal;
    case RTSHORT:
        return value.resval.rint;
    case RTLONG:
        return value.resval.rlong;
    default:
        return 0.0;
    }
}

int ZWVariable::getInt() const {
    resbuf value = {};
    value.restype = RTSHORT;
    if (zcedGetVar(name, &value) != RTNORM)
        return 0;
    if (value.restype == RTLONG)
        return value.resval.rlong;
    return value.restype == RTSHORT ? value.resval.rint : 0;
}

CString ZWVariable::getString() const {
    resbuf value = {};
    zcedGetVar(name, &value);
    if (value.restype != RTSTR || !value.resval.rstring)
        return CString();
    CString text(value.resval.rstring);
    zcutDelBuffer(value.resval.rstring);
    return text;
}

bool ZWVariable::setInt(int value) const {
    resbuf buffer = {};
    buffer.restype = RTSHORT;
    buffer.resval.rint = static_cast<short>(value);
    return zcedSetVar(name, &buffer) == RTNORM;
}

bool setIntVar(const CString& name, int value) { return ZWVariable(name).setInt(value); }

void getRealVar(const CString& name, double& out) { out = ZWVariable(name).getReal(); }
