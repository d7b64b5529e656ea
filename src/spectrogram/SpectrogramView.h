#pragma once

#include "SoundPlayer.h"
#include "Spectrogram.h"
#include "Twips.h"

#include <QImage>
#include <QWidget>

#include <memory>

// The spectrogram of the call on show, with a cursor that follows what is
// heard: frequency up in kHz on a log scale, time across in seconds, grey on
// white. The spectrogram is worked out and drawn on a worker, at the device
// pixels it is shown at, from the samples the player decoded; the window's
// thread only copies the finished picture and moves the cursor.
//
// On a Form it keeps its twips and follows the window's scale factor, as the
// form's own controls do. Taken in with a few lines:
//     auto* view = new SpectrogramView(form);
//     view->setTwipsRect({left, top, width, height});
//     view->follow(*callPlayer);     // each call decoded is shown, the cursor follows playback
class SpectrogramView final : public QWidget
{
    Q_OBJECT
public:
    explicit SpectrogramView(QWidget* parent);
    ~SpectrogramView() override;

    void setTwipsRect(const TwipsRect& rect);
    // The window's scale factor (see FormScale.h); on a Form it is followed without being set.
    void setScale(double factor);
    double scale() const { return m_scale; }

    // Shows this sound from now on: empty until its picture arrives.
    void showSound(const DecodedSound& sound);
    // Shows nothing: no picture, no cursor.
    void clear();
    // A line above the plot, beside its kHz, such as how the call is written down; cut short
    // when too long.
    void setCaption(const QString& text);
    QString caption() const { return m_caption; }
    // Moves the cursor; not playing hides it.
    void setPosition(const PlayPosition& at);

    // Shows every sound the player decodes, and follows its playing position.
    // Replaces the player's watcher; the view may go before the player.
    void follow(SoundPlayer& player);

    // The picture of the latest sound is shown, at the size it is shown at.
    bool isReady() const;
    // Where the plot lies in the view, and the cursor's left edge in it (-1: none).
    QRect plotRect() const;
    int cursorX() const;

Q_SIGNALS:
    // The picture of the latest sound, or of a new size, is in place.
    void pictureShown();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void applyGeometry();
    void followWindowScale();
    void requestPicture();
    QSize devicePlotSize() const;
    QRect cursorRect() const;
    void paintAxes(QPainter& painter, const QRect& plot);

    TwipsRect m_rect;
    double m_scale = 1.0;
    std::shared_ptr<const Spectrogram> m_spectrogram;
    DecodedSound m_sound;
    QImage m_picture;
    QString m_caption;
    PlayPosition m_position;
    quint64 m_request = 0; // the latest picture asked of a worker
    bool m_asked = false;  // one is on its way
};
