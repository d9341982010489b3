#include "shell/ui/picture_button.h"
#include "shell/ui/screen_window.h"

#include <QApplication>
#include <QHash>
#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QTest>
#include <memory>

using namespace tavik;

namespace {

QPixmap filled(QSize size, QColor colour) {
    QPixmap picture(size);
    picture.fill(colour);
    return picture;
}

// Counts the paint events of every widget of a window and the region the
// window itself repaints.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* window) : m_window(window) {
        window->installEventFilter(this);
        for (QWidget* child : window->findChildren<QWidget*>()) {
            child->installEventFilter(this);
        }
    }
    int paintsOf(const QString& name) const { return m_paints.value(name); }
    int totalPaints() const {
        int total = 0;
        for (int paints : m_paints) {
            total += paints;
        }
        return total;
    }
    // The part of the window covered by everything that repainted.
    QRect repaintedArea() const {
        QRect area = m_windowRegion.boundingRect();
        for (QWidget* child : m_window->findChildren<QWidget*>()) {
            if (m_paints.value(child->objectName()) > 0) {
                area |= child->geometry();
            }
        }
        return area;
    }
    void reset() {
        m_paints.clear();
        m_windowRegion = QRegion();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++m_paints[watched->objectName()];
            if (watched == m_window) {
                m_windowRegion += static_cast<QPaintEvent*>(event)->region();
            }
        }
        return false;
    }

private:
    QWidget* m_window;
    QHash<QString, int> m_paints;
    QRegion m_windowRegion;
};

} // namespace

class HoverCostTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void repeatedMovesRepaintOnlyWhatChanges_data();
    void repeatedMovesRepaintOnlyWhatChanges();
    void hoverHandsOutTheStoredPictures();

private:
    void moveTo(QWidget* widget, QPoint position);
    void settle();

    QPixmap m_normal = filled({138, 29}, Qt::cyan);
    QPixmap m_highlighted = filled({138, 29}, Qt::blue);
    QPixmap m_closeHighlighted = filled({29, 30}, Qt::red);
    std::unique_ptr<ScreenWindow> m_window;
    PictureButton* m_next = nullptr;
    PictureButton* m_exit = nullptr;
    QLabel* m_caption = nullptr;
};

void HoverCostTest::init() {
    m_window = std::make_unique<ScreenWindow>(QSize(780, 600));
    m_window->setObjectName(QStringLiteral("window"));
    m_window->setBackground(filled({780, 600}, Qt::white));
    m_next = new PictureButton(m_window.get(), QStringLiteral("imgNext"), {200, 528, 138, 29},
                               m_normal, m_highlighted, QCursor(Qt::PointingHandCursor));
    m_caption = new QLabel(QStringLiteral("次へ"), m_window.get());
    m_caption->setObjectName(QStringLiteral("lblNext"));
    m_caption->setGeometry(242, 534, 57, 17);
    m_next->attachCaption(m_caption);
    m_exit = new PictureButton(m_window.get(), QStringLiteral("imgExit"), {698, 20, 33, 33},
                               QPixmap(), m_closeHighlighted, QCursor(Qt::PointingHandCursor));
    m_window->registerButton(m_next);
    m_window->registerButton(m_exit);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    settle();
}

void HoverCostTest::cleanup() {
    m_window.reset();
}

void HoverCostTest::settle() {
    for (int round = 0; round < 3; ++round) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

void HoverCostTest::moveTo(QWidget* widget, QPoint position) {
    QTest::mouseMove(widget, position);
    settle();
}

void HoverCostTest::repeatedMovesRepaintOnlyWhatChanges_data() {
    QTest::addColumn<QString>("firstOver"); // where the pointer rests before
    QTest::addColumn<QString>("movesOver"); // where the counted moves go
    QTest::addColumn<QString>("repainted"); // the button that changes its look, or empty
    QTest::addColumn<QRect>("allowedArea"); // where anything may repaint: that button's place

    const QRect next(200, 528, 138, 29);
    const QRect exit(698, 20, 33, 33);
    QTest::newRow("bare surface while every button is at rest") << "window"
                                                                << "window" << QString() << QRect();
    QTest::newRow("onto a button: that button alone, once") << "window"
                                                            << "imgNext"
                                                            << "imgNext" << next;
    QTest::newRow("on and on over a lit button: nothing") << "imgNext"
                                                          << "imgNext" << QString() << QRect();
    QTest::newRow("over the caption of a lit button: nothing") << "imgNext"
                                                               << "lblNext" << QString() << QRect();
    QTest::newRow("onto a button without a resting picture") << "window"
                                                             << "imgExit"
                                                             << "imgExit" << exit;
    QTest::newRow("bare surface after a button was lit: that button alone, once")
        << "imgNext"
        << "window"
        << "imgNext" << next;
}

void HoverCostTest::repeatedMovesRepaintOnlyWhatChanges() {
    QFETCH(QString, firstOver);
    QFETCH(QString, movesOver);
    QFETCH(QString, repainted);
    QFETCH(QRect, allowedArea);

    const auto widgetNamed = [this](const QString& name) -> QWidget* {
        return name == QLatin1String("window") ? m_window.get()
                                               : m_window->findChild<QWidget*>(name);
    };
    // Positions inside each widget, varied so that every move is a real one.
    const auto spotIn = [&](const QString& name, int step) {
        return name == QLatin1String("window") ? QPoint(100 + step, 300 + step)
                                               : QPoint(5 + step, 5 + step);
    };

    moveTo(widgetNamed(firstOver), spotIn(firstOver, 0));
    PaintCounter counter(m_window.get());
    for (int step = 1; step <= 10; ++step) {
        moveTo(widgetNamed(movesOver), spotIn(movesOver, step));
    }

    if (repainted.isEmpty()) {
        QCOMPARE(counter.totalPaints(), 0);
    } else {
        // The button once; its caption and the background beneath may
        // follow, but nothing outside the button's place.
        QCOMPARE(counter.paintsOf(repainted), 1);
        QVERIFY2(allowedArea.contains(counter.repaintedArea()),
                 qPrintable(QStringLiteral("repainted %1,%2 %3x%4")
                                .arg(counter.repaintedArea().x())
                                .arg(counter.repaintedArea().y())
                                .arg(counter.repaintedArea().width())
                                .arg(counter.repaintedArea().height())));
    }
}

void HoverCostTest::hoverHandsOutTheStoredPictures() {
    moveTo(m_next, {5, 5});
    QCOMPARE(m_next->pixmap().cacheKey(), m_highlighted.cacheKey());
    moveTo(m_window.get(), {100, 300});
    QCOMPARE(m_next->pixmap().cacheKey(), m_normal.cacheKey());
    moveTo(m_exit, {5, 5});
    QCOMPARE(m_exit->pixmap().cacheKey(), m_closeHighlighted.cacheKey());
    moveTo(m_window.get(), {100, 300});
    QVERIFY(m_exit->pixmap().isNull());
}

QTEST_MAIN(HoverCostTest)
#include "test_hover_cost.moc"
