#pragma once

#include <QByteArray>
#include <QtGlobal>
#include <vector>

namespace tavik {

// Qt 6.4 scales a whole program only, and only from QT_SCALE_FACTOR read
// when the application object is made. So a program that finds its screen
// too small starts again in its own place (same process, same arguments,
// the same start-up id its launcher gave it) with the factor multiplied by
// the scale; it does so once, since the program started again knows it
// was. Made before the application object, which takes its options out of
// the arguments and the start-up id out of the environment.
class ScaledRestart {
public:
    ScaledRestart(int argc, char* argv[]);

    // Returns only when the program cannot start again or already has.
    void run(qreal scale) const;

    // Once the application object has read the factor: the environment as
    // the program found it before starting again, so that what it starts
    // (the speech service) is not scaled nor thinks itself restarted.
    void forget() const;

private:
    std::vector<char*> m_arguments;
    QByteArray m_startupId;
};

} // namespace tavik
