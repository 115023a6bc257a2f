#include "ui/main_window/main_window.h"

#include "platform/floating_point.h"
#include "ui/aux_windows/about_window.h"
#include "ui/aux_windows/help_window.h"
#include "ui/aux_windows/splash_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include <utility>

namespace vintrel::ui {

AuxForms::AuxForms() = default;
AuxForms::~AuxForms() = default;

namespace {

const QColor orange(255, 128, 0);

constexpr std::pair<const char*, void (FrmVintrel::*)()> clickHandlers[] = {
    {"cmdDivide", &FrmVintrel::cmdDivide_Click},     {"cmdMultiply", &FrmVintrel::cmdMultiply_Click},
    {"cmdSubtract", &FrmVintrel::cmdSubtract_Click}, {"cmdAdd", &FrmVintrel::cmdAdd_Click},
    {"CmdSqrt", &FrmVintrel::CmdSqrt_Click},         {"CmdPercent", &FrmVintrel::CmdPercent_Click},
    {"CmdEquals", &FrmVintrel::CmdEquals_Click},     {"CmdDot", &FrmVintrel::CmdDot_Click},
    {"CmdCancel", &FrmVintrel::CmdCancel_Click},     {"CmdOne", &FrmVintrel::CmdOne_Click},
    {"CmdZero", &FrmVintrel::CmdZero_Click},         {"CmdNine", &FrmVintrel::CmdNine_Click},
    {"CmdEight", &FrmVintrel::CmdEight_Click},       {"CmdSeven", &FrmVintrel::CmdSeven_Click},
    {"CmdSix", &FrmVintrel::CmdSix_Click},           {"CmdFive", &FrmVintrel::CmdFive_Click},
    {"CmdFour", &FrmVintrel::CmdFour_Click},         {"CmdThree", &FrmVintrel::CmdThree_Click},
    {"CmdTwo", &FrmVintrel::CmdTwo_Click},           {"CmdSqr", &FrmVintrel::CmdSqr_Click},
    {"CmdPy", &FrmVintrel::CmdPy_Click},             {"cmdexp1", &FrmVintrel::cmdexp1_Click},
    {"CmdMem", &FrmVintrel::CmdMem_Click},           {"cmdMrc", &FrmVintrel::cmdMrc_Click},
    {"CmdMemC", &FrmVintrel::CmdMemC_Click},
};


}  // namespace

FrmVintrel::FrmVintrel(AuxForms& forms) : forms_(forms)
{
    setWindowTitle(QStringLiteral("Vintrel(Halloween)"));
    setObjectName(QStringLiteral("FrmVintrel"));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* menuBar = new QMenuBar(this);
    buildMenu(menuBar);
    layout->setMenuBar(menuBar);
    client_ = new QWidget(this);
    client_->setObjectName(QStringLiteral("clientArea"));
    client_->setMinimumSize(twipsToPixels(3750), twipsToPixels(2970));
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
    auto* lblInfo = controls_[QStringLiteral("LblInfo")];
    setOpaqueBackground(lblInfo, palette().color(QPalette::Window));
    setTextColor(controls_[QStringLiteral("lblREM")], orange);
    bindControls();
    setAccessibleName(QStringLiteral("Vintrel calculator"));
    for (const auto& [name, spokenName] : mainWindowSpokenNames())
        controls_[QString::fromLatin1(name)]->setAccessibleName(QString::fromUtf8(spokenName));

    resize(twipsToPixels(3750), twipsToPixels(2970) + menuBar->sizeHint().height());
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
    for (const auto& [name, handler] : clickHandlers) {
        auto* button = controls_.get<QPushButton>(QString::fromLatin1(name));
        connect(button, &QPushButton::clicked, this, handler);
    }
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
    calculator_.Form_Load();
    refresh();
}

void FrmVintrel::press(engine::KeyHandler key)
{
    if (const engine::KeyOutcome fault = (calculator_.*key)()) {
        QMessageBox box(QMessageBox::Critical, windowTitle(),
                        QString::fromUtf8(platform::faultText(*fault)), QMessageBox::Ok, this);
        box.setObjectName(QStringLiteral("faultMessage"));
        box.exec();
    }
    refresh();
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

void FrmVintrel::showSplash() { forms_.splash.Show(); }
void FrmVintrel::hideSplash() { forms_.splash.Hide(); }

void FrmVintrel::cmdexp1_Click() { forms_.help.Show(); }
void FrmVintrel::MnuAbout_Click() { forms_.about.Show(); }
void FrmVintrel::MnuExit_Click() { platform::End(); }

void FrmVintrel::closeEvent(QCloseEvent* event)
{
    event->accept();
    platform::End();
}

}  // namespace vintrel::ui
