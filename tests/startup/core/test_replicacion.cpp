// Replication of master data on three SQLite databases in one folder: the
// company (EMPRESA), the group (GRUPO) and a point of sale (TPV_BAHIA); a
// second point of sale (TPV_NEUQUEN) is listed but has no file.

#include "test_cns_fixture.h"

#include "data/mod_gruposemp.h"
#include "platform/sql/quoting.h"

using namespace CNStuffContable;
using ModGruposEmp::ActualizaGEmpresas;

namespace {

const QString kCuenta = QStringLiteral("'110101001'");
const QString kNoConecta = QStringLiteral("No se pudo conectar al Punto de dulvar TPV Neuquén");
const QString kFilasTpv = QStringLiteral(
    "SELECT CODIGO, Descripcion, Server, Dbname, Usuario, INTERNET, BAJA, OL_ExceptoArticulos, "
    "OL_ExceptoPrecios, OL_ExceptoCuentas, OL_ExceptoTablas, CONECTADO, ULTIMA_DETECCION, "
    "PEND_CLIENTES, PEND_PROVEEDORES, PEND_TABLAS, PEND_ARTICULOS, PEND_PRECIOS "
    "FROM V_TA_TPV ORDER BY CODIGO");
enum ColumnaTpv { kConectado = 11, kDeteccion = 12, kPendClientes = 13 };

class ReplicaTest : public CnsTest {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(CnsTest::SetUp());
        InstalaReplicacion();
        // The two-part server form: what follows the first bar is the server.
        const QString servidor = sqltext::literal(QStringLiteral("PUESTO/") + db.folder());
        db.exec(QStringLiteral(
                    "INSERT INTO V_TA_TPV (CODIGO, Descripcion, Server, Dbname, Usuario, "
                    "INTERNET, BAJA, OL_ExceptoCuentas, CONECTADO, ULTIMA_DETECCION) VALUES "
                    "('0001', 'TPV Bahía Blanca', %1, 'TPV_BAHIA', 'TPV_BAHIA', 0, 0, NULL, 0, "
                    "'2024-01-02 03:04:05'),"
                    "('0002', 'TPV Neuquén', %1, 'TPV_NEUQUEN', 'TPV_NEUQUEN', 0, 0, 0, 1, NULL),"
                    "('0003', 'TPV cerrado', %1, 'TPV_CERRADO', 'TPV_CERRADO', 0, 1, 0, 1, NULL)")
                    .arg(servidor));
        db.exec(QStringLiteral("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR, ValorAux) VALUES "
                               "('GRP_Deshabilitado', '0', NULL),"
                               "('GRP_Tablas', '', 'MA_CUENTAS|MA_CUENTASCCOSTO|"
                               "MA_CUENTASCCOSTO_UNEG|'),"
                               "('GRP_Tipos', '111', NULL), ('GRP_Server', %1, NULL),"
                               "('GRP_Base', 'GRUPO', NULL), ('GRP_User', 'GRUPO', NULL)")
                    .arg(sqltext::literal(db.folder())));
        // An account every database already holds: no change may reach it.
        for (const testutil::TempDatabase* d : {&db, &grupo, &tpv})
            d->exec(QStringLiteral("INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION) "
                                   "VALUES ('110101002', 'Banco Nación')"));
    }

    void TearDown() override {
        resetCartel();
        ModGruposEmp::setServicios(nullptr);
        setProgramasMaestros({});
        CnsTest::TearDown();
    }

    static QList<QVariantList> filas(const testutil::TempDatabase& d, const QString& tabla) {
        return d.rows(QStringLiteral("SELECT * FROM %1 ORDER BY 1, 2, 3").arg(tabla));
    }

    // The copies hold exactly the company's rows.
    void copiasIguales(const QString& tabla, const char* paso) const {
        EXPECT_EQ(filas(grupo, tabla), filas(db, tabla)) << paso << ": GRUPO";
        if (tabla == u"MA_CUENTAS") {
            EXPECT_EQ(filas(tpv, tabla), filas(db, tabla)) << paso << ": TPV_BAHIA";
        }
    }

    testutil::TempDatabase grupo = db.sibling(QStringLiteral("GRUPO"));
    testutil::TempDatabase tpv = db.sibling(QStringLiteral("TPV_BAHIA"));
};

