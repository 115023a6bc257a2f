#include "ui/common/layout.h"

#include "engine/keys.h"

#include "ui/common/key_button.h"
#include "ui/common/picture.h"

#include <QApplication>
#include <QFontDatabase>
#include <QResource>
#include <QSet>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>

#include <algorithm>
#include <climits>
#include <vector>

namespace vintrel::ui {

int twipsToPixels(int twips) { return engine::twipsToPixels(twips); }

QRect twipsRect(const ControlSpec& row)
{
    return {twipsToPixels(row.left), twipsToPixels(row.top), twipsToPixels(row.width),
            twipsToPixels(row.height)};
}

namespace {

QString substituteFamily(const char* family)
{
    const QString name = QString::fromLatin1(family);
    // A row may name a bundled face itself where the design face's
    // stand-in does not draw well enough.
    for (const char* bundled : {"Comic Neue", "Liberation Sans", "Liberation Sans Narrow"})
        if (name == QLatin1String(bundled))
            return name;
    if (name == QLatin1String("Comic Sans MS"))
        return QStringLiteral("Comic Neue");
    // The old stroke face is narrow; a condensed sans keeps the About
    // window's greeting on its one line.
    if (name == QLatin1String("Modern"))
        return QStringLiteral("Liberation Sans Narrow");
    // Liberation Sans shares Arial's metrics; the old bitmap face has no
    // free twin, and a plain sans keeps its spirit.
    return QStringLiteral("Liberation Sans");
}

}  // namespace

QFont defaultDialogFont()
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSizeF(8.25);
    return font;
}

QFont designFont(const FontSpec& row)
{
    if (!row.family)
        return defaultDialogFont();
    QFont font(substituteFamily(row.family));
    font.setPointSizeF(row.points);
    font.setBold(row.bold);
    font.setItalic(row.italic);
    return font;
}

bool loadBundledFonts()
{
    // The faces the first two windows use; the others wait for their window.
    return loadBundledFonts({"ComicNeue-Regular.otf", "ComicNeue-Bold.otf",
                             "LiberationSans-Regular.ttf", "LiberationSans-Bold.ttf"});
}

bool loadBundledFonts(std::initializer_list<const char*> files)
{
    static QSet<QString> loaded;
    bool ok = true;
    for (const char* file : files) {
        const QString path = QStringLiteral(":/fonts/") + QString::fromLatin1(file);
        if (loaded.contains(path))
            continue;
        // Read in place from the executable rather than copied.
        const QResource resource(path);
        const QByteArray data = resource.compressionAlgorithm() == QResource::NoCompression
                                    ? QByteArray::fromRawData(reinterpret_cast<const char*>(resource.data()),
                                                              static_cast<qsizetype>(resource.size()))
                                    : resource.uncompressedData();
        if (data.isEmpty() || QFontDatabase::addApplicationFontFromData(data) < 0)
            ok = false;
        else
            loaded.insert(path);
    }
    return ok;
}

void fitToText(QWidget* label, Qt::Alignment align)
{
    const QRect old = label->geometry();
    const QSize size = label->sizeHint();
    const int left = (align & Qt::AlignRight) ? old.right() + 1 - size.width() : old.left();
    label->setGeometry(left, old.top(), size.width(), size.height());
}

