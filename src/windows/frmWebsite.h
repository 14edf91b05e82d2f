#pragma once

#include <QTimer>
#include <QWidget>

namespace vesperon {

struct AppContext;

// The web-site launcher: an invisible window whose loading opens the program's web address
// in the default browser. It stays loaded for a second, so that a second press of the
// web-site button in that time opens nothing more.
class frmWebsite : public QWidget {
    Q_OBJECT
public:
    explicit frmWebsite(AppContext &context);

    // Opens the address WebsiteMode names, then clears WebsiteMode.
    void Form_Load();
    // One second after loading: the window unloads itself.
    void Timer1_Timer();

    QTimer &Timer1() { return m_Timer1; }

private:
    AppContext &m_ctx;
    QTimer m_Timer1;
};

} // namespace vesperon
