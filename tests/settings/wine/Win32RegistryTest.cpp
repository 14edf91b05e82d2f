// The Windows back ends of the settings against a real registry (Wine's), built with
// mingw-w64 alone: no Qt, no GoogleTest. Prints one line per failed check and exits non-zero
// when any check failed.
#include "settings/Win32Registry.h"
#include "settings/FlipHighBit.h"
#include "settings/RegistryStore.h"
#include "settings/RegistryUserStore.h"
#include "settings/RunAtStartup.h"

#include <windows.h>

#include <cstdio>
#include <string>

using namespace vesperon::settings;

namespace {

int failures = 0;
int checks = 0;

void check(bool ok, const char *what, int line) {
    ++checks;
    if (!ok) {
        ++failures;
        std::printf("FAILED line %d: %s\n", line, what);
    }
}
#define CHECK(condition) check((condition), #condition, __LINE__)

class CountingPrompt final : public PermissionPrompt {
public:
    int asked = 0;
    Answer ask(const std::string &, const std::string &) override {
        ++asked;
        return Answer::Abort;
    }
};

const char *const SettingsPath = "SOFTWARE\\Quillmark\\Vesperon\\Settings";

// Writes a value of any type straight through the Win32 API, as another program would.
void putRaw(HKEY root, const char *path, const char *name, DWORD type, const void *data, DWORD size) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(root, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS) {
        std::printf("cannot create %s\n", path);
        ++failures;
        return;
    }
    RegSetValueExA(key, name, 0, type, static_cast<const BYTE *>(data), size);
    RegCloseKey(key);
}

DWORD valueCount(HKEY root, const char *path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return 0;
    DWORD values = 0;
    RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr,
                     nullptr, nullptr);
    RegCloseKey(key);
    return values;
}

std::string rawString(HKEY root, const char *path, const char *name) {
    char buffer[256] = {};
    DWORD size = sizeof buffer;
    DWORD type = 0;
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return "<no key>";
    const LONG result = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE *>(buffer), &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS || type != REG_SZ)
        return "<no string>";
    return std::string(buffer, size > 0 ? size - 1 : 0);
}

void programStore() {
    Win32Registry registry;
    RegistryUserStore userStore(registry);
    CountingPrompt prompt;
    RegistryStore store(registry, userStore, prompt, " Quillmark ", "Vesperon");
    auto read = [&](const std::string &key, const std::string &defaultValue) {
        return store.GetRegSetting("Vesperon", "Settings", key, defaultValue);
    };

    // No key yet.
    RegReadResult missingKey = read("txtPort", "25");
    CHECK(!missingKey.failed() && missingKey.value == "25");

    // Written, then read back; the key is created on the way.
    store.SaveRegSetting("Vesperon", "Settings", "chkMin", "1");
    CHECK(rawString(HKEY_LOCAL_MACHINE, SettingsPath, "chkMin") == "1");
    CHECK(read("chkMin", "0").value == "1");

    // The key exists, the value does not.
    RegReadResult missingValue = read("txtPort", "25");
    CHECK(!missingValue.failed() && missingValue.value == "25");

    // Names differing in letter case are one value.
    store.SaveRegSetting("Vesperon", "Settings", "txtport", "2525");
    CHECK(read("txtPort", "25").value == "2525");
    store.SaveRegSetting("Vesperon", "Settings", "TXTPORT", "587");
    CHECK(read("txtPort", "25").value == "587");
    CHECK(valueCount(HKEY_LOCAL_MACHINE, SettingsPath) == 2);

    // A value with no data at all, and an empty string.
    putRaw(HKEY_LOCAL_MACHINE, SettingsPath, "zeroSize", REG_SZ, "", 0);
    RegReadResult zeroSize = read("zeroSize", "default");
    CHECK(!zeroSize.failed() && zeroSize.value.empty());
    store.SaveRegSetting("Vesperon", "Settings", "txtUsername", "");
    RegReadResult emptyText = read("txtUsername", "default");
    CHECK(!emptyText.failed() && emptyText.value.empty());

    // Values of other types.
    const DWORD one = 1;
    putRaw(HKEY_LOCAL_MACHINE, SettingsPath, "chkSplash", REG_DWORD, &one, sizeof one);
    RegReadResult dword = read("chkSplash", "0");
    CHECK(dword.error == 0x800407D4u && dword.message == "Registry data not a string");
    putRaw(HKEY_LOCAL_MACHINE, SettingsPath, "txtLanFolder", REG_EXPAND_SZ, "%TEMP%", 7);
    RegReadResult expand = read("txtLanFolder", "");
    CHECK(expand.error == 0x800407D2u && expand.message == "Registry data not a string");

    // Blank names.
    CHECK(store.GetRegSetting(" ", "Settings", "chkMin", "").error == 0x800403E8u);
    CHECK(store.GetRegSetting("Vesperon", "", "chkMin", "").error == 0x800403E9u);
    CHECK(store.GetRegSetting("Vesperon", "Settings", "  ", "").error == 0x800403EAu);

    // A scrambled password's high bytes survive the registry.
    std::string password = "abc";
    store.SaveRegSetting("Vesperon", "Settings", "txtPassword2", FlipHighBit(password));
    std::string stored = read("txtPassword2", "").value;
    CHECK(stored == "\xE1\xE2\xE3");
    CHECK(FlipHighBit(stored) == "abc");

    CHECK(prompt.asked == 0);
}

