#include "ui/main_window/main_window.h"

namespace vintrel::ui {

namespace {

constexpr FontSpec keyRegular{"Comic Sans MS", 12, false};
constexpr FontSpec keyBold{"Comic Sans MS", 8.25, true};
constexpr FontSpec digit{"Comic Sans MS", 11.25, true};

// Layers: the picture at the bottom, then the labels, then fields and keys.
constexpr int picture = 0, label = 1, control = 2;

constexpr ControlSpec table[] = {
    {"Image2", Kind::Picture, ":/images/background.vpix", -240, 0, 4185, 3135, {}, -1, picture},
    {"TxtDisplay", Kind::Entry, "", 120, 0, 3495, 375, {}, 0, control},
    {"cmdDivide", Kind::Key, "/", 3000, 1560, 495, 405, keyRegular, 1, control},
    {"cmdMultiply", Kind::Key, "*", 2400, 1560, 495, 405, keyRegular, 2, control},
    {"cmdSubtract", Kind::Key, "-", 2400, 1080, 495, 405, keyRegular, 3, control},
    {"cmdAdd", Kind::Key, "+", 3000, 1080, 495, 405, keyRegular, 4, control},
    {"CmdSqrt", Kind::Key, "Sqrt", 2400, 600, 495, 375, keyBold, 5, control},
    {"CmdPercent", Kind::Key, "%", 3000, 600, 495, 375, keyBold, 6, control},
    {"CmdEquals", Kind::Key, "=", 3000, 2040, 495, 375, keyRegular, 7, control},
    {"CmdDot", Kind::Key, ".", 2400, 2040, 495, 375, keyRegular, 8, control},
    {"CmdCancel", Kind::Key, "C", 2400, 2520, 1095, 375, keyBold, 9, control},
    {"CmdOne", Kind::Key, "1", 120, 1080, 495, 375, digit, 10, control},
    {"CmdZero", Kind::Key, "0", 840, 2520, 495, 375, digit, 11, control},
    {"CmdNine", Kind::Key, "9", 1560, 2040, 495, 375, digit, 12, control},
    {"CmdEight", Kind::Key, "8", 840, 2040, 495, 375, digit, 13, control},
    {"CmdSeven", Kind::Key, "7", 120, 2040, 495, 375, digit, 14, control},
    {"CmdSix", Kind::Key, "6", 1560, 1560, 495, 375, digit, 15, control},
    {"CmdFive", Kind::Key, "5", 840, 1560, 495, 375, digit, 16, control},
    {"CmdFour", Kind::Key, "4", 120, 1560, 495, 375, digit, 17, control},
    {"CmdThree", Kind::Key, "3", 1560, 1080, 495, 375, digit, 18, control},
    {"CmdTwo", Kind::Key, "2", 840, 1080, 495, 375, digit, 19, control},
    {"CmdSqr", Kind::Key, "^", 1560, 2520, 495, 375, digit, 20, control},
    {"CmdPy", Kind::Key, "TT", 120, 2520, 495, 375, digit, 21, control},
    {"LblInfo", Kind::Label, "Freeware Calculator.", 1080, 0, 1575, 255, {}, 22, label},
    {"txtdisplay2", Kind::Entry, "", 120, 0, 3495, 375, {}, 23, control},
    {"lblREM", Kind::Label, "NOTE: Press Equals  after every sum.", 240, 360, 3255, 255,
     {"Comic Sans MS", 8.25, true}, 24, label},
    {"cmdexp1", Kind::Key, "?", 3480, 360, 255, 255, {"Comic Sans MS", 8.25, false}, 25, control},
    {"CmdMem", Kind::Key, "M+", 120, 600, 495, 375, keyBold, 26, control},
    {"cmdMrc", Kind::Key, "MRC", 840, 600, 495, 375, keyBold, 27, control},
    {"CmdMemC", Kind::Key, "MC", 1560, 600, 495, 375, keyBold, 28, control},
};

// What a screen reader says for each control; the captions alone ("TT",
// "^", "MRC") do not tell a listener what the key does.
constexpr std::pair<const char*, const char*> spoken[] = {
    {"TxtDisplay", "Entry"},          {"txtdisplay2", "Second entry"},
    {"cmdDivide", "Divide"},          {"cmdMultiply", "Multiply"},
    {"cmdSubtract", "Subtract"},      {"cmdAdd", "Add"},
    {"CmdSqrt", "Square root"},       {"CmdPercent", "Percent"},
    {"CmdEquals", "Equals"},          {"CmdDot", "Decimal point"},
    {"CmdCancel", "Clear"},           {"CmdZero", "0"},
    {"CmdOne", "1"},                  {"CmdTwo", "2"},
    {"CmdThree", "3"},                {"CmdFour", "4"},
    {"CmdFive", "5"},                 {"CmdSix", "6"},
    {"CmdSeven", "7"},                {"CmdEight", "8"},
    {"CmdNine", "9"},                 {"CmdSqr", "Square"},
    {"CmdPy", "Pi"},                  {"cmdexp1", "Help"},
    {"CmdMem", "Memory add"},         {"cmdMrc", "Memory recall"},
    {"CmdMemC", "Memory clear"},      {"Image2", "A witch on a broomstick before the moon"},
};

}  // namespace

std::span<const ControlSpec> mainWindowLayout() { return table; }
std::span<const std::pair<const char*, const char*>> mainWindowSpokenNames() { return spoken; }

}  // namespace vintrel::ui
