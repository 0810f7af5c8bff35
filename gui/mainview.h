// The main window on screen: every control of the main window model laid out plainly, and a
// menu bar built from the handler registry whose items follow the model's menu items.
#pragma once
#include <QMainWindow>

class QGridLayout;
#include <memory>

#include "binding.h"

namespace brasket {
struct App;
}

namespace brasket::gui {

class MainView : public QMainWindow {
public:
    explicit MainView(App& app);
    FormBinding& binding() { return *binding_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildmenus();
    void layoutcontrols(QWidget* surface);
    void addrest(const Control& c, QWidget* w);

    App& app_;
    FormBinding* binding_ = nullptr;
    QGridLayout* rest_ = nullptr;
    int restcount_ = 0;
};

// The about box, which also shows the progress captions of the start-up loading.
class AboutView : public QWidget {
public:
    explicit AboutView(App& app);
    FormBinding& binding() { return *binding_; }

private:
    FormBinding* binding_ = nullptr;
};

}  // namespace brasket::gui
