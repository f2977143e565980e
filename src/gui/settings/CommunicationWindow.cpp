#include "settings/CommunicationWindow.h"

#include "platform/Ports.h"
#include "platform/Widgets.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

namespace zantor::gui {

namespace {

QComboBox* BaudList(const char* name, QWidget* parent) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    for (const char* rate : kBaudRates)
        combo->addItem(rate);
    return combo;
}

QGroupBox* DeviceGroup(const char* title, QCheckBox* dip, QComboBox* combo, QWidget* parent) {
    auto* group = new QGroupBox(title, parent);
    auto* form = new QFormLayout(group);
    form->addRow(dip);
    auto* label = new QLabel("Baud rate", group);
    label->setBuddy(combo);
    form->addRow(label, combo);
    return group;
}

} // namespace

CommunicationWindow::CommunicationWindow(CommunicationForm& form, Prompter& prompter, QWidget* parent)
    : QDialog(parent), form_(form), prompter_(prompter) {
    setObjectName("TFpargen");
    setWindowTitle("SET COMMUNICATION");
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setModal(true);

    combo1_ = BaudList("ComboBox1", this);
    combo1_->setAccessibleName("Device 0 baud rate");
    combo2_ = BaudList("ComboBox2", this);
    combo2_->setAccessibleName("Device 1 baud rate");
    dip0_ = new QCheckBox("Baudrate set with Dip Switch", this);
    dip0_->setObjectName("ECB_Baud_Dip_C0");
    dip0_->setAccessibleName("Device 0 baud rate set with dip switch");
    dip1_ = new QCheckBox("Baudrate set with Dip Switch", this);
    dip1_->setObjectName("ECB_Baud_Dip_C1");
    dip1_->setAccessibleName("Device 1 baud rate set with dip switch");

    auto* device0 = DeviceGroup(" Device 0 ", dip0_, combo1_, this);
    device1_ = DeviceGroup(" Device 1 ", dip1_, combo2_, this);

    auto* typeBox = new QGroupBox(" Type of CAN Network ", this);
    typeBox->setObjectName("RadioGroup1");
    type_ = new QButtonGroup(this);
    auto* typeLayout = new QHBoxLayout(typeBox);
    const char* types[] = {"CAN 2.0A", "CAN 2.0B"};
    for (int i = 0; i < 2; ++i) {
        auto* radio = new QRadioButton(types[i], typeBox);
        radio->setObjectName(i == 0 ? "RadioGroup1_0" : "RadioGroup1_1");
        type_->addButton(radio, i);
        typeLayout->addWidget(radio);
    }

    positive_ = new QCheckBox("Positive Implementation", this);
    positive_->setObjectName("EwCheckBox2");

    ok_ = NamedButton("OK", "BitBtn1", this, QStyle::SP_DialogOkButton);
    ok_->setDefault(true);
    auto* cancel = NamedButton("Cancel", "BitBtn2", this, QStyle::SP_DialogCancelButton);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok_);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(device0);
    layout->addWidget(device1_);
    layout->addWidget(typeBox);
    layout->addWidget(positive_);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    setMinimumWidth(320);

    // Every edit goes straight to the form, which keeps it even when the window is cancelled.
    auto edited = [this] {
        if (rendering_) return;
        CommunicationSettings& v = form_.values;
        v.boud0 = combo1_->currentIndex();
        v.boud1 = combo2_->currentIndex();
        v.type = type_->checkedId();
        v.positive = positive_->isChecked();
        v.baudDipC0 = dip0_->isChecked();
        v.baudDipC1 = dip1_->isChecked();
        render();
    };
    connect(combo1_, &QComboBox::currentIndexChanged, this, edited);
    connect(combo2_, &QComboBox::currentIndexChanged, this, edited);
    connect(type_, &QButtonGroup::idToggled, this, edited);
    for (QCheckBox* box : {positive_, dip0_, dip1_})
        connect(box, &QCheckBox::toggled, this, edited);

    connect(ok_, &QPushButton::clicked, this, &CommunicationWindow::BitBtn1Click);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    render();
}

void CommunicationWindow::render() {
    rendering_ = true;
    const CommunicationSettings& v = form_.values;
    combo1_->setCurrentIndex(v.boud0);
    combo2_->setCurrentIndex(v.boud1);
    combo1_->setEnabled(form_.ComboBox1Enabled());
    combo2_->setEnabled(form_.ComboBox2Enabled());
    // No selection is a state of the file too (a negative type), so the group must allow it.
    type_->setExclusive(false);
    for (QAbstractButton* b : type_->buttons())
        b->setChecked(type_->id(b) == v.type);
    type_->setExclusive(true);
    positive_->setChecked(v.positive);
    dip0_->setChecked(v.baudDipC0);
    dip1_->setChecked(v.baudDipC1);
    device1_->setVisible(form_.device1Visible);
    rendering_ = false;
}

void CommunicationWindow::showEvent(QShowEvent* event) {
    form_.FormShow();
    render();
    QDialog::showEvent(event);
    ok_->setFocus();
}

void CommunicationWindow::BitBtn1Click() {
    if (RunReported(prompter_, [this] { form_.BitBtn1Click(); })) accept();
}

} // namespace zantor::gui
