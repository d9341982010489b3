#include "settings/number_parse.h"

#include <QLocale>

#include <algorithm>
#include <cmath>
#include <limits>

namespace tavik {

namespace {

bool isDigitAt(QStringView text, qsizetype i) {
    return i < text.size() && text[i] >= u'0' && text[i] <= u'9';
}

qsizetype skipDigits(QStringView text, qsizetype i) {
    while (isDigitAt(text, i)) {
        ++i;
    }
    return i;
}

bool isSignAt(QStringView text, qsizetype i) {
    return i < text.size() && (text[i] == u'+' || text[i] == u'-');
}

qsizetype skipBlanks(QStringView text) {
    qsizetype i = 0;
    while (i < text.size() &&
           (text[i] == u' ' || text[i] == u'\t' || text[i] == u'\n' || text[i] == u'\r')) {
        ++i;
    }
    return i;
}

// The end of the exponent that starts at i, or i when none does. Basic
// writes the exponent with E, or with D for double precision.
qsizetype skipExponent(QStringView text, qsizetype i) {
    if (i >= text.size() || !QStringLiteral("eEdD").contains(text[i])) {
        return i;
    }
    qsizetype digits = i + 1;
    if (isSignAt(text, digits)) {
        ++digits;
    }
    return isDigitAt(text, digits) ? skipDigits(text, digits) : i;
}

// The longest leading number of text as plain C-locale text, or "" when
// text does not start with one.
QString numericPrefix(QStringView text) {
    const qsizetype begin = skipBlanks(text);
    const qsizetype integerBegin = isSignAt(text, begin) ? begin + 1 : begin;
    const qsizetype integerEnd = skipDigits(text, integerBegin);
    qsizetype digitCount = integerEnd - integerBegin;
    qsizetype end = integerEnd;
    if (end < text.size() && text[end] == u'.') {
        end = skipDigits(text, end + 1);
        digitCount += end - integerEnd - 1;
    }
    if (digitCount == 0) {
        return {};
    }
    end = skipExponent(text, end);
    QString prefix = text.sliced(begin, end - begin).toString();
    prefix.replace(u'd', u'e').replace(u'D', u'e');
    return prefix;
}

} // namespace

double val(QStringView text) {
    const QString prefix = numericPrefix(text);
    if (prefix.isEmpty()) {
        return 0;
    }
    // On overflow toDouble still gives the infinity of the right sign.
    return QLocale::c().toDouble(prefix);
}

std::int16_t parseCounter(QStringView text) {
    const double value = val(text);
    if (std::isnan(value)) {
        return 0;
    }
    // An infinity clamps to the range's end.
    constexpr double low = std::numeric_limits<std::int16_t>::min();
    constexpr double high = std::numeric_limits<std::int16_t>::max();
    return static_cast<std::int16_t>(std::clamp(std::nearbyint(value), low, high));
}

} // namespace tavik
