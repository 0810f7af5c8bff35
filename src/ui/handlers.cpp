#include "ui/handlers.h"

#include <stdexcept>

#include "app.h"
#include "import/importconduct.h"

namespace brasket {

void HandlerRegistry::add(Handler h) {
    if (find(h.name)) throw std::logic_error("handler registered twice: " + h.name);
    // Every way to a handler (the menus, the buttons, the headless driver) passes here. While
    // the batch rebuild runs, the window events it lets through run no other handler: a save
    // or an import in the middle would work on a half-rebuilt working set.
    if (h.run)
        h.run = [caption = h.caption, run = std::move(h.run)](App& app) {
            if (app.updatingall == 1) {
                app.platform.msgbox("The working set is being rebuilt from the exports; \"" + caption +
                                    "\" can be used when that is done.");
                return;
            }
            // The warning log is opened once for the handler, however many lines it writes;
            // lines it could not write are told once, when the outermost handler ends.
            {
                WarningRun warnings(app.warnings);
                run(app);
            }
            if (!app.warnings.inrun() && app.warnings.lostinrun() > 0)
                app.platform.msgbox(lostwarnings(app, app.warnings.lostinrun()) + ".");
        };
    handlers_.push_back(std::move(h));
}

const Handler* HandlerRegistry::find(const std::string& name) const {
    for (const auto& h : handlers_)
        if (h.name == name) return &h;
    return nullptr;
}

void registerallhandlers(HandlerRegistry& r) {
    registerdatahandlers(r);
    registerreporthandlers(r);
    registermodelhandlers(r);
    registerimporthandlers(r);
    registermainwindowhandlers(r);
    registerfactorhandlers(r);
    registerunitwindowhandlers(r);
    registerfleetreporthandlers(r);
    registertestreporthandlers(r);
    registersummaryreporthandlers(r);
    registercompoundimporthandlers(r);
    registercompoundreporthandlers(r);
    registerbatchhandlers(r);
}

}  // namespace brasket
