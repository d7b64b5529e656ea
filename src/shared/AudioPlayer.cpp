#include "AudioPlayer.h"

#include "AudioThread.h"

// The sound output, made on the audio thread once the back end is loaded.
struct AudioPlayer::Output
{
    std::unique_ptr<SoundPlayer> player;
};

AudioPlayer::AudioPlayer() : m_output(std::make_shared<Output>())
{
    AudioThread::instance().post(
        [output = m_output] { output->player = AudioThread::instance().makeOutput(); });
}

AudioPlayer::~AudioPlayer()
{
    // The output goes on the audio thread too, after the commands sent before.
    AudioThread::instance().post([output = std::move(m_output)] { output->player.reset(); });
}

void AudioPlayer::send(void (SoundPlayer::*command)())
{
    AudioThread::instance().post([output = m_output, command] {
        if (output->player)
            (output->player.get()->*command)();
    });
}

void AudioPlayer::hide()
{
    send(&SoundPlayer::hide);
}

void AudioPlayer::stop()
{
    send(&SoundPlayer::stop);
}

void AudioPlayer::setSource(const QString& path)
{
    AudioThread::instance().post([output = m_output, path] {
        if (output->player)
            output->player->setSource(path);
    });
}

void AudioPlayer::setRepeatCount(int count)
{
    AudioThread::instance().post([output = m_output, count] {
        if (output->player)
            output->player->setRepeatCount(count);
    });
}
