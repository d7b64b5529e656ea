#pragma once

#include "Background.h"

#include <QPixmap>
#include <QString>

class PictureBox;
class Screen;
class SoundPlayer;

namespace quiz {

// The right and wrong marks and sounds. They are read once per showing, long
// before the first answer; a mark or sound that is missing or broken leaves
// the judgement without it.
class Feedback
{
public:
    void read(Screen& screen, const QString& dataRoot, double fineness);
    // After a judgement: the mark shows and its sound plays once.
    void show(bool right, PictureBox& mark, SoundPlayer& sound) const;

private:
    QPixmap m_rightMark;
    QPixmap m_wrongMark;
    QString m_rightSound; // the feedback sounds found for this showing
    QString m_wrongSound;
    LatestRequest m_request;
};

} // namespace quiz
