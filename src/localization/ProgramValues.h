#pragma once

#include "core/ProductInfo.h"

#include <QString>

namespace vesperon {

// The program-wide texts the language engine works with: the language last requested and
// the values of the placeholders "[ProgramName]", "[CompanyName]" and "[Website]".
struct ProgramValues {
    QString CurrentLanguage = QStringLiteral("English");
    QString ProgramName = QString::fromUtf8(product::ProgramName);
    QString CompanyName = QString::fromUtf8(product::CompanyName);
    QString Website = QString::fromUtf8(product::Website);
};

// The one set of values of the running program.
ProgramValues &programValues();

} // namespace vesperon
