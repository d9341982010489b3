#include "app/app_state.h"
#include "print/drawing_surface.h"
#include "print/print_job.h"
#include "print/ui/frmPrintI.h"
#include "print/ui/frmPrintT.h"
#include "print/ui/sheet_preview.h"
#include "shell/ui/artwork.h"
#include "shell/ui/picture_button.h"
#include "shell/ui/program_exit.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace tavik;

namespace {

struct Message {
    QMessageBox::Icon icon;
    QString text;
};

// A print screen whose message boxes are remembered instead of shown.
template <typename Screen> class QuietScreen : public Screen {
public:
    using Screen::Screen;
    std::vector<Message> messages;

protected:
    void showMessage(QMessageBox::Icon icon, const QString& text) override {
        messages.push_back({icon, text});
    }
};

// Counts what would have been printed and notes each printed page's label;
// drawing can be made to fail.
struct FakeSpool {
    std::vector<int> pagesPerDocument;
    QStringList pageLabels;
    bool failAtSecondPage = false;
};

class LabelSurface : public DrawingSurface {
public:
    explicit LabelSurface(QStringList& labels) : m_labels(labels) {}
    double scaleWidth() const override { return 11000; }
    double scaleHeight() const override { return 15000; }
    void setCurrentX(double) override {}
    void setCurrentY(double) override {}
    void setFontSize(int) override {}
    void line(double, double, double, double) override {}
    void print(const QString& text) override {
        if (text.endsWith(QStringLiteral(" Page"))) {
            m_labels << text;
        }
    }

private:
    QStringList& m_labels;
};

class FakeDocument : public PrintDocument {
public:
    FakeDocument(FakeSpool& spool) : m_spool(spool), m_surface(spool.pageLabels) {
        m_spool.pagesPerDocument.push_back(1);
    }
    DrawingSurface& surface() override { return m_surface; }
    bool newPage() override {
        ++m_spool.pagesPerDocument.back();
        return true;
    }
    bool finish() override { return true; }
    bool isHealthy() const override {
        return !(m_spool.failAtSecondPage && m_spool.pagesPerDocument.back() == 2);
    }

private:
    FakeSpool& m_spool;
    LabelSurface m_surface;
};

class FakeTarget : public PrintTarget {
public:
    explicit FakeTarget(FakeSpool& spool) : m_spool(spool) {}
    std::unique_ptr<PrintDocument> beginDocument() override {
        return std::make_unique<FakeDocument>(m_spool);
    }

private:
    FakeSpool& m_spool;
};

// A bank of numbered words, each with one sentence, and a drill of the
// first `questions` of them.
void fillState(AppState& state, int questions, bool optQuestion, const QString& level) {
    state.banks.WordBank = {{"主キー", "単語", "日本語訳"}};
    state.banks.SentenceBank = {{"主キー", "単語キー", "前半", "単語", "後半", "日本語訳"}};
    state.drill = DrillSet{};
    for (int row = 1; row <= questions; ++row) {
        const QString key = QString::number(row);
        const QString word = QStringLiteral("word") + QString(row % 7, QLatin1Char('x'));
        state.banks.WordBank.push_back({key, word, QStringLiteral("意味") + key});
        state.banks.SentenceBank.push_back(
            {key, key, QStringLiteral("We "), word, QStringLiteral(" it."), QStringLiteral("訳")});
        state.drill.drillWords.push_back(static_cast<std::int16_t>(row));
        state.drill.drillSentences.push_back(static_cast<std::int16_t>(row));
    }
    state.drill.drillWordCount = static_cast<std::int16_t>(questions);
    state.drill.drillSentenceCount = static_cast<std::int16_t>(questions);
    state.settings.optQuestion = optQuestion;
    state.settings.levelText = level;
}

template <typename T> T* child(QWidget* screen, const char* name) {
    T* found = screen->findChild<T*>(QString::fromLatin1(name));
    if (found == nullptr) {
        qFatal("no control %s", name);
    }
    return found;
}

bool pagingShown(QWidget* screen, const char* picture, const char* caption) {
    const bool pictureShown = !child<QWidget>(screen, picture)->isHidden();
    const bool captionShown = !child<QWidget>(screen, caption)->isHidden();
    if (pictureShown != captionShown) {
        qFatal("%s and %s disagree", picture, caption);
    }
    return pictureShown;
}

int inkedPixels(const QImage& page) {
    int inked = 0;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            inked += qGray(page.pixel(x, y)) < 128 ? 1 : 0;
        }
    }
    return inked;
}

