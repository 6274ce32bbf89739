// The sample sign library: ISO 7010 signs of five families, drawn as our own simple
// pictograms on a 10 x 10 sheet whose insertion base is its centre.
#pragma once

#include <string>
#include <vector>

#include "Canvas.h"

namespace samples {

enum class Family { SafeCondition, FireEquipment, Mandatory, Prohibition, Warning };

/// The library folder of a family ("Safe condition", ...).
const char* familyFolder(Family family);

struct Sign {
    const wchar_t* code;
    Family family;
    const wchar_t* description;
    void (*pictogram)(Canvas&);
    bool thumbnail = true;  ///< false: saved without a stored thumbnail (the list's fall-back)
};

/// Every sign of the library, in code order within each family.
const std::vector<Sign>& catalogue();

/// Draws the sign: its family's background, the pictogram, and the attribute definitions
/// CODE (visible, preset, the code), DESC (invisible, the description) and REV (constant).
void drawSign(Canvas& canvas, const Sign& sign);

/// The revision every sample sign carries in its constant REV attribute.
extern const wchar_t* const kRevision;

}  // namespace samples
