#pragma once

#include "localization/MessageTable.h"
#include "localization/ProgramValues.h"
#include "localization/TranslationItems.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QWidget;

namespace vesperon {

class WindowRegistry;

// The language engine: keeps the item lines of the language last loaded from
// Localization.txt, translates windows on request and answers message lookups by key.
// One object lives for the whole run. Its operations keep the names the rest of the
// program's localization code knows them by (getMessages, ChangeLanguage, makeLocalizationFile).
class LanguageEngine {
public:
    // localizationPath is the full path of Localization.txt; values supplies the current
    // language and the placeholder values. The template writer walks the program's live
    // windows (liveWindows()) unless setWindowRegistry names another registry.
    explicit LanguageEngine(QString localizationPath, ProgramValues &values = programValues());

    // Registers a message under a key (see MessageTable).
    void setMessage(const QString &strName, const QString &strMessage);
    // The current text of a message: "[ProgramName]" and "[CompanyName]" replaced (any
    // letter case), first letter upper-cased. Empty for an unknown key.
    QString getMessages(const QString &strName) const;

    // Loads strLang (falling back to English when no usable lines are loaded), then
    // translates myForm's controls, its caption and the message table, and gives the
    // controls the room their new texts need (makeRoomForTexts).
    void ChangeLanguage(QWidget *myForm, const QString &strLang);

    // The text of an item of the loaded language with every placeholder replaced and the
    // first letter upper-cased; empty when nothing is loaded or the item is missing.
    QString getCaption(const QString &strName) const;

    static bool LangFileExists(const QString &asPath);
    static QString LangTrimPath(const QString &asPath);

    // Writes Localization.txt anew as the English template: the items of every live window
    // of the registry in creation order, then the message table. beforeTemplate runs first
    // (it loads the windows that must be part of the file). False when the write failed; the
    // old file is then kept.
    bool makeLocalizationFile();
    void setWindowRegistry(const WindowRegistry *windows) { m_windows = windows; }
    void setBeforeTemplate(std::function<void()> beforeTemplate) {
        m_beforeTemplate = std::move(beforeTemplate);
    }

    const std::optional<TranslationItems> &itemLines() const { return m_itemLines; }
    const MessageTable &messages() const { return m_messages; }
    const QString &localizationPath() const { return m_path; }

private:
    void loadLanguage(const QString &strLang);
    QString replacePlaceholders(QString text, bool withWebsite) const;
    void translateWindow(QWidget *myForm);

    QString m_path;
    ProgramValues &m_values;
    MessageTable m_messages;
    std::optional<TranslationItems> m_itemLines;
    const WindowRegistry *m_windows = nullptr;
    std::function<void()> m_beforeTemplate;
};

// Registers the program's default messages, in their fixed order.
void SetDefaultMessages(LanguageEngine &languages);

} // namespace vesperon
