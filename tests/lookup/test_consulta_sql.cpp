// The statement a lookup runs, built from a full SELECT, a mask record or the
// table's own columns, and run on a company database.

#include "app/mkmask/definiciones.h"
#include "lookup/consulta_sql.h"
#include "lookup_fixture.h"

namespace {

class StatementBuilding : public LookupDb {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(LookupDb::SetUp());
        db.exec(QStringLiteral(
            "CREATE TABLE MA_PRUEBA (ID INT, CODIGO VARCHAR(10), DESCRIPCION VARCHAR(50),"
            " TITULO BIT, FECHAHORA_GRABACION VARCHAR(20));"
            "CREATE TABLE v_mv_mutuales (ID INT, CODIGO VARCHAR(10), FECHAHORA_GRABACION "
            "VARCHAR(20));"
            "INSERT INTO MA_PRUEBA VALUES (1, 'C1', 'Caja', 0, NULL), (3, 'T1', 'Activo', 1, NULL);"
            "INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, TITULO) VALUES ('1', 'ACTIVO', 1),"
            " ('110101001', 'Caja', 0), ('110102001', 'Banco Nación', 0);"));
        ruta = mascaras({
            {"", "MA_CUENTAS", "|CODIGO|DESCRIPCION|", ""},
            {"", "V_MA_ARTICULOS", "IDARTICULO|DESCRIPCION", ""},
            {"", "VT_CLIENTES", "CODIGO|RAZON_SOCIAL", ""},
            {"", "TA_CCOSTO", "CODIGO|DESCRIPCION", "TITULO = 0"},
            {"", "TA_PAISES", "DESCRIPCION", ""},
        });
    }

    QString ruta;
};

} // namespace

TEST_F(StatementBuilding, BuildsEachKindOfLookupStatementAndTheBuiltOnesRun) {
    const struct {
        const char *sql, *campoBusqueda, *where, *opcional;
        bool mascaras;
        const char *sentencia, *campoBusquedaDespues, *whereDespues;
        bool corre; // its tables are in the database
    } casos[] = {
        // Mask records; the record's own condition beats the caller's.
        {"MA_CUENTAS", "", "", "", true,
         "SELECT TOP 1000 CODIGO,DESCRIPCION FROM MA_CUENTAS  with(nolock)  ORDER BY CODIGO",
         "CODIGO", "", true},
        {"ma_cuentas", "DESCRIPCION", "", "select X from Y", true,
         "SELECT TOP 1000 CODIGO,DESCRIPCION FROM MA_CUENTAS  with(nolock)  ORDER BY DESCRIPCION",
         "DESCRIPCION", "", true},
        {"V_MA_ARTICULOS", "", "", "", true,
         "SELECT TOP 1000 IDARTICULO,DESCRIPCION FROM VT_MA_ARTICULOS  with(nolock)  WHERE "
         "SUSPENDIDO = 0 ORDER BY IDARTICULO",
         "IDARTICULO", "", false},
        {"V_MA_ARTICULOS", "", "SUSPENDIDO = 1", "", true,
         "SELECT TOP 1000 IDARTICULO,DESCRIPCION FROM VT_MA_ARTICULOS  with(nolock)  WHERE  "
         "(SUSPENDIDO = 1)  ORDER BY IDARTICULO",
         "IDARTICULO", " (SUSPENDIDO = 1) ", false},
        {"VT_CLIENTES", "", "", "", true,
         "SELECT TOP 1000 CODIGO,RAZON_SOCIAL FROM VT_CLIENTES  with(nolock)  WHERE Dada_De_Baja "
         "= 0 ORDER BY CODIGO",
         "CODIGO", "", false},
        {"TA_CCOSTO", "", "CODIGO > '1'", "", true,
         "SELECT TOP 1000 CODIGO,DESCRIPCION FROM TA_CCOSTO  with(nolock)  WHERE TITULO = 0 ORDER "
         "BY CODIGO",
         "CODIGO", " (CODIGO > '1') ", true},
        {"TA_PAISES", "DESCRIPCION", "", "", true,
         "SELECT TOP 1000 DESCRIPCION FROM TA_PAISES  with(nolock)  ORDER BY DESCRIPCION",
         "DESCRIPCION", "", true},
        // The table's own columns, last first; an optional statement instead.
        {"MA_PRUEBA", "", "", "", true,
         "SELECT TOP 1000 TITULO,DESCRIPCION,CODIGO FROM MA_PRUEBA  ORDER BY DESCRIPCION",
         "DESCRIPCION", "", true},
        {"MA_PRUEBA", "CODIGO", "TITULO = 0", "", false,
         "SELECT TOP 1000 TITULO,DESCRIPCION,CODIGO FROM MA_PRUEBA WHERE   (TITULO = 0)  ORDER BY "
         "DESCRIPCION",
         "DESCRIPCION", " (TITULO = 0) ", true},
        {"v_mv_mutuales", "", "", "", true,
         "SELECT TOP 1000 FECHAHORA_GRABACION,CODIGO,ID FROM v_mv_mutuales  ORDER BY "
         "FECHAHORA_GRABACION",
         "FECHAHORA_GRABACION", "", true},
        {"V_TA_DEPOSITO", "", "", "", true,
         "SELECT TOP 1000 Descripcion,IdDeposito,UnidadNegocio FROM V_TA_DEPOSITO  ORDER BY "
         "IDDEPOSITO",
         "IDDEPOSITO", "", false},
        {"MA_PRUEBA", "", "", "SELECT CODIGO FROM MA_PRUEBA", true, "SELECT CODIGO FROM MA_PRUEBA",
         "", "", true},
        // A table that cannot be read: every column, no order (the data
        // object has told the operator).
        {"NO_EXISTE", "", "", "", true, "SELECT TOP 1000  *  FROM NO_EXISTE ", "", "", false},
        // Full statements; a condition given with its WHERE counts once.
        {"SELECT CODIGO FROM MA_CUENTAS", "", "TITULO = 0", "", true,
         "SELECT CODIGO FROM MA_CUENTAS WHERE  (TITULO = 0) ", "", " WHERE  (TITULO = 0) ", true},
        {"SELECT CODIGO FROM MA_CUENTAS", "", "where TITULO = 0", "", true,
         "SELECT CODIGO FROM MA_CUENTAS WHERE  (TITULO = 0) ", "", " WHERE  (TITULO = 0) ", true},
        {"SELECT CODIGO FROM MA_CUENTAS", "", "(TITULO = 0)", "", true,
         "SELECT CODIGO FROM MA_CUENTAS WHERE (TITULO = 0)", "", " WHERE (TITULO = 0)", true},
        {"SELECT CODIGO FROM MA_CUENTAS", "", " 1 ", "", true,
         "SELECT CODIGO FROM MA_CUENTAS WHERE  1 ", "", " WHERE  1 ", true},
        {"select * from v_ma_articulos", "", "", "", true, "select * from VT_MA_ARTICULOS", "", "",
         false},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(std::string(c.sql) + " / " + c.where);
        QString campoBusqueda = c.campoBusqueda, where = c.where;
        std::optional<QString> sentencia;
        ASSERT_NO_THROW(sentencia = ArmaSentenciaConsulta(c.sql, campoBusqueda, where, c.opcional,
                                                          c.mascaras, ruta));
        ASSERT_TRUE(sentencia);
        EXPECT_EQ(*sentencia, QString::fromUtf8(c.sentencia));
        EXPECT_EQ(campoBusqueda, QString::fromUtf8(c.campoBusquedaDespues));
        EXPECT_EQ(where, QString::fromUtf8(c.whereDespues));
        if (c.corre)
            filas(*sentencia);
    }
}

