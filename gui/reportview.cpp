#include "reportview.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <algorithm>

#include "app.h"
#include "look.h"

namespace brasket::gui {

ReportView::ReportView(App& app) : app_(app) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    binding_ = new FormBinding(app, app.display, this, this, true);
    // The page is drawn anew whenever the model draws it.
    binding_->onformchanged = [this] { update(); };
    binding_->onclose = [this] { frmDisplay_Unload(app_); };
    binding_->onplaced = [this](Control& c, QWidget*) {
        if (&c == &app_.display.Label1) placepagelabel();
        else if (inbottomrow(c)) placebottomrow();
    };
    placebottomrow();
    qApp->installEventFilter(this);
}

ReportView::~ReportView() { qApp->removeEventFilter(this); }

std::vector<Control*> ReportView::bottomrow() const {
    frmDisplay& w = app_.display;
    return {&w.Command1, &w.Command2, &w.Command3, &w.Command4, &w.Command5, &w.Command6, &w.Command7, &w.Text2};
}

bool ReportView::inbottomrow(const Control& c) const {
    const auto row = bottomrow();
    return std::find(row.begin(), row.end(), &c) != row.end();
}

void ReportView::placebottomrow() {
    // The model puts the row's top at the window's outer height less 800 twips, which leaves room
    // under the row for a title bar and bottom border of up to 425 twips (28 pixels) together.
    // Under a taller frame the row is raised as a whole just enough to end at the bottom of the
    // window's own area; under a frame that fits, it stays where the model puts it.
    std::vector<QWidget*> widgets;
    int overflow = 0;
    for (Control* c : bottomrow()) {
        QWidget* w = binding_->widget(*c);
        if (!w) continue;
        const QRect modelplace(pixels(c->Left()), pixels(c->Top()), pixels(c->Width()), pixels(c->Height()));
        if (c->Width() > 0 && c->Height() > 0 && w->geometry() != modelplace) w->setGeometry(modelplace);
        widgets.push_back(w);
        overflow = std::max(overflow, w->y() + w->height() - height());
    }
    // Never above the window's top, however short the window.
    int highest = height();
    for (QWidget* w : widgets) highest = std::min(highest, w->y());
    const int raise = std::clamp(overflow, 0, std::max(0, highest));
    if (raise > 0)
        for (QWidget* w : widgets) w->move(w->x(), w->y() - raise);
    placepagelabel();
}

void ReportView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placebottomrow();
}

void ReportView::placepagelabel() {
    auto* label = qobject_cast<QLabel*>(binding_->widget(app_.display.Label1));
    QWidget* file = binding_->widget(app_.display.Command5);
    if (!label || !file) return;
    label->setWordWrap(false);
    QSize size = label->sizeHint();
    QRect beside = file->geometry();
    label->setGeometry(beside.right() + 1 + label->fontMetrics().horizontalAdvance(QLatin1Char(' ')) * 2,
                       beside.center().y() - size.height() / 2, size.width(), size.height());
}

int ReportView::keycode(int key, Qt::KeyboardModifiers modifiers) {
    bool keypad = modifiers & Qt::KeypadModifier;
    switch (key) {
    case Qt::Key_PageUp: return 33;
    case Qt::Key_PageDown: return 34;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_Plus: return keypad ? 107 : 187;
    case Qt::Key_Minus: return keypad ? 109 : 189;
    case Qt::Key_Asterisk: return keypad ? 106 : 0;
    case Qt::Key_Slash: return keypad ? 111 : 191;
    case Qt::Key_Return: case Qt::Key_Enter: return 13;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Tab: return 9;
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Space: return 32;
    default: break;
    }
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return keypad ? 96 + (key - Qt::Key_0) : key;
    if (key >= Qt::Key_A && key <= Qt::Key_Z) return key;
    if (key >= Qt::Key_F1 && key <= Qt::Key_F12) return 112 + (key - Qt::Key_F1);
    return 0;
}

bool ReportView::eventFilter(QObject* watched, QEvent* event) {
    // With KeyPreview the window sees every key press before its controls, whatever control
    // has the focus.
    if (event->type() == QEvent::KeyRelease || watched == QApplication::focusWidget()) keyhandled_ = false;
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
    auto* w = static_cast<QWidget*>(watched);
    if (w->window() != this || (!app_.display.KeyPreview && w != this)) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    // A press that no control takes travels up to the parents; it is handled once, before
    // its release.
    if (keyhandled_) return false;
    keyhandled_ = true;
    int code = keycode(key->key(), key->modifiers());
    if (code == 0 || !app_.display.onKeyDown) return false;
    int shift = (key->modifiers() & Qt::ShiftModifier ? 1 : 0) | (key->modifiers() & Qt::ControlModifier ? 2 : 0) |
                (key->modifiers() & Qt::AltModifier ? 4 : 0);
    guarded(this, [&] { app_.display.onKeyDown(code, shift); });
    update();
    // Paging and the search row's keys are the window's; other keys go on to the control.
    return code == 33 || code == 34 || code == 107 || code == 109;
}

void ReportView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const frmDisplay& w = app_.display;
    p.fillRect(rect(), colour(w.BackColor(), palette()));
    const PagePicture& picture = w.picture;
    QFont plain = screenfont(w.FontName(), picture.fontsize);
    QFont bold = screenfont(w.FontName(), picture.fontsize, true);
    QFontMetrics fm(plain);
    // The report's lines from the top of the window, each after the positioning step to
    // its text column; runs follow each other on their line.
    int y = 0;
    for (const PictureLine& line : picture.lines) {
        int x = (PictureLine::column - 1) * fm.horizontalAdvance(QLatin1Char(' '));
        for (const TextRun& run : line.runs) {
            QFont& f = run.bold ? bold : plain;
            p.setFont(f);
            p.setPen(colour(run.color, palette()));
            QString text = shown(run.text);
            p.drawText(x, y + fm.ascent(), text);
            x += QFontMetrics(f).horizontalAdvance(text);
        }
        y += fm.height();
    }
}

}  // namespace brasket::gui
