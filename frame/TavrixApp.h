// TavrixApp: the product's identity and the installation folders, shared by the whole process.
#pragma once

#include <afxwin.h>

/// The process-wide descriptor of the installation. It has no data of its own: the first
/// construction reads the installation folder from the registry and fills the static
/// members; later constructions leave them as they are. Construct one on the stack and read
/// the member you need: `TavrixApp app; app.signsDir`.
class TavrixApp {
public:
    TavrixApp();

    static CString productName;    ///< "Tavrix": also the command group
    static CString version;        ///< "2023"
    static CString productSubkey;  ///< "\VORANT\Tavrix\2023"
    /// The value "Path" of HKEY_LOCAL_MACHINE\SOFTWARE\VORANT\Tavrix\2023 exactly as stored;
    /// empty when the key or the value is missing.
    static CString installDir;
    static CString templatesDir;   ///< installDir + "\Templates"
    static CString signsDir;       ///< templatesDir + "\Signs"

    /// Set once the members above are filled; they are read once per process.
    static bool initialised;
};
