// The launcher's table of default columns and the lookup it decides on.

#include "lookup/consulta_sql.h"
#include "lookup/def_qconsulta.h"
#include "lookup_fixture.h"
#include "platform/win/clsutilidades.h"

using namespace Def_QConsulta;

// Each case: name given ; Rsp ; Cl1 ; Cl2 ; name after (when it changes).
// The caller passes "r", "c1" and "c2"; the last four names match nothing.
TEST(QConsultaColumns, EveryRowGroupAndRuleGivesItsColumns) {
    const char* casos[] = {
        "TA_COMPROBANTES;Descripcion;Codigo;;VT_TA_Cpte",
        "v_ta_cpte;Descripcion;Codigo;;VT_TA_Cpte",
        "V_TA_RETENCIONES;DESCRIPCION;IDRETENCION;",
        "V_ta_PoliticaPrecios;Descripcion;codigo;",
        "V_TA_Bancos;DESCRIPCION;IDBanco;",
        "v_ta_bancos;DESCRIPCION;IDbanco;",
        "V_TA_Cajas;DESCRIPCION;IDCajas;",
        "V_TA_Tecnicos;NOMBRE;IDTecnico;",
        "V_TA_TipoArticulo;DESCRIPCION;IDTIPO;",
        "V_TA_CPRA_VTA;DESCRIPCION;IDCOND_CPRA_VTA;",
        "V_TA_MotivoVta;DESCRIPCION;IDMotivoVta;",
        "P_TA_CONOCIMIENTOS;Descripcion;IDCONOCIMIENTO;",
        "P_TA_TITULOs;Descripcion;IDTITULO;",
        "P_TA_Areas;Descripcion;IDAreas;",
        "P_MA_Empresas;NombreEmpresa;IDEmpresa;",
        "P_SINDICATOS;Descripcion;IdSindicato;",
        "P_TA_Funciones;DESCRIPCION;IDFunciones;",
        "TA_Rubros;DESCRIPCION;IDRubro;",
        "TA_TipoArticulo;DESCRIPCION;IDTIPO;",
        "TA_CPRA_VTA;DESCRIPCION;IDCOND_CPRA_VTA;",
        "P_MA_Clientes;RAZON_SOCIAL;IDCLIENTE;",
        "TA_Cpte;DESCRIPCION;CODIGO;DESCRIPCION",
        "V_TA_VENDEDORES;NOMBRE;idvendedor;NOMBRE",
        "V_MA_ARTICULOS;DESCRIPCION;IDARTICULO;DESCRIPCION",
        "ma_articulos;DESCRIPCION;IDarticulo;DESCRIPCION",
        "MA_VEHICULOS;PATENTE,TIPO_VEHICULO,MARCA,MODELO,TIPO;PATENTE;MODELO",
        "MV_EJERCICIOS;DESCRIPCION;PERIODO;DESCRIPCION",
        "TA_USUARIOS;NOMBRE;NOMBRE;",
        "ta_ccosto;DESCRIPCION;CODIGO;DESCRIPCION",
        "ma_proveedores;Razon_Social;Codigo;Razon_Social",
        "MA_CONTACTOS;Razon_Social;Codigo;Razon_Social",
        "MA_CLIENTES;Razon_Social;Codigo;Codigo_sucursal",
        "MA_CUENTAS;Descripcion;Codigo;Descripcion",
        "[MA_CASH-DETALLE];nombre;Codigo;nombre",
        "MV_PROYECTOS;ASUNTO;ID;ASUNTO",
        "V_TA_NOESTA;r;c1;c2",
        "[MA_OTRA];r;c1;c2",
        "MV_ASIENTOS;r;c1;c2",
        "VT_TA_Cpte;r;c1;c2",
    };
    for (const char* caso : casos) {
        const QStringList e = QString::fromUtf8(caso).split(u';');
        QString tb = e[0], rsp = "r", cl1 = "c1", cl2 = "c2";
        ColumnasPorDefecto(tb, rsp, cl1, cl2);
        EXPECT_EQ(QStringList({rsp, cl1, cl2}), e.mid(1, 3)) << caso;
        EXPECT_EQ(tb, e.value(4, e[0])) << caso;
    }
}

