#include "platform/Widgets.h"

namespace zantor::gui {

QPushButton* NamedButton(const QString& text, const char* name, QWidget* parent,
                         QStyle::StandardPixmap icon) {
    auto* b = icon == QStyle::SP_CustomBase
                  ? new QPushButton(text, parent)
                  : new QPushButton(parent->style()->standardIcon(icon), text, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

} // namespace zantor::gui
