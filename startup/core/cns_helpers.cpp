#include "startup/core/cnstuffcontable.h"

#include "data/instances.h"
#include "platform/vb/vb.h"

#include <QFile>
#include <QFileInfo>

namespace CNStuffContable {

bool EsVerdadero(const QString& Texto) {
    const QString t = Texto.toUpper();
    return !(t == u"FALSE" || t == u"FALSO" || t == u"0");
}

QString FormatoFecha() {
    return QStringLiteral("dd/mm/yy");
}
QString FormatoHora() {
    return QStringLiteral("hh:mm");
}
QString FormatoFechaHora() {
    return QStringLiteral("dd/mm/yy hh:mm");
}

bool ExisteArchivo(const QString& Ruta) {
    if (Ruta.isEmpty() || QFileInfo(Ruta).isDir())
        return false;
    QFile f(Ruta);
    const bool ok = f.open(QIODevice::ReadOnly);
    f.close();
    return ok;
}

QString TextoDespuesDeBarra(const QString& Texto) {
    const qsizetype p = Texto.indexOf(u'/');
    return p < 0 ? Texto : Texto.mid(p + 1);
}

QDateTime FechaServidor() {
    ado::RecordsetPtr rs = ado::Recordset::create();
    gDatos().AbrirRecordset(QStringLiteral("select getDate() as fecha"), rs, nullptr, 0, 1, -1,
                            true);
    QDateTime resultado;
    if (!rs->EOF()) {
        // Through the day-first text, so fractions of a second are dropped.
        const QString texto =
            vb::Format(rs->value(QStringLiteral("fecha")), QStringLiteral("dd/mm/yyyy hh:mm:ss"));
        resultado = vb::ParseDate(texto).value_or(QDateTime());
    } else {
        const QDate hoy = vb::Date();
        resultado = vb::MakeDate(hoy.year(), hoy.month(), hoy.day());
    }
    gDatos().CierraRecordset(rs);
    return resultado;
}

} // namespace CNStuffContable

namespace LBM_Common1 {

QString FormateaNroComprobante(const QString& Sucursal, const QString& Numero,
                               const QString& Letra) {
    return vb::Format(vb::Val(Sucursal), QStringLiteral("0000")) + u'-' +
           vb::Format(vb::Val(Numero), QStringLiteral("00000000")) + Letra.left(1);
}

} // namespace LBM_Common1
