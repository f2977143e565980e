#include "app/NewProjectDialog.h"

#include "platform/QtPorts.h"
#include "platform/Widgets.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace zantor::gui {

NewProjectDialog::NewProjectDialog(NewProjectForm& form, QWidget* parent)
    : QDialog(parent), form_(form), label_(new QLabel("Project name", this)), edit_(new QLineEdit(this)) {
    setObjectName("TFsaveproj");
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setModal(true);

    edit_->setObjectName("Edit1");
    edit_->setAccessibleName("Project name");
    edit_->setMinimumWidth(320);
    label_->setBuddy(edit_);

    auto* ok = NamedButton("OK", "BitBtn1", this, QStyle::SP_DialogOkButton);
    ok->setDefault(true);
    auto* cancel = NamedButton("Cancel", "BitBtn2", this, QStyle::SP_DialogCancelButton);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label_);
    layout->addWidget(edit_);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(ok, &QPushButton::clicked, this, &NewProjectDialog::BitBtn1Click);
    connect(cancel, &QPushButton::clicked, this, &NewProjectDialog::BitBtn2Click);
    connect(edit_, &QLineEdit::textEdited, this,
            [this](const QString& text) { form_.Edit1 = ToStdString(text); });
}

void NewProjectDialog::showEvent(QShowEvent* event) {
    form_.FormShow();
    setWindowTitle(ToQString(form_.caption));
    label_->setVisible(form_.labelVisible);
    edit_->setText(ToQString(form_.Edit1));
    QDialog::showEvent(event);
    edit_->setFocus();
}

void NewProjectDialog::BitBtn1Click() {
    form_.Edit1 = ToStdString(edit_->text());
    if (form_.BitBtn1Click())
        QDialog::done(Accepted);
    else
        edit_->setFocus();
}

void NewProjectDialog::BitBtn2Click() {
    form_.BitBtn2Click();
    QDialog::done(Rejected);
}

// Escape ends up here too: it cancels like the Cancel button.
void NewProjectDialog::done(int result) {
    if (result == Rejected) form_.BitBtn2Click();
    QDialog::done(result);
}

} // namespace zantor::gui
