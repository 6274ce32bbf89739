// The registry: an in-memory hive of keys and values, optionally backed by a text file
// (format in platform/Registry.h) that is rewritten after every change.
#include "WinInternal.h"
#include "platform/Registry.h"
#include "platform/Session.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <mutex>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

using namespace platform;
using namespace platform::detail;

namespace {

struct NoCaseLess {
    bool operator()(const std::wstring& a, const std::wstring& b) const { return compareFolded(a, b) < 0; }
};

struct Value {
    std::wstring name;  // as first written
    DWORD type = REG_SZ;
    std::wstring text;         // REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ
    std::vector<BYTE> bytes;   // every other type
    bool terminated = true;    // text stored with its terminator (sizes count it)
    bool isText() const { return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ; }
};

struct Key {
    std::wstring name;
    std::map<std::wstring, Key, NoCaseLess> children;
    std::map<std::wstring, Value, NoCaseLess> values;
};

constexpr const wchar_t* kRootNames[] = {L"HKEY_CLASSES_ROOT", L"HKEY_CURRENT_USER", L"HKEY_LOCAL_MACHINE", L"HKEY_USERS"};
constexpr const wchar_t* kRootShortNames[] = {L"HKCR", L"HKCU", L"HKLM", L"HKU"};

struct OpenKey {
    int root;
    std::vector<std::wstring> path;
    REGSAM access;
};

struct Hive {
    std::recursive_mutex mutex;
    bool initialised = false;
    std::string file;
    Key roots[4];
    std::map<HKEY, std::unique_ptr<OpenKey>> open;
};

Hive& hive() {
    static Hive instance;
    return instance;
}

int rootIndex(HKEY key) {
    const auto value = reinterpret_cast<ULONG_PTR>(key);
    if (value >= 0x80000000u && value <= 0x80000003u)
        return static_cast<int>(value - 0x80000000u);
    return -1;
}

std::vector<std::wstring> splitKeyPath(std::wstring_view path) {
    std::vector<std::wstring> parts;
    size_t i = 0;
    while (i <= path.size()) {
        size_t j = path.find(L'\\', i);
        if (j == std::wstring_view::npos)
            j = path.size();
        if (j > i)
            parts.emplace_back(path.substr(i, j - i));
        i = j + 1;
    }
    return parts;
}

Key* find(int root, const std::vector<std::wstring>& path) {
    Key* key = &hive().roots[root];
    for (const auto& part : path) {
        auto it = key->children.find(part);
        if (it == key->children.end())
            return nullptr;
        key = &it->second;
    }
    return key;
}

// --- The hive file --------------------------------------------------------------------

std::wstring escape(std::wstring_view text, bool quotes) {
    std::wstring out;
    for (wchar_t ch : text) {
        switch (ch) {
        case L'\\': out += L"\\\\"; break;
        case L'\r': out += L"\\r"; break;
        case L'\n': out += L"\\n"; break;
        case L'\0': out += L"\\0"; break;
        case L'"':
            if (quotes) {
                out += L"\\\"";
                break;
            }
            [[fallthrough]];
        default: out += ch;
        }
    }
    return out;
}

std::wstring unescape(std::wstring_view text) {
    std::wstring out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\\' && i + 1 < text.size()) {
            const wchar_t next = text[++i];
            switch (next) {
            case L'\\': out += L'\\'; break;
            case L'r': out += L'\r'; break;
            case L'n': out += L'\n'; break;
            case L'0': out += L'\0'; break;
            case L'"': out += L'"'; break;
            default:
                out += L'\\';
                out += next;
            }
        } else {
            out += text[i];
        }
    }
    return out;
}

bool startsWith(std::wstring_view text, std::wstring_view prefix) { return text.substr(0, prefix.size()) == prefix; }

bool needsPrefix(std::wstring_view text) {
    if (text.find_first_of(L"\r\n") != std::wstring_view::npos || text.find(L'\0') != std::wstring_view::npos)
        return true;
    for (const wchar_t* prefix : {L"sz:", L"szn:", L"expand:", L"multi:", L"dword:", L"hex:", L"hex("})
        if (startsWith(text, prefix))
            return true;
    return false;
}

