#include "localization/LocalizationParser.h"

namespace vesperon::l10n {

namespace {

constexpr std::u16string_view GroupOpen = u"<LANGUAGE_GROUP";
constexpr std::u16string_view GroupClose = u"</LANGUAGE_GROUP>";
constexpr std::u16string_view NameOpen = u"<LANGUAGE_NAME>";
constexpr std::u16string_view NameClose = u"</LANGUAGE_NAME>";
constexpr std::u16string_view ItemsOpen = u"<TRANSLATION_ITEMS>";
constexpr std::u16string_view ItemsClose = u"</TRANSLATION_ITEMS>";
constexpr char16_t Replacement = 0xFFFD;

// The text between the first open marker and the first close marker of part; nothing when
// either is missing or the close marker comes before the end of the open one.
std::optional<std::u16string_view> between(std::u16string_view part, std::u16string_view open,
                                           std::u16string_view close) {
    const std::size_t start = findNoCase(part, open);
    if (start == std::u16string_view::npos)
        return std::nullopt;
    const std::size_t end = findNoCase(part, close);
    const std::size_t textStart = start + open.size();
    if (end == std::u16string_view::npos || end < textStart)
        return std::nullopt;
    return part.substr(textStart, end - textStart);
}

struct Group {
    std::u16string_view name;
    std::u16string_view text;
};

// Walks the groups in file order and hands each to visit until it returns true. Every
// search starts at or after the previous group's closing marker, so the whole scan reads
// the text a bounded number of times whatever it holds.
template <class Visit> void scanGroups(std::u16string_view text, Visit visit) {
    std::size_t position = 0;
    while (position <= text.size()) {
        const std::size_t start = findNoCase(text, GroupOpen, position);
        if (start == std::u16string_view::npos)
            return;
        // The closing marker is searched from the current position, not from the group's
        // start: a stray closing marker before the group ends the scan here.
        const std::size_t end = findNoCase(text, GroupClose, position);
        if (end == std::u16string_view::npos || end < start)
            return;
        const std::u16string_view group = text.substr(start, end - start);
        position = end + GroupClose.size();
        const std::optional<std::u16string_view> name = between(group, NameOpen, NameClose);
        if (!name)
            return;
        if (visit(Group{*name, group}))
            return;
    }
}

void appendCodePoint(std::u16string &out, char32_t cp) {
    if (cp < 0x10000) {
        out.push_back(static_cast<char16_t>(cp));
    } else {
        cp -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    }
}

} // namespace

std::u16string decodeUtf8(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    std::size_t i = 0;
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF")
        i = 3;
    const std::size_t n = bytes.size();
    while (i < n) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if (lead < 0x80) {
            out.push_back(lead);
            ++i;
            continue;
        }
        // Number of continuation bytes and the allowed range of the first one (this rules
        // out overlong forms, surrogates and values above U+10FFFF).
        int need = 0;
        unsigned char low = 0x80, high = 0xBF;
        char32_t cp = 0;
        if (lead >= 0xC2 && lead <= 0xDF) {
            need = 1;
            cp = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            need = 2;
            cp = lead & 0x0F;
            if (lead == 0xE0)
                low = 0xA0;
            else if (lead == 0xED)
                high = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            need = 3;
            cp = lead & 0x07;
            if (lead == 0xF0)
                low = 0x90;
            else if (lead == 0xF4)
                high = 0x8F;
        } else {
            out.push_back(Replacement);
            ++i;
            continue;
        }
        std::size_t j = i + 1;
        int got = 0;
        while (got < need && j < n) {
            const auto c = static_cast<unsigned char>(bytes[j]);
            if (c < low || c > high)
                break;
            cp = (cp << 6) | (c & 0x3F);
            low = 0x80;
            high = 0xBF;
            ++j;
            ++got;
        }
        if (got == need)
            appendCodePoint(out, cp);
        else
            out.push_back(Replacement);
        i = j;
    }
    return out;
}

