#pragma once

#include "Background.h"

#include <QPixmap>
#include <QString>

class PictureBox;
class Screen;
class SoundPlayer;

namespace quiz {

// What a judgement tells a screen reader besides right or wrong.
struct Judgement
{
    QString rightName; // the bird asked for
    int rightCount = 0;
    int wrongCount = 0;
};

// The right and wrong marks and sounds. They are read once per showing, long
// before the first answer; a mark or sound that is missing or broken leaves
// the judgement without it.
class Feedback
{
public:
    void read(Screen& screen, const QString& dataRoot, double fineness);
    // After a judgement: the mark shows and its sound plays once; a screen
    // reader hears the judgement, the right name and the counts.
    void show(bool right, PictureBox& mark, SoundPlayer& sound, const Judgement& judgement = {}) const;
    // "正解。ヒドリガモ。正解 3、不正解 1", "不正解。正しくはヒドリガモ。…".
    static QString spoken(bool right, const Judgement& judgement);

private:
    QPixmap m_rightMark;
    QPixmap m_wrongMark;
    QString m_rightSound; // the feedback sounds found for this showing
    QString m_wrongSound;
    LatestRequest m_request;
};

} // namespace quiz
