#pragma once

#include "ScreenId.h"

#include <QObject>

#include <memory>

class Form;
class Settings;

// One of the five screens. The screen object lives for the whole run and keeps
// its fields; its window is built from the layout each time the screen is shown
// and destroyed each time it is closed.
class Screen : public QObject
{
    Q_OBJECT
public:
    explicit Screen(QObject* parent = nullptr);
    ~Screen() override;

    // Builds the window, runs the load step, makes the window visible.
    void show();
    // Destroys the window and its controls; the screen's fields stay.
    void close();
    bool isOpen() const { return m_form != nullptr; }

    Form* form() const { return m_form; }

    // The user's settings; none: defaults, and changes last while the screen lives.
    void setSettings(Settings* settings) { m_settings = settings; }

Q_SIGNALS:
    // Emitted as the last action of a click handler; the application closes
    // this screen and shows the target.
    void switchRequested(ScreenId target);
    void quitRequested();
    void closeBoxClicked();

protected:
    // Builds the window at windowScale() times its design size.
    virtual Form* buildForm() = 0;
    virtual void load() = 0;

    double windowScale() const;
    Settings& settings() const;

private:
    Form* m_form = nullptr;
    Settings* m_settings = nullptr;
    mutable std::unique_ptr<Settings> m_ownSettings; // when none were given
};
