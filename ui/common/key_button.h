#pragma once

#include <QPushButton>

namespace vintrel::ui {

// A calculator key: an orange face with a bevelled edge that sinks while
// pressed, drawn by hand so it looks the same under every widget style and
// needs no style-sheet machinery at start-up. A disabled key shows embossed
// grey text.
class KeyButton : public QPushButton {
    Q_OBJECT
public:
    KeyButton(const QString& caption, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace vintrel::ui
