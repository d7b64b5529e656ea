#include "Form.h"

#include "FormButton.h"
#include "FormLabel.h"
#include "IntervalTimer.h"
#include "ListBox.h"
#include "PictureBox.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QTimer>

#include <cmath>

using namespace Qt::StringLiterals;

namespace {

QString key(const QString& name, int index)
{
    return index < 0 ? name : u"%1(%2)"_s.arg(name).arg(index);
}

// Points at 96 dots per inch, as the layouts were designed; every size in the
// layouts comes out as a whole number of pixels (12 pt = 16 px, 20.25 pt = 27 px).
QFont fontFor(const FontSpec& wanted, const QString& caption, int room)
{
    QFont font(wanted.family);
    font.setPixelSize(int(std::lround(wanted.points * 96.0f / 72.0f)));
    font.setWeight(wanted.bold ? QFont::Bold : QFont::Normal);
    // The stand-in fonts run a few pixels wider than the fonts the layouts were
    // made with; a caption that would be cut is set a little tighter instead.
    const int over = QFontMetrics(font).horizontalAdvance(caption) - room;
    if (over > 0 && caption.size() > 1)
        font.setLetterSpacing(QFont::AbsoluteSpacing, -qreal(over) / qreal(caption.size() - 1));
    return font;
}

Qt::Alignment alignmentFor(Align align)
{
    return (align == Align::Centre ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop;
}

} // namespace

Form::Form(const WindowSpec& window, const std::vector<ControlSpec>& controls,
           const SoundPlayerFactory& makePlayer)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint)
{
    setWindowTitle(window.title);
    setWindowIcon(QIcon(u":/artwork/icon.gif"_s));
    setFixedSize(twipsToPixels(window.clientWidth), twipsToPixels(window.clientHeight));
    m_background = QPixmap(window.background);

    // Widgets created later lie above earlier ones, so build back to front.
    std::vector<QWidget*> windowed;
    for (auto row = controls.rbegin(); row != controls.rend(); ++row) {
        QWidget* built = build(*row, makePlayer);
        if (row->kind == ControlKind::ListBox || row->kind == ControlKind::Button)
            windowed.push_back(built);
    }
    // Lists and buttons always lie above labels and picture boxes, and among
    // themselves keep the table's order: raised back to front, the first row
    // ends on top.
    for (QWidget* control : windowed)
        control->raise();
}

Form::~Form() = default;

QWidget* Form::build(const ControlSpec& row, const SoundPlayerFactory& makePlayer)
{
    QWidget* built = nullptr;
    switch (row.kind) {
    case ControlKind::Label: {
        auto* label = new FormLabel(this);
        label->setText(row.caption);
        label->setColours(row.back, row.fore);
        label->setAlignment(alignmentFor(row.align));
        label->setBorder(row.border);
        built = label;
        break;
    }
    case ControlKind::PictureBox: {
        auto* box = new PictureBox(this);
        box->setTwipsRect(row.rect);
        if (!row.picture.isEmpty())
            box->setPicture(QPixmap(row.picture));
        built = box;
        break;
    }
    case ControlKind::ListBox: {
        auto* list = new ListBox(this);
        QPalette palette = list->palette();
        palette.setColor(QPalette::Base, row.back);
        palette.setColor(QPalette::Text, row.fore);
        list->setPalette(palette);
        built = list;
        break;
    }
    case ControlKind::Button: {
        auto* button = new FormButton(this);
        button->setText(row.caption);
        button->setFaceColour(row.back);
        built = button;
        break;
    }
    case ControlKind::Timer:
        m_timers.insert(row.name, new IntervalTimer(this));
        return nullptr;
    case ControlKind::MediaPlayer:
        m_playerNames.insert(row.name);
        if (makePlayer)
            m_players[row.name] = makePlayer();
        return nullptr;
    }
    if (row.kind != ControlKind::PictureBox)
        built->setGeometry(toPixels(row.rect));
    if (row.font.points > 0)
        built->setFont(fontFor(row.font, row.caption, built->contentsRect().width() - 2));
    built->setVisible(row.visible);
    built->setObjectName(key(row.name, row.index));
    m_widgets.insert(key(row.name, row.index), built);
    return built;
}

// A control the screen's code asks for but its layout does not have is a
// mistake in the program, in every build: it stops here, naming the control,
// instead of crashing later or falling silent.
[[noreturn]] void Form::missing(const QString& name, int index, const char* kind) const
{
    qFatal("%s: the layout has no %s %s", qUtf8Printable(windowTitle()), kind,
           qUtf8Printable(key(name, index)));
}

template <typename Control> Control* Form::widget(const QString& name, int index, const char* kind) const
{
    auto* found = qobject_cast<Control*>(m_widgets.value(key(name, index)));
    if (!found)
        missing(name, index, kind);
    return found;
}

FormLabel* Form::label(const QString& name, int index) const
{
    return widget<FormLabel>(name, index, "label");
}

PictureBox* Form::picture(const QString& name) const
{
    return widget<PictureBox>(name, -1, "picture box");
}

ListBox* Form::list(const QString& name) const
{
    return widget<ListBox>(name, -1, "list box");
}

FormButton* Form::button(const QString& name) const
{
    return widget<FormButton>(name, -1, "button");
}

IntervalTimer* Form::timer(const QString& name) const
{
    IntervalTimer* found = m_timers.value(name);
    if (!found)
        missing(name, -1, "timer");
    return found;
}

SoundPlayer* Form::player(const QString& name) const
{
    if (!m_playerNames.contains(name))
        missing(name, -1, "media player");
    const auto found = m_players.find(name);
    return found == m_players.end() ? nullptr : found->second.get(); // none without a player factory
}

void Form::showCentred()
{
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    show();
}

void Form::dismantle()
{
    // Nothing of a closed screen may react any more: its timers stop for good,
    // and a click already queued for the window finds it disabled and hidden.
    for (IntervalTimer* timer : std::as_const(m_timers)) {
        timer->setInterval(0);
        timer->disconnect();
    }
    for (QTimer* timer : findChildren<QTimer*>())
        timer->stop(); // the zoom-in's frames, too
    disconnect();
    setEnabled(false);
    hide();
    m_players.clear();
    deleteLater();
}

void Form::paintEvent(QPaintEvent*)
{
    if (!m_background.isNull())
        QPainter(this).drawPixmap(0, 0, m_background);
}

void Form::closeEvent(QCloseEvent* event)
{
    // The screen that owns this window decides what closing means.
    event->ignore();
    Q_EMIT closeBoxClicked();
}
