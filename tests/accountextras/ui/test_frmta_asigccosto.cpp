// The cost-centre window: typing a distribution into the grid and saving it
// per business unit, refusals that store nothing, a save that fails half-way,
// the delete of what is shown, and the window's own account.

#include "ccosto_fixture.h"

#include "accountextras/core/distribucion_ccosto.h"
#include "common/dialogos.h"
#include "platform/ui/modal.h"
#include "platform/vb/msgbox.h"

#include <QDialog>
#include <QRegularExpression>

#include <algorithm>

using CNStuffContable::CuentaActual;

namespace {

const QList<QVariantList> kUnidadesAntes{{"0001", "0201", 100.0}, {"0002", "0101", 100.0}};
const QList<QVariantList> kGeneralesAntes{{"0101", 70.0}, {"0102", 30.0}};

// The unit's lines typed one cell after another, with the regional decimal
// comma, are saved in one transaction and reach the group database.
TEST_F(CCostoTest, SavesAUnitsDistributionInOneTransaction) {
    Frmta_asigccosto* w = abre("520101001");
    EXPECT_EQ(w->cuenta(), "520101001");
    EXPECT_EQ(grilla(*w)->TextMatrix(1, 1), "0101"); // the general lines shown at once
    // The account is taken from the list of accounts with a distribution.
    auto* lista = control<FlexGrid>(*w, "MSHFlexGrid1");
    ASSERT_EQ(lista->TextMatrix(1, 0), "520101001");
    const QModelIndex fila = lista->model()->index(1, 0);
    QTest::mouseDClick(lista->viewport(), Qt::LeftButton, {}, lista->visualRect(fila).center());
    ASSERT_TRUE(w->enEdicion()) << mensajes().join(u'|').toStdString();
    unidad(*w, 2);
    EXPECT_EQ(w->UnidadNegocio(), "0002");
    EXPECT_EQ(grilla(*w)->TextMatrix(1, 1), "0101");
    EXPECT_EQ(grilla(*w)->TextMatrix(1, 3), "100");
    grilla(*w)->setFocus();
    grilla(*w)->setRow(1);
    grilla(*w)->setCol(1);
    teclea(*w, "0102");
    teclea(*w, "12,5");
    teclea(*w, "0201");
    teclea(*w, "87,5");
    ASSERT_TRUE(mensajes().isEmpty()) << mensajes().join(u'|').toStdString();
    EXPECT_EQ(grilla(*w)->TextMatrix(2, 2), "Administración");

    QStringList sentencias;
    testutil::recordStatements(gDatos().cnn(), sentencias);
    w->Paxtor1_ButtonClick(QStringLiteral("grabar"));
    ASSERT_FALSE(w->hayError()) << mensajes().join(u'|').toStdString();
    const QList<QVariantList> guardadas{
        {"0001", "0201", 100.0}, {"0002", "0102", 12.5}, {"0002", "0201", 87.5}};
    EXPECT_EQ(unidades(db), guardadas);
    EXPECT_EQ(unidades(grupo), guardadas);
    EXPECT_EQ(generales(db), kGeneralesAntes);
    // The delete, the inserts and the flags in one transaction, after the
    // reads that find the account and the distribution as loaded; the
    // copies are written only after its commit.
    const qsizetype inicio = sentencias.indexOf(QStringLiteral("BEGIN TRANSACTION"));
    const qsizetype fin = sentencias.indexOf(QStringLiteral("COMMIT TRANSACTION"));
    ASSERT_GE(inicio, 0);
    ASSERT_GT(fin, inicio);
    const QStringList escritas = sentencias.mid(inicio + 1, fin - inicio - 1);
    const qsizetype lecturas = escritas.indexOf(QRegularExpression(QStringLiteral("DELETE .*")));
    ASSERT_GT(lecturas, 0);
    for (const QString& s : escritas.mid(0, lecturas))
        EXPECT_TRUE(s.startsWith(u"SELECT ")) << s.toStdString();
    EXPECT_EQ(escritas.mid(lecturas),
              (QStringList{"DELETE FROM MA_CUENTASCCOSTO_UNEG WHERE CODIGO = '520101001' AND "
                           "UNEGOCIO = '0002'",
                           "INSERT INTO MA_CUENTASCCOSTO_UNEG (CODIGO, UNEGOCIO, CCOSTO, "
                           "PORCENTAJE) VALUES ('520101001','0002','0102',12.5)",
                           "INSERT INTO MA_CUENTASCCOSTO_UNEG (CODIGO, UNEGOCIO, CCOSTO, "
                           "PORCENTAJE) VALUES ('520101001','0002','0201',87.5)",
                           "UPDATE MA_CUENTASCCOSTO SET PideConfirmacion = 0, VariablePorUD = 1 "
                           "WHERE CODIGO = '520101001'",
                           "INSERT INTO MA_CUENTASCCOSTO (CODIGO, CCOSTO, PORCENTAJE, "
                           "FECHAHORA_MODIFICACION, PideConfirmacion, VariablePorUD) SELECT "
                           "CODIGO, ' ', 0, '2024-03-15 10:20:30',0,1 FROM MA_CUENTASCCOSTO_UNEG "
                           "WHERE CODIGO = '520101001' AND NOT EXISTS (SELECT CODIGO FROM "
                           "MA_CUENTASCCOSTO WHERE CODIGO = '520101001') GROUP BY CODIGO"}));
    const auto replica = [&](const QString& s) { return s.contains(QStringLiteral(".DBO.")); };
    EXPECT_TRUE(std::none_of(sentencias.begin(), sentencias.begin() + fin, replica));
    EXPECT_TRUE(std::any_of(sentencias.begin() + fin, sentencias.end(), replica));

    // Saved, the window is cleared; the accounts window's account stays.
    EXPECT_FALSE(w->enEdicion());
    EXPECT_TRUE(control<QLineEdit>(*w, "txtCuenta")->text().isEmpty());
    EXPECT_EQ(CuentaActual, "520101001");
    aceptaCuenta(*w, "520101002");
    EXPECT_EQ(w->cuenta(), "520101002");
    EXPECT_EQ(CuentaActual, "520101001");
}

// A total over 100 is refused while typing and again, with the same text, by
// the save, and so is one under 100 when the account must be spread whole:
// nothing is stored and the edit stays.
TEST_F(CCostoTest, RefusedTotalsChangeNothing) {
    const struct {
        const char* segundo;
        bool completa;
        QStringList mensajes;
    } casos[] = {
        {"50", false, {ccosto::MsgSumaPorcentajes, ccosto::MsgSumaPorcentajes}},
        {"40,5", false, {ccosto::MsgSumaPorcentajes, ccosto::MsgSumaPorcentajes}},
        {"39", true, {ccosto::MsgSumaIncompleta}},
    };
    for (const auto& c : casos) {
        responder->shown.clear();
        Frmta_asigccosto* w = abre(QString());
        aceptaCuenta(*w, "520101001");
        unidad(*w, 1);
        w->findChild<QCheckBox*>(QStringLiteral("ChkPideConf"))->setChecked(c.completa);
        grilla(*w)->setFocus();
        grilla(*w)->setRow(1);
        grilla(*w)->setCol(3);
        teclea(*w, "60");
        grilla(*w)->setRow(2);
        grilla(*w)->setCol(1);
        teclea(*w, "0101");
        teclea(*w, QString::fromUtf8(c.segundo));
        w->Paxtor1_ButtonClick(QStringLiteral("GRABAR"));
        EXPECT_TRUE(w->hayError()) << c.segundo;
        EXPECT_TRUE(w->enEdicion()) << c.segundo;
        EXPECT_EQ(mensajes(), c.mensajes) << c.segundo;
        EXPECT_EQ(unidades(db), kUnidadesAntes) << c.segundo;
        EXPECT_EQ(unidades(grupo), kUnidadesAntes) << c.segundo;
        delete w;
    }
}

// A statement refused in the middle of the save leaves the stored
// distribution and its copies as they were, and the user's lines in the window.
TEST_F(CCostoTest, AFailingRowLeavesThePreviousDistribution) {
    db.exec("CREATE TRIGGER falla BEFORE INSERT ON MA_CUENTASCCOSTO WHEN NEW.CCOSTO = '0201' "
            "BEGIN SELECT RAISE(ABORT, 'fila rechazada'); END");
    Frmta_asigccosto* w = abre("520101001");
    aceptaCuenta(*w, "520101001");
    grilla(*w)->setFocus();
    grilla(*w)->setRow(3);
    grilla(*w)->setCol(1);
    teclea(*w, "0201");
    teclea(*w, "0");
    w->Paxtor1_ButtonClick(QStringLiteral("GRABAR"));
    EXPECT_TRUE(w->hayError());
    EXPECT_TRUE(w->enEdicion());
    ASSERT_GE(w->lineas().size(), 4u);
    EXPECT_EQ(w->lineas()[3].CCosto, "0201");
    EXPECT_EQ(control<QLineEdit>(*w, "txtCuenta")->text(), "520101001");
    EXPECT_EQ(generales(db), kGeneralesAntes);
    EXPECT_EQ(generales(grupo), kGeneralesAntes);
    ASSERT_FALSE(responder->shown.empty());
    EXPECT_EQ(responder->shown.back().title, "Aviso al Operador!");
}

// Each table the save writes, refused in turn by the database: nothing is
// stored in either database, the box is shown, and the window stays in edit
// state with the lines as typed, so that the same save goes through once
// the cause is gone.
TEST_F(CCostoTest, EachRefusedTableStoresNothingAndKeepsTheEdit) {
    const struct {
        int unidad;
        const char* rechazo; // the trigger's event and table
    } casos[] = {
        {0, "DELETE ON MA_CUENTASCCOSTO"},      {0, "INSERT ON MA_CUENTASCCOSTO"},
        {2, "DELETE ON MA_CUENTASCCOSTO_UNEG"}, {2, "INSERT ON MA_CUENTASCCOSTO_UNEG"},
        {2, "UPDATE ON MA_CUENTASCCOSTO"}, // the flags, kept on the general rows
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.rechazo);
        db.exec(QStringLiteral("CREATE TRIGGER falla BEFORE ") + QLatin1String(c.rechazo) +
                QStringLiteral(" BEGIN SELECT RAISE(ABORT, 'rechazada'); END"));
        responder->shown.clear();
        Frmta_asigccosto* w = abre("520101001");
        aceptaCuenta(*w, "520101001");
        if (c.unidad)
            unidad(*w, c.unidad);
        const int fila = c.unidad ? 2 : 3; // the first empty line
        grilla(*w)->setFocus();
        grilla(*w)->setRow(fila);
        grilla(*w)->setCol(1);
        teclea(*w, "0201");
        teclea(*w, "0");
        w->Paxtor1_ButtonClick(QStringLiteral("GRABAR"));

        EXPECT_TRUE(w->hayError());
        EXPECT_TRUE(w->enEdicion());
        ASSERT_FALSE(responder->shown.empty());
        EXPECT_EQ(responder->shown.back().title, "Aviso al Operador!");
        EXPECT_TRUE(responder->shown.back().prompt.contains(u"rechazada"));
        for (const testutil::TempDatabase* d : {&db, &grupo}) {
            EXPECT_EQ(generales(*d), kGeneralesAntes) << d->dbName().toStdString();
            EXPECT_EQ(unidades(*d), kUnidadesAntes) << d->dbName().toStdString();
        }
        EXPECT_EQ(control<QLineEdit>(*w, "txtCuenta")->text(), "520101001");
        EXPECT_EQ(w->UnidadNegocio(), c.unidad ? "0002" : "");
        ASSERT_GT(w->lineas().size(), size_t(fila));
        EXPECT_EQ(w->lineas()[size_t(fila)].CCosto, "0201");

        db.exec("DROP TRIGGER falla");
        w->Paxtor1_ButtonClick(QStringLiteral("GRABAR"));
        EXPECT_FALSE(w->hayError()) << mensajes().join(u'|').toStdString();
        EXPECT_FALSE(w->enEdicion());
        for (const testutil::TempDatabase* d : {&db, &grupo}) {
            const QList<QVariantList> filas = c.unidad ? unidades(*d) : generales(*d);
            EXPECT_TRUE(filas.contains(c.unidad ? QVariantList{"0002", "0201", 0.0}
                                                : QVariantList{"0201", 0.0}))
                << d->dbName().toStdString();
            // Back to where the next case starts.
            d->exec("DELETE FROM MA_CUENTASCCOSTO WHERE CCOSTO = '0201';"
                    "DELETE FROM MA_CUENTASCCOSTO_UNEG WHERE UNEGOCIO = '0002' AND CCOSTO = "
                    "'0201'");
        }
        delete w;
    }
}

