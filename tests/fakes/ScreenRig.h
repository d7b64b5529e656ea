#pragma once

#include "FakeClock.h"
#include "FakeHistory.h"
#include "Form.h"
#include "FormLabel.h"
#include "MediaPaths.h"
#include "PictureBox.h"
#include "RecordingPlayer.h"
#include "ScreenServices.h"
#include "ScriptedRandom.h"
#include "Season.h"
#include "Settings.h"
#include "Settle.h"
#include "TestMedia.h"

#include <QTest>

// A quiz or reference screen with a fake clock, scripted draws, recording
// players and a history kept in memory, and the ways a test looks at it and clicks on it.
template <class ScreenType> struct ScreenRig
{
    explicit ScreenRig(Season season) : screen(season, services) { screen.setSettings(&settings); }

    FakeClock clock;
    ScriptedRandom random;
    FakeHistory history;
    Settings settings; // the test's own conf, read as the rig is made
    ScreenServices services{clock, random, RecordingPlayer::factory(), &history, &settings};
    ScreenType screen;

    Form& form() { return *screen.form(); }
    FormLabel& name(int position) { return *form().label(QStringLiteral("Label1"), position); }
    PictureBox& image(const QString& box) { return *form().picture(box); }
    QStringList& calls(const QString& player)
    {
        return static_cast<RecordingPlayer*>(form().player(player))->calls;
    }

    // Clicks where the user would: whatever lies on top at that point takes
    // it. Then waits a moment, as a user would, for what the click set going.
    void clickAt(QWidget& widget)
    {
        clickAtOnce(widget);
        settle();
    }
    // The click alone: the files it asked for are still being read.
    void clickAtOnce(QWidget& widget)
    {
        const QPoint point = widget.mapTo(&form(), widget.rect().center());
        QWidget* target = form().childAt(point);
        QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(&form(), point));
    }

    // Lets the files being read on workers arrive and any picture finish growing.
    void settle()
    {
        if (screen.isOpen())
            ::settle(&form());
    }
};

inline bool painted(const FormLabel& label, const QColor& back, const QColor& fore)
{
    return label.backColour() == back && label.foreColour() == fore;
}

// What the call player is asked to play for bird N.
inline QString callOf(int bird)
{
    return QStringLiteral("source ") +
           media::birdFilePath(testmedia::root(), media::BirdFile::Call, QString::number(bird));
}
