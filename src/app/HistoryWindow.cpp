#include "app/HistoryWindow.h"

#include "localization/LanguageEngine.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace vesperon {

QString outcomeText(HistoryEntry::Outcome outcome, LanguageEngine &languages) {
    static const char *const Keys[] = {"MSG_HISTORYFIRED",       "MSG_HISTORYREFUSED",
                                       "MSG_HISTORYSKIPPED",     "MSG_HISTORYPOSTPONED",
                                       "MSG_HISTORYMISSEDSLEEP", "MSG_HISTORYMISSEDPREVENT"};
    return languages.getMessages(QLatin1String(Keys[static_cast<int>(outcome)]));
}

HistoryWindow::HistoryWindow(const RunHistory &history, LanguageEngine &languages, QWidget *parent)
    : QDialog(parent), m_history(history), m_languages(languages) {
    setObjectName(QStringLiteral("frmHistory"));
    setWindowTitle(languages.getMessages(QStringLiteral("MSG_TITLEHISTORY")));
    auto *layout = new QVBoxLayout(this);
    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("lstHistory"));
    m_list->setRootIsDecorated(false);
    m_list->setAlternatingRowColors(true);
    QStringList headers;
    for (const char *key : {"MSG_HISTORYTIME", "MSG_HISTORYRESULT", "MSG_HISTORYACTION",
                            "MSG_HISTORYSCHEDULE", "MSG_HISTORYDETAIL"})
        headers << languages.getMessages(QLatin1String(key));
    m_list->setHeaderLabels(headers);
    layout->addWidget(m_list);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setObjectName(QStringLiteral("cmdClose"));
    buttons->button(QDialogButtonBox::Close)
        ->setText(languages.getMessages(QStringLiteral("MSG_HISTORYCLOSE")));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    layout->addWidget(buttons);
    resize(760, 380);
    reload();
}

void HistoryWindow::reload() {
    m_list->clear();
    const QLocale locale;
    const QList<HistoryEntry> entries = m_history.entries();
    for (auto entry = entries.crbegin(); entry != entries.crend(); ++entry) {
        m_list->addTopLevelItem(new QTreeWidgetItem(QStringList{
            locale.toString(entry->when, QLocale::ShortFormat), outcomeText(entry->outcome, m_languages),
            entry->action, entry->schedule, entry->detail}));
    }
    for (int column = 0; column < m_list->columnCount() - 1; ++column)
        m_list->resizeColumnToContents(column);
}

} // namespace vesperon
