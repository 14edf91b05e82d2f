#include "app/frmStillRunning.h"

#include "app/AppContext.h"
#include "app/AppIcons.h"
#include "app/MainWindowRules.h"
#include "app/frmMain.h"
#include "localization/LanguageEngine.h"
#include "localization/ProgramValues.h"
#include "localization/WindowRegistry.h"
#include "settings/SettingsBundle.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace vesperon {

frmStillRunning::frmStillRunning(AppContext &context, frmMain &mainWindow)
    : QDialog(nullptr), m_ctx(context), m_main(mainWindow) {
    setObjectName(QStringLiteral("frmStillRunning"));
    liveWindows().registerWindow(this);
    setWindowTitle(QStringLiteral("still running"));
    setWindowIcon(programIcon());
    setFixedSize(toPixels(7845), toPixels(3165));

    auto *title = new QLabel(QStringLiteral("Still Running"), this);
    title->setObjectName(QStringLiteral("Label1"));
    title->setProperty("controlKind", QStringLiteral("SkinLabel"));
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    title->setGeometry(twipsRect(60, 60, 7755, 315));

    auto *body = new QLabel(QStringLiteral("will continue to run in the system tray, so that scheduled "
                                           "backup sets will be executed in time."),
                            this);
    body->setObjectName(QStringLiteral("Label2"));
    body->setProperty("controlKind", QStringLiteral("SkinLabel"));
    body->setWordWrap(true);
    body->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    body->setGeometry(twipsRect(60, 420, 7755, 1035));

    auto *skin = new QLabel(this);
    skin->setObjectName(QStringLiteral("SkinLabel1"));
    skin->setProperty("controlKind", QStringLiteral("SkinLabel"));
    skin->hide();

    m_chkNoShow = new QCheckBox(QStringLiteral("Don't show this reminder again"), this);
    m_chkNoShow->setObjectName(QStringLiteral("chkNoShow"));
    m_chkNoShow->setGeometry(twipsRect(60, 1560, 7695, 255));
    m_chkAlwaysExit = new QCheckBox(
        QStringLiteral("Always exit completely when I close the program, don't run scheduled events."), this);
    m_chkAlwaysExit->setObjectName(QStringLiteral("chkAlwaysExit"));
    m_chkAlwaysExit->setGeometry(twipsRect(60, 1860, 7755, 495));
    m_cmdOK = new QPushButton(appIcon(QStringLiteral("go")), QStringLiteral("Ok"), this);
    m_cmdOK->setObjectName(QStringLiteral("cmdOK"));
    m_cmdOK->setGeometry(twipsRect(6360, 2400, 1395, 735));
    m_cmdOK->setDefault(true);
    connect(m_cmdOK, &QPushButton::clicked, this, &frmStillRunning::cmdOK_Click);
}

bool frmStillRunning::Form_Load() {
    if (m_ctx.settings.program().value(settings::keys::chkAlwaysExit) == QLatin1String("1")) {
        hide();
        // The close request now finds "always exit" and lets the program end.
        QTimer::singleShot(0, &m_main, [main = &m_main] { main->close(); });
        return false;
    }
    setWindowTitle(m_ctx.languages.getMessages(QStringLiteral("MSG_TITLERUNNING")));
    m_ctx.languages.ChangeLanguage(this, m_ctx.values.CurrentLanguage);
    return true;
}

void frmStillRunning::cmdOK_Click() {
    auto &program = m_ctx.settings.program();
    if (m_chkNoShow->isChecked())
        program.setValue(settings::keys::chkNoShow, QStringLiteral("1"));
    if (m_chkAlwaysExit->isChecked()) {
        program.setValue(settings::keys::chkAlwaysExit, QStringLiteral("1"));
        m_main.close();
    }
    close();
}

} // namespace vesperon
