#include "app.h"

namespace brasket {

App::App(Platform& p) : platform(p) {
    registerallhandlers(handlers);
    // Each menu item and command button of the main window runs its registered handler when
    // clicked.
    const std::string suffix = "_Click";
    for (const Handler& h : handlers.all()) {
        if (h.window != "frmplants") continue;
        std::string item = h.name;
        if (item.size() > suffix.size() && item.compare(item.size() - suffix.size(), suffix.size(), suffix) == 0)
            item.resize(item.size() - suffix.size());
        if (h.menu.empty()) {
            for (Control* c : main.controls)
                if (c->name == item && c->kind() == ControlKind::CommandButton)
                    c->onClick = [this, run = h.run] { run(*this); };
            continue;
        }
        MenuItem& m = main.menu(item);
        m.Caption = h.caption;
        m.onClick = [this, run = h.run] { run(*this); };
    }
}

}  // namespace brasket
