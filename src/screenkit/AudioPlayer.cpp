#include "AudioPlayer.h"

#include "AudioThread.h"

#include <QCoreApplication>

// The sound output, made on the audio thread once the back end is loaded.
struct AudioPlayer::Output
{
    std::unique_ptr<SoundPlayer> player;
    quint64 source = 0; // which of the player's sources the output plays now
};

// Where the output's reports are read on the user-interface thread. The audio
// thread only ever holds a weak reference to it: once the player is gone,
// whatever was on its way finds nothing to deliver to.
struct AudioPlayer::Inbox
{
    SoundWatcher watcher;
    quint64 source = 0; // counts the sources set and the stops
};

// On the audio thread: sends the report to the user-interface thread, where it
// runs unless its source has since been replaced.
void AudioPlayer::deliver(const std::weak_ptr<Inbox>& to, quint64 source,
                          std::function<void(const SoundWatcher&)> report)
{
    QMetaObject::invokeMethod(
        QCoreApplication::instance(),
        [to, source, report = std::move(report)] {
            const std::shared_ptr<Inbox> inbox = to.lock();
            if (inbox && inbox->source == source)
                report(inbox->watcher);
        },
        Qt::QueuedConnection);
}

AudioPlayer::AudioPlayer() : m_output(std::make_shared<Output>()), m_inbox(std::make_shared<Inbox>())
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
    ++m_inbox->source;
    send([](SoundPlayer& player) { player.stop(); });
    if (m_inbox->watcher.position)
        m_inbox->watcher.position({0, false});
}

void AudioPlayer::setSource(const QString& path)
{
    const quint64 source = ++m_inbox->source;
    send([output = m_output, source, path](SoundPlayer& player) {
        output->source = source;
        player.setSource(path);
    });
}

void AudioPlayer::setRepeatCount(int count)
{
    send([count](SoundPlayer& player) { player.setRepeatCount(count); });
}

// The output's watcher runs on the audio thread and sends each report here,
// tagged with the source it is about.
void AudioPlayer::watch(SoundWatcher watcher)
{
    m_inbox->watcher = std::move(watcher);
    const bool decoded = bool(m_inbox->watcher.decoded), position = bool(m_inbox->watcher.position);
    send([output = m_output, to = std::weak_ptr<Inbox>(m_inbox), decoded, position](SoundPlayer& player) {
        SoundWatcher relay;
        // The output is the relay's owner, so a plain pointer to its holder is safe here.
        const Output* holder = output.get();
        if (decoded)
            relay.decoded = [to, holder](const DecodedSound& sound) {
                deliver(to, holder->source, [sound](const SoundWatcher& w) { w.decoded(sound); });
            };
        if (position)
            relay.position = [to, holder](const PlayPosition& at) {
                deliver(to, holder->source, [at](const SoundWatcher& w) { w.position(at); });
            };
        player.watch(std::move(relay));
    });
}
