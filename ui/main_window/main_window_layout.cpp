#include "ui/main_window/main_window.h"

#include <algorithm>
#include <vector>

namespace vintrel::ui {

namespace {

// Layers: the picture at the bottom, then the labels, then fields and keys.
constexpr int picture = 0, label = 1, control = 2;

constexpr ControlSpec spoken(ControlSpec row, const char* spokenName)
{
    row.spoken = spokenName;
    return row;
}

// The window's own controls; the calculator keys come from the key table.
constexpr ControlSpec table[] = {
    spoken({"Image2", Kind::Picture, ":/images/background.vpix", -240, 0, 4185, 3135, {}, -1, picture},
           "A witch on a broomstick before the moon"),
    spoken({"TxtDisplay", Kind::Entry, "", 120, 0, 3495, 375, {}, 0, control}, "Entry"),
    filled({"LblInfo", Kind::Label, "Freeware Calculator.", 1080, 0, 1575, 255, {}, 22, label}, Fill::Window),
    spoken({"txtdisplay2", Kind::Entry, "", 120, 0, 3495, 375, {}, 23, control}, "Second entry"),
    {"lblREM", Kind::Label, "NOTE: Press Equals  after every sum.", 240, 360, 3255, 255,
     {"Comic Sans MS", 8.25, true}, 24, label},
    spoken({"cmdexp1", Kind::Key, "?", 3480, 360, 255, 255, {"Comic Sans MS", 8.25, false}, 25, control}, "Help"),
};

// The design drew every key in Comic Sans MS: operators 12 pt regular,
// functions 8.25 pt bold, digits 11.25 pt bold. Its stand-in draws symbols
// only a third of an em wide in thin strokes, so "+" came out a 4-pixel
// speck and "%" a smudge. Operators and functions therefore take the
// bundled sans, whose symbols are half an em wide as the design's were, in
// bold so that their strokes are as dark as the digits'. The stand-in's
// figures are as large as the design's, so the digits keep it.
FontSpec keyFont(engine::KeyFace face)
{
    switch (face) {
    case engine::KeyFace::Operator: return {"Liberation Sans", 12, true};
    case engine::KeyFace::Function: return {"Liberation Sans", 8.25, true};
    case engine::KeyFace::Digit: return {"Comic Sans MS", 11.25, true};
    }
    return {};
}

std::vector<ControlSpec> withKeys()
{
    std::vector<ControlSpec> rows(std::begin(table), std::end(table));
    for (const engine::Key& key : engine::keyTable) {
        const engine::KeyPlace& at = key.place;
        rows.push_back(spoken({key.objectName, Kind::Key, key.caption, at.left, at.top, at.width, at.height,
                               keyFont(at.face), at.tab, control},
                              key.spokenName));
    }
    // Built in keyboard order, which also decides the stacking within a
    // layer where two controls touch.
    std::stable_sort(rows.begin(), rows.end(), [](const ControlSpec& a, const ControlSpec& b) { return a.tab < b.tab; });
    return rows;
}

}  // namespace

std::span<const ControlSpec> mainWindowLayout()
{
    static const std::vector<ControlSpec> rows = withKeys();
    return rows;
}

}  // namespace vintrel::ui
