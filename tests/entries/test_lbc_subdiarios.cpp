// Subledger checks and the subledger work table.

#include "entries_fixture.h"

#include "platform/win/clsutilidades.h"
#include "platform/win/desktop.h"

using Subdiarios = EntriesTest;

namespace {

void control(const testutil::TempDatabase& db, int id, const QString& sub, int periodo,
             const QString& desde, const QString& hasta, const QString& anulado) {
    db.exec(QStringLiteral("INSERT INTO MV_CONTROL_AS_RES (ID, SUBDIARIO, PERIODO, FECHA_DESDE, "
                           "FECHA_HASTA, Anulado) VALUES (%1, '%2', %3, %4, %5, %6)")
                .arg(id)
                .arg(sub)
                .arg(periodo)
                .arg(desde.isEmpty() ? QStringLiteral("NULL") : u'\'' + desde + u'\'',
                     hasta.isEmpty() ? QStringLiteral("NULL") : u'\'' + hasta + u'\'', anulado));
}

} // namespace

TEST_F(Subdiarios, FechasResumidas) {
    Lbc_Asiento a;
    const QString ventas = QStringLiteral(" VTAS ");
    EXPECT_TRUE(a.ValidaFechaSubdiario(QStringLiteral("no es fecha"), ventas));

    control(db, 1, QStringLiteral("VTAS"), 2023, QStringLiteral("2023-05-01 00:00:00"),
            QStringLiteral("2023-05-31 00:00:00"), QStringLiteral("0"));
    control(db, 2, QStringLiteral("VTAS"), 2023, QStringLiteral("2023-06-01 00:00:00"),
            QStringLiteral("2023-06-30 00:00:00"), QStringLiteral("1"));
    control(db, 3, QStringLiteral("VTAS"), 2022, QStringLiteral("2023-07-01 00:00:00"),
            QStringLiteral("2023-07-31 00:00:00"), QStringLiteral("0"));
    control(db, 4, QStringLiteral("VTAS"), 2023, QStringLiteral("2023-08-01 00:00:00"),
            QStringLiteral("2023-08-31 00:00:00"), QStringLiteral("NULL"));
    control(db, 5, QStringLiteral("VTAS"), 2023, QString(), QStringLiteral("2023-09-30 00:00:00"),
            QStringLiteral("0"));

    // Both ends of a live summary are covered.
    EXPECT_FALSE(a.ValidaFechaSubdiario(QStringLiteral("01/05/2023"), ventas));
    EXPECT_FALSE(a.ValidaFechaSubdiario(QStringLiteral("31/05/2023"), ventas));
    EXPECT_TRUE(a.ValidaFechaSubdiario(QStringLiteral("30/04/2023"), ventas));
    // Annulled, another year, an empty Anulado and an open range cover nothing.
    EXPECT_TRUE(a.ValidaFechaSubdiario(QStringLiteral("15/06/2023"), ventas));
    EXPECT_TRUE(a.ValidaFechaSubdiario(QStringLiteral("15/07/2023"), ventas));
    EXPECT_TRUE(a.ValidaFechaSubdiario(QStringLiteral("15/08/2023"), ventas));
    EXPECT_TRUE(a.ValidaFechaSubdiario(QStringLiteral("15/09/2023"), ventas));
    EXPECT_TRUE(a.ValidaFechaSubdiario(QStringLiteral("15/05/2023"), QStringLiteral("COMP")));
    EXPECT_THROW(a.ValidaFechaSubdiario(QStringLiteral("no es fecha"), ventas), ado::Exception);

    // Annulled summary entries: only a true Anulado tells the operator.
    EXPECT_FALSE(a.AsientoResumenAnulado(QStringLiteral("VTAS"), QStringLiteral("05-0000001")));
    EXPECT_TRUE(a.AsientoResumenAnulado(QStringLiteral("VTAS"), QStringLiteral("06-0000002")));
    ASSERT_EQ(responder->shown.size(), 1u);
    EXPECT_EQ(responder->shown[0].prompt,
              QStringLiteral("Este Asiento Resumen ya fue Contrasentado!!!"));
    EXPECT_EQ(responder->shown[0].buttons, vb::vbCritical);
    EXPECT_FALSE(a.AsientoResumenAnulado(QStringLiteral("VTAS"), QStringLiteral("05-0000002")));
    EXPECT_FALSE(a.AsientoResumenAnulado(QStringLiteral("VTAS"), QStringLiteral("08-0000004")));
    EXPECT_EQ(responder->shown.size(), 1u);
    // Without a dash the number cannot be split: reported, False.
    responder->answerMsg(vb::vbAbort);
    EXPECT_FALSE(a.AsientoResumenAnulado(QStringLiteral("VTAS"), QStringLiteral("060000002")));
    ASSERT_EQ(responder->shown.size(), 2u);
    EXPECT_TRUE(responder->shown[1].title.contains(QStringLiteral("AsientoResumenAnulado")));
}

