// Records answers into the history in the folder given, one after another, and
// prints how many are in the file for good after each. With a count it stops
// there and exits 0; without one it goes on until it is killed. Exits 2 when
// the history turns itself off.
#include "HistoryWriter.h"
#include "SqliteHistory.h"

#include <QCoreApplication>
#include <QTimer>

#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 2)
        return 64;
    const int count = args.size() > 2 ? args.at(2).toInt() : 0;

    auto history = std::make_unique<SqliteHistory>(args.at(1));
    int handedOver = 0;
    auto recordNext = [&] {
        history::Answer answer;
        answer.at = QDateTime::currentDateTimeUtc();
        answer.season = handedOver % 2 ? Season::AutumnWinter : Season::SpringSummer;
        answer.mode = handedOver % 3 ? history::QuizMode::PictureAndCall : history::QuizMode::ByEar;
        answer.shownBird = (handedOver % 40) + 1 + (handedOver % 2 ? 40 : 0);
        answer.answeredBird = answer.shownBird;
        answer.right = handedOver % 4 != 0;
        answer.elapsedMs = handedOver;
        ++handedOver;
        history->record(answer);
    };
    QObject::connect(history->writer(), &HistoryWriter::written, &app, [&](int written) {
        std::printf("%d\n", written);
        std::fflush(stdout);
        if (count == 0 || written < count)
            recordNext();
        else
            app.quit();
    });
    QObject::connect(history->writer(), &HistoryWriter::turnedOff, &app, [] { QCoreApplication::exit(2); });
    // The history may have turned itself off on its thread before the line above
    // ran; asked behind the opening, it says so again.
    QMetaObject::invokeMethod(
        history->writer(),
        [writer = history->writer()] {
            if (!writer->isOn())
                Q_EMIT writer->turnedOff();
        },
        Qt::QueuedConnection);
    QTimer::singleShot(0, &app, recordNext);
    QTimer::singleShot(60000, &app, [] { QCoreApplication::exit(3); });
    const int status = app.exec();
    history.reset();
    return status;
}
