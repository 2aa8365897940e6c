#include "windowparts/plainbutton.h"

#include <QPushButton>

QPushButton* PlainButton(QWidget* parent, const QString& name, const QString& caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}
