// CommandHelp: the command help table that gives every command its context help topic.
#pragma once

#include <afxwin.h>

#include <map>

/// Maps command names (upper case) to topics of the installation's help file, read from
/// "Help.cfg": one command a line, a tab, the topic.
class CommandHelp {
public:
    /// Sets helpFile and adds the entries of the configuration file: each non-empty line
    /// that splits at tabs into exactly two fields gives an entry (first field upper-cased;
    /// a later line of the same name replaces an earlier one). Other lines are skipped; a
    /// missing file adds nothing.
    void load(const CString& helpFilePath, const CString& configurationPath);
    /// The topic of a command name in any case; empty text when it has none.
    CString topicFor(const CString& name) const;
    /// Gives the command its context help: zcedSetFunHelp("C:" + name, helpFile, topic, 0).
    /// Nothing for an empty name.
    void apply(const CString& name) const;

    CString helpFile;
    std::map<CString, CString> topics;
};

/// The process-wide table, filled from the installation while the module loads.
extern CommandHelp theCommandHelp;

/// Fills theCommandHelp from the installation folder ("Help.chm", "Help.cfg"). Run once while
/// the module is loaded, before the host calls the entry point.
void loadCommandHelp();
