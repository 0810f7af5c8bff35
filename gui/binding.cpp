#include "binding.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTimer>
#include <exception>
#include <string>

#include "app.h"
#include "look.h"

namespace brasket::gui {

std::function<void(QWidget*, const QString&)>& faultreporter() {
    static std::function<void(QWidget*, const QString&)> report = [](QWidget* parent, const QString& text) {
        QMessageBox::critical(parent, QStringLiteral("BRASKET"), text);
    };
    return report;
}

void guarded(QWidget* parent, const std::function<void()>& step) {
    try {
        step();
    } catch (const std::exception& e) {
        faultreporter()(parent, QStringLiteral("The action stopped: %1").arg(message(e.what())));
    }
}

// ---------------------------------------------------------------- picture box

PictureView::PictureView(PictureBox& picture, QWidget* parent) : QWidget(parent), picture_(picture) {
    setAutoFillBackground(true);
}

QSize PictureView::sizeHint() const {
    if (picture_.Width() > 0 && picture_.Height() > 0) return {pixels(picture_.Width()), pixels(picture_.Height())};
    return {420, 320};
}

void PictureView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), colour(picture_.BackColor(), palette()));
    double sw = picture_.ScaleWidth() != 0 ? picture_.ScaleWidth() : 1000;
    double sh = picture_.ScaleHeight() != 0 ? picture_.ScaleHeight() : 1000;
    double kx = width() / sw, ky = height() / sh;
    for (const DrawOp& op : picture_.ops) {
        QColor c = colour(op.color, palette());
        p.setPen(QPen(c, 1));
        p.setBrush(Qt::NoBrush);
        switch (op.kind) {
        case DrawOp::Line: p.drawLine(QPointF(op.x1 * kx, op.y1 * ky), QPointF(op.x2 * kx, op.y2 * ky)); break;
        case DrawOp::Box: p.drawRect(QRectF(QPointF(op.x1 * kx, op.y1 * ky), QPointF(op.x2 * kx, op.y2 * ky)).normalized()); break;
        case DrawOp::Circle: p.drawEllipse(QPointF(op.x1 * kx, op.y1 * ky), op.x2 * kx, op.x2 * kx); break;
        case DrawOp::Text: {
            p.setFont(screenfont(picture_.FontName(), op.fontsize, op.fontbold));
            QFontMetrics fm(p.font());
            p.drawText(QPointF(op.x1 * kx, op.y1 * ky + fm.ascent()), shown(op.text));
            break;
        }
        }
    }
}

// ---------------------------------------------------------------- binding

FormBinding::FormBinding(App& app, Form& form, QWidget* window, QWidget* surface, bool placetwips)
    : QObject(window), app_(app), form_(form), window_(window), surface_(surface), placetwips_(placetwips) {
    form_.observer = this;
    for (Control* c : form_.controls) make(*c);
    adopted_ = form_.controls.size();
    window_->installEventFilter(this);
    // The placing looks at the window's moves and resizes first (a filter installed later is asked
    // first): the form has the window's new size when its resize handler runs. It hears the form's
    // place and size here, and tells here the place and size the analyst gives the window.
    placement_ = new WindowPlacing(window);
    placement_->askedframe = [this]() -> std::optional<QRect> {
        if (form_.Width() <= 0 || form_.Height() <= 0) return std::nullopt;
        return formframe();
    };
    placement_->setformframe = [this](const QRect& frame) { setformframe(frame); };
    syncall();
}

FormBinding::~FormBinding() {
    if (form_.observer == this) form_.observer = nullptr;
    for (auto& [c, b] : bound_)
        if (b.control->observer == this) b.control->observer = nullptr;
}

QWidget* FormBinding::widget(const Control& c) const {
    auto it = bound_.find(&c);
    return it == bound_.end() ? nullptr : it->second.widget;
}

