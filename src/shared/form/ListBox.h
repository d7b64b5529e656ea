#pragma once

#include <QListWidget>

// The description list: unsorted, no wrapping, long lines cut at the right
// edge, a vertical scroll bar when needed. Choosing a line, by mouse or by
// keyboard, counts as a click; scrolling does not.
class ListBox final : public QListWidget
{
    Q_OBJECT
public:
    explicit ListBox(QWidget* parent);

    void clearLines();
    void addLines(const QStringList& lines); // in order, after the last line
    QStringList lines() const;

Q_SIGNALS:
    void clicked();

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
