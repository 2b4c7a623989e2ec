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

// Titles of the boxes.
inline const QString TituloAvisoOperador = QStringLiteral("Aviso al Operador");

} // namespace cuentas
