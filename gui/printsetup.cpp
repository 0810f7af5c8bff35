#include "printsetup.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace brasket::gui {

PrintSetupDialog::PrintSetupDialog(int orientation, int copies, const QString& printername, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Print setup"));
    auto* layout = new QVBoxLayout(this);
    auto* printer = new QLabel(printername, this);
    printer->setWordWrap(true);
    layout->addWidget(printer);

    auto* orient = new QGroupBox(QStringLiteral("Orientation"), this);
    auto* orientlayout = new QVBoxLayout(orient);
    portrait_ = new QRadioButton(QStringLiteral("&Portrait"), orient);
    landscape_ = new QRadioButton(QStringLiteral("&Landscape"), orient);
    orientlayout->addWidget(portrait_);
    orientlayout->addWidget(landscape_);
    layout->addWidget(orient);

    auto* form = new QFormLayout;
    copies_ = new QSpinBox(this);
    copies_->setRange(1, 999);
    form->addRow(QStringLiteral("&Copies:"), copies_);
    layout->addLayout(form);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    setorientation(orientation);
    setcopies(copies);
}

int PrintSetupDialog::orientation() const { return landscape_->isChecked() ? 2 : 1; }
int PrintSetupDialog::copies() const { return copies_->value(); }
void PrintSetupDialog::setorientation(int orientation) { (orientation == 2 ? landscape_ : portrait_)->setChecked(true); }
void PrintSetupDialog::setcopies(int copies) { copies_->setValue(copies > 0 ? copies : 1); }

}  // namespace brasket::gui
