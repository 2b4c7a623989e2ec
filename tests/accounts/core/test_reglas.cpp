// The chart's rules component: code lengths by kind, lower levels and
// postings.

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

} // namespace
