#include "shell/ui/picture_button.h"
#include "shell/ui/screen_window.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QtTest>

using namespace tavik;

namespace {

QPixmap filled(QSize size, QColor colour) {
    QPixmap pixmap(size);
    pixmap.fill(colour);
    return pixmap;
}

bool shows(const QLabel* label, const QPixmap& picture) {
    const QPixmap shown = label->pixmap();
    if (picture.isNull() || shown.isNull()) {
        return picture.isNull() == shown.isNull();
    }
    return shown.toImage() == picture.toImage();
}

// A small screen with every kind of control the hover rule meets. Points
// name the place of each control, so the rows below read as pointer paths.
class HoverScreen : public ScreenWindow {
public:
    HoverScreen() : ScreenWindow(QSize(400, 300)) {
        first = new PictureButton(this, QStringLiteral("imgFirst"), QRect(20, 20, 138, 29), normal,
                                  highlighted, QCursor(Qt::PointingHandCursor));
        caption = new QLabel(QStringLiteral("戻る"), this);
        caption->setGeometry(60, 26, 57, 17);
        first->attachCaption(caption);
        second = new PictureButton(this, QStringLiteral("imgSecond"), QRect(158, 20, 138, 29),
                                   normal, highlighted, QCursor(Qt::PointingHandCursor));
        paintedLook = new PictureButton(this, QStringLiteral("imgExit"), QRect(340, 20, 33, 29),
                                        QPixmap(), highlighted, QCursor(Qt::PointingHandCursor));
        for (PictureButton* button : {first, second, paintedLook}) {
            registerButton(button);
        }
        auto* textBox = new QLineEdit(this);
        textBox->setGeometry(20, 80, 120, 24);
        auto* list = new QComboBox(this);
        list->addItems({QStringLiteral("5"), QStringLiteral("10")});
        list->setGeometry(20, 120, 120, 24);
        auto* editableList = new QComboBox(this);
        editableList->setEditable(true);
        editableList->setGeometry(160, 120, 120, 24);
        auto* plainLabel = new QLabel(QStringLiteral("総問題数："), this);
        plainLabel->setGeometry(20, 160, 120, 20);
        auto* picture = new QLabel(this);
        picture->setPixmap(filled({100, 60}, Qt::gray));
        picture->setGeometry(160, 160, 100, 60);
        // Like the option hotspots of the main menu: a picture that follows
        // the pointer but ignores its moves, so they travel on to the window.
        auto* hotspot = new QLabel(this);
        hotspot->setMouseTracking(true);
        hotspot->setCursor(Qt::PointingHandCursor);
        hotspot->setGeometry(280, 160, 100, 52);
    }

    const QPixmap normal = filled({138, 29}, QColor(0xd9, 0xd0, 0xf0));
    const QPixmap highlighted = filled({138, 29}, QColor(0x8a, 0x7f, 0xd0));
    PictureButton* first;
    QLabel* caption;
    PictureButton* second;
    PictureButton* paintedLook;
};

const QPoint onFirst(30, 40);
const QPoint onCaption(80, 34);
const QPoint onSecond(250, 40);
const QPoint onPaintedLook(355, 35);
const QPoint onTextBox(60, 90);
const QPoint onList(60, 130);
const QPoint onEditableList(200, 130);
const QPoint onPlainLabel(60, 170);
const QPoint onPicture(200, 190);
const QPoint onHotspot(330, 190);
const QPoint bareA(380, 280);
const QPoint bareB(300, 250);

} // namespace

class HoverRuleTest : public QObject {
    Q_OBJECT

    std::unique_ptr<HoverScreen> screen;

    // The window-handle route of QTest goes through the window system
    // interface like a real pointer: the event lands on the widget under the
    // pointer, with the implicit grab of a pressed button. The widget
    // overloads of press and release would hand the event to the window itself.
    void moveTo(QPoint point) { QTest::mouseMove(screen->windowHandle(), point); }

    void expectLooks(bool firstLit, bool secondLit, bool paintedLit) {
        QCOMPARE(shows(screen->first, firstLit ? screen->highlighted : screen->normal), true);
        QCOMPARE(shows(screen->second, secondLit ? screen->highlighted : screen->normal), true);
        QCOMPARE(shows(screen->paintedLook, paintedLit ? screen->highlighted : QPixmap()), true);
    }

private slots:
    void init() {
        screen = std::make_unique<HoverScreen>();
        screen->show();
        QVERIFY(QTest::qWaitForWindowExposed(screen.get()));
        moveTo(bareA);
    }
    void cleanup() { screen.reset(); }

