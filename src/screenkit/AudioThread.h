#pragma once

#include "SoundPlayer.h"

#include <QLibrary>
#include <QThread>

#include <atomic>
#include <deque>
#include <functional>
#include <memory>

// The thread sound lives on. It has its own event loop: the sound back end is
// loaded there on first use, players are made, fed and destroyed there, and
// whatever the sound server makes them wait for, the user-interface thread
// never waits with them.
class AudioThread final
{
public:
    // The program's audio thread, started on first use. It runs until the
    // program ends: the program exits without tearing it down, and a test
    // that ends normally stops it as its application object goes.
    static AudioThread& instance();

    // Whether sound is known to be off for the run: the back end could not be
    // loaded, or no sound server answered when it was. False until known.
    bool soundIsOff() const { return m_off.load(); }

    // Runs the command on the audio thread after every command posted before
    // it, and never inside another command.
    void post(std::function<void()> command);

    // Loads the sound back end now, ahead of the first sound.
    void preload();

    // A sound file's length in seconds, read from its header by the back end,
    // or 0 when it cannot be played or there is no back end. Loads the back
    // end if need be and touches the disk: on a worker, never the window's thread.
    static double soundSeconds(const QString& path);

    // On the audio thread only: a new sound output, or null when the back end
    // cannot be loaded (then sound is off for the run, with one line on stderr).
    std::unique_ptr<SoundPlayer> makeOutput();

private:
    AudioThread();
    ~AudioThread();
    static void shutDown();

    void run(std::function<void()> command);
    bool loadBackEnd();

    QThread m_thread;
    QObject* m_context; // lives on m_thread; commands are delivered to it
    std::deque<std::function<void()>> m_pending;
    bool m_running = false;

    QLibrary m_library;
    bool m_tried = false;
    SoundPlayer* (*m_make)() = nullptr;
    std::atomic<bool> m_off{false}; // set on the audio thread, read on any
};
