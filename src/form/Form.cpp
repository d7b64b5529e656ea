#include "Form.h"

#include "Fonts.h"
#include "FormButton.h"
#include "FormLabel.h"
#include "FormScale.h"
#include "IntervalTimer.h"
#include "Keyboard.h"
#include "ListBox.h"
#include "PictureBox.h"
#include "PictureLoader.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPixmapCache>
#include <QScreen>
#include <QShortcut>
#include <QTimer>

#include <algorithm>
#include <climits>
#include <cmath>
#include <future>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

QString key(const QString& name, int index)
{
    return index < 0 ? name : u"%1(%2)"_s.arg(name).arg(index);
}

// Points at 96 dots per inch, as the layouts were designed; every size in the
// layouts comes out as a whole number of pixels (12 pt = 16 px, 20.25 pt = 27 px),
// then times the window's factor, rounded as twips are. The program's own
// captions are all in the Japanese face: with it installed, no fallback fonts
// are looked up for them, which spares the first window some 5 ms. A list shows
// the user's text and keeps the fallbacks.
QFont fontFor(const FontSpec& wanted, const QString& caption, int room, double factor, bool ownText)
{
    QFont font(wanted.family);
    font.setPixelSize(int(std::lround(double(wanted.points) * 96.0 / 72.0 * factor)));
    font.setWeight(wanted.bold ? QFont::Bold : QFont::Normal);
    if (ownText && standInInstalled(wanted.family))
        font.setStyleStrategy(QFont::NoFontMerging);
    // The stand-in fonts run a few pixels wider than the fonts the layouts were
    // made with; a caption that would be cut is set a little tighter instead.
    const int over = QFontMetrics(font).horizontalAdvance(caption) - room;
    if (over > 0 && caption.size() > 1)
        font.setLetterSpacing(QFont::AbsoluteSpacing, -qreal(over) / qreal(caption.size() - 1));
    return font;
}

// The artwork is drawn at 1×, 2× and 3× (name.gif, name@2x.gif, name@3x.gif).
// The coarsest one at least as fine as the screen needs is taken, or the
// finest there is; these are its files in the order they are tried.
std::vector<std::pair<QString, int>> artworkFiles(const QString& path, qreal needed)
{
    std::vector<std::pair<QString, int>> files;
    if (path.isEmpty())
        return files;
    const int dot = path.lastIndexOf(u'.');
    const int wanted = std::clamp(int(std::ceil(needed - 1e-6)), 1, 3);
    const auto add = [&](int ratio) {
        files.emplace_back(ratio == 1 ? path : path.left(dot) + u"@%1x"_s.arg(ratio) + path.mid(dot), ratio);
    };
    for (int ratio = wanted; ratio <= 3; ++ratio)
        add(ratio);
    for (int ratio = wanted - 1; ratio >= 1; --ratio)
        add(ratio);
    return files;
}

// Artwork being decoded on a worker since the program started, by file.
std::map<QString, std::shared_future<QImage>>& prefetched()
{
    static std::map<QString, std::shared_future<QImage>> images; // the window's thread only
    return images;
}

// An artwork file as it is shown, decoded once for the run: the backgrounds
// take some 50 ms each at 3×, and a switch of screens never waits for them.
QPixmap artwork(const QString& path, qreal needed)
{
    for (const auto& [file, ratio] : artworkFiles(path, needed)) {
        QPixmap pixmap;
        if (!QPixmapCache::find(file, &pixmap)) {
            if (const auto early = prefetched().find(file); early != prefetched().end()) {
                pixmap = QPixmap::fromImage(early->second.get()); // decoded while the program started
                prefetched().erase(early);
            }
            if (pixmap.isNull() && (!QFile::exists(file) || !pixmap.load(file)))
                continue;
            pixmap.setDevicePixelRatio(ratio);
            // The two backgrounds stay decoded (9 MB each at 3x).
            constexpr int ArtworkCacheKilobytes = 48 * 1024;
            QPixmapCache::setCacheLimit(std::max(QPixmapCache::cacheLimit(), ArtworkCacheKilobytes));
            QPixmapCache::insert(file, pixmap);
        }
        return pixmap;
    }
    return {};
}

QIcon programIcon()
{
    QIcon icon;
    for (const QString& file :
         {u":/artwork/icon.gif"_s, u":/artwork/icon@2x.gif"_s, u":/artwork/icon@3x.gif"_s})
        if (QFile::exists(file))
            icon.addFile(file);
    return icon;
}

bool takesTab(const QWidget* widget)
{
    return (widget->focusPolicy() & Qt::TabFocus) == Qt::TabFocus;
}

