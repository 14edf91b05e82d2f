#include "localization/LanguageWindow.h"

#include "core/HttpGet.h"
#include "core/Prompt.h"
#include "core/Shell.h"
#include "localization/LanguageDownload.h"
#include "localization/LanguageEngine.h"
#include "localization/LocalizationFile.h"
#include "localization/ProgramValues.h"
#include "localization/WindowRegistry.h"
#include "settings/SettingKeys.h"
#include "settings/Settings.h"

#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vesperon {

namespace {

const QString ChooseLanguageHere = QStringLiteral("Choose Language Here");

QPushButton *button(const char *name, const QString &text, QWidget *parent) {
    auto *result = new QPushButton(text, parent);
    result->setObjectName(QLatin1String(name));
    return result;
}

} // namespace

LanguageWindow::LanguageWindow(LanguageEngine &languages, const ProgramValues &values,
                               settings::UserSettings &user, Prompt &prompt, Shell &shell, HttpGet &http,
                               QWidget *mainWindow)
    : QDialog(nullptr), m_languages(languages), m_values(values), m_user(user), m_prompt(prompt),
      m_shell(shell), m_http(http), m_main(mainWindow) {
    setObjectName(QStringLiteral("frmLanguage"));
    liveWindows().registerWindow(this);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Language Selection"));

    auto *label = new QLabel(QStringLiteral("Please select the language you would like to use:"), this);
    label->setObjectName(QStringLiteral("Label1"));
    label->setProperty("controlKind", QStringLiteral("SkinLabel"));
    m_languageList = new QComboBox(this);
    m_languageList->setObjectName(QStringLiteral("Combo1"));
    m_languageList->setEditable(true);
    m_languageList->setInsertPolicy(QComboBox::NoInsert);
    m_languageList->setEditText(ChooseLanguageHere);
    m_checkForUpdates = button("Command1", QStringLiteral("Check for language updates"), this);
    QPushButton *translate = button("Command3", QStringLiteral("Translate this program"), this);
    QPushButton *writeTemplate = button("cmdTemplate", QStringLiteral("Write English template"), this);
    auto *line = new QFrame(this);
    line->setObjectName(QStringLiteral("Line1"));
    line->setProperty("controlKind", QStringLiteral("Line"));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    QPushButton *ok = button("Command2", QStringLiteral("OK"), this);
    ok->setDefault(true);

    auto *tools = new QHBoxLayout;
    tools->addWidget(m_checkForUpdates);
    tools->addWidget(translate);
    tools->addWidget(writeTemplate);
    auto *closing = new QHBoxLayout;
    closing->addStretch();
    closing->addWidget(ok);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(m_languageList);
    layout->addLayout(tools);
    layout->addWidget(line);
    layout->addLayout(closing);

    connect(m_languageList, &QComboBox::activated, this, &LanguageWindow::onLanguagePicked);
    connect(m_checkForUpdates, &QPushButton::clicked, this, &LanguageWindow::onCheckForUpdatesClicked);
    connect(ok, &QPushButton::clicked, this, &LanguageWindow::onOkClicked);
    connect(translate, &QPushButton::clicked, this, &LanguageWindow::onTranslateClicked);
    connect(writeTemplate, &QPushButton::clicked, this, &LanguageWindow::onWriteTemplateClicked);
}

LanguageWindow::~LanguageWindow() {
    // Losing the focus while the window goes must not count as a pick.
    m_languageList->blockSignals(true);
}

QString LanguageWindow::localizationPath() const {
    return m_languages.localizationPath();
}

void LanguageWindow::load() {
    // The title message first, so that a "_CAPTION" item of the file can override it.
    setWindowTitle(m_languages.getMessages(QStringLiteral("MSG_TITLELANGUAGE")));
    m_languages.ChangeLanguage(this, m_values.CurrentLanguage);
    fillLanguageList();
}

void LanguageWindow::fillLanguageList() {
    m_languageList->clear();
    if (!LangFileExists(localizationPath()))
        return;
    const std::optional<QString> text = ReadLocalizationText(localizationPath());
    if (!text)
        return;
    // The stored name is shown even when the file has no group of that name.
    const QString stored = m_user.value(settings::keys::Language);
    const QStringList names = ListLanguageNames(*text);
    if (names.isEmpty())
        return;
    m_languageList->addItems(names);
    // Selecting the stored entry (rather than only typing its name over another one) keeps
    // the combo from taking the name as a fresh pick when it loses the focus.
    const int index = names.indexOf(stored);
    if (index >= 0)
        m_languageList->setCurrentIndex(index);
    m_languageList->setEditText(stored);
}

void LanguageWindow::onLanguagePicked() {
    const QString language = m_languageList->currentText();
    if (language == ChooseLanguageHere)
        return;
    m_user.setValue(settings::keys::Language, language);
    if (m_main)
        m_languages.ChangeLanguage(m_main, language);
    m_languages.ChangeLanguage(this, language);
}

void LanguageWindow::onCheckForUpdatesClicked() {
    if (m_downloading)
        return;
    m_downloading = true;
    m_checkForUpdates->setEnabled(false);
    m_http.DownloadText(languageDownloadAddress(m_values.Website), this,
                        [this](const QByteArray &body) { downloadArrived(body); });
}

void LanguageWindow::downloadArrived(const QByteArray &body) {
    m_downloading = false;
    m_checkForUpdates->setEnabled(true);
    // Anything but a localization file (no answer, an error page) leaves the old file alone,
    // without a word.
    const std::optional<QByteArray> bytes = localizationFromDownload(body);
    if (!bytes) {
        emit downloadFinished(false);
        return;
    }
    if (!replaceLocalizationFile(localizationPath(), *bytes)) {
        reportUnsaved();
        emit downloadFinished(false);
        return;
    }
    fillLanguageList();
    m_prompt.ask(m_languages.getMessages(QStringLiteral("MSG_DOWNLOADED")), m_values.ProgramName,
                 Prompt::Buttons::Ok, Prompt::Icon::None);
    emit downloadFinished(true);
}

void LanguageWindow::reportUnsaved() {
    m_prompt.ask(m_languages.getMessages(QStringLiteral("MSG_LANGUNSAVED")) + QStringLiteral("\n\n") +
                     QDir::toNativeSeparators(localizationPath()),
                 m_values.ProgramName, Prompt::Buttons::Ok, Prompt::Icon::Critical);
}

void LanguageWindow::reject() {
    QDialog::reject();
    close();
}

void LanguageWindow::onOkClicked() {
    close();
}

void LanguageWindow::onTranslateClicked() {
    if (LangFileExists(localizationPath()))
        m_shell.open(localizationPath());
}

void LanguageWindow::onWriteTemplateClicked() {
    // The template holds English only: every other language of the file goes.
    const Prompt::Answer answer =
        m_prompt.ask(m_languages.getMessages(QStringLiteral("MSG_TEMPLATE")) + QStringLiteral("\n\n") +
                         QDir::toNativeSeparators(localizationPath()),
                     m_values.ProgramName, Prompt::Buttons::OkCancel, Prompt::Icon::Warning);
    if (answer != Prompt::Answer::Ok)
        return;
    if (!m_languages.makeLocalizationFile())
        reportUnsaved();
    fillLanguageList();
}

} // namespace vesperon
