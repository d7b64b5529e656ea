#include "FormLabel.h"

#include "Keyboard.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QKeyEvent>
#include <QMetaMethod>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPixmapCache>

#include <algorithm>

using namespace Qt::StringLiterals;

FormLabel::FormLabel(QWidget* parent) : QLabel(parent)
{
    setAutoFillBackground(true);
    setTextFormat(Qt::PlainText);
    setWordWrap(false);
}

void FormLabel::setColours(const QColor& back, const QColor& fore)
{
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, back);
    palette.setColor(QPalette::WindowText, fore);
    setPalette(palette);
}

void FormLabel::setBackColour(const QColor& back)
{
    setColours(back, foreColour());
}

QColor FormLabel::backColour() const
{
    return palette().color(QPalette::Window);
}

QColor FormLabel::foreColour() const
{
    return palette().color(QPalette::WindowText);
}

void FormLabel::setBorder(bool border, int width)
{
    m_border = border;
    m_borderWidth = std::max(1, width);
    const int margin = border ? m_borderWidth : 0;
    setContentsMargins(margin, margin, margin, margin);
    update();
}

// Qt's raster engine keeps no glyphs above 64 device pixels: it fills their
// outlines on every paint, which at three times the design size costs the menu
// tens of milliseconds. Labels with such large text are drawn once into a
// picture kept for the run and copied from it afterwards.
constexpr int LargestCachedGlyph = 64;

void FormLabel::paintEvent(QPaintEvent* event)
{
    const qreal ratio = devicePixelRatioF();
    if (font().pixelSize() * ratio < LargestCachedGlyph || text().isEmpty()) {
        QLabel::paintEvent(event);
        QPainter painter(this);
        paintBorder(painter);
        paintFocusMark(painter);
        return;
    }
    const QString key = u"FormLabel|%1|%2|%3|%4|%5|%6|%7x%8@%9"_s.arg(text(), font().toString())
                            .arg(font().letterSpacing())
                            .arg(backColour().name(), foreColour().name())
                            .arg(int(alignment()) * 64 + (m_border ? m_borderWidth : 0))
                            .arg(width())
                            .arg(height())
                            .arg(ratio);
    QPixmap drawn;
    if (!QPixmapCache::find(key, &drawn)) {
        drawn = QPixmap((QSizeF(size()) * ratio).toSize());
        drawn.setDevicePixelRatio(ratio);
        drawn.fill(backColour());
        QPainter painter(&drawn);
        drawLargeCaption(painter);
        paintBorder(painter);
        painter.end();
        QPixmapCache::insert(key, drawn);
    }
    QPainter painter(this);
    painter.drawPixmap(0, 0, drawn);
    paintFocusMark(painter);
}

// Qt draws glyphs this large as filled outlines, and the outlines of a face
// that has no bold of its own come out in its regular weight: the bold
// captions would turn thin at the sizes that take this path. Here such a
// caption is thickened the way the font engine thickens the smaller sizes,
// by a twenty-fourth of the em, growing to the right and upwards.
void FormLabel::drawLargeCaption(QPainter& painter) const
{
    const QFont shown = font();
    if (!boldIsSynthesised(shown)) {
        painter.setFont(shown);
        painter.setPen(foreColour());
        painter.drawText(contentsRect(), int(alignment()), text());
        return;
    }
    const QFontMetricsF metrics(shown);
    const QRectF box = metrics.boundingRect(QRectF(contentsRect()), int(alignment()), text());
    const qreal strength = qreal(QFontInfo(shown).pixelSize()) / 24.0;
    QPainterPath outline;
    outline.addText(box.left() + strength / 2, box.top() + metrics.ascent() - strength / 2, shown, text());
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(foreColour(), strength, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    painter.setBrush(foreColour());
    painter.drawPath(outline);
}

// Bold asked of a face whose family has no bold style is drawn by thickening
// the regular one.
bool FormLabel::boldIsSynthesised(const QFont& font)
{
    if (font.weight() < QFont::Bold)
        return false;
    const QString family = QFontInfo(font).family();
    const QStringList styles = QFontDatabase::styles(family);
    return std::none_of(styles.begin(), styles.end(), [&family](const QString& style) {
        return QFontDatabase::weight(family, style) >= QFont::DemiBold;
    });
}

// The single-line border is a black line inside the label's rectangle, whole
// pixels wide, filled rather than stroked so no edge falls between pixels.
void FormLabel::paintBorder(QPainter& painter) const
{
    if (!m_border)
        return;
    const int w = m_borderWidth;
    const QRect r = rect();
    painter.fillRect(QRect(r.left(), r.top(), r.width(), w), Qt::black);
    painter.fillRect(QRect(r.left(), r.bottom() - w + 1, r.width(), w), Qt::black);
    painter.fillRect(QRect(r.left(), r.top(), w, r.height()), Qt::black);
    painter.fillRect(QRect(r.right() - w + 1, r.top(), w, r.height()), Qt::black);
}

// Inside the border, in the text's colour, as thick as the border: it shows on
// every back colour a label takes, and grows with the window.
void FormLabel::paintFocusMark(QPainter& painter) const
{
    if (!keyboard::showsFocusMark(*this))
        return;
    const int inset = m_border ? m_borderWidth : 0;
    keyboard::paintFocusMark(painter, rect().adjusted(inset, inset, -inset, -inset), foreColour(),
                             m_borderWidth);
}

// A click is a press and a release on the same label, as on the desktop.
void FormLabel::mousePressEvent(QMouseEvent* event)
{
    m_pressed = event->button() == Qt::LeftButton;
}

void FormLabel::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click =
        m_pressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    m_pressed = false;
    if (click)
        Q_EMIT clicked();
}

void FormLabel::activate()
{
    if (isClickable() && keyboard::reachable(*this))
        Q_EMIT clicked();
}

void FormLabel::keyPressEvent(QKeyEvent* event)
{
    if (!isClickable() || !keyboard::isClickKey(event->key()) || event->modifiers() & ~Qt::KeypadModifier) {
        QLabel::keyPressEvent(event); // on to the window: arrows, Escape
        return;
    }
    keyboard::startUsing();
    if (!event->isAutoRepeat())
        activate();
}

void FormLabel::focusInEvent(QFocusEvent* event)
{
    QLabel::focusInEvent(event);
    update();
}

void FormLabel::focusOutEvent(QFocusEvent* event)
{
    QLabel::focusOutEvent(event);
    update();
}

// Listening to the click makes the label a control. Tab focus only: a mouse
// click leaves the focus where it was.
void FormLabel::connectNotify(const QMetaMethod& signal)
{
    if (signal == QMetaMethod::fromSignal(&FormLabel::clicked))
        setFocusPolicy(Qt::TabFocus);
    QLabel::connectNotify(signal);
}
