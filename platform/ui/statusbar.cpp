#include "platform/ui/statusbar.h"

#include <QLabel>

namespace {
const char* const kClave = "Key";
}

StatusBar::StatusBar(QWidget* parent) : QStatusBar(parent) {
    setSizeGripEnabled(false);
}

QLabel* StatusBar::AddPanel(const QString& Key, int Stretch) {
    auto* panel = new QLabel(this);
    panel->setObjectName(Key);
    panel->setProperty(kClave, Key);
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setFrameShadow(QFrame::Sunken);
    addWidget(panel, Stretch);
    return panel;
}

QLabel* StatusBar::Panel(const QString& Key) const {
    for (QLabel* panel : findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly))
        if (panel->property(kClave).toString().compare(Key, Qt::CaseInsensitive) == 0)
            return panel;
    return nullptr;
}
