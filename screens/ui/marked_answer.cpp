#include "screens/ui/marked_answer.h"

#include <QTextDocument>
#include <QtMath>
#include <algorithm>

namespace tavik {

namespace {

// The box's frame and text margin, so the marked letters stand where the
// typed ones did.
constexpr int kFrame = 2;
constexpr int kTextMargin = 2;
// How far the letters may narrow to stay inside the box, in percent.
constexpr int kNarrowestPercent = 80;

int markedWidth(const QString& html, const QFont& font) {
    QTextDocument layout;
    layout.setDefaultFont(font);
    layout.setDocumentMargin(0);
    layout.setHtml(html);
    return qCeil(layout.idealWidth()) + 2 * kTextMargin;
}

QString escaped(const QString& letters) {
    QString html = letters.toHtmlEscaped();
    html.replace(QLatin1Char(' '), QStringLiteral("&nbsp;"));
    return html;
}

QString toAdd(const QString& letters) {
    return QStringLiteral("<span style=\"color:#1c3fb8; text-decoration:underline;\">%1</span>")
        .arg(escaped(letters));
}

QString toTakeAway(const QString& letters) {
    return QStringLiteral("<span style=\"color:#d40000; background-color:#ffd0d0; "
                          "text-decoration:line-through;\">%1</span>")
        .arg(escaped(letters));
}

QString markedHtml(const AnswerDifference& difference) {
    // Another word altogether: struck as a whole, the right answer stands
    // beside it.
    if (difference.pieces.size() == 1 &&
        difference.pieces.front().kind == DifferencePiece::Kind::Wrong) {
        return QStringLiteral("<span style=\"white-space:pre;\">%1</span>")
            .arg(toTakeAway(difference.pieces.front().typed));
    }
    QString html;
    for (const DifferencePiece& piece : difference.pieces) {
        switch (piece.kind) {
        case DifferencePiece::Kind::Same:
            html += escaped(piece.typed);
            break;
        case DifferencePiece::Kind::Missing:
            html += toAdd(piece.expected);
            break;
        case DifferencePiece::Kind::Extra:
            html += toTakeAway(piece.typed);
            break;
        case DifferencePiece::Kind::Wrong:
            html += toTakeAway(piece.typed) + toAdd(piece.expected);
            break;
        }
    }
    return QStringLiteral("<span style=\"white-space:pre;\">%1</span>").arg(html);
}

} // namespace

MarkedAnswer::MarkedAnswer(const QString& objectName, QWidget* parent) : QLabel(parent) {
    setObjectName(objectName);
    setTextFormat(Qt::RichText);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAutoFillBackground(true);
    setIndent(kTextMargin);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::white);
    colours.setColor(QPalette::WindowText, Qt::black);
    setPalette(colours);
    hide();
}

void MarkedAnswer::showOver(const QWidget* box, const AnswerDifference& difference) {
    if (difference.isEmpty()) {
        hide();
        return;
    }
    setText(markedHtml(difference));
    setAccessibleName(box->accessibleName() + QStringLiteral("の違い"));
    setAccessibleDescription(differenceDescription(difference));
    const QRect inside = box->geometry().adjusted(kFrame, kFrame, -kFrame, -kFrame);
    // Added letters make the answer longer than the box was made for: the
    // letters narrow a little first, and only then does the label grow.
    QFont letters = box->font();
    const int fullSize = letters.pixelSize();
    int needed = 0;
    for (int size = fullSize; size >= fullSize * kNarrowestPercent / 100; --size) {
        letters.setPixelSize(size);
        needed = markedWidth(text(), letters);
        if (needed <= inside.width()) {
            break;
        }
    }
    setFont(letters);
    setGeometry(inside.x(), inside.y(), std::max(inside.width(), needed), inside.height());
    raise();
    show();
}

QString differenceNotes(const AnswerDifference& difference) {
    return difference.notes.join(QStringLiteral("・"));
}

QString differenceDescription(const AnswerDifference& difference) {
    QStringList parts;
    for (const DifferencePiece& piece : difference.pieces) {
        switch (piece.kind) {
        case DifferencePiece::Kind::Same:
            break;
        case DifferencePiece::Kind::Missing:
            parts.append(QStringLiteral("「%1」が抜けています").arg(piece.expected));
            break;
        case DifferencePiece::Kind::Extra:
            parts.append(QStringLiteral("「%1」は余分です").arg(piece.typed));
            break;
        case DifferencePiece::Kind::Wrong:
            parts.append(QStringLiteral("「%1」は「%2」です").arg(piece.typed, piece.expected));
            break;
        }
    }
    parts.append(difference.notes);
    return parts.join(QStringLiteral("、"));
}

} // namespace tavik
