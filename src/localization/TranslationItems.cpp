#include "localization/TranslationItems.h"

#include "localization/LocalizationParser.h"

namespace vesperon {

namespace {

std::u16string_view view(const QString &text) {
    return {reinterpret_cast<const char16_t *>(text.constData()), static_cast<std::size_t>(text.size())};
}

QString folded(std::u16string_view text) {
    const std::u16string f = l10n::foldCase(text);
    return QString(reinterpret_cast<const QChar *>(f.data()), static_cast<qsizetype>(f.size()));
}

} // namespace

TranslationItems::TranslationItems(QStringList lines) : m_lines(std::move(lines)) {
    // From the last line to the first, so that the first line of a key is the one kept.
    for (qsizetype i = m_lines.size() - 1; i >= 0; --i) {
        if (const std::optional<std::u16string_view> key = l10n::itemLineKey(view(m_lines.at(i))))
            m_firstLine.insert(folded(*key), i);
    }
}

QString TranslationItems::find(const QString &key) const {
    const auto it = m_firstLine.constFind(folded(view(key)));
    if (it == m_firstLine.constEnd())
        return QString();
    const std::optional<std::u16string_view> text = l10n::matchItemLine(view(m_lines.at(*it)), view(key));
    if (!text)
        return QString();
    return QString(reinterpret_cast<const QChar *>(text->data()), static_cast<qsizetype>(text->size()));
}

} // namespace vesperon
