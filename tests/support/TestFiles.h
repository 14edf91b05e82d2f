#pragma once

#include <QByteArray>
#include <QString>

#include "support/QtPrinters.h"

namespace vesperon::test {

// Whole-file helpers for byte-exact checks.
QByteArray readBytes(const QString &path);
void writeBytes(const QString &path, const QByteArray &bytes);

} // namespace vesperon::test
