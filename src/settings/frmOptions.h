#pragma once

#include "settings/OptionsFields.h"

#include <QWidget>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;

namespace vesperon {

class LanguageEngine;
struct ProgramValues;
namespace settings {
class SettingsBundle;
}

// General Preferences: the start-up and close-behaviour options. Every control is loaded from
// the program store when the window loads and written back the moment it changes; there is
// nothing to confirm or cancel. The mail, FTP and LAN groups are kept out of sight below the
// window's client area; they load and store their settings like the visible controls.
class frmOptions : public QWidget {
    Q_OBJECT
public:
    frmOptions(settings::SettingsBundle &settings, LanguageEngine &languages, ProgramValues &values,
               QWidget *parent = nullptr);

    // Translates the window, then loads every control (and so stores any value that differs
    // from a control's design content) and reports the start-up registration.
    void Form_Load();

    QLabel *lblRunAtStart() const { return m_lblRunAtStart; }
    // The control standing for a setting (check box or text box), by the setting's name.
    QWidget *fieldControl(const settings::SettingKey &key) const;

private:
    void buildStartupGroup();
    void buildMiscellaneousGroup();
    void buildEmailGroup();
    void buildFtpGroup();
    void buildLanGroup();
    void bindField(const settings::OptionField &field);
    void loadField(const settings::OptionField &field);

    settings::SettingsBundle &m_settings;
    LanguageEngine &m_languages;
    ProgramValues &m_values;
    QLabel *m_lblRunAtStart = nullptr;
};

} // namespace vesperon