// BORRAR asks first and deletes only the distribution shown; an account with
// cost-centre movements keeps it.
TEST_F(CCostoTest, DeleteAsksAndTakesOnlyWhatIsShown) {
    const struct {
        int unidad;
        int respuesta;
        QList<QVariantList> generales, unidades;
    } casos[] = {
        {2, vb::vbNo, kGeneralesAntes, kUnidadesAntes},
        {2, vb::vbYes, kGeneralesAntes, {{"0001", "0201", 100.0}}},
        // The unit lines that stay keep the account's flags.
        {0, vb::vbYes, {{" ", 0.0}}, {{"0001", "0201", 100.0}}},
    };
    for (const auto& c : casos) {
        responder->shown.clear();
        Frmta_asigccosto* w = abre("520101001");
        aceptaCuenta(*w, "520101001");
        if (c.unidad)
            unidad(*w, c.unidad);
        responder->answerMsg(c.respuesta);
        w->Paxtor1_ButtonClick(QStringLiteral("BORRAR"));
        EXPECT_EQ(mensajes(), QStringList{"Confirma la baja de este registro?"}) << c.unidad;
        EXPECT_EQ(w->enEdicion(), c.respuesta == vb::vbNo);
        for (const testutil::TempDatabase* d : {&db, &grupo}) {
            EXPECT_EQ(generales(*d), c.generales) << c.unidad << c.respuesta;
            EXPECT_EQ(unidades(*d), c.unidades) << c.unidad << c.respuesta;
        }
        delete w;
    }
    db.exec("INSERT INTO MV_ASIENTOSCCOSTO (CUENTA, CCOSTO, Importe) VALUES "
            "('520101001', '0201', 5)");
    responder->shown.clear();
    Frmta_asigccosto* w = abre("520101001");
    aceptaCuenta(*w, "520101001");
    unidad(*w, 1);
    w->Paxtor1_ButtonClick(QStringLiteral("BORRAR"));
    EXPECT_EQ(mensajes(), QStringList{"La cuenta 520101001 tiene movimientos"});
    EXPECT_EQ(unidades(db), (QList<QVariantList>{{"0001", "0201", 100.0}}));
}

