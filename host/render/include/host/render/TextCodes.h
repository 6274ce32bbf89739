// TextCodes.h - text encodings and the inline codes of TEXT and MTEXT contents.
#pragma once

#include <string>
#include <string_view>

namespace host::render {

/// UTF-8 from a wide string (UTF-32 code points; UTF-16 surrogate pairs are joined). Lone
/// surrogates and values beyond U+10FFFF become U+FFFD.
std::string utf8FromWide(std::wstring_view w);

/// A wide string from UTF-8; every malformed sequence becomes one U+FFFD.
std::wstring wideFromUtf8(std::string_view s);

/// `s` with every malformed UTF-8 sequence replaced by U+FFFD.
std::string sanitizeUtf8(std::string_view s);

/// TEXT special codes resolved: %%d degree, %%p plus-minus, %%c diameter, %%% percent,
/// %%nnn the character nnn; the underline/overline toggles %%u and %%o are removed.
std::string decodeTextCodes(std::string_view s);
std::wstring decodeTextCodes(std::wstring_view s);

/// MTEXT contents reduced to plain paragraphs separated by '\n': \P, \N, \X and ^J break
/// lines; \~ is a non-breaking space; \\ \{ \} are the literal characters; grouping braces,
/// property codes ending in ';' (\f \F \H \W \Q \T \A \C \c \p) and the toggles \L \l \O \o
/// \K \k are dropped; \S a^b; / a/b; / a#b; stacks become "a/b"; \U+XXXX is the code point;
/// the %% codes of decodeTextCodes are resolved too.
std::string mtextToPlain(std::string_view raw);
std::wstring mtextToPlain(std::wstring_view raw);

}  // namespace host::render
