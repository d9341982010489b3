#pragma once

#include <QTimer>
#include <QWidget>
#include <functional>

namespace tavik {

struct AppState;

// The translucent product picture shown while the banks are filled. Its
// timer, started when the window is created, hands over to the main window.
class frmSplash : public QWidget {
    Q_OBJECT
public:
    static constexpr int kTimerInterval = 500;
    static constexpr qreal kOpacity = 230.0 / 255.0;

    frmSplash(AppState& state, const QPixmap& picture, std::function<void()> openMainWindow);

    // The picture may come after the window: creating the window first
    // starts its timer as early as possible.
    void setPicture(const QPixmap& picture);

signals:
    // Once, when the first picture of the splash has reached the display:
    // from then on start-up work no longer holds the learner's first sight.
    void pictureShown();

private:
    void Form_Load();
    void Timer1_Timer();
    void paintEvent(QPaintEvent* event) override;

    AppState& m_state;
    QPixmap m_picture;
    std::function<void()> m_openMainWindow;
    QTimer Timer1;
    bool m_painted = false;
};

} // namespace tavik
