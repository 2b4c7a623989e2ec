// What an accountant signs: every stored adjustment entry balances to the
// cent, a year is not adjusted twice and a year adjusted in parts restates its
// opening balances once.

#include "ventana_fixture.h"

#include <QFile>

namespace {

struct Sumas {
    vb::Currency debe;
    vb::Currency haber;
    int filas = 0;
    int fraccionesDeCentavo = 0;
};

// The stored adjustment rows that match `filtro`, added up exactly.
Sumas sumas(const testutil::TempDatabase& db, const QString& filtro) {
    Sumas s;
    for (const QVariantList& f : db.rows(QStringLiteral("SELECT IMPORTE, \"DEBE-HABER\" FROM "
                                                        "MV_ASIENTOS WHERE ESAJUSTE = 1 AND ") +
                                         filtro)) {
        const vb::Currency importe = vb::CCur(f[0]);
        (f[1].toString() == u"D" ? s.debe : s.haber) += importe;
        s.fraccionesDeCentavo += importe.raw() % 100 != 0;
        ++s.filas;
    }
    return s;
}

} // namespace

class Cuadre : public VentanaTest {
protected:
    // Header, generation, concept and GRABAR, as the user does them.
    void graba(FrmQuarzelo& w, const QString& rei) {
        ASSERT_TRUE(valida(w, "CTA_REI", rei));
        ASSERT_TRUE(valida(w, "TC", QStringLiteral("AJUS")));
        ASSERT_TRUE(valida(w, "LETRA", QStringLiteral("X")));
        w.CmdGenerar_Click();
        ASSERT_GT(w.lineas().size(), 1u);
        campo(w, "DETALLE")->setText(QStringLiteral("Ajuste"));
        w.Paxtor1_ButtonClick(QStringLiteral("GRABAR"));
        ASSERT_EQ(ultimoMensaje(), QStringLiteral("Proceso Completo!"));
    }

    static void balancea(const Sumas& s) {
        EXPECT_GT(s.filas, 1);
        EXPECT_EQ(s.debe, s.haber)
            << s.debe.toString().toStdString() << " / " << s.haber.toString().toStdString();
        EXPECT_EQ(s.fraccionesDeCentavo, 0);
    }
};