TEST_F(ReplicaTest, AccountChangesReachGroupAndPointOfSaleExactly) {
    const QString donde = QStringLiteral(" WHERE CODIGO = ") + kCuenta;
    const struct {
        const char* paso;
        QString cambio;
        ModGruposEmp::Operacion operacion;
    } casos[] = {
        {"alta con apóstrofo",
         QStringLiteral("INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, TITULO, AJUSTE, INDICE, "
                        "Manual) VALUES (") +
             kCuenta + QStringLiteral(", 'Caja d''Or', 0, 1, 2, 'Null')"),
         ModGruposEmp::Alta},
        {"solo mayúsculas",
         QStringLiteral("UPDATE MA_CUENTAS SET DESCRIPCION = 'CAJA D''OR'") + donde,
         ModGruposEmp::Modificacion},
        {"apóstrofos y nulos",
         QStringLiteral("UPDATE MA_CUENTAS SET DESCRIPCION = 'Caja ''chica'' d''Or', AJUSTE = 0, "
                        "INDICE = NULL, Manual = 'Línea '' 1'") +
             donde,
         ModGruposEmp::Modificacion},
        {"baja", QStringLiteral("DELETE FROM MA_CUENTAS") + donde, ModGruposEmp::Baja},
    };
    for (const auto& c : casos) {
        db.exec(c.cambio);
        responder->answerMsg(vb::vbOK);
        QString tabla = QStringLiteral("@Admin_MA_CUENTAS");
        ActualizaGEmpresas(tabla, c.operacion, kCuenta);
        EXPECT_EQ(tabla, QStringLiteral("MA_CUENTAS"));
        copiasIguales(QStringLiteral("MA_CUENTAS"), c.paso);
    }
    EXPECT_EQ(filas(grupo, QStringLiteral("MA_CUENTAS")).size(), 1);
    EXPECT_EQ(responder->messages(), QStringList(4, kNoConecta));
    EXPECT_EQ(responder->unexpected, 0);
}

TEST_F(ReplicaTest, MissingPointOfSaleIsFlaggedWithItsTimeAndPendingKind) {
    setProgramasMaestros({{QStringLiteral("CN_CLIENTES")},
                          {QStringLiteral("CN_TABLAS"), QStringLiteral("CN_VENDEDORES")},
                          {QStringLiteral("CN_ARTICULOS"), QStringLiteral("CN_GRILLAS")}});
    const struct {
        const char* programa;
        std::vector<int> pendientes; // offsets from PEND_CLIENTES
    } casos[] = {
        {"CN_AJUSTE", {}},        {"cn_clientes", {0, 1}}, {"CN_VENDEDORES", {2}},
        {"CN_ARTICULOS", {3, 4}}, {"CN_GRILLAS", {3, 4}},
    };
    db.exec(QStringLiteral("INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION) VALUES (") + kCuenta +
            QStringLiteral(", 'Caja')"));
    const QList<QVariantList> antes = db.rows(kFilasTpv);
    for (const auto& c : casos) {
        SCOPED_TRACE(c.programa);
        db.exec(QStringLiteral("UPDATE V_TA_TPV SET PEND_CLIENTES = 0, PEND_PROVEEDORES = 0, "
                               "PEND_TABLAS = 0, PEND_ARTICULOS = 0, PEND_PRECIOS = 0"));
        vb::setAppExeName(QString::fromLatin1(c.programa));
        responder->answerMsg(vb::vbOK);
        QString tabla = QStringLiteral("MA_CUENTAS");
        ActualizaGEmpresas(tabla, ModGruposEmp::Modificacion, kCuenta);

        QList<QVariantList> esperadas = antes;
        esperadas[0][kConectado] = 1;
        esperadas[1][kConectado] = 0;
        esperadas[1][kDeteccion] = QStringLiteral("2024-03-15 10:20:30");
        for (int p : c.pendientes)
            esperadas[1][kPendClientes + p] = 1;
        EXPECT_EQ(db.rows(kFilasTpv), esperadas);
    }
    EXPECT_EQ(responder->messages(), QStringList(5, kNoConecta));
}

