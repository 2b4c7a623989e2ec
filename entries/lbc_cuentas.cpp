// Account checks and fixed-asset identifiers.

#include "data/instances.h"
#include "entries/lbc_asiento.h"
#include "entries/lbc_interno.h"
#include "platform/sql/quoting.h"
#include "platform/vb/errors.h"
#include "platform/vb/vb.h"
#include "platform/win/clsutilidades.h"

#include <functional>

using namespace lbc;

namespace {

// The largest stored identifier plus one, as text; "1" when there is none.
QString Siguiente(const QVariant& maximo) {
    if (vb::IsNull(maximo))
        return QStringLiteral("1");
    if (maximo.typeId() == QMetaType::QString && !vb::IsNumeric(maximo))
        vb::Raise(vb::errTypeMismatch);
    return Decimal(vb::CDbl(maximo) + 1).trimmed();
}

QString LeeSiguiente(const QString& rutina, const std::function<QString()>& sentencia) {
    QString resultado;
    QString sql;
    ado::RecordsetPtr rs;
    Atrapa(rutina, {
                       [&] { sql = sentencia(); },
                       [&] { Abre(sql, rs); },
                       [&] { resultado = Siguiente(rs->EOF() ? vb::Null() : rs->value(0)); },
                   });
    Suelta(rs);
    return resultado;
}

} // namespace

bool Lbc_Asiento::CuentaImputable(const QString& Cuenta) {
    bool resultado = false;
    ado::RecordsetPtr rs;
    Atrapa(QStringLiteral("CuentaImputable"),
           {[&] {
                const QString codigo =
                    ClsUtilidades::LimpiaTexto(Cuenta.trimmed(), QString(QChar(0)));
                Abre(QStringLiteral("SELECT * FROM MA_CUENTAS WHERE CODIGO =") +
                         sqltext::literal(codigo) +
                         QStringLiteral(" AND DADA_DE_BAJA=0 AND BLOQUEO = 0"),
                     rs);
            },
            [&] { resultado = !rs->EOF() && !Marcado(rs->value(QStringLiteral("Titulo"))); }});
    Suelta(rs);
    return resultado;
}

std::int16_t Lbc_Asiento::CalculoDV(const QVariant& Cuenta) {
    if (vb::IsNull(Cuenta))
        vb::Raise(vb::errInvalidUseOfNull);
    const QString codigo = vb::CStr(Cuenta);
    int suma = 0;
    int peso = 9;
    for (const QChar c : codigo) {
        if (peso == -1)
            peso = 9;
        const int valor = (c >= u'0' && c <= u'9') ? c.unicode() - u'0' : 0;
        suma += peso * valor;
        peso -= 2;
    }
    while (suma > 99)
        suma /= 10;
    return static_cast<std::int16_t>(suma);
}

QString Lbc_Asiento::UltimoIDBienDeUso() {
    return LeeSiguiente(QStringLiteral("UltimoIdBienDeUso"), [] {
        return QStringLiteral("SELECT MAX(CODIGO) AS [ELCODIGO] FROM MA_BIENES");
    });
}

QString Lbc_Asiento::UltimoIDNovedadBienDeUso(const QString& CodigoBien) {
    // The asset code is compared as a number: it goes in bare.
    return LeeSiguiente(QStringLiteral("UltimoIdNovedadBienDeUso"), [&CodigoBien] {
        return QStringLiteral("SELECT MAX(ID) AS [ELID] FROM MA_BIENES_novedades WHERE CODIGO = ") +
               Num(CodigoBien);
    });
}

bool Lbc_Asiento::ExisteDatosAdicionales(const QString& Valor_Buscado, ado::RecordsetPtr& LRsTmp) {
    bool resultado = false;
    Atrapa(QStringLiteral("ExisteDatosAdicionales"),
           {
               [&] { gDatos().CierraRecordset(LRsTmp); },
               [&] {
                   Abre(QStringLiteral("SELECT * FROM MA_CUENTASADIC WHERE Codigo = ") +
                            sqltext::literal(Valor_Buscado.trimmed()),
                        LRsTmp);
               },
               [&] { resultado = !LRsTmp->EOF(); },
               [&] { gDatos().CierraRecordset(LRsTmp); },
           });
    return resultado;
}

bool Lbc_Asiento::ExisteCuentas(const QString& Valor_Buscado, QVariant* Tipo, QVariant* NombreLeido,
                                QVariant* BiendeUso, QVariant* Ajustable) {
    bool resultado = false;
    ado::RecordsetPtr rs;
    Atrapa(QStringLiteral("ExisteCuentas"),
           {[&] {
                Abre(QStringLiteral("SELECT * FROM MA_CUENTAS WHERE Codigo = ") +
                         sqltext::literal(Valor_Buscado.trimmed()),
                     rs);
            },
            [&] { return !rs->EOF(); },
            [&] {
                // Only a set flag refuses; a Null one passes.
                return !Marcado(rs->value(QStringLiteral("DADA_DE_BAJA"))) &&
                       !Marcado(rs->value(QStringLiteral("BLOQUEO")));
            },
            [&] { resultado = true; },
            [&] {
                if (Tipo)
                    *Tipo = rs->value(QStringLiteral("Titulo"));
                if (NombreLeido)
                    *NombreLeido = rs->value(QStringLiteral("Descripcion"));
                if (BiendeUso)
                    *BiendeUso = rs->value(QStringLiteral("BIENES"));
                if (Ajustable)
                    *Ajustable = rs->value(QStringLiteral("Ajuste"));
            }});
    if (rs)
        gDatos().CierraRecordset(rs);
    return resultado;
}
