#include "accounts/core/interno.h"

#include "data/instances.h"
#include "platform/vb/vb.h"

namespace cuentas::interno {

ado::RecordsetPtr Consulta(const QString& sql, bool corrido) {
    ado::RecordsetPtr rs = ado::Recordset::create();
    rs->setStreaming(corrido);
    gDatos().AbrirRecordset(sql, rs, gDatos().cnn(), ado::adOpenForwardOnly, ado::adLockReadOnly,
                            -1, true);
    if (!rs)
        rs = ado::Recordset::create();
    return rs;
}

bool HayFila(const QString& sql) {
    ado::RecordsetPtr rs = Consulta(sql);
    const bool hay = !rs->EOF();
    Cierra(rs);
    return hay;
}

void Cierra(ado::RecordsetPtr& rs) {
    if (rs)
        gDatos().CierraRecordset(rs);
}

bool Marcado(const QVariant& valor) {
    if (vb::IsNull(valor) || vb::IsEmpty(valor))
        return false;
    if (valor.typeId() == QMetaType::Bool)
        return valor.toBool();
    return vb::CDbl(valor) != 0;
}

} // namespace cuentas::interno
