#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;

namespace vesperon {

struct AppContext;
class frmMain;

// The reminder shown when closing the main window only hides it to the tray.
class frmStillRunning : public QDialog {
    Q_OBJECT
public:
    frmStillRunning(AppContext &context, frmMain &mainWindow);

    // Returns false when the user chose to always exit: then the program ends instead.
    bool Form_Load();
    void cmdOK_Click();

    QCheckBox *chkNoShow() const { return m_chkNoShow; }
    QCheckBox *chkAlwaysExit() const { return m_chkAlwaysExit; }
    QPushButton *cmdOK() const { return m_cmdOK; }

private:
    AppContext &m_ctx;
    frmMain &m_main;
    QCheckBox *m_chkNoShow = nullptr;
    QCheckBox *m_chkAlwaysExit = nullptr;
    QPushButton *m_cmdOK = nullptr;
};

} // namespace vesperon
