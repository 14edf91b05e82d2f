#pragma once

// A small INI file: "[Section]" headers and "name=value" lines. Section and value names
// compare without regard to letter case, as registry names do; a write under another
// spelling replaces the existing entry, leaving one. Values and names are escaped so that any
// text comes back unchanged (backslash escapes for control characters, backslashes and
// spaces at either end). Lines the program did not write (comments, other sections) are kept.
// Saving replaces the whole file in one step; a failed save (a full disk included) keeps the
// old file.

#include <QString>
#include <QStringList>
#include <optional>

namespace vesperon::settings {

class IniFile {
public:
    enum class LoadStatus { Loaded, Missing, Unreadable };

    // Larger files are not settings files the program wrote, and are not read.
    static constexpr qint64 MaxBytes = 1 << 20;

    explicit IniFile(QString path) : m_path(std::move(path)) {}

    const QString &path() const { return m_path; }

    // Reads the file. Missing leaves the contents empty; Unreadable means the path exists but
    // cannot be read as a file (no permission, a folder or FIFO in its place, too large).
    LoadStatus load();

    bool hasSection(const QString &section) const;
    std::optional<QString> value(const QString &section, const QString &name) const;
    void setValue(const QString &section, const QString &name, const QString &value);

    // Writes the contents, creating the folder if needed; false when that cannot be done.
    bool save() const;

    QString text() const;
    void setText(const QString &text);

    static QString escape(const QString &text, bool isName);
    static QString unescape(const QString &text);

private:
    struct Entry {
        QString name;
        QString value;
    };
    // Index of the header line of the section, or -1.
    int sectionLine(const QString &section) const;
    // The end of the section starting at the header line: the next header or the end.
    int sectionEnd(int headerLine) const;
    static std::optional<QString> sectionName(const QString &line);
    static std::optional<Entry> entry(const QString &line);

    QString m_path;
    QStringList m_lines;
};

} // namespace vesperon::settings
