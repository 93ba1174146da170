#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace quorix {

// One content line of a vCard, "group.NAME;PARAM=value,value:value", its transfer encoding undone.
struct VCardProperty {
  std::string group;  // upper case; empty when the line has none
  std::string name;   // upper case
  // Name (upper case) and one value each: "TYPE=WORK,VOICE" gives two pairs. A bare parameter of
  // version 2.1 ("TEL;CELL:") is a TYPE; a bare "QUOTED-PRINTABLE" or "BASE64" an ENCODING.
  std::vector<std::pair<std::string, std::string>> params;
  std::string value;  // UTF-8 with its escapes kept, so that structured values can be split

  // Whether a parameter of that name has that value, compared without regard to case.
  bool Has(std::string_view param, std::string_view value) const;
  // The first value of the parameter, empty when there is none.
  std::string Param(std::string_view param) const;
};

struct VCard {
  std::string version;  // "2.1", "3.0", "4.0" or what the card says
  std::vector<VCardProperty> properties;

  // The first property of that name (upper case), nullptr when there is none.
  const VCardProperty* Find(std::string_view name) const;
};

// Every card between BEGIN:VCARD and END:VCARD of a file of versions 2.1, 3.0 or 4.0: folded lines
// joined (2.1 keeps the blank that begins a continuation, later versions drop it), 2.1's
// quoted-printable values with their soft line breaks decoded, CHARSET converted. A value with no
// CHARSET that is not UTF-8 is taken as code page 1251, as Russian phones and programs wrote it.
// A byte order mark (UTF-8 or UTF-16) is honoured. Lines that are no property are passed over.
std::vector<VCard> ParseVCards(std::string_view text);

// A value's text with its escapes undone: "\n" a line break, "\," "\;" "\:" "\\" the character.
std::string VCardText(std::string_view value);
// A structured or list value split at every separator that is not escaped, each part as text.
std::vector<std::string> VCardParts(std::string_view value, char separator);

// Text escaped for a vCard 3.0 value: backslash, comma, semicolon and line breaks.
std::string VCardEscape(std::string_view text);

// One content line, "nameAndParams:value" ended by CR LF, folded before 75 octets without
// cutting a UTF-8 character; a continuation begins with a blank.
std::string VCardLine(std::string_view nameAndParams, std::string_view value);

}  // namespace quorix
