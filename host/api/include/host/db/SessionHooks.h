// Connects the drawing database to the host session: the working drawing, strict mode,
// files, layouts and the database-resident system variables.
#pragma once

#include "zcbase.h"

namespace host {
class Session;
}

namespace host::db {

/// Binds the system variables that live in a drawing's header (CLAYER, TEXTSTYLE,
/// TEXTSIZE, DIMASZ, DIMSCALE, INSBASE, TILEMODE, ...) to the working database: reading
/// answers the working database's value, setting stores it there (record names must exist:
/// an unknown layer or style is refused). Without a working database the table's own
/// values answer. Idempotent.
ZCAD_PORT void bindHeaderVariables();

/// Installs in the session: the open-object counter (working database), the new-drawing
/// handler (a new metric drawing becomes the working database, owned by the host), the
/// Open and Save file handlers (readDwgFile / saveAs through the drawing codec) and the
/// layout handler (".layout NAME", ".model"). Also binds the header variables.
ZCAD_PORT void installDrawingHooks(host::Session& session);

/// The drawing the session hooks own (null before the first new drawing).
ZCAD_PORT class ZcDbDatabase* sessionDrawing();

}  // namespace host::db