// Answers the next message box the way a person would, noting what it said.
void answerNextMessageBox(Message& seen) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, timer, [timer, &seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            return;
        }
        seen = {box->icon(), box->text()};
        QCOMPARE(box->windowTitle(), QStringLiteral("Tavik"));
        QCOMPARE(box->standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));
        box->button(QMessageBox::Ok)->click();
        timer->deleteLater();
    });
    timer->start(20);
}

} // namespace

class FrmPrintTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void opensOnFirstPageWithCopies_data();
    void opensOnFirstPageWithCopies();
    void pagingControls_data();
    void pagingControls();
    void pagingKeysStayWithinPages_data();
    void pagingKeysStayWithinPages();
    void previewShowsEachPage();
    void escapeGoesBack();
    void exitEndsProgram();
    void helpOpensModally();
    void bareSurfaceResetsEveryButton();
    void printsChosenCopiesAndKeepsPage_data();
    void printsChosenCopiesAndKeepsPage();
    void printFailureIsReported();
    void printsThroughCups();
    void failedPrintingIsShown();

private:
    std::unique_ptr<PrintScreen> open(bool sentences, int questions, bool optQuestion = true,
                                      const QString& level = QStringLiteral("中級"));

    Artwork m_art;
    AppState m_state;
};

void FrmPrintTest::initTestCase() {
    m_art.loadScreens(1.0);
}

std::unique_ptr<PrintScreen> FrmPrintTest::open(bool sentences, int questions, bool optQuestion,
                                                const QString& level) {
    fillState(m_state, questions, optQuestion, level);
    if (sentences) {
        return std::make_unique<QuietScreen<frmPrintI>>(m_state, m_art);
    }
    return std::make_unique<QuietScreen<frmPrintT>>(m_state, m_art);
}

template <typename Screen> std::vector<Message>& messagesOf(PrintScreen* screen) {
    return static_cast<QuietScreen<Screen>*>(screen)->messages;
}

void FrmPrintTest::opensOnFirstPageWithCopies_data() {
    QTest::addColumn<bool>("sentences");
    QTest::addColumn<QString>("name");
    QTest::newRow("frmPrintT") << false << QStringLiteral("frmPrintT");
    QTest::newRow("frmPrintI") << true << QStringLiteral("frmPrintI");
}

void FrmPrintTest::opensOnFirstPageWithCopies() {
    QFETCH(bool, sentences);
    QFETCH(QString, name);
    const auto screen = open(sentences, 45);
    QCOMPARE(screen->objectName(), name);
    QCOMPARE(screen->windowTitle(), QStringLiteral("Tavik"));
    QCOMPARE(screen->sheetPage(), 1);
    QCOMPARE(screen->sheetPageCount(), 3);
    QCOMPARE(child<QLabel>(screen.get(), "Label1")->text(), QStringLiteral("印刷部数："));

    auto* copies = child<QComboBox>(screen.get(), "cmbCopy");
    QVERIFY(!copies->isEditable());
    QCOMPARE(copies->currentText(), QStringLiteral("1枚"));
    QStringList entries;
    for (int i = 0; i < copies->count(); ++i) {
        entries << copies->itemText(i);
    }
    QCOMPARE(entries, QStringList({"1枚", "2枚", "3枚", "4枚", "5枚", "6枚", "7枚", "8枚", "9枚"}));

    const struct {
        const char* name;
        QString text;
    } captions[] = {
        {"lblPrint", "印刷"}, {"lblBack", "再検索"}, {"lblNext", "次へ"}, {"lblBefore", "前へ"}};
    for (const auto& caption : captions) {
        QCOMPARE(child<QLabel>(screen.get(), caption.name)->text(), caption.text);
    }
    QCOMPARE(child<PictureButton>(screen.get(), "imgPrint")->geometry(), QRect(560, 304, 138, 29));
    QCOMPARE(child<PictureButton>(screen.get(), "imgBefore")->geometry(), QRect(560, 480, 138, 29));
    QCOMPARE(child<SheetPreview>(screen.get(), "pbPreview")->geometry(), QRect(128, 88, 361, 473));
}

