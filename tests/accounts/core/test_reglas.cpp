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

// Level and nearest title above; a level without digits is skipped.
TEST(Jerarquia, LevelAndNearestTitleAbove) {
    using cuentas::CuentaPlan;
    const std::vector<CuentaPlan> plan = {
        {"1", true},     {"11", true},     {"1101", false}, {"110101", true}, {"110101001", false},
        {"1102", false}, {"11020", false}, {"2", false},    {"21A0", true},   {"21a001", false}};
    cuentas::NivelesPlan n;
    n.Digitos = {1, 1, 2, 2, 3, 3};
    n.Fines = {1, 2, 4, 6, 9, 12};
    QStringList filas;
    for (const cuentas::FilaJerarquia& f : cuentas::JerarquiaPlan(plan, n))
        filas << f.Codigo + u':' + QString::number(f.Nivel) + u':' + f.Padre;
    // "1101" is no title: "110101001" hangs from "110101"; "2" is postable.
    EXPECT_EQ(filas.join(u' '), "1:1: 11:2:1 1101:3:11 110101:4:11 110101001:5:110101 1102:3:11 "
                                "11020:0:11 2:1: 21A0:3: 21a001:4:21a0");
    n.Digitos = {1, 1, 0, 2, 3, 3};
    n.Fines = {1, 2, 2, 4, 7, 10};
    EXPECT_EQ(cuentas::JerarquiaPlan({{"11", true}, {"1101", false}}, n).back(),
              (cuentas::FilaJerarquia{"1101", 4, "11"}));
}

// The code of the level above a saved one, for the next code typed.
TEST(Jerarquia, ParentPrefixForTheNextCode) {
    const struct {
        std::array<int, 6> digitos;
        const char *codigo, *prefijo;
    } casos[] = {
        {{1, 1, 2, 2, 3, 3}, "110101001001", "110101001"}, // level 6: end of 5
        {{1, 1, 2, 2, 3, 3}, "110101001", "110101"},       // level 5: end of 4
        {{1, 1, 2, 2, 3, 3}, "110101", "1101"},            // level 4: end of 3
        {{1, 1, 2, 2, 3, 3}, "1101", "11"},                // level 3: end of 2
        {{1, 1, 2, 2, 3, 3}, "11", ""},
        {{1, 1, 2, 2, 3, 3}, "1", ""},
        {{1, 1, 2, 2, 3, 3}, "11010", ""},      // ends no level
        {{1, 1, 2, 2, 0, 3}, "110101", "1101"}, // levels 4 and 5 end together
        {{1, 1, 2, 2, 0, 3}, "110101001", "110101"},
    };
    for (const auto& c : casos) {
        cuentas::NivelesPlan n;
        n.Digitos = c.digitos;
        for (size_t i = 0, fin = 0; i < 6; ++i)
            n.Fines[i] = int(fin += size_t(c.digitos[i]));
        EXPECT_EQ(n.PrefijoPadre(QString::fromLatin1(c.codigo)), QLatin1String(c.prefijo))
            << c.codigo;
    }
}

// Both rebuild what they keep: the hierarchy replaces every row, the cash-flow
// line is added once.
TEST_F(Reglas, HierarchyAndCashFlowTables) {
    cuenta("1", "ACTIVO", true);
    cuenta("11", "ACTIVO CORRIENTE", true);
    cuenta("1101", "O'Higgins", false);
    cuenta("1102", "VIEJA", false, true); // dropped: not in the hierarchy
    db.exec("INSERT INTO MA_CUENTAS_JERARQUIAS (CODIGO, NIVEL) VALUES ('9', 1)");
    db.exec("INSERT INTO \"MA_CASH-DETALLE\" (CUENTA) VALUES (' 11 ')");
    for (int vez = 0; vez < 2; ++vez) {
        reglas.ActualizaJerarquias();
        for (const char* c : {"11", "1-1-01", "O'1"})
            reglas.ActualizaCashFlow(QString::fromLatin1(c));
    }
    EXPECT_EQ(db.rows("SELECT CODIGO, NIVEL, IFNULL(CODIGO_PADRE, '-') FROM "
                      "MA_CUENTAS_JERARQUIAS ORDER BY 1"),
              (QList<QVariantList>{{"1", 1, "-"}, {"11", 2, "1"}, {"1101", 3, "11"}}));
    EXPECT_EQ(db.rows("SELECT CUENTA FROM \"MA_CASH-DETALLE\" ORDER BY ID"),
              (QList<QVariantList>{{" 11 "}, {"1101"}, {"O'1"}}));
    EXPECT_TRUE(responder->shown.empty());
}

} // namespace
