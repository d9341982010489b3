#pragma once

#include "app/app_state.h"
#include "shell/ui/artwork.h"

#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QWidget>

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

    AppState state;
    QTemporaryDir directory;
};

// The pictures are drawn once for the whole test program.
const Artwork& sharedArtwork();

template <typename T> T* control(const QWidget* screen, const QString& name) {
    return screen->findChild<T*>(name);
}

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

// The STATISTICS value of key in the ini file, blanks trimmed.
QString statisticsValue(const QString& iniFile, const QString& key);

} // namespace tavik::testing
