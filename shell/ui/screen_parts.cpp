#include "shell/ui/screen_parts.h"

#include "shell/ui/artwork.h"
#include "shell/ui/picture_button.h"
#include "shell/ui/program_exit.h"
#include "shell/ui/screen_window.h"

#include <QLabel>

namespace tavik {

namespace {
constexpr QSize kBarSize(138, 29);
} // namespace

PictureButton* makeExitButton(ScreenWindow* window, const Artwork& art, int height) {
    auto* button = new PictureButton(window, QStringLiteral("imgExit"), QRect(698, 20, 33, height),
                                     QPixmap(), art.ilBtn.picture(6), art.handPointer);
    button->setAccessibleName(QStringLiteral("終了"));
    QObject::connect(button, &PictureButton::clicked, window, [] { endProgram(); });
    window->registerButton(button);
    return button;
}

PictureButton* makeHelpButton(ScreenWindow* window, const Artwork& art) {
    auto* button = new PictureButton(window, QStringLiteral("imgHelp"), QRect(664, 21, 33, 33),
                                     art.ilBtn.picture(7), art.ilBtn.picture(8), art.handPointer);
    button->setAccessibleName(QStringLiteral("ヘルプ"));
    window->registerButton(button);
    return button;
}

PictureButton* makeBarButton(ScreenWindow* window, const Artwork& art, const QString& stem,
                             QPoint place, int normalPicture, const QString& caption,
                             QRect captionPlace, CaptionColour colour) {
    auto* button = new PictureButton(window, QStringLiteral("img") + stem, QRect(place, kBarSize),
                                     art.ilBtn.picture(normalPicture),
                                     art.ilBtn.picture(normalPicture + 1), art.handPointer);
    button->attachCaption(
        makeCaption(window, QStringLiteral("lbl") + stem, caption, captionPlace, colour));
    button->setAccessibleName(caption);
    window->registerButton(button);
    return button;
}

void showMessageBox(QWidget* parent, QMessageBox::Icon icon, const QString& text) {
    QMessageBox box(icon, QStringLiteral("Tavik"), text, QMessageBox::Ok, parent);
    box.exec();
}

} // namespace tavik
