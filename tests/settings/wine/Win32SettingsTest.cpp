// The Windows back ends of the settings, and the program store above them, against a real
// registry (Wine's), built with mingw-w64 alone: no Qt, no GoogleTest.
#include "settings/Win32Settings.h"
#include "../../support/WinChecks.h"
#include "settings/FlipHighBit.h"
#include "settings/ProgramStore.h"

#include <windows.h>

#include <string>

using namespace vesperon::settings;

namespace {

class CountingPrompt final : public PermissionPrompt {
public:
    int asked = 0;
    Answer ask(const std::string &, const std::string &) override {
        ++asked;
        return Answer::Abort;
    }
};

const char *const SettingsPath = "SOFTWARE\\Quillmark\\Vesperon\\Settings";

// Writes a value of any type straight through the Win32 API, as another program would; the key
// is created on the way.
void putRaw(HKEY root, const char *path, const char *name, DWORD type, const void *data, DWORD size) {
    CHECK(RegSetKeyValueA(root, path, name, type, data, size) == ERROR_SUCCESS);
}

// A REG_SZ value as stored, or "<no string>".
std::string rawString(HKEY root, const char *path, const char *name) {
    char buffer[256] = {};
    DWORD size = sizeof buffer;
    if (RegGetValueA(root, path, name, RRF_RT_REG_SZ, nullptr, buffer, &size) != ERROR_SUCCESS)
        return "<no string>";
    return std::string(buffer, size > 0 ? size - 1 : 0);
}

void programStore() {
    RegistrySettingsStore registry(" Quillmark ", " Vesperon ");
    CountingPrompt prompt;
    ProgramStore store(registry, prompt, "Vesperon");
    // No key yet; then written and read back, the key created on the way; then the key exists
    // and the value does not.
    ReadResult missingKey = store.read("txtPort", "25");
    CHECK(!missingKey.failed() && missingKey.value == "25");
    store.write("chkMin", "1");
    CHECK(rawString(HKEY_LOCAL_MACHINE, SettingsPath, "chkMin") == "1");
    ReadResult missingValue = store.read("txtPort", "25");
    CHECK(!missingValue.failed() && missingValue.value == "25");

    // A value with no data at all, one stored without its NUL, one of another type.
    putRaw(HKEY_LOCAL_MACHINE, SettingsPath, "zeroSize", REG_SZ, "", 0);
    ReadResult zeroSize = store.read("zeroSize", "default");
    CHECK(!zeroSize.failed() && zeroSize.value.empty());
    putRaw(HKEY_LOCAL_MACHINE, SettingsPath, "noNul", REG_SZ, "abc", 3);
    CHECK(store.read("noNul", "").value == "abc");
    const DWORD one = 1;
    putRaw(HKEY_LOCAL_MACHINE, SettingsPath, "chkSplash", REG_DWORD, &one, sizeof one);
    ReadResult dword = store.read("chkSplash", "0");
    CHECK(dword.error == 0x800407D4u && dword.message == "Registry data not a string");

    // A scrambled password's high bytes survive the registry.
    std::string password = "abc";
    store.write("txtPassword2", FlipHighBit(password));
    CHECK(store.read("txtPassword2", "").value == "\xE1\xE2\xE3");

    CHECK(prompt.asked == 0);
}

void userScope() {
    const char *const userPath = "Software\\VB and VBA Program Settings\\Vesperon\\Settings";
    RegistrySettingsStore registry("Quillmark", "Vesperon");
    CHECK(registry.write(SettingsScope::ThisUser, "Language", "English").ok());
    CHECK(rawString(HKEY_CURRENT_USER, userPath, "Language") == "English");
    const StoreRead language = registry.read(SettingsScope::ThisUser, "LANGUAGE");
    CHECK(language.outcome == StoreRead::Outcome::Found && language.value == "English");
}

void runKeys() {
    RunKeyEntries entries(" Vesperon ", "vesperon");
    const char *run = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
    const char allUsers[] = "\"C:\\Program Files\\Quillmark\\VESPERON.EXE\" /tray";
    putRaw(HKEY_LOCAL_MACHINE, run, "Vesperon", REG_SZ, allUsers, sizeof allUsers);
    CHECK(entries.isRegisteredForAllUsers());
    CHECK(!entries.isRegisteredForThisUser());

    const char mine[] = "C:\\Users\\me\\Vesperon.exe";
    putRaw(HKEY_CURRENT_USER, run, "Vesperon", REG_SZ, mine, sizeof mine);
    CHECK(entries.isRegisteredForThisUser());

    const char expand[] = "%ProgramFiles%\\Vesperon\\vesperon.exe";
    putRaw(HKEY_CURRENT_USER, run, "Vesperon", REG_EXPAND_SZ, expand, sizeof expand);
    CHECK(!entries.isRegisteredForThisUser());
    putRaw(HKEY_CURRENT_USER, run, "Vesperon", REG_SZ, "", 0);
    CHECK(!entries.isRegisteredForThisUser());
}

} // namespace

int main() {
    programStore();
    userScope();
    runKeys();
    return vesperon::test::win::finish();
}
