#pragma once

#include <QByteArrayList>

namespace vesperon::test {

// One language group as Localization.txt holds it: name, then one item line per entry.
inline QByteArray languageGroup(const QByteArray &name, const QList<QByteArray> &items) {
    QByteArray text = "<LANGUAGE_GROUP xml:lang=\"x\">\r\n\t<LANGUAGE_NAME>" + name +
                      "</LANGUAGE_NAME>\r\n\t<TRANSLATION_ITEMS>\r\n";
    for (const QByteArray &item : items)
        text += "\t\t" + item + "\r\n";
    return text + "\t</TRANSLATION_ITEMS>\r\n</LANGUAGE_GROUP>\r\n";
}

} // namespace vesperon::test
