#pragma once

#include "app/TrayHost.h"

#include <QList>
#include <QPair>
#include <QStringList>

namespace vesperon::test {

// A tray with scripted answers that records what it shows; a test clicks it by emitting the
// host's signals.
class ScriptedTrayHost final : public TrayHost {
public:
    using TrayHost::TrayHost;
    bool present = false;
    bool acceptAdd = true;
    QList<QPair<QString, QString>> notices;
    QList<QPair<QString, QString>> announcements;
    QString tooltip;

    bool add(const QString &tip, const QIcon &) override {
        present = present || acceptAdd;
        return acceptAdd && modify(tip);
    }
    bool modify(const QString &tip) override {
        if (present)
            tooltip = tip;
        return present;
    }
    void remove() override { present = false; }
    // A notice is seen while the icon is present.
    bool notify(const QString &title, const QString &text) override {
        notices.append({title, text});
        return present;
    }
    void announce(const QString &title, const QString &text) override { announcements.append({title, text}); }
};

} // namespace vesperon::test
