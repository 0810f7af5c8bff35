// The report window on screen: the page picture of the report window model painted in the
// fixed-pitch font (marked runs red and bold), its controls at their twip positions, resizes
// and keys passed to the model.
#pragma once
#include <QWidget>

#include "binding.h"

namespace brasket {
struct App;
}

namespace brasket::gui {

class ReportView : public QWidget {
public:
    explicit ReportView(App& app);
    ~ReportView() override;
    FormBinding& binding() { return *binding_; }

    // The key code the window's key handler takes for a key press (Page Up 33, Page Down 34,
    // keypad + 107, keypad - 109, letters and digits their character codes), 0 for none.
    static int keycode(int qtkey, Qt::KeyboardModifiers modifiers);

protected:
    void paintEvent(QPaintEvent*) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The page label ("page 2 of 9 pages") on one line, whole and readable: right of the
    // "File" button, where no other control of the window lies.
    void placepagelabel();

    App& app_;
    FormBinding* binding_ = nullptr;
    bool keyhandled_ = false;
};

}  // namespace brasket::gui
