#include "app/ActionAvailability.h"

#include "localization/LanguageEngine.h"

#include <QPointer>

namespace vesperon {

QString availabilityNote(const LanguageEngine &languages, const QString &actionType,
                         Availability availability) {
    switch (availability) {
    case Availability::NeedsPassword:
        return languages.getMessages(QStringLiteral("MSG_NEEDSPASSWORD")).arg(actionType);
    case Availability::NotAllowed:
        return languages.getMessages(QStringLiteral("MSG_NOTALLOWED")).arg(actionType);
    case Availability::NotHere:
        return languages.getMessages(QStringLiteral("MSG_NOTHERE")).arg(actionType);
    case Availability::Yes:
    case Availability::Unknown:
        break;
    }
    return QString();
}

QString availabilitySuffix(const LanguageEngine &languages, Availability availability) {
    switch (availability) {
    case Availability::NeedsPassword:
        return languages.getMessages(QStringLiteral("MSG_NEEDSPASSWORDSHORT"));
    case Availability::NotAllowed:
    case Availability::NotHere:
        return languages.getMessages(QStringLiteral("MSG_NOTHERESHORT"));
    case Availability::Yes:
    case Availability::Unknown:
        break;
    }
    return QString();
}

ActionAvailability::ActionAvailability(PowerBackend &power, const LanguageEngine &languages, QObject *parent)
    : QObject(parent), m_power(power), m_languages(languages) {
    m_answers.fill(Availability::Yes);
}

void ActionAvailability::refresh() {
    m_power.queryAvailability([self = QPointer<ActionAvailability>(this)](Availabilities answers) {
        if (!self || self->m_answers == answers)
            return;
        self->m_answers = answers;
        emit self->changed();
    });
}

Availability ActionAvailability::of(const QString &actionType) const {
    const PowerAction *action = findPowerAction(actionType.toStdString());
    return action ? availabilityOf(m_answers, action->verb) : Availability::Yes;
}

QString ActionAvailability::note(const QString &actionType) const {
    return availabilityNote(m_languages, actionType, of(actionType));
}

QString ActionAvailability::suffix(const QString &actionType) const {
    return availabilitySuffix(m_languages, of(actionType));
}

QHash<QString, QString> ActionAvailability::notes() const {
    QHash<QString, QString> notes;
    for (const PowerAction &action : PowerActions) {
        const QString type = QLatin1String(action.name);
        if (const QString text = note(type); !text.isEmpty())
            notes.insert(type, text);
    }
    return notes;
}

} // namespace vesperon