TEST_F(Subdiarios, TiposDeComprobante) {
    db.exec(QStringLiteral("INSERT INTO MA_SUBDIARIOSCOMPROBANTES (SUBDIARIO, TC) VALUES "
                           "('VTAS', 'FACT'), ('VTAS', 'NCRE'), ('COMP', 'FCOM')"));
    Lbc_Asiento a;
    EXPECT_TRUE(a.ValidaSubdiarioTC(QStringLiteral("VTAS"), QStringLiteral(" ncre ")));
    EXPECT_FALSE(a.ValidaSubdiarioTC(QStringLiteral("VTAS"), QStringLiteral("FCOM")));
    EXPECT_FALSE(a.ValidaSubdiarioTC(QStringLiteral("CAJA"), QStringLiteral("FACT")));
    EXPECT_TRUE(a.ValidaTCRegistraciones(QStringLiteral("FCOM")));
    EXPECT_TRUE(a.ValidaTCRegistraciones(QStringLiteral(" FACT")));
    EXPECT_FALSE(a.ValidaTCRegistraciones(QStringLiteral("RECI")));
    EXPECT_TRUE(responder->shown.empty());
}

// ---- Work table ---------------------------------------------------------------------------

// Keeps the wait cursor's state as the desktop would show it.
struct CursorDesktop : quindel2::Desktop {
    bool cursor = false;
    void setWaitCursor(bool on) override { cursor = on; }
    void prepareWindow(QWidget*, int) override {}
    void setUpMainWindow(QWidget*) override {}
    bool chooseDate(QString&) override { return false; }
    QString chooseFileToOpen(const QString&, const QString&) override { return QString(); }
    bool openUrl(const QUrl&) override { return false; }
};

class AuxSubdiarios : public EntriesTest {
protected:
    void SetUp() override {
        EntriesTest::SetUp();
        quindel2::setDesktop(escritorio);
        for (const char* c : {"A", "B", "C", "D", "E", "F"})
            cuenta(QLatin1String(c), QStringLiteral("Cuenta ") + QLatin1String(c));
        // Another user's rows stay as they are.
        db.exec(QStringLiteral("INSERT INTO AUX_SUBDIARIOS (Usuario, cuenta_D) VALUES ('luis', "
                               "'X'), ('ana  ', 'VIEJA')"));
    }

    void TearDown() override {
        quindel2::setDesktop(nullptr);
        EntriesTest::TearDown();
    }

    // One line of the subledger VTAS.
    void lineaVtas(int mes, int numero, const QString& dh, const QString& cuenta, double importe,
                   const QString& fecha) {
        Linea l;
        l.tipoReg = QStringLiteral("VTAS");
        l.mes = mes;
        l.numero = numero;
        l.debeHaber = dh;
        l.cuenta = cuenta;
        l.importe = importe;
        l.fecha = fecha;
        l.detalle = dh + cuenta;
        linea(l);
    }

