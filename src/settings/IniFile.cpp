#include "settings/IniFile.h"

#include "core/SafeFile.h"

#include <QDir>
#include <QFileInfo>

namespace vesperon::settings {

IniFile::LoadStatus IniFile::load() {
    m_lines.clear();
    const QFileInfo info(m_path);
    if (!info.exists() && !info.isSymLink())
        return LoadStatus::Missing;
    const FileRead file = readRegularFile(m_path, MaxBytes);
    if (!file)
        return LoadStatus::Unreadable;
    setText(QString::fromUtf8(file.bytes));
    return LoadStatus::Loaded;
}

QString IniFile::text() const {
    QString text;
    for (const QString &line : m_lines)
        text += line + QLatin1Char('\n');
    return text;
}

void IniFile::setText(const QString &text) {
    m_lines = text.split(QLatin1Char('\n'));
    for (QString &line : m_lines) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    }
    if (!m_lines.isEmpty() && m_lines.last().isEmpty())
        m_lines.removeLast();
}

bool IniFile::save() const {
    const QFileInfo info(m_path);
    if (!QDir().mkpath(info.absolutePath()))
        return false;
    return !replaceFile(m_path, text().toUtf8());
}

std::optional<QString> IniFile::sectionName(const QString &line) {
    const QString trimmed = line.trimmed();
    if (trimmed.size() < 2 || !trimmed.startsWith(QLatin1Char('[')) || !trimmed.endsWith(QLatin1Char(']')))
        return std::nullopt;
    return trimmed.mid(1, trimmed.size() - 2).trimmed();
}

std::optional<IniFile::Entry> IniFile::entry(const QString &line) {
    const QString trimmed = line.trimmed();
    if (trimmed.isEmpty() || trimmed.startsWith(QLatin1Char(';')) || trimmed.startsWith(QLatin1Char('#')) ||
        trimmed.startsWith(QLatin1Char('[')))
        return std::nullopt;
    const qsizetype equals = trimmed.indexOf(QLatin1Char('='));
    if (equals <= 0)
        return std::nullopt;
    return Entry{unescape(trimmed.left(equals).trimmed()), unescape(trimmed.mid(equals + 1).trimmed())};
}

int IniFile::sectionLine(const QString &section) const {
    for (int i = 0; i < m_lines.size(); ++i) {
        const auto name = sectionName(m_lines[i]);
        if (name && name->compare(section, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

int IniFile::sectionEnd(int headerLine) const {
    int line = headerLine + 1;
    while (line < m_lines.size() && !sectionName(m_lines[line]))
        ++line;
    return line;
}

bool IniFile::hasSection(const QString &section) const {
    return sectionLine(section) >= 0;
}

std::optional<QString> IniFile::value(const QString &section, const QString &name) const {
    const int header = sectionLine(section);
    if (header < 0)
        return std::nullopt;
    const int end = sectionEnd(header);
    for (int i = header + 1; i < end; ++i) {
        const auto found = entry(m_lines[i]);
        if (found && found->name.compare(name, Qt::CaseInsensitive) == 0)
            return found->value;
    }
    return std::nullopt;
}

void IniFile::setValue(const QString &section, const QString &name, const QString &value) {
    const QString line = escape(name, true) + QLatin1Char('=') + escape(value, false);
    int header = sectionLine(section);
    if (header < 0) {
        if (!m_lines.isEmpty() && !m_lines.last().trimmed().isEmpty())
            m_lines.append(QString());
        m_lines.append(QLatin1Char('[') + section + QLatin1Char(']'));
        m_lines.append(line);
        return;
    }
    int end = sectionEnd(header);
    int replaced = -1;
    int lastEntry = header;
    for (int i = header + 1; i < end;) {
        const auto found = entry(m_lines[i]);
        if (found && found->name.compare(name, Qt::CaseInsensitive) == 0) {
            if (replaced < 0) {
                m_lines[i] = line;
                replaced = i;
            } else {
                m_lines.removeAt(i); // a second spelling of the same name
                --end;
                continue;
            }
        }
        if (found)
            lastEntry = i;
        ++i;
    }
    if (replaced < 0)
        m_lines.insert(lastEntry + 1, line);
}

QString IniFile::escape(const QString &text, bool isName) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const char16_t u = c.unicode();
        const bool atEdge = i == 0 || i == text.size() - 1;
        if (u == '\\')
            out += QLatin1String("\\\\");
        else if (u == '\n')
            out += QLatin1String("\\n");
        else if (u == '\r')
            out += QLatin1String("\\r");
        else if (u == '\t')
            out += QLatin1String("\\t");
        else if (u == 0)
            out += QLatin1String("\\0");
        else if (u < 0x20 || u == 0x7f || (u == ' ' && atEdge) || (isName && u == '=') ||
                 (isName && i == 0 && (u == '[' || u == ';' || u == '#')))
            out += QStringLiteral("\\x%1").arg(static_cast<int>(u), 2, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out;
}

QString IniFile::unescape(const QString &text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != QLatin1Char('\\') || i + 1 == text.size()) {
            out += c;
            continue;
        }
        const QChar next = text[++i];
        switch (next.unicode()) {
        case 'n':
            out += QLatin1Char('\n');
            break;
        case 'r':
            out += QLatin1Char('\r');
            break;
        case 't':
            out += QLatin1Char('\t');
            break;
        case '0':
            out += QChar(0);
            break;
        case 'x': {
            bool ok = false;
            const int code = text.mid(i + 1, 2).toInt(&ok, 16);
            if (ok && i + 2 < text.size()) {
                out += QChar(code);
                i += 2;
            } else {
                out += next;
            }
            break;
        }
        default:
            out += next; // "\\" and anything else stand for themselves
        }
    }
    return out;
}

} // namespace vesperon::settings
