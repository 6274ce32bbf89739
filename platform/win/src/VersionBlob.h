// The in-memory layout of version information (what GetFileVersionInfoW copies out and
// VerQueryValueW reads): a tree of nodes, each a header, its key, its value, its children.
#pragma once

#include "platform/ResourceTable.h"

#include <vector>

namespace platform::res {

/// The header of one node; every part that follows is aligned to 4 bytes.
struct VersionBlobNode {
    DWORD length;       // bytes of the node with its key, value and children
    DWORD valueLength;  // characters with the terminator (text) or bytes (binary)
    DWORD type;         // 1 text, 0 binary
    // followed by: key (wchar_t, terminated), value, children
};

/// Lays out a version resource; the root's key is "VS_VERSION_INFO" and its value the
/// VS_FIXEDFILEINFO.
std::vector<unsigned char> serializeVersion(const VersionResource& version);

}  // namespace platform::res
