// What a resource script compiles to, before it is written out as C++.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Diagnostics.h"

namespace rc {

/// An integer id or a name (names are kept in upper case, as Windows compares them).
struct Name {
    bool isId = true;
    uint32_t id = 0;
    std::wstring text;
};

struct StringResource {
    uint32_t id;
    uint16_t language;
    std::wstring text;
    Location where;
};

struct VersionNode {
    std::wstring key;
    bool hasText = false;
    std::wstring text;
    std::vector<uint16_t> words;
    std::vector<VersionNode> children;
};

struct VersionResource {
    Name name;
    uint16_t language = 0;
    uint16_t fileVersion[4] = {0, 0, 0, 0};
    uint16_t productVersion[4] = {0, 0, 0, 0};
    uint32_t fileFlagsMask = 0;
    uint32_t fileFlags = 0;
    uint32_t fileOS = 0;
    uint32_t fileType = 0;
    uint32_t fileSubtype = 0;
    std::vector<VersionNode> children;
};

struct DataResource {
    Name type;
    Name name;
    uint16_t language = 0;
    std::vector<unsigned char> bytes;
};

struct DialogControl {
    std::wstring windowClass;
    Name text;  // a text (isId false) or an id (icons of static pictures)
    int32_t id = 0;
    uint32_t style = 0;
    uint32_t exStyle = 0;
    uint32_t helpId = 0;
    int16_t x = 0, y = 0, cx = 0, cy = 0;
};

struct DialogResource {
    Name name;
    uint16_t language = 0;
    bool extended = false;
    uint32_t style = 0;
    uint32_t exStyle = 0;
    uint32_t helpId = 0;
    int16_t x = 0, y = 0, cx = 0, cy = 0;
    std::wstring caption;
    Name menu;
    std::wstring windowClass;
    uint16_t pointSize = 0;
    uint16_t weight = 0;
    uint8_t italic = 0;
    uint8_t charset = 1;
    std::wstring typeface;
    std::vector<DialogControl> controls;
};

struct Model {
    std::vector<StringResource> strings;
    std::vector<VersionResource> versions;
    std::vector<DataResource> data;
    std::vector<DialogResource> dialogs;
};

}  // namespace rc
