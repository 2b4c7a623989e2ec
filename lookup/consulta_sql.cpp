#include "lookup/consulta_sql.h"

#include "data/db_dll.h"
#include "data/instances.h"
#include "lookup/consultas_zub.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/vb.h"
#include "platform/win/clsutilidades.h"
#include "platform/win/quindel2.h"
#include "startup/core/cns_pasos.h"
#include "startup/core/cnstuffcontable.h"

#include <QFileInfo>
#include <climits>
#include <cmath>

namespace {

using CNStuffContable::detail::Intenta;

bool Vacio(const QString& texto) {
    return texto.trimmed().isEmpty();
}

bool Es(const QString& texto, const char16_t* nombre) {
    return texto.compare(QStringView(nombre), Qt::CaseInsensitive) == 0;
}

// A condition given with its WHERE keeps only the condition, so that every
// form below puts the keyword in once.
QString SinPalabraWhere(const QString& condicion) {
    const QString t = condicion.trimmed();
    if (t.startsWith(u"WHERE", Qt::CaseInsensitive) &&
        (t.size() == 5 || t.at(5).isSpace() || t.at(5) == u'('))
        return t.mid(5).trimmed();
    return condicion;
}

// The condition in parentheses, so that it binds as a whole after the
// statement's own condition or keyword.
QString EnvuelveCondicion(const QString& condicion) {
    QString w = SinPalabraWhere(condicion);
    if (w.trimmed().size() > 1 && !w.startsWith(u'('))
        w = QStringLiteral(" (") + w + QStringLiteral(") ");
    return w;
}

// The table's columns in reverse order (one sample row read), with the
// search column they give.
QString DesdeColumnas(const QString& tabla, QString& CampoBusqueda, const QString& Where,
                      const QString& SentenciaOpcional, int n) {
    if (!SentenciaOpcional.isEmpty())
        return SentenciaOpcional;
    QString campos;
    if (Es(tabla, u"V_TA_DEPOSITO")) {
        campos = QStringLiteral("Descripcion,IdDeposito,UnidadNegocio");
        CampoBusqueda = QStringLiteral("IDDEPOSITO");
    } else {
        const bool tomaTodos = Es(tabla, u"v_mv_mutuales") || Es(tabla, u"V_MV_TROPA_STOCK");
        ado::RecordsetPtr rs = ado::Recordset::create();
        Intenta([&] {
            gDatos().AbrirRecordset(QStringLiteral("select top 1 * from ") + tabla, rs, nullptr, 0,
                                    1, -1, true);
        });
        Intenta([&] {
            if (rs->State() == ado::adStateClosed)
                return;
            for (int i = 0; i < rs->fieldCount(); ++i) {
                const QString N = rs->Fields(i).Name();
                bool busqueda = campos.isEmpty();
                if (Es(N, u"ID") || Es(N, u"FECHAHORA_MODIFICACION") ||
                    Es(N, u"FECHAHORA_GRABACION")) {
                    if (!tomaTodos)
                        continue;
                    busqueda = true;
                } else if (Es(N, u"DESCRIPCION") || Es(N, u"NOMBRE") || Es(N, u"DETALLE")) {
                    busqueda = true;
                }
                if (busqueda)
                    CampoBusqueda = N;
                campos = N + QLatin1Char(',') + campos;
            }
        });
        Intenta([&] { gDatos().CierraRecordset(rs); });
    }
    if (Vacio(campos))
        campos = QStringLiteral(" * ");
    else if (campos.endsWith(u','))
        campos.chop(1);
    QString sql = QStringLiteral("SELECT TOP ") + QString::number(n) + QLatin1Char(' ') + campos +
                  QStringLiteral(" FROM ") + tabla +
                  (Vacio(Where) ? QString() : QStringLiteral(" WHERE ")) + QLatin1Char(' ') + Where;
    // Without a search column there is nothing to order by; "ORDER BY" alone
    // would make the whole statement fail.
    if (!Vacio(CampoBusqueda))
        sql += QStringLiteral(" ORDER BY ") + CampoBusqueda;
    return sql;
}

} // namespace

