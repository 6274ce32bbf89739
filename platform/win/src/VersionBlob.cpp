// Version information: the layout of a version resource and the version functions.
#include "VersionBlob.h"

#include <windows.h>
#include <win/Resources.h>

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <cwctype>
#include <string>
#include <string_view>

#include "platform/ModuleHooks.h"

namespace platform::res {
namespace {

constexpr size_t align4(size_t n) { return (n + 3) & ~size_t(3); }

class Writer {
public:
    size_t begin(const wchar_t* key, DWORD valueLength, DWORD type) {
        const size_t at = bytes_.size();
        VersionBlobNode header{0, valueLength, type};
        append(&header, sizeof(header));
        const std::wstring_view k(key ? key : L"");
        append(k.data(), k.size() * sizeof(wchar_t));
        const wchar_t nul = 0;
        append(&nul, sizeof(nul));
        pad();
        return at;
    }
    void end(size_t at) {
        pad();
        const DWORD length = static_cast<DWORD>(bytes_.size() - at);
        std::memcpy(bytes_.data() + at, &length, sizeof(length));
    }
    void append(const void* data, size_t size) {
        const auto* p = static_cast<const unsigned char*>(data);
        bytes_.insert(bytes_.end(), p, p + size);
    }
    void pad() { bytes_.resize(align4(bytes_.size()), 0); }
    std::vector<unsigned char> take() { return std::move(bytes_); }

private:
    std::vector<unsigned char> bytes_;
};

void writeNode(Writer& w, const VersionNode& node) {
    size_t at;
    if (node.text) {
        const size_t n = std::wcslen(node.text);
        at = w.begin(node.key, static_cast<DWORD>(n + 1), 1);
        w.append(node.text, n * sizeof(wchar_t));
        const wchar_t nul = 0;
        w.append(&nul, sizeof(nul));
    } else if (node.words) {
        at = w.begin(node.key, static_cast<DWORD>(node.wordCount * sizeof(WORD)), 0);
        w.append(node.words, node.wordCount * sizeof(WORD));
    } else {
        at = w.begin(node.key, 0, 1);
    }
    w.pad();
    for (UINT i = 0; i < node.childCount; ++i)
        writeNode(w, node.children[i]);
    w.end(at);
}

// The node of key under parent (case-insensitive), or nullptr.
const VersionBlobNode* findChild(const unsigned char* node, std::wstring_view key) {
    const auto* header = reinterpret_cast<const VersionBlobNode*>(node);
    const auto* keyText = reinterpret_cast<const wchar_t*>(node + sizeof(VersionBlobNode));
    size_t offset = align4(sizeof(VersionBlobNode) + (std::wcslen(keyText) + 1) * sizeof(wchar_t));
    const size_t valueBytes = header->type == 1 ? header->valueLength * sizeof(wchar_t) : header->valueLength;
    offset = align4(offset + valueBytes);
    while (offset + sizeof(VersionBlobNode) <= header->length) {
        const unsigned char* child = node + offset;
        const auto* childHeader = reinterpret_cast<const VersionBlobNode*>(child);
        if (childHeader->length < sizeof(VersionBlobNode))
            return nullptr;
        const auto* childKey = reinterpret_cast<const wchar_t*>(child + sizeof(VersionBlobNode));
        if (key.size() == std::wcslen(childKey) &&
            std::equal(key.begin(), key.end(), childKey, [](wchar_t a, wchar_t b) { return std::towlower(static_cast<wint_t>(a)) == std::towlower(static_cast<wint_t>(b)); }))
            return childHeader;
        offset += align4(childHeader->length);
    }
    return nullptr;
}

}  // namespace

std::vector<unsigned char> serializeVersion(const VersionResource& version) {
    VS_FIXEDFILEINFO fixed{};
    fixed.dwSignature = VS_FFI_SIGNATURE;
    fixed.dwStrucVersion = VS_FFI_STRUCVERSION;
    fixed.dwFileVersionMS = (DWORD(version.fileVersion[0]) << 16) | version.fileVersion[1];
    fixed.dwFileVersionLS = (DWORD(version.fileVersion[2]) << 16) | version.fileVersion[3];
    fixed.dwProductVersionMS = (DWORD(version.productVersion[0]) << 16) | version.productVersion[1];
    fixed.dwProductVersionLS = (DWORD(version.productVersion[2]) << 16) | version.productVersion[3];
    fixed.dwFileFlagsMask = version.fileFlagsMask;
    fixed.dwFileFlags = version.fileFlags;
    fixed.dwFileOS = version.fileOS;
    fixed.dwFileType = version.fileType;
    fixed.dwFileSubtype = version.fileSubtype;

    Writer w;
    const size_t at = w.begin(L"VS_VERSION_INFO", sizeof(fixed), 0);
    w.append(&fixed, sizeof(fixed));
    w.pad();
    for (UINT i = 0; i < version.childCount; ++i)
        writeNode(w, version.children[i]);
    w.end(at);
    return w.take();
}

}  // namespace platform::res

using platform::res::VersionBlobNode;

BOOL WINAPI VerQueryValueW(LPCVOID block, LPCWSTR subBlock, LPVOID* buffer, PUINT length) {
    if (length)
        *length = 0;
    if (!block || !subBlock || !buffer)
        return FALSE;
    *buffer = nullptr;
    const auto* node = static_cast<const unsigned char*>(block);
    std::wstring_view path(subBlock);
    while (!path.empty()) {
        while (!path.empty() && path.front() == L'\\')
            path.remove_prefix(1);
        if (path.empty())
            break;
        const size_t cut = path.find(L'\\');
        const std::wstring_view key = path.substr(0, cut);
        path = cut == std::wstring_view::npos ? std::wstring_view() : path.substr(cut);
        const VersionBlobNode* child = platform::res::findChild(node, key);
        if (!child)
            return FALSE;
        node = reinterpret_cast<const unsigned char*>(child);
    }
    const auto* header = reinterpret_cast<const VersionBlobNode*>(node);
    const auto* keyText = reinterpret_cast<const wchar_t*>(node + sizeof(VersionBlobNode));
    const size_t valueAt = (sizeof(VersionBlobNode) + (std::wcslen(keyText) + 1) * sizeof(wchar_t) + 3) & ~size_t(3);
    *buffer = const_cast<unsigned char*>(node + valueAt);
    if (length)
        *length = header->valueLength;
    return TRUE;
}
