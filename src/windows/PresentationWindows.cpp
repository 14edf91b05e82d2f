#include "windows/PresentationWindows.h"

#include "app/AppContext.h"
#include "windows/Form8.h"
#include "windows/frmAbout.h"
#include "windows/frmWebsite.h"

#include <QPointer>
#include <memory>

namespace vesperon {

void installPresentationWindows(AppContext &context) {
    struct Loaded {
        QPointer<frmAbout> about;
        QPointer<frmWebsite> website;
    };
    auto loaded = std::make_shared<Loaded>();

    context.open.help = [&context] {
        Form8 launcher(context);
        launcher.Form_Load();
    };
    context.open.about = [&context, loaded] {
        if (!loaded->about) {
            loaded->about = new frmAbout(context);
            loaded->about->Form_Load();
        }
        loaded->about->show();
        loaded->about->raise();
        loaded->about->activateWindow();
    };
    context.open.website = [&context, loaded] {
        if (loaded->website)
            return; // still loaded: its load step does not run again
        loaded->website = new frmWebsite(context);
        loaded->website->Form_Load();
    };
}

} // namespace vesperon
