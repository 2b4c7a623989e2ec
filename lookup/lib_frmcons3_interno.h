#pragma once
// Helpers shared by the source files of the list lookup window.

#include "data/pasos.h"
#include "platform/ui/teclas.h"

#include <QColor>
#include <QString>
#include <QVariant>
#include <vector>

class QKeyEvent;

namespace frmcons3 {

// The header of the quantity column.
inline const QString kColumnaCantidad = QStringLiteral("**Cantidad**");
// Code given to a key that none of the window's key ranges holds.
inline constexpr int kTeclaOtra = 255;

// Error treatment of a routine that reports under its name and acts on the
// answer (4 retry the step, 5 go on, anything else leave).
pasos::OnError CajaOperador(const QString& rutina);
// Runs the steps with every error passed over.
void Ignorando(const std::vector<pasos::Step>& lista);

bool Igual(const QString& a, const QString& b);
// A Windows colour number (0x00BBGGRR, as number or text); invalid
// when the value is blank.
QColor ColorVB(const QVariant& valor);
// The key's Windows key code, and its Shift state
// (1 Shift, 2 Ctrl, 4 Alt).
// The runtime's key code; kTeclaOtra for a key without one.
inline int CodigoTecla(const QKeyEvent& e) {
    const int codigo = ui::vbKeyCode(e);
    return codigo ? codigo : kTeclaOtra;
}

} // namespace frmcons3
