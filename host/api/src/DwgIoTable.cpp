// Tables in drawing files: the groups of ACAD_TABLE entities.
#include <algorithm>

#include "DwgIo.h"

namespace host::dwgio {
namespace dxf = host::dxf;
namespace {

constexpr std::size_t kMaxCells = std::size_t(1) << 20;
constexpr std::size_t kChunk = 250;
const char* const kReference = "AcDbBlockReference";
const char* const kTable = "AcDbTable";

/// Cell texts keep line breaks as the multiline-text code \P: a DXF value is one line.
std::string oneLine(const std::wstring& text) {
    std::string out;
    for (char c : narrow(text)) {
        if (c == '\n') out += "\\P";
        else if (c != '\r') out += c;
    }
    return out;
}

}  // namespace

std::optional<TableData> parseTable(const dxf::Entity& e) {
    TableData t;
    long rows = -1, columns = -1;
    TableCellData* cell = nullptr;
    std::string chunks;
    for (const dxf::ExtraTag& x : e.extra) {
        const dxf::Tag& tag = x.tag;
        auto number = [&] { return tag.toDouble().value_or(0); };
        if (x.subclass == kReference) {
            if (tag.code == 10) t.position.x = number();
            else if (tag.code == 20) t.position.y = number();
            else if (tag.code == 30) t.position.z = number();
            continue;
        }
        if (x.subclass != kTable) continue;
        if (tag.code == 171) {
            if (t.cells.size() >= kMaxCells) return std::nullopt;
            cell = &t.cells.emplace_back();
            cell->type = static_cast<int>(tag.toInt().value_or(1));
            chunks.clear();
            continue;
        }
        if (!cell) {
            switch (tag.code) {
            case 11: t.direction.x = number(); break;
            case 21: t.direction.y = number(); break;
            case 31: t.direction.z = number(); break;
            case 91: rows = static_cast<long>(tag.toInt().value_or(-1)); break;
            case 92: columns = static_cast<long>(tag.toInt().value_or(-1)); break;
            case 7: t.style = tag.value; break;
            case 140: t.textHeight = number(); break;
            case 141:
                if (t.rowHeights.size() >= kMaxCells) return std::nullopt;
                t.rowHeights.push_back(number());
                break;
            case 142:
                if (t.columnWidths.size() >= kMaxCells) return std::nullopt;
                t.columnWidths.push_back(number());
                break;
            default: break;
            }
            continue;
        }
        switch (tag.code) {
        case 174: cell->autoFit = tag.toInt().value_or(0) != 0; break;
        case 175: cell->spanColumns = static_cast<int>(std::clamp<std::int64_t>(tag.toInt().value_or(1), 1, 1 << 20)); break;
        case 176: cell->spanRows = static_cast<int>(std::clamp<std::int64_t>(tag.toInt().value_or(1), 1, 1 << 20)); break;
        case 3: chunks += tag.value; break;
        case 1: cell->text = chunks + tag.value; break;
        case 7: cell->style = tag.value; break;
        case 140: cell->height = number(); break;
        case 170: cell->alignment = static_cast<int>(tag.toInt().value_or(0)); break;
        case 340: cell->blockHandle = tag.value; break;
        case 331: cell->attributes.emplace_back(tag.value, std::string()); break;
        case 300:
            if (!cell->attributes.empty()) cell->attributes.back().second = tag.value;
            break;
        default: break;
        }
    }
    auto positive = [](const std::vector<double>& v) {
        return std::all_of(v.begin(), v.end(), [](double d) { return d > 0 && std::isfinite(d); });
    };
    if (rows <= 0 || columns <= 0 || static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns) > kMaxCells)
        return std::nullopt;
    if (t.rowHeights.size() != static_cast<std::size_t>(rows) || t.columnWidths.size() != static_cast<std::size_t>(columns) ||
        t.cells.size() != t.rowHeights.size() * t.columnWidths.size() || !positive(t.rowHeights) ||
        !positive(t.columnWidths))
        return std::nullopt;
    return t;
}