std::wstring formatName(const std::wstring& name) {
    if (name.empty())
        return L"@";
    const bool quote = name == L"@" || name.find_first_of(L"=\"\r\n") != std::wstring::npos || name[0] == L'[' ||
                       name[0] == L';' || name[0] == L'#' || name[0] == L' ';
    return quote ? L"\"" + escape(name, true) + L"\"" : name;
}

std::wstring formatValue(const Value& value) {
    wchar_t buffer[32];
    switch (value.type) {
    case REG_SZ:
        if (!value.terminated)
            return L"szn:" + escape(value.text, false);
        return needsPrefix(value.text) ? L"sz:" + escape(value.text, false) : value.text;
    case REG_EXPAND_SZ: return L"expand:" + escape(value.text, false);
    case REG_MULTI_SZ: return L"multi:" + escape(value.text, false);
    case REG_DWORD:
        if (value.bytes.size() == 4) {
            DWORD d;
            std::memcpy(&d, value.bytes.data(), 4);
            std::swprintf(buffer, 32, L"dword:%08x", d);
            return buffer;
        }
        break;
    default: break;
    }
    std::wstring out;
    if (value.type == REG_BINARY) {
        out = L"hex:";
    } else {
        std::swprintf(buffer, 32, L"hex(%x):", static_cast<unsigned>(value.type));
        out = buffer;
    }
    for (size_t i = 0; i < value.bytes.size(); ++i) {
        std::swprintf(buffer, 32, i ? L",%02x" : L"%02x", value.bytes[i]);
        out += buffer;
    }
    return out;
}

bool parseHexBytes(std::wstring_view text, std::vector<BYTE>& bytes) {
    bytes.clear();
    size_t i = 0;
    while (i < text.size()) {
        if (i + 2 > text.size())
            return false;
        const std::wstring pair(text.substr(i, 2));
        wchar_t* end = nullptr;
        const unsigned long b = std::wcstoul(pair.c_str(), &end, 16);
        if (end != pair.c_str() + 2)
            return false;
        bytes.push_back(static_cast<BYTE>(b));
        i += 2;
        if (i < text.size()) {
            if (text[i] != L',')
                return false;
            ++i;
        }
    }
    return true;
}

bool parseValue(std::wstring_view text, Value& value) {
    value.bytes.clear();
    value.text.clear();
    if (startsWith(text, L"sz:")) {
        value.type = REG_SZ;
        value.text = unescape(text.substr(3));
    } else if (startsWith(text, L"szn:")) {
        value.type = REG_SZ;
        value.text = unescape(text.substr(4));
        value.terminated = false;
    } else if (startsWith(text, L"expand:")) {
        value.type = REG_EXPAND_SZ;
        value.text = unescape(text.substr(7));
    } else if (startsWith(text, L"multi:")) {
        value.type = REG_MULTI_SZ;
        value.text = unescape(text.substr(6));
    } else if (startsWith(text, L"dword:")) {
        const std::wstring digits(text.substr(6));
        wchar_t* end = nullptr;
        const unsigned long d = std::wcstoul(digits.c_str(), &end, 16);
        if (digits.size() != 8 || end != digits.c_str() + 8)
            return false;
        value.type = REG_DWORD;
        const DWORD dword = static_cast<DWORD>(d);
        value.bytes.resize(4);
        std::memcpy(value.bytes.data(), &dword, 4);
    } else if (startsWith(text, L"hex:")) {
        value.type = REG_BINARY;
        return parseHexBytes(text.substr(4), value.bytes);
    } else if (startsWith(text, L"hex(")) {
        const size_t close = text.find(L"):");
        if (close == std::wstring_view::npos)
            return false;
        const std::wstring number(text.substr(4, close - 4));
        wchar_t* end = nullptr;
        value.type = static_cast<DWORD>(std::wcstoul(number.c_str(), &end, 16));
        if (number.empty() || end != number.c_str() + number.size())
            return false;
        return parseHexBytes(text.substr(close + 2), value.bytes);
    } else {
        value.type = REG_SZ;
        value.text = std::wstring(text);
    }
    return true;
}