    QList<QVariantList> filasDe(const QString& usuario) const {
        return db.rows(
            QStringLiteral("SELECT \"numero asiento\", fecha, cuenta_D, descripcion_D, importe_D, "
                           "cuenta_H, descripcion_H, importe_H, Concepto, Periodo, Mes_Operativo, "
                           "TC, Sucursal, Numero, letra, Cabimporte FROM AUX_SUBDIARIOS WHERE "
                           "Usuario = '%1' ORDER BY rowid")
                .arg(usuario));
    }

    void seedTresAsientos() {
        // Entry 1: three debits, one credit (debit drives).
        lineaVtas(5, 1, QStringLiteral("D"), QStringLiteral("B"), 50, QStringLiteral("2023-05-10"));
        lineaVtas(5, 1, QStringLiteral("D"), QStringLiteral("A"), 100,
                  QStringLiteral("2023-05-10"));
        lineaVtas(5, 1, QStringLiteral("D"), QStringLiteral("C"), 25, QStringLiteral("2023-05-10"));
        lineaVtas(5, 1, QStringLiteral("H"), QStringLiteral("D"), 175,
                  QStringLiteral("2023-05-10"));
        // Entry 2: one debit, two credits (credit drives).
        lineaVtas(5, 2, QStringLiteral("D"), QStringLiteral("A"), 30, QStringLiteral("2023-05-20"));
        lineaVtas(5, 2, QStringLiteral("H"), QStringLiteral("E"), 10, QStringLiteral("2023-05-20"));
        lineaVtas(5, 2, QStringLiteral("H"), QStringLiteral("F"), 20, QStringLiteral("2023-05-20"));
        // Entry 3: a tie goes to the debit side.
        lineaVtas(6, 1, QStringLiteral("D"), QStringLiteral("A"), 5, QStringLiteral("2023-06-01"));
        lineaVtas(6, 1, QStringLiteral("H"), QStringLiteral("B"), 5, QStringLiteral("2023-06-01"));
        // Another subledger and a line outside the range.
        Linea otra;
        otra.tipoReg = QStringLiteral("COMP");
        linea(otra);
        lineaVtas(8, 1, QStringLiteral("D"), QStringLiteral("A"), 1, QStringLiteral("2023-08-01"));
    }

    std::shared_ptr<CursorDesktop> escritorio = std::make_shared<CursorDesktop>();
};

