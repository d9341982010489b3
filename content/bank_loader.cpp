#include "content/banks.h"

#include <QFile>
#include <QStringList>

namespace tavik {

namespace {

// The content files are UTF-8, one row a line, fields separated by tabs,
// the header row first. Fields keep their blanks: a sentence's "before" text
// ends with one and its "after" text begins with one.
BankTable readTable(const QString& resource, int fieldCount) {
    BankTable table;
    QFile file(resource);
    if (!file.open(QIODevice::ReadOnly)) {
        return table;
    }
    const QString text = QString::fromUtf8(file.readAll());
    const QStringList lines = text.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    table.reserve(static_cast<std::size_t>(lines.size()));
    for (QString line : lines) {
        if (line.endsWith(QLatin1Char('\r'))) {
            line.chop(1);
        }
        QStringList fields = line.split(QLatin1Char('\t'));
        BankRow row(static_cast<std::size_t>(fieldCount));
        for (int i = 0; i < fieldCount && i < fields.size(); ++i) {
            row[static_cast<std::size_t>(i)] = fields[i];
        }
        table.push_back(std::move(row));
    }
    return table;
}

} // namespace

void loadWordBank(BankTable& wordBank) {
    wordBank = readTable(QStringLiteral(":/content/words.tsv"), WordField::Count);
}

void loadSentenceBank(BankTable& sentenceBank) {
    sentenceBank = readTable(QStringLiteral(":/content/sentences.tsv"), SentenceField::Count);
}

void loadBanks(Banks& banks) {
    loadWordBank(banks.WordBank);
    loadSentenceBank(banks.SentenceBank);
}

} // namespace tavik
