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

void AudioPlayer::send(std::function<void(SoundPlayer&)> command)
{
    AudioThread::instance().post([output = m_output, command = std::move(command)] {
        if (output->player)
            command(*output->player);
    });
}

void AudioPlayer::hide()
{
    send([](SoundPlayer& player) { player.hide(); });
}

void AudioPlayer::stop()
{
    send([](SoundPlayer& player) { player.stop(); });
}

void AudioPlayer::setSource(const QString& path)
{
    send([path](SoundPlayer& player) { player.setSource(path); });
}

void AudioPlayer::setRepeatCount(int count)
{
    send([count](SoundPlayer& player) { player.setRepeatCount(count); });
}
