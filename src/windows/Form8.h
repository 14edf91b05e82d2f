#pragma once

#include <QWidget>

namespace vesperon {

struct AppContext;

// The help launcher: an invisible window whose loading opens Help.chm from the application
// folder and records in the program store that the help has been shown.
class Form8 : public QWidget {
    Q_OBJECT
public:
    explicit Form8(AppContext &context);

    // True when the help file was there and was handed to the shell.
    bool Form_Load();

private:
    AppContext &m_ctx;
};

} // namespace vesperon