class QConsultaBranch : public LookupDb {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(LookupDb::SetUp());
        useAppFolder(QStringLiteral("quarzelo"));
    }
    // The demo company's masks in the program folder.
    QString conMascaras() const {
        const QString destino = tempDir.filePath(QStringLiteral("consultas.zub"));
        EXPECT_TRUE(QFile::copy(QStringLiteral(QUARZELO_CONSULTAS_ZUB), destino));
        return destino;
    }
};

TEST_F(QConsultaBranch, TheMaskFileOrTheDisplayFlagDecidesTheLookup) {
    QString tb = "TA_COMPROBANTES", rsp, cl1, cl2;
    auto llamada = PreparaQConsulta(tb, rsp, cl1, cl2, true, "WHERE SISTEMA = 'CONTABLE'");
    ASSERT_TRUE(llamada);
    EXPECT_EQ(QStringList({llamada->CampoDevuelto, llamada->SQL, llamada->Where,
                           llamada->SentenciaOpcional}),
              QStringList({"Codigo",
                           "select Descripcion,Codigo from VT_TA_Cpte WHERE SISTEMA = 'CONTABLE'",
                           "", ""}));
    tb = "XX_OTRA", rsp = " ", cl1 = "CODIGO"; // a blank description becomes every column
    EXPECT_EQ(PreparaQConsulta(tb, rsp, cl1, cl2, true, "")->SQL,
              "select  * ,CODIGO from XX_OTRA ");
    tb = "VT_CLIENTES", cl1 = "IDCLIENTE"; // the caller's code column stays
    EXPECT_EQ(PreparaQConsulta(tb, rsp, cl1, cl2, true, "")->CampoDevuelto, "IDCLIENTE");
    tb = "MA_CUENTAS";
    EXPECT_FALSE(PreparaQConsulta(tb, rsp, cl1, cl2, false, ""));
    EXPECT_EQ(cl1, "Codigo");

    // With the mask file the bare name opens, whatever the flag.
    conMascaras();
    tb = "VT_CLIENTES", rsp = "RAZON_SOCIAL", cl1 = "IDCLIENTE";
    llamada = PreparaQConsulta(tb, rsp, cl1, cl2, false, "WHERE ZONA = 'N'");
    ASSERT_TRUE(llamada);
    EXPECT_EQ(QStringList({cl1, llamada->CampoDevuelto, llamada->SQL, llamada->Where,
                           llamada->SentenciaOpcional}),
              QStringList({"CODIGO", "CODIGO", "VT_CLIENTES", "WHERE ZONA = 'N'",
                           "select RAZON_SOCIAL,CODIGO from VT_CLIENTES WHERE ZONA = 'N'"}));
    for (const char* programa : {"talvoc", "ZMT", "KqTrans"}) {
        vb::setAppExeName(QString::fromUtf8(programa));
        tb = "MA_CUENTAS";
        EXPECT_FALSE(PreparaQConsulta(tb, rsp, cl1, cl2, false, "")) << programa;
    }
}

// The launcher's call through the statement building, as the lookup object
// makes it: the voucher types of the accounting system, from the demo masks;
// a table without a mask takes the launcher's own statement.
TEST_F(QConsultaBranch, TheVoucherTypeLookupReadsTheDemoMask) {
    ASSERT_NO_FATAL_FAILURE(datosDemo());
    const QString ruta = conMascaras();
    auto arma = [&](const char* tabla) {
        QString tb = tabla, rsp, cl1, cl2;
        const auto llamada = PreparaQConsulta(tb, rsp, cl1, cl2, false, "");
        QString campoBusqueda, where = llamada->Where;
        return *ArmaSentenciaConsulta(llamada->SQL, campoBusqueda, where,
                                      llamada->SentenciaOpcional, true, ruta);
    };
    const QString sentencia = arma("TA_COMPROBANTES");
    EXPECT_EQ(sentencia, "SELECT TOP 500 CODIGO,Descripcion FROM VT_TA_Cpte  with(nolock)  WHERE "
                         "SISTEMA = 'CONTABLE' ORDER BY CODIGO");
    EXPECT_EQ(filas(sentencia).size(), 3);
    EXPECT_EQ(arma("TA_TIPOS"), "select DESCRIPCION,CODIGO from TA_TIPOS ");
}
