// The printer setup dialog: the printer the documents go to, the page orientation and the
// number of copies.
#pragma once
#include <QDialog>

class QRadioButton;
class QSpinBox;

namespace brasket::gui {

class PrintSetupDialog : public QDialog {
public:
    // orientation: 1 portrait, 2 landscape.
    PrintSetupDialog(int orientation, int copies, const QString& printername, QWidget* parent = nullptr);
    int orientation() const;
    int copies() const;
    void setorientation(int orientation);
    void setcopies(int copies);

private:
    QRadioButton* portrait_;
    QRadioButton* landscape_;
    QSpinBox* copies_;
};

}  // namespace brasket::gui