void FrmPrintTest::pagingControls_data() {
    QTest::addColumn<int>("questions");
    QTest::addColumn<int>("nextClicks");
    QTest::addColumn<int>("page");
    QTest::addColumn<bool>("nextShown");
    QTest::addColumn<bool>("beforeShown");
    QTest::newRow("no questions") << 0 << 0 << 1 << false << false;
    QTest::newRow("one page") << 15 << 0 << 1 << false << false;
    QTest::newRow("exactly 20") << 20 << 0 << 1 << false << false;
    QTest::newRow("first of 3") << 45 << 0 << 1 << true << false;
    QTest::newRow("middle of 3") << 45 << 1 << 2 << true << true;
    QTest::newRow("last of 3") << 45 << 2 << 3 << false << true;
}

void FrmPrintTest::pagingControls() {
    QFETCH(int, questions);
    QFETCH(int, nextClicks);
    QFETCH(int, page);
    QFETCH(bool, nextShown);
    QFETCH(bool, beforeShown);
    for (bool sentences : {false, true}) {
        const auto screen = open(sentences, questions);
        for (int i = 0; i < nextClicks; ++i) {
            // Alternately the picture and its caption, as a person might.
            QTest::mouseClick(child<QWidget>(screen.get(), i % 2 ? "lblNext" : "imgNext"),
                              Qt::LeftButton, {}, QPoint(10, 8));
        }
        QCOMPARE(screen->sheetPage(), page);
        QCOMPARE(pagingShown(screen.get(), "imgNext", "lblNext"), nextShown);
        QCOMPARE(pagingShown(screen.get(), "imgBefore", "lblBefore"), beforeShown);
        if (beforeShown) {
            QTest::mouseClick(child<QWidget>(screen.get(), "imgBefore"), Qt::LeftButton, {},
                              QPoint(10, 8));
            QCOMPARE(screen->sheetPage(), page - 1);
        }
    }
}

void FrmPrintTest::pagingKeysStayWithinPages_data() {
    QTest::addColumn<int>("questions");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<int>("page");
    // U: Page Up, D: Page Down
    QTest::newRow("one page, Page Up") << 15 << "U" << 1;
    QTest::newRow("one page, Page Down") << 15 << "D" << 1;
    QTest::newRow("Page Up moves on") << 45 << "U" << 2;
    QTest::newRow("Page Up to the last") << 45 << "UU" << 3;
    QTest::newRow("Page Up on the last") << 45 << "UUU" << 3;
    QTest::newRow("Page Down on the first") << 45 << "D" << 1;
    QTest::newRow("Page Down moves back") << 45 << "UUD" << 2;
}

void FrmPrintTest::pagingKeysStayWithinPages() {
    QFETCH(int, questions);
    QFETCH(QString, keys);
    QFETCH(int, page);
    const auto screen = open(false, questions);
    // The copies box has the focus; the window sees the keys first.
    auto* copies = child<QComboBox>(screen.get(), "cmbCopy");
    for (QChar key : keys) {
        QTest::keyClick(copies, key == QLatin1Char('U') ? Qt::Key_PageUp : Qt::Key_PageDown);
    }
    QCOMPARE(screen->sheetPage(), page);
    QCOMPARE(copies->currentText(), QStringLiteral("1枚"));
    QCOMPARE(pagingShown(screen.get(), "imgNext", "lblNext"), page < screen->sheetPageCount());
    QCOMPARE(pagingShown(screen.get(), "imgBefore", "lblBefore"), page > 1);
}

