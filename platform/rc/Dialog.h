// DIALOG and DIALOGEX resources (internal to the resource compiler).
#pragma once

#include "Model.h"
#include "Preprocessor.h"

namespace rc {

/// Reads a dialog after its name and DIALOG or DIALOGEX keyword: the position, the
/// optional statements (STYLE, EXSTYLE, CAPTION, FONT, MENU, CLASS, LANGUAGE ...) and
/// the controls (CONTROL and the LTEXT, PUSHBUTTON, EDITTEXT ... forms with their default
/// styles; NOT removes style bits).
DialogResource parseDialog(Preprocessor& pp, const Name& name, uint16_t language, bool extended);

}  // namespace rc