// A failed movement check is told under its name; only Ignore goes on to
// the delete (the data object's own box comes first each time).
TEST_F(CCostoTest, AFailedMovementCheckDeletesOnlyWhenIgnored) {
    db.exec("ALTER TABLE MV_ASIENTOSCCOSTO RENAME TO MV_OTRA");
    const int a = vb::vbAbort;
    const std::pair<std::vector<int>, QList<QVariantList>> casos[] = {
        {{a, vb::vbRetry, a, vb::vbCancel}, kGeneralesAntes},
        {{a, vb::vbIgnore, vb::vbYes}, {{" ", 0.0}}}};
    for (const auto& [respuestas, quedan] : casos) {
        responder->shown.clear();
        Frmta_asigccosto* w = abre("520101001");
        aceptaCuenta(*w, "520101001");
        for (int r : respuestas)
            responder->answerMsg(r);
        w->Paxtor1_ButtonClick(QStringLiteral("BORRAR"));
        EXPECT_EQ(responder->shown.size(), respuestas.size());
        EXPECT_TRUE(responder->shown.at(1).title.contains(QStringLiteral(" - TieneMov ")));
        EXPECT_EQ(generales(db), quedan);
        delete w;
    }
}

// The key that opens a cell goes in as typed for the check to judge; a value
// put in the closed box, as a lookup does, shows again when refused.
TEST_F(CCostoTest, TheBoxShowsTheValueBeingChecked) {
    Frmta_asigccosto* w = abre("520101001");
    aceptaCuenta(*w, "520101001");
    grilla(*w)->setCol(3);
    QTest::keyClick(grilla(*w), 'x');
    QTest::keyClick(caja(*w), Qt::Key_Return);
    QTest::keyClick(caja(*w), Qt::Key_Escape);
    grilla(*w)->setRow(2);
    grilla(*w)->setCol(1);
    caja(*w)->setText(QStringLiteral("0101"));
    w->BrwTxt_KeyDown(0, 13, 0);
    EXPECT_EQ(mensajes(), (QStringList{ccosto::MsgRangoPorcentaje, ccosto::MsgCentroRepetido}));
    EXPECT_TRUE(caja(*w)->isVisible());
    EXPECT_EQ(caja(*w)->text(), "0101");
}

