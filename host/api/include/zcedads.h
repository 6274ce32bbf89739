// The host's editor functions: prompted input, coordinate conversion, system variables,
// context help, application loading and the script interpreter's queue.
#pragma once

#include <cstddef>

#include "zadsdef.h"

// ---------------------------------------------------------------------------------------
// Prompted input. Every prompt prints its text on the command line and takes one answer
// from the session's input; the answer is echoed after the prompt as the history shows it.
// Common results: RTNORM, RTNONE (empty answer: Enter, unless zcedInitGet forbids it),
// RTCAN (answer "ESC", or input ran out), RTKWORD (a keyword of the last zcedInitGet list;
// read it with zcedGetInput). An answer that is neither valid input nor a keyword prints
// a message ("Invalid point." and the like) and asks again.

// zcedInitGet flags (the conditions for the next prompt only).
#define RSG_NONULL 0x0001   // Enter is not allowed
#define RSG_NOZERO 0x0002   // zero is not allowed
#define RSG_NONEG 0x0004    // negative values are not allowed
#define RSG_NOLIM 0x0008
#define RSG_GETZ 0x0010
#define RSG_DASH 0x0020
#define RSG_2D 0x0040       // distances ignore Z
#define RSG_OTHER 0x0080    // any answer is accepted and returned as a keyword
#define RSG_DDISTFIRST 0x0100
#define RSG_TRACKUCS 0x0200
#define RSG_NOORTHOZ 0x0400
#define RSG_NOOSNAP 0x0800
#define RSG_NODDIST 0x1000

/// Sets the input conditions and the keyword list (keywords separated by blanks; the
/// capital letters of a keyword are its abbreviation, e.g. "Size Color"; "Yes No _Y N"
/// gives local and global forms) for the next prompt only. Returns RTNORM.
ZCAD_PORT int zcedInitGet(int flags, const ZTCHAR* keywordList);
/// The keyword of the last RTKWORD result (or the whole answer after RSG_OTHER). The
/// buffer must hold the longest keyword of the list (at most 132 characters and the
/// terminator); the sized form truncates. RTNORM, or RTERROR when there is none.
ZCAD_PORT int zcedGetInput(ZTCHAR* str);
ZCAD_PORT int zcedGetInput(ZTCHAR* str, size_t bufLen);

/// A point "x,y" or "x,y,z" in the user coordinate system; base (nullable, UCS) is the
/// start of the rubber band. RTNORM, RTNONE, RTCAN, RTKWORD.
ZCAD_PORT int zcedGetPoint(const zds_point base, const ZTCHAR* prompt, zds_point result);
/// Like zcedGetPoint, the second corner of a rectangle from base.
ZCAD_PORT int zcedGetCorner(const zds_point base, const ZTCHAR* prompt, zds_point result);
/// A distance: a number, or a point whose distance from base (required then) is taken.
ZCAD_PORT int zcedGetDist(const zds_point base, const ZTCHAR* prompt, zds_real* result);
/// An angle typed in degrees, or a point giving the direction from base (without a base a
/// second point is asked for); returned in radians, 0 to 2 pi, clockwise when ANGDIR is 1.
ZCAD_PORT int zcedGetAngle(const zds_point base, const ZTCHAR* prompt, zds_real* result);
ZCAD_PORT int zcedGetReal(const ZTCHAR* prompt, zds_real* result);
/// A whole number between -32768 and 32767.
ZCAD_PORT int zcedGetInt(const ZTCHAR* prompt, int* result);
/// A keyword of the zcedInitGet list (copied to result, as its full keyword). Other answers
/// print "Invalid option keyword." and ask again.
ZCAD_PORT int zcedGetKword(const ZTCHAR* prompt, ZTCHAR* result);
ZCAD_PORT int zcedGetKword(const ZTCHAR* prompt, ZTCHAR* result, size_t bufLen);
/// A text. cronly 0: the text ends at the first blank; otherwise the whole line. The
/// 3-argument form writes at most 132 characters and the terminator. RTINPUTTRUNCATED when
/// the answer did not fit (the buffer then holds the part that fits).
ZCAD_PORT int zcedGetString(int cronly, const ZTCHAR* prompt, ZTCHAR* result);
ZCAD_PORT int zcedGetString(int cronly, const ZTCHAR* prompt, ZTCHAR* result, size_t bufLen);

