#include "ListBox.h"

ListBox::ListBox(QWidget* parent) : QListWidget(parent)
{
    setSortingEnabled(false);
    setWordWrap(false);
    setTextElideMode(Qt::ElideNone);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setUniformItemSizes(true); // long descriptions stay quick to lay out
    setFrameShape(QFrame::Box);
    connect(this, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0)
            Q_EMIT clicked();
    });
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

QStringList ListBox::lines() const
{
    QStringList result;
    for (int row = 0; row < count(); ++row)
        result << item(row)->text();
    return result;
}
