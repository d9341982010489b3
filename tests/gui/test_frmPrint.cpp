#include "drill/app_state.h"
#include "print/drawing_surface.h"
#include "print/print_job.h"
#include "print/ui/frmPrintI.h"
#include "print/ui/frmPrintT.h"
#include "print/ui/sheet_preview.h"
#include "shell/ui/artwork.h"
#include "shell/ui/picture_button.h"
#include "shell/ui/program_exit.h"
#include "support/drill_screen_fixture.h"
#include "support/machine_changes.h"
#include "support/spool_printer.h"

#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <clocale>

using namespace tavik;
using tavik::test::Spool;
using tavik::test::SpoolTarget;
using tavik::testing::control;
using tavik::testing::levelNamed;
using tavik::testing::ModalCloser;

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
    state.settings.optQuestion = optQuestion;
    state.settings.level = levelNamed(level);
}

bool pagingShown(QWidget* screen, const char* picture, const char* caption) {
    const bool pictureShown = !control<QWidget>(screen, QString::fromLatin1(picture))->isHidden();
    const bool captionShown = !control<QWidget>(screen, QString::fromLatin1(caption))->isHidden();
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

// What a poppler tool says about a file: its text (pdftotext) or its
// description (pdfinfo).
QString popplerOutput(const QString& tool, const QString& file) {
    QProcess process;
    process.start(tool, tool == QStringLiteral("pdftotext") ? QStringList{file, QStringLiteral("-")}
                                                            : QStringList{file});
    process.waitForFinished();
    return QString::fromUtf8(process.readAllStandardOutput());
}

bool run(const QString& program, const QStringList& arguments) {
    return QProcess::execute(program, arguments) == 0;
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
    void focusStaysOnAPagingButtonUntilItGoes();
    void escapeGoesBack();
    void exitEndsProgram();
    void helpOpensModally();
    void bareSurfaceResetsEveryButton();
    void printsChosenCopiesAndKeepsPage_data();
    void printsChosenCopiesAndKeepsPage();
    void printFailureIsReported();
    void savesPdf_data();
    void savesPdf();
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
    QCOMPARE(screen->currentPage(), 1);
    QCOMPARE(screen->pageCount(), 3);
    QCOMPARE(control<QLabel>(screen.get(), QStringLiteral("Label1"))->text(),
             QStringLiteral("印刷部数："));

    auto* copies = control<QComboBox>(screen.get(), QStringLiteral("cmbCopy"));
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
    } captions[] = {{"lblPrint", "印刷"},
                    {"lblPdf", "PDFで保存"},
                    {"lblBack", "再検索"},
                    {"lblNext", "次へ"},
                    {"lblBefore", "前へ"}};
    for (const auto& caption : captions) {
        QCOMPARE(control<QLabel>(screen.get(), QString::fromLatin1(caption.name))->text(),
                 caption.text);
    }
    QCOMPARE(control<PictureButton>(screen.get(), QStringLiteral("imgPrint"))->geometry(),
             QRect(560, 304, 138, 29));
    QCOMPARE(control<PictureButton>(screen.get(), QStringLiteral("imgBefore"))->geometry(),
             QRect(560, 480, 138, 29));
    QCOMPARE(control<SheetPreview>(screen.get(), QStringLiteral("pbPreview"))->geometry(),
             QRect(128, 88, 361, 473));
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
            QTest::mouseClick(
                control<QWidget>(screen.get(), QString::fromLatin1(i % 2 ? "lblNext" : "imgNext")),
                Qt::LeftButton, {}, QPoint(10, 8));
        }
        QCOMPARE(screen->currentPage(), page);
        QCOMPARE(pagingShown(screen.get(), "imgNext", "lblNext"), nextShown);
        QCOMPARE(pagingShown(screen.get(), "imgBefore", "lblBefore"), beforeShown);
        if (beforeShown) {
            QTest::mouseClick(control<QWidget>(screen.get(), QStringLiteral("imgBefore")),
                              Qt::LeftButton, {}, QPoint(10, 8));
            QCOMPARE(screen->currentPage(), page - 1);
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
    auto* copies = control<QComboBox>(screen.get(), QStringLiteral("cmbCopy"));
    for (QChar key : keys) {
        QTest::keyClick(copies, key == QLatin1Char('U') ? Qt::Key_PageUp : Qt::Key_PageDown);
    }
    QCOMPARE(screen->currentPage(), page);
    QCOMPARE(copies->currentText(), QStringLiteral("1枚"));
    QCOMPARE(pagingShown(screen.get(), "imgNext", "lblNext"), page < screen->pageCount());
    QCOMPARE(pagingShown(screen.get(), "imgBefore", "lblBefore"), page > 1);
}

