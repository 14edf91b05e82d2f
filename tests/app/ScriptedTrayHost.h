#pragma once

#include "app/TrayHost.h"

#include <QList>
#include <QPair>
#include <QStringList>

namespace vesperon::test {

// A tray with scripted answers that records every call; a test clicks it by emitting the
// host's signals.
class ScriptedTrayHost final : public TrayHost {
public:
    using TrayHost::TrayHost;
    bool present = false;
    bool acceptAdd = true;
    QStringList calls; // "add", "modify", "remove"
    QList<QPair<QString, QString>> notices;
    QList<QPair<QString, QString>> announcements;
    QString tooltip;

    bool add(const QString &tip, const QIcon &) override {
        calls << QStringLiteral("add");
        if (acceptAdd) {
            present = true;
            tooltip = tip;
        }
        return acceptAdd;
    }
    bool modify(const QString &tip) override {
        calls << QStringLiteral("modify");
        if (present)
            tooltip = tip;
        return present;
    }
    void remove() override {
        calls << QStringLiteral("remove");
        present = false;
    }
    // A notice is seen while the icon is present.
    bool notify(const QString &title, const QString &text) override {
        notices.append({title, text});
        return present;
    }
    void announce(const QString &title, const QString &text) override { announcements.append({title, text}); }
};

} // namespace vesperon::test
