#include "mainview.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QScrollArea>
#include <QScreen>
#include <QVBoxLayout>
#include <map>
#include <set>

#include "app.h"
#include "look.h"

namespace brasket::gui {

namespace {

// Headings over the lists, which carry no caption of their own.
const std::map<std::string, QString> listheadings = {
    {"List1", QStringLiteral("Compounds")},           {"List2", QStringLiteral("Control devices")},
    {"List3", QStringLiteral("Plants")},              {"List4", QStringLiteral("Fuel types")},
    {"List5", QStringLiteral("Boiler types")},        {"List6", QStringLiteral("Particulate controls")},
    {"List7", QStringLiteral("SO2 controls")},        {"List12", QStringLiteral("States")},
    {"List13", QStringLiteral("Regions")},            {"List15", QStringLiteral("Particulate controls")},
    {"List16", QStringLiteral("SO2 controls")},       {"List8", QStringLiteral("Units of the plant")},
};

std::string namestring(const Control& c) { return c.index >= 0 ? c.name + "(" + std::to_string(c.index) + ")" : c.name; }

}  // namespace

MainView::MainView(App& app) : app_(app) {
    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    auto* surface = new QWidget(scroll);
    binding_ = new FormBinding(app, app.main, this, surface, false);
    layoutcontrols(surface);
    scroll->setWidget(surface);
    setCentralWidget(scroll);
    buildmenus();
    if (app.main.Caption().empty()) setWindowTitle(QStringLiteral("BRASKET"));
    resize(withinscreen(QSize(1280, 900)));
}

void MainView::buildmenus() {
    std::map<std::string, QMenu*> menus;
    for (const Handler& h : app_.handlers.all()) {
        if (h.window != app_.main.name || h.menu.empty()) continue;
        QMenu*& menu = menus[h.menu];
        if (!menu) menu = menuBar()->addMenu(qs(h.menu));
        std::string itemname = h.name;
        if (itemname.size() > 6 && itemname.compare(itemname.size() - 6, 6, "_Click") == 0) itemname.resize(itemname.size() - 6);
        QAction* action = menu->addAction(qs(h.caption));
        action->setObjectName(qs(itemname));
        auto run = h.run;
        App* app = &app_;
        binding_->bindaction(app_.main.menu(itemname), action, qs(h.caption), [run, app] {
            if (run) run(*app);
        });
    }
}

void MainView::layoutcontrols(QWidget* surface) {
    frmplants& m = app_.main;
    std::set<const Control*> placed;
    auto w = [&](const Control& c) {
        placed.insert(&c);
        return binding_->widget(c);
    };
    auto titled = [&](const ListBox& list) {
        auto* box = new QWidget(surface);
        auto* v = new QVBoxLayout(box);
        v->setContentsMargins(0, 0, 0, 0);
        auto it = listheadings.find(list.name);
        auto* heading = new QLabel(it != listheadings.end() ? it->second : qs(list.name), box);
        QFont f = heading->font();
        f.setBold(true);
        heading->setFont(f);
        v->addWidget(heading);
        v->addWidget(w(list), 1);
        return box;
    };

    auto* outer = new QVBoxLayout(surface);
    // Busy panel and status labels along the top.
    auto* status = new QHBoxLayout;
    for (const Label* l : {&m.Label19, &m.Label22, &m.Label9, &m.Label11, &m.Label3}) status->addWidget(w(*l));
    status->addStretch(1);
    outer->addLayout(status);

    auto* columns = new QHBoxLayout;
    outer->addLayout(columns, 1);

    // Plants on the left, the chosen plant's units below them.
    auto* left = new QVBoxLayout;
    left->addWidget(titled(m.List3), 3);
    left->addWidget(titled(m.List8), 1);
    columns->addLayout(left, 3);

    // Fuels, devices and compounds in the middle.
    auto* lists = new QGridLayout;
    const ListBox* grid[] = {&m.List4, &m.List5, &m.List6, &m.List7, &m.List2, &m.List1};
    int k = 0;
    for (const ListBox* l : grid) {
        lists->addWidget(titled(*l), k / 2, k % 2);
        ++k;
    }
    columns->addLayout(lists, 4);

    // Flowsheet, area and requirement frames on the right.
    auto* right = new QVBoxLayout;
    auto* picture = w(m.Picture1);
    picture->setMinimumSize(300, 240);
    right->addWidget(picture);

    auto* area = static_cast<QGroupBox*>(w(m.Frame4));
    auto* arealayout = new QGridLayout(area);
    arealayout->addWidget(titled(m.List12), 0, 0, 1, 3);
    arealayout->addWidget(titled(m.List13), 0, 3, 1, 2);
    arealayout->addWidget(titled(m.List15), 1, 0, 1, 3);
    arealayout->addWidget(titled(m.List16), 1, 3, 1, 2);
    arealayout->addWidget(w(m.Command16), 2, 0);
    arealayout->addWidget(w(m.Command17), 2, 1);
    arealayout->addWidget(w(m.Command18), 2, 2);
    right->addWidget(area, 1);

    auto* rules = static_cast<QGroupBox*>(w(m.Frame7));
    auto* ruleslayout = new QVBoxLayout(rules);
    for (const OptionButton* o : {&m.Option7, &m.Option9, &m.Option10, &m.Option12, &m.Option13}) ruleslayout->addWidget(w(*o));
    ruleslayout->addWidget(w(m.Command19));
    right->addWidget(rules);

    auto* checks = new QHBoxLayout;
    for (const CheckBox& c : m.Check1) checks->addWidget(w(c));
    checks->addWidget(w(m.Command22));
    checks->addStretch(1);
    right->addLayout(checks);
    columns->addLayout(right, 4);

    // Any control the plan above does not know, in plain rows below.
    rest_ = new QGridLayout;
    for (Control* c : m.controls) {
        if (placed.count(c) || c->kind() == ControlKind::MenuItem || c->kind() == ControlKind::Timer) continue;
        if (QWidget* cw = w(*c)) addrest(*c, cw);
    }
    binding_->onlatecontrol = [this](Control& c, QWidget* cw) { addrest(c, cw); };
    outer->addLayout(rest_);
}

void MainView::addrest(const Control& c, QWidget* w) {
    if (w->toolTip().isEmpty()) w->setToolTip(qs(namestring(c)));
    rest_->addWidget(w, restcount_ / 6, restcount_ % 6);
    ++restcount_;
}

void MainView::closeEvent(QCloseEvent* event) {
    // Closing the main window ends the program.
    event->accept();
    QApplication::closeAllWindows();
    QApplication::quit();
}

// ---------------------------------------------------------------- about box

AboutView::AboutView(App& app) {
    auto* layout = new QVBoxLayout(this);
    auto* title = new QLabel(QStringLiteral("BRASKET"), this);
    QFont f = title->font();
    f.setBold(true);
    f.setPixelSize(22);
    title->setFont(f);
    title->setAlignment(Qt::AlignCenter);
    layout->addWidget(title);
    binding_ = new FormBinding(app, app.about, this, this, false);
    QWidget* caption = binding_->widget(app.about.Label6);
    static_cast<QLabel*>(caption)->setAlignment(Qt::AlignCenter);
    layout->addWidget(caption);
    for (const Control* c : app.about.controls)
        if (c != &app.about.Label6)
            if (QWidget* cw = binding_->widget(*c)) layout->addWidget(cw);
    if (app.about.Caption().empty()) setWindowTitle(QStringLiteral("BRASKET"));
    resize(460, 140);
}

}  // namespace brasket::gui
