// The yardstick for Tavik's start-up: the least a Qt 6 Widgets program can
// do to show a window of the splash's size with a few Japanese labels. It
// writes the same start-up trace as Tavik, so both are timed alike.
#include "shell/ui/startup_trace.h"

#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char* argv[]) {
    tavik::StartupTrace::mark("main");
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("bare window"));
    window.setFixedSize(500, 332);
    auto* layout = new QVBoxLayout(&window);
    for (const char* text : {"単語を検索します", "問題数を選んでください", "初級・中級・上級"}) {
        layout->addWidget(new QLabel(QString::fromUtf8(text), &window));
    }
    tavik::StartupTrace::watchFirstPaint(&window, "splash");
    window.show();
    return application.exec();
}
