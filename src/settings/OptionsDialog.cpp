#include "settings/OptionsDialog.h"

#include "core/Twips.h"
#include "localization/LanguageEngine.h"
#include "localization/RoomForTexts.h"
#include "localization/WindowRegistry.h"
#include "settings/Settings.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSet>

namespace vesperon {

using settings::FieldKind;
using settings::OptionField;

namespace {

QString nameOf(const settings::SettingKey &key) {
    return settings::settingName(key.name);
}

QGroupBox *addGroup(QWidget *window, const char *name, const QString &caption, const QRect &place) {
    auto *group = new QGroupBox(caption, window);
    group->setObjectName(QLatin1String(name));
    group->setGeometry(place);
    return group;
}

QCheckBox *addCheck(QWidget *group, const char *name, const QString &caption, const QRect &place) {
    auto *box = new QCheckBox(caption, group);
    box->setObjectName(QLatin1String(name));
    box->setGeometry(place);
    return box;
}

QLineEdit *addText(QWidget *group, const settings::SettingKey &key, const QRect &place) {
    auto *edit = new QLineEdit(group);
    edit->setObjectName(nameOf(key));
    edit->setGeometry(place);
    return edit;
}

QLabel *addLabel(QWidget *group, const char *name, const QString &text, const QRect &place) {
    auto *label = new QLabel(text, group);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(place);
    return label;
}

QLabel *addSkinLabel(QWidget *group, const char *name, const QString &text, const QRect &place) {
    QLabel *label = addLabel(group, name, text, place);
    label->setProperty("controlKind", QStringLiteral("SkinLabel"));
    return label;
}

// One of the six info markers beside the tips; they share one translation key.
void addInfoMarker(QWidget *group, int index, const QRect &place) {
    QLabel *label = addLabel(group, "lblInfo", QStringLiteral("(i)"), place);
    label->setProperty("index", index);
}

// One labelled text box per setting, one under the other; labels named SkinLabel* are skin labels.
struct FieldRow {
    const char *label;
    const char *caption;
    const settings::SettingKey &key;
};

template <std::size_t N> void addFieldRows(QWidget *group, const FieldRow (&rows)[N]) {
    int top = 300;
    for (const FieldRow &row : rows) {
        QLabel *label =
            addLabel(group, row.label, QLatin1String(row.caption), twipsRect(120, top, 1455, 255));
        if (QLatin1String(row.label).startsWith(QLatin1String("Skin")))
            label->setProperty("controlKind", QStringLiteral("SkinLabel"));
        addText(group, row.key, twipsRect(1680, top, 3615, 285));
        top += 360;
    }
}

QPushButton *addButton(QWidget *group, const char *name, const QString &caption, const QRect &place) {
    auto *button = new QPushButton(caption, group);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(place);
    return button;
}

} // namespace

OptionsDialog::OptionsDialog(settings::ProgramSettings &settings, settings::StartupEntries &startup,
                             LanguageEngine &languages, QString language, QWidget *parent)
    : QWidget(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      m_settings(settings), m_startup(startup), m_languages(languages), m_language(std::move(language)) {
    setObjectName(QStringLiteral("frmOptions"));
    liveWindows().registerWindow(this);
    setWindowTitle(QStringLiteral("General Preferences"));
    setFixedSize(toPixels(10305), toPixels(2730));

    buildStartupGroup();
    buildMiscellaneousGroup();
    buildEmailGroup();
    buildFtpGroup();
    buildLanGroup();

    QSet<QString> bound;
    for (const OptionField &field : settings::OptionsLoadOrder) {
        if (!bound.contains(nameOf(field.key)))
            bindField(field);
        bound.insert(nameOf(field.key));
    }
    bindField(settings::OptionsLateField);
}

void OptionsDialog::buildStartupGroup() {
    QGroupBox *group =
        addGroup(this, "Frame1", QStringLiteral("Startup Options"), twipsRect(60, 60, 10095, 1455));
    QCheckBox *runAtStart =
        addCheck(group, "chkRunAtStart", QStringLiteral("Run at Windows Startup (recommended)"),
                 twipsRect(180, 360, 9735, 195));
    runAtStart->setEnabled(false); // the label below reports the registration; nothing here changes it
    m_lblRunAtStart =
        addSkinLabel(group, "lblRunAtStart", QStringLiteral("(Disabled)"), twipsRect(180, 600, 7995, 255));
    addCheck(group, "chkMin", QStringLiteral("Open minimized to the system Tray"),
             twipsRect(180, 840, 9735, 195));
    addCheck(group, "chkSplash", QStringLiteral("Don't show the splash screen"),
             twipsRect(180, 1140, 9855, 195));
}

void OptionsDialog::buildMiscellaneousGroup() {
    QGroupBox *group =
        addGroup(this, "Frame2", QStringLiteral("Miscellaneous Options"), twipsRect(60, 1620, 10095, 1035));
    addCheck(group, "chkNoShow", QStringLiteral("Don't show a reminder when I close the program."),
             twipsRect(120, 300, 9795, 255));
    addCheck(
        group, "chkAlwaysExit",
        QStringLiteral("Always exit completely when I close the program, don't run scheduled events after "
                       "closing."),
        twipsRect(120, 600, 9795, 315));
    addCheck(group, "chkLog", QStringLiteral("Enable Logging"), twipsRect(4200, 360, 2895, 195))->hide();
}

// The groups below are out of sight: they lie below the client area and are hidden.
void OptionsDialog::buildEmailGroup() {
    QGroupBox *group =
        addGroup(this, "Frame3", QStringLiteral("Email Configuration"), twipsRect(60, 2820, 10095, 2775));
    group->hide();
    const FieldRow rows[] = {
        {"Label1", "From:", settings::keys::txtEmailFrom},
        {"Label2", "Mail Server:", settings::keys::txtServer},
        {"Label3", "Port:", settings::keys::txtPort},
        {"Label4", "To:", settings::keys::txtEmailTo},
        {"Label5", "Username:", settings::keys::txtUsername},
        {"Label8", "Password:", settings::keys::txtPassword2},
    };
    addFieldRows(group, rows);
    group->findChild<QLineEdit *>(nameOf(settings::keys::txtPassword2))->setEchoMode(QLineEdit::Password);

    addCheck(group, "chkAuth", QStringLiteral("Use Authentication"), twipsRect(120, 2520, 2535, 195));
    addCheck(group, "chkAttachment", QStringLiteral("Send as Attachment"), twipsRect(2760, 2520, 2535, 195));
    addButton(group, "cmdSend", QStringLiteral("Test"), twipsRect(8760, 2340, 1215, 375));

    const char *const tips[] = {
        "The address the notices are sent from.",
        "The address that receives the notices.",
        "The server that sends the mail, and its port (usually 25).",
        "Only when the server asks for a user name and password.",
    };
    const char *const tipNames[] = {"SkinLabel1", "SkinLabel2", "SkinLabel3", "SkinLabel4"};
    for (int i = 0; i < 4; ++i) {
        addInfoMarker(group, i, twipsRect(5460, 300 + 480 * i, 255, 255));
        // Two lines of small print each: the tips wrap.
        addSkinLabel(group, tipNames[i], QLatin1String(tips[i]), twipsRect(5760, 300 + 480 * i, 4215, 465))
            ->setWordWrap(true);
    }
}

void OptionsDialog::buildFtpGroup() {
    QGroupBox *group =
        addGroup(this, "Frame4", QStringLiteral("Default FTP Values"), twipsRect(60, 5700, 10095, 2175));
    group->hide();
    const FieldRow rows[] = {
        {"Label9", "Host:", settings::keys::txtFTPHost},
        {"Label10", "Port:", settings::keys::txtFTPPort},
        {"Label12", "Username:", settings::keys::txtFTPUsername},
        {"Label13", "Password:", settings::keys::txtFTPPassword},
        {"SkinLabel5", "Folder:", settings::keys::txtFTPFolder},
    };
    addFieldRows(group, rows);
    group->findChild<QLineEdit *>(nameOf(settings::keys::txtFTPPassword))->setEchoMode(QLineEdit::Password);
    addInfoMarker(group, 4, twipsRect(5460, 300, 255, 255));
}

void OptionsDialog::buildLanGroup() {
    QGroupBox *group = addGroup(this, "Frame5", QStringLiteral("Default LAN Backup Folder"),
                                twipsRect(60, 7980, 10095, 855));
    group->hide();
    addSkinLabel(group, "SkinLabel6", QStringLiteral("Folder:"), twipsRect(120, 360, 1455, 255));
    addText(group, settings::keys::txtLanFolder, twipsRect(1680, 360, 6855, 285));
    addButton(group, "cmdBrowse", QStringLiteral("Browse"), twipsRect(8760, 300, 1215, 375));
    addInfoMarker(group, 5, twipsRect(5460, 120, 255, 255));
}

QWidget *OptionsDialog::fieldControl(const settings::SettingKey &key) const {
    return findChild<QWidget *>(nameOf(key));
}

void OptionsDialog::bindField(const OptionField &field) {
    QWidget *control = fieldControl(field.key);
    Q_ASSERT(control);
    // Fire for a change the user makes and for a value loaded into the control, as long as the
    // content changes.
    if (auto *box = qobject_cast<QCheckBox *>(control))
        connect(box, &QCheckBox::toggled, this,
                [this, field](bool checked) { onCheckToggled(field, checked); });
    else if (auto *edit = qobject_cast<QLineEdit *>(control))
        connect(edit, &QLineEdit::textChanged, this,
                [this, field](const QString &text) { onTextChanged(field, text); });
}

void OptionsDialog::onCheckToggled(const OptionField &field, bool checked) {
    m_settings.setValue(field.key, settings::settingFromChecked(checked));
}

void OptionsDialog::onTextChanged(const OptionField &field, const QString &text) {
    m_settings.setValue(field.key, settings::settingFromText(text, field.kind));
}

void OptionsDialog::loadField(const OptionField &field) {
    const QString stored = m_settings.value(field.key);
    QWidget *control = fieldControl(field.key);
    if (auto *box = qobject_cast<QCheckBox *>(control))
        box->setChecked(settings::checkedFromSetting(stored));
    else if (auto *edit = qobject_cast<QLineEdit *>(control))
        edit->setText(settings::textFromSetting(stored, field.kind));
}

void OptionsDialog::load() {
    m_languages.ChangeLanguage(this, m_language);
    setWindowTitle(m_languages.getMessages(QStringLiteral("MSG_TITLEOPTIONS")));

    for (const OptionField &field : settings::OptionsLoadOrder)
        loadField(field);
    // Set after the language pass: the registration decides which message shows.
    m_lblRunAtStart->setText(m_languages.getMessages(settings::runAtStartMessage(m_startup)));
#ifndef Q_OS_WIN
    // The control's own text speaks of Windows.
    findChild<QCheckBox *>(QStringLiteral("chkRunAtStart"))
        ->setText(m_languages.getMessages(QStringLiteral("MSG_RUNATSTARTUP")));
#endif
    makeRoomForTexts(this);
    loadField(settings::OptionsLateField);
}

} // namespace vesperon
