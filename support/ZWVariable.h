// ZWVariable: one system variable of the host, read and written by name; the one-shot forms
// setIntVar and getRealVar.
#pragma once

#include <afxstr.h>

/// A host system variable by its name.
class ZWVariable {
public:
    explicit ZWVariable(const CString& variableName);
    virtual ~ZWVariable();

    /// The real value; 0 when the host does not know the variable.
    double getReal() const;
    /// The short-integer value, sign-extended; 0 when the host cannot read it.
    int getInt() const;
    /// The text value; empty text when the host does not know the variable.
    CString getString() const;
    /// Writes a short-integer value; true when the host accepted it.
    bool setInt(int value) const;

    CString name;
};

/// Writes an integer system variable; true when the host accepted it.
bool setIntVar(const CString& name, int value);
/// Reads a real system variable into out.
void getRealVar(const CString& name, double& out);
