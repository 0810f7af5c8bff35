// Every menu item and button handler, registered once by name with its window, its menu
// and its caption. The Qt skin builds its menus from the registry; the headless driver
// runs handlers from it by name.
#pragma once
#include <functional>
#include <string>
#include <vector>

namespace brasket {

struct App;

struct Handler {
    std::string name;     // "cmdsaveallupdate_Click"
    std::string window;   // "frmplants"
    std::string menu;     // top-level menu caption, empty for a button handler
    std::string caption;  // the menu item's or button's caption
    std::function<void(App&)> run;
};

class HandlerRegistry {
public:
    void add(Handler h);
    const Handler* find(const std::string& name) const;
    const std::vector<Handler>& all() const { return handlers_; }

private:
    std::vector<Handler> handlers_;
};

// Each subsystem registers its own handlers; registerallhandlers calls them all.
void registerdatahandlers(HandlerRegistry& r);
void registerreporthandlers(HandlerRegistry& r);
void registermodelhandlers(HandlerRegistry& r);
void registerimporthandlers(HandlerRegistry& r);
void registermainwindowhandlers(HandlerRegistry& r);
void registerfactorhandlers(HandlerRegistry& r);           // factors from tests, model switches
void registerunitwindowhandlers(HandlerRegistry& r);       // the unit evaluation window
void registerfleetreporthandlers(HandlerRegistry& r);      // emission reports over the fleet
void registertestreporthandlers(HandlerRegistry& r);       // test data and factor reports
void registersummaryreporthandlers(HandlerRegistry& r);    // unit checks and summaries
void registercompoundimporthandlers(HandlerRegistry& r);   // compound and factor data imports
void registercompoundreporthandlers(HandlerRegistry& r);   // compound reports and listings
void registerbatchhandlers(HandlerRegistry& r);            // the batch rebuild
void registerallhandlers(HandlerRegistry& r);

}  // namespace brasket