void FormBinding::make(Control& c) {
    if (bound_.count(&c)) return;
    Bound b;
    b.control = &c;
    c.observer = this;
    switch (c.kind()) {
    case ControlKind::Label: {
        auto* w = new QLabel(surface_);
        w->setTextFormat(Qt::PlainText);
        w->setWordWrap(placetwips_);
        b.widget = w;
        break;
    }
    case ControlKind::TextBox: {
        auto* w = new QLineEdit(surface_);
        auto& box = static_cast<TextBox&>(c);
        connect(w, &QLineEdit::textEdited, this, [this, w, &box](const QString& t) {
            const int cursor = w->cursorPosition();
            guarded(window_, [&] { box.setText(ss(t)); });
            keeptyped(*w, t, cursor, shown(box.Text()));
        });
        b.widget = w;
        break;
    }
    case ControlKind::ListBox: {
        auto* w = new QListWidget(surface_);
        auto& list = static_cast<ListBox&>(c);
        w->setSelectionMode(list.MultiSelect ? QAbstractItemView::MultiSelection : QAbstractItemView::SingleSelection);
        w->setUniformItemSizes(true);
        // An entry wider than the list is scrolled to, never cut short with an elision mark.
        w->setTextElideMode(Qt::ElideNone);
        w->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        if (list.MultiSelect) {
            connect(w, &QListWidget::itemSelectionChanged, this, [this, w, &list] {
                if (updating_) return;
                guarded(window_, [&] {
                    for (int i = 0; i < w->count() && i < list.ListCount(); ++i)
                        if (w->item(i)->isSelected() != list.Selected(i)) list.setSelected(i, w->item(i)->isSelected());
                });
            });
        } else {
            connect(w, &QListWidget::currentRowChanged, this, [this, &list](int row) {
                if (updating_ || row < 0 || row >= list.ListCount()) return;
                guarded(window_, [&] { list.setListIndex(row); });
            });
        }
        b.widget = w;
        break;
    }
    case ControlKind::ComboBox: {
        auto* w = new QComboBox(surface_);
        auto& combo = static_cast<ComboBox&>(c);
        w->setInsertPolicy(QComboBox::NoInsert);
        // The box is as wide as its longest entry; the opened list shows every entry whole.
        w->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        w->view()->setTextElideMode(Qt::ElideNone);
        seteditable(w, combo);
        connect(w, qOverload<int>(&QComboBox::activated), this, [this, &combo](int row) {
            if (updating_ || row < 0 || row >= combo.ListCount()) return;
            guarded(window_, [&] { combo.setListIndex(row); });
        });
        b.widget = w;
        break;
    }
    case ControlKind::CheckBox: {
        auto* w = new QCheckBox(surface_);
        auto& check = static_cast<CheckBox&>(c);
        connect(w, &QCheckBox::clicked, this, [this, &check](bool on) {
            guarded(window_, [&] {
                check.Value = on ? 1 : 0;
                check.Click();
            });
        });
        b.widget = w;
        break;
    }
    case ControlKind::OptionButton: {
        auto* w = new QRadioButton(surface_);
        w->setAutoExclusive(false);  // which options exclude each other is the model's decision
        auto& option = static_cast<OptionButton&>(c);
        connect(w, &QRadioButton::clicked, this, [this, w, &option](bool) {
            guarded(window_, [&] {
                option.Value = true;
                option.Click();
            });
            QSignalBlocker block(w);
            w->setChecked(option.Value());
        });
        b.widget = w;
        break;
    }
    case ControlKind::CommandButton: {
        auto* w = new QPushButton(surface_);
        w->setAutoDefault(false);
        connect(w, &QPushButton::clicked, this, [this, &c] { click(c); });
        b.widget = w;
        break;
    }
    case ControlKind::Frame: {
        auto* w = new QGroupBox(surface_);
        b.widget = w;
        break;
    }
    case ControlKind::PictureBox: b.widget = new PictureView(static_cast<PictureBox&>(c), surface_); break;
    case ControlKind::Timer: {
        auto* t = new QTimer(this);
        auto& timer = static_cast<Timer&>(c);
        connect(t, &QTimer::timeout, this, [this, &timer] {
            if (timer.onTimer) guarded(window_, timer.onTimer);
        });
        b.timer = t;
        break;
    }
    case ControlKind::MenuItem: break;  // bound to an action by the view that owns the menu bar
    }
    if (b.widget) b.widget->setObjectName(qs(c.index >= 0 ? c.name + "_" + std::to_string(c.index) : c.name));
    bound_[&c] = b;
}

