#pragma once

#include <QCursor>
#include <QObject>
#include <QString>
#include <functional>
#include <vector>

class QLabel;

namespace tavik {

class Speaker;

// Labels that say their English aloud: a click on one, or its press action
// for assistive technology, speaks what it stands for; the hand pointer
// shows over it whenever there is something to hear. What a label stands
// for is the screen's to say and may change with every page. Made as its
// screen opens, it has the speaker open its connection then, so the speech
// service has started by the time the first English shows.
class SpokenLabels : public QObject {
    Q_OBJECT
public:
    // The English a label stands for now; empty when it says nothing.
    using TextOf = std::function<QString(const QLabel*)>;

    SpokenLabels(Speaker& speaker, const QCursor& hand, TextOf textOf, QObject* parent);

    void watch(QLabel* label);
    // The pointer over each label after its text or the screen's mode changed.
    void refresh();
    // Says what the label stands for; false when it stands for nothing.
    bool speak(const QLabel* label);
    void say(const QString& text);
    // Whether the label can be heard now.
    bool speaks(const QLabel* label) const;

    static QString pressAction();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Speaker& m_speaker;
    QCursor m_hand;
    TextOf m_textOf;
    std::vector<QLabel*> m_labels;
    const QLabel* m_pressed = nullptr;
};

} // namespace tavik
