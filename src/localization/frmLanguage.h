#pragma once

#include <QDialog>
#include <QPointer>

class QComboBox;
class QLabel;
class QPushButton;

namespace vesperon {

struct AppContext;
class HttpGet;

// The language window: choose the program's language among the groups of
// Localization.txt, fetch the newest file from the maker's web server, open the file for
// translating, or write the English template a translator starts from.
class frmLanguage : public QDialog {
    Q_OBJECT
public:
    // mainWindow is re-translated together with this window when a language is picked.
    frmLanguage(AppContext &context, HttpGet &http, QWidget *mainWindow);
    ~frmLanguage() override;

    // Escape closes the window the way OK does: it goes away for good rather than staying
    // loaded and hidden (a hidden first-start dialog left the main window without clicks).
    void reject() override;

    // Caption, translation, the list of languages.
    void Form_Load();
    // Lists the file's language names and shows the stored language.
    void FillLanguageList();
    // The user picked an entry: store it and apply it to the main window and this one.
    void Combo1_Click();
    // Starts fetching the newest file; the window stays usable while it arrives.
    void Command1_Click();
    void Command2_Click();
    // Opens Localization.txt in the user's editor.
    void Command3_Click();
    // Replaces Localization.txt by the English template, after asking.
    void cmdTemplate_Click();

    bool downloading() const { return m_downloading; }
    QComboBox *Combo1() const { return m_Combo1; }

signals:
    // A download ended; replaced tells whether Localization.txt was replaced.
    void downloadFinished(bool replaced);

private:
    void downloadArrived(const QByteArray &body);
    QString localizationPath() const;

    AppContext &m_ctx;
    HttpGet &m_http;
    QPointer<QWidget> m_main;
    bool m_downloading = false;
    QLabel *m_Label1 = nullptr;
    QComboBox *m_Combo1 = nullptr;
    QPushButton *m_Command1 = nullptr;
    QPushButton *m_Command3 = nullptr;
    QPushButton *m_cmdTemplate = nullptr;
    QPushButton *m_Command2 = nullptr;
};

} // namespace vesperon