void setOpaqueBackground(QWidget* widget, const QColor& color)
{
    QPalette palette = widget->palette();
    palette.setColor(widget->backgroundRole(), color);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void setTextColor(QWidget* widget, const QColor& color)
{
    QPalette palette = widget->palette();
    palette.setColor(widget->foregroundRole(), color);
    palette.setColor(QPalette::Text, color);
    widget->setPalette(palette);
}

namespace {

QWidget* createControl(const ControlSpec& row, QWidget* parent)
{
    const QString text = QString::fromUtf8(row.text ? row.text : "");
    switch (row.kind) {
    case Kind::Entry: {
        auto* entry = new QLineEdit(parent);
        // A field holds whatever the keys build; the toolkit's default
        // limit would silently cut long texts.
        entry->setMaxLength(INT_MAX);
        return entry;
    }
    case Kind::Key: {
        auto* key = new KeyButton(text, parent);
        key->setAutoDefault(false);
        return key;
    }
    case Kind::Button: {
        auto* button = new QPushButton(text, parent);
        button->setAutoDefault(false);
        return button;
    }
    case Kind::Label:
    case Kind::AutoSizeLabel: {
        auto* label = new QLabel(text, parent);
        label->setAlignment(row.align);
        label->setWordWrap(row.kind == Kind::Label);
        label->setTextFormat(Qt::PlainText);
        // Clicks on a label belong to the label, not to what lies beneath.
        label->setAttribute(Qt::WA_NoMousePropagation);
        return label;
    }
    case Kind::Picture:
    case Kind::ClippedPicture: {
        auto* picture = new QLabel(parent);
        picture->setPixmap(loadPicture(text, qApp->devicePixelRatio()));
        picture->setScaledContents(row.kind == Kind::Picture);
        picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        picture->setAttribute(Qt::WA_NoMousePropagation);
        return picture;
    }
    case Kind::Frame: {
        auto* frame = new QFrame(parent);
        frame->setFrameStyle(QFrame::Box | QFrame::Sunken);
        return frame;
    }
    case Kind::Line: {
        auto* line = new QWidget(parent);
        line->setAttribute(Qt::WA_NoMousePropagation);
        return line;
    }
    }
    return new QWidget(parent);
}

void place(QWidget* widget, const ControlSpec& row)
{
    widget->setGeometry(twipsRect(row));
    if (row.kind == Kind::AutoSizeLabel)
        fitToText(widget, row.align);
}

}  // namespace

Controls buildControls(QWidget* client, std::span<const ControlSpec> table)
{
    Controls controls;
    for (const ControlSpec& row : table) {
        QWidget* parent = row.parent ? controls[QString::fromLatin1(row.parent)] : client;
        Q_ASSERT(parent);
        QWidget* widget = createControl(row, parent);
        widget->setObjectName(QString::fromLatin1(row.name));
        widget->setFont(designFont(row.font));
        if (row.spoken)
            widget->setAccessibleName(QString::fromUtf8(row.spoken));
        if (row.tab < 0 && row.kind != Kind::Entry)
            widget->setFocusPolicy(Qt::NoFocus);
        place(widget, row);
        switch (row.fill) {
        case Fill::None: break;
        case Fill::Window: setOpaqueBackground(widget, client->palette().color(QPalette::Window)); break;
        case Fill::White: setOpaqueBackground(widget, Qt::white); break;
        case Fill::Grey: setOpaqueBackground(widget, QColor(128, 128, 128)); break;
        }
        controls.widgets_.insert(widget->objectName(), widget);
    }

    std::vector<const ControlSpec*> byLayer;
    std::vector<const ControlSpec*> byTab;
    for (const ControlSpec& row : table) {
        byLayer.push_back(&row);
        if (row.tab >= 0)
            byTab.push_back(&row);
    }
    std::stable_sort(byLayer.begin(), byLayer.end(),
                     [](auto* a, auto* b) { return a->layer < b->layer; });
    for (const ControlSpec* row : byLayer)
        controls[QString::fromLatin1(row->name)]->raise();

    std::stable_sort(byTab.begin(), byTab.end(), [](auto* a, auto* b) { return a->tab < b->tab; });
    QWidget* previous = nullptr;
    for (const ControlSpec* row : byTab) {
        QWidget* widget = controls[QString::fromLatin1(row->name)];
        if (widget->focusPolicy() == Qt::NoFocus)
            continue;
        if (previous)
            QWidget::setTabOrder(previous, widget);
        previous = widget;
    }
    return controls;
}

}  // namespace vintrel::ui