// Space on a tabbed-to 次へ turns page after page; on the last page, where
// 次へ goes, the focus goes to the top of the column, and Enter still prints.
void FrmPrintTest::focusStaysOnAPagingButtonUntilItGoes() {
    const auto screen = open(false, 45);
    testing::showActive(screen.get());
    auto* next = control<PictureButton>(screen.get(), QStringLiteral("imgNext"));
    next->setFocus(Qt::TabFocusReason);
    QTest::keyClick(next, Qt::Key_Space);
    QCOMPARE(screen->currentPage(), 2);
    QCOMPARE(QApplication::focusWidget(), next);
    QTest::keyClick(next, Qt::Key_Space);
    QCOMPARE(screen->currentPage(), 3);
    QCOMPARE(QApplication::focusWidget(),
             control<QComboBox>(screen.get(), QStringLiteral("cmbCopy")));
    Spool spool;
    screen->setPrintTarget(std::make_unique<SpoolTarget>(spool));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(spool.documents.size(), std::size_t(1));
}

void FrmPrintTest::previewShowsEachPage() {
    const auto screen = open(true, 25);
    const auto* preview = control<SheetPreview>(screen.get(), QStringLiteral("pbPreview"));
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
    QTest::keyClick(control<QComboBox>(screen.get(), QStringLiteral("cmbCopy")), Qt::Key_Escape);
    QVERIFY(!screen->isVisible());
    QCOMPARE(messagesOf<frmPrintT>(screen.get()).size(), std::size_t(0));
}

void FrmPrintTest::exitEndsProgram() {
    const auto screen = open(false, 45);
    bool ended = false;
    setProgramEndHandler([&ended] { ended = true; });
    QTest::mouseClick(control<QWidget>(screen.get(), QStringLiteral("imgExit")), Qt::LeftButton, {},
                      QPoint(10, 10));
    setProgramEndHandler({});
    QVERIFY(ended);
}

void FrmPrintTest::helpOpensModally() {
    const auto screen = open(false, 45);
    screen->show();
    QVERIFY(QTest::qWaitForWindowExposed(screen.get()));
    QString seen;
    const ModalCloser closer([&seen](QWidget* modal) { seen = modal->objectName(); });
    QTest::mouseClick(control<QWidget>(screen.get(), QStringLiteral("imgHelp")), Qt::LeftButton, {},
                      QPoint(10, 10));
    QCOMPARE(seen, QStringLiteral("frmHelp"));
    QVERIFY(screen->isVisible());
}

