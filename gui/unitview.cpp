#include "unitview.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScrollArea>
#include <QVBoxLayout>
#include <map>
#include <set>

#include "app.h"
#include "look.h"
#include "reports/binspeciation.h"

namespace brasket::gui {

UnitView::UnitView(App& app) : app_(app) {
    Form1& f = app.form1;
    // The controls lie on a surface that scrolls when the window is smaller than their layout
    // (a small screen); the menu bar stays above it.
    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    auto* surface = new QWidget(scroll);
    binding_ = new FormBinding(app, f, this, surface, false);
    std::set<const Control*> placed;
    auto w = [&](const Control& c) {
        placed.insert(&c);
        return binding_->widget(c);
    };
    auto heading = [surface](const char* text) {
        auto* l = new QLabel(QString::fromUtf8(text), surface);
        QFont font = l->font();
        font.setBold(true);
        l->setFont(font);
        return l;
    };

    auto* window = new QVBoxLayout(this);
    window->setContentsMargins(0, 0, 0, 0);
    auto* bar = new QMenuBar(this);
    window->setMenuBar(bar);
    window->addWidget(scroll);
    auto* outer = new QVBoxLayout(surface);
    std::map<std::string, QMenu*> menus;
    for (const Handler& h : app.handlers.all()) {
        if (h.window != f.name || h.menu.empty()) continue;
        QMenu*& menu = menus[h.menu];
        if (!menu) menu = bar->addMenu(qs(h.menu));
        std::string item = h.name;
        if (item.size() > 6 && item.compare(item.size() - 6, 6, "_Click") == 0) item.resize(item.size() - 6);
        QAction* action = menu->addAction(qs(h.caption));
        action->setObjectName(qs(item));
        auto run = h.run;
        App* a = &app_;
        MenuItem* model = &f.menu(item);
        // The window's own wiring of an item (set when the window loads) comes first.
        binding_->bindaction(*model, action, qs(h.caption), [run, a, model] {
            if (model->onClick) model->Click();
            else if (run) run(*a);
        });
    }

    // One line per fuel row: fuel, mercury, tons, mercury in, existing, proposed, percent, bin, factor.
    auto* rows = new QGridLayout;
    const char* titles[] = {"Fuel", "Hg (ppmw)", "dry tons/month", "Hg in", "existing", "proposed", "% reduction"};
    for (int c = 0; c < 7; ++c) rows->addWidget(heading(titles[c]), 0, c);
    rows->addWidget(w(f.Label15), 0, 7);
    rows->addWidget(heading("EMF (% removed)"), 0, 8);
    for (int i = 0; i < 4; ++i) {
        const auto r = static_cast<std::size_t>(i);
        rows->addWidget(w(f.Combo2[r]), i + 1, 0);
        rows->addWidget(w(f.Text1[r]), i + 1, 1);
        binding_->widget(f.Text1[r])->installEventFilter(this);
        rows->addWidget(w(f.Text2[r]), i + 1, 2);
        for (int k = 0; k < 4; ++k) rows->addWidget(w(f.Label3[4 * r + static_cast<std::size_t>(k)]), i + 1, 3 + k);
        rows->addWidget(w(f.Label14[r]), i + 1, 7);
        binding_->widget(f.Label14[r])->installEventFilter(this);
        rows->addWidget(w(f.Label26[r]), i + 1, 8);
    }
    rows->addWidget(heading("All fuels"), 5, 0);
    rows->addWidget(w(f.Label3[16]), 5, 6);
    rows->addWidget(w(f.Label3[17]), 5, 5);
    rows->addWidget(w(f.Label25), 5, 8);
    outer->addLayout(rows);

    // Existing and proposed configurations.
    auto* configs = new QGridLayout;
    const char* kinds[] = {"Furnace/boiler", "Particulate", "SO2", "NOx"};
    for (int c = 0; c < 4; ++c) configs->addWidget(heading(kinds[c]), 0, c + 1);
    configs->addWidget(heading("Existing"), 1, 0);
    configs->addWidget(heading("Proposed"), 2, 0);
    const int proposedcolumn[] = {1, 2, 3, 4};  // Combo3: group, particulate, SO2, NOx group
    for (int c = 0; c < 4; ++c) {
        configs->addWidget(w(f.Combo1[static_cast<std::size_t>(c)]), 1, c + 1);
        configs->addWidget(w(f.Combo3[static_cast<std::size_t>(c)]), 2, proposedcolumn[c]);
    }
    outer->addLayout(configs);

    // The summary sentences wrap within the width the window gives them and ask for none of
    // their own: a long explanation (no mercury in the fuels, a fuel left out) grows the
    // window's height, never its width, which would push the result columns off the screen.
    auto* summary = static_cast<QLabel*>(w(f.Label13));
    summary->setWordWrap(true);
    QSizePolicy wrapping(QSizePolicy::Ignored, QSizePolicy::Preferred);
    wrapping.setHeightForWidth(true);
    summary->setSizePolicy(wrapping);
    auto* lower = new QHBoxLayout;
    lower->addWidget(summary, 3);
    lower->addWidget(w(f.Label17), 1);
    lower->addWidget(w(f.List1), 1);
    outer->addLayout(lower, 1);

    auto* buttons = new QHBoxLayout;
    for (const CommandButton* b : {&f.Command1, &f.Command3, &f.Command4, &f.Command13, &f.Command2})
        buttons->addWidget(w(*b));
    buttons->addStretch(1);
    outer->addLayout(buttons);

    // Anything else (the hidden busy flag included) in a plain row below.
    auto* rest = new QHBoxLayout;
    for (Control* c : f.controls) {
        if (placed.count(c) || c->kind() == ControlKind::MenuItem) continue;
        if (QWidget* cw = w(*c)) rest->addWidget(cw);
    }
    outer->addLayout(rest);
    scroll->setWidget(surface);
    setWindowTitle(QStringLiteral("Unit evaluation"));
    resize(withinscreen(QSize(1100, 520)));
}

bool UnitView::eventFilter(QObject* watched, QEvent* event) {
    Form1& f = app_.form1;
    if (event->type() == QEvent::MouseButtonPress) {
        // A press on a bin label explains the row's bin: left the bin's factors, right the
        // speciation of its test runs.
        const auto button = static_cast<QMouseEvent*>(event)->button();
        const int pressed = button == Qt::LeftButton ? leftbutton : button == Qt::RightButton ? rightbutton : 0;
        for (int i = 0; i < 4 && pressed != 0; ++i)
            if (watched == binding_->widget(f.Label14[static_cast<std::size_t>(i)])) {
                guarded(this, [&] { Label14_MouseDown(app_, i, pressed); });
                return true;
            }
    }
    if (event->type() == QEvent::FocusIn) {
        for (int i = 0; i < 4; ++i)
            if (watched == binding_->widget(f.Text1[static_cast<std::size_t>(i)]))
                guarded(this, [&] { Text1_GotFocus(app_, i); });
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace brasket::gui