TEST_F(AuxSubdiarios, ParesDeDebeYHaber) {
    seedTresAsientos();
    Lbc_Asiento a;
    QString desde = QStringLiteral("  "), hasta = QStringLiteral("30/06/2023"),
            sub = QStringLiteral(" VTAS ");
    a.GeneraAuxiliarSubdiarios(desde, hasta, sub);
    EXPECT_EQ(desde, QStringLiteral("01/01/1990"));
    EXPECT_TRUE(responder->shown.empty());

    const auto filas = filasDe(QStringLiteral("ana"));
    ASSERT_EQ(filas.size(), 6);
    const QString fechaTexto = ClsUtilidades::ValorCampo(QVariant(vb::MakeDate(2023, 5, 10)));
    // Entry 1: A with the credit D, then B and C alone.
    EXPECT_EQ(filas[0][0].toInt(), 1);
    EXPECT_EQ(filas[0][1].toString(), fechaTexto);
    EXPECT_EQ(filas[0][2].toString(), QStringLiteral("A"));
    EXPECT_EQ(filas[0][3].toString(), QStringLiteral("Cuenta A"));
    EXPECT_DOUBLE_EQ(filas[0][4].toDouble(), 100);
    EXPECT_EQ(filas[0][5].toString(), QStringLiteral("D"));
    EXPECT_EQ(filas[0][6].toString(), QStringLiteral("Cuenta D"));
    EXPECT_DOUBLE_EQ(filas[0][7].toDouble(), 175);
    EXPECT_EQ(filas[0][8].toString(), QStringLiteral("DA"));
    EXPECT_EQ(filas[0][9].toInt(), 2023);
    EXPECT_EQ(filas[0][10].toInt(), 5);
    EXPECT_EQ(filas[0][11].toString(), QStringLiteral("00AS"));
    EXPECT_EQ(filas[0][12].toString(), QStringLiteral("0001"));
    EXPECT_EQ(filas[0][13].toString(), QStringLiteral("00000001"));
    EXPECT_EQ(filas[0][14].toString(), QStringLiteral("A"));
    EXPECT_DOUBLE_EQ(filas[0][15].toDouble(), 175);
    for (int i : {1, 2}) {
        EXPECT_TRUE(filas[i][5].isNull()) << i;
        EXPECT_TRUE(filas[i][6].isNull()) << i;
        EXPECT_TRUE(filas[i][7].isNull()) << i;
    }
    EXPECT_EQ(filas[1][2].toString(), QStringLiteral("B"));
    EXPECT_EQ(filas[2][2].toString(), QStringLiteral("C"));
    EXPECT_EQ(filas[2][8].toString(), QStringLiteral("DC"));

    // Entry 2: the credit side drives; the date is "dd/mm/yy".
    EXPECT_EQ(filas[3][0].toInt(), 2);
    EXPECT_EQ(filas[3][1].toString(), QStringLiteral("20/05/23"));
    EXPECT_EQ(filas[3][5].toString(), QStringLiteral("E"));
    EXPECT_EQ(filas[3][2].toString(), QStringLiteral("A"));
    EXPECT_EQ(filas[3][8].toString(), QStringLiteral("HE"));
    EXPECT_EQ(filas[4][5].toString(), QStringLiteral("F"));
    EXPECT_TRUE(filas[4][2].isNull());

    // Entry 3: a tie, debit-driven.
    EXPECT_EQ(filas[5][10].toInt(), 6);
    EXPECT_EQ(filas[5][2].toString(), QStringLiteral("A"));
    EXPECT_EQ(filas[5][5].toString(), QStringLiteral("B"));
    EXPECT_EQ(filas[5][1].toString(),
              ClsUtilidades::ValorCampo(QVariant(vb::MakeDate(2023, 6, 1))));

    // The other user's row is untouched; this user's old row is gone.
    EXPECT_EQ(filasDe(QStringLiteral("luis")).size(), 1);
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT COUNT(*) FROM AUX_SUBDIARIOS WHERE cuenta_D = "
                                       "'VIEJA'"))
                  .toInt(),
              0);
    // The banner is gone and the transaction committed.
    EXPECT_FALSE(banner->abierto);
    EXPECT_FALSE(gDatos().cnn()->inTransaction());
    EXPECT_FALSE(escritorio->cursor);
}

TEST_F(AuxSubdiarios, SinAsientosSoloBorra) {
    seedTresAsientos();
    Lbc_Asiento a;
    QString desde = QStringLiteral("01/01/2024"), hasta = QStringLiteral("31/12/2024"),
            sub = QStringLiteral("VTAS");
    a.GeneraAuxiliarSubdiarios(desde, hasta, sub);
    EXPECT_TRUE(filasDe(QStringLiteral("ana")).isEmpty());
    EXPECT_EQ(filasDe(QStringLiteral("luis")).size(), 1);
    EXPECT_FALSE(banner->abierto);
    EXPECT_FALSE(gDatos().cnn()->inTransaction());
}

