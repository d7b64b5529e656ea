#pragma once

#include "Twips.h"

#include <QColor>
#include <QString>

// One row of a screen's layout table. Tables list controls front to back, as
// the screen's design does; Form builds the widgets from them.
enum class ControlKind { Label, PictureBox, ListBox, Button, Timer, MediaPlayer };

enum class Align { Left, Centre };

struct FontSpec
{
    QString family;
    float points = 0;
    bool bold = false;
};

struct ControlSpec
{
    ControlKind kind = ControlKind::Label;
    QString name;
    int index = -1; // element of a control array, -1 for a single control
    QString caption;
    TwipsRect rect;
    FontSpec font;
    QColor back;
    QColor fore;
    Align align = Align::Left;
    bool border = false;
    bool visible = true;
    QString picture; // a picture stored with the screen (a resource path)
};

// The window itself.
struct WindowSpec
{
    QString title;
    float clientWidth = 0;  // twips
    float clientHeight = 0; // twips
    QString background;     // resource path, drawn unscaled from the top-left corner
};

// Rows for the layout tables.
inline ControlSpec controlRow(ControlKind kind, const QString& name, TwipsRect rect = {}, bool visible = true)
{
    ControlSpec row;
    row.kind = kind;
    row.name = name;
    row.rect = rect;
    row.visible = visible;
    return row;
}

inline ControlSpec labelRow(const QString& name, const QString& caption, TwipsRect rect, const FontSpec& font,
                            const QColor& back, const QColor& fore, Align align, bool border,
                            bool visible = true)
{
    ControlSpec row = controlRow(ControlKind::Label, name, rect, visible);
    row.caption = caption;
    row.font = font;
    row.back = back;
    row.fore = fore;
    row.align = align;
    row.border = border;
    return row;
}
