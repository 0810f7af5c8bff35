#include "ui/handlers.h"

#include <stdexcept>

namespace brasket {

void HandlerRegistry::add(Handler h) {
    if (find(h.name)) throw std::logic_error("handler registered twice: " + h.name);
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