TEST_F(AuxSubdiarios, CancelarTrasElSegundoAsiento) {
    seedTresAsientos();
    Lbc_Asiento a;
    // The operator presses Cancel while the second entry is being written.
    int haberes = 0;
    QString titulo;
    gDatos().cnn()->setFaultInjector([&](const QString& s) -> std::optional<ado::Error> {
        if (s.contains(QStringLiteral("[DEBE-HABER] = 'H'")) && ++haberes == 2) {
            if (banner->abierto) {
                titulo = banner->titulo;
                banner->pulsaCancelar();
            }
        }
        return std::nullopt;
    });
    // First No (the run goes on, with a fresh banner), then the press again
    // and Yes.
    responder->answerMsg(vb::vbNo);
    QString desde, hasta = QStringLiteral("30/06/2023"), sub = QStringLiteral("VTAS");
    a.GeneraAuxiliarSubdiarios(desde, hasta, sub, true);
    EXPECT_EQ(titulo, QStringLiteral("Archivo Legal de Información"));
    ASSERT_EQ(responder->shown.size(), 1u);
    EXPECT_EQ(responder->shown[0].prompt, QStringLiteral("¿Realmente desea abortar el proceso?"));
    EXPECT_EQ(responder->shown[0].buttons, vb::vbYesNo | vb::vbQuestion);
    EXPECT_EQ(filasDe(QStringLiteral("ana")).size(), 6);

    haberes = 0;
    responder->shown.clear();
    responder->answerMsg(vb::vbYes);
    a.GeneraAuxiliarSubdiarios(desde, hasta, sub);
    EXPECT_EQ(titulo, QStringLiteral("Generando Reporte de Subdiarios"));
    EXPECT_EQ(responder->shown.size(), 1u);
    // The rows of the first two entries stay, committed.
    const auto filas = filasDe(QStringLiteral("ana"));
    ASSERT_EQ(filas.size(), 5);
    EXPECT_EQ(filas[4][0].toInt(), 2);
    EXPECT_FALSE(banner->abierto);
    EXPECT_FALSE(gDatos().cnn()->inTransaction());
    EXPECT_FALSE(escritorio->cursor);
}

TEST_F(AuxSubdiarios, AbandonoTrasUnErrorDeshaceYCierraElCartel) {
    seedTresAsientos();
    Lbc_Asiento a;
    gDatos().cnn()->setFaultInjector([&](const QString& s) -> std::optional<ado::Error> {
        if (s.contains(QStringLiteral("INSERT"), Qt::CaseInsensitive) &&
            s.contains(QStringLiteral("AUX_SUBDIARIOS")))
            return ado::Error{long(ado::adErrUnspecified), QStringLiteral("disco lleno"), QString(),
                              0, QStringLiteral("Prueba")};
        return std::nullopt;
    });
    responder->answerMsg(vb::vbAbort);
    QString desde, hasta = QStringLiteral("30/06/2023"), sub = QStringLiteral("VTAS");
    a.GeneraAuxiliarSubdiarios(desde, hasta, sub);
    ASSERT_FALSE(responder->shown.empty());
    EXPECT_TRUE(responder->shown.back().title.contains(QStringLiteral("GeneraAuxiliarSubdiarios")));
    // Rolled back: this user's earlier row is back, nothing was added.
    const auto filas = filasDe(QStringLiteral("ana  "));
    ASSERT_EQ(filas.size(), 1);
    EXPECT_EQ(filas[0][2].toString(), QStringLiteral("VIEJA"));
    EXPECT_FALSE(banner->abierto);
    EXPECT_FALSE(gDatos().cnn()->inTransaction());
    EXPECT_FALSE(escritorio->cursor);
}