void parseHive(const std::string& content) {
    Key* current = nullptr;
    std::istringstream lines(content);
    std::string raw;
    while (std::getline(lines, raw)) {
        if (!raw.empty() && raw.back() == '\r')
            raw.pop_back();
        const std::wstring line = fromUtf8(raw);
        if (line.empty() || line[0] == L';' || line[0] == L'#')
            continue;
        if (line[0] == L'[') {
            current = nullptr;
            const size_t close = line.rfind(L']');
            if (close == std::wstring::npos)
                continue;
            auto parts = splitKeyPath(std::wstring_view(line).substr(1, close - 1));
            if (parts.empty())
                continue;
            int root = -1;
            for (int r = 0; r < 4; ++r)
                if (equalsNoCase(parts[0], kRootNames[r]) || equalsNoCase(parts[0], kRootShortNames[r]))
                    root = r;
            if (root < 0)
                continue;
            current = &hive().roots[root];
            for (size_t i = 1; i < parts.size(); ++i) {
                Key& child = current->children[parts[i]];
                if (child.name.empty())
                    child.name = parts[i];
                current = &child;
            }
            continue;
        }
        if (!current)
            continue;
        std::wstring name;
        size_t rest;
        if (line[0] == L'"') {
            size_t i = 1;
            std::wstring quotedName;
            while (i < line.size() && line[i] != L'"') {
                if (line[i] == L'\\' && i + 1 < line.size()) {
                    quotedName += line[i];
                    ++i;
                }
                quotedName += line[i++];
            }
            if (i + 1 >= line.size() || line[i + 1] != L'=')
                continue;
            name = unescape(quotedName);
            rest = i + 2;
        } else {
            const size_t equals = line.find(L'=');
            if (equals == std::wstring::npos || equals == 0)
                continue;
            name = line.substr(0, equals);
            if (name == L"@")
                name.clear();
            rest = equals + 1;
        }
        Value value;
        if (!parseValue(std::wstring_view(line).substr(rest), value))
            continue;
        value.name = name;
        current->values[name] = std::move(value);
    }
}

void writeKey(std::wstring& out, const Key& key, const std::wstring& path, bool isRoot) {
    if (!isRoot || !key.values.empty()) {
        out += L"[" + path + L"]\n";
        for (const auto& [_, value] : key.values)
            out += formatName(value.name) + L"=" + formatValue(value) + L"\n";
        out += L"\n";
    }
    for (const auto& [_, child] : key.children)
        writeKey(out, child, path + L"\\" + child.name, false);
}

