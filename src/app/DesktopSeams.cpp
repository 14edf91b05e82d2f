#include "app/DesktopSeams.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QUrl>

namespace vesperon {

namespace {

QMessageBox::StandardButtons standardButtons(Prompt::Buttons buttons) {
    switch (buttons) {
    case Prompt::Buttons::Ok:
        return QMessageBox::Ok;
    case Prompt::Buttons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case Prompt::Buttons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case Prompt::Buttons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case Prompt::Buttons::AbortRetryIgnore:
        return QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;
    case Prompt::Buttons::RetryCancel:
        return QMessageBox::Retry | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon boxIcon(Prompt::Icon icon) {
    switch (icon) {
    case Prompt::Icon::Information:
        return QMessageBox::Information;
    case Prompt::Icon::Warning:
        return QMessageBox::Warning;
    case Prompt::Icon::Critical:
        return QMessageBox::Critical;
    case Prompt::Icon::Question:
        return QMessageBox::Question;
    case Prompt::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

Prompt::Answer MessageBoxPrompt::ask(const QString &text, const QString &title, Buttons buttons, Icon icon) {
    // Over the window that asks (the active one), as a dialog of it: centred on it, and with
    // no minimize or maximize button.
    QWidget *asking = QApplication::activeModalWidget();
    if (!asking)
        asking = QApplication::activeWindow();
    if (!asking && m_mainWindow && m_mainWindow->isVisible())
        asking = m_mainWindow; // a request from the window manager leaves no window active
    QMessageBox box(boxIcon(icon), title, text, standardButtons(buttons), asking,
                    Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    switch (box.exec()) {
    case QMessageBox::Ok:
        return Answer::Ok;
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Abort:
        return Answer::Abort;
    case QMessageBox::Retry:
        return Answer::Retry;
    case QMessageBox::Ignore:
        return Answer::Ignore;
    default:
        return Answer::Cancel;
    }
}

bool DesktopShell::open(const QString &documentOrAddress) {
    const QUrl url = QFileInfo::exists(documentOrAddress) ? QUrl::fromLocalFile(documentOrAddress)
                                                          : QUrl::fromUserInput(documentOrAddress);
    return QDesktopServices::openUrl(url);
}

bool DesktopShell::start(const QString &program, const QStringList &arguments) {
    return QProcess::startDetached(program, arguments);
}

} // namespace vesperon
