// Picture loading as the screens do it: any file under a picture's name (the
// format is told by content: GIF, JPEG, PNG, WebP) must give a picture within
// the size cap or none, never crash.

#include "FuzzInput.h"
#include "PictureLoader.h"

#include <QGuiApplication>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    // QPixmap needs a GUI application; nothing is shown.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    new QGuiApplication(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static FuzzInput input(".gif");
    const QImage picture = readPicture(input.write(data, size));
    if (!picture.isNull() && (picture.width() > MaxPictureSide || picture.height() > MaxPictureSide))
        std::abort();
    return 0;
}
