// The replication's catalogue: which tables the group database takes, the key
// columns of each table, the columns a target holds, and the connection to a
// target.

#include "data/mod_gruposemp.h"

#include "data/db_dll_internal.h"
#include "data/mod_gruposemp_internal.h"

#include <QHash>
#include <initializer_list>
#include <optional>

using namespace dbdll;

namespace ModGruposEmp {

namespace {

QString SinSFinal(QString s) {
    if (s.endsWith(u'S', Qt::CaseInsensitive))
        s.chop(1);
    return s;
}

// What follows the first occurrence of the prefix (any case).
QString TrasPrefijo(const QString& nombre, const QString& prefijo) {
    const qsizetype p = nombre.indexOf(prefijo, 0, Qt::CaseInsensitive);
    return p < 0 ? nombre : nombre.mid(p + prefijo.size());
}

bool EnLista(const QString& nombre, std::initializer_list<const char*> lista) {
    for (const char* t : lista)
        if (nombre.compare(QLatin1String(t), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

using Claves = std::array<QString, 8>;

Claves ClavesDe(std::initializer_list<const char*> nombres) {
    Claves c;
    size_t i = 0;
    for (const char* n : nombres)
        c[i++] = QString::fromLatin1(n);
    return c;
}

// Tables whose keys are named outright; the keys end at the first nullptr.
struct TablaConClave {
    const char* nombre;
    std::array<const char*, 8> claves;
};

constexpr TablaConClave kTablasConClave[] = {
    {"V_TA_CategoriaArticulo", {"IdCategoria"}},
    {"s_ta_equiv", {"IDARTICULO", "IDUNIDAD", "IDUNIDAD_EQUIV"}},
    {"V_MA_ARTCATREL", {"IDARTICULO", "IDCATEGORIA"}},
    {"V_TA_INTERODBC", {"Proveedor"}},
    {"AC_DULVARDIARIA", {"UNEGOCIO", "FECHA", "IDARTICULO"}},
    {"AC_DULVARMES", {"UNEGOCIO", "FECHA", "IDARTICULO"}},
    {"ta_cai", {"cuenta", "cai", "vencimiento", "tc", "Sucursal", "Letra"}},
    {"V_TA_Cpte", {"CODIGO", "TALONARIO"}},
    {"V_TA_PERCEPCION", {"IDPERCEPCION"}},
    {"V_TA_RETENCIONES", {"IDRETENCION"}},
    {"V_ta_PoliticaPrecios", {"codigo"}},
    {"V_TA_TarifaFlete", {"IdTarifaFlete"}},
    {"V_TA_UnidadNegocio", {"Codigo"}},
    {"V_TA_FAMILIAS", {"IdFamilia"}},
    {"V_TA_FAMILIAS_USUARIOS", {"GrupoUser", "IdFamilia"}},
    {"V_TA_Cajas", {"IDCajas"}},
    {"V_TA_CPRA_VTA", {"IDCOND_CPRA_VTA"}},
    {"V_TA_TipoArticulo", {"IDTIPO"}},
    {"P_SINDICATOS", {"IdSindicato"}},
    {"TA_TipoArticulo", {"IDTIPO"}},
    {"P_MA_Clientes", {"IDCLIENTE"}},
    {"TA_Cpte", {"CODIGO", "DESCRIPCION"}},
    {"MA_MODELOS", {"TIPO_REG", "NOMBRE", "SECUENCIA"}},
    {"MA_CHOFERES", {"CODIGO", "NOMBRES"}},
    {"MA_DESTINATARIOS", {"CODIGO", "NOMBRE"}},
    {"MA_VEHICULOS", {"PATENTE", "MODELO"}},
    {"MA_CONTACTOS_CUENTAS", {"IDCONTACTO", "CUENTA"}},
    {"MA_CONTACTOS", {"IDCONTACTO"}},
    {"MV_EJERCICIOS", {"PERIODO"}},
    {"TA_USUARIOS", {"NOMBRE", "GRUPO"}},
    {"MV_APLICACION",
     {"CUENTA", "TC", "SUCURSAL", "NUMERO", "LETRA", "TCO_ORIGEN", "IDCOMPROBANTE_ORIGEN",
      "IDCOMPROBANTE_PRINT"}},
    {"MV_ASIENTOS",
     {"CUENTA", "SECUENCIA", "TC", "SUCURSAL", "NUMERO", "LETRA", "[NUMERO ASIENTO]",
      "MES_OPERATIVO"}},
    {"MV_ASIENTOSCCOSTO",
     {"PERIODO", "MES_OPERATIVO", "[NUMERO ASIENTO]", "CUENTA", "SECUENCIA", "CCOSTO", "TIPO_REG"}},
    // Callers pass the account, then the cost centre, then the business unit.
    {"MA_CUENTASCCOSTO", {"CODIGO", "CCOSTO"}},
    {"MA_CUENTASCCOSTO_UNEG", {"CODIGO", "CCOSTO", "UNEGOCIO"}},
    {"MA_CUENTAS_CCDIST", {"ID"}},
    {"TA_REPORTES", {"NOMBRE"}},
    {"ta_configuracion", {"Clave"}},
    {"ta_cotizacion", {"FECHA_HORA"}},
    {"ta_config_form", {"Formulario", "Usuario", "TipoObjeto", "Nombre"}},
    {"TA_CONFIG_IMP_CPTE", {"tc", "letra", "usuario"}},
    {"TA_LOGOS", {"IDLOGO"}},
    {"ta_cuentasiva", {"CFI_IVARI"}},
    {"ta_menu", {"Menu", "Clave"}},
    {"TA_RANGOS_DATOS_ADIC", {"DESCRIPCION"}},
    {"TA_TAREAS", {"USUARIO", "SISTEMA", "TAREA"}},
    {"TA_VISTAS", {"Nombre", "Campo", "TipoVista"}},
    {"TA_MONEDAS_BILLETE", {"CUENTA", "DENOMINACION"}},
    {"MA_CUENTAS_USUARIOS", {"GrupoUser", "Cuenta"}},
    {"MA_CUENTAS", {"codigo"}},
    {"MA_CUENTASSUC", {"CODIGO", "SUCURSAL"}},
    {"MA_CUENTAS_AUTOCPTES", {"CUENTA", "SUCURSALCUENTA"}},
    {"MA_CUENTAS_SALDOS", {"CUENTA", "IDVENDEDOR"}},
    {"MA_ClavePIN", {"CUENTA", "MOTIVO", "FECHASOLICITUD"}},
    {"MA_SUBDIARIOSCOMPROBANTES", {"SUBDIARIO", "TC"}},
    {"MA_CALENDARIO", {"FECHA"}},
    {"MA_CASH_CONTROL", {"ID"}},
    {"MA_CASH-DETALLE", {"ID"}},
    {"MA_CASH_PROYECTADO", {"ID"}},
    {"MA_CASH_CTAS_PRINCIPALES", {"ID"}},
    {"MA_CASH-GRUPO", {"CODIGO_CASH"}},
    {"v_ta_input_compras", {"IdMotivoCpra", "CondIva"}},
    {"v_ta_input_dulvar", {"IdMotivoVta", "CondIva"}},
    {"v_ta_colores", {"Color"}},
    {"v_ta_ctrl_chequeras", {"idbanco", "Serie", "Talonario"}},
    {"v_ta_cuentascomision", {"id"}},
    {"v_ta_interfaces", {"nombre"}},
    {"V_TA_Interfaces_Detalle", {"INTERFACE", "NOMBRE_CAMPO"}},
    {"V_TA_Interfaces_asignacionCampos",
     {"INTERFACE", "CAMPO_ORIGEN", "CAMPO_TABLA", "TABLA_ORIGEN", "CAMPO"}},
    {"V_TA_Interfaces_EquiSueldo", {"TIPO", "SECUENCIA"}},
    {"V_TA_Interfaces_Equivalencia", {"INTERFACE", "CAMPO_ORIGEN", "CAMPO"}},
    {"V_TA_INTERFACES_FILTROS", {"NOMBRE_INTERFACE", "CAMPO"}},
    {"v_ta_vendedores", {"idvendedor"}},
    {"v_ta_vendedorescm", {"idvendedor"}},
    {"P_MA_FAMILIAR", {"IDEMPRESA", "LEGAJO", "APELLIDO", "NOMBRE"}},
    {"P_MA_LEGAJOS", {"IDEMPRESA", "LEGAJO"}},
    {"V_MA_INSUMOS", {"IDARTICULO", "IDARTICULOINSUMO"}},
    {"V_MA_PRECIOS", {"IDLISTA", "TipoLista", "IDARTICULO"}},
    {"V_MA_PRECIOSCAB", {"IDLISTA", "TIPOLISTA"}},
    {"V_MV_STATUS", {"TC", "IDCOMPROBANTE", "IDTAREA", "FECHAHORA"}},
    {"V_MV_CPTE", {"TC", "IDCOMPROBANTE", "IDCOMPLEMENTO"}},
    {"V_MV_CPTE_ELECTRONICOS", {"TC", "IDCOMPROBANTE", "IDREQUERIMIENTO"}},
    {"V_MV_CPTE_OBSERV", {"TC", "IDCOMPROBANTE", "IDCOMPLEMENTO", "SECUENCIA"}},
    {"V_MV_CPTEACCIONES",
     {"TC", "IDCOMPROBANTE", "IDCOMPLEMENTO", "TIPO_ACCION", "FECHAHORA", "SYSTEMUSER"}},
    {"V_MV_CPTEDOC", {"TC", "IDCOMPROBANTE", "IDCOMPLEMENTO", "DOCUMENTO"}},
    {"V_MV_CPTEENCOMISION", {"TC", "IDCOMPROBANTE", "IDCOMPLEMENTO", "CUENTA", "IMPORTE"}},
    {"V_MV_CPTEINSUMOS", {"TC", "IDCOMPROBANTE", "IDCOMPLEMENTO", "IDARTICULO", "SECUENCIA"}},
    {"V_MV_CPTETAREAS", {"TC", "IDCOMPROBANTE", "IDCOMPLEMENTO", "IDTAREA", "SECUENCIA"}},
    {"V_MV_CPTETERCEROS", {"TC", "IDCOMPROBANTE", "IDCOMPLEMENTO", "CUENTA", "DETALLE"}},
    {"C_MV_CPTE", {"TC", "IDCOMPROBANTE", "CUENTA"}},
    {"C_MV_CPTE_OBSERV", {"TC", "IDCOMPROBANTE", "CUENTA", "TIPO_OBS"}},
    {"C_MV_CPTEINSUMOS", {"TC", "IDCOMPROBANTE", "CUENTA", "IDARTICULO", "CANTIDAD"}},
    {"C_MV_CPTETAREAS", {"TC", "IDCOMPROBANTE", "CUENTA", "IDTAREA", "HORAS"}},
    {"P_MV_CTROLHORARIOS", {"IDEMPRESA", "LEGAJO", "FECHAOPERATIVA"}},
    {"P_MV_LIQUIDACIONES", {"EMPRESA", "NRO_LiQ", "LEGAJO", "PRIORIDAD", "CONCEPTO"}},
    {"P_MV_LIQUIDACIONESCAB", {"EMPRESA", "NRO_LiQ", "LEGAJO"}},
    {"V_MV_COMANDA", {"COMANDA", "IDCOMPROBANTE", "IDCOMPROBANTEG"}},
    {"V_MV_PRECIOSHIS", {"FECHAHORA", "IDARTICULO", "USUARIO"}},
    // The sales side's stock movements.
    {"V_MV_STOCK", {"TC", "IDCOMPROBANTE", "IDCOMPLEMENTO", "SECUENCIA", "IDARTICULO"}},
};

Claves ClavesDe(const std::array<const char*, 8>& nombres) {
    Claves c;
    for (size_t i = 0; i < nombres.size() && nombres[i]; ++i)
        c[i] = QString::fromLatin1(nombres[i]);
    return c;
}

// The same, by upper-cased name.
const QHash<QString, Claves>& TablasConClave() {
    static const QHash<QString, Claves> tabla = [] {
        QHash<QString, Claves> t;
        for (const TablaConClave& e : kTablasConClave)
            t.insert(QString::fromLatin1(e.nombre).toUpper(), ClavesDe(e.claves));
        return t;
    }();
    return tabla;
}

// Tables whose one key is "ID" and a part of their own name, as passed.
std::optional<Claves> ClaveDerivada(const QString& nombre) {
    auto una = [](const QString& clave) {
        Claves c;
        c[0] = QStringLiteral("ID") + clave;
        return c;
    };
    if (EnLista(nombre, {"V_TA_Bancos", "V_TA_MotivoVta", "V_TA_MotivoCpra", "V_TA_Deposito",
                         "V_TA_Tecnicos", "V_TA_Tareas", "V_TA_Unidad", "V_TA_Rubros",
                         "V_TA_MotivoStock", "V_TA_CATEGORIA", "V_TA_DESTINO", "V_TA_ORIGEN"}))
        return una(SinSFinal(TrasPrefijo(nombre, QStringLiteral("V_TA_"))));
    if (EnLista(nombre, {"P_TA_Areas"}))
        return una(nombre.mid(5));
    if (EnLista(nombre, {"P_TA_NIVELESTUDIO", "P_TA_CONOCIMIENTOS", "P_TA_Categorizacion",
                         "P_TA_CentroMedico", "P_TA_FormasDePago", "P_MA_Empresas",
                         "P_TA_ZONARESIDENCIA", "P_TA_ObraSocial", "P_TA_MotivoEgreso",
                         "P_TA_Grupos", "P_TA_EstadoBusqueda", "P_TA_IDIOMAS", "P_TA_TITULOs",
                         "P_TA_ESTADOPOSTULANTE", "P_TA_Parentesco", "P_TA_EstadoCivil"}))
        return una(SinSFinal(nombre.mid(5)));
    if (EnLista(nombre, {"P_TA_Funciones"}))
        return una(nombre.mid(5));
    if (EnLista(nombre, {"TA_Categoria", "TA_Deposito", "TA_MotivoStock", "TA_Rubros"}))
        return una(SinSFinal(TrasPrefijo(nombre, QStringLiteral("TA_"))));
    if (EnLista(nombre, {"V_MA_ARTICULOS"}))
        return una(SinSFinal(TrasPrefijo(nombre, QStringLiteral("V_MA_"))));
    if (EnLista(nombre, {"MA_ARTICULOS"})) {
        Claves c = una(SinSFinal(TrasPrefijo(nombre, QStringLiteral("MA_"))));
        c[1] = QStringLiteral("DESCRIPCION");
        return c;
    }
    return std::nullopt;
}

Claves ClavesPorPrefijo(const QString& nombre) {
    auto empieza = [&nombre](const char* prefijo) {
        return nombre.startsWith(QLatin1String(prefijo), Qt::CaseInsensitive);
    };
    if (empieza("TA_"))
        return ClavesDe({"CODIGO"});
    if (empieza("MA_")) {
        if (empieza("MA_PRO") || empieza("MA_VEN") || empieza("MA_TRA") || empieza("MA_AGE"))
            return ClavesDe({"Codigo", "Razon_Social"});
        if (empieza("MA_CLI"))
            return ClavesDe({"Codigo", "Codigo_sucursal"});
        if (empieza("MA_CON"))
            return ClavesDe({"id"});
        if (empieza("MA_CUE"))
            return ClavesDe({"CODIGO"});
        if (empieza("MA_EST"))
            return ClavesDe({"ID"});
        return ClavesDe({"Codigo"});
    }
    if (empieza("[MA"))
        return empieza("[MA_CA") ? ClavesDe({"Codigo", "nombre"}) : Claves{};
    if (empieza("MV_")) {
        if (empieza("MV_PRO"))
            return ClavesDe({"ID", "ASUNTO"});
        if (empieza("MV_AGE"))
            return ClavesDe({"ID"});
    }
    return Claves{};
}

} // namespace

QString SinMarcaAdmin(const QString& Tabla) {
    return ReplaceCI(Tabla, QStringLiteral("@ADMIN_"), QString());
}

bool EsTablaDeGrupo(const QString& Tabla) {
    QString sinUso;
    const QString deshabilitado = servicios().Cfg(QStringLiteral("GRP_Deshabilitado"), sinUso);
    QString lista;
    servicios().Cfg(QStringLiteral("GRP_Tablas"), lista);
    if (Trim(deshabilitado).isEmpty() || deshabilitado != u"0")
        return false;
    bool cuenta = false;
    if (!Trim(lista).isEmpty()) {
        if (!lista.startsWith(u'|'))
            lista.prepend(u'|');
        if (lista.contains(u'|' + SinMarcaAdmin(Tabla) + u'|', Qt::CaseInsensitive))
            cuenta = true;
        if (ContainsCI(Tabla, QStringLiteral("V_MV_STATUS")) ||
            ContainsCI(Tabla, QStringLiteral("V_MV_CPTE")))
            cuenta = true;
    }
    return cuenta || EnLista(Tabla, {"ma_contactos_cuentas", "ma_cuentas_servicios"});
}

std::array<QString, 8> CamposClaveTabla(const QString& Tabla) {
    const QString nombre = SinMarcaAdmin(Tabla);
    const auto& tablas = TablasConClave();
    if (const auto it = tablas.constFind(nombre.toUpper()); it != tablas.constEnd())
        return *it;
    if (std::optional<Claves> derivada = ClaveDerivada(nombre))
        return *derivada;
    return ClavesPorPrefijo(nombre);
}

QString VerificaCampos(const QString& Tabla, DB_Dll& Base, const QStringList& Excluir,
                       bool ConCorchetes, QString& Tipos) {
    QString resultado;
    Tipos.clear();
    ado::RecordsetPtr rs;
    auto agrega = [](QString& lista, const QString& valor) {
        lista = Trim(lista).isEmpty() ? valor : lista + u',' + valor;
    };
    const bool completo = RunSteps(
        {
            [&] {
                rs = Base.cnn()->OpenSchema(
                    ado::adSchemaColumns, {QVariant(Base.gDBName), QVariant(), Tabla, QVariant()});
            },
            [&] {
                for (; !rs->EOF(); rs->MoveNext()) {
                    const QString nombre = rs->value(QStringLiteral("COLUMN_NAME")).toString();
                    if (Excluir.contains(nombre, Qt::CaseInsensitive))
                        continue;
                    agrega(resultado, ConCorchetes ? u'[' + nombre + u']' : nombre);
                    agrega(Tipos, rs->value(QStringLiteral("DATA_TYPE")).toString());
                }
            },
        },
        [](const ado::Error& e) {
            return ResumeFor(servicios().AvisaErrorOperador(e, QStringLiteral("VerificaCampos")));
        },
        pasos::Trap::AllErrors);
    return completo ? resultado : QString();
}

void ConectaBaseGrupo(QString& Servidor, QString& Base, QString& Usuario) {
    QString sinUso;
    if (Servidor.isEmpty())
        Servidor = servicios().Cfg(QStringLiteral("GRP_Server"), sinUso);
    if (Base.isEmpty())
        Base = servicios().Cfg(QStringLiteral("GRP_Base"), sinUso);
    if (Usuario.isEmpty())
        Usuario = servicios().Cfg(QStringLiteral("GRP_User"), sinUso);
    DB_Dll& destino = gDatosDestino();
    // A connection already lost needs no closing.
    if (destino.gOpenFlag && destino.cnn()->State() == ado::adStateOpen)
        destino.cnn()->Close();
    const qsizetype dosPuntos = Servidor.indexOf(u':');
    destino.gServidor = dosPuntos < 0 ? Servidor : Servidor.left(dosPuntos);
    // The database's own login, as for every database of the suite.
    destino.gDBName = Base;
    destino.gUsuario = Base;
    destino.gUserPassWord = Base;
    destino.OpenServerADODB(false, ado::adUseClient, QString(), true, true);
}

} // namespace ModGruposEmp