TEST_F(StatementBuilding, TheRowLimitComesFromTopConsArt) {
    const std::pair<const char*, int> casos[] = {{nullptr, 1000}, {"0", 1000},  {"", 1000},
                                                 {"mucho", 1000}, {"250", 250}, {"-5", 1000},
                                                 {"99.6", 100},   {"2", 2}}; // nullptr: no key
    for (const auto& [valor, limite] : casos) {
        db.exec(QStringLiteral("DELETE FROM TA_CONFIGURACION WHERE CLAVE = 'TopConsArt'"));
        if (valor)
            clave(QStringLiteral("TopConsArt"), QString::fromUtf8(valor));
        EXPECT_EQ(LimiteConsulta(), limite) << (valor ? valor : "(none)");
    }
    // Read at every lookup: the last value (2) limits the rows.
    QString campoBusqueda, where;
    const QString sentencia =
        *ArmaSentenciaConsulta("MA_CUENTAS", campoBusqueda, where, "", true, ruta);
    EXPECT_EQ(filas(sentencia), QList<QStringList>({{"1", "ACTIVO"}, {"110101001", "Caja"}}));
}

TEST_F(StatementBuilding, ASingleColumnMaskWithoutSearchColumnStopsWithTheMessage) {
    QString campoBusqueda, where = QStringLiteral("CODIGO = 'AR'");
    EXPECT_FALSE(ArmaSentenciaConsulta("TA_PAISES", campoBusqueda, where, "", true, ruta));
    ASSERT_EQ(responder->shown.size(), 1u);
    EXPECT_EQ(responder->shown[0].prompt, "Debe configurar la consulta para esta tabla");
    EXPECT_EQ(responder->shown[0].title, "Aviso al operador");
    EXPECT_EQ(responder->shown[0].buttons, vb::vbInformation);

    // Without the mask file the bare name goes to the window.
    EXPECT_EQ(ArmaSentenciaConsulta("MA_CUENTAS", campoBusqueda, where, "", true, ruta + "x"),
              "MA_CUENTAS");
    EXPECT_EQ(campoBusqueda, "");
}

// Every mask of the demo company reads from its tables.
class DemoCompanyLookups : public LookupDb {};

TEST_F(DemoCompanyLookups, TheDemoMasksRunOnTheDemoCompany) {
    ASSERT_NO_FATAL_FAILURE(datosDemo());
    QFile f(QStringLiteral(QUARZELO_SOURCE_DIR "/demo/consultas.txt"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    QString error;
    const auto definiciones = mkmask::LeeDefiniciones(QString::fromUtf8(f.readAll()), error);
    ASSERT_TRUE(definiciones) << error.toStdString();
    for (const consultas_zub::MascaraConsulta& m : *definiciones) {
        QString campoBusqueda, where;
        const auto sentencia = ArmaSentenciaConsulta(m.Tabla, campoBusqueda, where, QString(), true,
                                                     QStringLiteral(QUARZELO_CONSULTAS_ZUB));
        ASSERT_TRUE(sentencia && sentencia->contains(u"with(nolock)")) << m.Tabla.toStdString();
        filas(*sentencia);
    }
}
