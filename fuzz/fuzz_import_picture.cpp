// piyo-import's picture path: any file given as a photograph (the format is
// told by content: GIF, JPEG, PNG, WebP) must be refused with a reason, or
// become a picture that fits the panel at twice its size, stored as PNG in
// the user's folder and shown by the program. A file claiming a huge size
// must be refused before its pixels take any memory.

#include "FuzzCheck.h"
#include "FuzzFolder.h"
#include "FuzzInput.h"
#include "PictureImport.h"
#include "PictureLoader.h"
#include "SafeWrite.h"

#include <QCoreApplication>

#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    new QCoreApplication(*argc, *argv); // as piyo-import runs: image plugins, no display
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static FuzzInput input(".jpg");
    static FuzzFolder folder;

    QString error;
    const QImage picture = pictureimport::prepare(input.write(data, size), &error, media::Links::Refuse);
    if (picture.isNull()) {
        FUZZ_CHECK(!error.isEmpty());
        return 0;
    }
    const QSize box = pictureimport::Panel * pictureimport::MaxScale;
    FUZZ_CHECK(picture.width() >= 1 && picture.height() >= 1);
    FUZZ_CHECK(picture.width() <= box.width() && picture.height() <= box.height());

    const QByteArray png = pictureimport::pngBytes(picture);
    FUZZ_CHECK(!png.isEmpty());
    const safewrite::Request request{
        folder.path(), QStringLiteral("姿"), QStringLiteral("b1.png"), {}, QStringLiteral(".replaced")};
    QStringList aside;
    QString why;
    FUZZ_CHECK(safewrite::install(
        request, [&png](int fd, QString* why) { return safewrite::writeAll(fd, png, why); }, &aside, &why));
    // What was imported, the program shows.
    const QImage shown = readPicture(folder.filePath(QStringLiteral("姿/b1.png")));
    FUZZ_CHECK(!shown.isNull());
    folder.clear();
    return 0;
}
