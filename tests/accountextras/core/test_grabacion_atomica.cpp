// The saves of the additional data and of the cost-centre distribution are
// all or nothing: the process is ended at each statement the company's
// connection is asked to run, in turn, and the company file then holds
// either nothing of the change or all of it.

#include "cuentas_fixture.h"

#include "accountextras/core/datos_adicionales.h"
#include "accountextras/core/distribucion_ccosto.h"
#include "data/mod_gruposemp.h"
#include "startup/core/cartel.h"

#include <cstdlib>
#include <functional>

namespace {

constexpr int kMuerto = 7;

struct Caso {
    const char* nombre;
    QString tablas;              // their rows, all columns, are the state compared
    QString semilla;             // the state before the save
    std::function<bool()> graba; // true when it stored
};

class GrabacionAtomica : public CuentasTest {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(CuentasTest::SetUp());
        // The copies are written after the commit, from the company's rows:
        // statements of the company's connection come after the commit too.
        CNStuffContable::InstalaReplicacion();
        db.exec(
            QStringLiteral("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR, ValorAux) VALUES "
                           "('GRP_Deshabilitado', '0', NULL), ('GRP_Tablas', '', "
                           "'MA_CUENTASADIC|MA_CUENTASCCOSTO|MA_CUENTASCCOSTO_UNEG|'), "
                           "('GRP_Tipos', '111', NULL), ('GRP_Server', %1, NULL), "
                           "('GRP_Base', 'GRUPO', NULL), ('GRP_User', 'GRUPO', NULL), "
                           "('ClaseDePrecioDefault', 'MAYOR', NULL);"
                           "INSERT INTO TA_CCOSTO (CODIGO, DESCRIPCION, TITULO) VALUES "
                           "('0101', 'Mayoristas', 0), ('0102', 'Minoristas', 0), "
                           "('0201', 'Administración', 0);"
                           "INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, TITULO, TIPOVISTA, "
                           "DADA_DE_BAJA) VALUES ('110301001', 'Cooperativa Obrera', 0, 'CL', 0),"
                           "('520101001', 'Sueldos', 0, NULL, 0)")
                .arg(sqltext::literal(db.folder())));
        // The killed process works on this test's database: a forked child,
        // not a new run of the test on a database of its own.
        GTEST_FLAG_SET(death_test_style, "fast");
    }

    void TearDown() override {
        gDatos().cnn()->setFaultInjector({});
        CNStuffContable::resetCartel();
        ModGruposEmp::setServicios(nullptr);
        CuentasTest::TearDown();
    }

    QList<QVariantList> estado(const QString& tablas) const {
        QList<QVariantList> filas;
        for (const QString& t : tablas.split(u','))
            filas +=
                db.rows(QStringLiteral("SELECT * FROM ") + t + QStringLiteral(" ORDER BY 1, 2"));
        return filas;
    }

    void siembra(const Caso& c) const {
        for (const QString& t : c.tablas.split(u','))
            db.exec(QStringLiteral("DELETE FROM ") + t);
        db.exec(c.semilla);
    }

    testutil::TempDatabase grupo = db.sibling(QStringLiteral("GRUPO"));
};

cuentasadic::DatosAdicionales adicionales(bool nuevo, const QString& calle) {
    cuentasadic::DatosAdicionales d;
    d.Codigo = QStringLiteral("110301001");
    d.Nuevo = nuevo;
    d.Campos = {{"CALLE", calle, false, ""},
                {"LOCALIDAD", "Bahía Blanca", false, ""},
                {"LIMITE_CREDITO", "1500,5", false, ""},
                {"idcategoria", "2", false, "V_TA_CATEGORIA"}};
    d.Ahora = vb::MakeDate(2024, 3, 15, 10, 0, 0);
    return d;
}

ccosto::Grabacion distribucion(const QString& unidad) {
    ccosto::Grabacion g;
    g.Cuenta = QStringLiteral("520101001");
    g.Unidad = unidad;
    g.Filas = {{}, {"0102", "", "12,5"}, {"0201", "", "87,5"}};
    g.VariablePorUD = true;
    g.Ahora = vb::MakeDate(2024, 3, 15, 10, 0, 0);
    return g;
}

