#include "AudioThread.h"

#include "MediaPaths.h"

#include <QCoreApplication>
#include <QTextStream>

using namespace Qt::StringLiterals;

namespace {

AudioThread* running = nullptr;

// The back end sits beside the program; tests, which run from folders of
// their own, name it in the environment.
QString backEndPath()
{
    QString named = qEnvironmentVariable("PIYO_SOUND_MODULE");
    if (!named.isEmpty())
        return named;
    return media::dataRoot() + u'/' + QString::fromLatin1(PIYO_SOUND_MODULE_FILE);
}

} // namespace

AudioThread& AudioThread::instance()
{
    if (!running) {
        running = new AudioThread;
        qAddPostRoutine(&AudioThread::shutDown);
    }
    return *running;
}

AudioThread::AudioThread() : m_context(new QObject), m_library(backEndPath())
{
    m_thread.setObjectName(u"piyo audio"_s);
    m_context->moveToThread(&m_thread);
    m_thread.start();
}

AudioThread::~AudioThread()
{
    QMetaObject::invokeMethod(
        m_context, [context = m_context] { delete context; }, Qt::QueuedConnection);
    m_thread.quit();
    m_thread.wait();
}

void AudioThread::shutDown()
{
    delete running;
    running = nullptr;
}

void AudioThread::post(std::function<void()> command)
{
    QMetaObject::invokeMethod(
        m_context, [this, command = std::move(command)]() mutable { run(std::move(command)); },
        Qt::QueuedConnection);
}

// Destroying a Qt audio sink runs a local event loop, which could deliver the
// next command in the middle of this one; such a command waits its turn.
void AudioThread::run(std::function<void()> command)
{
    m_pending.push_back(std::move(command));
    if (m_running)
        return;
    m_running = true;
    while (!m_pending.empty()) {
        const std::function<void()> next = std::move(m_pending.front());
        m_pending.pop_front();
        next();
    }
    m_running = false;
}

void AudioThread::preload()
{
    post([this] { loadBackEnd(); });
}

std::unique_ptr<SoundPlayer> AudioThread::makeOutput()
{
    if (!loadBackEnd())
        return nullptr;
    return std::unique_ptr<SoundPlayer>(m_make());
}

double AudioThread::soundSeconds(const QString& path)
{
    using Seconds = double (*)(const QString&);
    // Resolved once for the run; the loader keeps the back end loaded.
    static const auto seconds =
        reinterpret_cast<Seconds>(QLibrary::resolve(backEndPath(), "piyoSoundSeconds"));
    return seconds ? seconds(path) : 0.0;
}

bool AudioThread::loadBackEnd()
{
    if (!m_tried) {
        m_tried = true;
        m_make = reinterpret_cast<SoundPlayer* (*)()>(m_library.resolve("piyoMakeSoundOutput"));
        const auto hasOutput = reinterpret_cast<bool (*)()>(m_library.resolve("piyoHasSoundOutput"));
        if (!m_make) {
            QTextStream(stderr) << "piyo: sound is off: " << m_library.errorString() << '\n';
            m_off = true;
        } else if (hasOutput && !hasOutput()) {
            QTextStream(stderr) << "piyo: sound is off: no sound server answers (piyo plays through "
                                   "PulseAudio, or PipeWire's pulse)\n";
            m_off = true;
        }
    }
    return m_make != nullptr;
}