void FrmPrintTest::previewShowsEachPage() {
    const auto screen = open(true, 25);
    const auto* preview = child<SheetPreview>(screen.get(), "pbPreview");
    const QImage first = preview->page();
    QVERIFY(inkedPixels(first) > 500);
    QTest::keyClick(screen.get(), Qt::Key_PageUp);
    const QImage second = preview->page();
    QVERIFY(inkedPixels(second) > 500);
    // Five rows instead of twenty.
    QVERIFY(inkedPixels(second) < inkedPixels(first));
    QTest::keyClick(screen.get(), Qt::Key_PageDown);
    QCOMPARE(preview->page(), first);
}

void FrmPrintTest::escapeGoesBack() {
    const auto screen = open(false, 45);
    screen->show();
    QVERIFY(QTest::qWaitForWindowExposed(screen.get()));
    QTest::keyClick(child<QComboBox>(screen.get(), "cmbCopy"), Qt::Key_Escape);
    QVERIFY(!screen->isVisible());
    QCOMPARE(messagesOf<frmPrintT>(screen.get()).size(), std::size_t(0));
}

void FrmPrintTest::exitEndsProgram() {
    const auto screen = open(false, 45);
    bool ended = false;
    setProgramEndHandler([&ended] { ended = true; });
    QTest::mouseClick(child<QWidget>(screen.get(), "imgExit"), Qt::LeftButton, {}, QPoint(10, 10));
    setProgramEndHandler({});
    QVERIFY(ended);
}