int LimiteConsulta() {
    double valor = 0;
    Intenta([&] {
        valor = std::nearbyint(vb::Val(CNStuffContable::Cfg(QStringLiteral("TopConsArt"))));
    });
    // TOP takes no negative count; those, like 0, mean the default.
    if (!(valor >= 1 && valor <= INT_MAX))
        return 1000;
    return int(valor);
}

std::optional<QString> ArmaSentenciaConsulta(const QString& SQL, QString& CampoBusqueda,
                                             QString& Where, const QString& SentenciaOpcional,
                                             bool UsarMascaras, const QString& RutaMascara) {
    QString sql = SQL;
    Intenta([&] { Where = EnvuelveCondicion(Where); });
    const int n = LimiteConsulta();

    if (sql.contains(u"SELECT", Qt::CaseInsensitive)) {
        Intenta([&] {
            sql = ClsUtilidades::ReemplazaTexto(sql, QStringLiteral("V_MA_ARTICULOS"),
                                                QStringLiteral("VT_MA_ARTICULOS"));
        });
        Intenta([&] {
            if (Vacio(Where))
                return;
            Where = QStringLiteral(" WHERE ") + Where;
            sql += Where;
        });
        return sql;
    }
    if (!UsarMascaras)
        return DesdeColumnas(sql, CampoBusqueda, Where, SentenciaOpcional, n);

    if (!QFileInfo(quindel2::localPath(RutaMascara)).isFile())
        return sql;
    std::optional<consultas_zub::MascaraConsulta> mascara;
    Intenta([&] { mascara = consultas_zub::BuscaMascara(RutaMascara, sql); });
    if (!mascara)
        return DesdeColumnas(sql, CampoBusqueda, Where, SentenciaOpcional, n);

    QString tabla = mascara->Tabla;
    QString campos = ClsUtilidades::CambiaCaracter(mascara->Campos.trimmed(), QStringLiteral("|"),
                                                   QStringLiteral(","));
    if (campos.startsWith(u','))
        campos.remove(0, 1);
    if (campos.endsWith(u','))
        campos.chop(1);
    if (Vacio(campos))
        campos = QStringLiteral("*");

    if (CampoBusqueda.isEmpty()) {
        const qsizetype coma = campos.indexOf(u',');
        if (coma < 0) {
            Intenta([] {
                vb::MsgBox(QStringLiteral("Debe configurar la consulta para esta tabla"),
                           vb::vbInformation, QStringLiteral("Aviso al operador"));
            });
            return std::nullopt;
        }
        CampoBusqueda = campos.left(coma);
    }

    QString condicion = mascara->Condicion;
    if (Vacio(condicion) && !Vacio(Where))
        condicion = Where;
    if (Es(tabla, u"VT_PROVEEDORES") || Es(tabla, u"VT_CLIENTES")) {
        if (Vacio(condicion))
            condicion = QStringLiteral("Dada_De_Baja = 0");
    } else if (Es(tabla, u"V_MA_ARTICULOS")) {
        tabla = QStringLiteral("VT_MA_ARTICULOS");
        if (Vacio(condicion))
            condicion = QStringLiteral("SUSPENDIDO = 0");
    }

    const QString filtro = Vacio(condicion) ? QString() : QStringLiteral(" WHERE ");
    const QString inicio = QStringLiteral("SELECT TOP ") + QString::number(n) + QLatin1Char(' ') +
                           campos + QStringLiteral(" FROM ") + tabla;
    if (CampoBusqueda.isEmpty())
        return inicio + QStringLiteral(" with(nolock) ") + filtro + condicion;
    return inicio + QStringLiteral("  with(nolock) ") + filtro + condicion +
           QStringLiteral(" ORDER BY ") + CampoBusqueda;
}
