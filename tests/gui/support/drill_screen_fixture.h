#pragma once

#include "drill/app_state.h"
#include "gui/support/controls.h"
#include "settings/level.h"
#include "shell/ui/artwork.h"
#include "support/files.h"

#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QWidget>
#include <memory>

namespace tavik::testing {

// Application state for opening a drill screen: the real banks, the
// statistics file in a temporary directory, question mode at "上級" (no
// hints) unless a test says otherwise.
struct DrillScreenFixture {
    DrillScreenFixture();

    // The first n rows of the bank, in bank order.
    void useWords(int count);
    void useSentences(const std::vector<int>& rows);

    QString headword(int question) const;
    QString sentenceAnswer(int question) const;

    // The word drill (frmListT) or the sentence drill (frmListI) on the
    // state, not yet shown.
    std::unique_ptr<QWidget> openDrill(bool words);

    AppState state;
    QTemporaryDir directory;
};

// The level a row of test data names: "初級", "中級" or "上級".
Level levelNamed(const QString& name);

// The pictures are drawn once for the whole test program.
const Artwork& sharedArtwork();

inline QLabel* label(const QWidget* screen, const QString& name) {
    return control<QLabel>(screen, name);
}

inline QLineEdit* answerBox(const QWidget* screen, int row) {
    return control<QLineEdit>(screen, QStringLiteral("txtTerm_%1").arg(row));
}

// Shown and made the active window, as when the learner opens it.
void showActive(QWidget* window);

// The pixmap a mark label shows, as an image, for comparison with the marks.
QImage shownPicture(const QLabel* picture);
// The artwork's mark (1 right, 2 wrong) at the size the mark label shows it.
QImage markAsShown(const QLabel* mark, int index);

// The STATISTICS value of key in the ini file, blanks trimmed.
QString statisticsValue(const QString& iniFile, const QString& key);

} // namespace tavik::testing
