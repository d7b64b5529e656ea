#pragma once

#include "ControlSpec.h"
#include "SoundPlayer.h"

#include <QHash>
#include <QPixmap>
#include <QSet>
#include <QWidget>

#include <map>
#include <memory>
#include <vector>

class FormLabel;
class PictureBox;
class ListBox;
class FormButton;
class IntervalTimer;

// A screen's window with every control on it, built from the screen's layout
// table each time the screen is shown. Fixed size, title, icon, background
// drawn unscaled from the top-left corner, close box, no minimise or maximise.
class Form final : public QWidget
{
    Q_OBJECT
public:
    Form(const WindowSpec& window, const std::vector<ControlSpec>& controls,
         const SoundPlayerFactory& makePlayer = {});
    ~Form() override;

    FormLabel* label(const QString& name, int index = -1) const;
    PictureBox* picture(const QString& name) const;
    ListBox* list(const QString& name) const;
    FormButton* button(const QString& name) const;
    IntervalTimer* timer(const QString& name) const;
    SoundPlayer* player(const QString& name) const;

    void showCentred();

    // Closing a screen: its timers stop for good and its players fall silent
    // now; the window goes as soon as the click that closed it has returned.
    void dismantle();

Q_SIGNALS:
    void closeBoxClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* build(const ControlSpec& row, const SoundPlayerFactory& makePlayer);
    template <typename Control> Control* widget(const QString& name, int index, const char* kind) const;
    [[noreturn]] void missing(const QString& name, int index, const char* kind) const;

    QPixmap m_background;
    QHash<QString, QWidget*> m_widgets;
    QHash<QString, IntervalTimer*> m_timers;
    std::map<QString, std::unique_ptr<SoundPlayer>> m_players;
    QSet<QString> m_playerNames;
};
