#include "Feedback.h"

#include "BirdShow.h"
#include "Form.h"
#include "MediaPaths.h"
#include "PictureBox.h"
#include "SoundPlayer.h"

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

void Feedback::show(bool right, PictureBox& mark, SoundPlayer& sound) const
{
    sound.setSource(right ? m_rightSound : m_wrongSound);
    sound.setRepeatCount(1);
    mark.setPicture(right ? m_rightMark : m_wrongMark);
    mark.setVisible(true);
}

} // namespace quiz
