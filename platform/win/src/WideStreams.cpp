// _wfopen_s and _wfopen: C runtime streams with the Microsoft text modes. Binary streams
// are plain stdio streams. Text streams are stdio cookie streams whose bytes, as stdio sees
// them, are UTF-8 with "\n" line ends; the cookie converts to and from the file's encoding
// (Windows-1250, UTF-8 or UTF-16LE) and line ends (CR LF) as the file is read and written.
#include "Codepage.h"
#include "WinInternal.h"
#include "platform/Paths.h"
#include "platform/Session.h"
#include "platform/TextStreams.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>
#include <unordered_set>

using namespace platform;
using namespace platform::detail;

namespace {

enum class Encoding { Ansi, Utf8, Utf16le };

struct Mode {
    char access = 'r';  // r, w, a
    bool update = false;
    bool binary = false;
    bool exclusive = false;
    std::optional<Encoding> ccs;
};

std::mutex& tableMutex() {
    static std::mutex m;
    return m;
}

std::unordered_set<FILE*>& translatedStreams() {
    static std::unordered_set<FILE*> table;
    return table;
}

std::wstring trim(std::wstring_view text) {
    while (!text.empty() && text.front() == L' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == L' ')
        text.remove_suffix(1);
    return std::wstring(text);
}

std::optional<Mode> parseMode(const wchar_t* text) {
    std::wstring_view all(text);
    const size_t comma = all.find(L',');
    const std::wstring flags = trim(all.substr(0, comma));
    Mode mode;
    if (flags.empty() || (flags[0] != L'r' && flags[0] != L'w' && flags[0] != L'a'))
        return std::nullopt;
    mode.access = static_cast<char>(flags[0]);
    bool sawType = false;
    for (size_t i = 1; i < flags.size(); ++i) {
        switch (flags[i]) {
        case L'+': mode.update = true; break;
        case L'b':
        case L't':
            if (sawType)
                return std::nullopt;
            sawType = true;
            mode.binary = flags[i] == L'b';
            break;
        case L'x': mode.exclusive = true; break;
        // Microsoft's cache and commit hints change nothing here.
        case L'c': case L'n': case L'N': case L'S': case L'R': case L'T': case L'D': break;
        default: return std::nullopt;
        }
    }
    if (comma != std::wstring_view::npos) {
        const std::wstring option = trim(all.substr(comma + 1));
        if (option.size() < 4 || !equalsNoCase(std::wstring_view(option).substr(0, 4), L"ccs="))
            return std::nullopt;
        const std::wstring name = trim(std::wstring_view(option).substr(4));
        if (equalsNoCase(name, L"UNICODE") || equalsNoCase(name, L"UTF-16LE"))
            mode.ccs = Encoding::Utf16le;
        else if (equalsNoCase(name, L"UTF-8"))
            mode.ccs = Encoding::Utf8;
        else
            return std::nullopt;
    }
    return mode;
}

// The state of one translated stream.
class TextStream {
public:
    int fd = -1;
    FILE* file = nullptr;
    Encoding encoding = Encoding::Ansi;
    bool translateNewlines = true;
    bool detectBom = false;   // reading: a byte-order mark decides the encoding
    bool bomChecked = false;  // reading: the start of the file has been examined
    long long position = 0;   // bytes handed to or taken from stdio

    // Reading.
    std::string raw;        // file bytes not yet decoded
    size_t rawPos = 0;
    std::string decoded;    // UTF-8 waiting for stdio
    size_t decodedPos = 0;
    bool endOfFile = false;  // the descriptor reported the end
    bool finished = false;   // everything up to the end has been decoded
    bool pendingCr = false;
    char32_t pendingHigh = 0;  // UTF-16 high surrogate waiting for its partner

    // Writing.
    std::string partialUtf8;  // an incomplete sequence from the end of the last write
    std::string encodedOut;   // encoded bytes not yet written (the byte-order mark at first)

    ssize_t read(char* buffer, size_t size) {
        while (decodedPos == decoded.size()) {
            decoded.clear();
            decodedPos = 0;
            if (finished)
                return 0;
            if (!fill())
                return -1;
            if (!bomChecked && (raw.size() - rawPos >= 3 || endOfFile))
                checkBom();
            if (bomChecked)
                decode();
            if (endOfFile) {
                finishDecoding();
                finished = true;
            }
        }
        const size_t n = std::min(size, decoded.size() - decodedPos);
        std::memcpy(buffer, decoded.data() + decodedPos, n);
        decodedPos += n;
        position += static_cast<long long>(n);
        return static_cast<ssize_t>(n);
    }

    ssize_t write(const char* buffer, size_t size) {
        std::string text = std::move(partialUtf8);
        partialUtf8.clear();
        text.append(buffer, size);
        size_t pos = 0;
        while (pos < text.size()) {
            const auto [ch, used] = decodeUtf8(text, pos, false);
            if (used == 0) {
                partialUtf8 = text.substr(pos);
                break;
            }
            pos += used;
            if (translateNewlines && ch == U'\n')
                encode(U'\r');
            encode(ch);
        }
        if (!flushEncoded())
            return -1;
        position += static_cast<long long>(size);
        return static_cast<ssize_t>(size);
    }

    int seek(off64_t* offset, int whence) {
        if (*offset == 0 && whence == SEEK_CUR) {
            *offset = position;
            return 0;
        }
        if (*offset == 0 && whence == SEEK_SET) {
            if (!finishWriting() || lseek(fd, 0, SEEK_SET) < 0)
                return -1;
            raw.clear();
            rawPos = 0;
            decoded.clear();
            decodedPos = 0;
            endOfFile = false;
            finished = false;
            pendingCr = false;
            pendingHigh = 0;
            bomChecked = !detectBom;
            position = 0;
            return 0;
        }
        errno = EINVAL;  // positions in translated text have no byte offset
        return -1;
    }

    int close() {
        const bool written = finishWriting();
        const int error = errno;
        const int closed = ::close(fd);
        if (!written) {
            errno = error;
            return -1;
        }
        return closed == 0 ? 0 : -1;
    }

    bool finishWriting() {
        if (!partialUtf8.empty()) {
            partialUtf8.clear();
            encode(0xFFFD);
        }
        return flushEncoded();
    }

private:
    bool fill() {
        if (rawPos > 0) {
            raw.erase(0, rawPos);
            rawPos = 0;
        }
        char chunk[65536];
        for (;;) {
            const ssize_t n = ::read(fd, chunk, sizeof chunk);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                return false;
            if (n == 0)
                endOfFile = true;
            raw.append(chunk, static_cast<size_t>(n));
            return true;
        }
    }

    void checkBom() {
        bomChecked = true;
        const std::string_view head = std::string_view(raw).substr(rawPos);
        if (head.substr(0, 2) == "\xFF\xFE") {
            encoding = Encoding::Utf16le;
            rawPos += 2;
        } else if (head.substr(0, 3) == "\xEF\xBB\xBF") {
            encoding = Encoding::Utf8;
            rawPos += 3;
        }
    }

    void emit(char32_t ch) {
        if (translateNewlines) {
            if (pendingCr) {
                pendingCr = false;
                if (ch == U'\n') {
                    decoded += '\n';
                    return;
                }
                decoded += '\r';
            }
            if (ch == U'\r') {
                pendingCr = true;
                return;
            }
        }
        appendUtf8(decoded, ch);
    }

    void decode() {
        const std::string_view bytes(raw);
        switch (encoding) {
        case Encoding::Ansi:
            for (; rawPos < bytes.size(); ++rawPos)
                emit(static_cast<char32_t>(cp1250ToUnicode(static_cast<unsigned char>(bytes[rawPos]))));
            break;
        case Encoding::Utf8:
            while (rawPos < bytes.size()) {
                const auto [ch, used] = decodeUtf8(bytes, rawPos, endOfFile);
                if (used == 0)
                    break;
                rawPos += used;
                emit(ch);
            }
            break;
        case Encoding::Utf16le:
            while (rawPos + 1 < bytes.size()) {
                const char32_t unit = static_cast<unsigned char>(bytes[rawPos]) |
                                      (static_cast<char32_t>(static_cast<unsigned char>(bytes[rawPos + 1])) << 8);
                rawPos += 2;
                if (pendingHigh) {
                    const char32_t high = pendingHigh;
                    pendingHigh = 0;
                    if (unit >= 0xDC00 && unit <= 0xDFFF) {
                        emit(0x10000 + ((high - 0xD800) << 10) + (unit - 0xDC00));
                        continue;
                    }
                    emit(0xFFFD);
                }
                if (unit >= 0xD800 && unit <= 0xDBFF)
                    pendingHigh = unit;
                else if (unit >= 0xDC00 && unit <= 0xDFFF)
                    emit(0xFFFD);
                else
                    emit(unit);
            }
            break;
        }
    }

    // The end of the file: whatever waits for a partner is given out as it stands.
    void finishDecoding() {
        if (pendingHigh) {
            pendingHigh = 0;
            emit(0xFFFD);
        }
        if (encoding == Encoding::Utf16le && rawPos < raw.size()) {
            rawPos = raw.size();  // an odd byte at the end
            emit(0xFFFD);
        }
        if (pendingCr) {
            pendingCr = false;
            decoded += '\r';
        }
    }

    void encode(char32_t ch) {
        switch (encoding) {
        case Encoding::Ansi: {
            const int byte = unicodeToCp1250(ch);
            encodedOut += static_cast<char>(byte < 0 ? '?' : byte);
            break;
        }
        case Encoding::Utf8: appendUtf8(encodedOut, ch); break;
        case Encoding::Utf16le: appendUtf16le(encodedOut, ch); break;
        }
    }

    bool flushEncoded() {
        size_t done = 0;
        while (done < encodedOut.size()) {
            const ssize_t n = ::write(fd, encodedOut.data() + done, encodedOut.size() - done);
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0) {
                encodedOut.clear();
                return false;
            }
            done += static_cast<size_t>(n);
        }
        encodedOut.clear();
        return true;
    }
};

ssize_t cookieRead(void* cookie, char* buffer, size_t size) { return static_cast<TextStream*>(cookie)->read(buffer, size); }

ssize_t cookieWrite(void* cookie, const char* buffer, size_t size) {
    return static_cast<TextStream*>(cookie)->write(buffer, size);
}

int cookieSeek(void* cookie, off64_t* offset, int whence) { return static_cast<TextStream*>(cookie)->seek(offset, whence); }

int cookieClose(void* cookie) {
    std::unique_ptr<TextStream> stream(static_cast<TextStream*>(cookie));
    {
        std::lock_guard lock(tableMutex());
        translatedStreams().erase(stream->file);
    }
    return stream->close();
}

// The encoding named by the byte-order mark at the start of a file, if any; empty tells
// whether the file holds nothing yet. The descriptor being appended to may be write-only,
// so the mark is read through a descriptor of its own.
std::optional<Encoding> markOf(int fd, const std::string& path, bool& empty) {
    struct stat st {};
    empty = fstat(fd, &st) != 0 || st.st_size == 0;
    if (empty)
        return std::nullopt;
    unsigned char head[3] = {};
    const int reader = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    const ssize_t n = reader >= 0 ? pread(reader, head, sizeof head, 0) : -1;
    if (reader >= 0)
        close(reader);
    if (n >= 2 && head[0] == 0xFF && head[1] == 0xFE)
        return Encoding::Utf16le;
    if (n >= 3 && head[0] == 0xEF && head[1] == 0xBB && head[2] == 0xBF)
        return Encoding::Utf8;
    return std::nullopt;
}

errno_t openStream(FILE** result, const wchar_t* filename, const wchar_t* modeText) {
    *result = nullptr;
    if (!filename || !modeText)
        return EINVAL;
    const auto mode = parseMode(modeText);
    if (!mode)
        return EINVAL;
    const std::string path = toUnixPath(filename);
    if (path.empty())
        return ENOENT;
    int flags = O_CLOEXEC;
    if (mode->access == 'r')
        flags |= mode->update ? O_RDWR : O_RDONLY;
    else
        flags |= (mode->update ? O_RDWR : O_WRONLY) | O_CREAT | (mode->access == 'w' ? O_TRUNC : O_APPEND);
    if (mode->exclusive && mode->access == 'w')
        flags |= O_EXCL;
    const int fd = open(path.c_str(), flags, 0666);
    if (fd < 0)
        return errno;
    struct stat st {};
    if (fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        close(fd);
        return EACCES;
    }
    std::string stdioMode(1, mode->access);
    if (mode->update)
        stdioMode += '+';

    if (mode->binary && !mode->ccs) {
        FILE* file = fdopen(fd, (stdioMode + "b").c_str());
        if (!file) {
            const int error = errno;
            close(fd);
            return error;
        }
        *result = file;
        return 0;
    }

    auto stream = std::make_unique<TextStream>();
    stream->fd = fd;
    stream->translateNewlines = !mode->binary;
    stream->encoding = mode->ccs.value_or(Encoding::Ansi);
    stream->detectBom = mode->ccs.has_value();
    stream->bomChecked = !stream->detectBom;
    if (mode->ccs) {
        if (mode->access == 'w') {
            stream->encodedOut = *mode->ccs == Encoding::Utf16le ? "\xFF\xFE" : "\xEF\xBB\xBF";
        } else if (mode->access == 'a') {
            bool empty = true;
            const auto mark = markOf(fd, path, empty);
            if (empty)
                stream->encodedOut = *mode->ccs == Encoding::Utf16le ? "\xFF\xFE" : "\xEF\xBB\xBF";
            else if (mark)
                stream->encoding = *mark;
        }
    }
    // Only "r" / "w" and their "+" forms matter to a cookie stream; appending is the
    // descriptor's O_APPEND.
    const std::string cookieMode = mode->access == 'r' ? stdioMode : (mode->update ? "w+" : "w");
    TextStream* cookie = stream.get();
    FILE* file = fopencookie(cookie, cookieMode.c_str(),
                             cookie_io_functions_t{cookieRead, cookieWrite, cookieSeek, cookieClose});
    if (!file) {
        const int error = errno;
        close(fd);
        return error;
    }
    stream.release();
    cookie->file = file;
    std::lock_guard lock(tableMutex());
    translatedStreams().insert(file);
    *result = file;
    return 0;
}

}  // namespace

namespace platform {

bool isTranslatedStream(FILE* stream) {
    std::lock_guard lock(tableMutex());
    return translatedStreams().count(stream) != 0;
}

}  // namespace platform

errno_t _wfopen_s(FILE** stream, const wchar_t* filename, const wchar_t* mode) {
    if (!stream)
        return EINVAL;
    return openStream(stream, filename, mode);
}

FILE* _wfopen(const wchar_t* filename, const wchar_t* mode) {
    FILE* file = nullptr;
    const errno_t error = openStream(&file, filename, mode);
    if (error)
        errno = error;
    return file;
}
