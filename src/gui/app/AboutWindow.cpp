#include "app/AboutWindow.h"

#include "app/Logo.h"
#include "app/MainForm.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace zantor::gui {

AboutWindow::AboutWindow(MainForm& mainForm, QWidget* parent) : QDialog(parent) {
    setObjectName("TFAbout");
    setWindowTitle("About...");
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setModal(true);

    auto* logo = new Logo(this);
    logo->setObjectName("Image2");
    logo->setFixedSize(140, 140);
    logo->setAccessibleName("Product page");

    auto* title = new QLabel("Software Zantor ", this);
    QFont big = title->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.6);
    title->setFont(big);
    auto* subtitle = new QLabel("CAN to CAN Filter Fiber Optic", this);

    auto* facts = new QGridLayout;
    const char* rows[][2] = {
        {"Software Code : ", "KB40913RT"}, {"Version :", "1.000"}, {"Document Code :", "KD40913RT"}};
    for (int r = 0; r < 3; ++r) {
        facts->addWidget(new QLabel(rows[r][0], this), r, 0);
        facts->addWidget(new QLabel(rows[r][1], this), r, 1);
    }
    facts->setColumnStretch(1, 1);

    auto* link = new QLabel(QStringLiteral("<a href=\"%1\" style=\"color:blue\">%2</a>")
                                .arg(QString::fromLatin1(kProductPage), QString::fromLatin1(kMakerSite)),
                            this);
    link->setObjectName("Label4");
    link->setCursor(Qt::PointingHandCursor);
    link->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    link->setAccessibleName("Product page");

    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("OK");
    ok->setDefault(true);

    auto* text = new QVBoxLayout;
    text->addWidget(title);
    text->addWidget(subtitle);
    text->addSpacing(8);
    text->addLayout(facts);
    text->addSpacing(8);
    text->addWidget(link);
    text->addStretch();

    auto* top = new QHBoxLayout;
    top->addWidget(logo, 0, Qt::AlignTop);
    top->addSpacing(12);
    top->addLayout(text, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(logo, &Logo::clicked, this, [&mainForm] { mainForm.OpenProductPage(); });
    connect(link, &QLabel::linkActivated, this, [&mainForm] { mainForm.OpenProductPage(); });
}

} // namespace zantor::gui
