#include "localization/LanguageEngine.h"

#include "localization/LocalizationFile.h"
#include "localization/RoomForTexts.h"
#include "localization/WindowRegistry.h"

namespace vesperon {

namespace {

QString upperFirst(QString text) {
    if (!text.isEmpty())
        text[0] = text.at(0).toUpper();
    return text;
}

} // namespace

LanguageEngine::LanguageEngine(QString localizationPath, ProgramValues &values)
    : m_path(std::move(localizationPath)), m_values(values), m_windows(&liveWindows()) {}

void LanguageEngine::setMessage(const QString &strName, const QString &strMessage) {
    m_messages.setMessage(strName, strMessage);
}

QString LanguageEngine::replacePlaceholders(QString text, bool withWebsite) const {
    text.replace(QStringLiteral("[ProgramName]"), m_values.ProgramName, Qt::CaseInsensitive);
    text.replace(QStringLiteral("[CompanyName]"), m_values.CompanyName, Qt::CaseInsensitive);
    if (withWebsite)
        text.replace(QStringLiteral("[Website]"), m_values.Website, Qt::CaseInsensitive);
    return text;
}

QString LanguageEngine::getMessages(const QString &strName) const {
    const int row = m_messages.find(strName);
    if (row < 0)
        return QString();
    return upperFirst(replacePlaceholders(m_messages.row(row).strMessage, false));
}

QString LanguageEngine::getCaption(const QString &strName) const {
    if (!m_itemLines)
        return QString();
    return upperFirst(replacePlaceholders(m_itemLines->find(strName), true));
}

void LanguageEngine::loadLanguage(const QString &strLang) {
    m_values.CurrentLanguage = strLang;
    if (!LangFileExists(m_path))
        return;
    const std::optional<QString> text = ReadLocalizationText(m_path);
    if (!text)
        return;
    if (std::optional<QStringList> lines = FindLanguageGroup(*text, strLang))
        m_itemLines.emplace(std::move(*lines));
}

void LanguageEngine::ChangeLanguage(QWidget *myForm, const QString &strLang) {
    loadLanguage(strLang);
    // A language whose items all sit on one line (or none loaded at all) is unusable: fall
    // back to English. An empty group is taken as it is.
    if (!m_itemLines || m_itemLines->size() == 1)
        loadLanguage(QStringLiteral("English"));
    if (myForm) {
        translateWindow(myForm);
        makeRoomForTexts(myForm);
    }
    for (int row = 0; row < m_messages.usedRows(); ++row) {
        const QString text = getCaption(m_messages.row(row).strName);
        if (!text.isEmpty())
            m_messages.setText(row, text);
    }
}

bool LanguageEngine::LangFileExists(const QString &asPath) {
    return vesperon::LangFileExists(asPath);
}

QString LanguageEngine::LangTrimPath(const QString &asPath) {
    return vesperon::LangTrimPath(asPath);
}

void SetDefaultMessages(LanguageEngine &languages) {
    static const char *const Defaults[][2] = {
        {"MSG_NEWNAME", "Error: An item with that name already exists.  Please choose a different name"},
        {"MSG_NONAME", "Error: You must choose a name for this schedule"},
        {"MSG_DELETE", "Are you sure you want to delete the selected item?"},
        {"MSG_SURE", "Are you sure you want to perform the selected action immediately?"},
        {"MSG_TITLE", "[ProgramName] by [CompanyName]"},
        {"MSG_TITLERUNNING", "[ProgramName] is still running"},
        {"MSG_TITLEOPTIONS", "General Preferences"},
        {"MSG_TITLEWIZARD", "Schedule Configuration"},
        {"MSG_TITLELANGUAGE", "Language Selection"},
        {"MSG_TITLEABOUT", "About [ProgramName]"},
        {"MSG_MONDAY", "Monday"},
        {"MSG_TUESDAY", "Tuesday"},
        {"MSG_WEDNESDAY", "Wednesday"},
        {"MSG_THURSDAY", "Thursday"},
        {"MSG_FRIDAY", "Friday"},
        {"MSG_SATURDAY", "Saturday"},
        {"MSG_SUNDAY", "Sunday"},
        {"MSG_DOWNLOADED",
         "The most recent language file has been downloaded.  Please check for new languages."},
        {"MSG_NOSLEEPBLOCK", "The system refused to keep this computer awake, so the box has been cleared."},
        {"MSG_UNREADABLE", "(cannot be read)"},
        {"MSG_MANAGED", "(managed)"},
        {"MSG_MANAGEDTIP",
         "Set up by your administrator for every user of this computer; it cannot be changed here."},
        {"MSG_HIDDENBYMANAGED", "(hidden by a managed schedule)"},
        {"MSG_HIDDENBYMANAGEDTIP", "A schedule of the same name set up by your administrator replaces this "
                                   "one, so this one does not run."},
        {"MSG_NOTRAY", "This desktop has no system tray, so [ProgramName] stays open as a minimized window "
                       "and your schedules keep running. To end the program, choose Exit in the File menu."},
        {"MSG_NOHELP",
         "The user guide was not found. Install [ProgramName] again to restore it. Looked for:"},
        {"MSG_NOVIEWER", "No program on this computer could open this. Install a web browser (for example "
                         "Firefox) and set it as the default browser, then try again."},
        {"MSG_NOPOWERSETTINGS", "The power settings could not be opened: none of the programs that show them "
                                "is installed. Install the power settings of your desktop, one of:"},
        {"MSG_PASTSTART", "The start time has passed; save anyway?"},
        {"MSG_RUNATSTARTUP", "Run at Startup (recommended)"},
        {"MSG_RUNALLUSERS", "(Enabled - All Users)"},
        {"MSG_RUNTHISUSER", "(Enabled - This User)"},
        {"MSG_RUNMANUALLY", "(Disabled - Run Manually)"},
        {"MSG_FILEERROR", "Error %1 - %2"},
        {"MSG_ERROR52", "Bad file name or number"},
        {"MSG_ERROR57", "Device I/O error"},
        {"MSG_ERROR61", "Disk full"},
        {"MSG_ERROR75", "Path/File access error"},
        {"MSG_ERROR76", "Path not found"},
        {"MSG_LANGUNSAVED", "The language file could not be saved:"},
        {"MSG_TEMPLATE", "Replace the language file with the English template of this program's texts? Every "
                         "other language in the file will be removed."},
        {"MSG_TITLEDELETE", "Really delete?"},
        {"MSG_TITLECONFIRM", "Confirm Choice"},
        {"MSG_PERMISSION",
         "[ProgramName] requires read/write access to the system registry and hard drive in order to run "
         "properly.  This user account does not have the proper permissions set.  As a result some or all "
         "of your settings may not be properly saved.  Please contact your system administrator or change "
         "the permission settings for this account."},
        {"MSG_PERMISSIONIGNORE", "If you would like to prevent this error message from being displayed "
                                 "again, please press 'Ignore'."},
        {"MSG_TITLEPERMISSION", "Permission Denied"},
        {"MSG_TITLEWARNING", "Scheduled action"},
        {"MSG_WARNING", "%1 in %2 — schedule '%3'"},
        {"MSG_WARNINGCANCEL", "Cancel this run"},
        {"MSG_WARNINGPOSTPONE", "Postpone 10 minutes"},
        {"MSG_WARNINGNOW", "Do it now"},
        {"MSG_NEXTRUN", "%1 at %2 — %3"},
        {"MSG_REFUSED", "%1 could not be performed: the system refused it."},
        {"MSG_TITLEHISTORY", "History"},
        {"MSG_HISTORYTIME", "Time"},
        {"MSG_HISTORYRESULT", "Result"},
        {"MSG_HISTORYACTION", "Action"},
        {"MSG_HISTORYSCHEDULE", "Schedule"},
        {"MSG_HISTORYDETAIL", "Detail"},
        {"MSG_HISTORYCLOSE", "Close"},
        {"MSG_HISTORYFIRED", "Performed"},
        {"MSG_HISTORYREFUSED", "Refused by the system"},
        {"MSG_HISTORYSKIPPED", "Skipped"},
        {"MSG_HISTORYPOSTPONED", "Postponed"},
        {"MSG_HISTORYMISSEDSLEEP", "Missed: the computer was asleep"},
        {"MSG_HISTORYMISSEDPREVENT", "Missed: schedules were prevented"},
        {"MSG_NEEDSPASSWORD", "This computer does not allow [ProgramName] to run \"%1\" without a password."},
        {"MSG_NOTALLOWED", "This computer does not allow [ProgramName] to run \"%1\"."},
        {"MSG_NOTHERE", "This computer cannot run \"%1\"."},
        {"MSG_NEEDSPASSWORDSHORT", "(needs a password)"},
        {"MSG_NOTHERESHORT", "(not available here)"},
        {"MSG_SAVEANYWAY", "Save the schedule anyway?"},
    };
    for (const auto &entry : Defaults)
        languages.setMessage(QString::fromUtf8(entry[0]), QString::fromUtf8(entry[1]));
}

} // namespace vesperon
