#include "ventana_fixture.h"

#include <QGroupBox>
#include <QTableWidget>

namespace {

// A side as the stored lines show it.
QString monto(const std::optional<vb::Currency>& lado) {
    return lado ? vb::Format(vb::fromCurrency(*lado), QStringLiteral("#########.00")) : QString();
}

} // namespace

// Showing summary entries (a view adds the header fields bound to ID and
// FECHA_HASTA): number, header, lock, BORRAR, grid, lines and messages after
// each typed number. Then the control-row search: annulled rows never count,
// both limits do, the subledger is compared trimmed, whatever the year.
TEST_F(AjusteTest, LecturaDeAsientoResumen) {
    // Summary entry 5 of March and April 2023 and of March 2022, entry 40000
    // and a general entry 5 (SECUENCIA 9); control rows.
    db.exec(QStringLiteral(
        "INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION) VALUES ('1101', 'Caja'), ('4101', 'Ventas');"
        "INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, \"NUMERO ASIENTO\", SECUENCIA, CUENTA, "
        "\"DEBE-HABER\", IMPORTE) VALUES (2023, 3, 5, 2, '4101', 'H', 250.5), (2023, 3, 5, 1, "
        "'1101', 'D', 250.5), (2023, 3, 5, 3, '1101', 'd', NULL), (2023, 4, 5, 1, '4101', 'D', 7), "
        "(2022, 3, 5, 1, '4101', 'D', 9), (2023, 3, 5, 9, '4101', 'D', 9), (2023, 3, 40000, 1, "
        "'4101', 'H', 12); UPDATE MV_ASIENTOS SET CABIMPORTE = 250.5, VENCIMIENTO = '2023-03-20', "
        "ESRESUMEN = 1, TIPO_REG = char(255) || 'RS' WHERE SECUENCIA < 9; INSERT INTO "
        "MV_CONTROL_AS_RES VALUES (5, 'VTAS', 2022, '2022-03-01', '2022-03-31', 0), (5, 'VTAS', "
        "2023, '2023-03-01', '2023-03-31 00:00:00', 0), (5, 'VTAS', 2023, '2023-04-01', "
        "'2023-04-30', 0), (2, 'VTAS', 2023, '2023-05-01', '2023-05-31', 1), (3, ' COMP ', 2022, "
        "'2022-07-01', '2022-07-31', 0), (4, 'O''H', 2023, '2023-01-01', '2023-01-31', 0)"));
    // An amount that is no number (NULL) reads as a zero on its side.
    const QString marzo = QStringLiteral(
        "5;03-0000005;31/03/2023;250,50;0;1;1101;||||;1101|Caja|250,50||20/03/2023;4101|Ventas||"
        "250,50|20/03/2023;1101|Caja|,00||20/03/2023;||||");
    const std::pair<const char*, QString> casos[] = {
        {"03-0000005", marzo},
        {"5", marzo},
        {"04-0000005",
         QStringLiteral("5;04-0000005;30/04/2023;250,50;0;1;4101;||||;4101|Ventas|7,00||20/03/"
                        "2023;||||")},
        {"03-0040000",
         QStringLiteral(
             "40000;03-0040000;;250,50;0;1;4101;||||;4101|Ventas||12,00|20/03/2023;||||")},
        {"02-0000005", QStringLiteral("5;02-0000005;;1;1;0;-;||||")},
        {"03-9999999999",
         QStringLiteral("0;03-9999999999;;1;1;0;-;||||;Error detectado: 6 Desbordamiento")},
    };
    for (const auto& [id, esperado] : casos) {
        responder->shown.clear();
        FrmQuarzelo w;
        for (const char* columna : {"ID", "FECHA_HASTA"})
            w.addHeaderField(QString::fromLatin1(columna));
        const auto texto = [&](const char* columna) {
            return campo(w, QLatin1String(columna))->text();
        };
        campo(w, "ID")->setText(QLatin1String(id));
        campo(w, "CABIMPORTE")->setText(QStringLiteral("1"));
        paxtor(w)->setEstado(Paxtor::EstadoBorrar, false);
        w.MuestraAsiento();
        QStringList s;
        s << QString::number(w.numeroCargado()) << texto("ID") << texto("FECHA_HASTA")
          << texto("CABIMPORTE") << QString::number(cabecera(w)->isEnabled())
          << QString::number(paxtor(w)->estado(Paxtor::EstadoBorrar))
          << (grilla(w)->item(1, 1) ? grilla(w)->item(1, 1)->text() : "-");
        for (const TipoLineaAjuste& l : w.lineas())
            s << l.Cuenta.trimmed() + u'|' + l.Descripcion.trimmed() + u'|' + monto(l.Debe) + u'|' +
                     monto(l.Haber) + u'|' + l.Vencimiento;
        for (const auto& m : responder->shown)
            s << m.prompt;
        EXPECT_EQ(s.join(u';'), esperado) << id;
    }
    responder->shown.clear();
    const std::tuple<QDate, const char*, bool> control[] = {
        {{2023, 3, 1}, "VTAS", true},    {{2023, 4, 30}, "VTAS", true},
        {{2023, 2, 28}, "VTAS", false},  {{2023, 5, 10}, "VTAS", false},
        {{2023, 3, 15}, " vtas ", true}, {{2022, 7, 31}, "COMP  ", true},
        {{2023, 1, 15}, "O'H", true},
    };
    for (const auto& [fecha, sub, existe] : control) {
        bool hallado = !existe;
        FrmQuarzelo::BuscaControlResumen(fecha, QLatin1String(sub), hallado);
        EXPECT_EQ(hallado, existe) << fecha.toString(Qt::ISODate).toStdString() << sub;
    }
    EXPECT_TRUE(responder->shown.empty());
}