// Rewrites the backing file whole, through a temporary file in the same folder.
bool save() {
    Hive& h = hive();
    if (h.file.empty())
        return true;
    std::wstring text = L"; Tavrix registry hive\n\n";
    for (int r = 0; r < 4; ++r)
        writeKey(text, h.roots[r], kRootNames[r], true);
    const std::string bytes = toUtf8(text);
    const std::string temporary = h.file + ".tmp" + std::to_string(getpid());
    FILE* out = std::fopen(temporary.c_str(), "wb");
    if (!out)
        return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    if (std::fclose(out) != 0 || !written || std::rename(temporary.c_str(), h.file.c_str()) != 0) {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

bool load(const std::string& path) {
    Hive& h = hive();
    for (auto& root : h.roots)
        root = Key{};
    h.file = path;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        struct stat st {};
        return stat(path.c_str(), &st) != 0;  // missing: an empty hive, made on the first change
    }
    std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        return false;
    parseHive(content);
    return true;
}

void initialise() {
    Hive& h = hive();
    if (h.initialised)
        return;
    h.initialised = true;
    if (const char* path = std::getenv("TAVRIX_REGISTRY"); path && *path)
        load(path);
}

// The hive, initialised, with its mutex held for the caller's scope.
struct Locked {
    std::lock_guard<std::recursive_mutex> lock{hive().mutex};
    Locked() { initialise(); }
};

// The key behind a handle: root index, path and access; false when the handle is bad.
bool resolveHandle(HKEY handle, int& root, std::vector<std::wstring>& path, REGSAM& access) {
    const int r = rootIndex(handle);
    if (r >= 0) {
        root = r;
        path.clear();
        access = KEY_ALL_ACCESS;
        return true;
    }
    auto it = hive().open.find(handle);
    if (it == hive().open.end())
        return false;
    root = it->second->root;
    path = it->second->path;
    access = it->second->access;
    return true;
}

HKEY newHandle(int root, std::vector<std::wstring> path, REGSAM access) {
    auto key = std::make_unique<OpenKey>(OpenKey{root, std::move(path), access});
    HKEY handle = reinterpret_cast<HKEY>(key.get());
    hive().open.emplace(handle, std::move(key));
    return handle;
}

// The key for an operation on hKey\subKey: ERROR_SUCCESS and the key, or the error.
LSTATUS keyFor(HKEY hKey, LPCWSTR subKey, REGSAM needed, Key*& key) {
    int root;
    std::vector<std::wstring> path;
    REGSAM access;
    if (!resolveHandle(hKey, root, path, access))
        return ERROR_INVALID_HANDLE;
    if ((access & needed & 0xFFFF) != (needed & 0xFFFF))
        return ERROR_ACCESS_DENIED;
    Key* base = find(root, path);
    if (!base)
        return ERROR_KEY_DELETED;
    key = base;
    if (subKey)
        for (const auto& part : splitKeyPath(subKey)) {
            auto it = key->children.find(part);
            if (it == key->children.end())
                return ERROR_FILE_NOT_FOUND;
            key = &it->second;
        }
    return ERROR_SUCCESS;
}

// The size in Windows bytes of a text value: UTF-16 units and the terminator (when it was
// stored), 2 bytes each.
DWORD textSize(const std::wstring& text, bool terminated) {
    size_t units = terminated ? 1 : 0;
    for (wchar_t ch : text)
        units += static_cast<uint32_t>(ch) > 0xFFFF ? 2 : 1;
    return static_cast<DWORD>(units * 2);
}

// Copies a value out with the Windows size rules.
LSTATUS queryOut(const Value& value, LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData) {
    if (lpType)
        *lpType = value.type;
    if (lpData && !lpcbData)
        return ERROR_INVALID_PARAMETER;
    const DWORD needed =
        value.isText() ? textSize(value.text, value.terminated) : static_cast<DWORD>(value.bytes.size());
    if (!lpcbData)
        return ERROR_SUCCESS;
    if (!lpData) {
        *lpcbData = needed;
        return ERROR_SUCCESS;
    }
    if (*lpcbData < needed) {
        *lpcbData = needed;
        return ERROR_MORE_DATA;
    }
    if (value.isText()) {
        auto* out = reinterpret_cast<wchar_t*>(lpData);
        value.text.copy(out, value.text.size());
        // A terminator is added when the buffer has room, stored or not.
        if (value.text.size() < *lpcbData / 2)
            out[value.text.size()] = L'\0';
    } else if (!value.bytes.empty()) {
        std::memcpy(lpData, value.bytes.data(), value.bytes.size());
    }
    *lpcbData = needed;
    return ERROR_SUCCESS;
}

}  // namespace

namespace platform {

bool setRegistryFile(const std::string& unixPath) {
    Locked locked;
    return load(unixPath);
}

void useMemoryRegistry() {
    Locked locked;
    hive().file.clear();
    for (auto& root : hive().roots)
        root = Key{};
}

std::string registryFile() {
    Locked locked;
    return hive().file;
}

}  // namespace platform

LSTATUS RegOpenKeyExW(HKEY hKey, LPCWSTR lpSubKey, DWORD, REGSAM samDesired, PHKEY phkResult) {
    if (!phkResult)
        return ERROR_INVALID_PARAMETER;
    *phkResult = nullptr;
    Locked locked;
    int root;
    std::vector<std::wstring> path;
    REGSAM access;
    if (!resolveHandle(hKey, root, path, access))
        return ERROR_INVALID_HANDLE;
    Key* key = nullptr;
    const LSTATUS status = keyFor(hKey, lpSubKey, 0, key);
    if (status != ERROR_SUCCESS)
        return status;
    if (lpSubKey)
        for (auto& part : splitKeyPath(lpSubKey))
            path.push_back(std::move(part));
    *phkResult = newHandle(root, std::move(path), samDesired);
    return ERROR_SUCCESS;
}

