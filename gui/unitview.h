// The unit evaluation window on screen: its controls in a plain layout (a line per fuel row,
// the existing and proposed configuration lists, the totals, the summary and the buttons) and
// a menu bar built from the window's registered handlers.
#pragma once
#include <QWidget>

#include "binding.h"

namespace brasket {
struct App;
}

namespace brasket::gui {

class UnitView : public QWidget {
public:
    explicit UnitView(App& app);
    FormBinding& binding() { return *binding_; }

protected:
    // A mercury box taking the focus opens the mercury help of its row; a mouse press on a
    // bin label explains that row's bin.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    App& app_;
    FormBinding* binding_ = nullptr;
};

}  // namespace brasket::gui