bool isNavigationKey(int key)
{
    switch (key) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Escape:
        return true;
    default:
        return false;
    }
}

Qt::Alignment alignmentFor(Align align)
{
    return (align == Align::Centre ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop;
}

} // namespace

void prefetchArtwork(const QString& path, qreal needed)
{
    for (const auto& [file, ratio] : artworkFiles(path, needed)) {
        if (!QFile::exists(file))
            continue;
        if (!prefetched().count(file))
            prefetched().emplace(file,
                                 std::async(std::launch::async, [file = file] { return QImage(file); }));
        return;
    }
}

void showProgramIcon()
{
    QApplication::setWindowIcon(programIcon());
}

Form::Form(const WindowSpec& window, const std::vector<ControlSpec>& controls,
           const SoundPlayerFactory& makePlayer, double scale)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint),
      m_window(window)
{
    setWindowTitle(window.title);

    // Widgets created later lie above earlier ones, so build back to front.
    std::vector<QWidget*> windowed;
    // NOLINTNEXTLINE(modernize-loop-convert): std::views::reverse is beyond clang-tidy 14 with this library
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

    setScale(scale);
    // Shown only now, with their fonts: a label made visible before has its
    // text laid out in the default font, and looking up a fallback for the
    // Japanese in it costs the first window some 10 ms.
    for (const Placed& placed : m_placed)
        if (placed.row.visible)
            placed.widget->setVisible(true);

    const auto keys = [this](const QKeySequence& sequence, auto step) {
        auto* shortcut = new QShortcut(sequence, this);
        connect(shortcut, &QShortcut::activated, this, [this, step] { stepScale(step(m_scale)); });
    };
    const auto larger = [this](double factor) { return formscale::larger(factor, fittingScale()); };
    keys(QKeySequence(Qt::CTRL | Qt::Key_Plus), larger);
    keys(QKeySequence(Qt::CTRL | Qt::Key_Equal), larger);
    keys(QKeySequence(Qt::CTRL | Qt::Key_Minus), &formscale::smaller);
    keys(QKeySequence(Qt::CTRL | Qt::Key_0), [](double) { return formscale::Smallest; });
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
        built = box; // its picture comes with its factor
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
    if (!row.visible)
        built->setVisible(false);
    built->installEventFilter(this); // the keys that show the focus mark
    built->setObjectName(key(row.name, row.index));
    m_widgets.insert(key(row.name, row.index), built);
    m_placed.push_back({built, row, 0});
    return built;
}

// Geometry, font, border and picture of one control at the window's factor.
void Form::place(Placed& placed)
{
    QWidget* built = placed.widget;
    const ControlSpec& row = placed.row;
    const int line = lineWidth(m_scale);
    if (auto* box = qobject_cast<PictureBox*>(built)) {
        box->setScale(m_scale);
        // A picture of the layout's own is taken again at the new resolution,
        // unless the screen has put another picture in the box since.
        if (!row.picture.isEmpty() && (placed.picture == 0 || box->picture().cacheKey() == placed.picture)) {
            box->setPicture(artwork(row.picture, m_scale * devicePixelRatioF()));
            placed.picture = box->picture().cacheKey();
        }
        return;
    }
    if (auto* label = qobject_cast<FormLabel*>(built))
        label->setBorder(row.border, line);
    else if (auto* list = qobject_cast<ListBox*>(built))
        list->setLineWidth(line);
    else if (auto* button = qobject_cast<FormButton*>(built))
        button->setFaceColour(row.back, 2 * line);
    built->setGeometry(toPixels(row.rect, m_scale));
    if (row.font.points > 0)
        built->setFont(fontFor(row.font, row.caption,
                               built->contentsRect().width() - twipsToPixels(TwipsPerPixel * 2, m_scale),
                               m_scale, qobject_cast<ListBox*>(built) == nullptr));
}

QSize Form::sizeAt(double factor) const
{
    return {twipsToPixels(m_window.clientWidth, factor), twipsToPixels(m_window.clientHeight, factor)};
}

void Form::setScale(double factor)
{
    m_scale = formscale::clamped(factor);
    setMinimumSize(sizeAt(formscale::Smallest));
    setMaximumSize(sizeAt(formscale::Largest));
    m_background = artwork(m_window.background, m_scale * devicePixelRatioF());
    for (Placed& placed : m_placed)
        place(placed);
    const QSize size = sizeAt(m_scale);
    if (size != this->size()) {
        // The window system may answer with the sizes asked for on its own
        // time; those answers are not a drag of the frame.
        m_asked.push_back(size);
        if (m_asked.size() > 16)
            m_asked.pop_front();
        resize(size);
    }
    update();
}

