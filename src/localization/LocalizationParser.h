#pragma once

// The reading side of Localization.txt in plain C++ (no Qt), so that the same code runs in
// the program and under the fuzzer. Texts are UTF-16, as on screen; every function returns
// views into the text it was given.
//
// The file looks like XML but is read by searching for fixed markers, ignoring letter case:
//   <LANGUAGE_GROUP ...> <LANGUAGE_NAME>name</LANGUAGE_NAME> ...
//   <TRANSLATION_ITEMS> CR LF, one "<KEY>text</KEY>" per line, </TRANSLATION_ITEMS>
//   </LANGUAGE_GROUP>
// Everything between the markers that the searches do not look at is ignored.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vesperon::l10n {

// A real file with every language is well below a megabyte. Anything past this many bytes
// is not read, so that a huge or runaway file cannot stall a window while it loads.
inline constexpr std::size_t MaxLocalizationFileBytes = 16 * 1024 * 1024;

// Decodes UTF-8, skipping a byte-order mark at the very start. Every byte sequence that is
// not valid UTF-8 becomes one U+FFFD per maximal invalid part, so binary files decode too.
std::u16string decodeUtf8(std::string_view bytes);

// Simple case folding for the alphabets translators use (ASCII, Latin-1, Latin Extended-A,
// Greek, Cyrillic); other characters fold to themselves.
char16_t foldCase(char16_t c);
bool equalsNoCase(std::u16string_view a, std::u16string_view b);
// Position of the first needle at or after from, ignoring case; npos when there is none.
std::size_t findNoCase(std::u16string_view haystack, std::u16string_view needle, std::size_t from = 0);

// Names of all language groups in file order, duplicates and empty names included. The
// scan ends at the first group that has no closing marker or no name markers.
std::vector<std::u16string_view> listLanguageNames(std::u16string_view text);

// The text between the item markers of the first group whose name equals name ignoring
// case (names are not trimmed). Nothing when no group before the scan ends has that name,
// or when that group lacks its item markers.
std::optional<std::u16string_view> findLanguageItems(std::u16string_view text, std::u16string_view name);

// Item lines: the items text split at every CR LF (a bare LF does not end a line). An empty
// items text has no lines at all.
std::vector<std::u16string_view> splitItemLines(std::u16string_view items);

// The key an item line carries: the part before its first ">" with everything up to its
// first "<" removed. Nothing for an empty line or one whose part before ">" has two
// characters or fewer (too short for "<" and a key after any indentation).
std::optional<std::u16string_view> itemLineKey(std::u16string_view line);

// The text folded with foldCase, character by character.
std::u16string foldCase(std::u16string_view text);

// Whether an item line carries key (ignoring case). Nothing when it does not; otherwise the
// text between "<key>" and "</key>", which is empty when the line has no closing tag.
std::optional<std::u16string_view> matchItemLine(std::u16string_view line, std::u16string_view key);

// The text of the first line that carries key; empty when no line does.
std::u16string_view findItemText(const std::vector<std::u16string_view> &lines, std::u16string_view key);

} // namespace vesperon::l10n
