#include "app/WizardOpener.h"

#include "app/AppContext.h"
#include "app/frmMain.h"
#include "editor/frmWizard.h"
#include "localization/clsLanguages.h"

#include <QPointer>
#include <memory>

namespace vesperon {

void installWizard(AppContext &context, frmMain &mainWindow) {
    auto open = std::make_shared<QPointer<frmWizard>>();
    // Loads a wizard unless one is loaded; it stays hidden until someone shows it.
    const auto ensureLoaded = [&context, &mainWindow, open]() -> frmWizard * {
        if (!*open) {
            auto *wizard = new frmWizard(
                context, mainWindow.scheduleList(), [&mainWindow] { mainWindow.loadData(); }, &mainWindow);
            wizard->setAttribute(Qt::WA_DeleteOnClose);
            // A closed wizard is deleted later; from now on New or Edit load a fresh one.
            QObject::connect(wizard, &frmWizard::unloaded, wizard, [open] { *open = nullptr; });
            *open = wizard;
            wizard->Form_Load();
        }
        return *open;
    };
    context.open.wizard = [ensureLoaded] {
        frmWizard *wizard = ensureLoaded();
        wizard->show();
        wizard->raise();
        wizard->activateWindow();
    };
    // The translation template must hold the wizard's texts: it is loaded, hidden, first.
    context.languages.setBeforeTemplate([ensureLoaded] { ensureLoaded(); });
}

} // namespace vesperon
