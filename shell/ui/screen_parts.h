#pragma once

#include "shell/ui/caption_label.h"

#include <QMessageBox>
#include <QPoint>
#include <QString>

namespace tavik {

struct Artwork;
class PictureButton;
class ScreenWindow;

// The close button at the top right of a screen; a click ends the program at
// once, saving nothing. Its glyph is painted in the background, so only its
// highlight is a picture. The height is the screen's own: the help and print
// screens have always taken the close glyph at 33 × 29, the main window and
// the drill screens at 33 × 33. Both are meant; the glyph is the same.
PictureButton* makeExitButton(ScreenWindow* window, const Artwork& art, int height);

// The help button beside the close button; the screen connects its click.
PictureButton* makeHelpButton(ScreenWindow* window, const Artwork& art);

// A lilac bar button "img<stem>" with its caption "lbl<stem>" over it. Its
// picture at rest is ilBtn normalPicture and its highlight the picture after;
// a screen reader says the caption.
PictureButton* makeBarButton(ScreenWindow* window, const Artwork& art, const QString& stem,
                             QPoint place, int normalPicture, const QString& caption,
                             QRect captionPlace, CaptionColour colour = CaptionColour::Navy);

// A message box with the product title and an OK button; returns when the
// learner has closed it.
void showMessageBox(QWidget* parent, QMessageBox::Icon icon, const QString& text);

} // namespace tavik
