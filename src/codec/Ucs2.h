#pragma once

#include <string>
#include <string_view>

namespace quorix {

// The phone's texts after AT+CSCS=UCS2: four hex digits per character, the character's Unicode
// code point (so "A" is 0041, "Ё" 0401, "№" 2116). Texts on our side are UTF-8.

// Characters outside the Basic Multilingual Plane have no four digits: they are dropped (callers
// that take text from the user refuse them first, see Ucs2Misfits).
std::string EncodeUcs2Hex(std::string_view utf8);
// Groups that are no hex number are skipped; a surrogate pair, as UTF-16 would send it, is joined.
std::string DecodeUcs2Hex(std::string_view hex);

// A field that is UCS2 hex in double quotes without them: a phone may quote the hex as it quotes
// texts in its other character sets. Anything else (an empty "", a quoted word) stays as it is.
std::string UnquotedUcs2Hex(std::string_view field);

// The characters of utf8 that cannot go to the phone (outside the plane), each once.
std::string Ucs2Misfits(std::string_view utf8);

}  // namespace quorix
