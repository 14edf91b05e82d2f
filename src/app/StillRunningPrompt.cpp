#include "app/StillRunningPrompt.h"

#include "app/AppIcons.h"
#include "app/MainWindowRules.h"
#include "localization/LanguageEngine.h"
#include "localization/ProgramValues.h"
#include "localization/WindowRegistry.h"
#include "settings/SettingsBundle.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

namespace vesperon {

StillRunningPrompt::StillRunningPrompt(settings::ProgramSettings &settings, LanguageEngine &languages,
                                       const ProgramValues &values)
    : QDialog(nullptr), m_settings(settings), m_languages(languages), m_values(values) {
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
    auto *ok = new QPushButton(appIcon(QStringLiteral("go")), QStringLiteral("Ok"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setGeometry(twipsRect(6360, 2400, 1395, 735));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &StillRunningPrompt::onOkClicked);
}

bool StillRunningPrompt::load() {
    if (m_settings.value(settings::keys::chkAlwaysExit) == QLatin1String("1"))
        return false;
    setWindowTitle(m_languages.getMessages(QStringLiteral("MSG_TITLERUNNING")));
    m_languages.ChangeLanguage(this, m_values.CurrentLanguage);
    return true;
}

void StillRunningPrompt::onOkClicked() {
    if (m_chkNoShow->isChecked())
        m_settings.setValue(settings::keys::chkNoShow, QStringLiteral("1"));
    const bool exitNow = m_chkAlwaysExit->isChecked();
    if (exitNow)
        m_settings.setValue(settings::keys::chkAlwaysExit, QStringLiteral("1"));
    close();
    if (exitNow)
        emit exitChosen();
}

} // namespace vesperon