LSTATUS RegCreateKeyExW(HKEY hKey, LPCWSTR lpSubKey, DWORD, LPWSTR, DWORD, REGSAM samDesired,
                        const SECURITY_ATTRIBUTES*, PHKEY phkResult, LPDWORD lpdwDisposition) {
    if (!phkResult || !lpSubKey)
        return ERROR_INVALID_PARAMETER;
    *phkResult = nullptr;
    Locked locked;
    int root;
    std::vector<std::wstring> path;
    REGSAM access;
    if (!resolveHandle(hKey, root, path, access))
        return ERROR_INVALID_HANDLE;
    Key* key = find(root, path);
    if (!key)
        return ERROR_KEY_DELETED;
    bool created = false;
    const auto parts = splitKeyPath(lpSubKey);
    for (const auto& part : parts) {
        auto it = key->children.find(part);
        if (it == key->children.end()) {
            if (!(access & KEY_CREATE_SUB_KEY))
                return ERROR_ACCESS_DENIED;
            it = key->children.emplace(part, Key{part, {}, {}}).first;
            created = true;
        }
        key = &it->second;
        path.push_back(part);
    }
    if (lpdwDisposition)
        *lpdwDisposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    if (created && !save())
        return ERROR_CANTWRITE;
    *phkResult = newHandle(root, std::move(path), samDesired);
    return ERROR_SUCCESS;
}

LSTATUS RegQueryValueExW(HKEY hKey, LPCWSTR lpValueName, LPDWORD, LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData) {
    Locked locked;
    Key* key = nullptr;
    const LSTATUS status = keyFor(hKey, nullptr, KEY_QUERY_VALUE, key);
    if (status != ERROR_SUCCESS)
        return status;
    auto it = key->values.find(lpValueName ? lpValueName : L"");
    if (it == key->values.end())
        return ERROR_FILE_NOT_FOUND;
    return queryOut(it->second, lpType, lpData, lpcbData);
}

LSTATUS RegSetValueExW(HKEY hKey, LPCWSTR lpValueName, DWORD, DWORD dwType, const BYTE* lpData, DWORD cbData) {
    if (!lpData && cbData)
        return ERROR_INVALID_PARAMETER;
    Locked locked;
    Key* key = nullptr;
    const LSTATUS status = keyFor(hKey, nullptr, KEY_SET_VALUE, key);
    if (status != ERROR_SUCCESS)
        return status;
    Value value;
    value.name = lpValueName ? lpValueName : L"";
    value.type = dwType;
    if (value.isText()) {
        const auto* text = reinterpret_cast<const wchar_t*>(lpData);
        const size_t units = cbData / 2;
        size_t n = 0;
        if (dwType == REG_MULTI_SZ) {
            // Strings, each with its terminator, then an empty one; keep up to the final pair.
            while (n < units && text && !(text[n] == L'\0' && (n == 0 || text[n - 1] == L'\0')))
                ++n;
        } else {
            while (n < units && text && text[n] != L'\0')
                ++n;
        }
        value.text.assign(text ? text : L"", n);
        // Counted in UTF-16 units: the text fills cbData without a terminator when the units
        // of its characters (pairs for those past U+FFFF) use all of it.
        value.terminated = textSize(value.text, false) < cbData;
    } else {
        value.bytes.assign(lpData, lpData + cbData);
    }
    auto it = key->values.find(value.name);
    if (it != key->values.end()) {
        value.name = it->second.name;
        it->second = std::move(value);
    } else {
        std::wstring name = value.name;
        key->values.emplace(std::move(name), std::move(value));
    }
    return save() ? ERROR_SUCCESS : ERROR_CANTWRITE;
}

LSTATUS RegDeleteKeyW(HKEY hKey, LPCWSTR lpSubKey) {
    if (!lpSubKey || !*lpSubKey)
        return ERROR_INVALID_PARAMETER;
    Locked locked;
    Key* parent = nullptr;
    auto parts = splitKeyPath(lpSubKey);
    if (parts.empty())
        return ERROR_INVALID_PARAMETER;
    const std::wstring last = parts.back();
    parts.pop_back();
    std::wstring parentPath;
    for (const auto& part : parts)
        parentPath += part + L"\\";
    LSTATUS status = keyFor(hKey, parentPath.c_str(), 0, parent);
    if (status != ERROR_SUCCESS)
        return status;
    auto it = parent->children.find(last);
    if (it == parent->children.end())
        return ERROR_FILE_NOT_FOUND;
    if (!it->second.children.empty())
        return ERROR_ACCESS_DENIED;
    parent->children.erase(it);
    return save() ? ERROR_SUCCESS : ERROR_CANTWRITE;
}

