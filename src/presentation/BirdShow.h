#pragma once

#include "BirdTables.h"
#include "ExemplarTags.h"
#include "ZoomIn.h"

#include <QImage>
#include <QString>
#include <QStringList>

#include <array>

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
    int pictureExemplar = 1; // which of the bird's pictures and recordings these are
    int callExemplar = 1;
    media::ExemplarTags pictureTags;
    media::ExemplarTags callTags;
};

// Reads the picture and checks the call of bird NumberText, each the first
// regular file found under the names the media layer looks for; the picture as
// fine as fineness asks (see readPicture). Other than 1, picture and call name
// one of the bird's further pictures and recordings; 0 leaves that one unread.
// Touches the disk: runs on a worker, never on the user-interface thread.
BirdMedia readBirdMedia(const QString& root, const QString& numberText, double fineness = 1.0,
                        int picture = 1, int call = 1);

// The numbers of a bird's pictures and of its recordings that can be played
// (1 its own, then its further ones), with their tags in the same order.
struct BirdExemplars
{
    QList<int> pictures;
    QList<int> calls;
    QList<media::ExemplarTags> pictureTags;
    QList<media::ExemplarTags> callTags;
};

// A picture's or recording's tags in one line, as shown beside it: its kind or
// plumage, how the call is written down, whom it is owed to
// (地鳴き「キッ」 · XC123456). Empty when it has none.
QString exemplarCaption(const media::ExemplarTags& tags);

// Which pictures and recordings bird NumberText has. Worker only.
BirdExemplars findBirdExemplars(const QString& root, const QString& numberText);

// The same for every bird of a board, by table entry (slot 0 unused). Worker only.
using ExemplarTable = std::array<BirdExemplars, birds::BoardSize + 1>;
ExemplarTable findBoardExemplars(const QString& root, const birds::NumberTable& numbers);

// Which birds of a board have a call that can be played, by table entry (slot 0 unused).
using CallTable = std::array<bool, birds::BoardSize + 1>;

// The lines of bird NumberText's description; none when it has none. Worker only.
QStringList readBirdDescription(const QString& root, const QString& numberText);

// The quiz's right and wrong marks and the paths of its two feedback sounds.
// A sound no file was found for keeps its traditional path: what the player
// makes of a missing feedback sound is its own affair.
struct FeedbackMedia
{
    QImage rightPicture;
    QImage wrongPicture;
    QString rightSound;
    QString wrongSound;
};

// Reads the feedback pictures and finds the feedback sounds. Worker only.
FeedbackMedia readFeedbackMedia(const QString& root, double fineness = 1.0);

// Takes the bird off the box: any growth ends and the box is hidden.
void hideBird(PictureBox& box);

// Grows the bird's picture into the design rectangle and, when a player is
// given and the bird has a call, starts the call repeating.
void showBird(PictureBox& box, const zoom::DesignRect& design, const BirdMedia& bird,
              SoundPlayer* callPlayer);

} // namespace presentation
