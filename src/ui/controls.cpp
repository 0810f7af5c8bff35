#include "ui/controls.h"

#include <stdexcept>

namespace brasket {

void TextBox::setText(const std::string& t) {
    if (t == text_) return;
    text_ = t;
    notify();
    if (onChange) onChange();
}

void ListBox::AddItem(const std::string& text) {
    items_.push_back({text, 0, false});
    notify();
}

void ListBox::RemoveItem(int i) {
    if (!inrange(i)) throw std::out_of_range(name + ": no entry " + std::to_string(i));
    items_.erase(items_.begin() + i);
    if (listindex_ == i) listindex_ = -1;
    else if (listindex_ > i) --listindex_;
    notify();
}

void ListBox::Clear() {
    items_.clear();
    listindex_ = -1;
    notify();
}

const std::string& ListBox::List(int i) const {
    static const std::string none;
    return inrange(i) ? items_[static_cast<std::size_t>(i)].text : none;
}

void ListBox::setList(int i, const std::string& text) {
    if (!inrange(i)) throw std::out_of_range(name + ": no entry " + std::to_string(i));
    items_[static_cast<std::size_t>(i)].text = text;
    notify();
}

long ListBox::ItemData(int i) const {
    if (!inrange(i)) throw std::out_of_range(name + ": no entry " + std::to_string(i));
    return items_[static_cast<std::size_t>(i)].data;
}

void ListBox::setItemData(int i, long v) {
    if (!inrange(i)) throw std::out_of_range(name + ": no entry " + std::to_string(i));
    items_[static_cast<std::size_t>(i)].data = v;
}

bool ListBox::Selected(int i) const {
    if (!inrange(i)) return false;
    if (!MultiSelect) return i == listindex_;
    return items_[static_cast<std::size_t>(i)].selected;
}

void ListBox::setSelected(int i, bool on) {
    if (!inrange(i)) throw std::out_of_range(name + ": no entry " + std::to_string(i));
    if (!MultiSelect) {
        if (on) setListIndex(i);
        else if (listindex_ == i) { listindex_ = -1; notify(); }
        return;
    }
    auto& item = items_[static_cast<std::size_t>(i)];
    if (item.selected == on) return;
    item.selected = on;
    listindex_ = i;
    notify();
    Click();
}

void ListBox::setListIndex(int i) {
    if (i < -1 || i >= ListCount()) throw std::out_of_range(name + ": no entry " + std::to_string(i));
    if (i == listindex_) return;
    listindex_ = i;
    notify();
    Click();
}

std::string ListBox::SelectedText() const { return inrange(listindex_) ? items_[static_cast<std::size_t>(listindex_)].text : std::string(); }

std::string ComboBox::Text() const { return hastyped_ ? typed_ : SelectedText(); }

void ComboBox::setText(const std::string& t) {
    for (int i = 0; i < ListCount(); ++i)
        if (List(i) == t) {
            hastyped_ = false;
            setListIndex(i);
            return;
        }
    typed_ = t;
    hastyped_ = true;
    notify();
}

void PictureBox::Cls() {
    ops.clear();
    CurrentX = CurrentY = 0;
    notify();
}

void PictureBox::Line(double x1, double y1, double x2, double y2, long color) {
    ops.push_back({DrawOp::Line, x1, y1, x2, y2, color, {}, FontBold, FontSize});
    CurrentX = x2;
    CurrentY = y2;
    notify();
}

void PictureBox::Box(double x1, double y1, double x2, double y2, long color) {
    ops.push_back({DrawOp::Box, x1, y1, x2, y2, color, {}, FontBold, FontSize});
    notify();
}

void PictureBox::Circle(double x, double y, double r, long color) {
    ops.push_back({DrawOp::Circle, x, y, r, 0, color, {}, FontBold, FontSize});
    notify();
}

void PictureBox::Print(const std::string& text, double lineheight) {
    ops.push_back({DrawOp::Text, CurrentX, CurrentY, 0, 0, ForeColor, text, FontBold, FontSize});
    CurrentX = 0;
    CurrentY += lineheight > 0 ? lineheight : FontSize * 20 * 1.2;
    notify();
}

}  // namespace brasket