TEST_F(ReplicaTest, ChangeThatNamesNoRowChangesNothingAnywhere) {
    const struct {
        const char* tabla;
        ModGruposEmp::Operacion operacion;
        const char* valor1;
        const char* where;
    } casos[] = {
        {"MA_CUENTAS", ModGruposEmp::Baja, "", ""},
        {"MA_CUENTAS", ModGruposEmp::Modificacion, "", "  "},
        {"TABLA_SIN_CLAVE", ModGruposEmp::Baja, "'1'", ""},
    };
    db.exec(QStringLiteral("UPDATE MA_CUENTAS SET DESCRIPCION = 'otra'"));
    const QList<QVariantList> tpvAntes = db.rows(kFilasTpv);
    const QList<QVariantList> cuentasCopia = filas(grupo, QStringLiteral("MA_CUENTAS"));
    for (const auto& c : casos) {
        SCOPED_TRACE(c.tabla);
        QString tabla = QString::fromLatin1(c.tabla);
        ActualizaGEmpresas(tabla, c.operacion, QString::fromLatin1(c.valor1), QString(), QString(),
                           QString(), QString(), QString(), QString::fromLatin1(c.where));
        EXPECT_EQ(db.rows(kFilasTpv), tpvAntes);
        EXPECT_EQ(filas(grupo, QStringLiteral("MA_CUENTAS")), cuentasCopia);
        EXPECT_EQ(filas(tpv, QStringLiteral("MA_CUENTAS")), cuentasCopia);
    }
    EXPECT_TRUE(responder->shown.empty());
    EXPECT_EQ(readLog(logPath()).count(QStringLiteral("No se replica")), 3);
}

TEST_F(ReplicaTest, InsertWhoseRowIsGoneIsSkippedAndLogged) {
    responder->answerMsg(vb::vbOK);
    QString tabla = QStringLiteral("MA_CUENTAS");
    ActualizaGEmpresas(tabla, ModGruposEmp::Alta, kCuenta);
    EXPECT_EQ(filas(grupo, tabla).size(), 1);
    EXPECT_EQ(filas(tpv, tabla).size(), 1);
    EXPECT_EQ(responder->messages(), QStringList{kNoConecta});
    // One line per target.
    EXPECT_EQ(readLog(logPath()).count(QStringLiteral("ya no está en la base de la empresa")), 2);
}

TEST_F(ReplicaTest, TargetThatRefusesTheLoginIsSkippedAndFlagged) {
    db.exec(QStringLiteral("INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION) VALUES (") + kCuenta +
            QStringLiteral(", 'Caja')"));
    // The point of sale answers the reach test but refuses the replication's login.
    QStringList vistos;
    testutil::recordStatements(ModGruposEmp::gDatosDestino().cnn(), vistos,
                               [](const QString& texto) -> std::optional<ado::Error> {
                                   if (!texto.contains(QStringLiteral("TPV_BAHIA")))
                                       return std::nullopt;
                                   ado::Error e;
                                   e.Number = ado::adErrUnspecified;
                                   e.NativeError = 18456;
                                   e.Description = QStringLiteral("Error de inicio de sesión");
                                   return e;
                               });
    responder->answerMsg(vb::vbNo); // do not try the login again
    responder->answerMsg(vb::vbOK); // TPV Neuquén
    QString tabla = QStringLiteral("MA_CUENTAS");
    ActualizaGEmpresas(tabla, ModGruposEmp::Alta, kCuenta);

    EXPECT_EQ(filas(tpv, tabla).size(), 1);
    EXPECT_EQ(filas(grupo, tabla), filas(db, tabla));
    const QList<QVariantList> marcas = db.rows(kFilasTpv);
    EXPECT_EQ(marcas[0][kConectado], 0);
    EXPECT_EQ(marcas[0][kDeteccion], QStringLiteral("2024-03-15 10:20:30"));
    EXPECT_TRUE(
        readLog(logPath()).contains(QStringLiteral("no se pudo conectar a la base TPV_BAHIA")));
    EXPECT_EQ(responder->unexpected, 0);
}

