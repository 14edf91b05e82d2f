#include "ProgramWindows.h"

#include "app/StillRunningPrompt.h"
#include "app/WindowOpeners.h"
#include "localization/LocalizationFile.h"

#include <QCoreApplication>
#include <functional>
#include <utility>

namespace vesperon::test {

void ProgramWindows::SetUp() {
    MainWindowFixture::SetUp();
    notFirstStart();
}

void ProgramWindows::TearDown() {
    // The wizard and the options window go with the main window; the reminder belongs to no one.
    delete m_stillRunning.data();
    for (const QPointer<QWidget> &window : m_windows) {
        if (window && window->objectName() != "frmMain"_L1)
            window->close();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    MainWindowFixture::TearDown();
}

void ProgramWindows::openEveryWindow() {
    MainWindow &main = start();
    m_windows << &main;
    installWizard(main, *seams);
    installOptions(main, *seams, QIcon());
    installLanguageWindow(main, *seams, m_http);
    installPresentationWindows(main, *seams);
    // Each window opened as the menus open it; the wizard is the main window's child.
    main.openers().wizard(nullptr);
    m_windows << main.findChild<QWidget *>(u"frmWizard"_s);
    for (const auto &[open, name] :
         {std::pair<std::function<void()>, const char *>{[&main] { main.openers().options(); }, "frmOptions"},
          {[&main] { main.openers().language(false); }, "frmLanguage"},
          {[&main] { main.openers().about(); }, "frmAbout"}}) {
        open();
        for (QWidget *top : topLevels(name))
            if (!m_windows.contains(top))
                m_windows << top;
    }
    auto *stillRunning = new StillRunningPrompt(settings->program(), *languages, values);
    m_stillRunning = stillRunning;
    stillRunning->load();
    m_windows << stillRunning;
    for (const QPointer<QWidget> &window : m_windows)
        EXPECT_TRUE(window) << "a window of the program did not open";
}

QList<QWidget *> ProgramWindows::openWindows() const {
    QList<QWidget *> windows;
    for (const QPointer<QWidget> &window : m_windows) {
        if (window)
            windows << window.data();
    }
    return windows;
}

QStringList ProgramWindows::englishTemplate() {
    const QString path = localizationFilePath(dir.path());
    EXPECT_TRUE(languages->makeLocalizationFile());
    const std::optional<QString> text = ReadLocalizationText(path);
    QFile::remove(path);
    if (!text)
        return {};
    QStringList lines = FindLanguageGroup(*text, u"English"_s).value_or(QStringList());
    for (QString &line : lines) {
        line.replace(values.Website, u"[Website]"_s);
        line.replace(values.ProgramName, u"[ProgramName]"_s);
        line.replace(values.CompanyName, u"[CompanyName]"_s);
    }
    return lines;
}

QStringList itemKeys(const QStringList &lines) {
    QStringList keys;
    for (const QString &line : lines) {
        const qsizetype open = line.indexOf(QLatin1Char('<'));
        const qsizetype close = line.indexOf(QLatin1Char('>'));
        if (open >= 0 && close > open + 1 && line.at(open + 1) != QLatin1Char('/'))
            keys << line.mid(open + 1, close - open - 1).toUpper();
    }
    return keys;
}

} // namespace vesperon::test
