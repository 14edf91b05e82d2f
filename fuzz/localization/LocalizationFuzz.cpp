// libFuzzer target for the reading side of Localization.txt: decoding, the group scan, the
// item lines and the item lookup, on arbitrary bytes. Built by scripts/fuzz.sh with clang.
//
// Besides crashes and sanitizer reports it checks what callers rely on: every name listed
// is a part of the text, a found group's lines are parts of the text, and an item text is
// a part of the line it came from.

#include "localization/LocalizationParser.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

using namespace vesperon::l10n;

bool inside(std::u16string_view part, std::u16string_view whole) {
    if (part.empty())
        return true;
    return part.data() >= whole.data() && part.data() + part.size() <= whole.data() + whole.size();
}

void check(bool condition) {
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size > MaxLocalizationFileBytes)
        size = MaxLocalizationFileBytes;
    const std::u16string text = decodeUtf8(std::string_view(reinterpret_cast<const char *>(data), size));
    check(text.size() <= size);
    const std::u16string_view whole(text);

    const std::vector<std::u16string_view> names = listLanguageNames(whole);
    for (const std::u16string_view name : names)
        check(inside(name, whole));

    // Look up every listed name (at most a few) and a fixed one.
    std::vector<std::u16string_view> wanted(names.begin(),
                                            names.begin() + std::min<std::size_t>(names.size(), 4));
    wanted.push_back(u"English");
    for (const std::u16string_view name : wanted) {
        const std::optional<std::u16string_view> items = findLanguageItems(whole, name);
        if (!items)
            continue;
        check(inside(*items, whole));
        const std::vector<std::u16string_view> lines = splitItemLines(*items);
        for (const std::u16string_view line : lines) {
            check(inside(line, *items));
            check(line.find(u"\r\n") == std::u16string_view::npos);
            // The key each line carries must find that line's text.
            const std::optional<std::u16string_view> key = itemLineKey(line);
            if (!key)
                continue;
            check(inside(*key, line));
            const std::optional<std::u16string_view> item = matchItemLine(line, foldCase(*key));
            check(item.has_value());
            check(inside(*item, line));
        }
        check(inside(findItemText(lines, u"FRMMAIN_CAPTION"), *items));
        check(inside(findItemText(lines, u"a"), *items));
    }
    return 0;
}