std::vector<dxf::ExtraTag> tableGroups(const ZcDbTable& table, const std::string& blockName,
                                       const std::function<std::string(ZcDbObjectId)>& handleOf,
                                       const std::function<std::string(ZcDbObjectId)>& nameOf) {
    std::vector<dxf::ExtraTag> out;
    auto add = [&](const char* subclass, dxf::Tag tag) { out.push_back(dxf::ExtraTag{subclass, std::move(tag)}); };
    auto point = [&](const char* subclass, int code, double x, double y, double z) {
        add(subclass, dxf::makeTag(code, x));
        add(subclass, dxf::makeTag(code + 10, y));
        add(subclass, dxf::makeTag(code + 20, z));
    };
    add(kReference, dxf::Tag(100, kReference));
    add(kReference, dxf::Tag(2, blockName));
    ZcGePoint3d at = table.position();
    point(kReference, 10, at.x, at.y, at.z);
    add(kTable, dxf::Tag(100, kTable));
    add(kTable, dxf::makeTag(280, 0));
    add(kTable, dxf::Tag(343, ""));  // the graphical block's record, filled in when written
    ZcGeVector3d dir = table.direction();
    point(kTable, 11, dir.x, dir.y, dir.z);
    add(kTable, dxf::makeTag(90, 22));
    add(kTable, dxf::makeTag(91, static_cast<int>(table.numRows())));
    add(kTable, dxf::makeTag(92, static_cast<int>(table.numColumns())));
    if (std::string style = nameOf(table.textStyle()); !style.empty()) add(kTable, dxf::Tag(7, style));
    add(kTable, dxf::makeTag(140, table.defaultTextHeight()));
    for (Zdesk::UInt32 r = 0; r < table.numRows(); ++r) add(kTable, dxf::makeTag(141, table.rowHeight(r)));
    for (Zdesk::UInt32 c = 0; c < table.numColumns(); ++c) add(kTable, dxf::makeTag(142, table.columnWidth(c)));
    for (Zdesk::UInt32 r = 0; r < table.numRows(); ++r)
        for (Zdesk::UInt32 c = 0; c < table.numColumns(); ++c) {
            const ZcDbTable::Cell* cell = table.cellAt(r, c);
            if (!cell) continue;
            Zdesk::UInt32 r0 = r, r1 = r, c0 = c, c1 = c;
            bool merged = table.isMergedCell(r, c, &r0, &r1, &c0, &c1);
            bool topLeft = merged && r0 == r && c0 == c;
            add(kTable, dxf::makeTag(171, static_cast<int>(cell->type)));
            add(kTable, dxf::makeTag(172, 0));
            add(kTable, dxf::makeTag(173, merged ? 1 : 0));
            add(kTable, dxf::makeTag(174, cell->autoScale ? 1 : 0));
            add(kTable, dxf::makeTag(175, topLeft ? static_cast<int>(c1 - c0 + 1) : 1));
            add(kTable, dxf::makeTag(176, topLeft ? static_cast<int>(r1 - r0 + 1) : 1));
            add(kTable, dxf::makeTag(91, 0));
            add(kTable, dxf::makeTag(178, 0));
            add(kTable, dxf::makeTag(145, 0.0));
            if (cell->type == ZcDb::kBlockCell) {
                add(kTable, dxf::Tag(340, handleOf(cell->block)));
                add(kTable, dxf::makeTag(144, 1.0));
                add(kTable, dxf::makeTag(179, static_cast<int>(cell->attributeValues.size())));
                for (const auto& [definition, text] : cell->attributeValues) {
                    add(kTable, dxf::Tag(331, handleOf(definition)));
                    add(kTable, dxf::Tag(300, oneLine(text)));
                }
                continue;
            }
            std::string text = oneLine(cell->text);
            std::size_t pos = 0;
            while (text.size() - pos > kChunk) {
                std::size_t length = kChunk;  // chunks end between UTF-8 sequences
                while (length > 1 && (static_cast<unsigned char>(text[pos + length]) & 0xC0) == 0x80) --length;
                add(kTable, dxf::Tag(3, text.substr(pos, length)));
                pos += length;
            }
            add(kTable, dxf::Tag(1, text.substr(pos)));
            if (std::string style = nameOf(cell->textStyle); !style.empty()) add(kTable, dxf::Tag(7, style));
            if (cell->textHeight > 0) add(kTable, dxf::makeTag(140, cell->textHeight));
            add(kTable, dxf::makeTag(170, static_cast<int>(cell->alignment)));
        }
    return out;
}

}  // namespace host::dwgio