void FormBinding::seteditable(QComboBox* w, ComboBox& combo) {
    w->setEditable(!combo.Locked());
    // The box takes what is typed letter for letter: no entry is completed into it.
    if (w->isEditable()) w->setCompleter(nullptr);
    QLineEdit* edit = w->lineEdit();
    if (edit && !edit->property("brasketbound").toBool()) {
        // What the analyst types goes to the model as the box's text.
        edit->setProperty("brasketbound", true);
        connect(edit, &QLineEdit::textEdited, this, [this, edit, &combo](const QString& t) {
            const int cursor = edit->cursorPosition();
            guarded(window_, [&] { combo.setText(ss(t)); });
            keeptyped(*edit, t, cursor, shown(combo.Text()));
        });
    }
}

void FormBinding::bindaction(MenuItem& item, QAction* action, const QString& defaultcaption, std::function<void()> run) {
    make(item);
    Bound& b = bound_[&item];
    b.action = action;
    b.defaultcaption = defaultcaption;
    connect(action, &QAction::triggered, this, [this, run] { guarded(window_, run); });
    sync(b);
}

void FormBinding::click(Control& c) {
    guarded(window_, [&] {
        if (c.onClick) {
            c.Click();
            return;
        }
        if (const Handler* h = app_.handlers.find(c.name + "_Click"); h && h->window == form_.name && h->run) h->run(app_);
    });
}

void FormBinding::adoptlate() {
    if (form_.controls.size() == adopted_) return;
    for (Control* c : form_.controls) {
        if (bound_.count(c) || c->kind() == ControlKind::MenuItem) continue;
        make(*c);
        Bound& b = bound_[c];
        if (b.widget && onlatecontrol) onlatecontrol(*c, b.widget);
        sync(b);
    }
    adopted_ = form_.controls.size();
}

void FormBinding::changed(Control& c) {
    // A control that joined the form after the binding was made gets its widget now.
    adoptlate();
    if (&c == &form_) {
        syncform();
        return;
    }
    auto it = bound_.find(&c);
    if (it == bound_.end()) return;
    if (c.kind() == ControlKind::ListBox || c.kind() == ControlKind::ComboBox) schedule(c);
    else sync(it->second);
}

void FormBinding::schedule(Control& c) {
    dirty_.insert(&c);
    if (flushpending_) return;
    flushpending_ = true;
    QMetaObject::invokeMethod(this, [this] { flush(); }, Qt::QueuedConnection);
}

void FormBinding::flush() {
    placement_->release();
    flushpending_ = false;
    auto dirty = std::move(dirty_);
    dirty_.clear();
    for (Control* c : dirty) {
        auto it = bound_.find(c);
        if (it != bound_.end()) sync(it->second);
    }
}

void FormBinding::syncall() {
    for (auto& [c, b] : bound_) sync(b);
    syncform();
}

void FormBinding::applylook(Control& c, QWidget* w) {
    w->setEnabled(c.Enabled());
    w->setToolTip(shown(c.ToolTipText()));
    w->setFont(screenfont(c.FontName(), c.FontSize(), c.FontBold()));
    QPalette pal = w->palette();
    QPalette base = surface_->palette();
    pal.setColor(QPalette::WindowText, colour(c.ForeColor(), base));
    pal.setColor(QPalette::Text, colour(c.ForeColor(), base));
    pal.setColor(QPalette::ButtonText, colour(c.ForeColor(), base));
    // A back colour other than the model's default white is one the window chose.
    bool ownback = c.BackColor() != 0xFFFFFF;
    switch (c.kind()) {
    case ControlKind::Label:
    case ControlKind::CheckBox:
    case ControlKind::OptionButton:
    case ControlKind::Frame:
        if (ownback) pal.setColor(QPalette::Window, colour(c.BackColor(), base));
        w->setAutoFillBackground(ownback);
        break;
    case ControlKind::CommandButton:
        if (ownback) pal.setColor(QPalette::Button, colour(c.BackColor(), base));
        break;
    default: pal.setColor(QPalette::Base, colour(c.BackColor(), base)); break;
    }
    w->setPalette(pal);
}

