#pragma once

#include <QString>
#include <QStringList>

namespace tavik {

// A Windows-style ini file held in memory as its lines, so that writing one
// key leaves every other line (other sections, comments, blank lines) as it
// was. Section and key names match case-insensitively; values are read
// without the blanks around them. Files are written as UTF-8; a file that is
// not valid UTF-8 is read as Shift-JIS, the encoding older copies used.
class IniFile {
public:
    // Reads the file at path; a missing file reads as empty.
    explicit IniFile(QString path);

    // The key's value, or "" when the section or key is missing. Like the
    // fixed buffers of the Windows functions, the value ends at a NUL.
    QString value(QStringView section, QStringView key) const;

    // Whether the file was read and holds the section.
    bool hasSection(QStringView section) const;

    // Replaces the key's value in place, or adds the key at the end of its
    // section, or adds the section at the end of the file. A value ends at its
    // first line break or NUL, since each key takes exactly one line.
    void setValue(QStringView section, QStringView key, QStringView value);

    // Replaces the file on disk in one atomic step. On failure the old file
    // is untouched, a warning goes to standard error and false is returned.
    bool save() const;

private:
    struct Span {
        qsizetype begin; // index of the section's header line
        qsizetype end;   // index one past its last line
    };

    bool findSection(QStringView section, Span* span) const;
    qsizetype findKey(const Span& span, QStringView key) const;
    qsizetype insertionPoint(const Span& span) const;
    QByteArray encoded() const;
    bool failSave(const QString& reason) const;

    QString m_path;
    QStringList m_lines;
    QString m_lineBreak = QStringLiteral("\n");
    bool m_byteOrderMark = false;
    bool m_readFailed = false;
};

} // namespace tavik
