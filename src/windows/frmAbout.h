#pragma once

#include <QDialog>

class QLabel;

namespace vesperon {

struct AppContext;

// The about window: product name, version, owner, web address, a picture and a notice.
class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(AppContext &context);

    // Language and caption, then the product values.
    void Form_Load();

private:
    QLabel *label(const char *name, const QString &text, QRect place, const char *kind);

    AppContext &m_ctx;
    QLabel *m_Label1 = nullptr;
    QLabel *m_lblVersion = nullptr;
    QLabel *m_lblCompany = nullptr;
    QLabel *m_lblWebsite = nullptr;
};

} // namespace vesperon
