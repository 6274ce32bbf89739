// Dimension-variable overrides in an entity's ACAD extended data.
#include <algorithm>
#include <cctype>

#include "DwgIo.h"

namespace host::dwgio {
namespace dxf = host::dxf;
namespace {

/// Indices of the 1002 "{" and 1002 "}" of the DSTYLE list in tags.
struct Span {
    std::size_t open, close;
};

std::optional<Span> dstyleSpan(const std::vector<dxf::Tag>& tags) {
    for (std::size_t i = 0; i + 1 < tags.size(); ++i) {
        if (tags[i].code != 1000 || tags[i].value != "DSTYLE" || tags[i + 1].code != 1002 || tags[i + 1].value != "{")
            continue;
        for (std::size_t j = i + 2; j < tags.size(); ++j)
            if (tags[j].code == 1002 && tags[j].value == "}") return Span{i + 1, j};
        return std::nullopt;
    }
    return std::nullopt;
}

/// The index of the variable's value in the span, or 0 when it has none.
std::size_t valueIndex(const std::vector<dxf::Tag>& tags, Span span, int variable) {
    for (std::size_t k = span.open + 1; k + 1 < span.close; ++k)
        if (tags[k].code == 1070 && tags[k].toInt() == variable) return k + 1;
    return 0;
}

bool sameValue(const dxf::Tag& a, const dxf::Tag& b) {
    if (a.code != b.code) return false;
    if (a.value == b.value) return true;
    if (a.code == 1005)
        return std::equal(a.value.begin(), a.value.end(), b.value.begin(), b.value.end(),
                          [](char x, char y) { return std::toupper(static_cast<unsigned char>(x)) ==
                                                      std::toupper(static_cast<unsigned char>(y)); });
    auto x = a.toDouble(), y = b.toDouble();
    return x && y && *x == *y;
}

}  // namespace

std::optional<dxf::Tag> dimOverride(const dxf::EntityBase& e, int variable) {
    const dxf::XData* x = e.findXData("ACAD");
    if (!x) return std::nullopt;
    auto span = dstyleSpan(x->tags);
    if (!span) return std::nullopt;
    std::size_t at = valueIndex(x->tags, *span, variable);
    if (!at) return std::nullopt;
    return x->tags[at];
}

void setDimOverride(dxf::EntityBase& e, int variable, const std::optional<dxf::Tag>& value) {
    auto* x = const_cast<dxf::XData*>(e.findXData("ACAD"));
    if (!x) {
        if (!value) return;
        x = &e.xdataFor("ACAD");
    }
    auto& tags = x->tags;
    auto span = dstyleSpan(tags);
    if (!span) {
        if (!value) return;
        tags.emplace_back(1000, "DSTYLE");
        tags.emplace_back(1002, "{");
        tags.emplace_back(1002, "}");
        span = dstyleSpan(tags);
    }
    if (std::size_t at = valueIndex(tags, *span, variable)) {
        if (value) {
            if (!sameValue(tags[at], *value)) tags[at] = *value;
            return;
        }
        tags.erase(tags.begin() + static_cast<std::ptrdiff_t>(at - 1), tags.begin() + static_cast<std::ptrdiff_t>(at + 1));
        span->close -= 2;
    } else if (value) {
        tags.insert(tags.begin() + static_cast<std::ptrdiff_t>(span->close), {dxf::makeTag(1070, variable), *value});
        return;
    }
    // An emptied list goes, and with it an emptied ACAD entry.
    if (span->close == span->open + 1) {
        tags.erase(tags.begin() + static_cast<std::ptrdiff_t>(span->open - 1),
                   tags.begin() + static_cast<std::ptrdiff_t>(span->close + 1));
        if (tags.empty()) e.xdata.erase(e.xdata.begin() + (x - e.xdata.data()));
    }
}

}  // namespace host::dwgio
