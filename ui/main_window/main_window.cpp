#include "ui/main_window/main_window.h"

#include "platform/floating_point.h"
#include "ui/aux_windows/about_window.h"
#include "ui/aux_windows/help_window.h"
#include "ui/aux_windows/splash_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace vintrel::ui {

// Here rather than in the header: the slots delete their forms, whose
// classes the header only names.
AuxForms::AuxForms() : splash([this] { return new frmSplash(owner); }) {}
AuxForms::~AuxForms() = default;

namespace {

const QColor orange(255, 128, 0);

// The client area as the window is designed, in twips; the window opens
// at this size and cannot be made smaller.
constexpr int clientWidth = 3750, clientHeight = 2970;

}  // namespace

FrmVintrel::FrmVintrel(AuxForms& forms) : forms_(forms)
{
    setWindowTitle(QStringLiteral("Vintrel(Halloween)"));
    setObjectName(QStringLiteral("FrmVintrel"));
    forms_.owner = this;

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* menuBar = new QMenuBar(this);
    buildMenu(menuBar);
    layout->setMenuBar(menuBar);
    client_ = new QWidget(this);
    client_->setObjectName(QStringLiteral("clientArea"));
    client_->setMinimumSize(twipsToPixels(clientWidth), twipsToPixels(clientHeight));
    layout->addWidget(client_);
    // The controls keep their places when the window grows; what lies
    // beyond the picture is plain window background.

    controls_ = buildControls(client_, mainWindowLayout());
    txtDisplay_ = controls_.get<QLineEdit>(QStringLiteral("TxtDisplay"));
    txtdisplay2_ = controls_.get<QLineEdit>(QStringLiteral("txtdisplay2"));
    for (QLineEdit* field : {txtDisplay_, txtdisplay2_}) {
        QPalette palette = field->palette();
        palette.setColor(QPalette::Base, orange);
        palette.setColor(QPalette::Text, Qt::black);
        field->setPalette(palette);
    }
    setTextColor(controls_[QStringLiteral("lblREM")], orange);
    bindControls();
    setAccessibleName(QStringLiteral("Vintrel calculator"));

    resize(twipsToPixels(clientWidth), twipsToPixels(clientHeight) + menuBar->sizeHint().height());
    txtDisplay_->setFocus();
}

void FrmVintrel::buildMenu(QMenuBar* menuBar)
{
    QMenu* file = menuBar->addMenu(QStringLiteral("File"));
    file->setObjectName(QStringLiteral("mnuFile"));
    QAction* exit = file->addAction(QStringLiteral("Exit"));
    exit->setObjectName(QStringLiteral("MnuExit"));
    connect(exit, &QAction::triggered, this, &FrmVintrel::MnuExit_Click);
    QAction* about = file->addAction(QStringLiteral("About"));
    about->setObjectName(QStringLiteral("MnuAbout"));
    connect(about, &QAction::triggered, this, &FrmVintrel::MnuAbout_Click);
}

void FrmVintrel::bindControls()
{
    for (const engine::Key& key : engine::keyTable)
        connect(controls_.get<QPushButton>(QString::fromLatin1(key.objectName)), &QPushButton::clicked, this,
                [this, &key] { press(key); });
    connect(controls_.get<QPushButton>(QStringLiteral("cmdexp1")), &QPushButton::clicked, this,
            &FrmVintrel::cmdexp1_Click);
    // What the user types reaches the engine as the field's new text.
    connect(txtDisplay_, &QLineEdit::textEdited, this, [this](const QString& text) {
        calculator_.editField(engine::Field::First, text.toStdString());
    });
    connect(txtdisplay2_, &QLineEdit::textEdited, this, [this](const QString& text) {
        calculator_.editField(engine::Field::Second, text.toStdString());
    });
}

void FrmVintrel::Form_Load()
{
    // At start this window is not on screen yet, and a splash window mapped
    // before its owner is not kept in front of it: whoever shows this
    // window shows the splash after it (Program::start).
    if (isVisible())
        forms_.splash.Show();
    else
        forms_.splash.get();
    calculator_.showFirstField();
    refresh();
}

void FrmVintrel::press(const engine::Key& key)
{
    // "C" loads the splash window and leaves it hidden. Shown and hidden
    // in one step it would still be mapped, and some window managers leave
    // a black window behind for it, so it is never shown here.
    if (key.loadsSplash)
        forms_.splash.get();
    const engine::KeyOutcome fault = (calculator_.*key.operation)();
    if (key.loadsSplash)
        forms_.splash.Hide();
    if (fault)
        showFault(*fault);
    refresh();
}

int faultBoxMinimumWidth(const QString& title)
{
    // Room for the whole title as a window manager draws it: a bold face
    // larger than the program's own, beside an icon and three buttons.
    QFont titleFont = defaultDialogFont();
    titleFont.setPointSizeF(11);
    titleFont.setBold(true);
    return QFontMetrics(titleFont).horizontalAdvance(title) + 4 * 32 + 2 * 24;
}

// A fault is a typing slip, not a disaster: a warning, not a critical error.
void FrmVintrel::showFault(platform::FpFault fault)
{
    QMessageBox box(QMessageBox::Warning, windowTitle(), QString::fromUtf8(platform::faultText(fault)),
                    QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("faultMessage"));
    // The box sizes itself to its short text; a spacer across its grid is
    // what widens it.
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(faultBoxMinimumWidth(windowTitle()), 0, QSizePolicy::Minimum,
                                      QSizePolicy::Minimum),
                      grid->rowCount(), 0, 1, grid->columnCount());
    box.exec();
}

void FrmVintrel::refresh()
{
    const engine::CalculatorState& s = calculator_.state();
    // Only rewrite a field whose text changed, so the caret stays put.
    auto show = [](QLineEdit* field, const std::string& text, bool visible) {
        const QString q = QString::fromStdString(text);
        if (field->text() != q)
            field->setText(q);
        field->setVisible(visible);
    };
    show(txtDisplay_, s.txtDisplayText, s.txtDisplayVisible);
    show(txtdisplay2_, s.txtdisplay2Text, s.txtdisplay2Visible);
    controls_[QStringLiteral("CmdEquals")]->setEnabled(s.cmdEqualsEnabled);
}

void FrmVintrel::cmdexp1_Click() { forms_.help.Show(); }
void FrmVintrel::MnuAbout_Click() { forms_.about.Show(); }
void FrmVintrel::MnuExit_Click() { End(); }

void FrmVintrel::closeEvent(QCloseEvent* event)
{
    event->accept();
    End();
}

}  // namespace vintrel::ui