void FormBinding::syncgeometry(Bound& b) {
    if (!b.widget) return;
    placetomodel(b);
    if (onplaced) onplaced(*b.control, b.widget);
}

void FormBinding::placetomodel(Bound& b) {
    Control& c = *b.control;
    if (!placetwips_) {
        // Laid out by the view; a label keeps a size the window gives it (a progress bar
        // grows by its width).
        if (c.kind() == ControlKind::Label) {
            if (c.Width() > 0) b.widget->setFixedWidth(pixels(c.Width()));
            if (c.Height() > 0) b.widget->setFixedHeight(pixels(c.Height()));
        }
        return;
    }
    if (c.Width() > 0 && c.Height() > 0)
        b.widget->setGeometry(pixels(c.Left()), pixels(c.Top()), pixels(c.Width()), pixels(c.Height()));
    else {
        b.widget->adjustSize();
        b.widget->move(pixels(c.Left()), pixels(c.Top()));
    }
}

void FormBinding::sync(Bound& b) {
    Control& c = *b.control;
    ++updating_;
    if (b.action) {
        const std::string& caption = c.Caption();
        b.action->setText(caption.empty() ? b.defaultcaption : shown(caption));
        b.action->setVisible(c.Visible());
        b.action->setEnabled(c.Enabled());
        auto& item = static_cast<MenuItem&>(c);
        b.action->setCheckable(item.Checked());
        b.action->setChecked(item.Checked());
    }
    if (b.timer) {
        auto& timer = static_cast<Timer&>(c);
        if (c.Enabled() && timer.Interval() > 0) {
            if (!b.timer->isActive() || b.timer->interval() != timer.Interval()) b.timer->start(static_cast<int>(timer.Interval()));
        } else {
            b.timer->stop();
        }
    }
    if (QWidget* w = b.widget) {
        QSignalBlocker block(w);
        applylook(c, w);
        switch (c.kind()) {
        case ControlKind::Label: static_cast<QLabel*>(w)->setText(shown(c.Caption())); break;
        case ControlKind::TextBox: {
            auto* e = static_cast<QLineEdit*>(w);
            auto& box = static_cast<TextBox&>(c);
            if (e->text() != shown(box.Text())) e->setText(shown(box.Text()));
            e->setReadOnly(box.Locked());
            break;
        }
        case ControlKind::ListBox: synclist(static_cast<ListBox&>(c), w); break;
        case ControlKind::ComboBox: {
            auto* cb = static_cast<QComboBox*>(w);
            auto& combo = static_cast<ComboBox&>(c);
            while (cb->count() > combo.ListCount()) cb->removeItem(cb->count() - 1);
            for (int i = 0; i < combo.ListCount(); ++i) {
                if (i < cb->count()) {
                    if (cb->itemText(i) != entry(combo.List(i))) cb->setItemText(i, entry(combo.List(i)));
                } else {
                    cb->addItem(entry(combo.List(i)));
                }
            }
            if (cb->isEditable() == combo.Locked()) seteditable(cb, combo);
            // An editable box given its own entry again would take back the text typed over
            // it: the entry is given only when the model chose another.
            if (cb->currentIndex() != combo.ListIndex()) cb->setCurrentIndex(combo.ListIndex());
            // What the analyst typed is already the model's text: the box and its cursor stay as
            // the typing left them. A text the program sets is shown from its start, not
            // scrolled to its padding blanks.
            if (cb->isEditable() && cb->currentText() != shown(combo.Text())) {
                cb->setEditText(shown(combo.Text()));
                cb->lineEdit()->setCursorPosition(0);
            }
            break;
        }
        case ControlKind::CheckBox: static_cast<QCheckBox*>(w)->setChecked(static_cast<CheckBox&>(c).Value() != 0);
            static_cast<QCheckBox*>(w)->setText(shown(c.Caption()));
            break;
        case ControlKind::OptionButton: static_cast<QRadioButton*>(w)->setChecked(static_cast<OptionButton&>(c).Value());
            static_cast<QRadioButton*>(w)->setText(shown(c.Caption()));
            break;
        case ControlKind::CommandButton: static_cast<QPushButton*>(w)->setText(shown(c.Caption())); break;
        case ControlKind::Frame: static_cast<QGroupBox*>(w)->setTitle(shown(c.Caption())); break;
        case ControlKind::PictureBox: w->update(); break;
        default: break;
        }
        syncgeometry(b);
        if (w->isVisibleTo(surface_) != c.Visible()) w->setVisible(c.Visible());
    }
    --updating_;
}

