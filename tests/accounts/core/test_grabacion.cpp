// The account's save, delete and drop store all or nothing: the program is
// ended at each of their statements in turn, and the company file, opened
// again, holds either none of the change or all of it, satellites included,
// and never an audit row without its change.

#include "cuentas_fixture.h"

#include "accounts/core/clsreglasplan.h"
#include "accounts/core/grabacion.h"

#include "accounts/core/carga.h"
#include "accounts/core/codigos.h"
#include "common/oracle_dialect.h"
#include "data/oracle_dicc.h"
#include <QFile>
#include <QRegularExpression>
#include <cstdlib>
#include <functional>

using namespace cuentas;

namespace {

class GrabacionCuenta : public CuentasTest {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(CuentasTest::SetUp());
        cuenta("1", "ACTIVO", true);
        cuenta("11", "ACTIVO CORRIENTE", true);
        cuenta("110101", "CAJA", true);
        cuenta("110101001", "Caja");
        cuenta("110101002", "Fondo Fijo");
        db.exec("INSERT INTO TA_CCOSTO (CODIGO, DESCRIPCION) VALUES ('0100', 'Ventas');"
                "INSERT INTO MA_CUENTAS_USUARIOS (GRUPOUSER, CUENTA) VALUES ('GERENCIA', '1'),"
                "('CONTADORES', '11'), ('GERENCIA', '110101002');"
                "INSERT INTO MA_CUENTASCCOSTO (CODIGO, CCOSTO, PORCENTAJE) VALUES "
                "('110101002', '0100', 100);"
                "INSERT INTO MA_CUENTASADIC (CODIGO) VALUES ('110101002');"
                "INSERT INTO [MA_CASH-DETALLE] (CUENTA) VALUES ('110101002')");
    }

    // "A" (or "M", "B") audit rows, cost-centre rows, rights rows and the
    // account's own values, of one code.
    QString estado(const QString& codigo) const {
        const QString c = sqltext::literal(codigo);
        return db
            .scalar("SELECT (SELECT IFNULL(GROUP_CONCAT(Tipo_accion), '') FROM V_MV_CPTEACCIONES "
                    "WHERE SYSTEMUSER LIKE " +
                    sqltext::literal(codigo + u'%') +
                    ") || '|' || (SELECT COUNT(*) FROM MA_CUENTASCCOSTO WHERE CODIGO = " + c +
                    ") || '|' || (SELECT COUNT(*) FROM MA_CUENTAS_USUARIOS WHERE CUENTA = " + c +
                    ") || '|' || (SELECT COUNT(*) FROM MA_CUENTASADIC WHERE CODIGO = " + c +
                    ") || '|' || (SELECT COUNT(*) FROM [MA_CASH-DETALLE] WHERE CUENTA = " + c +
                    ") || '|' || IFNULL((SELECT DESCRIPCION || ':' || DADA_DE_BAJA FROM "
                    "MA_CUENTAS WHERE CODIGO = " +
                    c + "), '-')")
            .toString();
    }
};

// Each case: the change, and the company before it and after it as estado()
// reads them.
struct Caso {
    const char* nombre;
    const char* codigo;
    std::function<Desenlace(ClsReglasPlan&)> cambio;
    const char* antes;
    const char* despues;
};

TEST_F(GrabacionCuenta, KilledAtEachStatementStoresAllOrNothing) {
    Cuenta nueva;
    nueva.Codigo = "1-1-01-01-005";
    nueva.Descripcion = "Banco";
    nueva.UsaCCostos = true;
    Cuenta cambiada;
    cambiada.Codigo = "1-1-01-01-001";
    cambiada.Descripcion = "Caja Central";
    cambiada.UsaCCostos = true;
    const SatelitesCuenta satelites{true, "0100"};
    const std::vector<Caso> casos = {
        {"new account with its cost centre and rights", "110101005",
         [&](ClsReglasPlan& r) { return GrabaCuenta(nueva, true, satelites, r); }, "|0|0|0|0|-",
         "A|1|2|0|0|Banco:0"},
        // An account left without rights gets those of a new one.
        {"changed account", "110101001",
         [&](ClsReglasPlan& r) { return GrabaCuenta(cambiada, false, satelites, r); },
         "|0|0|0|0|Caja:0", "M|1|2|0|0|Caja Central:0"},
        {"delete", "110101002",
         [](ClsReglasPlan& r) { return BorraCuenta("110101002", "1-1-01-01-002", r); },
         "|1|1|1|1|Fondo Fijo:0", "B|0|0|0|0|-"},
        {"logical drop", "110101002",
         [](ClsReglasPlan&) { return BajaLogica("110101002", "1-1-01-01-002"); },
         "|1|1|1|1|Fondo Fijo:0", "B|1|1|1|1|Fondo Fijo:1"},
    };
    // The file is copied back before each run: nothing may hold it open.
    resetInstances();
    const QString copia = tempDir.filePath("antes.db");
    ASSERT_TRUE(QFile::copy(db.path(), copia));
    const QString completo = tempDir.filePath("completo");
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nombre);
        int muertes = 0;
        for (int n = 1; n < 200; ++n) {
            QFile::remove(db.path());
            ASSERT_TRUE(QFile::copy(copia, db.path()));
            ASSERT_EQ(estado(caso.codigo), caso.antes);
            EXPECT_EXIT(
                {
                    openGDatos(db, false);
                    int vistas = 0;
                    gDatos().cnn()->setFaultInjector([&](const QString&) {
                        if (++vistas == n)
                            std::_Exit(0);
                        return std::optional<ado::Error>();
                    });
                    ClsReglasPlan reglas;
                    caso.cambio(reglas);
                    QFile marca(completo);
                    marca.open(QIODevice::WriteOnly);
                    std::_Exit(0);
                },
                ::testing::ExitedWithCode(0), "");
            const QString despues = estado(caso.codigo);
            if (QFile::exists(completo)) {
                QFile::remove(completo);
                EXPECT_EQ(despues, caso.despues) << "run to its end";
                break;
            }
            ++muertes;
            EXPECT_TRUE(despues == caso.antes || despues == caso.despues)
                << "ended at statement " << n << ": " << despues.toStdString();
        }
        EXPECT_GT(muertes, 3);
    }
}

