#pragma once

#include "BirdShow.h"

#include <optional>

class PictureBox;
class SoundPlayer;

namespace quiz {

// The bird of the question on show. Its picture grows in and its call starts
// once its files have been read; asked by ear, only the call starts and the
// picture waits until the answer is judged. An answer given before the files
// arrive still sees the bird, but hears no call.
class BirdOnShow
{
public:
    BirdOnShow(PictureBox& picture, SoundPlayer& call, const zoom::DesignRect& design);

    // A new question: the last bird goes.
    void clear();
    // The files have come; open: the question still waits for its answer.
    void arrived(const presentation::BirdMedia& bird, bool byEar, bool open);
    // The answer has been judged: a picture held back shows now.
    void judged();
    // 声だけ turned on while the answer is open: the picture goes, unless the
    // bird has no call to be asked by. Returns whether it went.
    bool holdBack();
    // 声だけ turned off while the answer is open: the picture shows.
    void reveal();
    // The call starts again after a pause (the progress view closed), if the
    // question still waits for its answer.
    void resumeCall(bool open);

private:
    PictureBox& m_picture;
    SoundPlayer& m_call;
    zoom::DesignRect m_design; // the picture box as laid out: where the zoom-in ends
    bool m_judged = false;
    std::optional<presentation::BirdMedia> m_held;   // by ear: the picture not yet shown
    std::optional<presentation::BirdMedia> m_onShow; // once its files have been read
};

} // namespace quiz