// The demo company, full year: the stored rows balance exactly; the next run
// is told the year is done and refused before anything is generated or stored.
TEST_F(Cuadre, EmpresaDemoAnioCompletoYSegundaCorrida) {
    const testutil::TempDatabase demo = db.sibling(QStringLiteral("DEMO"));
    QFile f(QStringLiteral(QUARZELO_SOURCE_DIR "/demo/data.sql"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    demo.exec(QStringLiteral("BEGIN;\n") + QString::fromUtf8(f.readAll()) +
              QStringLiteral("\n;COMMIT;"));

    auto w = arrancaEn(demo, *responder, QStringLiteral("2023"));
    ASSERT_NO_FATAL_FAILURE(graba(*w, QStringLiteral("610301001")));
    const Sumas s = sumas(demo, QStringLiteral("PERIODO = 2023"));
    balancea(s);
    EXPECT_GT(s.debe, vb::Currency::fromRaw(1000000LL * 10000));

    responder->shown.clear();
    w = arrancaEn(demo, *responder, QStringLiteral("2023"));
    ASSERT_FALSE(responder->shown.empty());
    EXPECT_TRUE(responder->shown.back().prompt.startsWith(
        QStringLiteral("Ultimo ajuste realizado con fecha 31/12/2023")));
    EXPECT_EQ(campo(*w, "PERIODO_DESDE")->text(), QStringLiteral("01/2024"));
    ASSERT_TRUE(valida(*w, "CTA_REI", QStringLiteral("610301001")));
    ASSERT_TRUE(valida(*w, "TC", QStringLiteral("AJUS")));
    ASSERT_TRUE(valida(*w, "LETRA", QStringLiteral("X")));
    w->CmdGenerar_Click();
    EXPECT_EQ(ultimoMensaje(), QStringLiteral("Periodo Desde Mayor que Hasta!"));
    EXPECT_EQ(w->lineas().size(), 1u);
    // Nothing was generated: GRABAR stays off and stores nothing.
    responder->shown.clear();
    EXPECT_FALSE(paxtor(*w)->estado(Paxtor::EstadoGrabar));
    w->Paxtor1_ButtonClick(QStringLiteral("GRABAR"));
    EXPECT_TRUE(responder->shown.empty());
    EXPECT_EQ(sumas(demo, QStringLiteral("PERIODO = 2023")).filas, s.filas);
}

// Amounts restated into fractions of a cent, with the REI account plain or
// adjustable (its own line netted with the balancing amount): the save goes
// through and the stored rows balance exactly.
TEST_F(Cuadre, FraccionesDeCentavoYCuentaReiAjustable) {
    cuenta(QStringLiteral("1101"), QStringLiteral("Caja"), 1);
    cuenta(QStringLiteral("1201"), QStringLiteral("Mercaderías"), 2);
    cuenta(QStringLiteral("1301"), QStringLiteral("Rodados"), 3);
    indice(2022, 12, 1.0);
    indices(2023, 1, 12, 1.0);
    db.exec(QStringLiteral("UPDATE MA_INDAJUSTE SET INDICE1 = 1.03333, INDICE2 = 1.01117, "
                           "INDICE3 = 0.98765 WHERE ANIO = 2023 AND MES IN (3, 7, 11)"));
    const struct {
        const char* cuenta;
        const char* fecha;
        const char* dh;
        double importe;
    } movimientos[] = {
        {"1101", "2023-03-10", "D", 100.07}, {"1101", "2023-07-11", "D", 33.33},
        {"1201", "2023-03-12", "H", 250.05}, {"1201", "2023-11-02", "D", 0.15},
        {"1301", "2023-07-20", "D", 777.77}, {"5901", "2023-03-15", "H", 10.01},
        {"5901", "2023-11-15", "D", 45.55},
    };
    for (const auto& m : movimientos)
        mov({QLatin1String(m.cuenta), QLatin1String(m.fecha), QLatin1String(m.dh), m.importe});

    for (const int serieRei : {0, 1, 3}) {
        SCOPED_TRACE(serieRei);
        db.exec(QStringLiteral("DELETE FROM MV_ASIENTOS WHERE ESAJUSTE = 1;"
                               "UPDATE MA_CUENTAS SET AJUSTE = %1, INDICE = %2 WHERE CODIGO = "
                               "'5901'")
                    .arg(serieRei ? 1 : 0)
                    .arg(serieRei));
        auto w = nueva();
        ASSERT_NO_FATAL_FAILURE(graba(*w, QStringLiteral("5901")));
        balancea(sumas(db, QStringLiteral("1 = 1")));
        EXPECT_EQ(sumas(db, QStringLiteral("CUENTA = '5901'")).filas, 1);
    }
}

// January to June, then July to December: the opening balance is restated by
// the first run only, and only the second run finishes the year.
TEST_F(Cuadre, AnioEnDosPartesReexpresaLaAperturaUnaVez) {
    cuenta(QStringLiteral("1201"), QStringLiteral("Mercaderías"), 2);
    indice(2022, 12, 1.05);
    indices(2023, 1, 12, 1.0);
    db.exec(
        QStringLiteral("UPDATE MA_INDAJUSTE SET INDICE2 = 1.02 WHERE ANIO = 2023 AND MES = 10"));
    Mov apertura{QStringLiteral("1201"), QStringLiteral("2023-01-01"), QStringLiteral("D"), 2000};
    apertura.apertura = 1;
    mov(apertura);
    mov({QStringLiteral("1201"), QStringLiteral("2023-03-10"), QStringLiteral("D"), 300});
    mov({QStringLiteral("1201"), QStringLiteral("2023-10-10"), QStringLiteral("H"), 50});

    auto w = nueva();
    EXPECT_EQ(campo(*w, "PERIODO_DESDE")->text(), QStringLiteral("01/2023"));
    campo(*w, "PERIODO_HASTA")->setText(QStringLiteral("06/2023"));
    responder->shown.clear();
    ASSERT_NO_FATAL_FAILURE(graba(*w, QStringLiteral("5901")));
    // Half a year adjusted: no warning, the rest of the year is proposed.
    EXPECT_EQ(responder->messages(), QStringList{QStringLiteral("Proceso Completo!")});
    EXPECT_EQ(campo(*w, "PERIODO_DESDE")->text(), QStringLiteral("07/2023"));
    EXPECT_EQ(campo(*w, "PERIODO_HASTA")->text(), QStringLiteral("12/2023"));

    responder->shown.clear();
    ASSERT_NO_FATAL_FAILURE(graba(*w, QStringLiteral("5901")));
    ASSERT_EQ(responder->messages().size(), 2);
    EXPECT_TRUE(responder->messages()[0].startsWith(
        QStringLiteral("Ultimo ajuste realizado con fecha 31/12/2023")));

    const Sumas cuenta1201 = sumas(db, QStringLiteral("CUENTA = '1201'"));
    // 2000.00 by 1.05 once (+100), October's 50.00 credit by 1.02 (-1).
    EXPECT_EQ(cuenta1201.debe - cuenta1201.haber, vb::Currency::fromRaw(99 * 10000));
    balancea(sumas(db, QStringLiteral("1 = 1")));
}
