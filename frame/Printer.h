// Command-line output: the printer classes and the two functions through which the plug-in
// writes messages and error reports.
#pragma once

#include <afxwin.h>

/// Writes texts somewhere line by line; derived classes say where.
class Printer {
public:
    virtual ~Printer();
    /// For each text: a new line, then the text; then one final new line (so an empty list
    /// prints a single new line).
    virtual void printLines(const CStringArray& lines);
    virtual void print(const CString& text) = 0;
    virtual void newLine();
};

/// Prints on the host's command line. A value object: create one for each text.
class ZWPrinter : public Printer {
public:
    /// The text goes out as the argument of "%s", so a percent sign in it prints unchanged.
    void print(const CString& text) override;
};

/// Prints text on the command line, after a new line when newLineFirst is set.
void printMessage(const CString& text, bool newLineFirst);

/// Prints the report of a failed host call: "\n", " es: " with the host's text for the
/// status, "\n".
void printErrorStatus(int status);
