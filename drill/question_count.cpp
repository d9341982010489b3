#include "drill/selection.h"
#include "settings/number_parse.h"

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

} // namespace

int parseQuestionCount(const QString& countText) {
    QString text = foldFullWidth(countText);
    text.remove(QStringLiteral("問"));

    // nearbyint in the default rounding mode takes halves to the even
    // neighbour: "12.5問" asks for 12, "13.5問" for 14.
    // An exponent out of range converts to an infinity or to 0, both of
    // which the limits below handle; the value is compared as a double, so
    // "99999999999問" never meets a narrowing conversion.
    const double rounded = std::nearbyint(val(text));
    if (!(rounded > 0)) {
        return 0;
    }
    if (rounded >= kWordRows) {
        return kWordRows;
    }
    return static_cast<int>(rounded);
}

} // namespace tavik
