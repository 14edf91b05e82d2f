// Every window of the program in every shipped language has room for its texts: no check box,
// option button, label, button, text box or group title is cut off or set in a smaller font,
// no control sticks out of its parent or covers another one, and an empty schedule list shows
// every column without scrolling; English is looked at first, at the design size. CTest runs this at 96 dots
// per inch and again at 144 (QT_SCALE_FACTOR=1.5).

#include "ProgramWindows.h"
#include "localization/LocalizationFile.h"
#include "localization/WindowTexts.h"

#include <QAbstractSpinBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyleOptionButton>
#include <QStyleOptionToolButton>
#include <QToolButton>
#include <QTreeView>
#include <functional>

namespace vesperon::test {

namespace {

// The room a control's text and indicator need, from the font's and the style's measures
// (not from the control's own size hint); 0 in a direction that does not matter.
QSize needed(const QWidget *control) {
    const QStyle *style = control->style();
    const auto metric = [&](QStyle::PixelMetric which) {
        return style->pixelMetric(which, nullptr, control);
    };
    const auto text = [&](const QString &caption) {
        return control->fontMetrics().size(Qt::TextShowMnemonic, caption);
    };
    if (const auto *box = qobject_cast<const QAbstractButton *>(control);
        box && (qobject_cast<const QCheckBox *>(box) || qobject_cast<const QRadioButton *>(box))) {
        const bool check = qobject_cast<const QCheckBox *>(box);
        const QSize mark(metric(check ? QStyle::PM_IndicatorWidth : QStyle::PM_ExclusiveIndicatorWidth),
                         metric(check ? QStyle::PM_IndicatorHeight : QStyle::PM_ExclusiveIndicatorHeight));
        const int spacing =
            metric(check ? QStyle::PM_CheckBoxLabelSpacing : QStyle::PM_RadioButtonLabelSpacing);
        return (text(box->text()) + QSize(mark.width() + spacing, 0)).expandedTo(mark);
    }
    if (const auto *button = qobject_cast<const QPushButton *>(control)) {
        QStyleOptionButton option;
        option.initFrom(button);
        const QRect inside = style->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        const int picture = button->icon().isNull() ? 0 : button->iconSize().width() + 4;
        return text(button->text()) + QSize(picture, 0) + button->size() - inside.size();
    }
    if (const auto *tool = qobject_cast<const QToolButton *>(control);
        tool && !tool->property("elidesText").toBool()) {
        QStyleOptionToolButton option;
        option.initFrom(tool);
        const QSize caption = text(tool->text());
        const QSize contents(std::max(caption.width(), tool->iconSize().width()),
                             caption.height() + tool->iconSize().height());
        return style->sizeFromContents(QStyle::CT_ToolButton, &option, contents, tool);
    }
    if (const auto *label = qobject_cast<const QLabel *>(control); label && !label->text().isEmpty()) {
        const QRect box = label->contentsRect();
        const QSize used = label->wordWrap() ? QSize(0, label->fontMetrics()
                                                            .boundingRect(QRect(0, 0, box.width(), 100000),
                                                                          Qt::TextWordWrap, label->text())
                                                            .height())
                                             : text(label->text());
        return used + label->size() - box.size();
    }
    if (qobject_cast<const QComboBox *>(control) || qobject_cast<const QLineEdit *>(control) ||
        qobject_cast<const QAbstractSpinBox *>(control))
        return {0, control->fontMetrics().height() + 2 * metric(QStyle::PM_DefaultFrameWidth)};
    if (const auto *group = qobject_cast<const QGroupBox *>(control))
        return {text(group->title()).width(), 0};
    return {};
}

QStringList roomProblems(QWidget *window) {
    QList<QWidget *> shown;
    for (QObject *object : windowControls(window)) {
        if (auto *control = qobject_cast<QWidget *>(object);
            control && !control->isWindow() && control->isVisibleTo(window))
            shown << control;
    }
    QStringList problems;
    for (QWidget *control : std::as_const(shown)) {
        const auto report = [&](const QString &what) {
            problems << window->objectName() + QLatin1Char(' ') + control->objectName() + u": "_s + what;
        };
        if (const QSize need = needed(control);
            need.width() > control->width() || need.height() > control->height())
            report(u"needs %1x%2, has %3x%4"_s.arg(need.width())
                       .arg(need.height())
                       .arg(control->width())
                       .arg(control->height()));
        if (control->font().pointSizeF() < window->font().pointSizeF())
            report(u"a smaller font than the window's"_s);
        if (!control->parentWidget()->rect().contains(control->geometry()) ||
            !window->rect().contains(QRect(control->mapTo(window, QPoint(0, 0)), control->size())))
            report(u"cut off by "_s + control->parentWidget()->objectName());
        for (const QWidget *other : std::as_const(shown)) {
            if (std::less<>()(control, other) && other->parentWidget() == control->parentWidget() &&
                other->geometry().intersects(control->geometry()))
                report(u"covers "_s + other->objectName());
        }
        if (auto *list = qobject_cast<QTreeView *>(control);
            list && list->model()->rowCount() == 0 && list->horizontalScrollBar()->maximum() > 0)
            report(u"columns wider than the empty list"_s);
    }
    return problems;
}

class WindowRoom : public ProgramWindows {};

} // namespace

TEST_F(WindowRoom, EveryControlHasRoomForItsTextInEveryShippedLanguage) {
    openEveryWindow();
    const QString shippedPath = QStringLiteral(VESPERON_SHIPPED_LOCALIZATION);
    const QStringList languages = ListLanguageNames(ReadLocalizationText(shippedPath).value_or(QString()));
    ASSERT_EQ(languages.size(), 6);
    QStringList problems;
    for (const QString &language : languages) {
        ProgramValues shippedValues;
        LanguageEngine shipped(shippedPath, shippedValues);
        for (QWidget *window : openWindows()) {
            shipped.ChangeLanguage(window, language);
            window->show();
            QCoreApplication::processEvents();
            for (const QString &problem : roomProblems(window))
                problems << language + u": "_s + problem;
        }
    }
    EXPECT_TRUE(problems.isEmpty()) << qPrintable(problems.join(QLatin1Char('\n')));
}

} // namespace vesperon::test
