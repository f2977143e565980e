#include "firmware/GenerateFirmwareWindow.h"

#include "platform/Ports.h"
#include "platform/QtPorts.h"
#include "platform/Widgets.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace zantor::gui {

GenerateFirmwareWindow::GenerateFirmwareWindow(Workspace& workspace, Prompter& prompter, Chooser& chooser,
                                               Shell& shell, QWidget* parent)
    : QDialog(parent), prompter_(prompter), form_(workspace, prompter, chooser, shell) {
    setObjectName("TFModifyFileSx");
    setWindowTitle("Generate Firmware");
    setModal(true);
    // No system close box: the window closes with its own "X".
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

    execute_ = NamedButton("Execute update firmware", "LbButton2", this);
    execute_->setMinimumHeight(36);
    port_ = new QComboBox(this);
    port_->setObjectName("cbport");
    port_->setEditable(false);
    for (const char* name : GenerateFirmwareForm::kPorts)
        port_->addItem(name);
    progress_ = new QProgressBar(this);
    progress_->setObjectName("Avanzamento");
    progress_->setTextVisible(false);
    auto* close = NamedButton("X", "LbButton1", this);
    close->setFixedWidth(32);
    close->setToolTip("Close");

    // The options panel: never shown in this product, its button is hidden too.
    options_ = NamedButton(QString::fromStdString(form_.optionsCaption), "Options", this);
    bankGroup_ = new QGroupBox(this);
    bankGroup_->setObjectName("GbBank");
    auto* bankLayout = new QHBoxLayout(bankGroup_);
    for (int i = 0; i < 5; ++i) {
        bankBoxes_[i] = new QCheckBox(QString("Bank %1").arg(i + 1), bankGroup_);
        bankBoxes_[i]->setObjectName(QString("Cbbank%1").arg(i + 1));
        bankLayout->addWidget(bankBoxes_[i]);
        connect(bankBoxes_[i], &QCheckBox::toggled, this,
                [this, i](bool on) { form_.banks[i].checked = on; });
    }
    dirFileBin_ = NamedButton("Directory File Bin", "DirFileBin", this);
    openFile_ = NamedButton("Open Firmware", "OpenFile", this);
    newNameLabel_ = new QLabel("Name new Firmware:", this);
    newNameLabel_->setObjectName("Label3");
    newName_ = new QLineEdit(this);
    newName_->setObjectName("NewFileSx");
    modify_ = NamedButton("Execute Modify File Sx", "ExeModFileSx", this);
    updateOnly_ = NamedButton("Execute update firmware", "ExeUpdateFir", this);
    for (QWidget* w : std::initializer_list<QWidget*>{options_, bankGroup_, dirFileBin_, openFile_,
                                                      newNameLabel_, newName_, modify_, updateOnly_})
        w->hide();

    auto* top = new QHBoxLayout;
    top->addStretch();
    top->addWidget(close);
    auto* portRow = new QHBoxLayout;
    portRow->addWidget(new QLabel("Port:", this));
    portRow->addWidget(port_);
    portRow->addStretch();
    portRow->addWidget(options_);
    auto* hidden = new QHBoxLayout;
    hidden->addWidget(openFile_);
    hidden->addWidget(dirFileBin_);
    hidden->addWidget(newNameLabel_);
    hidden->addWidget(newName_);
    hidden->addWidget(modify_);
    hidden->addWidget(updateOnly_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(execute_);
    layout->addLayout(portRow);
    layout->addWidget(progress_);
    layout->addWidget(bankGroup_);
    layout->addLayout(hidden);
    layout->setContentsMargins(16, 8, 16, 16);

    form_.progressChanged = [this] { RenderProgress(); };
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(port_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0) form_.portIndex = index;
    });
    connect(execute_, &QPushButton::clicked, this, [this] {
        execute_->setEnabled(false);
        Run([this] { form_.ExecuteUpdateFirmware(); });
    });
    connect(options_, &QPushButton::clicked, this, [this] { Run([this] { form_.ToggleOptions(); }); });
    connect(dirFileBin_, &QPushButton::clicked, this, [this] { Run([this] { form_.ChooseBankFolder(); }); });
    connect(openFile_, &QPushButton::clicked, this, [this] { Run([this] { form_.OpenFirmware(); }); });
    connect(newName_, &QLineEdit::textEdited, this,
            [this](const QString& text) { form_.SetNewFirmwareName(ToStdString(text)); });
    connect(modify_, &QPushButton::clicked, this, [this] { Run([this] { form_.ExecuteModifyFileSx(); }); });
    connect(updateOnly_, &QPushButton::clicked, this, [this] { Run([this] { form_.ExecuteUpdateFir(); }); });

    setFixedSize(sizeHint().expandedTo(QSize(420, 0)));
}

void GenerateFirmwareWindow::Run(const std::function<void()>& command) {
    RunReported(prompter_, command);
    Render();
}

void GenerateFirmwareWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    form_.Show();
    Render();
    // Centred horizontally, lower edge on the screen's middle line.
    if (QScreen* screen = QApplication::primaryScreen()) {
        QRect s = screen->geometry();
        move(s.x() + s.width() / 2 - width() / 2, s.y() + s.height() / 2 - height());
    }
}

void GenerateFirmwareWindow::RenderProgress() {
    progress_->setMaximum(std::max(form_.progressMaximum, 1));
    progress_->setValue(std::min(form_.progressPosition, progress_->maximum()));
}

void GenerateFirmwareWindow::Render() {
    execute_->setEnabled(form_.executeEnabled);
    modify_->setEnabled(form_.modifyEnabled);
    {
        QSignalBlocker block(port_);
        port_->setCurrentIndex(form_.portIndex);
    }
    RenderProgress();
    options_->setText(ToQString(form_.optionsCaption));
    bankGroup_->setVisible(form_.optionsPanelVisible);
    dirFileBin_->setVisible(form_.optionsPanelVisible);
    for (int i = 0; i < 5; ++i) {
        QSignalBlocker block(bankBoxes_[i]);
        const auto& box = form_.banks[i];
        bankBoxes_[i]->setVisible(box.visible);
        bankBoxes_[i]->setChecked(box.checked);
        bankBoxes_[i]->setStyleSheet(box.red ? "QCheckBox { background-color: rgb(255, 0, 0); }" : "");
    }
    newName_->setText(ToQString(form_.values.newFirmwareName));
}

} // namespace zantor::gui
