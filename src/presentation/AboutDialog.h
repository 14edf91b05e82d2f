#pragma once

#include <QDialog>

class QLabel;

namespace vesperon {

class LanguageEngine;
struct ProgramValues;

// The about window: product name, version, owner, web address, a picture and a notice. It
// comes up translated into the language in force, titled by the message MSG_TITLEABOUT, and
// shows the product values as values holds them.
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    AboutDialog(LanguageEngine &languages, const ProgramValues &values);

private:
    QLabel *label(const char *name, const QString &text, QRect place, const char *kind);
};

} // namespace vesperon
