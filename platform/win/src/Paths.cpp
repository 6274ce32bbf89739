// Windows paths on the Linux file system: the drive table, lexical full paths, the
// case-insensitive resolution of components, and the way back from Unix paths.
#include "platform/Paths.h"

#include "WinInternal.h"
#include "platform/Session.h"

#include <array>
#include <cerrno>
#include <climits>
#include <dirent.h>
#include <mutex>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace platform {
namespace {

struct DriveTable {
    std::mutex mutex;
    std::array<std::string, 26> folders;
    DriveTable() { folders['Z' - 'A'] = "/"; }
};

DriveTable& drives() {
    static DriveTable table;
    return table;
}

bool isSeparator(wchar_t ch) { return ch == L'\\' || ch == L'/'; }

bool isDriveLetter(wchar_t ch) { return (ch >= L'A' && ch <= L'Z') || (ch >= L'a' && ch <= L'z'); }

// "." and ".." resolved against the component list, which never climbs above the root.
void appendComponents(std::vector<std::wstring>& out, std::wstring_view rest) {
    size_t i = 0;
    while (i < rest.size()) {
        while (i < rest.size() && isSeparator(rest[i]))
            ++i;
        size_t j = i;
        while (j < rest.size() && !isSeparator(rest[j]))
            ++j;
        if (j > i) {
            const std::wstring_view part = rest.substr(i, j - i);
            if (part == L"..") {
                if (!out.empty())
                    out.pop_back();
            } else if (part != L".") {
                out.emplace_back(part);
            }
        }
        i = j;
    }
}

std::string lexicalUnix(std::string_view path) {
    std::vector<std::string_view> parts;
    size_t i = 0;
    while (i < path.size()) {
        while (i < path.size() && path[i] == '/')
            ++i;
        size_t j = i;
        while (j < path.size() && path[j] != '/')
            ++j;
        if (j > i) {
            const std::string_view part = path.substr(i, j - i);
            if (part == "..") {
                if (!parts.empty())
                    parts.pop_back();
            } else if (part != ".") {
                parts.push_back(part);
            }
        }
        i = j;
    }
    std::string out;
    for (auto part : parts) {
        out += '/';
        out += part;
    }
    return out.empty() ? "/" : out;
}

std::string currentUnixFolder() {
    std::string buffer(PATH_MAX, '\0');
    if (!getcwd(buffer.data(), buffer.size()))
        return "/";
    buffer.resize(std::char_traits<char>::length(buffer.c_str()));
    return buffer;
}

// A Windows path taken apart: drive letter and the resolved component list.
struct WinPath {
    wchar_t drive = L'Z';  // upper case
    wchar_t letter = L'Z'; // as written
    std::vector<std::wstring> components;
    bool trailingSeparator = false;
};

std::optional<WinPath> currentWinPath();

std::optional<WinPath> parse(std::wstring_view path) {
    if (path.empty())
        return std::nullopt;
    if (path.substr(0, 4) == L"\\\\?\\" || path.substr(0, 4) == L"\\??\\")
        path.remove_prefix(4);
    if (path.size() >= 2 && isSeparator(path[0]) && isSeparator(path[1]))
        return std::nullopt;  // UNC
    WinPath result;
    result.trailingSeparator = isSeparator(path.back());
    if (path.size() >= 2 && path[1] == L':' && isDriveLetter(path[0])) {
        result.drive = detail::upperCase(path[0]);
        result.letter = path[0];
        std::wstring_view rest = path.substr(2);
        if (rest.empty() || !isSeparator(rest[0])) {
            // Drive-relative: from the current folder when it lies on that drive.
            auto current = currentWinPath();
            if (current && current->drive == result.drive)
                result.components = current->components;
        }
        appendComponents(result.components, rest);
        return result;
    }
    auto current = currentWinPath();
    if (!current)
        return std::nullopt;
    result.drive = current->drive;
    result.letter = current->letter;
    if (!isSeparator(path[0]))
        result.components = current->components;
    appendComponents(result.components, path);
    return result;
}

std::wstring format(const WinPath& path) {
    std::wstring out(1, path.letter);
    out += L":\\";
    for (size_t i = 0; i < path.components.size(); ++i) {
        if (i)
            out += L'\\';
        out += path.components[i];
    }
    if (path.trailingSeparator && !path.components.empty())
        out += L'\\';
    return out;
}

std::optional<WinPath> windowsFromUnix(std::string_view unixPath) {
    std::string absolute = unixPath.empty() || unixPath[0] != '/' ? currentUnixFolder() + "/" + std::string(unixPath)
                                                                  : std::string(unixPath);
    absolute = lexicalUnix(absolute);
    wchar_t bestDrive = 0;
    size_t bestLength = 0;
    {
        std::lock_guard lock(drives().mutex);
        for (int d = 0; d < 26; ++d) {
            const std::string& folder = drives().folders[d];
            if (folder.empty())
                continue;
            const bool matches = folder == "/" || (absolute.compare(0, folder.size(), folder) == 0 &&
                                                   (absolute.size() == folder.size() || absolute[folder.size()] == '/'));
            const size_t length = folder == "/" ? 0 : folder.size();
            if (matches && (bestDrive == 0 || length > bestLength)) {
                bestDrive = static_cast<wchar_t>(L'A' + d);
                bestLength = length;
            }
        }
    }
    if (bestDrive == 0)
        return std::nullopt;
    WinPath result;
    result.drive = bestDrive;
    result.letter = bestDrive;
    std::string_view rest(absolute);
    rest.remove_prefix(bestLength);
    size_t i = 0;
    while (i < rest.size()) {
        while (i < rest.size() && rest[i] == '/')
            ++i;
        size_t j = i;
        while (j < rest.size() && rest[j] != '/')
            ++j;
        if (j > i)
            result.components.push_back(fromUtf8(rest.substr(i, j - i)));
        i = j;
    }
    return result;
}

std::optional<WinPath> currentWinPath() { return windowsFromUnix(currentUnixFolder()); }

std::string join(const std::string& folder, const std::string& name) {
    if (folder.empty() || folder.back() == '/')
        return folder + name;
    return folder + "/" + name;
}

// The real name of an entry of folder that equals name without regard to case.
std::optional<std::string> findNoCase(const std::string& folder, const std::wstring& name) {
    DIR* dir = opendir(folder.c_str());
    if (!dir)
        return std::nullopt;
    std::optional<std::string> found;
    while (dirent* entry = readdir(dir)) {
        if (detail::equalsNoCase(fromUtf8(entry->d_name), name)) {
            found = entry->d_name;
            break;
        }
    }
    closedir(dir);
    return found;
}

// Resolves components one by one; names that exist are replaced by their real spelling.
// Returns the Unix path and, through realNames, the components as they were resolved.
std::string resolve(const WinPath& path, std::vector<std::wstring>* realNames) {
    std::string current = driveFolder(path.drive);
    if (current.empty())
        return {};
    bool resolving = true;
    for (const std::wstring& component : path.components) {
        std::string name = toUtf8(component);
        if (resolving) {
            struct stat st {};
            if (lstat(join(current, name).c_str(), &st) != 0) {
                if (auto real = findNoCase(current, component))
                    name = *real;
                else
                    resolving = false;
            }
        }
        current = join(current, name);
        if (realNames)
            realNames->push_back(fromUtf8(name));
    }
    if (path.trailingSeparator && current.back() != '/')
        current += '/';
    return current;
}

}  // namespace

