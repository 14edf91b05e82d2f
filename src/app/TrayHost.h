#pragma once

#include <QIcon>
#include <QList>
#include <QObject>
#include <QString>

namespace vesperon {

// The icon in the system tray. add/modify answer whether the tray took the request; the
// host reports mouse activity as the classic button messages so that one decision table
// serves every platform.
class TrayHost : public QObject {
    Q_OBJECT
public:
    enum Message {
        MouseMove = 0x200,
        LeftDown = 0x201,
        LeftUp = 0x202,
        LeftDoubleClick = 0x203,
        RightDown = 0x204,
        RightUp = 0x205
    };

    using QObject::QObject;
    virtual bool add(const QString &tooltip, const QIcon &icon) = 0;
    virtual bool modify(const QString &tooltip) = 0;
    virtual void remove() = 0;
    // Shows a short notice beside the icon (for example a power action the system refused).
    virtual void notify(const QString &title, const QString &text) = 0;

signals:
    void mouseMessage(int message);
};

// Test double: scripted answers, every call recorded.
class ScriptedTrayHost final : public TrayHost {
    Q_OBJECT
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
    void send(int message) { emit mouseMessage(message); }
};

// What a mouse message over the tray icon does.
enum class TrayResponse { None, PopUpMenu, OpenWindow };
TrayResponse trayResponse(int message);

// One refresh of the tray icon: refresh the tooltip, or add the icon when it is missing.
// Returns the interval in milliseconds until the next refresh: 15 s while the icon is
// there, 5 s after a failed add.
int refreshTrayIcon(TrayHost &tray, const QString &tooltip, const QIcon &icon);

inline constexpr int TrayRetryInterval = 5000;
inline constexpr int TrayRefreshInterval = 15000;

} // namespace vesperon
