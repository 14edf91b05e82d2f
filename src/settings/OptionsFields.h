#pragma once

// What the General Preferences window shows and stores, without any widget: the settings its
// controls stand for (each control is named after its setting), the order they are loaded in,
// how a stored text becomes a control's content and back, and the start-up registration text.

#include "settings/SettingKeys.h"
#include "settings/StartupEntries.h"

#include <QString>
#include <array>

namespace vesperon::settings {

enum class FieldKind {
    Check,   // a check box: "0" or "1"
    Text,    // a text box holding the stored text
    Password // a text box holding the plain text; the store keeps it scrambled
};

struct OptionField {
    SettingKey key; // key.name is also the control's objectName
    FieldKind kind;
};

// The controls in the order the window loads them. The mail password is read twice, as the
// window always has; the second read finds the box already holding the same text.
inline constexpr std::array<OptionField, 18> OptionsLoadOrder{{
    {keys::txtEmailFrom, FieldKind::Text},
    {keys::txtEmailTo, FieldKind::Text},
    {keys::txtPassword2, FieldKind::Password},
    {keys::txtPort, FieldKind::Text},
    {keys::txtServer, FieldKind::Text},
    {keys::txtUsername, FieldKind::Text},
    {keys::txtPassword2, FieldKind::Password},
    {keys::chkAuth, FieldKind::Check},
    {keys::chkNoShow, FieldKind::Check},
    {keys::chkAlwaysExit, FieldKind::Check},
    {keys::chkMin, FieldKind::Check},
    {keys::chkSplash, FieldKind::Check},
    {keys::txtFTPFolder, FieldKind::Text},
    {keys::txtFTPHost, FieldKind::Text},
    {keys::txtFTPPassword, FieldKind::Password},
    {keys::txtFTPPort, FieldKind::Text},
    {keys::txtFTPUsername, FieldKind::Text},
    {keys::txtLanFolder, FieldKind::Text},
}};
// Loaded last, after the start-up label is set.
inline constexpr OptionField OptionsLateField{keys::chkLog, FieldKind::Check};

// A stored check-box setting as the box's state: a whole number other than 0 ticks it.
// Anything that is not a whole number (a damaged or hand-edited value) leaves it clear.
bool checkedFromSetting(const QString &stored);
// The box's state as it is stored: "1" or "0".
QString settingFromChecked(bool checked);

// A stored text as the text box shows it (a password unscrambled), and back.
QString textFromSetting(const QString &stored, FieldKind kind);
QString settingFromText(const QString &text, FieldKind kind);

// The key of the message that reports the start-up registration. The all-users entry wins;
// the current user's is asked only when there is none for all users.
QString runAtStartMessage(StartupEntries &startup);

} // namespace vesperon::settings
