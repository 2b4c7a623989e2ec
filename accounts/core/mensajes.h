#pragma once
// The chart's own texts for refused codes and rows, shown by the accounts
// window exactly as written here.

#include <QString>

namespace cuentas {

inline const QString MsgAlfanumericas =
    QStringLiteral(" No esta permitido ingresar cuentas \rAlfanuméricas en esta configuración");
inline const QString MsgCantidadDigitos =
    QStringLiteral("La cuenta Ingresada no es correcta verifique la cantidad de Digitos");
inline const QString MsgNoPuedeSerTitulo =
    QStringLiteral("La cantidad de digitos ingresados, no permite que sea cuenta Titulo!");
inline const QString MsgLongitudCodigo =
    QStringLiteral("La longitud de la cuenta no puede superar los 15 caracteres!!!");
// A save that finds the row otherwise than the window loaded it.
inline const QString MsgCambiadaPorOtro =
    QStringLiteral("La cuenta fue modificada por otro usuario después de cargarla. Cárguela "
                   "nuevamente para ver sus datos actuales.");
inline const QString MsgBorradaPorOtro =
    QStringLiteral("La cuenta fue eliminada por otro usuario después de cargarla. No se grabaron "
                   "los cambios.");
inline const QString MsgAltaPorOtro =
    QStringLiteral("La cuenta ingresada ya fue dada de alta por otro usuario. Cárguela "
                   "nuevamente para ver sus datos.");

// Titles of the boxes.
inline const QString TituloAvisoOperador = QStringLiteral("Aviso al Operador");

} // namespace cuentas
