// The tables beside MA_CUENTAS: user groups of a new account, cash-flow
// lines, optional codes, the first cost-centre row and the delete statements.

#include "cuentas_fixture.h"

#include "accounts/core/satelites.h"

using namespace cuentas;

namespace {

class Satelites : public CuentasTest {
protected:
    int filas(const QString& sql) const { return db.scalar(sql).toInt(); }
    static void ejecuta(const QStringList& sentencias) {
        bool error = true;
        std::int32_t nativo = 0;
        CNStuffContable::EjecutaTransaccion(sentencias, error, nativo);
        EXPECT_FALSE(error) << sentencias.join(u'\n').toStdString();
    }
};

TEST_F(Satelites, NewAccountInheritsTheGroupsOfItsPrefixes) {
    db.exec("INSERT INTO TA_USUARIOS (NOMBRE, GRUPO) VALUES ('ANA', 'CONTABLE'), "
            "('LUIS', 'VENTAS'), ('EVA', 'GERENCIA'), ('SIN', '')");
    db.exec("INSERT INTO MA_CUENTAS_USUARIOS (GRUPOUSER, CUENTA) VALUES ('CONTABLE', '1'), "
            "('VENTAS', '11'), ('O''NEIL', '1101'), ('CONTABLE', '11'), ('GERENCIA', '12')");
    const struct {
        const char* codigo;
        QStringList grupos;
    } casos[] = {
        {"1-1-01-01", {"CONTABLE", "O'NEIL", "VENTAS"}},
        {"3", {"CONTABLE", "GERENCIA", "VENTAS"}}, // level 1: every group of the users
        {"31", {}},                                // nothing above, not level 1
    };
    for (const auto& c : casos) {
        QStringList grupos = GruposDeCuentaNueva(QString::fromLatin1(c.codigo));
        grupos.sort();
        EXPECT_EQ(grupos, c.grupos) << c.codigo;
    }

    // What a save adds: a new account the groups it has no row for yet; an
    // existing one only when it has none at all.
    db.exec("INSERT INTO MA_CUENTAS_USUARIOS (GRUPOUSER, CUENTA) VALUES ('VENTAS', '110102')");
    const struct {
        const char* codigo;
        bool nueva;
        QStringList faltan;
    } faltan[] = {
        {"110101", true, {"CONTABLE", "O'NEIL", "VENTAS"}},
        {"110102", true, {"CONTABLE", "O'NEIL"}},
        {"110102", false, {}},
        {"110103", false, {"CONTABLE", "O'NEIL", "VENTAS"}},
    };
    for (const auto& c : faltan) {
        QStringList grupos = GruposQueFaltan(QString::fromLatin1(c.codigo), c.nueva);
        grupos.sort();
        EXPECT_EQ(grupos, c.faltan) << c.codigo << c.nueva;
    }
    QStringList sentencias;
    for (const QString& grupo : GruposQueFaltan("1-1-01-01", true))
        sentencias << SentenciaGrupoCuenta(grupo, "1-1-01-01");
    ejecuta(sentencias);
    EXPECT_EQ(filas("SELECT COUNT(*) FROM MA_CUENTAS_USUARIOS WHERE CUENTA = '110101'"), 3);
}

// Apostrophes in codes and values stay inside their literals.
TEST_F(Satelites, CashFlowOptionalCodesAndDelete) {
    db.exec("INSERT INTO \"MA_CASH-DETALLE\" (CUENTA) VALUES (' 1101 '), ('O''1'), ('1102')");
    EXPECT_TRUE(EstaEnCashFlow("O'1"));
    ejecuta(SentenciasBajaCuenta("1101 "));
    ejecuta(SentenciasBajaCuenta("O'1"));
    EXPECT_EQ(db.scalar("SELECT CUENTA FROM \"MA_CASH-DETALLE\"").toString(), "1102");

    // Optional codes compare as they are stored: without "-".
    cuenta("110101001", "Caja");
    cuenta("O'1", "Dada de baja", false, true);
    db.exec("UPDATE MA_CUENTAS SET CodigoOpcional = '123' WHERE CODIGO = '110101001'");
    db.exec("UPDATE MA_CUENTAS SET CodigoOpcional = 'O''5' WHERE CODIGO = 'O''1'");
    const struct {
        const char* opcional;
        const char* codigo;
        const char* otro; // "" when not repeated
    } casos[] = {
        {"12-3", "1-1-01-01-003", "110101001"},
        {"123", "1-1-01-01-001", ""},    // its own
        {"O'5", "1-1-01-01-001", "O'1"}, // a dropped account counts
    };
    for (const auto& c : casos) {
        QString otro, descripcion;
        EXPECT_EQ(CodigoOpcionalRepetido(c.opcional, c.codigo, otro, descripcion), *c.otro != 0)
            << c.opcional;
        EXPECT_EQ(otro, QString::fromLatin1(c.otro)) << c.opcional;
    }

    db.exec("INSERT INTO MA_CUENTASADIC (CODIGO) VALUES ('O''1'), ('O''10')");
    cuenta("O'10", "Queda");
    bool error = true;
    std::int32_t nativo = 0;
    CNStuffContable::EjecutaTransaccion(SentenciasBajaCuenta("O'1"), error, nativo);
    EXPECT_FALSE(error);
    EXPECT_EQ(filas("SELECT COUNT(*) FROM MA_CUENTAS WHERE CODIGO LIKE 'O%'"), 1);
    EXPECT_EQ(filas("SELECT COUNT(*) FROM MA_CUENTASADIC"), 1);
}

TEST_F(Satelites, CostCentreRowFollowsTheBox) {
    const struct {
        bool hayFilas, tildado, habilitado;
        const char* quedan;
    } casos[] = {
        {false, true, true, "0201:0.0"},
        {true, false, true, ""},
        {true, false, false, "0101:60.0,0102:40.0"},
    };
    for (const auto& c : casos) {
        db.exec("DELETE FROM MA_CUENTASCCOSTO");
        if (c.hayFilas)
            db.exec("INSERT INTO MA_CUENTASCCOSTO (CODIGO, CCOSTO, PORCENTAJE) VALUES "
                    "('O''1', '0101', 60), ('O''1', '0102', 40)");
        ejecuta(SentenciasCCostoCuenta("O'1", c.tildado, c.habilitado, "0201"));
        EXPECT_EQ(db.scalar("SELECT GROUP_CONCAT(CCOSTO || ':' || PORCENTAJE) FROM (SELECT * "
                            "FROM MA_CUENTASCCOSTO WHERE CODIGO = 'O''1' ORDER BY CCOSTO)")
                      .toString(),
                  QString::fromLatin1(c.quedan))
            << c.hayFilas << c.tildado << c.habilitado;
    }
}

} // namespace
