// CommandHelp: reading "Help.cfg" and handing each command its help topic.
#include "frame/CommandHelp.h"

#include "zcedads.h"

#include "frame/TavrixApp.h"
#include "support/FileEntry.h"
#include "support/UI_StringArray.h"

void CommandHelp::load(const CString& helpFilePath, const CString& configurationPath)
{
    helpFile = helpFilePath;
    UI_StringArray lines;
    FileEntry(configurationPath).readAnsiLines(lines);
    for (INT_PTR i = 0; i < lines.GetSize(); ++i) {
        const CString& line = lines.GetAt(i);
        if (line.IsEmpty())
            continue;
        UI_StringArray fields;
        splitText(line, L"\t", fields, false);
        if (fields.GetSize() != 2)
            continue;
        CString name = fields.GetAt(0);
        name.MakeUpper();
        topics[name] = fields.GetAt(1);
    }
}

CString CommandHelp::topicFor(const CString& name) const
{
    if (topics.empty())
        return CString();
    CString key = name;
    key.MakeUpper();
    const auto found = topics.find(key);
    return found == topics.end() ? CString() : found->second;
}

void CommandHelp::apply(const CString& name) const
{
    if (name.IsEmpty())
        return;
    const CString topic = topicFor(name);
    zcedSetFunHelp(L"C:" + name, helpFile, topic, 0);
}

void loadCommandHelp()
{
    theCommandHelp.load(TavrixApp().installDir + L"\\Help.chm", TavrixApp().installDir + L"\\Help.cfg");
}
