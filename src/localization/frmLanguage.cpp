#include "localization/frmLanguage.h"

#include "app/AppContext.h"
#include "core/HttpGet.h"
#include "localization/LanguageDownload.h"
#include "localization/LocalizationFile.h"
#include "localization/WindowRegistry.h"
#include "localization/clsLanguages.h"
#include "settings/SettingsBundle.h"

#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vesperon {

namespace {

const QString ChooseLanguageHere = QStringLiteral("Choose Language Here");

} // namespace

frmLanguage::frmLanguage(AppContext &context, HttpGet &http, QWidget *mainWindow)
    : QDialog(nullptr), m_ctx(context), m_http(http), m_main(mainWindow) {
    setObjectName(QStringLiteral("frmLanguage"));
    liveWindows().registerWindow(this);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Language Selection"));

    m_Label1 = new QLabel(QStringLiteral("Please select the language you would like to use:"), this);
    m_Label1->setObjectName(QStringLiteral("Label1"));
    m_Label1->setProperty("controlKind", QStringLiteral("SkinLabel"));
    m_Combo1 = new QComboBox(this);
    m_Combo1->setObjectName(QStringLiteral("Combo1"));
    m_Combo1->setEditable(true);
    m_Combo1->setInsertPolicy(QComboBox::NoInsert);
    m_Combo1->setEditText(ChooseLanguageHere);
    m_Command1 = new QPushButton(QStringLiteral("Check for language updates"), this);
    m_Command1->setObjectName(QStringLiteral("Command1"));
    m_Command3 = new QPushButton(QStringLiteral("Translate this program"), this);
    m_Command3->setObjectName(QStringLiteral("Command3"));
    m_cmdTemplate = new QPushButton(QStringLiteral("Write English template"), this);
    m_cmdTemplate->setObjectName(QStringLiteral("cmdTemplate"));
    auto *line = new QFrame(this);
    line->setObjectName(QStringLiteral("Line1"));
    line->setProperty("controlKind", QStringLiteral("Line"));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    m_Command2 = new QPushButton(QStringLiteral("OK"), this);
    m_Command2->setObjectName(QStringLiteral("Command2"));
    m_Command2->setDefault(true);

    auto *tools = new QHBoxLayout;
    tools->addWidget(m_Command1);
    tools->addWidget(m_Command3);
    tools->addWidget(m_cmdTemplate);
    auto *closing = new QHBoxLayout;
    closing->addStretch();
    closing->addWidget(m_Command2);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_Label1);
    layout->addWidget(m_Combo1);
    layout->addLayout(tools);
    layout->addWidget(line);
    layout->addLayout(closing);

    connect(m_Combo1, &QComboBox::activated, this, &frmLanguage::Combo1_Click);
    connect(m_Command1, &QPushButton::clicked, this, &frmLanguage::Command1_Click);
    connect(m_Command2, &QPushButton::clicked, this, &frmLanguage::Command2_Click);
    connect(m_Command3, &QPushButton::clicked, this, &frmLanguage::Command3_Click);
    connect(m_cmdTemplate, &QPushButton::clicked, this, &frmLanguage::cmdTemplate_Click);
}

frmLanguage::~frmLanguage() {
    // Losing the focus while the window goes must not count as a pick.
    m_Combo1->blockSignals(true);
}

QString frmLanguage::localizationPath() const {
    return m_ctx.languages.localizationPath();
}

void frmLanguage::Form_Load() {
    // The title message first, so that a "_CAPTION" item of the file can override it.
    setWindowTitle(m_ctx.languages.getMessages(QStringLiteral("MSG_TITLELANGUAGE")));
    m_ctx.languages.ChangeLanguage(this, m_ctx.values.CurrentLanguage);
    FillLanguageList();
}

void frmLanguage::FillLanguageList() {
    m_Combo1->clear();
    if (!LangFileExists(localizationPath()))
        return;
    const std::optional<QString> text = ReadLocalizationText(localizationPath());
    if (!text)
        return;
    // The stored name is shown even when the file has no group of that name.
    const QString stored = m_ctx.settings.user().value(settings::keys::Language);
    const QStringList names = ListLanguageNames(*text);
    if (names.isEmpty())
        return;
    m_Combo1->addItems(names);
    // Selecting the stored entry (rather than only typing its name over another one) keeps
    // the combo from taking the name as a fresh pick when it loses the focus.
    const int index = names.indexOf(stored);
    if (index >= 0)
        m_Combo1->setCurrentIndex(index);
    m_Combo1->setEditText(stored);
}

void frmLanguage::Combo1_Click() {
    const QString language = m_Combo1->currentText();
    if (language == ChooseLanguageHere)
        return;
    m_ctx.settings.user().setValue(settings::keys::Language, language);
    if (m_main)
        m_ctx.languages.ChangeLanguage(m_main, language);
    m_ctx.languages.ChangeLanguage(this, language);
}

void frmLanguage::Command1_Click() {
    if (m_downloading)
        return;
    m_downloading = true;
    m_Command1->setEnabled(false);
    m_http.DownloadText(languageDownloadAddress(m_ctx.values.Website), this,
                        [this](const QByteArray &body) { downloadArrived(body); });
}

void frmLanguage::downloadArrived(const QByteArray &body) {
    m_downloading = false;
    m_Command1->setEnabled(true);
    // Anything but a localization file (no answer, an error page) leaves the old file alone,
    // without a word.
    const std::optional<QByteArray> bytes = localizationFromDownload(body);
    if (!bytes) {
        emit downloadFinished(false);
        return;
    }
    if (!replaceLocalizationFile(localizationPath(), *bytes)) {
        m_ctx.prompt.ask(
            QStringLiteral("The language file could not be saved to %1.").arg(localizationPath()),
            m_ctx.values.ProgramName, Prompt::Buttons::Ok, Prompt::Icon::Critical);
        emit downloadFinished(false);
        return;
    }
    FillLanguageList();
    m_ctx.prompt.ask(m_ctx.languages.getMessages(QStringLiteral("MSG_DOWNLOADED")), m_ctx.values.ProgramName,
                     Prompt::Buttons::Ok, Prompt::Icon::None);
    emit downloadFinished(true);
}

void frmLanguage::reject() {
    QDialog::reject();
    close();
}

void frmLanguage::Command2_Click() {
    close();
}

void frmLanguage::Command3_Click() {
    if (LangFileExists(localizationPath()))
        m_ctx.shell.open(localizationPath());
}

void frmLanguage::cmdTemplate_Click() {
    // The template holds English only: every other language of the file goes.
    const Prompt::Answer answer =
        m_ctx.prompt.ask(QStringLiteral("Replace %1 with the English template of this program's texts? "
                                        "Every other language in the file will be removed.")
                             .arg(localizationPath()),
                         m_ctx.values.ProgramName, Prompt::Buttons::OkCancel, Prompt::Icon::Warning);
    if (answer != Prompt::Answer::Ok)
        return;
    if (!m_ctx.languages.makeLocalizationFile())
        m_ctx.prompt.ask(
            QStringLiteral("The language file could not be saved to %1.").arg(localizationPath()),
            m_ctx.values.ProgramName, Prompt::Buttons::Ok, Prompt::Icon::Critical);
    FillLanguageList();
}

} // namespace vesperon
