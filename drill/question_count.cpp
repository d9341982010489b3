#include "drill/selection.h"

#include <QLocale>
#include <QRegularExpression>
#include <cmath>

namespace tavik {

namespace {

// A Japanese input method in full-width mode types "１０問" or "－３問":
// fold the full-width forms of the ASCII characters, and the ideographic
// space, to their plain forms so they read as the learner sees them.
QString foldFullWidth(QString text) {
    for (QChar& c : text) {
        const char16_t code = c.unicode();
        if (code >= u'\uFF01' && code <= u'\uFF5E') {
            c = QChar(static_cast<char16_t>(code - 0xFEE0));
        } else if (code == u'\u3000') {
            c = QLatin1Char(' ');
        }
    }
    return text;
}

// The longest leading part that forms a number, read the way the classic
// BASIC Val reads one: optional sign, digits with an optional decimal
// point, an optional exponent introduced by E or D. [0-9] rather than \d,
// which would also accept digits of other scripts that the conversion
// below cannot read.
const QRegularExpression& numericPrefix() {
    static const QRegularExpression pattern(QStringLiteral(
        "^[ \\t\\r\\n]*([+-]?(?:[0-9]+(?:\\.[0-9]*)?|\\.[0-9]+)(?:[eEdD][+-]?[0-9]+)?)"));
    return pattern;
}

} // namespace

int parseQuestionCount(const QString& countText) {
    QString text = foldFullWidth(countText);
    text.remove(QStringLiteral("問"));

    const QRegularExpressionMatch match = numericPrefix().match(text);
    if (!match.hasMatch()) {
        return 0;
    }
    QString number = match.captured(1);
    number.replace(QLatin1Char('d'), QLatin1Char('e'));
    number.replace(QLatin1Char('D'), QLatin1Char('e'));

    // nearbyint in the default rounding mode takes halves to the even
    // neighbour: "12.5問" asks for 12, "13.5問" for 14.
    // An exponent out of range converts to an infinity or to 0, both of
    // which the limits below handle; the value is compared as a double, so
    // "99999999999問" never meets a narrowing conversion.
    const double rounded = std::nearbyint(QLocale::c().toDouble(number));
    if (!(rounded > 0)) {
        return 0;
    }
    if (rounded >= kWordRows) {
        return kWordRows;
    }
    return static_cast<int>(rounded);
}

} // namespace tavik
