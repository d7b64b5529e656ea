#include "ContrastDrill.h"

#include "AudioThread.h"
#include "Background.h"
#include "MediaPaths.h"
#include "SoundPlayer.h"

#include <utility>

namespace quiz {
namespace {

ContrastDrill::Bird readBird(const QString& root, int number, double fineness)
{
    ContrastDrill::Bird bird;
    bird.number = number;
    bird.media = presentation::readBirdMedia(root, media::birdNumberText(number), fineness);
    if (!bird.media.call.isEmpty())
        bird.callSeconds = AudioThread::soundSeconds(bird.media.call);
    return bird;
}

} // namespace

ContrastDrill::ContrastDrill(QObject* context, SoundPlayer& player, QString dataRoot, double fineness)
    : QObject(context), m_context(context), m_player(player), m_root(std::move(dataRoot)),
      m_fineness(fineness)
{
    m_next.setSingleShot(true);
    m_next.callOnTimeout(this, &ContrastDrill::playSecond);
}

void ContrastDrill::start(int first, int second)
{
    stop();
    m_running = true;
    const quint64 tag = m_tag;
    inBackground(
        m_context,
        [root = m_root, first, second, fineness = m_fineness] {
            return std::make_pair(readBird(root, first, fineness), readBird(root, second, fineness));
        },
        [this, tag](const std::pair<Bird, Bird>& birds) {
            if (tag != m_tag)
                return;
            Q_EMIT ready(birds.first, birds.second);
            m_secondCall = birds.second.media.call;
            if (birds.first.callSeconds > 0) {
                m_player.setSource(birds.first.media.call);
                m_player.setRepeatCount(1);
                m_next.start(int(birds.first.callSeconds * 1000) + GapMs);
            } else {
                playSecond();
            }
        });
}

void ContrastDrill::playSecond()
{
    if (!m_running || m_secondCall.isEmpty())
        return;
    m_player.setSource(m_secondCall);
    m_player.setRepeatCount(1);
    Q_EMIT secondCallStarted();
}

void ContrastDrill::stop()
{
    ++m_tag;
    m_next.stop();
    if (m_running)
        m_player.stop();
    m_running = false;
    m_secondCall.clear();
}

} // namespace quiz