bool mapDrive(wchar_t letter, const std::string& unixFolder) {
    if (!isDriveLetter(letter))
        return false;
    std::string folder;
    if (!unixFolder.empty()) {
        folder = unixFolder[0] == '/' ? unixFolder : currentUnixFolder() + "/" + unixFolder;
        folder = lexicalUnix(folder);
    }
    std::lock_guard lock(drives().mutex);
    drives().folders[detail::upperCase(letter) - L'A'] = folder;
    return true;
}

std::string driveFolder(wchar_t letter) {
    if (!isDriveLetter(letter))
        return {};
    std::lock_guard lock(drives().mutex);
    return drives().folders[detail::upperCase(letter) - L'A'];
}

std::string toUnixPath(std::wstring_view windowsPath) {
    auto parsed = parse(windowsPath);
    if (!parsed)
        return {};
    return resolve(*parsed, nullptr);
}

std::wstring toWindowsPath(std::string_view unixPath) {
    auto parsed = windowsFromUnix(unixPath);
    return parsed ? format(*parsed) : std::wstring();
}

std::wstring fullWindowsPath(std::wstring_view path) {
    auto parsed = parse(path);
    return parsed ? format(*parsed) : std::wstring(path);
}

std::wstring realCaseWindowsPath(std::wstring_view windowsPath) {
    auto parsed = parse(windowsPath);
    if (!parsed)
        return std::wstring(windowsPath);
    std::vector<std::wstring> names;
    if (resolve(*parsed, &names).empty())
        return format(*parsed);
    parsed->components = std::move(names);
    return format(*parsed);
}

bool matchesWildcard(std::wstring_view pattern, std::wstring_view name) {
    if (pattern == L"*" || pattern == L"*.*")
        return true;
    if (pattern.size() >= 2 && pattern.substr(pattern.size() - 2) == L".*" &&
        matchesWildcard(pattern.substr(0, pattern.size() - 2), name))
        return true;
    if (!pattern.empty() && pattern.back() == L'.' && pattern != L"." && pattern != L"..") {
        if (name.find(L'.') != std::wstring_view::npos)
            return false;
        pattern.remove_suffix(1);
    }
    // Greedy matching with one backtrack point for the last "*".
    size_t p = 0, n = 0;
    size_t starP = std::wstring_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == L'*') {
            starP = p++;
            starN = n;
        } else if (p < pattern.size() &&
                   (pattern[p] == L'?' || detail::foldCase(pattern[p]) == detail::foldCase(name[n]))) {
            ++p;
            ++n;
        } else if (starP != std::wstring_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == L'*')
        ++p;
    return p == pattern.size();
}

DWORD errorFromErrno(int error) {
    switch (error) {
    case 0: return ERROR_SUCCESS;
    case ENOENT: return ERROR_FILE_NOT_FOUND;
    case ENOTDIR: return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EISDIR: return ERROR_ACCESS_DENIED;
    case EEXIST: return ERROR_ALREADY_EXISTS;
    case ENOTEMPTY: return ERROR_DIR_NOT_EMPTY;
    case ENOSPC:
    case EDQUOT: return ERROR_DISK_FULL;
    case ENAMETOOLONG: return ERROR_FILENAME_EXCED_RANGE;
    case EXDEV: return ERROR_NOT_SAME_DEVICE;
    case EMFILE:
    case ENFILE: return ERROR_TOO_MANY_OPEN_FILES;
    case EROFS: return ERROR_WRITE_PROTECT;
    case EBADF: return ERROR_INVALID_HANDLE;
    case ENOMEM: return ERROR_NOT_ENOUGH_MEMORY;
    case EINVAL: return ERROR_INVALID_PARAMETER;
    case EBUSY:
    case ETXTBSY: return ERROR_SHARING_VIOLATION;
    default: return ERROR_INVALID_FUNCTION;
    }
}

}  // namespace platform