char16_t foldCase(char16_t c) {
    if (c < 0x80)
        return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 0x20) : c;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
        return static_cast<char16_t>(c + 0x20);
    if (c >= 0x100 && c <= 0x17F) {
        if (c == 0x178)
            return 0xFF;
        const bool evenUpper = (c <= 0x137) || (c >= 0x14A && c <= 0x177);
        const bool oddUpper = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
        if ((evenUpper && c % 2 == 0) || (oddUpper && c % 2 == 1))
            return static_cast<char16_t>(c + 1);
        return c;
    }
    if (c >= 0x391 && c <= 0x3A9 && c != 0x3A2)
        return static_cast<char16_t>(c + 0x20);
    if (c >= 0x410 && c <= 0x42F)
        return static_cast<char16_t>(c + 0x20);
    if (c >= 0x400 && c <= 0x40F)
        return static_cast<char16_t>(c + 0x50);
    return c;
}

bool equalsNoCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (foldCase(a[i]) != foldCase(b[i]))
            return false;
    }
    return true;
}

std::size_t findNoCase(std::u16string_view haystack, std::u16string_view needle, std::size_t from) {
    if (from > haystack.size() || needle.size() > haystack.size() - from)
        return std::u16string_view::npos;
    if (needle.empty())
        return from;
    const char16_t first = foldCase(needle[0]);
    const std::size_t last = haystack.size() - needle.size();
    for (std::size_t i = from; i <= last; ++i) {
        if (foldCase(haystack[i]) == first && equalsNoCase(haystack.substr(i, needle.size()), needle))
            return i;
    }
    return std::u16string_view::npos;
}

std::vector<std::u16string_view> listLanguageNames(std::u16string_view text) {
    std::vector<std::u16string_view> names;
    scanGroups(text, [&](const Group &group) {
        names.push_back(group.name);
        return false;
    });
    return names;
}

std::optional<std::u16string_view> findLanguageItems(std::u16string_view text, std::u16string_view name) {
    std::optional<std::u16string_view> items;
    scanGroups(text, [&](const Group &group) {
        if (!equalsNoCase(group.name, name))
            return false;
        items = between(group.text, ItemsOpen, ItemsClose);
        return true;
    });
    return items;
}

std::vector<std::u16string_view> splitItemLines(std::u16string_view items) {
    std::vector<std::u16string_view> lines;
    if (items.empty())
        return lines;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = items.find(u"\r\n", start);
        if (end == std::u16string_view::npos) {
            lines.push_back(items.substr(start));
            return lines;
        }
        lines.push_back(items.substr(start, end - start));
        start = end + 2;
    }
}

std::optional<std::u16string_view> itemLineKey(std::u16string_view line) {
    if (line.empty())
        return std::nullopt;
    const std::u16string_view head = line.substr(0, line.find(u'>'));
    if (head.size() <= 2)
        return std::nullopt;
    const std::size_t lt = head.find(u'<');
    return lt == std::u16string_view::npos ? head : head.substr(lt + 1);
}

std::u16string foldCase(std::u16string_view text) {
    std::u16string folded(text);
    for (char16_t &c : folded)
        c = foldCase(c);
    return folded;
}

std::optional<std::u16string_view> matchItemLine(std::u16string_view line, std::u16string_view key) {
    const std::optional<std::u16string_view> lineKey = itemLineKey(line);
    if (!lineKey || !equalsNoCase(*lineKey, key))
        return std::nullopt;
    std::u16string open;
    open.reserve(key.size() + 3);
    open.append(u"<").append(key).append(u">");
    std::u16string close;
    close.reserve(key.size() + 3);
    close.append(u"</").append(key).append(u">");
    const std::size_t openAt = findNoCase(line, open);
    const std::size_t closeAt = findNoCase(line, close);
    if (openAt == std::u16string_view::npos || closeAt == std::u16string_view::npos ||
        closeAt < openAt + open.size())
        return std::u16string_view{};
    return line.substr(openAt + open.size(), closeAt - openAt - open.size());
}

std::u16string_view findItemText(const std::vector<std::u16string_view> &lines, std::u16string_view key) {
    for (const std::u16string_view line : lines) {
        if (const std::optional<std::u16string_view> text = matchItemLine(line, key))
            return *text;
    }
    return {};
}

} // namespace vesperon::l10n
