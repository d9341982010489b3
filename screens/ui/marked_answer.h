#pragma once

#include "drill/answer_difference.h"

#include <QLabel>
#include <QTextDocument>

namespace tavik {

// A wrong answer as the learner typed it, laid over its answer box once
// graded: letters to add in blue and underlined, letters to take away struck
// through in red on a pale ground (so a stray blank shows as a gap of
// colour). It lets the pointer through to the box beneath.
class MarkedAnswer : public QLabel {
    Q_OBJECT
public:
    MarkedAnswer(const QString& objectName, QWidget* parent);

    // Shows the difference over the box; hides itself when there is none.
    // The label grows to the right when the marks need more room than the
    // box has.
    void showOver(const QWidget* box, const AnswerDifference& difference);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QTextDocument m_marks;
};

// The notes on what cannot be seen ("末尾に空白・全角文字"), for the line
// that accompanies the marked answer; empty when there are none.
QString differenceNotes(const AnswerDifference& difference);

// The marks in words, for a screen reader.
QString differenceDescription(const AnswerDifference& difference);

} // namespace tavik
