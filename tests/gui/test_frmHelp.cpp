#include "shell/ui/artwork.h"
#include "shell/ui/frmHelp.h"
#include "shell/ui/picture_button.h"
#include "shell/ui/program_exit.h"

#include <QScreen>
#include <QTimer>
#include <QtTest>

using namespace tavik;

class FrmHelpTest : public QObject {
    Q_OBJECT

    Artwork art;
    int programEnds = 0;

    // Opens the help screen modally, as every calling screen does, lets the
    // step act on it while it is shown, and tells whether it closed again.
    bool closesAfter(const std::function<void(frmHelp&)>& step) {
        frmHelp help(art);
        bool stillOpen = false;
        QTimer::singleShot(0, &help, [&] {
            if (!QTest::qWaitForWindowExposed(&help)) {
                return;
            }
            step(help);
            QCoreApplication::processEvents();
            stillOpen = help.isVisible();
            help.done(QDialog::Rejected);
        });
        help.exec();
        return !stillOpen;
    }

private slots:
    void initTestCase() {
        art.loadScreens(1.0);
        setProgramEndHandler([this] { ++programEnds; });
    }
    void cleanupTestCase() { setProgramEndHandler({}); }
    void init() { programEnds = 0; }

    void layout() {
        frmHelp help(art);
        QCOMPARE(help.windowTitle(), QStringLiteral("Tavik"));
        QCOMPARE(help.size(), QSize(780, 600));

        auto* page = help.findChild<QLabel*>(QStringLiteral("imgHelp"));
        QVERIFY(page);
        QCOMPARE(page->geometry(), QRect(128, 88, 567, 409));
        QCOMPARE(page->pixmap().toImage(), art.helpPage.picture(1).toImage());

        auto* back = help.findChild<PictureButton*>(QStringLiteral("imgBack"));
        QVERIFY(back);
        QCOMPARE(back->geometry(), QRect(336, 512, 138, 29));
        QCOMPARE(back->pixmap().toImage(), art.ilBtn.picture(1).toImage());
        auto* caption = help.findChild<QLabel*>(QStringLiteral("lblBack"));
        QVERIFY(caption);
        QCOMPARE(caption->text(), QStringLiteral("戻る"));
        QCOMPARE(caption->geometry(), QRect(378, 518, 57, 17));
        QCOMPARE(caption->palette().color(QPalette::WindowText), QColor(0, 0, 128));
        QVERIFY(caption->font().bold());
        QCOMPARE(caption->cursor().hotSpot(), QPoint(12, 1));

        auto* exit = help.findChild<PictureButton*>(QStringLiteral("imgExit"));
        QVERIFY(exit);
        QCOMPARE(exit->geometry(), QRect(698, 20, 33, 29));
        QVERIFY(exit->pixmap().isNull());
        QCOMPARE(exit->cursor().hotSpot(), QPoint(12, 1));
    }

    void closing_data() {
        QTest::addColumn<QPoint>("clickAt");
        QTest::addColumn<int>("key");
        QTest::addColumn<bool>("closes");

        const QPoint nowhere(-1, -1);
        QTest::newRow("Back picture") << QPoint(350, 530) << 0 << true;
        QTest::newRow("Back caption") << QPoint(405, 525) << 0 << true;
        QTest::newRow("help page") << QPoint(300, 300) << 0 << false;
        QTest::newRow("Esc") << nowhere << int(Qt::Key_Escape) << false;
        QTest::newRow("Enter") << nowhere << int(Qt::Key_Return) << false;
        QTest::newRow("keypad Enter") << nowhere << int(Qt::Key_Enter) << false;
        QTest::newRow("Page Up") << nowhere << int(Qt::Key_PageUp) << false;
        QTest::newRow("Space") << nowhere << int(Qt::Key_Space) << false;
    }

    void closing() {
        QFETCH(QPoint, clickAt);
        QFETCH(int, key);
        QFETCH(bool, closes);

        const bool closed = closesAfter([&](frmHelp& help) {
            if (key != 0) {
                QTest::keyClick(&help, Qt::Key(key));
            } else {
                QTest::mouseClick(help.windowHandle(), Qt::LeftButton, {}, clickAt);
            }
        });
        QCOMPARE(closed, closes);
        QCOMPARE(programEnds, 0);
    }

    void closeButtonEndsTheProgram() {
        const bool closed = closesAfter([this](frmHelp& help) {
            QTest::mouseMove(help.windowHandle(), QPoint(710, 30));
            auto* exit = help.findChild<PictureButton*>(QStringLiteral("imgExit"));
            QCOMPARE(exit->pixmap().toImage(), art.ilBtn.picture(6).toImage());
            QTest::mouseClick(help.windowHandle(), Qt::LeftButton, {}, QPoint(710, 30));
        });
        QCOMPARE(programEnds, 1);
        QVERIFY(!closed);
    }

    // A compositor may maximize any window: the window takes the size it is
    // given, with its screen centred in it and still working.
    void maximizedWindowKeepsItsScreenCentred() {
        frmHelp help(art);
        help.showMaximized();
        QTRY_COMPARE(help.frameGeometry().size(), help.screen()->availableGeometry().size());
        const QPoint offset((help.width() - 780) / 2, (help.height() - 600) / 2);
        QVERIFY(offset.x() > 0 && offset.y() > 0);
        auto* back = help.findChild<PictureButton*>(QStringLiteral("imgBack"));
        QCOMPARE(back->mapTo(&help, QPoint()), QPoint(336, 512) + offset);
        QTest::mouseMove(help.windowHandle(), QPoint(350, 530) + offset);
        QVERIFY(back->isHighlighted());
        QTest::mouseMove(help.windowHandle(), QPoint(40, 300) + offset);
        QVERIFY(!back->isHighlighted());
        help.showNormal();
        QTRY_COMPARE(help.size(), QSize(780, 600));
        QCOMPARE(back->mapTo(&help, QPoint()), QPoint(336, 512));
    }

    void everyOpeningStartsAtRest() {
        closesAfter([](frmHelp& help) {
            QTest::mouseMove(help.windowHandle(), QPoint(350, 530));
            QTest::mouseMove(help.windowHandle(), QPoint(710, 30));
        });
        frmHelp again(art);
        auto* back = again.findChild<PictureButton*>(QStringLiteral("imgBack"));
        auto* exit = again.findChild<PictureButton*>(QStringLiteral("imgExit"));
        QVERIFY(!back->isHighlighted());
        QVERIFY(!exit->isHighlighted());
        QCOMPARE(back->pixmap().toImage(), art.ilBtn.picture(1).toImage());
        QVERIFY(exit->pixmap().isNull());
    }
};

QTEST_MAIN(FrmHelpTest)
#include "test_frmHelp.moc"
