// Enumerations of the drawing database (namespace ZcDb).
#pragma once

#include "zcbase.h"

namespace ZcDb {
enum OpenMode { kForRead = 0, kForWrite = 1, kForNotify = 2 };

enum Visibility { kInvisible = 1, kVisible = 0 };

enum SaveType { kDwg = 0, kDxf = 1 };

/// Line weights in hundredths of a millimetre; negative values are the special ones.
enum LineWeight {
    kLnWt000 = 0, kLnWt005 = 5, kLnWt009 = 9, kLnWt013 = 13, kLnWt015 = 15, kLnWt018 = 18,
    kLnWt020 = 20, kLnWt025 = 25, kLnWt030 = 30, kLnWt035 = 35, kLnWt040 = 40, kLnWt050 = 50,
    kLnWt053 = 53, kLnWt060 = 60, kLnWt070 = 70, kLnWt080 = 80, kLnWt090 = 90, kLnWt100 = 100,
    kLnWt106 = 106, kLnWt120 = 120, kLnWt140 = 140, kLnWt158 = 158, kLnWt200 = 200,
    kLnWt211 = 211,
    kLnWtByLayer = -1, kLnWtByBlock = -2, kLnWtByLwDefault = -3
};

enum TextHorzMode {
    kTextLeft = 0, kTextCenter = 1, kTextRight = 2, kTextAlign = 3, kTextMid = 4, kTextFit = 5
};
enum TextVertMode { kTextBase = 0, kTextBottom = 1, kTextVertMid = 2, kTextTop = 3 };

enum Poly2dType { kSimplePoly = 0 };

enum DwgVersion { kDHL_CURRENT = 0, kDHL_1024 = 27, kDHL_1027 = 31, kDHL_1032 = 33 };

enum CellType { kUnknownCell = 0, kTextCell = 1, kBlockCell = 2, kMultipleContentCell = 3 };
enum RowType { kUnknownRow = 0, kDataRow = 1, kTitleRow = 2, kHeaderRow = 4 };
enum CellAlignment {
    kTopLeft = 1, kTopCenter = 2, kTopRight = 3, kMiddleLeft = 4, kMiddleCenter = 5,
    kMiddleRight = 6, kBottomLeft = 7, kBottomCenter = 8, kBottomRight = 9
};
enum CellContentLayout { kCellContentLayoutFlow = 1 };
enum TableBreakOption {
    kTableBreakNone = 0, kTableBreakEnableBreaking = 1, kTableBreakRepeatTopLabels = 2,
    kTableBreakRepeatBottomLabels = 4, kTableBreakAllowManualPositions = 8,
    kTableBreakAllowManualHeights = 16
};
enum FlowDirection { kTtoB = 0, kBtoT = 1 };
}  // namespace ZcDb
