#include "app/MainWindow.h"

#include "app/Logo.h"
#include "platform/Ports.h"
#include "platform/QtPorts.h"
#include "platform/Widgets.h"
#include "workspace/Workspace.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>

namespace zantor::gui {

namespace {

QLabel* StepLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    QFont f = label->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.15);
    label->setFont(f);
    label->setStyleSheet("color: grey");
    return label;
}

QPushButton* StepButton(const QString& text, const char* name, QStyle::StandardPixmap icon, QWidget* parent) {
    QPushButton* b = NamedButton(text, name, parent, icon);
    b->setFlat(true);
    b->setMinimumWidth(150);
    // Flat buttons that light up under the pointer and when pressed.
    b->setStyleSheet("QPushButton { text-align: left; padding: 4px 8px; border: 1px solid transparent; }"
                     "QPushButton:hover { background: #dbe8f7; border-color: #7aa7d9; }"
                     "QPushButton:pressed { background: #a9c6ea; }"
                     "QPushButton:disabled { color: #a0a0a0; }");
    return b;
}

} // namespace

MainWindow::MainWindow(Workspace& workspace, Prompter& prompter, Chooser& chooser, Shell& shell,
                       const std::string& executableFolder, QWidget* parent)
    : QWidget(parent), prompter_(prompter), form_(workspace, prompter, chooser, shell) {
    setObjectName("TFZantoreFirmWare");
    // No caption-bar buttons: the window closes with its own "X".
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

    form_.FormCreate(executableFolder);

    newProject_ = StepButton("New project", "NewProject", QStyle::SP_FileDialogNewFolder, this);
    openProject_ = StepButton("Open project", "OpenProject", QStyle::SP_DirOpenIcon, this);
    setCommunication_ = StepButton("Set Communication", "SetCommunication", QStyle::SP_ComputerIcon, this);
    setCobId_ = StepButton("Set CobID Access", "SetCobIDAccess", QStyle::SP_FileDialogDetailedView, this);
    update0_ = StepButton("Update Device 0", "CreateBin", QStyle::SP_ArrowDown, this);
    update1_ = StepButton("Update Device 1", "CreateBin1", QStyle::SP_ArrowDown, this);
    about_ = StepButton("About", "About", QStyle::SP_MessageBoxInformation, this);
    auto* close = NamedButton("X", "LbButton1", this);
    close->setAccessibleName("Close");
    close->setToolTip("Close");
    close->setFixedWidth(32);
    about_->setMinimumWidth(0);

    status_ = new QLabel("---", this);
    status_->setObjectName("Labelstate");
    status_->hide();

    auto* link = new QLabel(
        QStringLiteral("<a href=\"%1\" style=\"color: grey; text-decoration: none\"><b>%2</b></a>")
            .arg(QString::fromLatin1(kProductPage), QString::fromLatin1(kMakerSite).remove("https://")),
        this);
    link->setObjectName("Label1");
    link->setCursor(Qt::PointingHandCursor);
    link->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    link->setAccessibleName("Product page");
    link->setToolTip(QString::fromLatin1(kProductPage));
    connect(link, &QLabel::linkActivated, this, [this] { form_.OpenProductPage(); });

    auto* logo = new Logo(this);
    logo->setObjectName("Image1");
    logo->hide();

    auto* top = new QHBoxLayout;
    top->addStretch();
    top->addWidget(about_);
    top->addWidget(close);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(16);
    grid->setVerticalSpacing(10);
    grid->addWidget(StepLabel("Step 1", this), 0, 0);
    grid->addWidget(newProject_, 0, 1);
    grid->addWidget(openProject_, 0, 2);
    grid->addWidget(StepLabel("Step 2", this), 1, 0);
    grid->addWidget(setCommunication_, 1, 1);
    grid->addWidget(StepLabel("Step 3", this), 2, 0);
    grid->addWidget(setCobId_, 2, 1);
    grid->addWidget(status_, 3, 1);
    grid->addWidget(StepLabel("Step 4", this), 4, 0);
    grid->addWidget(update0_, 4, 1);
    grid->addWidget(update1_, 4, 2);
    grid->addWidget(link, 4, 3, Qt::AlignRight | Qt::AlignVCenter);
    grid->setColumnStretch(3, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(grid);
    layout->setContentsMargins(16, 8, 16, 16);

    connect(close, &QPushButton::clicked, this, &QWidget::close);
    connect(about_, &QPushButton::clicked, this, [this] { showModal(targets_.about); });
    connect(openProject_, &QPushButton::clicked, this, [this] {
        form_.OpenaClick();
        refreshCaption();
    });
    connect(newProject_, &QPushButton::clicked, this, [this] {
        if (!targets_.newProject) return;
        form_.NewProjectClosed(targets_.newProject());
        refreshCaption();
    });
    connect(setCommunication_, &QPushButton::clicked, this,
            [this] { btn_str_lng1aClick(setCommunication_); });
    connect(setCobId_, &QPushButton::clicked, this, [this] { btn_str_lng1aClick(setCobId_); });
    connect(update0_, &QPushButton::clicked, this, [this] {
        if (targets_.updateDevice) targets_.updateDevice(0);
    });
    connect(update1_, &QPushButton::clicked, this, [this] {
        if (targets_.updateDevice) targets_.updateDevice(1);
    });

    setTargets({});
    refreshCaption();
    adjustSize();
    setFixedSize(sizeHint().expandedTo(QSize(640, 0)));
    if (QScreen* screen = QApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void MainWindow::setTargets(Targets targets) {
    targets_ = std::move(targets);
    newProject_->setEnabled(bool(targets_.newProject));
    about_->setEnabled(targets_.about != nullptr);
    setCommunication_->setEnabled(targets_.communication != nullptr);
    setCobId_->setEnabled(targets_.cobId != nullptr);
    update0_->setEnabled(bool(targets_.updateDevice));
    update1_->setEnabled(bool(targets_.updateDevice));
}

void MainWindow::refreshCaption() {
    setWindowTitle(ToQString(form_.Caption()));
}

void MainWindow::setStatus(const std::string& text) {
    form_.status = text;
    status_->setText(ToQString(text));
}

void MainWindow::showModal(QDialog* dialog) {
    if (dialog) dialog->exec();
}

void MainWindow::btn_str_lng1aClick(QPushButton* sender) {
    if (!form_.CheckProjectValid()) return;
    if (sender == setCobId_) showModal(targets_.cobId);
    if (sender == setCommunication_) showModal(targets_.communication);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    form_.FormClose();
    event->accept();
}

} // namespace zantor::gui
