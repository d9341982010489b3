#include "screens/ui/marked_answer.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QScopeGuard>
#include <QTextCursor>
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

// A blank stays a blank of its own width wherever it stands, and the
// letters are never broken over two lines.
QString unbroken(const QString& letters) {
    QString kept = letters;
    kept.replace(QLatin1Char(' '), QChar::Nbsp);
    return kept;
}

QTextCharFormat toAdd() {
    QTextCharFormat format;
    format.setForeground(QColor(0x1c, 0x3f, 0xb8));
    format.setFontUnderline(true);
    return format;
}

QTextCharFormat toTakeAway() {
    QTextCharFormat format;
    format.setForeground(QColor(0xd4, 0x00, 0x00));
    format.setBackground(QColor(0xff, 0xd0, 0xd0));
    format.setFontStrikeOut(true);
    return format;
}

// The marks are written straight into the document rather than as markup
// for a rich-text label: grading shows ten of them at once, and parsing,
// laying out and then parsing again at paint time was most of the time
// from the click to the repainted page.
void writeMarks(QTextDocument& marks, const AnswerDifference& difference) {
    QTextCursor cursor(&marks);
    // Laid out once, when the whole answer is in.
    cursor.beginEditBlock();
    const auto laidOut = qScopeGuard([&cursor] { cursor.endEditBlock(); });
    // Another word altogether: struck as a whole, the right answer stands
    // beside it.
    if (difference.pieces.size() == 1 &&
        difference.pieces.front().kind == DifferencePiece::Kind::Wrong) {
        cursor.insertText(unbroken(difference.pieces.front().typed), toTakeAway());
        return;
    }
    const QTextCharFormat same;
    for (const DifferencePiece& piece : difference.pieces) {
        switch (piece.kind) {
        case DifferencePiece::Kind::Same:
            cursor.insertText(unbroken(piece.typed), same);
            break;
        case DifferencePiece::Kind::Missing:
            cursor.insertText(unbroken(piece.expected), toAdd());
            break;
        case DifferencePiece::Kind::Extra:
            cursor.insertText(unbroken(piece.typed), toTakeAway());
            break;
        case DifferencePiece::Kind::Wrong:
            cursor.insertText(unbroken(piece.typed), toTakeAway());
            cursor.insertText(unbroken(piece.expected), toAdd());
            break;
        }
    }
}

} // namespace

MarkedAnswer::MarkedAnswer(const QString& objectName, QWidget* parent) : QLabel(parent) {
    setObjectName(objectName);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAutoFillBackground(true);
    setIndent(kTextMargin);
    setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::white);
    colours.setColor(QPalette::WindowText, Qt::black);
    setPalette(colours);
    // As a label lays out its text: on one line, from the left.
    QTextOption oneLine(Qt::AlignLeft | Qt::AlignVCenter);
    oneLine.setWrapMode(QTextOption::ManualWrap);
    m_marks.setDefaultTextOption(oneLine);
    m_marks.setDocumentMargin(0);
    m_marks.setUndoRedoEnabled(false);
    hide();
}

void MarkedAnswer::showOver(const QWidget* box, const AnswerDifference& difference) {
    if (difference.isEmpty()) {
        hide();
        return;
    }
    setAccessibleName(box->accessibleName() + QStringLiteral("の違い"));
    setAccessibleDescription(differenceDescription(difference));
    const QRect inside = box->geometry().adjusted(kFrame, kFrame, -kFrame, -kFrame);
    QFont letters = box->font();
    const int fullSize = letters.pixelSize();
    m_marks.clear();
    m_marks.setDefaultFont(letters);
    writeMarks(m_marks, difference);
    // Added letters make the answer longer than the box was made for: the
    // letters narrow a little first, and only then does the label grow.
    int needed = qCeil(m_marks.idealWidth()) + 2 * kTextMargin;
    for (int size = fullSize - 1;
         needed > inside.width() && size >= fullSize * kNarrowestPercent / 100; --size) {
        letters.setPixelSize(size);
        m_marks.setDefaultFont(letters);
        needed = qCeil(m_marks.idealWidth()) + 2 * kTextMargin;
    }
    setGeometry(inside.x(), inside.y(), std::max(inside.width(), needed), inside.height());
    raise();
    show();
    update();
}

void MarkedAnswer::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    const QRect room = contentsRect().adjusted(kTextMargin, 0, 0, 0);
    const qreal height = m_marks.documentLayout()->documentSize().height();
    const QRectF placed(room.x(), room.y() + std::max((room.height() - height) / 2, qreal{0}),
                        room.width(), room.height());
    const QRect aligned = placed.toAlignedRect();
    painter.translate(aligned.topLeft());
    painter.setClipRect(QRect(QPoint(0, 0), aligned.size()));
    QAbstractTextDocumentLayout::PaintContext context;
    context.palette = palette();
    context.palette.setColor(QPalette::Text, palette().color(QPalette::WindowText));
    m_marks.documentLayout()->draw(&painter, context);
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
