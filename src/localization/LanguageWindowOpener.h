#pragma once

class QWidget;

namespace vesperon {

struct AppContext;
class HttpGet;

// Sets context.open.language: loads the language window (or brings up the one already
// loaded), modal at the first start and modeless from the menu. A pick re-translates
// mainWindow at once.
void installLanguageWindow(AppContext &context, QWidget &mainWindow, HttpGet &http);

} // namespace vesperon
