#pragma once

#include "content/banks.h"
#include "history/stored_answer.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <vector>

namespace tavik {

// The whole learning record as a CSV file that a spreadsheet on a Japanese
// desktop opens as it is: UTF-8 with a byte-order mark (without one, Excel
// there reads Shift-JIS), a heading row, then one row per graded answer,
// oldest first: date and time, headword, sentence key and the sentence
// itself, its blank filled with the answer (both empty for a word question,
// the sentence empty for a key the content no longer has), the answer as
// typed, 正 or 誤. Lines end in CR LF.
QByteArray recordCsv(const std::vector<StoredAnswer>& answers, const Banks& banks);

// Writes the CSV beside the path and puts it in place only once complete,
// so a failed write leaves any earlier file whole. Returns false with the
// reason in `error`.
bool saveRecordCsv(const QString& path, const std::vector<StoredAnswer>& answers,
                   const Banks& banks, QString& error);

// "Tavik 学習記録 2026-12-08.csv" in the user's Documents folder, or the home
// folder when there is none.
QString proposedCsvPath(QDate day);

} // namespace tavik
