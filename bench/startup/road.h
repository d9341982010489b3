#pragma once

#include <QString>

namespace tavik::bench {

// A learner's whole road through the running program, driven as a person
// would with the pointer and the keyboard (xdotool) at the windows' client
// coordinates: a random pick of 40, a graded sentence drill of those words,
// a search over all words and a preview of three of its sheet pages. Each
// step is checked (a new window appears, the statistics file records the
// grading, the preview changes with every page) so memory is never read
// from a road that went astray.
class Road {
public:
    Road(const QString& display, const QString& workDir);

    // Runs the road on the program's main window; empty when it went
    // through, otherwise what failed.
    QString drive();

private:
    QString xdotool(const QStringList& arguments) const;
    QStringList visibleWindows() const;
    QString waitForNewWindow(const QStringList& before) const;
    bool waitUntilGone(const QString& window) const;
    void click(const QString& window, int x, int y) const;
    void key(const QString& window, const QString& keyName) const;
    QByteArray screenshot(const QString& window) const;
    QByteArray settledScreenshot(const QString& window) const;
    bool waitForGrading() const;

    QString m_display;
    QString m_workDir;
};

} // namespace tavik::bench
