#pragma once

// Window states for the program's forms. Each form exists at most once: the
// first request addressed to it creates it and runs its load routine; it then
// stays loaded, shown or hidden, until it is unloaded or the program ends.

#include <QPointer>
#include <QWidget>

#include <functional>

class QCloseEvent;

namespace vintrel::ui {

class Form : public QWidget {
    Q_OBJECT
public:
    explicit Form(QWidget* parent = nullptr, Qt::WindowFlags flags = Qt::Window);

    // The form's load routine; runs once each time the form is loaded.
    virtual void Form_Load() {}

    // Discards the form and its controls. Safe to call from the form's own
    // event handlers: the object goes away once the event has been handled.
    void Unload();
    bool isUnloading() const { return unloading_; }

signals:
    void unloaded();

protected:
    // Closing a form through its frame unloads it.
    void closeEvent(QCloseEvent* event) override;

private:
    bool unloading_ = false;
};

template <typename W>
class FormSlot {
public:
    using Factory = std::function<W*()>;
    explicit FormSlot(Factory factory = [] { return new W; }) : factory_(std::move(factory)) {}
    ~FormSlot() { delete form_.data(); }
    FormSlot(const FormSlot&) = delete;
    FormSlot& operator=(const FormSlot&) = delete;

    // The loaded form, loading it first if need be.
    W& get()
    {
        if (!isLoaded()) {
            W* form = factory_();
            form_ = form;
            QObject::connect(form, &Form::unloaded, [this, form] {
                if (form_ == form)
                    form_ = nullptr;
            });
            form->Form_Load();
        }
        return *form_;
    }

    bool isLoaded() const { return form_ && !form_->isUnloading(); }
    W* loadedForm() const { return isLoaded() ? form_.data() : nullptr; }

    // Shows without blocking; a shown form comes to the front. A form that
    // is meant to leave the active window active is not activated.
    void Show()
    {
        W& form = get();
        form.show();
        form.raise();
        if (!form.testAttribute(Qt::WA_ShowWithoutActivating))
            form.activateWindow();
    }
    void Hide() { get().hide(); }
    void Unload()
    {
        if (isLoaded())
            form_->Unload();
    }

private:
    Factory factory_;
    QPointer<W> form_;
};

// Ends the program: every loaded form is discarded, no further event runs.
void End();

}  // namespace vintrel::ui
