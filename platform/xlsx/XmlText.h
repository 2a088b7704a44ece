#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace xlsx {

// The longest text a cell holds, in UTF-16 code units.
inline constexpr int maxCellTextUnits = 32767;

// Appends `utf8` as the content of a <t> element: markup characters as
// entities; characters XML cannot carry (controls other than tab and line
// feed, U+FFFE, U+FFFF) in the OOXML form _xHHHH_; a literal "_xHHHH" in the
// text guarded as _x005F_xHHHH so that it reads back as written; malformed
// UTF-8 as U+FFFD. A carriage return is escaped too, since an XML parser would
// turn it into a line feed. Texts longer than a cell holds are cut to fit,
// never in the middle of a character.
void appendCellText(std::string& out, std::string_view utf8);

// True when the text begins or ends with white space, which spreadsheet
// programs trim unless the element carries xml:space="preserve".
bool needsPreservedSpace(std::string_view utf8);

// Appends text that is already valid for XML as an attribute value.
void appendEscapedAttribute(std::string& out, std::string_view text);

} // namespace xlsx
