#include "ui/common/forms.h"

#include <QApplication>
#include <QCloseEvent>

namespace vintrel::ui {

Form::Form(QWidget* parent, Qt::WindowFlags flags) : QWidget(parent, flags) {}

void Form::Unload()
{
    if (unloading_)
        return;
    unloading_ = true;
    hide();
    emit unloaded();
    deleteLater();
}

void Form::closeEvent(QCloseEvent* event)
{
    event->accept();
    Unload();
}

void End()
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* form = qobject_cast<Form*>(widget))
            form->Unload();
    QCoreApplication::exit(0);
}

}  // namespace vintrel::ui