// A stored summary entry read back over a generated one takes the window's
// place as a whole: its lines and totals are shown, and neither GRABAR nor
// "&Generar" can act on it; F4 stores nothing. Read back in a fresh window,
// "&Generar" stays off too.
TEST_F(VentanaTest, UnAsientoLeidoNoSeGraba) {
    cuenta(QStringLiteral("1101"), QStringLiteral("Caja"), 1);
    indice(2022, 12, 1.0);
    indices(2023, 1, 12, 1.1);
    mov({QStringLiteral("1101"), QStringLiteral("2023-01-10"), QStringLiteral("D"), 100});
    db.exec(QStringLiteral(
        "INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, \"NUMERO ASIENTO\", SECUENCIA, CUENTA, "
        "\"DEBE-HABER\", IMPORTE, CABIMPORTE, ESRESUMEN, TIPO_REG) VALUES (2023, 3, 5, 1, '1101', "
        "'D', 250.5, 250.5, 1, char(255) || 'RS'), (2023, 3, 5, 2, '5901', 'H', 250.5, 250.5, 1, "
        "char(255) || 'RS')"));
    const auto guardadas = [&] {
        return db.scalar(QStringLiteral("SELECT COUNT(*) FROM MV_ASIENTOS")).toInt();
    };
    for (const bool generado : {true, false}) {
        SCOPED_TRACE(generado ? "over a generated entry" : "in a fresh window");
        auto w = nueva();
        for (const char* columna : {"ID", "FECHA_HASTA"})
            w->addHeaderField(QString::fromLatin1(columna));
        if (generado) {
            ASSERT_TRUE(valida(*w, "CTA_REI", QStringLiteral("5901")));
            w->CmdGenerar_Click();
            ASSERT_EQ(w->contenido(), FrmQuarzelo::Contenido::Grabable);
            ASSERT_TRUE(paxtor(*w)->estado(Paxtor::EstadoGrabar));
        }
        campo(*w, "ID")->setText(QStringLiteral("03-0000005"));
        w->MuestraAsiento();
        EXPECT_EQ(w->contenido(), FrmQuarzelo::Contenido::Leido);
        ASSERT_EQ(w->lineas().size(), 4u);
        EXPECT_EQ(w->lineas()[2].Cuenta.trimmed(), QStringLiteral("5901"));
        EXPECT_EQ(total(*w, 0)->text(), QStringLiteral("250,50"));
        EXPECT_EQ(total(*w, 1)->text(), QStringLiteral("250,50"));
        EXPECT_FALSE(paxtor(*w)->estado(Paxtor::EstadoGrabar));
        EXPECT_FALSE(generar(*w)->isEnabled());
        const int antes = guardadas();
        responder->shown.clear();
        w->Paxtor1_ButtonClick(QStringLiteral("GRABAR"));
        EXPECT_EQ(guardadas(), antes);
        EXPECT_TRUE(responder->shown.empty());
    }
}
