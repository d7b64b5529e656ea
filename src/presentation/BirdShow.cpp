#include "BirdShow.h"

#include "MediaPaths.h"
#include "PictureLoader.h"
#include "SoundPlayer.h"
#include "form/PictureBox.h"

#include <QPixmap>

namespace presentation {

BirdMedia readBirdMedia(const QString& root, const QString& numberText)
{
    BirdMedia bird;
    bird.picture = readPicture(media::birdFilePath(root, media::BirdFile::Picture, numberText));
    // Whatever keeps the call from opening (no file, no 声 directory, a pipe), the bird is shown silently.
    const QString call = media::birdFilePath(root, media::BirdFile::Call, numberText);
    if (media::callFileCheck(call))
        bird.call = call;
    return bird;
}

void hideBird(PictureBox& box)
{
    if (zoom::Growth* growth = zoom::growthOf(box))
        growth->stop();
    box.setVisible(false);
}

void showBird(PictureBox& box, const zoom::DesignRect& design, const BirdMedia& bird, SoundPlayer* callPlayer)
{
    box.setVisible(false);
    box.setStretch(false);
    box.setPicture(QPixmap::fromImage(bird.picture));
    zoom::zoomIn(box, design);
    if (callPlayer && !bird.call.isEmpty()) {
        callPlayer->setSource(bird.call);
        callPlayer->setRepeatCount(0);
    }
}

} // namespace presentation
