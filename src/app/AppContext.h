#pragma once

#include "core/AppFolder.h"
#include "core/Clock.h"
#include "core/Prompt.h"
#include "core/Shell.h"
#include "schedule/ScheduleRecord.h"

#include <QString>
#include <functional>

namespace vesperon {

class PowerBackend;
class TrayHost;
class LanguageEngine;
struct ProgramValues;
namespace settings {
class SettingsBundle;
}

// The secondary windows the main window opens. Each is one function, so the window that
// opens them does not build them and tests can see what was opened.
struct WindowOpeners {
    // The schedule to change (Edit), or nullptr for a new one (New). Opening an enabled
    // schedule without a start time fills in the current moment there.
    std::function<void(ScheduleRecord *schedule)> wizard;
    std::function<void()> options; // General Preferences
    std::function<void(bool modal)> language;
    std::function<void()> help; // opens the help file (and records that it was shown)
    std::function<void()> about;
    std::function<void(const QString &mode)> website; // mode "Website": the program's web address
};

// Everything the windows share for the whole run: the outside world behind its seams, and
// the few program-wide values. Created once by main() (or by a test) and handed down.
struct AppContext {
    AppContext(const Clock &clock, Prompt &prompt, Shell &shell, TrayHost &tray, PowerBackend &osPower,
               settings::SettingsBundle &settings, LanguageEngine &languages, ProgramValues &values,
               AppFolder folder)
        : clock(clock), prompt(prompt), shell(shell), tray(tray), osPower(osPower), settings(settings),
          languages(languages), values(values), folder(std::move(folder)) {}

    const Clock &clock;
    Prompt &prompt;
    Shell &shell;
    TrayHost &tray;
    PowerBackend &osPower;
    settings::SettingsBundle &settings;
    LanguageEngine &languages;
    ProgramValues &values;
    AppFolder folder;

    WindowOpeners open;

    bool exitRequested = false; // closing the main window ends the program
    bool startedHidden = false; // the main window went straight to the tray
};

} // namespace vesperon