/// Prints a text on the command line (no formatting). RTNORM.
ZCAD_PORT int zcedPrompt(const ZTCHAR* text);
/// The host's alert box: recorded as "[Alert] text" in the transcript. RTNORM.
ZCAD_PORT int zcedAlert(const ZTCHAR* text);

// ---------------------------------------------------------------------------------------
// Coordinate systems.

/// Converts a point (disp 0) or a displacement (disp 1: no translation) between coordinate
/// systems named by result buffers: RTSHORT 0 world, 1 user (the current UCS), 2 display
/// (the plan view of the world, so the world's axes), or RT3DPOINT holding an extrusion
/// direction (the object coordinate system of that normal). RTNORM, or RTERROR for a null
/// argument or an unknown system (entity names are not supported).
ZCAD_PORT int zcedTrans(const zds_point pt, const struct resbuf* from, const struct resbuf* to,
                        int disp, zds_point result);

// ---------------------------------------------------------------------------------------
// System variables (names case-insensitive).

/// Reads a variable into result: restype RTSHORT, RTREAL, RTSTR (string allocated by the
/// host: free it with zcutDelBuffer), RTPOINT or RT3DPOINT. RTNORM, or RTERROR for an
/// unknown name (result unchanged).
ZCAD_PORT int zcedGetVar(const ZTCHAR* name, struct resbuf* result);
/// Sets a variable. RTNORM; RTERROR for an unknown or read-only name, a value of the wrong
/// type, or a value outside the variable's range (nothing changes then). A short variable
/// accepts RTSHORT and RTLONG, a real one RTREAL, RTANG, RTSHORT and RTLONG.
ZCAD_PORT int zcedSetVar(const ZTCHAR* name, const struct resbuf* value);

// ---------------------------------------------------------------------------------------
// Context help, applications, files, the script interpreter.

/// Gives a function or command ("C:NAME") its help file and topic (recorded). RTNORM, or
/// RTERROR for a null or empty function name.
ZCAD_PORT int zcedSetFunHelp(const ZTCHAR* functionName, const ZTCHAR* helpFile,
                             const ZTCHAR* topic, int command);

/// Loads an application module through the entry-point protocol. RTNORM, or RTERROR with
/// the host's message on the command line ("Unable to load NAME file." and the like).
ZCAD_PORT int zcedZrxLoad(const ZTCHAR* path);
/// Unloads a module by file name or path: kUnloadAppMsg, then the library is freed.
/// RTERROR (with a message) when it is not loaded, is locked, or its entry point refuses.
ZCAD_PORT int zcedZrxUnload(const ZTCHAR* name);
/// A new list (free it with zcutRelRb) of RTSTR elements naming the loaded modules as the
/// host lists them (file names such as "Tavrix.zrx"); null when none is loaded.
ZCAD_PORT struct resbuf* zcedZrxLoaded();

/// Finds a file: an absolute path as it stands, a relative one in the current folder, the
/// drawing's folder and the support folders. RTNORM with the found path (Windows form) in
/// result, or RTERROR (also when result is too small).
ZCAD_PORT int zcedFindFile(const ZTCHAR* name, ZTCHAR* result, size_t bufLen);
template <size_t N>
inline int zcedFindFile(const ZTCHAR* name, ZTCHAR (&result)[N]) {
    return zcedFindFile(name, result, N);
}

/// Queues an expression for the host's script interpreter, to be evaluated when the running
/// command ends (recorded; the session echoes it as a line of its own). RTNORM, or RTERROR
/// for a null or empty expression.
ZCAD_PORT int zds_queueexpr(const ZTCHAR* expression);
