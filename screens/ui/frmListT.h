#pragma once

#include "drill/drill_questions.h"
#include "screens/ui/drill_screen.h"

#include <vector>

namespace tavik {

// The word drill: Japanese meanings, typed English words, grading. With
// the check option it is a word list that shows the English words instead.
class frmListT : public DrillScreen {
    Q_OBJECT
public:
    frmListT(AppState& state, const Artwork& art);

private:
    int questionCount() const override;
    QString rightAnswer(int question) const override;
    AnsweredQuestion asked(int question) const override;
    void buildPage() override { buildWordPage(); }
    void saveAnswers() override { saveWordAnswers(); }

    void buildWordPage();
    void saveWordAnswers();

    std::vector<WordQuestion> m_questions;
};

} // namespace tavik