void FormBinding::synclist(ListBox& list, QWidget* widget) {
    auto* w = static_cast<QListWidget*>(widget);
    int n = list.ListCount();
    while (w->count() > n) delete w->takeItem(w->count() - 1);
    for (int i = 0; i < n; ++i) {
        QString text = entry(list.List(i));
        if (i < w->count()) {
            if (w->item(i)->text() != text) w->item(i)->setText(text);
        } else {
            w->addItem(text);
        }
    }
    // The list is at least as wide as its longest entry, so that every entry shows whole.
    const int entries = w->sizeHintForColumn(0);
    const int wanted = entries + 2 * w->frameWidth() + w->verticalScrollBar()->sizeHint().width() + 4;
    if (entries > 0 && w->minimumWidth() != wanted) w->setMinimumWidth(wanted);
    if (list.MultiSelect) {
        for (int i = 0; i < n; ++i)
            if (w->item(i)->isSelected() != list.Selected(i)) w->item(i)->setSelected(list.Selected(i));
    } else if (w->currentRow() != list.ListIndex()) {
        w->setCurrentRow(list.ListIndex());
        if (list.ListIndex() >= 0) w->scrollToItem(w->item(list.ListIndex()));
    }
}

void FormBinding::syncform() {
    if (!window_ || syncingform_) return;
    // Setting the form's own place and size below tells the binding again; this call already
    // brings the window to the form.
    syncingform_ = true;
    ++updating_;
    if (!form_.Caption().empty()) window_->setWindowTitle(shown(form_.Caption()));
    if (form_.MousePointer() == 11) window_->setCursor(Qt::WaitCursor);
    else window_->unsetCursor();
    // The window is shown, hidden, brought to the front or placed as the form says.
    placement_->follow(form_.Visible(), form_.frontrequests);
    --updating_;
    syncingform_ = false;
    if (onformchanged) onformchanged();
}

QRect FormBinding::formframe() const {
    return {pixels(form_.Left()), pixels(form_.Top()), pixels(form_.Width()), pixels(form_.Height())};
}

void FormBinding::setformframe(const QRect& frame) {
    // The four properties are one place and size: the window is not brought to each on its own.
    const bool syncing = syncingform_;
    syncingform_ = true;
    form_.Left = twips(frame.left());
    form_.Top = twips(frame.top());
    form_.Width = twips(frame.width());
    form_.Height = twips(frame.height());
    syncingform_ = syncing;
}

bool FormBinding::eventFilter(QObject* watched, QEvent* event) {
    if (watched != window_) return false;
    if (event->type() == QEvent::Resize) {
        // The window's resize handler runs, as it does for a size set from code.
        if (form_.onResize) guarded(window_, form_.onResize);
    } else if (event->type() == QEvent::Close) {
        // Closing a window unloads it; the next showing loads it afresh.
        if (onclose) {
            guarded(window_, onclose);
        } else {
            form_.loaded = false;
            form_.Visible = false;
        }
    }
    return false;
}

}  // namespace brasket::gui
