#pragma once

#include "power/PowerBackend.h"

#include <QHash>
#include <QObject>
#include <QString>

namespace vesperon {

class LanguageEngine;

// Why an action cannot run unattended here, in the user's language ("This computer does not
// allow Vesperon to run "Shut Down" without a password."); empty when it can or nobody knows.
QString availabilityNote(const LanguageEngine &languages, const QString &actionType,
                         Availability availability);
// The same, short, after the next run in the tray's tooltip: "(needs a password)".
QString availabilitySuffix(const LanguageEngine &languages, Availability availability);

// What the system last said about each action for this session. Asked at start, after a wake
// and whenever the schedules are saved; until an answer comes every action counts as available
// (a warning that is wrong is worse than none).
class ActionAvailability : public QObject {
    Q_OBJECT
public:
    ActionAvailability(PowerBackend &power, const LanguageEngine &languages, QObject *parent = nullptr);

    void refresh();
    Availability of(const QString &actionType) const;
    QString note(const QString &actionType) const;
    QString suffix(const QString &actionType) const;
    // Every action type that has a note, with it.
    QHash<QString, QString> notes() const;

signals:
    void changed();

private:
    PowerBackend &m_power;
    const LanguageEngine &m_languages;
    Availabilities m_answers;
};

} // namespace vesperon