void userStore() {
    Win32Registry registry;
    RegistryUserStore store(registry);
    CHECK(store.GetSetting("Vesperon", "Settings", "Language", "") == "");
    store.SaveSetting("Vesperon", "Settings", "Language", "English");
    CHECK(rawString(HKEY_CURRENT_USER, "Software\\VB and VBA Program Settings\\Vesperon\\Settings",
                    "Language") == "English");
    CHECK(store.GetSetting("Vesperon", "Settings", "LANGUAGE", "x") == "English");
    CHECK(store.GetSetting("Vesperon", "Settings", "showHelp", "1") == "1");
}

void runKeys() {
    Win32Registry registry;
    const char *run = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
    // No value under either root.
    CHECK(!IsInRunAllUsers(registry, "Vesperon", "vesperon"));
    CHECK(!IsInRunThisUser(registry, "Vesperon", "vesperon"));

    const char allUsers[] = "\"C:\\Program Files\\Quillmark\\VESPERON.EXE\" /tray";
    putRaw(HKEY_LOCAL_MACHINE, run, "Vesperon", REG_SZ, allUsers, sizeof allUsers);
    CHECK(IsInRunAllUsers(registry, " Vesperon ", "vesperon"));
    CHECK(!IsInRunThisUser(registry, "Vesperon", "vesperon"));

    const char other[] = "C:\\Tools\\other.exe";
    putRaw(HKEY_CURRENT_USER, run, "Vesperon", REG_SZ, other, sizeof other);
    CHECK(!IsInRunThisUser(registry, "Vesperon", "vesperon"));
    const char mine[] = "C:\\Users\\me\\Vesperon.exe";
    putRaw(HKEY_CURRENT_USER, run, "Vesperon", REG_SZ, mine, sizeof mine);
    CHECK(IsInRunThisUser(registry, "Vesperon", "vesperon"));

    const char expand[] = "%ProgramFiles%\\Vesperon\\vesperon.exe";
    putRaw(HKEY_CURRENT_USER, run, "Vesperon", REG_EXPAND_SZ, expand, sizeof expand);
    CHECK(!IsInRunThisUser(registry, "Vesperon", "vesperon"));
    putRaw(HKEY_CURRENT_USER, run, "Vesperon", REG_SZ, "", 0);
    CHECK(!IsInRunThisUser(registry, "Vesperon", "vesperon"));
    CHECK(IsInRunAllUsers(registry, "Vesperon", "vesperon"));
}

} // namespace

int main() {
    programStore();
    userStore();
    runKeys();
    std::printf("%d checks, %d failed\n", checks, failures);
    return failures == 0 ? 0 : 1;
}
