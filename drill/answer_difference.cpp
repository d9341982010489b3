#include "drill/answer_difference.h"

#include <QChar>
#include <QList>
#include <algorithm>

namespace tavik {

namespace {

using Letters = QList<uint>;

// Costs of the alignment. A letter that differs only in case or width costs
// less than any other change, so it is always lined up with its own; a wrong
// letter costs less than dropping one and adding another.
constexpr int kSameCost = 0;
constexpr int kLookAlikeCost = 1;
constexpr int kWrongCost = 4;
constexpr int kMissingOrExtraCost = 3;

bool isFullWidth(uint letter) {
    return QChar::decompositionTag(letter) == QChar::Wide;
}

// The half-width letter a full-width one stands for.
uint narrowed(uint letter) {
    if (!isFullWidth(letter)) {
        return letter;
    }
    const QList<uint> decomposed = QChar::decomposition(letter).toUcs4();
    return decomposed.size() == 1 ? decomposed.front() : letter;
}

uint folded(uint letter) {
    return QChar::toLower(narrowed(letter));
}

bool isBlank(uint letter) {
    return QChar::isSpace(letter);
}

QString text(const uint* letters, qsizetype count) {
    return QString::fromUcs4(reinterpret_cast<const char32_t*>(letters), count);
}

QString text(uint letter) {
    return text(&letter, 1);
}

// Adds a letter in front of the last piece found (the alignment is walked
// from the end) when it is of the same kind, so that a run of changes reads
// as one. A letter that differs only in case or width stays a piece of its
// own: a word typed with Caps Lock on, or in full-width letters, then reads
// letter by letter, not as one struck word.
void prepend(std::vector<DifferencePiece>& pieces, DifferencePiece::Kind kind, const QString& typed,
             const QString& expected, bool joins = true) {
    if (pieces.empty() || pieces.back().kind != kind || !joins) {
        pieces.push_back({kind, {}, {}});
    }
    pieces.back().typed.prepend(typed);
    pieces.back().expected.prepend(expected);
}

class Alignment {
public:
    Alignment(Letters typed, Letters answer)
        : m_typed(std::move(typed)), m_answer(std::move(answer)),
          m_columns(static_cast<std::size_t>(m_answer.size()) + 1),
          m_cost((static_cast<std::size_t>(m_typed.size()) + 1) * m_columns) {
        for (qsizetype t = 0; t <= m_typed.size(); ++t) {
            for (qsizetype a = 0; a <= m_answer.size(); ++a) {
                cost(t, a) = cheapest(t, a);
            }
        }
    }

    // Walks back from the end along the cheapest path; the pieces come out
    // last first.
    AnswerDifference difference() const {
        AnswerDifference result;
        std::vector<DifferencePiece> reversed;
        bool caseDiffers = false;
        // Letters typed as in the answer, or differing only in case or width.
        qsizetype kept = 0;
        bool afterLookAlike = false;
        qsizetype t = m_typed.size();
        qsizetype a = m_answer.size();
        while (t > 0 || a > 0) {
            if (t > 0 && a > 0 && cost(t, a) == cost(t - 1, a - 1) + pairCost(t - 1, a - 1)) {
                const uint typed = m_typed[t - 1];
                const uint expected = m_answer[a - 1];
                const bool lookAlike = folded(typed) == folded(expected);
                kept += lookAlike ? 1 : 0;
                if (typed == expected) {
                    prepend(reversed, DifferencePiece::Kind::Same, text(typed), text(expected));
                } else {
                    caseDiffers = caseDiffers || (lookAlike && narrowed(typed) != expected);
                    prepend(reversed, DifferencePiece::Kind::Wrong, text(typed), text(expected),
                            !lookAlike && !afterLookAlike);
                }
                afterLookAlike = lookAlike && typed != expected;
                --t;
                --a;
            } else if (t > 0 && cost(t, a) == cost(t - 1, a) + kMissingOrExtraCost) {
                prepend(reversed, DifferencePiece::Kind::Extra, text(m_typed[t - 1]), {});
                afterLookAlike = false;
                --t;
            } else {
                prepend(reversed, DifferencePiece::Kind::Missing, {}, text(m_answer[a - 1]));
                afterLookAlike = false;
                --a;
            }
        }
        result.pieces.assign(reversed.rbegin(), reversed.rend());
        if (2 * kept < m_typed.size() && 2 * kept < m_answer.size()) {
            result.pieces = {{DifferencePiece::Kind::Wrong,
                              text(m_typed.constData(), m_typed.size()),
                              text(m_answer.constData(), m_answer.size())}};
        }
        result.notes = notes(caseDiffers);
        return result;
    }

private:
    int& cost(qsizetype t, qsizetype a) {
        return m_cost[static_cast<std::size_t>(t) * m_columns + static_cast<std::size_t>(a)];
    }
    int cost(qsizetype t, qsizetype a) const {
        return m_cost[static_cast<std::size_t>(t) * m_columns + static_cast<std::size_t>(a)];
    }

    int pairCost(qsizetype t, qsizetype a) const {
        const uint typed = m_typed[t];
        const uint expected = m_answer[a];
        if (typed == expected) {
            return kSameCost;
        }
        return folded(typed) == folded(expected) ? kLookAlikeCost : kWrongCost;
    }

    int cheapest(qsizetype t, qsizetype a) const {
        if (t == 0 || a == 0) {
            return static_cast<int>(t + a) * kMissingOrExtraCost;
        }
        return std::min({cost(t - 1, a - 1) + pairCost(t - 1, a - 1),
                         cost(t - 1, a) + kMissingOrExtraCost,
                         cost(t, a - 1) + kMissingOrExtraCost});
    }

    QStringList notes(bool caseDiffers) const {
        QStringList result;
        const bool answerStartsBlank = !m_answer.isEmpty() && isBlank(m_answer.front());
        const bool answerEndsBlank = !m_answer.isEmpty() && isBlank(m_answer.back());
        if (isBlank(m_typed.front()) && !answerStartsBlank) {
            result.append(QStringLiteral("先頭に空白"));
        }
        if (isBlank(m_typed.back()) && !answerEndsBlank) {
            result.append(QStringLiteral("末尾に空白"));
        }
        if (std::any_of(m_typed.begin(), m_typed.end(), isFullWidth)) {
            result.append(QStringLiteral("全角文字"));
        }
        if (caseDiffers) {
            result.append(QStringLiteral("大文字/小文字"));
        }
        return result;
    }

    Letters m_typed;
    Letters m_answer;
    std::size_t m_columns;
    std::vector<int> m_cost;
};

} // namespace

AnswerDifference answerDifference(const QString& typed, const QString& answer) {
    if (typed.isEmpty() || typed == answer) {
        return {};
    }
    return Alignment(typed.toUcs4(), answer.toUcs4()).difference();
}

} // namespace tavik
