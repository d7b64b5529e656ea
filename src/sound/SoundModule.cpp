// The sound back end as a module the program loads when it first needs sound,
// so that starting the program does not load Qt Multimedia, the sound server's
// client library or libsndfile.

#include "SoundFile.h"
#include "SoundOutput.h"

#include <QAudioDevice>
#include <QMediaDevices>
#include <QtGlobal>

extern "C" Q_DECL_EXPORT SoundPlayer* piyoMakeSoundOutput()
{
    return new SoundOutput;
}

// Whether there is anything to play to: without a sound server (PulseAudio, or
// PipeWire's pulse) there is no output device. Asked on the audio thread.
extern "C" Q_DECL_EXPORT bool piyoHasSoundOutput()
{
    return !QMediaDevices::defaultAudioOutput().isNull();
}

// A sound file's length in seconds from its header, or 0 when it cannot be
// played. Asked on any thread.
extern "C" Q_DECL_EXPORT double piyoSoundSeconds(const QString& path)
{
    const std::optional<SoundFile> file = SoundFile::read(path, nullptr, 0);
    return file ? file->durationSeconds() : 0.0;
}