// A link lost for good at any statement of the save's transaction, the
// reconnects working: the save fails with its box and stores nothing.
TEST_F(GrabacionCuenta, LostLinkAtEachStatementStoresNothing) {
    Cuenta nueva;
    nueva.Codigo = "1-1-01-01-005";
    nueva.Descripcion = "Banco";
    nueva.UsaCCostos = true;
    Cuenta cambiada;
    cambiada.Codigo = "1-1-01-01-001";
    cambiada.Descripcion = "Caja Central";
    cambiada.UsaCCostos = true;
    const SatelitesCuenta satelites{true, "0100"};
    const struct {
        const char* codigo;
        const Cuenta* cuenta;
        bool nueva;
    } casos[] = {{"110101005", &nueva, true}, {"110101001", &cambiada, false}};
    const QString cadena = gDatos().cnn()->ConnectionString;
    for (const auto& c : casos) {
        SCOPED_TRACE(c.codigo);
        const QString antes = estado(c.codigo);
        QStringList enviadas;
        {
            // A dry run on a copy of the statements: rolled back by hand.
            testutil::recordStatements(gDatos().cnn(), enviadas, [](const QString& s) {
                return s.startsWith(QLatin1String("COMMIT")) ? std::optional(ado::lostLinkError())
                                                             : std::nullopt;
            });
            ClsReglasPlan reglas;
            GrabaCuenta(*c.cuenta, c.nueva, satelites, reglas);
            gDatos().cnn()->setFaultInjector({});
            ASSERT_EQ(estado(c.codigo), antes);
        }
        const qsizetype desde = enviadas.indexOf(QRegularExpression("BEGIN TRANS.*"));
        const qsizetype hasta = enviadas.indexOf(QStringLiteral("COMMIT TRANSACTION"));
        ASSERT_GT(desde, 0);
        ASSERT_GT(hasta, desde);
        for (qsizetype k = 0; k <= hasta; ++k) { // its reads before the transaction too
            SCOPED_TRACE(enviadas[k].left(60).toStdString());
            responder->shown.clear();
            int cuenta = 0;
            gDatos().cnn()->setFaultInjector(testutil::lostLinkAt(int(k), cadena, cuenta));
            ClsReglasPlan reglas;
            const Desenlace d = GrabaCuenta(*c.cuenta, c.nueva, satelites, reglas);
            gDatos().cnn()->setFaultInjector({});
            EXPECT_EQ(d.estado, Desenlace::Estado::Fallido);
            EXPECT_FALSE(responder->shown.empty());
            EXPECT_EQ(estado(c.codigo), antes);
            EXPECT_FALSE(gDatos().cnn()->inTransaction());
        }
    }
}

