// The parts of the language engine that walk windows: translating one window and writing
// the template from the live windows.

#include "localization/LanguageEngine.h"
#include "localization/LocalizationFile.h"
#include "localization/WindowRegistry.h"
#include "localization/WindowTexts.h"

namespace vesperon {

void LanguageEngine::translateWindow(QWidget *myForm) {
    const QString windowName = myForm->objectName();
    for (QObject *control : windowControls(myForm)) {
        for (const WindowText &text : controlTexts(control, windowName)) {
            const QString caption = getCaption(text.key);
            if (!caption.isEmpty())
                text.write(caption);
        }
    }
    const WindowText caption = windowCaption(myForm);
    const QString title = getCaption(caption.key);
    if (!title.isEmpty())
        caption.write(title);
}

bool LanguageEngine::makeLocalizationFile() {
    if (m_beforeTemplate)
        m_beforeTemplate();
    QList<LocalizationItem> items;
    const auto add = [&items](const WindowText &text) {
        // A text that cannot be read is left out; the rest of the file is still written.
        if (const std::optional<QString> value = text.read())
            items.append(LocalizationItem{text.key, *value});
    };
    if (m_windows) {
        for (QWidget *window : m_windows->windows()) {
            for (QObject *control : windowControls(window)) {
                for (const WindowText &text : controlTexts(control, window->objectName()))
                    add(text);
            }
            add(windowCaption(window));
        }
    }
    for (int row = 0; row < m_messages.usedRows(); ++row)
        items.append(LocalizationItem{m_messages.row(row).strName, m_messages.row(row).strMessage});
    return writeLocalizationTemplate(m_path, items);
}

} // namespace vesperon