TEST_F(ReplicaTest, CostCentreSharesCopyNumbersAndDatesByTheirFullKey) {
    db.exec(QStringLiteral(
        "INSERT INTO MA_CUENTASCCOSTO (CODIGO, CCOSTO, PORCENTAJE, FECHAHORA_MODIFICACION, "
        "PideConfirmacion) VALUES ('110101001', '0001', 12.5, '2024-03-01 08:30:00', 1);"
        "INSERT INTO MA_CUENTASCCOSTO_UNEG (CODIGO, CCOSTO, UNEGOCIO, PORCENTAJE) VALUES "
        "('110101001', '0001', '0002', 40.25), ('110101001', '0002', '0001', 59.75)"));
    grupo.exec(QStringLiteral("INSERT INTO MA_CUENTASCCOSTO_UNEG (CODIGO, CCOSTO, UNEGOCIO, "
                              "PORCENTAJE) VALUES ('110101001', '0001', '0002', 10), "
                              "('110101001', '0002', '0001', 1)"));
    QString general = QStringLiteral("MA_CUENTASCCOSTO");
    ActualizaGEmpresas(general, ModGruposEmp::Alta, kCuenta, QStringLiteral("'0001'"));
    copiasIguales(general, "general");

    // Account, cost centre, business unit: only that share changes.
    db.exec(QStringLiteral("UPDATE MA_CUENTASCCOSTO_UNEG SET PORCENTAJE = 60.125 "
                           "WHERE CCOSTO = '0001'"));
    QString porUnidad = QStringLiteral("MA_CUENTASCCOSTO_UNEG");
    ActualizaGEmpresas(porUnidad, ModGruposEmp::Modificacion, kCuenta, QStringLiteral("'0001'"),
                       QStringLiteral("'0002'"));
    EXPECT_EQ(grupo.rows(QStringLiteral("SELECT CCOSTO, UNEGOCIO, PORCENTAJE FROM "
                                        "MA_CUENTASCCOSTO_UNEG ORDER BY CCOSTO")),
              (QList<QVariantList>{{QStringLiteral("0001"), QStringLiteral("0002"), 60.125},
                                   {QStringLiteral("0002"), QStringLiteral("0001"), 1.0}}));
    EXPECT_TRUE(responder->shown.empty());
}

TEST_F(ReplicaTest, RefusedStatementIsReportedAndTheNextTargetServed) {
    const struct {
        const char* refusa;
        ModGruposEmp::Operacion operacion;
        QString caja;
        const char* titulo;
        int filasAuxErr;
    } casos[] = {
        {"INSERT", ModGruposEmp::Alta, QStringLiteral("Error en base de datos "), "Atencion", 0},
        {"DELETE", ModGruposEmp::Baja,
         QStringLiteral("\r\nNo se pudo actualizar la base de datos "), "Atención", 2},
    };
    db.exec(QStringLiteral("INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION) VALUES (") + kCuenta +
            QStringLiteral(", 'Caja')"));
    for (const auto& c : casos) {
        SCOPED_TRACE(c.refusa);
        responder->shown.clear();
        db.exec(QStringLiteral("DELETE FROM AUX_ERR"));
        QStringList vistos;
        testutil::recordStatements(ModGruposEmp::gDatosDestino().cnn(), vistos,
                                   [refusa = QString::fromLatin1(c.refusa)](
                                       const QString& t) -> std::optional<ado::Error> {
                                       if (!t.contains(refusa, Qt::CaseInsensitive))
                                           return std::nullopt;
                                       ado::Error e;
                                       e.Number = ado::adErrIntegrity;
                                       e.NativeError = ado::nativeConstraint;
                                       e.Description = QStringLiteral("rechazada");
                                       return e;
                                   });
        gCartel().CartelInicio(QStringLiteral("Grabando"), false);
        for (int i = 0; i < 3; ++i)
            responder->answerMsg(vb::vbOK);
        QString tabla = QStringLiteral("MA_CUENTAS");
        ActualizaGEmpresas(tabla, c.operacion, kCuenta);

        // Point of sale, the one that does not answer, then the group.
        ASSERT_EQ(responder->shown.size(), 3u);
        for (size_t i : {size_t(0), size_t(2)}) {
            EXPECT_TRUE(responder->shown[i].prompt.contains(c.caja))
                << responder->shown[i].prompt.toStdString();
            EXPECT_EQ(responder->shown[i].title, QString::fromUtf8(c.titulo));
        }
        EXPECT_EQ(responder->shown[1].prompt, kNoConecta);
        EXPECT_FALSE(banner->abierto);
        EXPECT_EQ(db.scalar(QStringLiteral("SELECT COUNT(*) FROM AUX_ERR WHERE Error = 547 AND "
                                           "SQL LIKE 'DELETE%110101001%'")),
                  c.filasAuxErr);
    }
}

