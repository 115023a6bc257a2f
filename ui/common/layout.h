#pragma once

// Windows are described by tables: one row a control, with its name, kind,
// caption, rectangle in twips (15 to a pixel at 96 dpi) and font. The table
// is read once when the window is built; the builder creates the widgets,
// names them, places them, chains the tab order and stacks them.

#include <QColor>
#include <QFont>
#include <QHash>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <initializer_list>
#include <span>

namespace vintrel::ui {

enum class Kind {
    Entry,             // single-line editable field
    Key,               // orange calculator key
    Button,            // ordinary push button
    Label,             // text, wrapped at word boundaries within its width
    AutoSizeLabel,     // text sized to its content, anchored by its alignment
    Picture,           // picture stretched to the rectangle
    ClippedPicture,    // picture at natural size from the top-left, clipped
    Frame,             // plain frame that other controls sit in
    Line,              // solid rule; the rectangle is its extent
};

// What a control paints behind its content. A label without a fill lets
// the window, or a picture beneath it, show through.
enum class Fill : std::uint8_t { None, Window, White, Grey };

struct FontSpec {
    const char* family = nullptr;  // nullptr: the window's default font
    double points = 0;
    bool bold = false;
    bool italic = false;
};

struct ControlSpec {
    const char* name;
    Kind kind;
    const char* text;  // caption, or the picture's resource path
    int left, top, width, height;  // twips
    FontSpec font = {};
    int tab = -1;          // keyboard order; -1: none
    int layer = 0;         // drawing order within the parent, higher on top
    const char* parent = nullptr;  // a Frame row; positions are then relative to it
    Qt::Alignment align = Qt::AlignLeft | Qt::AlignTop;
    const char* spoken = nullptr;  // what a screen reader says, when the caption does not tell
    Fill fill = Fill::None;
};

constexpr ControlSpec filled(ControlSpec row, Fill fill)
{
    row.fill = fill;
    return row;
}

int twipsToPixels(int twips);
QRect twipsRect(const ControlSpec& row);

// Maps the design's font names onto the freely licensed fonts that ship
// in the program's resources, so the windows look alike on every machine.
QFont designFont(const FontSpec& row);
bool loadBundledFonts();
bool loadBundledFonts(std::initializer_list<const char*> files);
QFont defaultDialogFont();

class Controls {
public:
    QWidget* operator[](const QString& name) const { return widgets_.value(name); }
    template <typename T>
    T* get(const QString& name) const
    {
        return qobject_cast<T*>(widgets_.value(name));
    }

private:
    friend Controls buildControls(QWidget*, std::span<const ControlSpec>);
    QHash<QString, QWidget*> widgets_;
};

Controls buildControls(QWidget* client, std::span<const ControlSpec> table);

// Sizes a label to its text; the edge its alignment names stays in place.
void fitToText(QWidget* label, Qt::Alignment align);

// Gives a widget a solid background of its own (labels are transparent
// unless they say otherwise).
void setOpaqueBackground(QWidget* widget, const QColor& color);
void setTextColor(QWidget* widget, const QColor& color);

}  // namespace vintrel::ui
