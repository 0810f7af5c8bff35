// The report window on screen: the page picture of the report window model painted in the
// fixed-pitch font (marked runs red and bold), its controls at their twip positions, resizes
// and keys passed to the model.
#pragma once
#include <QWidget>
#include <vector>

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
    void resizeEvent(QResizeEvent* event) override;

private:
    // The bottom row of buttons and the font size box, whose top the model sets at every resize.
    std::vector<Control*> bottomrow() const;
    bool inbottomrow(const Control& c) const;
    // The bottom row where the model puts it, raised where the window's frame would leave it partly
    // below the window's own area; then the page label beside it.
    void placebottomrow();
    // The page label ("page 2 of 9 pages") on one line, whole and readable: right of the
    // "File" button, where no other control of the window lies.
    void placepagelabel();

    App& app_;
    FormBinding* binding_ = nullptr;
    bool keyhandled_ = false;
};

}  // namespace brasket::gui