TEST_F(ReplicaTest, ImagesStayWhereTheyAre) {
    for (const testutil::TempDatabase* d : {&db, &grupo, &tpv})
        d->exec(QStringLiteral("ALTER TABLE MA_CUENTAS ADD IMAGEN IMAGE;"
                               "ALTER TABLE MA_CUENTAS ADD IMAGE IMAGE"));
    const QString fila = QStringLiteral("SELECT DESCRIPCION, hex(IMAGEN), hex(IMAGE) FROM "
                                        "MA_CUENTAS WHERE CODIGO = ") +
                         kCuenta;
    db.exec(QStringLiteral("INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, IMAGEN, IMAGE) VALUES (") +
            kCuenta + QStringLiteral(", 'Caja', X'01', X'02')"));
    responder->answerMsg(vb::vbOK);
    QString tabla = QStringLiteral("MA_CUENTAS");
    ActualizaGEmpresas(tabla, ModGruposEmp::Alta, kCuenta);
    for (const testutil::TempDatabase* d : {&grupo, &tpv}) {
        EXPECT_EQ(d->rows(fila),
                  (QList<QVariantList>{{QStringLiteral("Caja"), QString(), QString()}}));
        d->exec(QStringLiteral("UPDATE MA_CUENTAS SET IMAGEN = X'0A', IMAGE = X'0B'"));
    }
    db.exec(QStringLiteral("UPDATE MA_CUENTAS SET DESCRIPCION = 'Caja chica', IMAGEN = X'03', "
                           "IMAGE = X'04'"));
    responder->answerMsg(vb::vbOK);
    ActualizaGEmpresas(tabla, ModGruposEmp::Modificacion, kCuenta);
    for (const testutil::TempDatabase* d : {&grupo, &tpv})
        EXPECT_EQ(d->rows(fila),
                  (QList<QVariantList>{
                      {QStringLiteral("Caja chica"), QStringLiteral("0A"), QStringLiteral("0B")}}));
}

// A change of several rows reaches each target as one transaction: a target
// whose trigger refuses the k-th row keeps exactly the rows it had, while
// the company and the other targets hold the change.
TEST_F(ReplicaTest, ATargetRefusingOneRowKeepsItsPreviousCopyWhole) {
    db.exec(QStringLiteral("UPDATE TA_CONFIGURACION SET ValorAux = 'MA_CUENTAS|MA_CUENTASADIC|"
                           "MA_CUENTAS_USUARIOS|MA_CUENTASCCOSTO|' WHERE CLAVE = 'GRP_Tablas'"));
    using ModGruposEmp::Cambio;
    const auto alta = [](const char* tabla, const char* v1, const char* v2 = "") {
        return Cambio{tabla, ModGruposEmp::Alta, {v1, v2}, {}};
    };
    const auto filas = [](const testutil::TempDatabase& d, const QString& t) {
        return d.rows(QStringLiteral("SELECT * FROM %1 ORDER BY 1, 2").arg(t));
    };
    const char* cuenta = "INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION) VALUES ('110101001', 'C');";
    const char* centros = "INSERT INTO MA_CUENTASCCOSTO (CODIGO, CCOSTO, PORCENTAJE) VALUES ";
    const struct {
        QString empresa, copias; // the company's change; what every copy held
        std::vector<Cambio> cambios;
        bool refusaGrupo; // else the point of sale refuses
        QString disparador, tablas;
    } casos[] = {
        {cuenta,
         "",
         {alta("@ADMIN_MA_CUENTAS", "'110101001'"),
          alta("MA_CUENTAS_USUARIOS", "'A'", "'110101001'")},
         false,
         "INSERT ON MA_CUENTAS",
         "MA_CUENTAS"},
        {QString(cuenta) + "INSERT INTO MA_CUENTAS_USUARIOS VALUES ('A', '110101001'), ('B', "
                           "'110101001')",
         "",
         {alta("@ADMIN_MA_CUENTAS", "'110101001'"),
          alta("MA_CUENTAS_USUARIOS", "'A'", "'110101001'"),
          alta("MA_CUENTAS_USUARIOS", "'B'", "'110101001'")},
         true,
         "INSERT ON MA_CUENTAS_USUARIOS WHEN NEW.GRUPOUSER = 'B'",
         "MA_CUENTAS,MA_CUENTAS_USUARIOS"},
        {"INSERT INTO MA_CUENTASADIC (CODIGO, CALLE) VALUES ('110101001', 'Alem')",
         "INSERT INTO MA_CUENTASADIC (CODIGO, CALLE) VALUES ('110101001', 'Sarmiento')",
         {alta("MA_CUENTASADIC", "'110101001'")},
         false,
         "UPDATE ON MA_CUENTASADIC",
         "MA_CUENTASADIC"},
        {QString(centros) + "('110101001', '0001', 10), ('110101001', '0002', 90)",
         QString(centros) + "('110101001', '0001', 50), ('110101001', '0009', 50)",
         {{"MA_CUENTASCCOSTO", ModGruposEmp::Baja, {kCuenta}, {}},
          alta("MA_CUENTASCCOSTO", "'110101001'", "'0001'"),
          alta("MA_CUENTASCCOSTO", "'110101001'", "'0002'")},
         true,
         "INSERT ON MA_CUENTASCCOSTO WHEN NEW.CCOSTO = '0002'",
         "MA_CUENTASCCOSTO"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.disparador.toStdString());
        for (const testutil::TempDatabase* d : {&db, &grupo, &tpv}) {
            d->exec("DELETE FROM MA_CUENTAS WHERE CODIGO = '110101001'; DELETE FROM "
                    "MA_CUENTAS_USUARIOS; DELETE FROM MA_CUENTASADIC; DELETE FROM "
                    "MA_CUENTASCCOSTO; DROP TRIGGER IF EXISTS refusa");
            if (d != &db && !c.copias.isEmpty())
                d->exec(c.copias);
        }
        db.exec(c.empresa);
        const testutil::TempDatabase& refusa = c.refusaGrupo ? grupo : tpv;
        const testutil::TempDatabase& otra = c.refusaGrupo ? tpv : grupo;
        refusa.exec("CREATE TRIGGER refusa BEFORE " + c.disparador +
                    " BEGIN SELECT RAISE(ABORT, 'rechaza'); END");
        QList<QVariantList> antes;
        for (const QString& t : c.tablas.split(u','))
            antes += filas(refusa, t);
        responder->shown.clear();

        ModGruposEmp::ActualizaGEmpresas(c.cambios);

        QList<QVariantList> despues;
        for (const QString& t : c.tablas.split(u',')) {
            despues += filas(refusa, t);
            // The point of sale keeps no rights nor cost centres.
            if (&otra == &grupo || t == u"MA_CUENTAS" || t == u"MA_CUENTASADIC") {
                EXPECT_EQ(filas(otra, t), filas(db, t)) << t.toStdString();
            }
        }
        EXPECT_EQ(despues, antes);
        // The refused statement's box, once: an insert's or an update's.
        const QStringList cajas = responder->messages().filter(QStringLiteral("rechaza"));
        ASSERT_EQ(cajas.size(), 1) << responder->messages().join(u'|').toStdString();
        EXPECT_TRUE(cajas[0] == u"Error en base de datos rechaza" ||
                    cajas[0].startsWith(u"rechaza\r\nNo se pudo actualizar la base de datos "));
    }
}

