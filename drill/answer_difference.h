#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace tavik {

// One stretch of a typed answer laid against the right answer.
struct DifferencePiece {
    enum class Kind {
        Same,    // typed as in the answer
        Missing, // in the answer, not typed: `expected` holds it
        Extra,   // typed, not in the answer: `typed` holds it
        Wrong,   // typed in place of the answer's letters: both hold theirs
    };
    Kind kind = Kind::Same;
    QString typed;
    QString expected;
};

// Where a typed answer went astray: the fewest letters missing, extra or
// wrong that turn it into the right answer, in the order they are read,
// and notes on the differences a learner cannot see on the screen.
struct AnswerDifference {
    std::vector<DifferencePiece> pieces;
    QStringList notes;

    bool isEmpty() const { return pieces.empty(); }
};

// The difference of a wrong answer; nothing for a right or an empty one,
// which have nothing to show. A letter that differs only in case or width
// is lined up with the answer's own, so "Abolish" reads as one wrong
// capital rather than a missing and an extra letter. An answer that keeps
// fewer than half of both its own letters and the answer's is another word:
// letter marks would be noise there, so it is one wrong piece.
AnswerDifference answerDifference(const QString& typed, const QString& answer);

} // namespace tavik
