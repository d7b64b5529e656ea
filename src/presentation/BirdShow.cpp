#include "BirdShow.h"

#include "DescriptionReader.h"
#include "Exemplars.h"
#include "MediaPaths.h"
#include "PictureBox.h"
#include "PictureLoader.h"
#include "SoundPlayer.h"

#include <QPixmap>

namespace presentation {

BirdMedia readBirdMedia(const QString& root, const QString& numberText, double fineness, int picture,
                        int call)
{
    const QStringList roots = media::mediaRoots(root);
    BirdMedia bird;
    bird.pictureExemplar = picture;
    bird.callExemplar = call;
    const std::optional<media::Exemplar> pictureFound =
        media::findExemplar(roots, media::BirdFile::Picture, numberText, picture);
    if (pictureFound) {
        bird.picture = readPicture(pictureFound->path, fineness);
        bird.pictureTags = pictureFound->tags;
    }
    // Whatever keeps the call from opening (no file, no 声 directory, a pipe), the bird is shown silently.
    const std::optional<media::Exemplar> callFound =
        media::findExemplar(roots, media::BirdFile::Call, numberText, call);
    if (callFound && media::callFileCheck(callFound->path)) {
        bird.call = callFound->path;
        bird.callTags = callFound->tags;
    }
    return bird;
}

QString exemplarCaption(const media::ExemplarTags& tags)
{
    QString text = tags.words.join(u' ') + tags.heard;
    if (!tags.credit.isEmpty())
        text += (text.isEmpty() ? QString() : QStringLiteral(" · ")) + tags.credit;
    return text;
}

BirdExemplars findBirdExemplars(const QString& root, const QString& numberText)
{
    const QStringList roots = media::mediaRoots(root);
    BirdExemplars found;
    for (const media::Exemplar& picture : media::findExemplars(roots, media::BirdFile::Picture, numberText)) {
        found.pictures << picture.index;
        found.pictureTags << picture.tags;
    }
    for (const media::Exemplar& call : media::findExemplars(roots, media::BirdFile::Call, numberText)) {
        if (!media::callFileCheck(call.path))
            continue;
        found.calls << call.index;
        found.callTags << call.tags;
    }
    return found;
}

ExemplarTable findBoardExemplars(const QString& root, const birds::NumberTable& numbers)
{
    ExemplarTable table;
    for (int entry = 1; entry <= birds::BoardSize; ++entry)
        table[std::size_t(entry)] =
            findBirdExemplars(root, media::birdNumberText(numbers[std::size_t(entry)]));
    return table;
}

QStringList readBirdDescription(const QString& root, const QString& numberText)
{
    return description::read(
        media::findBirdFile(media::mediaRoots(root), media::BirdFile::Description, numberText));
}

FeedbackMedia readFeedbackMedia(const QString& root, double fineness)
{
    const QStringList roots = media::mediaRoots(root);
    auto sound = [&](media::FeedbackFile kind) {
        const QString found = media::findFeedbackFile(roots, kind);
        return found.isEmpty() ? media::feedbackFilePath(root, kind) : found;
    };
    return {readPicture(media::findFeedbackFile(roots, media::FeedbackFile::RightPicture), fineness),
            readPicture(media::findFeedbackFile(roots, media::FeedbackFile::WrongPicture), fineness),
            sound(media::FeedbackFile::RightSound), sound(media::FeedbackFile::WrongSound)};
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
