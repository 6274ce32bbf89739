// The plug-in's process-wide objects that the module constructs at load, in the order it
// needs them: the installation data of TavrixApp (empty until the first TavrixApp is
// constructed), then the command help table, which the module's attach step fills from the
// installation once every global object exists.
#include "frame/CommandHelp.h"
#include "frame/TavrixApp.h"

CString TavrixApp::productName;
CString TavrixApp::version;
CString TavrixApp::productSubkey;
CString TavrixApp::installDir;
CString TavrixApp::templatesDir;
CString TavrixApp::signsDir;
bool TavrixApp::initialised = false;

CommandHelp theCommandHelp;
