#include "app/OptionsOpener.h"

#include "app/AppContext.h"
#include "localization/ProgramValues.h"
#include "settings/OptionsDialog.h"
#include "settings/SettingsBundle.h"

#include <QPointer>
#include <memory>

namespace vesperon {

namespace {

// The one options window of a context, destroyed with it.
struct OptionsWindowSlot {
    OptionsWindowSlot() = default;
    OptionsWindowSlot(const OptionsWindowSlot &) = delete;
    OptionsWindowSlot &operator=(const OptionsWindowSlot &) = delete;
    ~OptionsWindowSlot() { delete window.data(); }

    QPointer<OptionsDialog> window;
};

} // namespace

void installOptions(AppContext &context, const QIcon &icon) {
    auto slot = std::make_shared<OptionsWindowSlot>();
    context.open.options = [&context, slot, icon] {
        // A window closed a moment ago is hidden and waits to be destroyed: it is not reused.
        if (slot->window && slot->window->isVisible()) {
            slot->window->raise();
            slot->window->activateWindow();
            return;
        }
        auto *window = new OptionsDialog(context.settings.program(), context.settings.startup(),
                                         context.languages, context.values.CurrentLanguage);
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->setWindowIcon(icon);
        slot->window = window;
        window->load();
        window->show();
    };
}

} // namespace vesperon
