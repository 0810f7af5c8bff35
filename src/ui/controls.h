// Window models: the controls of a window as plain objects holding the properties the
// system reads and writes, with the conventions the handlers rely on (list positions from 0,
// ListIndex -1 for none, colours as 0xBBGGRR, positions in twips). Each control tells one
// observer when a property changes; the Qt skin is that observer, tests need none.
#pragma once
#include <array>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace brasket {

class Control;
class Form;

struct Observer {
    virtual ~Observer() = default;
    virtual void changed(Control& c) = 0;
};

enum class ControlKind { Label, TextBox, ListBox, ComboBox, CheckBox, OptionButton, CommandButton, MenuItem,
                         Frame, PictureBox, Timer };

// A property that tells its control's observer when it is assigned a different value.
template <class T>
class Prop {
public:
    explicit Prop(Control* owner, T v = T{}) : owner_(owner), v_(std::move(v)) {}
    Prop(const Prop&) = delete;
    Prop& operator=(const Prop& o) { return *this = o.v_; }
    Prop& operator=(const T& v);
    const T& operator()() const { return v_; }
    operator const T&() const { return v_; }

private:
    Control* owner_;
    T v_;
};

class Control {
public:
    explicit Control(ControlKind kind) : kind_(kind) {}
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control() = default;

    ControlKind kind() const { return kind_; }
    std::string name;   // as the window names it ("List3", "Check1")
    int index = -1;     // position in a control array, -1 for a single control
    Form* parent = nullptr;
    Observer* observer = nullptr;

    Prop<std::string> Caption{this};
    Prop<std::string> ToolTipText{this};
    Prop<bool> Visible{this, true};
    Prop<bool> Enabled{this, true};
    Prop<long> Left{this}, Top{this}, Width{this}, Height{this};  // twips
    Prop<long> ForeColor{this, 0x000000};
    Prop<long> BackColor{this, 0xFFFFFF};
    Prop<std::string> FontName{this, "MS Sans Serif"};
    Prop<double> FontSize{this, 8.25};
    Prop<bool> FontBold{this};

    std::function<void()> onClick;
    void Click() { if (onClick) onClick(); }

    void notify() { if (observer) observer->changed(*this); }

private:
    ControlKind kind_;
};

template <class T>
Prop<T>& Prop<T>::operator=(const T& v) {
    if (!(v_ == v)) {
        v_ = v;
        owner_->notify();
    }
    return *this;
}

struct Label : Control { Label() : Control(ControlKind::Label) {} };
struct CommandButton : Control { CommandButton() : Control(ControlKind::CommandButton) {} };
struct Frame : Control { Frame() : Control(ControlKind::Frame) {} };

struct MenuItem : Control {
    MenuItem() : Control(ControlKind::MenuItem) {}
    Prop<bool> Checked{this};
};

struct CheckBox : Control {
    CheckBox() : Control(ControlKind::CheckBox) {}
    Prop<int> Value{this};  // 0 unchecked, 1 checked
};

struct OptionButton : Control {
    OptionButton() : Control(ControlKind::OptionButton) {}
    Prop<bool> Value{this};
};

// A text box: setting Text (from code or by typing) runs the change handler.
struct TextBox : Control {
    TextBox() : Control(ControlKind::TextBox) {}
    const std::string& Text() const { return text_; }
    void setText(const std::string& t);
    std::function<void()> onChange;
    Prop<bool> Locked{this};

private:
    std::string text_;
};

// A list box (and the list part of a combo box).
class ListBox : public Control {
public:
    ListBox() : Control(ControlKind::ListBox) {}
    explicit ListBox(ControlKind k) : Control(k) {}

