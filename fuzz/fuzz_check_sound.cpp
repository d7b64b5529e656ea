// piyo-check-media's sound check: any file in a call's place must give
// findings with a reason (a problem when the player cannot play it), never
// crash, and take no more time or memory than ten minutes of 48 kHz stereo,
// whatever channels, rate and length its header declares.

#include "FuzzCheck.h"
#include "FuzzInput.h"
#include "SoundCheck.h"
#include "SoundFile.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    new QCoreApplication(*argc, *argv); // as piyo-check-media runs
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static FuzzInput input(".wav");
    const QString& path = input.write(data, size);
    const Findings findings = checkSound(path);
    for (const Finding& finding : findings)
        FUZZ_CHECK(!finding.text.isEmpty());
    // A file the player refuses is never passed as fine.
    const bool playable = SoundFile::read(path, nullptr, 0).has_value();
    const bool problem = std::any_of(findings.begin(), findings.end(),
                                     [](const Finding& f) { return f.kind == Finding::Kind::Problem; });
    FUZZ_CHECK(playable || problem);
    return 0;
}
