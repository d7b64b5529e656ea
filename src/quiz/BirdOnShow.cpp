#include "BirdOnShow.h"

#include "PictureBox.h"
#include "SoundPlayer.h"

namespace quiz {

BirdOnShow::BirdOnShow(PictureBox& picture, SoundPlayer& call, const zoom::DesignRect& design)
    : m_picture(picture), m_call(call), m_design(design)
{}

void BirdOnShow::clear()
{
    presentation::hideBird(m_picture);
    m_judged = false;
    m_held.reset();
    m_onShow.reset();
}

void BirdOnShow::arrived(const presentation::BirdMedia& bird, bool byEar, bool open)
{
    m_onShow = bird;
    if (byEar && !m_judged) {
        m_held = bird;
        if (open && !bird.call.isEmpty()) {
            m_call.setSource(bird.call);
            m_call.setRepeatCount(0);
        }
        return;
    }
    presentation::showBird(m_picture, m_design, bird, open ? &m_call : nullptr);
}

void BirdOnShow::judged()
{
    m_judged = true;
    reveal();
}

bool BirdOnShow::holdBack()
{
    if (m_onShow && m_onShow->call.isEmpty())
        return false;
    m_held = m_onShow;
    presentation::hideBird(m_picture);
    return true;
}

// By ear, the user now sees what was heard.
void BirdOnShow::reveal()
{
    if (!m_held)
        return;
    presentation::showBird(m_picture, m_design, *m_held, nullptr);
    m_held.reset();
}

void BirdOnShow::resumeCall(bool open)
{
    if (!open || m_judged || !m_onShow || m_onShow->call.isEmpty())
        return;
    m_call.setSource(m_onShow->call);
    m_call.setRepeatCount(0);
}

} // namespace quiz