double Form::fittingScale() const
{
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return formscale::Largest;
    const QSize frame = isVisible() ? frameGeometry().size() - size() : QSize();
    return formscale::fitting(sizeAt(formscale::Smallest), frame, screen->availableGeometry());
}

// A step by the keys keeps the window's centre where it was, as far as the
// screen allows, and is remembered.
void Form::stepScale(double factor)
{
    if (factor == m_scale)
        return;
    const QPoint centre = frameGeometry().center();
    setScale(factor);
    Q_EMIT scaleChosen(m_scale);
    if (const QScreen* screen = this->screen()) {
        const QRect available = screen->availableGeometry();
        QRect frame = frameGeometry();
        frame.moveCenter(centre);
        frame.moveLeft(
            std::max(available.left(), std::min(frame.left(), available.right() - frame.width() + 1)));
        frame.moveTop(
            std::max(available.top(), std::min(frame.top(), available.bottom() - frame.height() + 1)));
        move(frame.topLeft());
    }
}

// A drag of the frame: the factor follows the smaller of the two ratios, so
// the window keeps its shape and shows all of its layout.
void Form::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    const auto asked = std::find(m_asked.begin(), m_asked.end(), size());
    if (asked != m_asked.end()) {
        m_asked.erase(m_asked.begin(), asked + 1);
        return;
    }
    if (size() == sizeAt(m_scale))
        return;
    const double across = double(width()) * double(TwipsPerPixel) / double(m_window.clientWidth);
    const double down = double(height()) * double(TwipsPerPixel) / double(m_window.clientHeight);
    setScale(std::min(across, down));
    Q_EMIT scaleChosen(m_scale);
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
    // A factor remembered on a larger screen is brought down to fit this one
    // (and kept for the larger screen).
    if (const double fit = fittingScale(); m_scale > fit)
        setScale(fit);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    focusFirst();
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
    // The window's own signals only: Qt's accessibility keeps its record of
    // the window up to date through `destroyed`, and a record left behind
    // would be handed to the next window built at the same address.
    disconnect(this, &Form::closeBoxClicked, nullptr, nullptr);
    disconnect(this, &Form::scaleChosen, nullptr, nullptr);
    setEnabled(false);
    hide();
    m_players.clear();
    deleteLater();
}

