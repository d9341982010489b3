#pragma once

#include "progress/learning_progress.h"
#include "progress/learning_record.h"
#include "shell/ui/screen_window.h"

#include <QMessageBox>
#include <array>
#include <functional>

class QLabel;

namespace tavik {

struct AppState;
struct Artwork;
class PictureButton;
class SpokenLabels;

// The learning record: the rate day by day, the words by Leitner box, what
// falls due, the weakest words and the level, and the whole record saved as
// a CSV file. It opens over the main window like every other screen.
class frmRecord : public ScreenWindow {
    Q_OBJECT
public:
    frmRecord(AppState& state, const Artwork& art, LearningRecord record);

    // Asks where to save the CSV, proposing a path; an empty answer cancels.
    // The desktop's save dialog unless replaced.
    using SaveFileChooser = std::function<QString(QWidget* parent, const QString& proposedPath)>;
    void setSaveFileChooser(SaveFileChooser chooser);

    static constexpr int kWeakRows = kWeakestWordCount;

protected:
    // The one OK-only message box of the save.
    virtual void showMessage(QMessageBox::Icon icon, const QString& text);
    bool formKeyDown(QKeyEvent* event) override;

private:
    void createControls();
    QLabel* makeText(const QString& name, QRect place, qreal points, bool bold = false);
    void Form_Load();
    void showRates();
    void showLevel();
    void showBoxes(const BoxCounts& counts);
    void showDue(const DueCounts& due, QDate today);
    void showConfusions(const std::vector<ConfusionPair>& pairs);
    void showWeakest(const std::vector<WeakWord>& weakest);
    void showEmptyRecord();
    // The rate chart of the last days studied or, once asked, of every day.
    void placeRateChart();
    void imgCsv_Click();
    void imgBack_Click();
    void imgHelp_Click();
    void lblRateRange_Click();

    AppState& m_state;
    const Artwork& m_art;
    LearningRecord m_record;
    std::vector<DayRate> m_days;
    bool m_wholePeriod = false;
    SaveFileChooser m_chooseSaveFile;
    SpokenLabels* m_spoken = nullptr;

    QLabel* lblTitle = nullptr;
    QLabel* lblEmpty = nullptr;
    QLabel* lblRateHeading = nullptr;
    QLabel* lblRateRange = nullptr;
    QWidget* chtRate = nullptr;
    QLabel* lblAverage = nullptr;
    QLabel* lblBoxHeading = nullptr;
    QWidget* chtBoxes = nullptr;
    QLabel* lblLevel = nullptr;
    QLabel* lblLevelRule = nullptr;
    QLabel* lblNextLevel = nullptr;
    QLabel* lblDueHeading = nullptr;
    QLabel* lblDueToday = nullptr;
    QLabel* lblDueTomorrow = nullptr;
    QLabel* lblDueWeek = nullptr;
    std::array<QLabel*, kWeekDays> lblDueDay{};
    QLabel* lblKnown = nullptr;
    QLabel* lblConfusions = nullptr;
    QLabel* lblWeakHeading = nullptr;
    static constexpr std::size_t kWeakColumns = 5;
    std::array<QLabel*, kWeakColumns> lblWeakColumn{};
    std::array<QLabel*, kWeakRows> lblWeakWord{};
    std::array<QLabel*, kWeakRows> lblWeakMeaning{};
    std::array<QLabel*, kWeakRows> lblWeakCounts{};
    std::array<QLabel*, kWeakRows> lblWeakBox{};
    std::array<QLabel*, kWeakRows> lblWeakDue{};
    PictureButton* imgCsv = nullptr;
    PictureButton* imgBack = nullptr;
    PictureButton* imgHelp = nullptr;
    PictureButton* imgExit = nullptr;
};

} // namespace tavik
