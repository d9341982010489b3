#pragma once

#include "shell/ui/screen_window.h"

#include "drill/book_memory.h"

#include <array>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QTimer;

namespace tavik {

struct AppState;
struct Artwork;
class OptionHotspot;

// The main window: statistics, question selection, options and the start of
// a drill. It stays open for the whole run; every other screen is shown
// modally above it.
class frmSearch : public ScreenWindow {
    Q_OBJECT
public:
    frmSearch(AppState& state, const Artwork& art);
    ~frmSearch() override;

    // Shows the statistics and the level as they stand now. Gradings on the
    // drill screens change the statistics; the window refreshes itself when
    // a screen it opened closes, and anything else that changes them may call
    // this too.
    void refreshLevelPanel();

    // The number of words the learning record has due, on the 苦手 button,
    // with today's study and the words known beside 今日の学習.
    void refreshWeakWordCount();
    // The line on how the statistics and the learning record stand.
    void refreshRecordHealth();

    static QString countPrompt();
    static QString noWeakWordsMessage();
    static QString unreadableRecordMessage();
    static QString newRecordMessage();
    static QString oneWeakWordMessage();
    static QString todayDoneMessage();

protected:
    // Shows a screen modally and returns when it has been closed.
    virtual void openScreen(ScreenWindow& screen);
    // A message box with the product title and an OK button, and waits for it.
    virtual void showMessage(const QString& text);

    bool formKeyDown(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void createControls();
    QLabel* createNumberLabel(const QString& name, QRect geometry, const QString& text,
                              const QString& caption, const QString& unit);

    void Form_Load();
    void imgS1_Click();
    void imgS2_Click();
    void imgWeak_Click();
    void imgToday_Click();
    // The learner's memory of the book as the record holds it now; none
    // when the record cannot be read.
    // The memory brought up to the record; none when it cannot be read.
    const BookMemory* readBookMemory();
    // The same for a button's press, the learner told when there is none.
    const BookMemory* bookMemoryForPress();
    // Refreshes the counts at the next local midnight, then every midnight.
    void waitForMidnight();
    void imgRecord_Click();
    void openHistory();
    void imgRP_Click(int Index);
    void imgHWG_Click();
    void imgHelp_Click();

    // The counts of the selection just made, and where its words come from.
    void showSelection(const QString& source);
    void markOption(int Index);
    void maskLowerPanel();
    void revealLowerPanel();

    AppState& m_state;
    const Artwork& m_art;

    QLabel* lblLevel = nullptr;
    QLabel* lblNog = nullptr;
    QLabel* lblRate = nullptr;
    QLineEdit* txtFreeWord = nullptr;
    QLabel* Label1 = nullptr;
    PictureButton* imgS1 = nullptr;
    QComboBox* cmbRandom = nullptr;
    PictureButton* imgS2 = nullptr;
    PictureButton* imgWeak = nullptr;
    PictureButton* imgRecord = nullptr;
    PictureButton* imgToday = nullptr;
    QLabel* lblToday = nullptr;
    QLabel* lblKnown = nullptr;
    QLabel* lblWeakCount = nullptr;
    QLabel* lblRecordHealth = nullptr;
    std::array<OptionHotspot*, 6> imgRP{};
    PictureButton* imgHWG = nullptr;
    QLabel* imgSmask = nullptr;
    QLabel* lblCount = nullptr;
    QLabel* lblCount_is = nullptr;
    QLabel* lblSelection = nullptr;
    PictureButton* imgHelp = nullptr;
    PictureButton* imgExit = nullptr;
    QLabel* lblParam = nullptr;
    // Says so when the last grading changed the level.
    QLabel* lblLevelChange = nullptr;
    bool m_historyOpening = false;
    QTimer* m_midnight = nullptr;
};

} // namespace tavik