// A save reads its row again inside its transaction: what another user did
// since the load refuses it (or, a drop, asks for the reuse) and stays as the
// other user left it; a column the save does not write may change freely.
TEST_F(GrabacionCuenta, ASaveFindsWhatAnotherUserDidSinceTheLoad) {
    const struct {
        const char* caso;
        bool nueva;
        const char* otro; // the other user's statement between the load and the save
        Desenlace::Estado estado;
        const char* despues; // DESCRIPCION:BLOQUEO:DADA_DE_BAJA afterwards; "-" none
    } casos[] = {
        {"nothing", false, "", Desenlace::Estado::Hecho, "Caja Central:0:0"},
        {"manual text", false, "UPDATE MA_CUENTAS SET Manual = 'otro'", Desenlace::Estado::Hecho,
         "Caja Central:0:0"},
        {"blocked", false, "UPDATE MA_CUENTAS SET BLOQUEO = 1", Desenlace::Estado::Rechazado,
         "Caja:1:0"},
        {"dropped", false, "UPDATE MA_CUENTAS SET DADA_DE_BAJA = 1", Desenlace::Estado::Reutilizar,
         "Caja:0:1"},
        {"deleted", false, "DELETE FROM MA_CUENTAS", Desenlace::Estado::Rechazado, "-"},
        {"inserted", true,
         "INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, TITULO, BLOQUEO) VALUES ('110101001', "
         "'Ajena', 0, 1)",
         Desenlace::Estado::Rechazado, "Ajena:1:0"},
    };
    Cuenta c;
    c.Codigo = "1-1-01-01-001";
    c.Descripcion = "Caja Central";
    for (const auto& k : casos) {
        SCOPED_TRACE(k.caso);
        db.exec("DELETE FROM MA_CUENTAS WHERE CODIGO = '110101001'");
        if (!k.nueva)
            cuenta("110101001", "Caja");
        ado::RecordsetPtr rs;
        const bool hay = BuscaCuenta("110101001", rs);
        ASSERT_EQ(hay, !k.nueva);
        const std::optional<FilaGuardada> cargada =
            hay ? std::optional(LeeFilaGuardada(rs)) : std::nullopt;
        gDatos().CierraRecordset(rs);
        if (*k.otro)
            db.exec(QString::fromLatin1(k.otro) + (k.nueva ? "" : " WHERE CODIGO = '110101001'"));
        ClsReglasPlan reglas;
        const Desenlace d = GrabaCuenta(c, k.nueva, {true, "0100"}, reglas, nullptr, cargada);
        EXPECT_EQ(d.estado, k.estado) << d.Mensaje.toStdString();
        EXPECT_EQ(d.Actual.has_value(), k.estado == Desenlace::Estado::Reutilizar);
        EXPECT_EQ(db.scalar("SELECT IFNULL((SELECT DESCRIPCION || ':' || BLOQUEO || ':' || "
                            "DADA_DE_BAJA FROM MA_CUENTAS WHERE CODIGO = '110101001'), '-')"),
                  k.despues);
        if (d.estado == Desenlace::Estado::Reutilizar) {
            // Reused as the save found it, the window's values come back.
            EXPECT_TRUE(GrabaCuenta(c, false, {true, "0100"}, reglas, nullptr, d.Actual).hecho());
            EXPECT_EQ(columna("110101001", "DESCRIPCION || DADA_DE_BAJA"), "Caja Central0");
        }
    }
}

} // namespace

// Every statement the account's read, save, delete and drop send reads as
// Oracle's dialect once rewritten; the shapes that need rewriting read as below.
TEST_F(GrabacionCuenta, EverySentStatementTranslatesToOracle) {
    QStringList sent;
    testutil::recordStatements(gDatos().cnn(), sent);
    Cuenta nueva;
    nueva.Codigo = "1-1-01-01-005";
    nueva.Descripcion = "Banco";
    nueva.UsaCCostos = true;
    Cuenta cambiada;
    cambiada.Codigo = "1-1-01-01-001";
    cambiada.Descripcion = "Caja Central";
    const SatelitesCuenta satelites{true, "0100"};
    ClsReglasPlan reglas;
    GrabaCuenta(nueva, true, satelites, reglas);
    ado::RecordsetPtr rs;
    BuscaCuenta("110101001", rs);
    ResumeCuenta("110101001");
    GrabaCuenta(cambiada, false, satelites, reglas);
    ProponeCodigoLibre("1-1-01-01");
    BorraCuenta("110101002", "1-1-01-01-002", reglas);
    BajaLogica("110101001", "1-1-01-01-001");
    gDatos().cnn()->setFaultInjector({});
    sent.removeDuplicates();

    const std::pair<const char*, const char*> shapes[] = {
        {"SELECT TOP 1 CODIGO FROM MA_CUENTAS WHERE CODIGO LIKE '110101005%' AND LEN(CODIGO) > 9",
         "SELECT CODIGO FROM MA_CUENTAS WHERE CODIGO LIKE '110101005%' AND LENGTH(CODIGO) > 9 AND "
         "ROWNUM <= 1"},
    };
    for (const auto& [server, oracle] : shapes) {
        EXPECT_TRUE(sent.contains(QString::fromUtf8(server))) << server;
        EXPECT_EQ(oracle::rewriteStatement(QString::fromUtf8(server)), QString::fromUtf8(oracle));
    }
    EXPECT_GT(sent.size(), 30);
    for (const QString& s : sent) {
        const QString o = oracle::rewriteStatement(s);
        EXPECT_EQ(testutil::serverDialectLeft(o), QStringList()) << o.toStdString();
    }
}
