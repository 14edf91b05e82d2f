#include "settings/WarningLeadGroup.h"

#include "core/Twips.h"
#include "settings/Settings.h"

#include <QGroupBox>
#include <QLabel>
#include <QSpinBox>

namespace vesperon::settings {

namespace {

constexpr int MaxLead = 600;

} // namespace

int warningLeadSeconds(const QString &stored) {
    bool ok = false;
    const int seconds = stored.trimmed().toInt(&ok);
    if (ok && seconds >= 0 && seconds <= MaxLead)
        return seconds;
    return QString::fromUtf8(keys::WarningLeadSeconds.defaultValue.data(),
                             qsizetype(keys::WarningLeadSeconds.defaultValue.size()))
        .toInt();
}

void addWarningLeadGroup(QWidget &optionsWindow, UserSettings &user) {
    const int top = optionsWindow.height();
    auto *group = new QGroupBox(QStringLiteral("Warning before a scheduled action"), &optionsWindow);
    group->setObjectName(QStringLiteral("fraWarning"));
    group->setGeometry(QRect(toPixels(60), top, toPixels(10095), toPixels(675)));
    auto *label = new QLabel(QStringLiteral("Seconds of warning (0 = no warning):"), group);
    label->setObjectName(QStringLiteral("lblWarningLead"));
    label->setGeometry(twipsRect(120, 300, 7455, 285));
    auto *box = new QSpinBox(group);
    box->setObjectName(QStringLiteral("txtWarningLead"));
    box->setRange(0, MaxLead);
    box->setGeometry(twipsRect(7680, 270, 1215, 330));
    box->setValue(warningLeadSeconds(user.value(keys::WarningLeadSeconds)));
    QObject::connect(box, &QSpinBox::valueChanged, group, [&user](int seconds) {
        user.setValue(keys::WarningLeadSeconds, QString::number(seconds));
    });
    optionsWindow.setFixedSize(optionsWindow.width(), top + group->height() + toPixels(60));
}

} // namespace vesperon::settings
