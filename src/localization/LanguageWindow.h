#pragma once

#include <QDialog>
#include <QPointer>

class QComboBox;
class QPushButton;

namespace vesperon {

class HttpGet;
class LanguageEngine;
class Prompt;
class Shell;
struct ProgramValues;
namespace settings {
class UserSettings;
}

// The language window: choose the program's language among the groups of
// Localization.txt, fetch the newest file from the maker's web server, open the file for
// translating, or write the English template a translator starts from.
class LanguageWindow : public QDialog {
    Q_OBJECT
public:
    // The picked language is stored in user; mainWindow is re-translated together with this
    // window when a language is picked. values supplies the language in force, the program's
    // name (the title of its messages) and the web address downloads come from.
    LanguageWindow(LanguageEngine &languages, const ProgramValues &values, settings::UserSettings &user,
                   Prompt &prompt, Shell &shell, HttpGet &http, QWidget *mainWindow);
    ~LanguageWindow() override;

    // Caption, translation, the list of languages.
    void load();

    // Escape closes the window the way OK does: it goes away for good rather than staying
    // loaded and hidden (a hidden first-start dialog left the main window without clicks).
    void reject() override;

    // True from a press of "Check for language updates" until its answer has arrived.
    bool downloading() const { return m_downloading; }

signals:
    // A download ended; replaced tells whether Localization.txt was replaced.
    void downloadFinished(bool replaced);

private slots:
    // The user picked an entry: store it and apply it to the main window and this one.
    void onLanguagePicked();
    // Starts fetching the newest file; the window stays usable while it arrives.
    void onCheckForUpdatesClicked();
    void onOkClicked();
    // Opens Localization.txt in the user's editor.
    void onTranslateClicked();
    // Replaces Localization.txt by the English template, after asking.
    void onWriteTemplateClicked();

private:
    // Lists the file's language names and shows the stored language.
    void fillLanguageList();
    void downloadArrived(const QByteArray &body);
    void reportUnsaved();
    QString localizationPath() const;

    LanguageEngine &m_languages;
    const ProgramValues &m_values;
    settings::UserSettings &m_user;
    Prompt &m_prompt;
    Shell &m_shell;
    HttpGet &m_http;
    QPointer<QWidget> m_main;
    bool m_downloading = false;
    QComboBox *m_languageList = nullptr;
    QPushButton *m_checkForUpdates = nullptr;
};

} // namespace vesperon