void Form::paintEvent(QPaintEvent*)
{
    if (m_background.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QSizeF size = m_background.deviceIndependentSize() * m_scale;
    painter.drawPixmap(QRectF(QPointF(0, 0), size), m_background, QRectF(m_background.rect()));
}

void Form::closeEvent(QCloseEvent* event)
{
    // The screen that owns this window decides what closing means.
    event->ignore();
    Q_EMIT closeBoxClicked();
}

void Form::setEscape(std::function<QWidget*()> target)
{
    m_escape = std::move(target);
}

const Form::Placed* Form::placedOf(const QWidget* widget) const
{
    const auto found = std::find_if(m_placed.begin(), m_placed.end(),
                                    [widget](const Placed& placed) { return placed.widget == widget; });
    return found == m_placed.end() ? nullptr : &*found;
}

// Rows of controls from the top, each row from the left; a control joins a
// row when its top lies above the middle of the row's first control.
std::vector<QWidget*> Form::focusOrder() const
{
    struct Stop
    {
        QRect at;
        std::vector<std::pair<int, QWidget*>> widgets; // by index within a control array
    };
    std::vector<Stop> stops;
    std::map<QString, std::size_t> arrays;
    for (const Placed& placed : m_placed) {
        if (!takesTab(placed.widget))
            continue;
        if (placed.row.index < 0) {
            stops.push_back({placed.widget->geometry(), {{0, placed.widget}}});
            continue;
        }
        const auto [array, added] = arrays.try_emplace(placed.row.name, stops.size());
        if (added)
            stops.push_back({placed.widget->geometry(), {}});
        stops[array->second].widgets.emplace_back(placed.row.index, placed.widget);
    }
    for (Stop& stop : stops) {
        std::sort(stop.widgets.begin(), stop.widgets.end(),
                  [](const auto& a, const auto& b) { return a.first < b.first; });
        stop.at = stop.widgets.front().second->geometry();
    }
    // Views a screen lays over the board itself.
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (takesTab(child) && !placedOf(child))
            stops.push_back({child->geometry(), {{0, child}}});

    std::stable_sort(stops.begin(), stops.end(),
                     [](const Stop& a, const Stop& b) { return a.at.top() < b.at.top(); });
    for (auto row = stops.begin(); row != stops.end();) {
        const int middle = row->at.center().y();
        const auto end =
            std::find_if(row, stops.end(), [middle](const Stop& stop) { return stop.at.top() > middle; });
        std::stable_sort(row, end, [](const Stop& a, const Stop& b) { return a.at.left() < b.at.left(); });
        row = end;
    }
    std::vector<QWidget*> order;
    for (const Stop& stop : stops)
        for (const auto& [index, widget] : stop.widgets)
            order.push_back(widget);
    return order;
}

void Form::focusFirst()
{
    const std::vector<QWidget*> order = focusOrder();
    const auto array = std::find_if(order.begin(), order.end(), [this](QWidget* widget) {
        const Placed* placed = placedOf(widget);
        return placed && placed->row.index >= 0 && keyboard::reachable(*widget);
    });
    if (array != order.end()) {
        (*array)->setFocus(Qt::OtherFocusReason);
        return;
    }
    for (QWidget* widget : order)
        if (keyboard::reachable(*widget)) {
            widget->setFocus(Qt::OtherFocusReason);
            return;
        }
}

bool Form::focusNextPrevChild(bool next)
{
    const std::vector<QWidget*> order = focusOrder();
    const auto count = std::ptrdiff_t(order.size());
    const QWidget* current = focusWidget();
    const auto found = std::find_if(order.begin(), order.end(), [current](QWidget* widget) {
        return current && (widget == current || widget->isAncestorOf(current));
    });
    const std::ptrdiff_t at = found == order.end() ? (next ? -1 : count) : found - order.begin();
    for (std::ptrdiff_t step = 1; step <= count; ++step) {
        const std::ptrdiff_t i = ((at + (next ? step : -step)) % count + count) % count;
        if (keyboard::reachable(*order[std::size_t(i)])) {
            order[std::size_t(i)]->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
    return false;
}

// The nearest element of the same array in the arrow's direction, among those
// level with it (for left and right) or in its column (for up and down).
bool Form::moveInArray(const Placed& from, int key)
{
    const QRect r = from.widget->geometry();
    QWidget* nearest = nullptr;
    int shortest = INT_MAX;
    for (const Placed& other : m_placed) {
        if (other.row.index < 0 || other.row.name != from.row.name || other.widget == from.widget ||
            !keyboard::reachable(*other.widget))
            continue;
        const QRect o = other.widget->geometry();
        const bool level = o.top() <= r.bottom() && o.bottom() >= r.top();
        const bool column = o.left() <= r.right() && o.right() >= r.left();
        int distance = -1;
        if (key == Qt::Key_Up && column)
            distance = r.center().y() - o.center().y();
        else if (key == Qt::Key_Down && column)
            distance = o.center().y() - r.center().y();
        else if (key == Qt::Key_Left && level)
            distance = r.center().x() - o.center().x();
        else if (key == Qt::Key_Right && level)
            distance = o.center().x() - r.center().x();
        if (distance > 0 && distance < shortest) {
            shortest = distance;
            nearest = other.widget;
        }
    }
    if (nearest)
        nearest->setFocus(Qt::OtherFocusReason);
    return true; // at the array's edge the focus stays
}

void Form::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    if (event->modifiers() & ~Qt::KeypadModifier) {
        QWidget::keyPressEvent(event);
        return;
    }
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right: {
        const Placed* focused = placedOf(focusWidget());
        if (focused && focused->row.index >= 0)
            moveInArray(*focused, key);
        else
            focusNextPrevChild(key == Qt::Key_Down || key == Qt::Key_Right);
        return;
    }
    case Qt::Key_Escape:
        escape();
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

// A list open over the board closes first, as a click on it would close it.
void Form::escape()
{
    for (const Placed& placed : m_placed)
        if (auto* list = qobject_cast<ListBox*>(placed.widget); list && keyboard::reachable(*list)) {
            list->activate();
            return;
        }
    QWidget* target = m_escape ? m_escape() : nullptr;
    if (!target || !keyboard::reachable(*target))
        return;
    if (auto* label = qobject_cast<FormLabel*>(target))
        label->activate();
    else if (auto* button = qobject_cast<QAbstractButton*>(target))
        button->click();
    else if (auto* list = qobject_cast<ListBox*>(target))
        list->activate();
}

bool Form::event(QEvent* event)
{
    if (event->type() == QEvent::KeyPress && isNavigationKey(static_cast<QKeyEvent*>(event)->key()))
        keyboard::startUsing();
    return QWidget::event(event);
}

bool Form::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && isNavigationKey(static_cast<QKeyEvent*>(event)->key()))
        keyboard::startUsing();
    return QWidget::eventFilter(watched, event);
}
