// The chart's rules component: code lengths by kind, lower levels and
// postings, the hierarchy and the cash-flow lines.

#include "cuentas_fixture.h"

#include "accounts/core/clsreglasplan.h"
#include "accounts/core/mensajes.h"

namespace {

class Reglas : public CuentasTest {
protected:
    ClsReglasPlan reglas;
};

TEST_F(Reglas, CodeLengthsByKind) {
    const struct {
        std::array<int, 6> niveles;
        const char* codigo;
        bool digitos, titulo;
    } casos[] = {
        {{1, 1, 2, 2, 3, 3}, "1-1-01", true, true}, // judged without "-"
        {{1, 1, 2, 2, 3, 3}, "110", false, false},
        {{1, 1, 2, 2, 3, 3}, "110101001001", true, false}, // last level: no title
        {{1, 1, 2, 2, 3, 3}, "", false, false},
        {{1, 1, 0, 2, 3, 3}, "1101001001", true, false},        // a level without digits
        {{4, 4, 4, 4, 0, 0}, "1111222233334444", false, false}, // past the column's 15
    };
    for (const auto& c : casos) {
        niveles(c.niveles);
        const QString codigo = QString::fromLatin1(c.codigo);
        QString msgTitulo, msgImputable;
        EXPECT_EQ(reglas.ValidaCantidadDigitos(codigo), c.digitos) << c.codigo;
        EXPECT_EQ(reglas.ValidaCodigoImputable(codigo, msgImputable), c.digitos) << c.codigo;
        EXPECT_EQ(reglas.ValidaCodigoTitulo(codigo, msgTitulo), c.titulo) << c.codigo;
        EXPECT_EQ(msgTitulo, c.titulo ? QString() : cuentas::MsgNoPuedeSerTitulo) << c.codigo;
        EXPECT_EQ(msgImputable, c.digitos ? QString() : cuentas::MsgCantidadDigitos) << c.codigo;
    }
}

// Lower levels by code prefix; LIKE's own characters and apostrophes in a
// code stand for themselves.
TEST_F(Reglas, LowerLevelsAndPostings) {
    cuenta("1", "ACTIVO", true);
    cuenta("12", "ACTIVO NO CORRIENTE", true);
    cuenta("1201", "BIENES DE USO", true, true); // dropped, still below "12"
    cuenta("1_", "RARO", true);
    cuenta("O'1", "CON APOSTROFO", true);
    db.exec("INSERT INTO MV_ASIENTOS (PERIODO, CUENTA, IMPORTE) VALUES (2024, '1201', 10)");
    const struct {
        const char* codigo;
        bool subcuentas, movimientos;
    } casos[] = {
        {"1", true, false},   {"12", true, false},   {"1_", false, false},
        {"1%", false, false}, {"O'1", false, false}, {"1-2-01", false, true},
    };
    for (const auto& c : casos) {
        EXPECT_EQ(reglas.TieneSubcuentas(QString::fromLatin1(c.codigo)), c.subcuentas) << c.codigo;
        EXPECT_EQ(reglas.TieneMovimientos(QString::fromLatin1(c.codigo)), c.movimientos)
            << c.codigo;
    }
    EXPECT_TRUE(responder->shown.empty());
}

// The code of the level above a saved one, for the next code typed; a level
// without digits ends where the one above it does.
TEST(Niveles, ParentPrefixForTheNextCode) {
    const struct {
        std::array<int, 6> fines;
        const char *codigo, *prefijo;
    } casos[] = {
        {{1, 2, 4, 6, 9, 12}, "110101001001", "110101001"},
        {{1, 2, 4, 6, 9, 12}, "110101001", "110101"},
        {{1, 2, 4, 6, 9, 12}, "110101", "1101"},
        {{1, 2, 4, 6, 9, 12}, "1101", "11"},
        {{1, 2, 4, 6, 9, 12}, "11", ""},
        {{1, 2, 4, 6, 6, 9}, "110101", "1101"},
    };
    for (const auto& c : casos) {
        cuentas::NivelesPlan n;
        n.Fines = c.fines;
        EXPECT_EQ(n.PrefijoPadre(QString::fromLatin1(c.codigo)), QLatin1String(c.prefijo))
            << c.codigo;
    }
}

// The hierarchy is replaced whole: level, nearest title above (codes compared
// without regard to case), no dropped account. The cash-flow line is added once.
TEST_F(Reglas, HierarchyAndCashFlowTables) {
    for (const char* t : {"1", "11", "1A"})
        cuenta(QString::fromLatin1(t), "TITULO", true);
    for (const char* c : {"1101", "110101001", "11020", "1a01"})
        cuenta(QString::fromLatin1(c), "O'Higgins");
    cuenta("1102", "VIEJA", false, true);
    db.exec("INSERT INTO MA_CUENTAS_JERARQUIAS (CODIGO, NIVEL) VALUES ('9', 1);"
            "INSERT INTO \"MA_CASH-DETALLE\" (CUENTA) VALUES (' 11 ')");
    for (int vez = 0; vez < 2; ++vez) {
        reglas.ActualizaJerarquias();
        for (const char* c : {"11", "1-1-01", "O'1"})
            reglas.ActualizaCashFlow(QString::fromLatin1(c));
    }
    EXPECT_EQ(db.scalar("SELECT GROUP_CONCAT(CODIGO || ':' || IFNULL(NIVEL, 0) || ':' || "
                        "IFNULL(CODIGO_PADRE, ''), ' ') FROM (SELECT * FROM "
                        "MA_CUENTAS_JERARQUIAS ORDER BY CODIGO)"),
              "1:1: 11:2:1 1101:3:11 110101001:5:11 11020:0:11 1A:2:1 1a01:3:1a");
    EXPECT_EQ(db.scalar("SELECT GROUP_CONCAT(CUENTA, '|') FROM \"MA_CASH-DETALLE\""),
              " 11 |1101|O'1");
    EXPECT_TRUE(responder->shown.empty());
}

} // namespace