LSTATUS RegDeleteValueW(HKEY hKey, LPCWSTR lpValueName) {
    Locked locked;
    Key* key = nullptr;
    const LSTATUS status = keyFor(hKey, nullptr, KEY_SET_VALUE, key);
    if (status != ERROR_SUCCESS)
        return status;
    auto it = key->values.find(lpValueName ? lpValueName : L"");
    if (it == key->values.end())
        return ERROR_FILE_NOT_FOUND;
    key->values.erase(it);
    return save() ? ERROR_SUCCESS : ERROR_CANTWRITE;
}

namespace {

/// An enumerated name into a caller's buffer of *count characters; *count becomes its length
/// without the terminator. ERROR_MORE_DATA when the name and its terminator do not fit.
LSTATUS copyName(const std::wstring& name, LPWSTR out, LPDWORD count) {
    if (name.size() + 1 > *count)
        return ERROR_MORE_DATA;
    name.copy(out, name.size());
    out[name.size()] = L'\0';
    *count = static_cast<DWORD>(name.size());
    return ERROR_SUCCESS;
}

}  // namespace

LSTATUS RegEnumKeyExW(HKEY hKey, DWORD dwIndex, LPWSTR lpName, LPDWORD lpcchName, LPDWORD, LPWSTR lpClass,
                      LPDWORD lpcchClass, PFILETIME lpftLastWriteTime) {
    if (!lpName || !lpcchName)
        return ERROR_INVALID_PARAMETER;
    Locked locked;
    Key* key = nullptr;
    const LSTATUS status = keyFor(hKey, nullptr, KEY_ENUMERATE_SUB_KEYS, key);
    if (status != ERROR_SUCCESS)
        return status;
    if (dwIndex >= key->children.size())
        return ERROR_NO_MORE_ITEMS;
    auto it = key->children.begin();
    std::advance(it, dwIndex);
    if (const LSTATUS copied = copyName(it->second.name, lpName, lpcchName); copied != ERROR_SUCCESS)
        return copied;
    if (lpClass && lpcchClass && *lpcchClass) {
        lpClass[0] = L'\0';
        *lpcchClass = 0;
    }
    if (lpftLastWriteTime)
        *lpftLastWriteTime = FILETIME{0, 0};
    return ERROR_SUCCESS;
}

LSTATUS RegEnumValueW(HKEY hKey, DWORD dwIndex, LPWSTR lpValueName, LPDWORD lpcchValueName, LPDWORD, LPDWORD lpType,
                      LPBYTE lpData, LPDWORD lpcbData) {
    if (!lpValueName || !lpcchValueName)
        return ERROR_INVALID_PARAMETER;
    Locked locked;
    Key* key = nullptr;
    const LSTATUS status = keyFor(hKey, nullptr, KEY_QUERY_VALUE, key);
    if (status != ERROR_SUCCESS)
        return status;
    if (dwIndex >= key->values.size())
        return ERROR_NO_MORE_ITEMS;
    auto it = key->values.begin();
    std::advance(it, dwIndex);
    if (const LSTATUS copied = copyName(it->second.name, lpValueName, lpcchValueName); copied != ERROR_SUCCESS)
        return copied;
    return queryOut(it->second, lpType, lpData, lpcbData);
}

LSTATUS RegCloseKey(HKEY hKey) {
    if (rootIndex(hKey) >= 0)
        return ERROR_SUCCESS;
    Locked locked;
    auto it = hive().open.find(hKey);
    if (it == hive().open.end())
        return ERROR_INVALID_HANDLE;
    hive().open.erase(it);
    return ERROR_SUCCESS;
}

LSTATUS RegFlushKey(HKEY hKey) {
    Locked locked;
    Key* key = nullptr;
    const LSTATUS status = keyFor(hKey, nullptr, 0, key);
    if (status != ERROR_SUCCESS)
        return status;
    return save() ? ERROR_SUCCESS : ERROR_CANTWRITE;
}