    void pointerPath_data() {
        QTest::addColumn<QList<QPoint>>("path");
        QTest::addColumn<bool>("firstLit");
        QTest::addColumn<bool>("secondLit");
        QTest::addColumn<bool>("paintedLit");

        QTest::newRow("picture") << QList<QPoint>{onFirst} << true << false << false;
        QTest::newRow("caption alone") << QList<QPoint>{onCaption} << true << false << false;
        QTest::newRow("picture onto its caption")
            << QList<QPoint>{onFirst, onCaption} << true << false << false;
        QTest::newRow("button onto neighbouring button")
            << QList<QPoint>{onFirst, onSecond} << true << true << false;
        QTest::newRow("button onto text box")
            << QList<QPoint>{onFirst, onTextBox} << true << false << false;
        QTest::newRow("button onto combo box")
            << QList<QPoint>{onFirst, onList} << true << false << false;
        QTest::newRow("button onto editable combo box")
            << QList<QPoint>{onFirst, onEditableList} << true << false << false;
        QTest::newRow("button onto plain label")
            << QList<QPoint>{onFirst, onPlainLabel} << true << false << false;
        QTest::newRow("button onto plain picture")
            << QList<QPoint>{onFirst, onPicture} << true << false << false;
        QTest::newRow("button onto a hotspot that follows the pointer")
            << QList<QPoint>{onFirst, onHotspot} << true << false << false;
        QTest::newRow("bare surface between two buttons")
            << QList<QPoint>{onFirst, bareB, onSecond} << false << true << false;
        QTest::newRow("caption onto bare surface")
            << QList<QPoint>{onCaption, bareB} << false << false << false;
        QTest::newRow("button with its look in the background")
            << QList<QPoint>{onPaintedLook} << false << false << true;
        QTest::newRow("every button, then a text box")
            << QList<QPoint>{onFirst, onSecond, onPaintedLook, onTextBox} << true << true << true;
    }

    void pointerPath() {
        QFETCH(QList<QPoint>, path);
        QFETCH(bool, firstLit);
        QFETCH(bool, secondLit);
        QFETCH(bool, paintedLit);

        expectLooks(false, false, false);
        for (const QPoint& point : path) {
            moveTo(point);
        }
        expectLooks(firstLit, secondLit, paintedLit);

        moveTo(path.last() == bareA ? bareB : bareA);
        expectLooks(false, false, false);
    }

    void hiddenButtonKeepsItsLookUntilTheBareSurface() {
        moveTo(onSecond);
        moveTo(onFirst);
        screen->first->setShown(false);
        QVERIFY(!screen->caption->isVisible());
        moveTo(onTextBox);
        screen->first->setShown(true);
        expectLooks(true, true, false);

        screen->first->setShown(false);
        // Where the hidden button lay is bare surface now.
        moveTo(onFirst);
        screen->first->setShown(true);
        expectLooks(false, false, false);
    }

    void clicks_data() {
        QTest::addColumn<QPoint>("pressAt");
        QTest::addColumn<QPoint>("releaseAt");
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<int>("clicks");

        QTest::newRow("on the picture") << onFirst << onFirst << Qt::LeftButton << 1;
        QTest::newRow("on the caption") << onCaption << onCaption << Qt::LeftButton << 1;
        QTest::newRow("pressed on the caption, released on the picture")
            << onCaption << onFirst << Qt::LeftButton << 0;
        QTest::newRow("pressed on the caption, released outside")
            << onCaption << bareB << Qt::LeftButton << 0;
        QTest::newRow("pressed on the picture, released outside")
            << onFirst << bareB << Qt::LeftButton << 0;
        QTest::newRow("right button on the caption")
            << onCaption << onCaption << Qt::RightButton << 0;
        QTest::newRow("on the neighbouring button") << onSecond << onSecond << Qt::LeftButton << 0;
    }

    void clicks() {
        QFETCH(QPoint, pressAt);
        QFETCH(QPoint, releaseAt);
        QFETCH(Qt::MouseButton, button);
        QFETCH(int, clicks);

        QSignalSpy clicked(screen->first, &PictureButton::clicked);
        QTest::mousePress(screen->windowHandle(), button, {}, pressAt);
        QTest::mouseRelease(screen->windowHandle(), button, {}, releaseAt);
        QCOMPARE(clicked.count(), clicks);
    }

    void doubleClickCountsTwiceOnPictureAndCaptionAlike_data() {
        QTest::addColumn<QPoint>("at");
        QTest::newRow("picture") << onFirst;
        QTest::newRow("caption") << onCaption;
    }

    void doubleClickCountsTwiceOnPictureAndCaptionAlike() {
        QFETCH(QPoint, at);
        QSignalSpy clicked(screen->first, &PictureButton::clicked);
        QTest::mouseDClick(screen->windowHandle(), Qt::LeftButton, {}, at);
        QCOMPARE(clicked.count(), 2);
    }
};

QTEST_MAIN(HoverRuleTest)
#include "test_hover_rule.moc"
