// Every window of the program in every shipped language has room for its texts: no check box,
// option button, label, button, text box or group title is cut off, no control sticks out of
// the control that holds it or covers another one, and an empty schedule list shows every
// column without scrolling. CTest runs this at 96 dots per inch and again at 144
// (QT_SCALE_FACTOR=1.5).

#include "ProgramWindows.h"
#include "localization/LocalizationFile.h"
#include "localization/WindowTexts.h"
#include "schedule/ScheduleFile.h"
#include "support/ScheduleRecords.h"

#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionToolButton>
#include <QToolButton>
#include <QTreeView>
#include <functional>

namespace vesperon::test {

namespace {

const QString ShippedPath = QStringLiteral(VESPERON_SHIPPED_LOCALIZATION);

QString visibleText(QString text) {
    return text.remove(QRegularExpression(QStringLiteral("&(?!&)")));
}

// Pixels the control's text or indicator needs beyond the room it has (0 when it fits), in
// the control's own terms: font metrics and the style's measures, not its size hint.
QString needsMoreRoom(const QWidget *control) {
    const QFontMetrics metrics = control->fontMetrics();
    const QStyle *style = control->style();
    const auto metric = [&](QStyle::PixelMetric which) {
        return style->pixelMetric(which, nullptr, control);
    };
    QSize needed;
    if (const auto *box = qobject_cast<const QAbstractButton *>(control);
        box && (qobject_cast<const QCheckBox *>(box) || qobject_cast<const QRadioButton *>(box))) {
        const bool check = qobject_cast<const QCheckBox *>(box);
        const int indicator =
            metric(check ? QStyle::PM_IndicatorHeight : QStyle::PM_ExclusiveIndicatorHeight);
        const int indicatorWidth =
            metric(check ? QStyle::PM_IndicatorWidth : QStyle::PM_ExclusiveIndicatorWidth);
        const int spacing =
            metric(check ? QStyle::PM_CheckBoxLabelSpacing : QStyle::PM_RadioButtonLabelSpacing);
        needed = QSize(indicatorWidth + spacing + metrics.horizontalAdvance(visibleText(box->text())),
                       std::max(indicator, metrics.height()));
    } else if (const auto *button = qobject_cast<const QPushButton *>(control)) {
        // The text and its picture inside the part of the button the style draws them in.
        QStyleOptionButton option;
        option.initFrom(button);
        const QRect inside = style->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        QSize text = metrics.size(Qt::TextShowMnemonic, button->text());
        if (!button->icon().isNull())
            text.rwidth() += button->iconSize().width() + 4;
        needed = text + button->size() - inside.size();
    } else if (const auto *tool = qobject_cast<const QToolButton *>(control)) {
        if (tool->property("elidesText").toBool()) {
            // Such a button shortens its caption rather than its font.
            if (tool->font().pointSizeF() < tool->window()->font().pointSizeF())
                return QStringLiteral("caption font below the window's");
            return {};
        }
        // The picture above the caption, with the style's margins around them.
        QStyleOptionToolButton option;
        option.initFrom(tool);
        option.toolButtonStyle = tool->toolButtonStyle();
        const QSize text = metrics.size(Qt::TextShowMnemonic, tool->text());
        const QSize contents(std::max(text.width(), tool->iconSize().width()),
                             text.height() + tool->iconSize().height());
        needed = style->sizeFromContents(QStyle::CT_ToolButton, &option, contents, tool);
    } else if (const auto *label = qobject_cast<const QLabel *>(control)) {
        if (label->text().isEmpty())
            return {};
        const QRect box = label->contentsRect();
        needed = label->wordWrap() ? QSize(0, metrics
                                                  .boundingRect(QRect(0, 0, box.width(), 100000),
                                                                Qt::TextWordWrap, label->text())
                                                  .height())
                                   : metrics.size(0, label->text());
        needed += label->size() - box.size();
    } else if (qobject_cast<const QComboBox *>(control) || qobject_cast<const QLineEdit *>(control) ||
               qobject_cast<const QAbstractSpinBox *>(control)) {
        needed = QSize(0, metrics.height() + 2 * metric(QStyle::PM_DefaultFrameWidth));
    } else if (const auto *group = qobject_cast<const QGroupBox *>(control)) {
        needed = QSize(metrics.horizontalAdvance(visibleText(group->title())), 0);
    }
    if (needed.width() <= control->width() && needed.height() <= control->height())
        return {};
    return QStringLiteral("needs %1x%2, has %3x%4")
        .arg(needed.width())
        .arg(needed.height())
        .arg(control->width())
        .arg(control->height());
}

QStringList roomProblems(QWidget *window) {
    QList<QWidget *> shown;
    for (QObject *object : windowControls(window)) {
        auto *control = qobject_cast<QWidget *>(object);
        if (control && !control->isWindow() && control->isVisibleTo(window))
            shown << control;
    }
    QStringList problems;
    const auto report = [&](const QWidget *control, const QString &what) {
        problems << QStringLiteral("%1 %2: %3").arg(window->objectName(), control->objectName(), what);
    };
    for (QWidget *control : std::as_const(shown)) {
        if (const QString need = needsMoreRoom(control); !need.isEmpty())
            report(control, need);
        if (!QRect(QPoint(), control->parentWidget()->size()).contains(control->geometry()))
            report(control, QStringLiteral("cut off by %1").arg(control->parentWidget()->objectName()));
        for (const QWidget *other : std::as_const(shown)) {
            if (other != control && other->parentWidget() == control->parentWidget() &&
                other->geometry().intersects(control->geometry()) && std::less<>()(control, other))
                report(control, QStringLiteral("covers %1").arg(other->objectName()));
        }
        if (auto *list = qobject_cast<QTreeView *>(control); list && !list->isHeaderHidden() &&
                                                             list->model()->rowCount() == 0 &&
                                                             list->horizontalScrollBar()->maximum() > 0)
            report(control, QStringLiteral("columns wider than the empty list"));
    }
    return problems;
}

class WindowRoom : public ProgramWindows {};

} // namespace

TEST_F(WindowRoom, EveryControlHasRoomForItsTextInEveryShippedLanguage) {
    openEveryWindow();
    ASSERT_FALSE(openWindows().isEmpty());
    const QStringList languages = ListLanguageNames(ReadLocalizationText(ShippedPath).value_or(QString()));
    ASSERT_EQ(languages.size(), 6);
    QStringList problems;
    for (const QString &language : languages) {
        ProgramValues shippedValues;
        LanguageEngine shipped(ShippedPath, shippedValues);
        for (QWidget *window : openWindows()) {
            shipped.ChangeLanguage(window, language);
            window->show();
            QCoreApplication::processEvents();
            for (const QString &problem : roomProblems(window))
                problems << language + QStringLiteral(": ") + problem;
        }
    }
    EXPECT_TRUE(problems.isEmpty()) << qPrintable(problems.join(QLatin1Char('\n')));
}

// Not a check: the pictures of the user guide (resources/help/images), taken with
//   VESPERON_SCREENSHOTS_OUT=resources/help/images ./window_room_tests
//       --gtest_also_run_disabled_tests --gtest_filter='*WriteHelpScreenshots'
TEST_F(WindowRoom, DISABLED_WriteHelpScreenshots) {
    const QDir out(qEnvironmentVariable("VESPERON_SCREENSHOTS_OUT"));
    ASSERT_TRUE(out.exists());
    QDir().mkpath(dataFolder());
    ASSERT_FALSE(WriteScheduleFile(
                     test::enabledSchedule(QStringLiteral("Evening shutdown"), QStringLiteral("Shut Down"),
                                           QStringLiteral("6/10/2026"), QStringLiteral("22:00:00")),
                     dataFolder())
                     .has_value());
    openEveryWindow();
    const auto save = [&out](QWidget *widget, const char *name) {
        widget->show();
        QCoreApplication::processEvents();
        EXPECT_TRUE(widget->grab().save(out.filePath(QLatin1String(name)))) << name;
    };
    // A menu as it drops down from the bar, with the top left of the window around it.
    const auto saveMenu = [&](const char *menu, const char *name) {
        auto *popup = window->findChild<QMenu *>(QLatin1String(menu));
        QPixmap picture = window->grab(QRect(0, 0, 300, 220));
        popup->popup(window->mapToGlobal(QPoint(window->menuBar()->actionGeometry(popup->menuAction()).left(),
                                                window->menuBar()->height())));
        QCoreApplication::processEvents();
        QPainter(&picture).drawPixmap(window->mapFromGlobal(popup->pos()), popup->grab());
        popup->hide();
        EXPECT_TRUE(picture.save(out.filePath(QLatin1String(name)))) << name;
    };
    const std::pair<const char *, const char *> names[] = {
        {"frmMain", "main-window.png"}, {"frmWizard", "wizard.png"},
        {"frmOptions", "options.png"},  {"frmLanguage", "language.png"},
        {"frmAbout", "about.png"},      {"frmStillRunning", "still-running.png"}};
    for (QWidget *shown : openWindows()) {
        for (const auto &[windowName, file] : names) {
            if (shown->objectName() == QLatin1String(windowName))
                save(shown, file);
        }
    }
    saveMenu("mnuFile", "file-menu.png");
    saveMenu("mnuAction", "action-menu.png");
    QMenu *tray = window->trayMenu();
    tray->popup(QPoint(0, 0));
    save(tray, "tray-menu.png");
    tray->hide();

    QWidget *wizardWindow = window->findChild<QWidget *>(QStringLiteral("frmWizard"));
    wizardWindow->findChild<QCheckBox *>(QStringLiteral("chkScheduler"))->setChecked(true);
    wizardWindow->findChild<QCheckBox *>(QStringLiteral("chkRepeat"))->setChecked(true);
    for (const auto &[index, name] : {std::pair{1, "wizard-weekly.png"}, {2, "wizard-monthly.png"}}) {
        for (QRadioButton *option : wizardWindow->findChildren<QRadioButton *>(QStringLiteral("optRepeat")))
            option->setChecked(option->property("index").toInt() == index);
        save(wizardWindow, name);
    }
    window->findChild<QComboBox *>(QStringLiteral("cbShutdown"))->setCurrentText(QStringLiteral("Shut Down"));
    window->findChild<QComboBox *>(QStringLiteral("cmbTime"))->setCurrentText(QStringLiteral("In 1 Minute"));
    window->findChild<QAbstractButton *>(QStringLiteral("cmdGo"))->click();
    save(window.get(), "quick-schedule.png");
}

} // namespace vesperon::test
