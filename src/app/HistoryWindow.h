#pragma once

#include "schedule/RunHistory.h"

#include <QDialog>

class QTreeWidget;

namespace vesperon {

class LanguageEngine;

// The outcome of an entry in the user's language ("Missed (the computer was asleep)").
QString outcomeText(HistoryEntry::Outcome outcome, LanguageEngine &languages);

// What became of every run: history.log as a list, newest first, in the user's language.
class HistoryWindow : public QDialog {
    Q_OBJECT
public:
    HistoryWindow(const RunHistory &history, LanguageEngine &languages, QWidget *parent = nullptr);

    // Reads the file again.
    void reload();

private:
    const RunHistory &m_history;
    LanguageEngine &m_languages;
    QTreeWidget *m_list = nullptr;
};

} // namespace vesperon
