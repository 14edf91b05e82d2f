#include "settings/StoreText.h"

#include "settings/FlipHighBit.h"

namespace vesperon::settings {

std::string toStoreText(const QString &text) {
#ifdef Q_OS_WIN
    return text.toLocal8Bit().toStdString();
#else
    return text.toUtf8().toStdString();
#endif
}

QString fromStoreText(const std::string &bytes) {
    const auto size = static_cast<qsizetype>(bytes.size());
#ifdef Q_OS_WIN
    return QString::fromLocal8Bit(bytes.data(), size);
#else
    return QString::fromUtf8(bytes.data(), size);
#endif
}

QString &FlipHighBit(QString &text) {
    for (QChar &c : text) {
        if (c.unicode() <= 0xff)
            c = QChar(flipHighBitCode(static_cast<unsigned char>(c.unicode())));
    }
    return text;
}

} // namespace vesperon::settings
