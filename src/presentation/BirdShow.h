#pragma once

#include "ZoomIn.h"

#include <QImage>
#include <QString>

class PictureBox;
class SoundPlayer;

// Showing a bird on a screen, in the order the user sees it: the old bird goes
// at once; the new one's files are read on a worker; when they arrive, its
// picture grows into place and its call starts with the growth.
namespace presentation {

// What is shown of one bird. The call is empty when the bird has no usable call file.
struct BirdMedia
{
    QImage picture;
    QString call;
};

// Reads the picture and checks the call of bird NumberText. Touches the disk:
// runs on a worker, never on the user-interface thread.
BirdMedia readBirdMedia(const QString& root, const QString& numberText);

// Takes the bird off the box: any growth ends and the box is hidden.
void hideBird(PictureBox& box);

// Grows the bird's picture into the design rectangle and, when a player is
// given and the bird has a call, starts the call repeating.
void showBird(PictureBox& box, const zoom::DesignRect& design, const BirdMedia& bird,
              SoundPlayer* callPlayer);

} // namespace presentation
