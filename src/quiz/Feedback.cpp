#include "Feedback.h"

#include "BirdShow.h"
#include "Form.h"
#include "MediaPaths.h"
#include "PictureBox.h"
#include "SoundPlayer.h"

using namespace Qt::StringLiterals;

namespace quiz {

void Feedback::read(Screen& screen, const QString& dataRoot, double fineness)
{
    m_rightMark = {};
    m_wrongMark = {};
    m_rightSound = media::feedbackFilePath(dataRoot, media::FeedbackFile::RightSound);
    m_wrongSound = media::feedbackFilePath(dataRoot, media::FeedbackFile::WrongSound);
    m_request.start(
        screen, [dataRoot, fineness] { return presentation::readFeedbackMedia(dataRoot, fineness); },
        [this](const presentation::FeedbackMedia& feedback) {
            m_rightMark = QPixmap::fromImage(feedback.rightPicture);
            m_wrongMark = QPixmap::fromImage(feedback.wrongPicture);
            m_rightSound = feedback.rightSound;
            m_wrongSound = feedback.wrongSound;
        });
}

void Feedback::show(bool right, PictureBox& mark, SoundPlayer& sound, const Judgement& judgement) const
{
    sound.setSource(right ? m_rightSound : m_wrongSound);
    sound.setRepeatCount(1);
    mark.setPicture(right ? m_rightMark : m_wrongMark);
    // Before it shows, so the alert that appears already says it; heard even
    // when the mark's picture is missing.
    mark.announce(spoken(right, judgement));
    mark.setVisible(true);
}

QString Feedback::spoken(bool right, const Judgement& judgement)
{
    QString words = right ? u"正解"_s : u"不正解"_s;
    if (!judgement.rightName.isEmpty())
        words += (right ? u"。%1"_s : u"。正しくは%1"_s).arg(judgement.rightName);
    if (judgement.rightCount + judgement.wrongCount > 0)
        words += u"。正解 %1、不正解 %2"_s.arg(judgement.rightCount).arg(judgement.wrongCount);
    return words;
}

} // namespace quiz
