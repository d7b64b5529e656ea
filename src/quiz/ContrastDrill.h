#pragma once

#include "BirdShow.h"

#include <QObject>
#include <QTimer>

class SoundPlayer;

namespace quiz {

// Two look-alikes side by side: their pictures and calls are read on a worker,
// then the first call plays once and the second follows it, started by a timer
// once the first call's length (read from its header by the sound back end) has passed.
class ContrastDrill final : public QObject
{
    Q_OBJECT
public:
    struct Bird
    {
        int number = 0;
        presentation::BirdMedia media;
        double callSeconds = 0; // 0: no call to play
    };

    ContrastDrill(QObject* context, SoundPlayer& player, QString dataRoot, double fineness);

    void start(int first, int second);
    // Both calls silent; anything still on its way is dropped.
    void stop();
    bool running() const { return m_running; }

    static constexpr int GapMs = 400; // between the end of one call and the next

Q_SIGNALS:
    // The pictures have come; the first call starts now.
    void ready(const quiz::ContrastDrill::Bird& first, const quiz::ContrastDrill::Bird& second);
    void secondCallStarted();

private:
    void playSecond();

    QObject* m_context;
    SoundPlayer& m_player;
    QString m_root;
    double m_fineness;
    quint64 m_tag = 0;
    bool m_running = false;
    QString m_secondCall;
    QTimer m_next;
};

} // namespace quiz
