#include "settings/OptionsFields.h"

#include "settings/StoreText.h"

namespace vesperon::settings {

bool checkedFromSetting(const QString &stored) {
    bool ok = false;
    const qlonglong number = stored.trimmed().toLongLong(&ok);
    return ok && number != 0;
}

QString settingFromChecked(bool checked) {
    return checked ? QStringLiteral("1") : QStringLiteral("0");
}

QString textFromSetting(const QString &stored, FieldKind kind) {
    QString text = stored;
    if (kind == FieldKind::Password)
        FlipHighBit(text);
    return text;
}

QString settingFromText(const QString &text, FieldKind kind) {
    QString stored = text; // the box keeps its plain text; only the copy is scrambled
    if (kind == FieldKind::Password)
        FlipHighBit(stored);
    return stored;
}

QString runAtStartMessage(StartupEntries &startup) {
    if (startup.isRegisteredForAllUsers())
        return QStringLiteral("MSG_RUNALLUSERS");
    if (startup.isRegisteredForThisUser())
        return QStringLiteral("MSG_RUNTHISUSER");
    return QStringLiteral("MSG_RUNMANUALLY");
}

} // namespace vesperon::settings
