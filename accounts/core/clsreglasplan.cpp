#include "accounts/core/clsreglasplan.h"

#include "accounts/core/interno.h"
#include "accounts/core/mensajes.h"
#include "accounts/core/niveles.h"
#include "entries/lbc_asiento.h"
#include "platform/sql/quoting.h"
#include "platform/win/clsutilidades.h"

namespace {

using cuentas::NivelesPlan;
using cuentas::interno::HayFila;

// The code as judged: trimmed, without the level separators.
QString Limpio(const QString& Codigo) {
    return ClsUtilidades::LimpiaTexto(Codigo.trimmed(), QStringLiteral("-")).trimmed();
}

} // namespace

std::int16_t ClsReglasPlan::DigitoVerificador(const QString& Codigo) {
    return Lbc_Asiento::CalculoDV(Limpio(Codigo));
}

bool ClsReglasPlan::TieneMovimientos(const QString& Codigo) {
    return HayFila(QStringLiteral("SELECT TOP 1 CUENTA FROM MV_ASIENTOS WHERE CUENTA = ") +
                   sqltext::literal(Limpio(Codigo)));
}

bool ClsReglasPlan::ValidaCodigoImputable(const QString& Codigo, QString& Mensaje) {
    if (ValidaCantidadDigitos(Codigo))
        return true;
    Mensaje = cuentas::MsgCantidadDigitos;
    return false;
}

bool ClsReglasPlan::ValidaCodigoTitulo(const QString& Codigo, QString& Mensaje) {
    if (NivelesPlan::Lee().AnchoNivelSiguiente(int(Limpio(Codigo).size())) > 0)
        return true;
    Mensaje = cuentas::MsgNoPuedeSerTitulo;
    return false;
}

bool ClsReglasPlan::ValidaCantidadDigitos(const QString& Codigo) {
    return NivelesPlan::Lee().EsFinDeNivel(int(Limpio(Codigo).size()));
}

bool ClsReglasPlan::TieneSubcuentas(const QString& Codigo) {
    const QString codigo = Limpio(Codigo);
    if (codigo.isEmpty())
        return false;
    return HayFila(QStringLiteral("SELECT TOP 1 CODIGO FROM MA_CUENTAS WHERE CODIGO LIKE ") +
                   sqltext::likeStarting(codigo) + QStringLiteral(" AND LEN(CODIGO) > ") +
                   QString::number(codigo.size()));
}
