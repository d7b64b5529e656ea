#include "ListBox.h"

#include <QKeyEvent>

ListBox::ListBox(QWidget* parent) : QListWidget(parent)
{
    setSortingEnabled(false);
    setWordWrap(false);
    setTextElideMode(Qt::ElideNone);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setUniformItemSizes(true); // long descriptions stay quick to lay out
    setFrameShape(QFrame::Box);
    // Only the user's choice counts: Qt also sets a current line by itself when
    // the list gains focus, and that must not close the viewer.
    connect(this, &QListWidget::itemClicked, this, &ListBox::clicked);
}

void ListBox::clearLines()
{
    const QSignalBlocker quiet(this); // emptying the list is not a click
    clear();
}

void ListBox::addLines(const QStringList& lines)
{
    addItems(lines);
}

void ListBox::keyPressEvent(QKeyEvent* event)
{
    const int before = currentRow();
    QListWidget::keyPressEvent(event);
    if (currentRow() != before && currentRow() >= 0)
        Q_EMIT clicked();
}

QStringList ListBox::lines() const
{
    QStringList result;
    for (int row = 0; row < count(); ++row)
        result << item(row)->text();
    return result;
}
