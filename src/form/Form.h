#pragma once

#include "ControlSpec.h"
#include "SoundPlayer.h"

#include <QHash>
#include <QPixmap>
#include <QSet>
#include <QWidget>

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <vector>

class FormLabel;
class PictureBox;
class ListBox;
class FormButton;
class IntervalTimer;

// Starts decoding a window's artwork on a worker while the program starts, so
// the first window has its background ready by the time it is built.
void prefetchArtwork(const QString& path, qreal needed);
// The program's icon on every window. It is put up once the first window is on
// screen: decoding its three sizes is not worth keeping that window waiting.
void showProgramIcon();

// A screen's window with every control on it, built from the screen's layout
// table each time the screen is shown. Title, icon, background drawn from the
// top-left corner, close box, no minimise or maximise.
//
// The window is its design size times one scale factor, the same for every
// control, font, border and picture on it (see FormScale.h). Ctrl++ / Ctrl+=
// and Ctrl+- step the factor, Ctrl+0 goes back to the design size, and the
// window's frame resizes it keeping its shape. The factor is remembered.
class Form final : public QWidget
{
    Q_OBJECT
public:
    // The window at scale times its design size (see FormScale.h).
    Form(const WindowSpec& window, const std::vector<ControlSpec>& controls,
         const SoundPlayerFactory& makePlayer = {}, double scale = 1.0);
    ~Form() override;

    FormLabel* label(const QString& name, int index = -1) const;
    PictureBox* picture(const QString& name) const;
    ListBox* list(const QString& name) const;
    FormButton* button(const QString& name) const;
    IntervalTimer* timer(const QString& name) const;
    SoundPlayer* player(const QString& name) const;

    // Opens at the remembered factor, or the largest that fits the screen,
    // centred on the screen.
    void showCentred();

    double scale() const { return m_scale; }
    // How fine pictures shown in this window are wanted: the scale times the
    // screen's device pixel ratio. Passed along with each request to read one.
    double pictureFineness() const { return m_scale * devicePixelRatioF(); }
    // Lays the window and every control out again at this factor (1..3).
    void setScale(double factor);
    QSize sizeAt(double factor) const;

    // Closing a screen: its timers stop for good and its players fall silent
    // now; the window goes as soon as the click that closed it has returned.
    void dismantle();

    // What Escape clicks when no list is open; asked at each press, as the way
    // back may change with what is shown. None: Escape does nothing.
    void setEscape(std::function<QWidget*()> target);
    // Focus on the window's first control array if it has one (the name
    // board, where answers are given), else on its first control.
    void focusFirst();
    // The controls Tab goes through, in order, whether or not they can be reached now.
    std::vector<QWidget*> focusOrder() const;

Q_SIGNALS:
    void closeBoxClicked();
    // The user changed the window's size, by the keys or by the frame: the
    // factor to remember for the next showing and the next run.
    void scaleChosen(double factor);

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    QWidget* build(const ControlSpec& row, const SoundPlayerFactory& makePlayer);
    template <typename Control> Control* widget(const QString& name, int index, const char* kind) const;
    [[noreturn]] void missing(const QString& name, int index, const char* kind) const;
    struct Placed
    {
        QWidget* widget;
        ControlSpec row;
        qint64 picture; // the layout's picture as last put in a picture box
    };
    void place(Placed& placed);
    void stepScale(double factor); // from the keys: kept on screen and remembered
    double fittingScale() const;
    const Placed* placedOf(const QWidget* widget) const;
    bool moveInArray(const Placed& from, int key);
    void escape();

    WindowSpec m_window;
    double m_scale = 1.0;
    std::vector<Placed> m_placed;
    std::deque<QSize> m_asked; // sizes asked of the window system, not yet seen
    QPixmap m_background;
    QHash<QString, QWidget*> m_widgets;
    QHash<QString, IntervalTimer*> m_timers;
    std::map<QString, std::unique_ptr<SoundPlayer>> m_players;
    QSet<QString> m_playerNames;
    std::function<QWidget*()> m_escape;
};
