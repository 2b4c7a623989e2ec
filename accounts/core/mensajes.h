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

// A custom field's value that its column cannot hold as it is shown.
inline const QString MsgValorNumero = QStringLiteral("El valor debe ser un número");
inline const QString MsgValorEntero = QStringLiteral("El valor debe ser un número entero");
inline const QString MsgValorFecha =
    QStringLiteral("El valor debe ser una fecha válida (dd/mm/aaaa)");
inline const QString MsgValorBooleano = QStringLiteral("El valor debe ser Verdadero o Falso");
inline QString MsgValorRango(const QString& Minimo, const QString& Maximo) {
    return QStringLiteral("El valor debe estar en un rango de %1 a %2").arg(Minimo, Maximo);
}
inline QString MsgValorDecimales(int Cantidad) {
    return Cantidad == 1
               ? QStringLiteral("El valor no puede tener más de 1 decimal")
               : QStringLiteral("El valor no puede tener más de %1 decimales").arg(Cantidad);
}
inline QString MsgValorEnteros(int Cantidad) {
    return Cantidad == 0
               ? QStringLiteral("El valor debe ser menor que 1")
               : QStringLiteral("El valor no puede tener más de %1 dígitos enteros").arg(Cantidad);
}
inline QString MsgValorLargo(long Cantidad) {
    return QStringLiteral("El valor no puede superar los %1 caracteres").arg(Cantidad);
}

// Titles of the boxes.
inline const QString TituloAvisoOperador = QStringLiteral("Aviso al Operador");

} // namespace cuentas
