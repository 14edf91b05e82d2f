#pragma once

#include "settings/OptionsFields.h"

#include <QString>
#include <QWidget>

class QLabel;

namespace vesperon {

class LanguageEngine;

namespace settings {
class ProgramSettings;
class StartupEntries;
} // namespace settings

// General Preferences: the start-up and close-behaviour options. Every control is loaded from
// the program store when the window loads and written back the moment it changes; there is
// nothing to confirm or cancel. The mail, FTP and LAN groups are kept out of sight below the
// window's client area; they load and store their settings like the visible controls. Each
// control is named after its setting.
class OptionsDialog : public QWidget {
    Q_OBJECT
public:
    OptionsDialog(settings::ProgramSettings &settings, settings::StartupEntries &startup,
                  LanguageEngine &languages, QString language, QWidget *parent = nullptr);

    // Translates the window into the language, then loads every control (and so stores any
    // value that differs from a control's design content) and reports the start-up
    // registration.
    void load();

private:
    void buildStartupGroup();
    void buildMiscellaneousGroup();
    void buildEmailGroup();
    void buildFtpGroup();
    void buildLanGroup();
    QWidget *fieldControl(const settings::SettingKey &key) const;
    void bindField(const settings::OptionField &field);
    void loadField(const settings::OptionField &field);

    // A control's change, as the user makes it or a load does: its setting is stored at once.
    void onCheckToggled(const settings::OptionField &field, bool checked);
    void onTextChanged(const settings::OptionField &field, const QString &text);

    settings::ProgramSettings &m_settings;
    settings::StartupEntries &m_startup;
    LanguageEngine &m_languages;
    QString m_language;
    QLabel *m_lblRunAtStart = nullptr;
};

} // namespace vesperon