// The unit is taken from its code, whatever its length; the flags shown are
// the account's, and an account spread by unit alone finds its flags again.
TEST_F(CCostoTest, UnitCodeAndFlagsBelongToTheAccount) {
    db.exec("INSERT INTO V_TA_UNIDADNEGOCIO (Codigo, Descripcion) VALUES ('07', 'Test')");
    const auto banderas = [](const QWidget& w) {
        return std::pair(control<QCheckBox>(w, "ChkPideConf")->isChecked(),
                         control<QCheckBox>(w, "ChkVariable")->isChecked());
    };
    Frmta_asigccosto* w = abre(QString());
    aceptaCuenta(*w, "520101001");
    EXPECT_EQ(banderas(*w), std::pair(false, true));
    control<QCheckBox>(*w, "ChkPideConf")->setChecked(true);
    responder->answerMsg(vb::vbYes);
    w->Paxtor1_ButtonClick(QStringLiteral("CANCELAR"));
    aceptaCuenta(*w, "520101002"); // no rows: no flags of the account before
    ASSERT_TRUE(w->enEdicion());
    EXPECT_EQ(banderas(*w), std::pair(false, false));

    control<QCheckBox>(*w, "ChkPideConf")->setChecked(true);
    unidad(*w, 3);
    EXPECT_EQ(w->UnidadNegocio(), "07");
    grilla(*w)->setFocus();
    grilla(*w)->setRow(1);
    grilla(*w)->setCol(1);
    teclea(*w, "0101");
    teclea(*w, "100");
    w->Paxtor1_ButtonClick(QStringLiteral("GRABAR"));
    ASSERT_FALSE(w->hayError()) << mensajes().join(u'|').toStdString();
    for (const testutil::TempDatabase* d : {&db, &grupo}) {
        EXPECT_EQ(d->rows("SELECT UNEGOCIO, CCOSTO FROM MA_CUENTASCCOSTO_UNEG WHERE CODIGO = "
                          "'520101002' UNION ALL SELECT CCOSTO, PideConfirmacion || VariablePorUD "
                          "FROM MA_CUENTASCCOSTO WHERE CODIGO = '520101002'"),
                  (QList<QVariantList>{{"07", "0101"}, {" ", "11"}}))
            << d->dbName().toStdString();
    }
    delete w;
    w = abre(QString());
    aceptaCuenta(*w, "520101002"); // reopened, its flags come back
    EXPECT_EQ(banderas(*w), std::pair(true, true));
    EXPECT_TRUE(w->esNuevo());
    EXPECT_EQ(mensajes(), QStringList{"¿Está seguro de abandonar la carga de datos?"});
}