void FrmPrintTest::bareSurfaceResetsEveryButton() {
    const auto screen = open(false, 45);
    screen->show();
    QVERIFY(QTest::qWaitForWindowExposed(screen.get()));
    QTest::keyClick(screen.get(), Qt::Key_PageUp); // the middle page shows every button
    const char* names[] = {"imgPrint",  "imgPdf",  "imgBack", "imgNext",
                           "imgBefore", "imgExit", "imgHelp"};
    for (const char* name : names) {
        QTest::mouseMove(control<QWidget>(screen.get(), QString::fromLatin1(name)), QPoint(12, 12));
        QVERIFY2(control<PictureButton>(screen.get(), QString::fromLatin1(name))->isHighlighted(),
                 name);
    }
    // Over the preview the highlights stay; over the bare page they go.
    QTest::mouseMove(control<QWidget>(screen.get(), QStringLiteral("pbPreview")), QPoint(100, 100));
    QVERIFY(control<PictureButton>(screen.get(), QStringLiteral("imgHelp"))->isHighlighted());
    QTest::mouseMove(screen.get(), QPoint(40, 300));
    for (const char* name : names) {
        QVERIFY2(!control<PictureButton>(screen.get(), QString::fromLatin1(name))->isHighlighted(),
                 name);
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
    Spool spool;
    screen->setPrintTarget(std::make_unique<SpoolTarget>(spool));
    QTest::keyClick(screen.get(), Qt::Key_PageUp);
    const QImage preview = control<SheetPreview>(screen.get(), QStringLiteral("pbPreview"))->page();
    control<QComboBox>(screen.get(), QStringLiteral("cmbCopy"))->setCurrentIndex(copiesIndex);

    if (byEnter) {
        QTest::keyClick(control<QComboBox>(screen.get(), QStringLiteral("cmbCopy")),
                        Qt::Key_Return);
    } else {
        QTest::mouseClick(control<QWidget>(screen.get(), QStringLiteral("lblPrint")),
                          Qt::LeftButton, {}, QPoint(5, 5));
    }

    QCOMPARE(spool.pagesPerDocument(), std::vector<int>(std::size_t(copiesIndex + 1), 3));
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
    QCOMPARE(screen->currentPage(), 2);
    QCOMPARE(control<SheetPreview>(screen.get(), QStringLiteral("pbPreview"))->page(), preview);
    QVERIFY(pagingShown(screen.get(), "imgNext", "lblNext"));
    QVERIFY(pagingShown(screen.get(), "imgBefore", "lblBefore"));
    QTest::keyClick(screen.get(), Qt::Key_PageUp);
    QCOMPARE(screen->currentPage(), 3);
}

void FrmPrintTest::printFailureIsReported() {
    const auto screen = open(false, 45);
    Spool spool;
    spool.failDrawingAt = 2;
    screen->setPrintTarget(std::make_unique<SpoolTarget>(spool));
    control<QComboBox>(screen.get(), QStringLiteral("cmbCopy"))->setCurrentIndex(4);
    QTest::mouseClick(control<QWidget>(screen.get(), QStringLiteral("imgPrint")), Qt::LeftButton,
                      {}, QPoint(5, 5));
    QCOMPARE(spool.pagesPerDocument(), std::vector<int>{2});
    const auto& messages = messagesOf<frmPrintT>(screen.get());
    QCOMPARE(messages.size(), std::size_t(1));
    QCOMPARE(messages[0].icon, QMessageBox::Warning);
    QCOMPARE(messages[0].text, QStringLiteral("印刷ができませんでした"));
    QCOMPARE(screen->currentPage(), 1);
}

void FrmPrintTest::savesPdf_data() {
    QTest::addColumn<bool>("sentences");
    QTest::addColumn<bool>("optQuestion");
    QTest::addColumn<int>("press");       // 0 a click, else the key on the focused button
    QTest::addColumn<QString>("setting"); // of the folder or the machine
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("texts"); // none: nothing may be saved
    QTest::newRow("word questions into Documents")
        << false << true << 0 << "Documents"
        << "単語問題" << QStringList{"1/2 Page", "2/2 Page", "30.", "意味30 [6文字]", "＿＿＿＿＿"};
    QTest::newRow("word answers, Space") << false << false << int(Qt::Key_Space) << ""
                                         << "単語解答" << QStringList{"2/2 Page", "30.", "wordxx"};
    QTest::newRow("sentence questions, Enter, Letter")
        << true << true << int(Qt::Key_Return) << "Letter"
        << "例文問題" << QStringList{"2/2 Page", "We ＿＿＿＿＿ it.", "（訳） [6文字]"};
    QTest::newRow("sentence answers") << true << false << 0 << ""
                                      << "例文解答" << QStringList{"1/2 Page", "We wordxx it."};
    for (const char* failure :
         {"cancel", "read-only", "under a file", "refused replace", "full disk"}) {
        QTest::newRow(failure) << false << true << 0 << failure << "単語問題" << QStringList{};
    }
}

void FrmPrintTest::savesPdf() {
    QFETCH(bool, sentences);
    QFETCH(bool, optQuestion);
    QFETCH(int, press);
    QFETCH(QString, setting);
    QFETCH(QString, name);
    QFETCH(QStringList, texts);
    if (setting == "read-only" || setting == "full disk" || setting == "Letter") {
        SKIP_UNLESS_MACHINE_MAY_CHANGE("setting chattr +i, mounting a tmpfs or building a locale");
    }
    QTemporaryDir home;
    qputenv("HOME", home.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", home.filePath(".config").toUtf8());
    const QString folder = home.filePath(setting == "Documents" ? "Documents" : "folder");
    // The longest name a file may have leaves no room for the temporary one
    // the replace goes through: the file is written whole, then refused at
    // the commit, whoever runs the test.
    const QString olderName =
        setting == "refused replace" ? QString(251, 'x') + ".pdf" : "sheet.pdf";
    const QString file = folder + "/" + olderName + (setting == "under a file" ? "/new.pdf" : "");
    QVERIFY(QDir().mkpath(folder));
    // Made so that root, who runs the suite, cannot write there either.
    const auto undo = qScopeGuard([&] {
        run("chattr", {"-i", folder});
        run("umount", {"-q", folder});
        std::setlocale(LC_PAPER, "C");
    });
    QVERIFY(setting != "full disk" || run("mount", {"-t", "tmpfs", "-o", "size=64k", "x", folder}));
    QFile older(folder + "/" + olderName);
    QVERIFY(older.open(QIODevice::WriteOnly) && older.write("older") == 5);
    older.close();
    QVERIFY(setting != "full disk" || !run("dd", {"if=/dev/zero", "of=" + folder + "/fill"}));
    QVERIFY(setting != "read-only" || run("chattr", {"+i", folder}));
    if (setting == "Letter") { // built here: the machine may have no such locale
        QVERIFY(run("localedef", {"-i", "en_US", "-f", "UTF-8", home.filePath("letter")}));
        qputenv("LOCPATH", home.path().toUtf8());
        QVERIFY(std::setlocale(LC_PAPER, "letter") != nullptr);
    }
    const auto screen = open(sentences, 30, optQuestion);
    control<QComboBox>(screen.get(), QStringLiteral("cmbCopy"))->setCurrentIndex(3);
    QString proposed;
    screen->setSaveFileChooser([&](QWidget*, const QString& path) {
        proposed = path;
        return setting == "cancel" ? QString() : file;
    });
    auto* button = control<PictureButton>(screen.get(), QStringLiteral("imgPdf"));
    if (press == 0) {
        QTest::mouseClick(control<QWidget>(screen.get(), QStringLiteral("lblPdf")), Qt::LeftButton,
                          {}, QPoint(5, 5));
    } else {
        screen->show();
        QVERIFY(QTest::qWaitForWindowActive(screen.get()));
        button->setFocus(Qt::TabFocusReason);
        QTest::keyClick(button, Qt::Key(press));
    }

    QCOMPARE(proposed, home.filePath((setting == "Documents" ? "Documents/Tavik " : "Tavik ") +
                                     name + QDate::currentDate().toString(" yyyy-MM-dd.'pdf'")));
    const auto& messages =
        sentences ? messagesOf<frmPrintI>(screen.get()) : messagesOf<frmPrintT>(screen.get());
    QCOMPARE(messages.size(), std::size_t(setting == "cancel" ? 0 : 1));
    if (texts.isEmpty()) {
        // Nothing new beside the older file, which stays whole.
        QVERIFY(messages.empty() || (messages[0].icon == QMessageBox::Warning &&
                                     messages[0].text.startsWith("PDFを保存できませんでした\n\n") &&
                                     messages[0].text.size() > 17));
        QCOMPARE(QDir(folder).entryList(QDir::Files), setting == "full disk"
                                                          ? QStringList({"fill", olderName})
                                                          : QStringList({olderName}));
        QVERIFY(older.open(QIODevice::ReadOnly) && older.readAll() == "older");
        return;
    }
    QCOMPARE(messages[0].icon, QMessageBox::Information);
    QCOMPARE(messages[0].text, "PDFを保存しました\n\n" + file);
    // Every page once, whatever the copies box says, on the paper of LC_PAPER.
    const QString info = popplerOutput("pdfinfo", file);
    QVERIFY2(info.contains(QRegularExpression("Pages: +2\n")), qPrintable(info));
    QVERIFY2(info.contains(setting == "Letter" ? "(letter)" : "(A4)"), qPrintable(info));
    const QString text = popplerOutput("pdftotext", file).simplified();
    for (const QString& expected : texts + QStringList{"Tavik " + name}) {
        QVERIFY2(text.contains(expected), qPrintable(expected + " missing from " + text));
    }
    QCOMPARE(text.contains("word"), !optQuestion);
    QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{"sheet.pdf"});
}

// Run by tests/e2e/test_printing.sh against a real CUPS queue: three copies
// of a two-page word question sheet through the system printer.
void FrmPrintTest::printsThroughCups() {
    if (qEnvironmentVariable("TAVIK_CUPS") != QStringLiteral("1")) {
        QSKIP("prints for real only when TAVIK_CUPS=1");
    }
    fillState(m_state, 30, true, QStringLiteral("中級"));
    frmPrintT screen(m_state, m_art);
    control<QComboBox>(&screen, QStringLiteral("cmbCopy"))->setCurrentIndex(2);
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
    // Below the failure, why: CUPS's words, or that there is no printer.
    const QString failure = QStringLiteral("印刷ができませんでした\n\n");
    QVERIFY2(seen.text.startsWith(failure) && seen.text.size() > failure.size(),
             qPrintable(seen.text));
    QCOMPARE(seen.icon, QMessageBox::Warning);
}

QTEST_MAIN(FrmPrintTest)
#include "test_frmPrint.moc"
