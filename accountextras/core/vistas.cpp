#include "accountextras/core/vistas.h"

#include "accountextras/core/interno.h"
#include "accountextras/core/rangos.h"
#include "accounts/core/interno.h"
#include "data/db_dll.h"
#include "data/instances.h"
#include "platform/sql/quoting.h"
#include "platform/vb/programend.h"
#include "platform/win/clsutilidades.h"

#include <exception>

namespace cuentasadic {

const std::array<CampoOpcional, 3>& CamposOpcionales() {
    static const std::array<CampoOpcional, 3> campos = {{
        {QStringLiteral("Condición de Compra Venta"), QStringLiteral("IDCOND_Cpra_Vta"), 0},
        {QStringLiteral("Limite de Crédito"), QStringLiteral("LIMITE_CREDITO"), 3},
        {QStringLiteral("Categoría"), QStringLiteral("IDCATEGORIA"), 1},
    }};
    return campos;
}

std::optional<VistaDeCampos> DeterminaVista(const QString& Cuenta) {
    std::optional<VistaDeCampos> resultado;
    QString vista;
    // Every label between two bars.
    QString lista = QStringLiteral("|");
    enum { Rango, Campos, Decide };
    pasos::RunSteps(
        [&](int paso) -> int {
            switch (paso) {
            case Rango:
                if (const auto rango = RangoDeCuenta(Cuenta))
                    vista = rango->Vista;
                return vista.isEmpty() ? -1 : Campos;
            case Campos: {
                ado::RecordsetPtr rs = cuentas::interno::Consulta(interno::SentenciaVista(vista));
                for (; !rs->EOF(); rs->MoveNext())
                    lista +=
                        ClsUtilidades::ValorCampo(rs->value(QStringLiteral("Campo"))).trimmed() +
                        u'|';
                cuentas::interno::Cierra(rs);
                return Decide;
            }
            case Decide: {
                VistaDeCampos v;
                v.MasDatos = !ClsUtilidades::LimpiaTexto(lista, QStringLiteral("|")).isEmpty();
                if (v.MasDatos)
                    for (size_t i = 0; i < v.Visible.size(); ++i)
                        v.Visible[i] =
                            lista.contains(CamposOpcionales()[i].Etiqueta, Qt::CaseInsensitive);
                resultado = v;
                return -1;
            }
            }
            return -1;
        },
        interno::Recuadro(QStringLiteral("DeterminaVista")), Rango, pasos::Trap::AllErrors);
    return resultado;
}

namespace {

bool EmpiezaCon(const QString& texto, const char* prefijo) {
    return texto.startsWith(QLatin1String(prefijo), Qt::CaseInsensitive);
}

// The caption of one label: "..." for a blank field, the description of the
// code found, nothing when the code is missing.
std::optional<QString> Leyenda(const QString& Tabla, const QString& CampoDatos,
                               const QString& Valor) {
    if (Valor.isEmpty())
        return QStringLiteral("...");
    const QString clave = EmpiezaCon(Tabla, "V_TA_") ? CampoDatos : QStringLiteral("CODIGO");
    DB_Dll& datos = gDatos();
    ado::RecordsetPtr rs;
    const bool existe = datos.ExisteEnTabla(Tabla, QString(), clave, &rs, 8,
                                            QStringLiteral(" WHERE LTRIM(RTRIM(") + clave +
                                                QStringLiteral(")) = ") + sqltext::literal(Valor),
                                            true);
    std::optional<QString> texto;
    if (existe)
        texto = ClsUtilidades::ValorCampo(
            rs->value(Tabla.compare(u"V_TA_VENDEDORES", Qt::CaseInsensitive) == 0
                          ? QStringLiteral("NOMBRE")
                          : QStringLiteral("DESCRIPCION")));
    if (rs)
        datos.CierraRecordset(rs);
    return texto;
}

} // namespace

Descripciones MostrarDescripcion(const QString& CampoDatos, const QString& TagCampo,
                                 const QString& TextoCampo, const EtiquetasDetalle& Detalles) {
    Descripciones r;
    try {
        for (const auto& [indice, tag] : Detalles) {
            const QString t = tag.trimmed();
            const bool tabla = (!t.isEmpty() && EmpiezaCon(t, "TA_")) || EmpiezaCon(t, "V_TA_");
            if (!tabla || t.compare(TagCampo.trimmed(), Qt::CaseInsensitive) != 0)
                continue;
            const std::optional<QString> leyenda = Leyenda(t, CampoDatos, TextoCampo.trimmed());
            if (!leyenda) {
                r.Mensaje = MsgCodigoIncorrecto;
                r.HayError = true;
                return r;
            }
            r.Leyendas.emplace_back(indice, *leyenda);
        }
    } catch (const vb::ProgramEnded&) {
        throw;
    } catch (const std::exception&) {
        r.HayError = true;
    }
    return r;
}

} // namespace cuentasadic
