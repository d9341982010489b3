#pragma once

#include "app/app_state.h"
#include "menu/ui/frmSearch.h"
#include "shell/ui/artwork.h"

#include <QByteArray>
#include <QLabel>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <memory>

namespace tavik::testing {

// The main window with its two blocking steps made visible: screens it
// opens and messages it shows are recorded instead of waited for, unless a
// test asks for the real modal loop.
class RecordingSearch : public frmSearch {
public:
    using frmSearch::frmSearch;

    QStringList openedScreens;
    QStringList messages;
    std::function<void(ScreenWindow&)> whileOpen;
    bool realModalLoops = false;

protected:
    void openScreen(ScreenWindow& screen) override;
    void showMessage(const QString& text) override;
};

// The main window over fresh application state: the real banks, both ini
// files in a temporary directory that each test starts without.
class SearchWindowFixture {
protected:
    // A click that ends the program would otherwise end the test run as a pass.
    static void failOnProgramEnd();

    void setUpState();
    void tearDown();
    void openMenu();
    static void writeFile(const QString& path, const QByteArray& contents);

    template <class Widget> Widget* control(const QString& name) const {
        auto* widget = m_menu->findChild<Widget*>(name);
        if (widget == nullptr) {
            qFatal("no control %s", qPrintable(name));
        }
        return widget;
    }
    QString labelText(const QString& name) const { return control<QLabel>(name)->text(); }

    // Whether the lower panel is open; a panel that is only partly masked
    // ends the test.
    bool panelRevealed() const;

    Artwork m_art;
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<AppState> m_state;
    std::unique_ptr<RecordingSearch> m_menu;
};

} // namespace tavik::testing