// Started on its own the window shows no account; refused accounts keep it
// browsing; closing it ends the program.
TEST_F(CCostoTest, MenuModeRefusalsAndClose) {
    Frmta_asigccosto* w = abre("520101001", true);
    EXPECT_TRUE(control<QLineEdit>(*w, "txtCuenta")->text().isEmpty());
    EXPECT_EQ(grilla(*w)->TextMatrix(1, 1), "");
    const struct {
        const char* codigo;
        QString mensaje;
    } casos[] = {{"", ccosto::MsgSinCuenta},
                 {"999", ccosto::MsgCuentaInexistente},
                 {"5", ccosto::MsgCuentaTitulo}};
    for (const auto& c : casos) {
        responder->shown.clear();
        aceptaCuenta(*w, QString::fromUtf8(c.codigo));
        EXPECT_EQ(mensajes(), QStringList{c.mensaje}) << c.codigo;
        EXPECT_FALSE(w->enEdicion()) << c.codigo;
        ASSERT_FALSE(responder->shown.empty());
        EXPECT_EQ(responder->shown.back().title, ccosto::TituloAviso);
    }
    // CANCELAR asks, and No keeps the edit.
    aceptaCuenta(*w, "520101002");
    ASSERT_TRUE(w->enEdicion());
    EXPECT_TRUE(w->esNuevo());
    EXPECT_FALSE(paxtor(*w)->estado(Paxtor::EstadoBorrar)); // nothing to delete
    responder->answerMsg(vb::vbNo);
    w->Paxtor1_ButtonClick(QStringLiteral("CANCELAR"));
    EXPECT_TRUE(w->enEdicion());
    EXPECT_THROW(w->Paxtor1_ButtonClick(QStringLiteral("CERRAR")), vb::ProgramEnded);
    EXPECT_FALSE(w->isVisible());
}

} // namespace

