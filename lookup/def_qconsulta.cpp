#include "lookup/def_qconsulta.h"

#include "platform/vb/vb.h"
#include "platform/win/clsutilidades.h"
#include "platform/win/quindel2.h"

#include <QFileInfo>
#include <QStringView>

namespace Def_QConsulta {

namespace {

// One named table or view. A code column of nullptr is derived: "ID" and
// the name, as the caller wrote it, from character `desde` on, without one
// final S when `sinS`.
struct Fila {
    const char16_t* tabla;
    const char16_t* rsp;
    const char16_t* cl1;
    const char16_t* cl2;
    int desde = 0;
    bool sinS = false;
    const char16_t* renombra = nullptr;
};

constexpr const char16_t* D = u"DESCRIPCION";
constexpr const char16_t* d = u"Descripcion";

// In the order in which they are tested. The derived groups' exceptions are
// rows of their own, with the code column they take.
const Fila Filas[] = {
    {u"TA_COMPROBANTES", d, u"Codigo", u"", 0, false, u"VT_TA_Cpte"},
    {u"V_TA_Cpte", d, u"Codigo", u"", 0, false, u"VT_TA_Cpte"},
    {u"V_TA_PERCEPCION", D, u"IDPERCEPCION", u""},
    {u"V_TA_RETENCIONES", D, u"IDRETENCION", u""},
    {u"V_TA_UNIDADNEGOCIO", D, u"CODIGO", u""},
    {u"V_ta_PoliticaPrecios", d, u"codigo", u""},
    {u"V_TA_CATEGORIAARTICULO", D, u"idcategoria", u""},
    // Views: "ID" and the name after "V_TA_", without a final S.
    {u"V_TA_Cajas", D, u"IDCajas", u""},
    {u"V_TA_Bancos", D, nullptr, u"", 5, true},
    {u"V_TA_MotivoVta", D, nullptr, u"", 5, true},
    {u"V_TA_MotivoCpra", D, nullptr, u"", 5, true},
    {u"V_TA_Deposito", D, nullptr, u"", 5, true},
    {u"V_TA_Tecnicos", u"NOMBRE", nullptr, u"", 5, true},
    {u"V_TA_Tareas", D, nullptr, u"", 5, true},
    {u"V_TA_Unidad", D, nullptr, u"", 5, true},
    {u"V_TA_TipoArticulo", D, u"IDTIPO", u""},
    {u"V_TA_Rubros", D, nullptr, u"", 5, true},
    {u"V_TA_MotivoStock", D, nullptr, u"", 5, true},
    {u"V_TA_CPRA_VTA", D, u"IDCOND_CPRA_VTA", u""},
    {u"V_TA_CATEGORIA", D, nullptr, u"", 5, true},
    {u"V_TA_DESTINO", D, nullptr, u"", 5, true},
    {u"V_TA_ORIGEN", D, nullptr, u"", 5, true},
    // Person files: "ID" and the name from its 6th character, without a final S.
    {u"P_TA_NIVELESTUDIO", d, nullptr, u"", 5, true},
    {u"P_TA_CONOCIMIENTOS", d, nullptr, u"", 5, true},
    {u"P_TA_Categorizacion", d, nullptr, u"", 5, true},
    {u"P_TA_CentroMedico", d, nullptr, u"", 5, true},
    {u"P_TA_FormasDePago", d, nullptr, u"", 5, true},
    {u"P_MA_Empresas", u"NombreEmpresa", nullptr, u"", 5, true},
    {u"P_TA_ZONARESIDENCIA", d, nullptr, u"", 5, true},
    {u"P_TA_ObraSocial", d, nullptr, u"", 5, true},
    {u"P_TA_MotivoEgreso", d, nullptr, u"", 5, true},
    {u"P_TA_Grupos", d, nullptr, u"", 5, true},
    {u"P_TA_EstadoBusqueda", d, nullptr, u"", 5, true},
    {u"P_TA_Areas", d, nullptr, u"", 5, false},
    {u"P_TA_IDIOMAS", d, nullptr, u"", 5, true},
    {u"P_TA_TITULOs", d, nullptr, u"", 5, true},
    {u"P_TA_ESTADOPOSTULANTE", d, nullptr, u"", 5, true},
    {u"P_TA_Parentesco", d, nullptr, u"", 5, true},
    {u"P_TA_EstadoCivil", d, nullptr, u"", 5, true},
    {u"P_SINDICATOS", d, u"IdSindicato", u""},
    {u"P_TA_Funciones", D, nullptr, u"", 5, false},
    // Tables: "ID" and the name after "TA_", without a final S.
    {u"TA_Categoria", D, nullptr, u"", 3, true},
    {u"TA_Deposito", D, nullptr, u"", 3, true},
    {u"TA_MotivoStock", D, nullptr, u"", 3, true},
    {u"TA_TipoArticulo", D, u"IDTIPO", u""},
    {u"TA_Rubros", D, nullptr, u"", 3, true},
    {u"TA_CPRA_VTA", D, u"IDCOND_CPRA_VTA", u""},
    {u"P_MA_Clientes", u"RAZON_SOCIAL", u"IDCLIENTE", u""},
    {u"TA_Cpte", D, u"CODIGO", D},
    {u"V_TA_VENDEDORES", u"NOMBRE", u"idvendedor", u"NOMBRE"},
    {u"V_MA_ARTICULOS", D, nullptr, D, 5, true},
    {u"V_MV_COTIZAR", u"COT_OBSERVACIONES", u"IDARTICULO", u"COT_OBSERVACIONES"},
    {u"MA_ARTICULOS", D, nullptr, D, 3, true},
    {u"MA_MODELOS", u"NOMBRE", u"NOMBRE", u"NOMBRE"},
    {u"MA_CHOFERES", u"APELLIDO", u"CODIGO", u"NOMBRES"},
    {u"MA_DESTINATARIOS", u"NOMBRE", u"CODIGO", u"NOMBRE"},
    {u"MA_VEHICULOS", u"PATENTE,TIPO_VEHICULO,MARCA,MODELO,TIPO", u"PATENTE", u"MODELO"},
    {u"MV_EJERCICIOS", D, u"PERIODO", D},
    {u"TA_USUARIOS", u"NOMBRE", u"NOMBRE", u""},
};

bool Es(const QString& texto, QStringView nombre) {
    return texto.compare(nombre, Qt::CaseInsensitive) == 0;
}

QString CodigoDerivado(const QString& TB, const Fila& f) {
    QString codigo = QStringLiteral("ID") + TB.mid(f.desde);
    if (f.sinS && codigo.endsWith(u's', Qt::CaseInsensitive))
        codigo.chop(1);
    return codigo;
}

// Families of names, after the named rows.
bool PorPrefijo(const QString& TB, QString& Rsp, QString& Cl1, QString& Cl2) {
    const QString seis = TB.left(6).toUpper();
    auto pon = [&](const char16_t* r, const char16_t* c1, const char16_t* c2) {
        Rsp = QString::fromUtf16(r);
        Cl1 = QString::fromUtf16(c1);
        Cl2 = QString::fromUtf16(c2);
        return true;
    };
    if (TB.startsWith(u"TA_", Qt::CaseInsensitive))
        return pon(D, u"CODIGO", D);
    if (TB.startsWith(u"MA_", Qt::CaseInsensitive)) {
        if (seis == u"MA_PRO" || seis == u"MA_VEN" || seis == u"MA_TRA" || seis == u"MA_CON" ||
            seis == u"MA_AGE")
            return pon(u"Razon_Social", u"Codigo", u"Razon_Social");
        if (seis == u"MA_CLI")
            return pon(u"Razon_Social", u"Codigo", u"Codigo_sucursal");
        return pon(d, u"Codigo", d);
    }
    if (TB.startsWith(u"[MA", Qt::CaseInsensitive) && seis == u"[MA_CA")
        return pon(u"nombre", u"Codigo", u"nombre");
    if (TB.startsWith(u"MV_", Qt::CaseInsensitive) && seis == u"MV_PRO")
        return pon(u"ASUNTO", u"ID", u"ASUNTO");
    return false;
}

QString Sentencia(const QString& TB, const QString& Rsp, const QString& Cl1,
                  const QString& SQLWHERE) {
    return QStringLiteral("select ") + Rsp + QLatin1Char(',') + Cl1 + QStringLiteral(" from ") +
           TB + QLatin1Char(' ') + SQLWHERE;
}

} // namespace

void ColumnasPorDefecto(QString& TB, QString& Rsp, QString& Cl1, QString& Cl2) {
    for (const Fila& f : Filas) {
        if (!Es(TB, f.tabla))
            continue;
        Rsp = QString::fromUtf16(f.rsp);
        Cl1 = f.cl1 ? QString::fromUtf16(f.cl1) : CodigoDerivado(TB, f);
        Cl2 = QString::fromUtf16(f.cl2);
        if (f.renombra)
            TB = QString::fromUtf16(f.renombra);
        return;
    }
    PorPrefijo(TB, Rsp, Cl1, Cl2);
}

bool AplicaArchivoMascaras() {
    const QString ruta =
        ClsUtilidades::CarpetaConBarra(vb::AppPath()) + QStringLiteral("consultas.zub");
    if (!QFileInfo(quindel2::localPath(ruta)).isFile())
        return false;
    const QString programa = vb::AppExeName();
    return !Es(programa, u"talvoc") && !Es(programa, u"zmt") && !Es(programa, u"kqtrans");
}

std::optional<LlamadaConsulta> PreparaQConsulta(QString& TB, QString& Rsp, QString& Cl1,
                                                QString& Cl2, bool CmpDisplay,
                                                const QString& SQLWHERE) {
    ColumnasPorDefecto(TB, Rsp, Cl1, Cl2);
    if (AplicaArchivoMascaras()) {
        if (Es(TB, u"VT_CLIENTES") || Es(TB, u"VT_PROVEEDORES"))
            Cl1 = QStringLiteral("CODIGO");
        return LlamadaConsulta{Cl1, TB, SQLWHERE, Sentencia(TB, Rsp, Cl1, SQLWHERE)};
    }
    if (CmpDisplay) {
        if (Rsp.trimmed().isEmpty())
            Rsp = QStringLiteral(" * ");
        return LlamadaConsulta{Cl1, Sentencia(TB, Rsp, Cl1, SQLWHERE), QString(), QString()};
    }
    return std::nullopt;
}

} // namespace Def_QConsulta
