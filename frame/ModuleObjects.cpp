// The plug-in's process-wide objects that the module constructs at load, in the order it
// needs them: the installation data of TavrixApp first (empty until the first TavrixApp is
// constructed), then the objects whose construction reads it.
#include "frame/TavrixApp.h"

CString TavrixApp::productName;
CString TavrixApp::version;
CString TavrixApp::productSubkey;
CString TavrixApp::installDir;
CString TavrixApp::templatesDir;
CString TavrixApp::signsDir;
bool TavrixApp::initialised = false;
