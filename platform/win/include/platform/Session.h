// Process-wide hooks through which the stand-in layers talk to the user: everything the
// command line shows (and every recorded shell or message-box call) goes to the transcript
// sink; every answer the user gives comes from the input source. The host program installs
// both; without a sink, text goes to stdout as UTF-8, and without a source input has run out.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace platform {

using TranscriptSink = std::function<void(std::wstring_view)>;
using InputSource = std::function<bool(std::wstring& line)>;

/// Installs the sink that receives all command-line output; an empty function restores stdout.
void setTranscriptSink(TranscriptSink sink);
/// Writes text as the user sees it on the command line.
void transcript(std::wstring_view text);
/// Writes one line describing a recorded system call (shell, message box, help viewer):
/// "[What] details" followed by a line feed, so transcripts show what would have opened.
void record(std::wstring_view what, std::wstring_view details);

/// Installs the source of the user's answers (one line per answer).
void setInputSource(InputSource source);
/// Takes the next answer; false when the input has run out (callers treat it as Escape).
bool nextInput(std::wstring& line);

/// UTF-8 <-> wide conversions used at the boundaries (files, stdout, dlopen paths).
std::string toUtf8(std::wstring_view text);
std::wstring fromUtf8(std::string_view text);

}  // namespace platform