TEST_F(AuxSubdiarios, CommitRechazadoEIgnoradoNoDejaLaTransaccionAbierta) {
    seedTresAsientos();
    Lbc_Asiento a;
    gDatos().cnn()->setFaultInjector([&](const QString& s) -> std::optional<ado::Error> {
        if (s.contains(QStringLiteral("COMMIT"), Qt::CaseInsensitive))
            return ado::Error{long(ado::adErrUnspecified), QStringLiteral("sin espacio"), QString(),
                              0, QStringLiteral("Prueba")};
        return std::nullopt;
    });
    responder->answerMsg(vb::vbIgnore);
    QString desde, hasta = QStringLiteral("30/06/2023"), sub = QStringLiteral("VTAS");
    a.GeneraAuxiliarSubdiarios(desde, hasta, sub);
    gDatos().cnn()->setFaultInjector({});
    // The next save must not run inside a transaction left open here.
    EXPECT_FALSE(gDatos().cnn()->inTransaction());
    const auto filas = filasDe(QStringLiteral("ana  "));
    ASSERT_EQ(filas.size(), 1);
    EXPECT_EQ(filas[0][2].toString(), QStringLiteral("VIEJA"));
}

// A lost link or a refused statement anywhere in the run leaves nothing of
// it: one box, one failed-statement row with the failure's number, the
// user's earlier rows back, no transaction left open.
TEST_F(AuxSubdiarios, UnaFallaNoDejaNadaUnAvisoYUnaFilaDeError) {
    const ado::Error rehusada{long(ado::adErrIntegrity), QStringLiteral("rehusada"), QString(), 547,
                              QStringLiteral("Prueba")};
    const struct {
        const char* nombre;
        const char* sentencia; // the statement that fails
        ado::Error error;
        int respuesta;
        const char* titulo; // of the one box
    } casos[] = {
        {"refused deletion", "DELETE AUX_SUBDIARIOS", rehusada, vb::vbCancel,
         "GeneraAuxiliarSubdiarios"},
        {"refused row", "INSERT INTO \"AUX_SUBDIARIOS\"", rehusada, vb::vbAbort,
         "GeneraAuxiliarSubdiarios"},
        {"lost link on a row", "INSERT INTO \"AUX_SUBDIARIOS\"", ado::lostLinkError(), vb::vbAbort,
         "GeneraAuxiliarSubdiarios"},
        {"lost link reading an entry", "[DEBE-HABER] = 'H'", ado::lostLinkError(), vb::vbAbort,
         "AbrirRecordset"},
        {"lost link at the commit", "COMMIT", ado::lostLinkError(), vb::vbCancel,
         "GeneraAuxiliarSubdiarios"},
    };
    seedTresAsientos();
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        responder->shown.clear();
        db.exec(QStringLiteral("DELETE FROM AUX_ERR"));
        gDatos().cnn()->setFaultInjector([&](const QString& s) -> std::optional<ado::Error> {
            if (s.contains(QLatin1String(c.sentencia), Qt::CaseInsensitive))
                return c.error;
            return std::nullopt;
        });
        responder->answerMsg(c.respuesta);
        Lbc_Asiento a;
        QString desde, hasta = QStringLiteral("30/06/2023"), sub = QStringLiteral("VTAS");
        a.GeneraAuxiliarSubdiarios(desde, hasta, sub);
        gDatos().cnn()->setFaultInjector({});

        ASSERT_EQ(responder->shown.size(), 1u);
        EXPECT_TRUE(responder->shown[0].title.contains(QLatin1String(c.titulo)))
            << responder->shown[0].title.toStdString();
        const auto aux = db.rows(QStringLiteral("SELECT Error, SQL FROM AUX_ERR"));
        ASSERT_EQ(aux.size(), 1);
        EXPECT_EQ(aux[0][0].toInt(), c.error.NativeError);
        EXPECT_TRUE(aux[0][1].toString().contains(QStringLiteral("DELETE AUX_SUBDIARIOS")));
        const auto filas = filasDe(QStringLiteral("ana  "));
        ASSERT_EQ(filas.size(), 1);
        EXPECT_EQ(filas[0][2].toString(), QStringLiteral("VIEJA"));
        EXPECT_FALSE(gDatos().cnn()->inTransaction());
        EXPECT_FALSE(banner->abierto);
        EXPECT_FALSE(escritorio->cursor);
    }
}
