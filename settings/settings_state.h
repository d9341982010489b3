#pragma once

#include <QList>
#include <QString>
#include <cstdint>

namespace tavik {

// One graded drill, as grading hands it to the statistics.
struct GradedDrill {
    int questionCount = 0;
    int correctCount = 0;
};

// The desired retention (conf.ini's RETENTION): the chance of recall at
// which a word falls due again. Outside its range the default holds.
constexpr double kDefaultRetention = 0.9;
constexpr double kLowestRetention = 0.7;
constexpr double kHighestRetention = 0.97;
// The daily goal (conf.ini's GOAL): how many words 今日の学習 asks a day.
constexpr int kDefaultDailyGoal = 20;
constexpr int kFewestDailyGoal = 5;
constexpr int kMostDailyGoal = 40;

// The learner's level, from the statistics; it decides how much help the
// drills give.
enum class Level { Beginner, Intermediate, Advanced };

// The drill options (conf.ini) and the learner's statistics (tavik.ini),
// with the level derived from the statistics. The counters are 16-bit, as the
// statistics file has always held them; sums that could pass that range are
// done wider and saturated.
struct SettingsState {
    bool optTerms = false;    // word drill (true) or sentence drill
    bool optPc = false;       // on screen (true) or on paper
    bool optQuestion = false; // solve (true) or check
    double desiredRetention = kDefaultRetention;
    int dailyGoal = kDefaultDailyGoal;
    QString userName;
    std::int16_t statScore = 0;
    std::int16_t statQuestions = 0;
    std::int16_t statRate = 0;
    std::int16_t statGames = 0;
    // Until the statistics have been read the level is not known and gives
    // no help; the main window works it out as it loads.
    Level level = Level::Advanced;
    // Drills graded while tavik.ini could not be written, oldest first; the
    // next grading that can write stores them along with its own.
    QList<GradedDrill> unsavedDrills;
};

} // namespace tavik
