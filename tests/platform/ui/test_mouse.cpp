// Mouse presses as the windows' field handlers receive them.

#include "platform/ui/mouse.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <gtest/gtest.h>

// A disabled field (itself or through its frame) answers no button; a locked
// one answers all but the right button, which would open its lookup.
TEST(Mouse, ButtonsOfEnabledDisabledAndLockedFields) {
    QGroupBox marco;
    QLineEdit libre, bloqueada, deshabilitada, enMarco(&marco);
    bloqueada.setReadOnly(true);
    deshabilitada.setEnabled(false);
    marco.setEnabled(false);
    const struct {
        const QLineEdit* campo;
        int izquierdo, derecho, medio;
    } casos[] = {
        {&libre, 1, 2, 4},
        {&bloqueada, 1, 0, 4},
        {&deshabilitada, 0, 0, 0},
        {&enMarco, 0, 0, 0},
    };
    const auto boton = [](const QLineEdit& campo, Qt::MouseButton b) {
        const QMouseEvent e(QEvent::MouseButtonPress, QPointF(2, 2), QPointF(2, 2), b, b,
                            Qt::NoModifier);
        return ui::vbMouseButton(campo, e);
    };
    for (const auto& c : casos) {
        const qsizetype n = &c - casos;
        EXPECT_EQ(boton(*c.campo, Qt::LeftButton), c.izquierdo) << n;
        EXPECT_EQ(boton(*c.campo, Qt::RightButton), c.derecho) << n;
        EXPECT_EQ(boton(*c.campo, Qt::MiddleButton), c.medio) << n;
    }
}
