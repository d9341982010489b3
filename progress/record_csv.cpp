#include "progress/record_csv.h"

#include <QDir>
#include <QHash>
#include <QSaveFile>
#include <QStandardPaths>

namespace tavik {

namespace {

// A field a spreadsheet would take for a formula (a typed "=1+1" or
// "@SUM(…)") is kept as text by the apostrophe spreadsheets themselves use,
// so that opening the record never runs what the learner typed.
QString guarded(const QString& field) {
    static const QString formulaStarts = QStringLiteral("=+-@\t\r");
    if (!field.isEmpty() && formulaStarts.contains(field.front())) {
        return QLatin1Char('\'') + field;
    }
    return field;
}

// RFC 4180: a field with a comma, a quote, a line break or blanks at its
// ends is quoted, its quotes doubled.
QString quoted(const QString& raw) {
    const QString field = guarded(raw);
    const bool needsQuotes =
        field.contains(QLatin1Char(',')) || field.contains(QLatin1Char('"')) ||
        field.contains(QLatin1Char('\n')) || field.contains(QLatin1Char('\r')) ||
        (!field.isEmpty() && (field.front().isSpace() || field.back().isSpace()));
    if (!needsQuotes) {
        return field;
    }
    QString escaped = field;
    escaped.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

void appendRow(QString& text, const QStringList& fields) {
    QStringList cells;
    cells.reserve(fields.size());
    for (const QString& field : fields) {
        cells.append(quoted(field));
    }
    text += cells.join(QLatin1Char(','));
    text += QStringLiteral("\r\n");
}

// Each sentence by its key, its blank filled with its answer.
QHash<QString, QString> sentencesByKey(const Banks& banks) {
    QHash<QString, QString> sentences;
    for (std::size_t row = 1; row < banks.SentenceBank.size(); ++row) {
        const BankRow& sentence = banks.SentenceBank[row];
        if (sentence.size() > SentenceField::After) {
            sentences.insert(sentence[SentenceField::Key], sentence[SentenceField::Before] +
                                                               sentence[SentenceField::Answer] +
                                                               sentence[SentenceField::After]);
        }
    }
    return sentences;
}

} // namespace

QByteArray recordCsv(const std::vector<StoredAnswer>& answers, const Banks& banks) {
    const QHash<QString, QString> sentences = sentencesByKey(banks);
    QString text;
    text.reserve(static_cast<qsizetype>(answers.size()) * 96 + 64);
    appendRow(text, {QStringLiteral("日時"), QStringLiteral("単語"), QStringLiteral("例文番号"),
                     QStringLiteral("例文"), QStringLiteral("解答"), QStringLiteral("正誤")});
    for (const StoredAnswer& answer : answers) {
        const QString key =
            answer.sentenceKey > 0 ? QString::number(answer.sentenceKey) : QString();
        appendRow(text, {answer.when.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                         answer.headword, key, key.isEmpty() ? QString() : sentences.value(key),
                         answer.typed, answer.right ? QStringLiteral("正") : QStringLiteral("誤")});
    }
    return QByteArrayLiteral("\xEF\xBB\xBF") + text.toUtf8();
}

bool saveRecordCsv(const QString& path, const std::vector<StoredAnswer>& answers,
                   const Banks& banks, QString& error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        error = file.errorString();
        return false;
    }
    const QByteArray csv = recordCsv(answers, banks);
    // Qt's save file forgets a write that failed while its buffer was
    // flushed (a full disk) and would put the cut file in place: the buffer
    // is flushed here, where the failure can still be seen.
    if (file.write(csv) != csv.size() || !file.flush()) {
        error = file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        error = file.errorString();
        return false;
    }
    return true;
}

QString proposedCsvPath(QDate day) {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir(folder).exists()) {
        folder = QDir::homePath();
    }
    return QDir(folder).filePath(
        QStringLiteral("Tavik 学習記録 %1.csv").arg(day.toString(Qt::ISODate)));
}

} // namespace tavik
