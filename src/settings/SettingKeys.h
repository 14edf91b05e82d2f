#pragma once

// Every setting the program reads or writes, with the store it lives in and its default.
// Callers name a setting by its entry here; nobody repeats a default at a call site.

#include <array>
#include <string_view>

namespace vesperon::settings {

enum class SettingStore {
    Program, // machine-wide: GetRegSetting / SaveRegSetting
    User     // per user: GetSetting / SaveSetting
};

struct SettingKey {
    std::string_view name; // the name the value is read under
    SettingStore store;
    std::string_view defaultValue; // what a read yields when nothing is stored
    std::string_view writtenAs;    // the name the options window writes it under (same key,
                                   // the stores compare names without regard to case)
    constexpr std::string_view writeName() const { return writtenAs.empty() ? name : writtenAs; }
};

// Both stores file everything under this section of the program's name.
inline constexpr std::string_view SettingsSection = "Settings";

// Fictitious addresses for the mail settings nobody has filled in.
inline constexpr std::string_view PlaceholderEmail = "someone@example.com";
inline constexpr std::string_view PlaceholderMailServer = "mail.example.com";

namespace keys {
using enum SettingStore;

// Program store: the options window and the main window's close behaviour.
inline constexpr SettingKey chkMin{"chkMin", Program, "0", {}};
inline constexpr SettingKey chkNoShow{"chkNoShow", Program, "0", {}};
inline constexpr SettingKey chkAlwaysExit{"chkAlwaysExit", Program, "0", {}};
inline constexpr SettingKey chkSplash{"chkSplash", Program, "0", {}};
inline constexpr SettingKey chkLog{"chkLog", Program, "0", {}};
inline constexpr SettingKey chkAuth{"chkAuth", Program, "0", {}};
inline constexpr SettingKey txtEmailFrom{"txtEmailFrom", Program, PlaceholderEmail, {}};
inline constexpr SettingKey txtEmailTo{"txtEmailTo", Program, PlaceholderEmail, {}};
inline constexpr SettingKey txtServer{"txtServer", Program, PlaceholderMailServer, {}};
inline constexpr SettingKey txtPort{"txtPort", Program, "25", "txtport"};
inline constexpr SettingKey txtUsername{"txtUsername", Program, "", {}};
inline constexpr SettingKey txtPassword2{"txtPassword2", Program, "", {}}; // scrambled with FlipHighBit
inline constexpr SettingKey txtFTPFolder{"txtFTPFolder", Program, "/", "txtFTPfolder"};
inline constexpr SettingKey txtFTPHost{"txtFTPHost", Program, "", {}};
inline constexpr SettingKey txtFTPPort{"txtFTPPort", Program, "21", {}};
inline constexpr SettingKey txtFTPUsername{"txtFTPUsername", Program, "", {}};
inline constexpr SettingKey txtFTPPassword{"txtFTPPassword", Program, "", {}}; // scrambled with FlipHighBit
inline constexpr SettingKey txtLanFolder{"txtLanFolder", Program, "", {}};
// The help launcher writes "0" here; nothing reads this copy.
inline constexpr SettingKey programShowHelp{"showHelp", Program, "0", {}};

// Per-user store.
// The first start is recognised by reading Language with an empty default.
inline constexpr SettingKey Language{"Language", User, "English", {}};
inline constexpr SettingKey showHelp{"showHelp", User, "1", {}};
inline constexpr SettingKey IgnorePermissionDeniedError{"IgnorePermissionDeniedError", User, "0", {}};
// Seconds a scheduled action is announced before it starts, 0 to 600; 0: no warning.
inline constexpr SettingKey WarningLeadSeconds{"WarningLeadSeconds", User, "60", {}};
// Widths in twips of the schedule list's five columns; the defaults fit an empty list without
// a scroll bar (the main window's ColumnDesignTwips).
inline constexpr std::array<SettingKey, 5> BackupSetColumns{{
    {"BackupSetColumn1", User, "2600", {}},
    {"BackupSetColumn2", User, "2000", {}},
    {"BackupSetColumn3", User, "2600", {}},
    {"BackupSetColumn4", User, "2600", {}},
    {"BackupSetColumn5", User, "1400", {}},
}};

// "BackupSetColumn" followed by the 1-based column number; column must be 1 to 5.
constexpr const SettingKey &BackupSetColumn(int column) {
    return BackupSetColumns.at(column - 1);
}

inline constexpr std::array<SettingKey, 28> all{{
    chkMin,
    chkNoShow,
    chkAlwaysExit,
    chkSplash,
    chkLog,
    chkAuth,
    txtEmailFrom,
    txtEmailTo,
    txtServer,
    txtPort,
    txtUsername,
    txtPassword2,
    txtFTPFolder,
    txtFTPHost,
    txtFTPPort,
    txtFTPUsername,
    txtFTPPassword,
    txtLanFolder,
    programShowHelp,
    Language,
    showHelp,
    IgnorePermissionDeniedError,
    WarningLeadSeconds,
    BackupSetColumns[0],
    BackupSetColumns[1],
    BackupSetColumns[2],
    BackupSetColumns[3],
    BackupSetColumns[4],
}};
} // namespace keys

} // namespace vesperon::settings