    bool MultiSelect = false;
    void AddItem(const std::string& text);
    void RemoveItem(int i);
    void Clear();
    int ListCount() const { return static_cast<int>(items_.size()); }
    const std::string& List(int i) const;
    void setList(int i, const std::string& text);
    long ItemData(int i) const;
    void setItemData(int i, long v);
    bool Selected(int i) const;
    // Selecting an entry from code runs the click handler, as a click does.
    void setSelected(int i, bool on);
    int ListIndex() const { return listindex_; }
    // Setting ListIndex to another entry runs the click handler.
    void setListIndex(int i);
    int NewIndex() const { return ListCount() - 1; }
    // The text of the selected entry, empty when none.
    std::string SelectedText() const;

private:
    struct Item {
        std::string text;
        long data = 0;
        bool selected = false;
    };
    std::vector<Item> items_;
    int listindex_ = -1;
    bool inrange(int i) const { return i >= 0 && i < ListCount(); }
};

struct ComboBox : ListBox {
    ComboBox() : ListBox(ControlKind::ComboBox) {}
    // The shown text: the selected entry, or what was typed into the box.
    std::string Text() const;
    void setText(const std::string& t);
    void setListIndex(int i) { hastyped_ = false; ListBox::setListIndex(i); }
    Prop<bool> Locked{this};

private:
    std::string typed_;
    bool hastyped_ = false;
};

// A picture box records its drawing so that the skin paints it and a test reads it.
struct DrawOp {
    enum Kind { Line, Box, Circle, Text } kind;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // Circle: centre (x1, y1), radius x2
    long color = 0;
    std::string text;
    bool fontbold = false;
    double fontsize = 8.25;
};

struct PictureBox : Control {
    PictureBox() : Control(ControlKind::PictureBox) {}
    std::vector<DrawOp> ops;
    double CurrentX = 0, CurrentY = 0;
    Prop<double> ScaleWidth{this, 1000}, ScaleHeight{this, 1000};
    void Cls();
    void Line(double x1, double y1, double x2, double y2, long color = 0);
    void Box(double x1, double y1, double x2, double y2, long color = 0);
    void Circle(double x, double y, double r, long color = 0);
    // Writes text at (CurrentX, CurrentY) and moves to the next line.
    void Print(const std::string& text, double lineheight = 0);
};

struct Timer : Control {
    Timer() : Control(ControlKind::Timer) {}
    Prop<long> Interval{this};  // milliseconds; 0 stops
    std::function<void()> onTimer;
};

// A window: its controls register themselves so that the skin can enumerate them.
class Form : public Control {
public:
    Form() : Control(ControlKind::Frame) {}
    Prop<int> MousePointer{this};  // 0 default, 1 arrow, 11 hourglass
    bool loaded = false;
    std::vector<Control*> controls;

    // Shows the window; a window already shown is brought to the front instead, and each such
    // request is counted so that the screen can tell it from a mere repaint.
    void Show() {
        if (Visible()) {
            ++frontrequests;
            notify();
        } else {
            Visible = true;
        }
    }
    void Hide() { Visible = false; }
    long frontrequests = 0;

    std::function<void(int keycode, int shift)> onKeyDown;
    std::function<void()> onResize;

protected:
    using MenuItems = std::map<std::string, std::unique_ptr<MenuItem>>;
    // The window's menu item of a name, made and listed with the controls at its first use.
    MenuItem& menuitem(MenuItems& items, const std::string& nm) {
        auto& slot = items[nm];
        if (!slot) {
            slot = std::make_unique<MenuItem>();
            slot->name = nm;
            slot->parent = this;
            controls.push_back(slot.get());
        }
        return *slot;
    }
    template <class C>
    void add(C& c, const std::string& nm) {
        c.name = nm;
        c.parent = this;
        controls.push_back(&c);
    }
    template <class C, std::size_t N>
    void add(std::array<C, N>& arr, const std::string& nm) {
        for (std::size_t i = 0; i < N; ++i) {
            arr[i].name = nm;
            arr[i].index = static_cast<int>(i);
            arr[i].parent = this;
            controls.push_back(&arr[i]);
        }
    }
};

}  // namespace brasket
