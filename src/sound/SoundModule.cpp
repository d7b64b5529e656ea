// The sound back end as a module the program loads when it first needs sound,
// so that starting the program does not load Qt Multimedia, the sound server's
// client library or libsndfile.

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