TEST_F(GrabacionAtomica, AKilledSaveLeavesNothingOrAllOfIt) {
    const QString ccostos = QStringLiteral("MA_CUENTASCCOSTO,MA_CUENTASCCOSTO_UNEG");
    const QString antes = QStringLiteral(
        "INSERT INTO MA_CUENTASCCOSTO VALUES ('520101001', '0101', 70, '2024-01-02 00:00:00', 0, "
        "0), ('520101001', '0102', 30, '2024-01-02 00:00:00', 0, 0);"
        "INSERT INTO MA_CUENTASCCOSTO_UNEG VALUES ('520101001', '0001', '0101', 100),"
        "('520101001', '0002', '0101', 100)");
    const Caso casos[] = {
        {"new additional data", "MA_CUENTASADIC", "SELECT 1",
         [] { return cuentasadic::GrabaDatosAdicionales(adicionales(true, "Av. Colón")).hecho(); }},
        {"changed additional data", "MA_CUENTASADIC",
         "INSERT INTO MA_CUENTASADIC (CODIGO, CALLE, CLASE) VALUES ('110301001', 'Sarmiento', "
         "'COSTO')",
         [] { return cuentasadic::GrabaDatosAdicionales(adicionales(false, "Alem")).hecho(); }},
        {"general distribution", ccostos, antes,
         [] { return ccosto::GrabaDistribucion(distribucion(QString())).hecho(); }},
        {"a unit's distribution", ccostos, antes,
         [] { return ccosto::GrabaDistribucion(distribucion("0002")).hecho(); }},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        // Once to fill the run's caches, once more to count the statements
        // of a save as every later one makes them.
        siembra(c);
        ASSERT_TRUE(c.graba()) << responder->messages().join(u'|').toStdString();
        siembra(c);
        const QList<QVariantList> nada = estado(c.tablas);
        QStringList sentencias;
        testutil::recordStatements(gDatos().cnn(), sentencias);
        ASSERT_TRUE(c.graba());
        gDatos().cnn()->setFaultInjector({});
        const QList<QVariantList> todo = estado(c.tablas);
        ASSERT_NE(todo, nada);
        const qsizetype commit = sentencias.indexOf(QStringLiteral("COMMIT TRANSACTION"));
        ASSERT_GE(commit, 0) << sentencias.join(u'|').toStdString();
        ASSERT_LT(commit + 1, sentencias.size()); // the copies' reads follow it

        int sinNada = 0, conTodo = 0;
        // Every statement up to the commit, and the first one after it: the
        // rest are the copies', which all find the save committed.
        for (int n = 0; n <= commit + 1; ++n) {
            SCOPED_TRACE(sentencias[n].toStdString());
            siembra(c);
            EXPECT_EXIT(
                {
                    int vistas = 0;
                    gDatos().cnn()->setFaultInjector(
                        [&vistas, n](const QString&) -> std::optional<ado::Error> {
                            if (vistas++ == n)
                                std::_Exit(kMuerto);
                            return std::nullopt;
                        });
                    c.graba();
                    std::_Exit(0);
                },
                ::testing::ExitedWithCode(kMuerto), "");
            // The company file as the next start opens it.
            const QList<QVariantList> queda = estado(c.tablas);
            EXPECT_TRUE(queda == nada || queda == todo);
            sinNada += queda == nada;
            conTodo += queda == todo;
        }
        // Ended before its commit the save left nothing, after it all.
        EXPECT_GT(sinNada, 0);
        EXPECT_GT(conTodo, 0);
    }
}

} // namespace

namespace {

// Inside its transaction each save reads its account again: deleted, or
// made a title, since the window checked it, the save is refused with the
// window's own text and writes nothing.
TEST_F(GrabacionAtomica, EachSaveFindsItsAccountStillInTheChart) {
    const QString tablas = QStringLiteral("MA_CUENTASADIC,MA_CUENTASCCOSTO");
    const std::pair<const char*, QString> casos[] = {
        {"UPDATE MA_CUENTAS SET TITULO = 1 WHERE CODIGO = '520101001'", ccosto::MsgCuentaTitulo},
        {"DELETE FROM MA_CUENTAS WHERE CODIGO = '520101001'", ccosto::MsgCuentaInexistente},
        {"DELETE FROM MA_CUENTAS", cuentasadic::MsgCuentaInexistente},
    };
    for (const auto& [otro, mensaje] : casos) {
        db.exec(QLatin1String(otro));
        const QList<QVariantList> antes = estado(tablas);
        const cuentasadic::Resultado r =
            mensaje == cuentasadic::MsgCuentaInexistente
                ? cuentasadic::GrabaDatosAdicionales(adicionales(true, "Alem"))
                : ccosto::GrabaDistribucion(distribucion(QString()));
        EXPECT_EQ(r.Mensaje, mensaje) << otro;
        EXPECT_EQ(estado(tablas), antes) << otro;
    }
}

} // namespace