// The company's row is read from its table whoever the user is, and its
// database name is quoted as a name: a row the user's restricted view hides
// reaches every copy, inserted and then updated.
TEST_F(ReplicaTest, ACopyReadsTheCompanysRealTableUnderAnyName) {
    db.exec(QStringLiteral("DROP VIEW SS_MA_CUENTAS; CREATE VIEW SS_MA_CUENTAS AS SELECT * FROM "
                           "MA_CUENTAS WHERE CODIGO <> '110101001'"));
    const QString base = gDatos().gDBName;
    const struct {
        bool admin;
        QString nombre;
    } casos[] = {{false, base}, {true, QStringLiteral("EM]P'A")}, {false, QStringLiteral("[x]]")}};
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre.toStdString());
        for (const testutil::TempDatabase* d : {&db, &grupo, &tpv})
            d->exec(QStringLiteral("DELETE FROM MA_CUENTAS WHERE CODIGO = ") + kCuenta);
        db.exec(QStringLiteral("INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION) VALUES (") + kCuenta +
                QStringLiteral(", 'Oculta')"));
        gDatos().gEsAdmin = c.admin;
        gDatos().gDBName = c.nombre;
        QString tabla = QStringLiteral("MA_CUENTAS");
        ActualizaGEmpresas(tabla, ModGruposEmp::Alta, kCuenta);
        copiasIguales(tabla, "alta");
        db.exec(QStringLiteral("UPDATE MA_CUENTAS SET DESCRIPCION = 'Cambiada' WHERE CODIGO = ") +
                kCuenta);
        ActualizaGEmpresas(tabla, ModGruposEmp::Modificacion, kCuenta);
        copiasIguales(tabla, "modificación");
        gDatos().gEsAdmin = true;
        gDatos().gDBName = base;
        EXPECT_EQ(responder->messages().filter(QStringLiteral("Error")), QStringList());
        EXPECT_EQ(filas(grupo, tabla).size(), 2);
    }
}

} // namespace
