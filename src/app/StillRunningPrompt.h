#pragma once

#include <QDialog>

class QCheckBox;
class QPushButton;

namespace vesperon {

class LanguageEngine;
struct ProgramValues;
namespace settings {
class ProgramSettings;
}

// The reminder shown when closing the main window only hides it to the tray. Its two boxes
// are stored in the program settings when the user presses Ok.
class StillRunningPrompt : public QDialog {
    Q_OBJECT
public:
    StillRunningPrompt(settings::ProgramSettings &settings, LanguageEngine &languages,
                       const ProgramValues &values);

    // Translates the reminder into the current language. Returns false, and shows nothing, when
    // the user has meanwhile chosen to always exit: then the program ends instead.
    bool load();

signals:
    // "Always exit" was ticked and confirmed: the program ends now.
    void exitChosen();

private slots:
    void onOkClicked();

private:
    settings::ProgramSettings &m_settings;
    LanguageEngine &m_languages;
    const ProgramValues &m_values;
    QCheckBox *m_chkNoShow = nullptr;
    QCheckBox *m_chkAlwaysExit = nullptr;
};

} // namespace vesperon
