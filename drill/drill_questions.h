#pragma once

#include "content/banks.h"
#include "drill/drill_set.h"
#include "history/answered_question.h"

#include <QHash>
#include <QString>
#include <vector>

namespace tavik {

// A row of the word bank: the English headword is the answer to its
// Japanese meaning.
struct WordQuestion {
    QString key;
    QString headword;
    QString meaning;
};

// A row of the sentence bank: an example sentence around one word of the word
// bank (wordKey, whose headword it is), the answer in the form the sentence
// uses it.
struct SentenceQuestion {
    QString key;
    QString wordKey;
    QString headword;
    QString before;
    QString answer;
    QString after;
    QString translation;

    QString wholeSentence() const { return before + answer + after; }
};

// The question in a bank row. The header row, and a row number outside the
// bank, give a question with empty texts, so a damaged drill set never reads
// past a table.
WordQuestion wordAt(const Banks& banks, int row);
SentenceQuestion sentenceAt(const Banks& banks, int row);

// What a question asks, as grading takes it: its word and sentence, and the
// answer it wants; the typed answer and the mark are grading's to fill in.
// A row outside the bank asks for word key 0.
AnsweredQuestion askedBy(const WordQuestion& word);
AnsweredQuestion askedBy(const SentenceQuestion& sentence);

// Every word's headword by its key, as the learning record names the words
// of answers stored before it kept their headwords.
QHash<int, QString> bankHeadwords(const Banks& banks);

// The questions of the drill set in drill order.
std::vector<WordQuestion> wordQuestions(const Banks& banks, const DrillSet& drill);
std::vector<SentenceQuestion> sentenceQuestions(const Banks& banks, const DrillSet& drill);

} // namespace tavik
