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
    void notify(const QString &title, const QString &text) override { notices.append({title, text}); }
};

} // namespace vesperon::test
