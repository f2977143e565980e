#pragma once

#include <QPushButton>
#include <QStyle>

namespace zantor::gui {

// A push button carrying the object name the program's documents give it. It never becomes the
// default by taking focus; a dialog names its default button itself.
QPushButton* NamedButton(const QString& text, const char* name, QWidget* parent,
                         QStyle::StandardPixmap icon = QStyle::SP_CustomBase);

} // namespace zantor::gui
