// The sound back end as a module the program loads when it first needs sound,
// so that starting the program does not load Qt Multimedia, the sound server's
// client library or libsndfile.

#include "SoundOutput.h"

#include <QtGlobal>

extern "C" Q_DECL_EXPORT SoundPlayer* piyoMakeSoundOutput()
{
    return new SoundOutput;
}