namespace {

// The window opens typing in the account; in the grid Backspace on a
// percentage empties it for the new value, as a typed digit replaces it.
TEST_F(CCostoTest, BackspaceOnAPercentageTypesTheNewOne) {
    db.exec("UPDATE MA_CUENTASCCOSTO SET PORCENTAJE = CASE CCOSTO WHEN '0101' THEN 80 ELSE 20 END");
    Frmta_asigccosto* w = abre("520101001");
    EXPECT_EQ(QApplication::focusWidget(), control<QLineEdit>(*w, "txtCuenta"));
    aceptaCuenta(*w, "520101001");
    ASSERT_TRUE(w->enEdicion());
    ASSERT_EQ(grilla(*w)->TextMatrix(2, 3), "20");
    QTest::keyClick(caja(*w), Qt::Key_Escape);
    grilla(*w)->setRow(2);
    grilla(*w)->setCol(3);
    QTest::keyClick(grilla(*w), Qt::Key_Backspace);
    QTest::keyClick(caja(*w), '5');
    EXPECT_EQ(caja(*w)->text(), "5");
    QTest::keyClick(caja(*w), Qt::Key_Return);
    EXPECT_EQ(grilla(*w)->TextMatrix(2, 3), "5");
}

// CONSULTAR (F6) answers as the right button: the account locked while its
// distribution is edited opens no lookup.
TEST_F(CCostoTest, ConsultarEnLaCuentaBloqueadaNoAbreLaConsulta) {
    testutil::CuentaDialogos dialogos;
    Frmta_asigccosto* w = abre(QString());
    w->txtCuenta_GotFocus(0);
    w->Paxtor1_ButtonClick(QStringLiteral("CONSULTAR"));
    EXPECT_EQ(dialogos.abiertos, 1); // the path works on the open field

    aceptaCuenta(*w, "520101001");
    auto* cuenta = control<QLineEdit>(*w, "txtCuenta");
    ASSERT_FALSE(cuenta->isEnabled());
    w->txtCuenta_GotFocus(0);
    w->Paxtor1_ButtonClick(QStringLiteral("CONSULTAR"));
    EXPECT_EQ(dialogos.abiertos, 1);
    EXPECT_EQ(cuenta->text(), "520101001");
}

} // namespace

