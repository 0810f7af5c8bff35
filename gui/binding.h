// The generic binding between a window model and real widgets: every control of a Form gets a
// widget that follows the model (a change in the model repaints it) and that passes the
// user's clicks, selections and typing back to the model's handlers and setters. The form's
// window itself is shown, hidden and placed by a WindowPlacing of its own.
#pragma once
#include <QEvent>
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <map>
#include <set>

#include "ui/controls.h"
#include "windowplacing.h"

class QAction;
class QComboBox;
class QTimer;

namespace brasket {
struct App;
}

namespace brasket::gui {

// Runs a step of a handler; a fault that escapes it is shown in a message box instead of
// ending the program with the analyst's work.
void guarded(QWidget* parent, const std::function<void()>& step);
// Where such a fault is told: a message box unless replaced (the tests record it).
std::function<void(QWidget* parent, const QString& text)>& faultreporter();

// Paints the recorded drawing of a picture box, scaled from its ScaleWidth and ScaleHeight.
class PictureView : public QWidget {
public:
    PictureView(PictureBox& picture, QWidget* parent);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent*) override;

private:
    PictureBox& picture_;
};

class FormBinding : public QObject, public Observer {
    Q_OBJECT
public:
    // Widgets are made on `surface`; `window` is the top-level widget that shows the form.
    // With `placetwips` each widget sits at the control's twip position and size; otherwise
    // the view lays the widgets out itself.
    FormBinding(App& app, Form& form, QWidget* window, QWidget* surface, bool placetwips);
    ~FormBinding() override;

    Form& form() const { return form_; }
    QWidget* window() const { return window_; }
    QWidget* widget(const Control& c) const;
    // Makes a menu action follow a menu item of the model; a trigger runs `run`.
    void bindaction(MenuItem& item, QAction* action, const QString& defaultcaption, std::function<void()> run);

    // Called after every change of the form itself (the view repaints what it draws).
    std::function<void()> onformchanged;
    // Called after a control's widget was moved or sized to the model: a view that places a
    // control itself (the model's position stays as it is) moves the widget here.
    std::function<void(Control&, QWidget*)> onplaced;
    // Called for the widget of a control that joined the form after the binding was made.
    std::function<void(Control&, QWidget*)> onlatecontrol;
    // What closing the window does; by default the form is unloaded and hidden.
    std::function<void()> onclose;

    void changed(Control& c) override;
    // True from a showing of the window until the window system has placed it where the form
    // asks and gone quiet: the sizes and places it reports meanwhile are its own steps (a window
    // manager framing the window), not the user's, and do not change the form.
    bool placing() const { return placement_->placing(); }
    // Brings every widget up to the model now (lists are otherwise brought up to date when
    // the event loop next runs, so that filling a long list stays quick).
    void flush();
    void syncall();
    // The click of a control: its model handler, or the registered handler of its name.
    void click(Control& c);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Bound {
        Control* control = nullptr;
        QWidget* widget = nullptr;
        QAction* action = nullptr;
        QString defaultcaption;
        QTimer* timer = nullptr;
    };

    void make(Control& c);
    void sync(Bound& b);
    void syncform();
    void synclist(ListBox& list, QWidget* w);
    void syncgeometry(Bound& b);
    void placetomodel(Bound& b);
    void schedule(Control& c);
    void adoptlate();
    void applylook(Control& c, QWidget* w);
    void seteditable(QComboBox* w, ComboBox& combo);

    // The window's place and size as the form holds them, frame included, in pixels.
    QRect formframe() const;
    void setformframe(const QRect& frame);

    App& app_;
    Form& form_;
    QPointer<QWidget> window_;
    QWidget* surface_;
    bool placetwips_;
    std::map<const Control*, Bound> bound_;
    std::set<Control*> dirty_;
    bool flushpending_ = false;
    std::size_t adopted_ = 0;  // controls of the form looked at so far
    int updating_ = 0;  // >0 while the binding itself moves widgets or model sizes
    bool syncingform_ = false;
    // The showing and placing of the form's window.
    WindowPlacing* placement_ = nullptr;
};

}  // namespace brasket::gui
