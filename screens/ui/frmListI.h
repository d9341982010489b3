#pragma once

#include "drill/drill_questions.h"
#include "screens/ui/drill_screen.h"

#include <vector>

namespace tavik {

// The sentence drill: example sentences with the drilled word left out and
// their translations; the answer box stands inside the sentence. With the
// check option it shows the whole sentences instead.
class frmListI : public DrillScreen {
    Q_OBJECT
public:
    frmListI(AppState& state, const Artwork& art);

private:
    int questionCount() const override;
    QString rightAnswer(int question) const override;
    AnsweredQuestion asked(int question) const override;
    QString wholeSentence(int question) const override;
    QPoint notePlace(int row) const override;
    QString spokenQuestion(int row) const override;
    void buildPage() override { buildSentencePage(); }
    void saveAnswers() override { saveSentenceAnswers(); }

    void buildSentencePage();
    void saveSentenceAnswers();
    void showSentenceAroundBox(int row, const SentenceQuestion& sentence);

    Row<QLabel> lblJp{};
    std::vector<SentenceQuestion> m_questions;
};

} // namespace tavik
