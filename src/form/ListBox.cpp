#include "ListBox.h"

#include "Keyboard.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScopedValueRollback>
#include <QStyledItemDelegate>

#include <utility>

using namespace Qt::StringLiterals;

namespace {

// The height the style gives a line of one row in the view's font.
int oneRowHeight(QStyleOptionViewItem option, const QWidget* view)
{
    option.text = u" "_s;
    option.features = QStyleOptionViewItem::HasDisplay;
    return view->style()->sizeFromContents(QStyle::CT_ItemViewItem, &option, QSize(), view).height();
}

// Draws every line on one row of the same height. A line may hold a lone LF
// (only CR LF ends a line of a description); the style would lay it out as
// two rows, so it is shown as a space. The item keeps its text unchanged.
class OneRowDelegate final : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        size.setHeight(oneRowHeight(option, option.widget));
        return size;
    }

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        // Qt has already turned the LF into a line separator by now.
        for (QChar& c : option->text)
            if (c == QChar::LineSeparator || c == QChar::ParagraphSeparator || c == u'\n' || c == u'\r')
                c = u' ';
    }
};

} // namespace

ListBox::ListBox(QWidget* parent) : QListWidget(parent)
{
    setSortingEnabled(false);
    setWordWrap(false);
    setTextElideMode(Qt::ElideNone);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // Long descriptions stay quick to lay out; the delegate makes the one size
    // the view takes the same for every line.
    setUniformItemSizes(true);
    setItemDelegate(new OneRowDelegate(this));
    setFrameShape(QFrame::Box);
}

void ListBox::clearLines()
{
    const QSignalBlocker quiet(this); // emptying the list is not a click
    clear();
    describeLines();
}

void ListBox::addLines(const QStringList& lines)
{
    addItems(lines);
    describeLines();
}

// A screen reader given the list reads its first line; the description holds
// them all, so the whole text can be heard at once.
void ListBox::describeLines()
{
    setAccessibleDescription(lines().join(u'\n'));
}

QStringList ListBox::lines() const
{
    QStringList result;
    for (int row = 0; row < count(); ++row)
        result << item(row)->text();
    return result;
}

int ListBox::rowHeight() const
{
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    return oneRowHeight(option, this);
}

// Only the user's choice counts: Qt also sets a current line by itself when
// the list gains focus, and that must not close the viewer. So clicks are
// counted from the user's own keys and mouse actions, never from changes of
// the current line as such.
void ListBox::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        keyboard::startUsing();
        Q_EMIT clicked();
        return;
    }
    const int before = currentRow();
    QListWidget::keyPressEvent(event);
    if (currentRow() != before && currentRow() >= 0)
        Q_EMIT clicked();
}

void ListBox::mousePressEvent(QMouseEvent* event)
{
    if (event->buttons() == event->button()) { // the first button down starts the action
        m_pressed = true;
        m_pressedOnLine = false;
        m_rowAtPress = currentRow();
    }
    if (event->button() == Qt::LeftButton && itemAt(event->position().toPoint()))
        m_pressedOnLine = true;
    QListWidget::mousePressEvent(event);
}

void ListBox::mouseReleaseEvent(QMouseEvent* event)
{
    QListWidget::mouseReleaseEvent(event);
    if (!m_pressed || event->buttons() != Qt::NoButton)
        return;
    m_pressed = false;
    // Dragging selects the line under the mouse as it goes; the line under the
    // release is the one chosen even if no move was seen on the way.
    if (QListWidgetItem* under = itemAt(event->position().toPoint()); under && under != currentItem())
        setCurrentItem(under);
    // A press and release on two lines is one choice, so one click, as is a
    // click on the line that is already chosen.
    if (m_pressedOnLine || currentRow() != m_rowAtPress)
        Q_EMIT clicked();
}

void ListBox::resizeEvent(QResizeEvent* event)
{
    QListWidget::resizeEvent(event);
    fitWholeRows();
}

void ListBox::changeEvent(QEvent* event)
{
    QListWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange)
        fitWholeRows();
}

// The layout gives the list its geometry and its font in either order, and a
// hidden list only hears of its size when it is shown, so the fit is made
// again on each. A height the list did not set itself is the new room.
void ListBox::fitWholeRows()
{
    if (m_fitting)
        return;
    if (height() != m_fitted)
        m_room = height();
    const int frame = 2 * frameWidth();
    const int row = rowHeight();
    const int rows = row > 0 ? (m_room - frame) / row : 0;
    m_fitted = rows > 0 ? frame + rows * row : m_room; // too low for one row: left as given
    if (m_fitted != height()) {
        const QScopedValueRollback guard(m_fitting, true);
        resize(width(), m_fitted);
    }
}

void ListBox::showEvent(QShowEvent* event)
{
    QListWidget::showEvent(event);
    if (!keyboard::inUse() || hasFocus())
        return;
    m_focusBefore = QApplication::focusWidget();
    setFocus(Qt::OtherFocusReason);
}

void ListBox::hideEvent(QHideEvent* event)
{
    const QPointer<QWidget> before = std::exchange(m_focusBefore, nullptr);
    const bool hadFocus = hasFocus();
    QListWidget::hideEvent(event);
    if (hadFocus && before && before->isVisible() && before->window() == window())
        before->setFocus(Qt::OtherFocusReason);
}
