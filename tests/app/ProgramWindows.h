#pragma once

#include "app/MainWindowFixture.h"
#include "core/HttpGet.h"

#include <QList>
#include <QPointer>
#include <QStringList>
#include <QWidget>

namespace vesperon::test {

// Every window of the program that carries translation items, built offscreen at its design
// size and loaded as the running program loads it, with no Localization.txt in the
// application folder (so each control shows its built-in English text). A window added to the
// program gets one more line in openEveryWindow.
// The language window's downloads are not part of these tests.
class NoHttp final : public HttpGet {
public:
    void DownloadText(const QString &, QObject *, Done) override {}
};

class ProgramWindows : public MainWindowFixture {
protected:
    void SetUp() override;
    void TearDown() override;

    // Loads the main window and opens the others from it, in the order the template lists them.
    void openEveryWindow();
    // The open windows in creation order.
    QList<QWidget *> openWindows() const;

    // Writes the template from the open windows into the application folder and returns its
    // English item lines, with the program's name, maker and web address turned back into
    // their placeholders, as the shipped file stores them.
    QStringList englishTemplate();

private:
    QList<QPointer<QWidget>> m_windows;
    QPointer<QWidget> m_stillRunning;
    NoHttp m_http;
};

// The keys of item lines, upper-cased, in line order (lines without an item are skipped).
QStringList itemKeys(const QStringList &lines);

} // namespace vesperon::test
