#include "app/WizardOpener.h"

#include "app/AppContext.h"
#include "app/frmMain.h"
#include "editor/frmWizard.h"

#include <QPointer>
#include <memory>

namespace vesperon {

void installWizard(AppContext &context, frmMain &mainWindow) {
    auto open = std::make_shared<QPointer<frmWizard>>();
    context.open.wizard = [&context, &mainWindow, open] {
        if (!*open) {
            auto *wizard = new frmWizard(
                context, mainWindow.scheduleList(), [&mainWindow] { mainWindow.loadData(); }, &mainWindow);
            wizard->setAttribute(Qt::WA_DeleteOnClose);
            // A closed wizard is deleted later; from now on New or Edit load a fresh one.
            QObject::connect(wizard, &frmWizard::unloaded, wizard, [open] { *open = nullptr; });
            *open = wizard;
            wizard->Form_Load();
        }
        frmWizard *wizard = *open;
        wizard->show();
        wizard->raise();
        wizard->activateWindow();
    };
}

} // namespace vesperon