void FrmPrintTest::helpOpensModally() {
    const auto screen = open(false, 45);
    screen->show();
    QVERIFY(QTest::qWaitForWindowExposed(screen.get()));
    QString seen;
    QTimer timer;
    connect(&timer, &QTimer::timeout, &timer, [&] {
        if (QWidget* modal = QApplication::activeModalWidget(); modal != screen.get() && modal) {
            seen = modal->objectName();
            modal->close();
        }
    });
    timer.start(20);
    QTest::mouseClick(child<QWidget>(screen.get(), "imgHelp"), Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(seen, QStringLiteral("frmHelp"));
    QVERIFY(screen->isVisible());
}

void FrmPrintTest::bareSurfaceResetsEveryButton() {
    const auto screen = open(false, 45);
    screen->show();
    QVERIFY(QTest::qWaitForWindowExposed(screen.get()));
    QTest::keyClick(screen.get(), Qt::Key_PageUp); // the middle page shows every button
    const char* names[] = {"imgPrint", "imgBack", "imgNext", "imgBefore", "imgExit", "imgHelp"};
    for (const char* name : names) {
        QTest::mouseMove(child<QWidget>(screen.get(), name), QPoint(12, 12));
        QVERIFY2(child<PictureButton>(screen.get(), name)->isHighlighted(), name);
    }
    // Over the preview the highlights stay; over the bare page they go.
    QTest::mouseMove(child<QWidget>(screen.get(), "pbPreview"), QPoint(100, 100));
    QVERIFY(child<PictureButton>(screen.get(), "imgHelp")->isHighlighted());
    QTest::mouseMove(screen.get(), QPoint(40, 300));
    for (const char* name : names) {
        QVERIFY2(!child<PictureButton>(screen.get(), name)->isHighlighted(), name);
    }
}

void FrmPrintTest::printsChosenCopiesAndKeepsPage_data() {
    QTest::addColumn<bool>("sentences");
    QTest::addColumn<int>("copiesIndex");
    QTest::addColumn<bool>("byEnter");
    QTest::newRow("words, 1 copy, button") << false << 0 << false;
    QTest::newRow("words, 3 copies, Enter") << false << 2 << true;
    QTest::newRow("sentences, 9 copies, button") << true << 8 << false;
}

void FrmPrintTest::printsChosenCopiesAndKeepsPage() {
    QFETCH(bool, sentences);
    QFETCH(int, copiesIndex);
    QFETCH(bool, byEnter);
    const auto screen = open(sentences, 45);
    FakeSpool spool;
    screen->setPrintTarget(std::make_unique<FakeTarget>(spool));
    QTest::keyClick(screen.get(), Qt::Key_PageUp);
    const QImage preview = child<SheetPreview>(screen.get(), "pbPreview")->page();
    child<QComboBox>(screen.get(), "cmbCopy")->setCurrentIndex(copiesIndex);

    if (byEnter) {
        QTest::keyClick(child<QComboBox>(screen.get(), "cmbCopy"), Qt::Key_Return);
    } else {
        QTest::mouseClick(child<QWidget>(screen.get(), "lblPrint"), Qt::LeftButton, {},
                          QPoint(5, 5));
    }

    QCOMPARE(spool.pagesPerDocument, std::vector<int>(std::size_t(copiesIndex + 1), 3));
    // Every copy starts from page 1, whichever page the preview shows.
    QStringList labels;
    for (int copy = 0; copy <= copiesIndex; ++copy) {
        labels << QStringLiteral("1/3 Page") << QStringLiteral("2/3 Page")
               << QStringLiteral("3/3 Page");
    }
    QCOMPARE(spool.pageLabels, labels);
    const auto& messages =
        sentences ? messagesOf<frmPrintI>(screen.get()) : messagesOf<frmPrintT>(screen.get());
    QCOMPARE(messages.size(), std::size_t(1));
    QCOMPARE(messages[0].icon, QMessageBox::Information);
    QCOMPARE(messages[0].text, QStringLiteral("印刷が完了しました"));
    QCOMPARE(screen->sheetPage(), 2);
    QCOMPARE(child<SheetPreview>(screen.get(), "pbPreview")->page(), preview);
    QVERIFY(pagingShown(screen.get(), "imgNext", "lblNext"));
    QVERIFY(pagingShown(screen.get(), "imgBefore", "lblBefore"));
    QTest::keyClick(screen.get(), Qt::Key_PageUp);
    QCOMPARE(screen->sheetPage(), 3);
}

void FrmPrintTest::printFailureIsReported() {
    const auto screen = open(false, 45);
    FakeSpool spool;
    spool.failAtSecondPage = true;
    screen->setPrintTarget(std::make_unique<FakeTarget>(spool));
    child<QComboBox>(screen.get(), "cmbCopy")->setCurrentIndex(4);
    QTest::mouseClick(child<QWidget>(screen.get(), "imgPrint"), Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(spool.pagesPerDocument, std::vector<int>{2});
    const auto& messages = messagesOf<frmPrintT>(screen.get());
    QCOMPARE(messages.size(), std::size_t(1));
    QCOMPARE(messages[0].icon, QMessageBox::Warning);
    QCOMPARE(messages[0].text, QStringLiteral("印刷ができませんでした"));
    QCOMPARE(screen->sheetPage(), 1);
}

// Run by tests/e2e/test_printing.sh against a real CUPS queue: three copies
// of a two-page word question sheet through the system printer.
void FrmPrintTest::printsThroughCups() {
    if (qEnvironmentVariable("TAVIK_CUPS") != QStringLiteral("1")) {
        QSKIP("prints for real only when TAVIK_CUPS=1");
    }
    fillState(m_state, 30, true, QStringLiteral("中級"));
    frmPrintT screen(m_state, m_art);
    child<QComboBox>(&screen, "cmbCopy")->setCurrentIndex(2);
    Message seen{QMessageBox::NoIcon, {}};
    answerNextMessageBox(seen);
    QTest::keyClick(&screen, Qt::Key_Return);
    QCOMPARE(seen.text, QStringLiteral("印刷が完了しました"));
    QCOMPARE(seen.icon, QMessageBox::Information);
}

// Run by tests/e2e/test_printing.sh with a queue that refuses jobs and with
// no printer at all.
void FrmPrintTest::failedPrintingIsShown() {
    if (qEnvironmentVariable("TAVIK_CUPS") != QStringLiteral("1")) {
        QSKIP("tries the system printer only when TAVIK_CUPS=1");
    }
    fillState(m_state, 30, true, QStringLiteral("中級"));
    frmPrintT screen(m_state, m_art);
    Message seen{QMessageBox::NoIcon, {}};
    answerNextMessageBox(seen);
    QTest::keyClick(&screen, Qt::Key_Return);
    QCOMPARE(seen.text, QStringLiteral("印刷ができませんでした"));
    QCOMPARE(seen.icon, QMessageBox::Warning);
}

QTEST_MAIN(FrmPrintTest)
#include "test_frmPrint.moc"
