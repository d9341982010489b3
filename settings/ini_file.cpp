#include "settings/ini_file.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>

#include <optional>

namespace tavik {

namespace {

// The blanks the Windows functions strip: the C locale's white space and the
// DOS end-of-file mark. Wider Unicode spaces (the ideographic space in a
// Japanese name) are part of the value.
bool isBlank(QChar c) {
    switch (c.unicode()) {
    case ' ':
    case '\t':
    case '\n':
    case '\v':
    case '\f':
    case '\r':
    case 0x1a:
        return true;
    default:
        return false;
    }
}

QStringView trimBlanks(QStringView text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin])) {
        ++begin;
    }
    while (end > begin && isBlank(text[end - 1])) {
        --end;
    }
    return text.sliced(begin, end - begin);
}

QStringView upToNul(QStringView text) {
    const qsizetype nul = text.indexOf(QChar(0));
    return nul < 0 ? text : text.first(nul);
}

QStringView firstLineOf(QStringView text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\r' || text[i] == u'\n' || text[i] == QChar(0)) {
            return text.first(i);
        }
    }
    return text;
}

std::optional<QStringView> sectionNameOf(QStringView line) {
    const QStringView text = trimBlanks(line);
    if (!text.startsWith(u'[')) {
        return std::nullopt;
    }
    const qsizetype close = text.lastIndexOf(u']');
    if (close < 1) {
        return std::nullopt;
    }
    return text.sliced(1, close - 1);
}

// Comment lines and lines without an equals sign hold no key.
std::optional<QStringView> keyNameOf(QStringView line) {
    const QStringView text = trimBlanks(line);
    const qsizetype equals = text.indexOf(u'=');
    if (equals < 0 || text.startsWith(u';')) {
        return std::nullopt;
    }
    return trimBlanks(text.first(equals));
}

QStringView valueOf(QStringView line) {
    return trimBlanks(line.sliced(line.indexOf(u'=') + 1));
}

bool sameName(QStringView a, QStringView b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

constexpr char byteOrderMark[] = "\xef\xbb\xbf";

// The decoder drops a leading byte order mark; the caller learns of it so
// that the file is written back with it and reads back the same.
QString decode(const QByteArray& bytes, bool* hadByteOrderMark) {
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QString text = utf8(bytes);
    if (!utf8.hasError()) {
        *hadByteOrderMark = bytes.startsWith(byteOrderMark);
        return text;
    }
    QStringDecoder shiftJis("Shift_JIS", QStringConverter::Flag::Stateless);
    return shiftJis.isValid() ? QString(shiftJis(bytes)) : text;
}

// A line ends at CR LF, LF or a lone CR, the same breaks at which a value
// is cut when written, so whatever is read as one value is written back as
// one value. Files from old Mac editors, with CR alone, read as lines too.
QStringList splitLines(const QString& text) {
    QStringList lines;
    qsizetype begin = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\n' && text[i] != u'\r') {
            continue;
        }
        lines.append(text.sliced(begin, i - begin));
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
            ++i;
        }
        begin = i + 1;
    }
    if (begin < text.size()) {
        lines.append(text.sliced(begin));
    }
    return lines;
}

bool isWritableFile(const QFileInfo& info) {
    // Checked on the permission bits rather than with access(), which lets
    // root replace a file its owner marked read-only.
    constexpr auto anyWrite =
        QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    return !info.exists() || (info.permissions() & anyWrite);
}

} // namespace

IniFile::IniFile(QString path) : m_path(std::move(path)) {
    QFile file(m_path);
    if (!file.exists()) {
        return;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        m_readFailed = true;
        return;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        m_readFailed = true;
        return;
    }
    const qsizetype firstBreak = bytes.indexOf('\n');
    if (firstBreak > 0 && bytes[firstBreak - 1] == '\r') {
        m_lineBreak = QStringLiteral("\r\n");
    }
    m_lines = splitLines(decode(bytes, &m_byteOrderMark));
}

QString IniFile::value(QStringView section, QStringView key) const {
    Span span{};
    if (!findSection(section, &span)) {
        return {};
    }
    const qsizetype line = findKey(span, key);
    // Cut at the NUL first: blanks before it end the value just as blanks
    // at the end of the line do, and a rewritten file keeps no NUL.
    return line < 0 ? QString() : trimBlanks(upToNul(valueOf(m_lines[line]))).toString();
}

bool IniFile::hasSection(QStringView section) const {
    Span span{};
    return findSection(section, &span);
}

void IniFile::setValue(QStringView section, QStringView key, QStringView value) {
    const QStringView oneLine = firstLineOf(value);
    Span span{};
    if (!findSection(section, &span)) {
        m_lines.append(u'[' + section.toString() + u']');
        m_lines.append(key.toString() + u'=' + oneLine.toString());
        return;
    }
    const qsizetype line = findKey(span, key);
    if (line >= 0) {
        m_lines[line] = keyNameOf(m_lines[line])->toString() + u'=' + oneLine.toString();
        return;
    }
    m_lines.insert(insertionPoint(span), key.toString() + u'=' + oneLine.toString());
}

QByteArray IniFile::encoded() const {
    QString text;
    for (const QString& line : m_lines) {
        text += line + m_lineBreak;
    }
    return (m_byteOrderMark ? QByteArray(byteOrderMark) : QByteArray()) + text.toUtf8();
}

bool IniFile::save() const {
    if (m_readFailed) {
        return failSave(QStringLiteral("the existing file could not be read"));
    }
    if (!isWritableFile(QFileInfo(m_path))) {
        return failSave(QStringLiteral("the file is read-only"));
    }
    QSaveFile file(m_path);
    // Unbuffered, so that a short write (a full disk, a file size limit)
    // shows in the count written: commit() alone lets a cut file through.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        return failSave(file.errorString());
    }
    const QByteArray bytes = encoded();
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        file.commit();
        return failSave(reason);
    }
    return file.commit() || failSave(file.errorString());
}

bool IniFile::failSave(const QString& reason) const {
    qWarning().noquote() << "Could not write" << m_path << "-" << reason;
    return false;
}

bool IniFile::findSection(QStringView section, Span* span) const {
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        const auto name = sectionNameOf(m_lines[i]);
        if (!name || !sameName(*name, section)) {
            continue;
        }
        qsizetype end = i + 1;
        while (end < m_lines.size() && !sectionNameOf(m_lines[end])) {
            ++end;
        }
        *span = {i, end};
        return true;
    }
    return false;
}

qsizetype IniFile::findKey(const Span& span, QStringView key) const {
    for (qsizetype i = span.begin + 1; i < span.end; ++i) {
        const auto name = keyNameOf(m_lines[i]);
        if (name && sameName(*name, key)) {
            return i;
        }
    }
    return -1;
}

// A new key goes after the section's last non-blank line, so a blank line
// that separates it from the next section stays where it is.
qsizetype IniFile::insertionPoint(const Span& span) const {
    qsizetype point = span.end;
    while (point > span.begin + 1 && trimBlanks(m_lines[point - 1]).isEmpty()) {
        --point;
    }
    return point;
}

} // namespace tavik