namespace {

QLineEdit* cajaCuenta(const QWidget& w) {
    return control<QLineEdit>(w, "txtCuenta");
}

// Opened on an account and browsing, a code typed into the account box and
// not accepted is judged by whichever command comes first: refused, the
// command stops and the code stays typed; another account is shown and the
// command ends there. Nothing is stored either way.
TEST_F(CCostoTest, EveryCommandJudgesTheTypedAccountFirst) {
    db.exec("INSERT INTO MA_CUENTASCCOSTO VALUES ('520101002', '0201', 100, NULL, 0, 0)");
    const QList<QVariantList> antes = estado(db);
    testutil::CuentaDialogos dialogos;
    for (const char* comando : {"GRABAR", "BORRAR", "NUEVO", "CANCELAR", "CONSULTAR"}) {
        for (const QString codigo : {"999", "520101002"}) {
            SCOPED_TRACE(std::string(comando) + ' ' + codigo.toStdString());
            const bool otra = codigo != "999";
            responder->shown.clear();
            Frmta_asigccosto* w = abre("520101001");
            cajaCuenta(*w)->setText(codigo);
            w->Paxtor1_ButtonClick(QLatin1String(comando));
            EXPECT_EQ(mensajes(), otra ? QStringList() : QStringList{ccosto::MsgCuentaInexistente});
            EXPECT_EQ(w->cuenta(), otra ? codigo : "520101001");
            EXPECT_EQ(w->enEdicion(), otra);
            EXPECT_EQ(cajaCuenta(*w)->text(), codigo);
            EXPECT_EQ(estado(db), antes);
            delete w;
        }
    }
    EXPECT_EQ(dialogos.abiertos, 0);
}

// Browsing, GRABAR is off and the grid takes no value: F4 with another
// account typed in the box, or with lines typed beside it, stores nothing.
TEST_F(CCostoTest, NothingIsStoredBeforeTheAccountIsAccepted) {
    const QList<QVariantList> antes = estado(db);
    for (const bool menu : {false, true}) {
        Frmta_asigccosto* w = abre("520101001", menu);
        EXPECT_FALSE(paxtor(*w)->estado(Paxtor::EstadoGrabar));
        cajaCuenta(*w)->setText(QStringLiteral("520101002"));
        if (menu) {
            FlexGrid* g = grilla(*w);
            QTest::mouseClick(g->viewport(), Qt::LeftButton, {},
                              g->visualRect(g->model()->index(1, 1)).center());
            teclea(*w, "0101");
            EXPECT_FALSE(caja(*w)->isVisible());
            teclea(*w, "100");
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F4);
        EXPECT_EQ(estado(db), antes) << menu;
        delete w;
    }
}

// Escape after a refused value drops it from the line as well as from the
// screen: what is stored afterwards is what the grid showed.
TEST_F(CCostoTest, EscapeDropsARefusedValueFromItsLine) {
    for (const auto& [columna, valor] : {std::pair(3, "80"), std::pair(1, "0102")}) {
        SCOPED_TRACE(valor);
        siembra();
        Frmta_asigccosto* w = abre(QString());
        aceptaCuenta(*w, "520101001");
        QTest::keyClick(caja(*w), Qt::Key_Escape);
        grilla(*w)->setRow(1);
        grilla(*w)->setCol(columna);
        teclea(*w, QLatin1String(valor)); // refused
        QTest::keyClick(caja(*w), Qt::Key_Escape);
        grilla(*w)->setRow(2);
        grilla(*w)->setCol(3);
        teclea(*w, "20");
        w->Paxtor1_ButtonClick(QStringLiteral("GRABAR"));
        EXPECT_EQ(generales(db), (QList<QVariantList>{{"0101", 70.0}, {"0102", 20.0}}))
            << mensajes().join(u'|').toStdString();
        delete w;
    }
}

// The flags belong to the account shown: a box ticked on a unit stays
// ticked back on "General"; deleting the general lines keeps the flags for
// the unit lines, and they go with the last unit line, the account with them.
TEST_F(CCostoTest, TheFlagsFollowTheAccountsLines) {
    const auto marcada = [](const QWidget& w, const char* c) {
        return control<QCheckBox>(w, c)->isChecked();
    };
    Frmta_asigccosto* w = abre(QString());
    aceptaCuenta(*w, "520101001");
    unidad(*w, 1);
    control<QCheckBox>(*w, "ChkPideConf")->setChecked(true);
    unidad(*w, 0);
    EXPECT_TRUE(marcada(*w, "ChkPideConf"));
    responder->answerMsg(vb::vbYes);
    w->Paxtor1_ButtonClick(QStringLiteral("CANCELAR"));
    const QList<QVariantList> banderas{{" ", 0.0}};
    for (const int u : {0, 1, 2}) { // General first
        aceptaCuenta(*w, "520101001");
        EXPECT_TRUE(marcada(*w, "ChkVariable")) << u;
        unidad(*w, u);
        responder->answerMsg(vb::vbYes);
        w->Paxtor1_ButtonClick(QStringLiteral("BORRAR"));
        for (const testutil::TempDatabase* d : {&db, &grupo})
            EXPECT_EQ(generales(*d), u < 2 ? banderas : QList<QVariantList>()) << u;
    }
    EXPECT_EQ(control<FlexGrid>(*w, "MSHFlexGrid1")->Rows(), 1); // no account listed
}

// Spread without asking the user, an account that goes by business unit
// alone is saved with "General" empty: the whole 100 is asked of lines.
TEST_F(CCostoTest, AnEmptyGeneralNeedsNoHundredPercent) {
    db.exec("INSERT INTO MA_CUENTASCCOSTO_UNEG VALUES ('520101002', '0001', '0101', 100);"
            "INSERT INTO MA_CUENTASCCOSTO VALUES ('520101002', ' ', 0, NULL, 1, 1)");
    Frmta_asigccosto* w = abre(QString());
    aceptaCuenta(*w, "520101002");
    control<QCheckBox>(*w, "ChkVariable")->setChecked(false);
    w->Paxtor1_ButtonClick(QStringLiteral("GRABAR"));
    EXPECT_FALSE(w->hayError()) << mensajes().join(u'|').toStdString();
    EXPECT_EQ(db.scalar("SELECT VariablePorUD FROM MA_CUENTASCCOSTO WHERE CODIGO = '520101002'"),
              0);
}

// Another user's change since the window loaded the distribution refuses
// the save or the delete with a message: it is neither overwritten nor
// undone, and the window keeps what was typed.
TEST_F(CCostoTest, AnotherUsersChangeRefusesTheSave) {
    const struct {
        const char* comando;
        int unidad;
        const char* otro;
    } casos[] = {
        {"GRABAR", 0, "UPDATE MA_CUENTASCCOSTO SET PORCENTAJE = 60 WHERE CCOSTO = '0101'"},
        {"GRABAR", 0, "DELETE FROM MA_CUENTASCCOSTO"},
        {"GRABAR", 2, "INSERT INTO MA_CUENTASCCOSTO_UNEG VALUES ('520101001','0002','0102',0)"},
        {"GRABAR", 2, "UPDATE MA_CUENTASCCOSTO SET PideConfirmacion = 1"}, // flags a unit writes
        {"BORRAR", 1, "UPDATE MA_CUENTASCCOSTO_UNEG SET PORCENTAJE = 50"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.otro);
        siembra();
        responder->shown.clear();
        Frmta_asigccosto* w = abre(QString());
        aceptaCuenta(*w, "520101001");
        unidad(*w, c.unidad);
        grilla(*w)->setRow(3);
        grilla(*w)->setCol(1);
        teclea(*w, "0201");
        db.exec(QLatin1String(c.otro));
        const QList<QVariantList> suyo = estado(db);
        responder->answerMsg(vb::vbYes);
        w->Paxtor1_ButtonClick(QLatin1String(c.comando));
        EXPECT_EQ(mensajes().mid(mensajes().size() - 1),
                  QStringList{ccosto::MsgDistribucionCambiada});
        EXPECT_TRUE(w->enEdicion());
        EXPECT_EQ(w->lineas().size() > 3 ? w->lineas()[3].CCosto : QString(), "0201");
        EXPECT_EQ(estado(db), suyo);
        delete w;
    }
}

} // namespace
