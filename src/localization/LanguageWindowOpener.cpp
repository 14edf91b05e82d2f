#include "localization/LanguageWindowOpener.h"

#include "app/AppContext.h"
#include "localization/frmLanguage.h"

#include <QPointer>
#include <memory>

namespace vesperon {

void installLanguageWindow(AppContext &context, QWidget &mainWindow, HttpGet &http) {
    auto loaded = std::make_shared<QPointer<frmLanguage>>();
    QPointer<QWidget> main(&mainWindow);
    context.open.language = [&context, &http, main, loaded](bool modal) {
        if (!*loaded) {
            *loaded = new frmLanguage(context, http, main.data());
            (*loaded)->Form_Load();
        }
        frmLanguage *window = *loaded;
        if (modal) {
            window->exec();
            return;
        }
        window->show();
        window->raise();
        window->activateWindow();
    };
}

} // namespace vesperon
