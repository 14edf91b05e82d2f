#pragma once

#include "support/QtPrinters.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <stdexcept>

namespace vesperon::test {

// Whole-file helpers for byte-exact checks.
inline QByteArray readBytes(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + path.toStdString());
    return file.readAll();
}

inline void writeBytes(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write " + path.toStdString());
}

} // namespace vesperon::test
