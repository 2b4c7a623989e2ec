#include "common/tempdb.h"
#include "platform/ui/clsformulario.h"
#include "platform/ui/clsplanilla.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/vb.h"
#include "platform/win/clsutilidades.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>
#include <gtest/gtest.h>
#include <vector>

namespace {

QLineEdit* campo(QWidget* parent, const QString& dataField, const QString& name = "txtFields") {
    auto* e = new QLineEdit(parent);
    e->setObjectName(name);
    if (!dataField.isNull())
        e->setProperty("DataField", dataField);
    parent->layout()->addWidget(e);
    return e;
}

class FormularioTest : public ::testing::Test {
protected:
    FormularioTest() { new QVBoxLayout(&ventana); }
    QWidget ventana;
};

TEST_F(FormularioTest, IndiceControlFindsTheMemberBoundToAColumn) {
    std::vector<QLineEdit*> txtFields = {campo(&ventana, "[NUMERO ASIENTO]"),
                                         campo(&ventana, "PERIODO_DESDE"),
                                         nullptr,
                                         campo(&ventana, "CTA_REI"),
                                         campo(&ventana, QString()),
                                         campo(&ventana, " codigo ")};
    EXPECT_EQ(ClsFormulario::IndiceControl("NUMERO ASIENTO", txtFields), 0);
    EXPECT_EQ(ClsFormulario::IndiceControl("[numero asiento]", txtFields), 0);
    EXPECT_EQ(ClsFormulario::IndiceControl("periodo_desde", txtFields), 1);
    EXPECT_EQ(ClsFormulario::IndiceControl("Cta_Rei", txtFields), 3);
    EXPECT_EQ(ClsFormulario::IndiceControl("CODIGO", txtFields), 5);
    EXPECT_EQ(ClsFormulario::IndiceControl("PERIODO", txtFields), -1);
    EXPECT_EQ(ClsFormulario::IndiceControl("", txtFields), -1);
    QList<QWidget*> otros = {txtFields[3]};
    EXPECT_EQ(ClsFormulario::IndiceControl("CTA_REI", otros), 0);
}

int filtra(QLineEdit* e, QChar c) {
    int k = c.unicode();
    ClsFormulario::FiltraTecla(e, k);
    return k;
}

TEST_F(FormularioTest, KeyFiltersFollowTheColumnType) {
    QLineEdit* importe = campo(&ventana, "IMPORTE");
    importe->setProperty("DataType", int(ado::adCurrency));
    QLineEdit* cantidad = campo(&ventana, "CANTIDAD");
    cantidad->setProperty("DataType", int(ado::adInteger));
    QLineEdit* fecha = campo(&ventana, "FECHA");
    fecha->setProperty("DataType", int(ado::adDBTimeStamp));
    QLineEdit* texto = campo(&ventana, "DESCRIPCION");
    texto->setProperty("DataType", int(ado::adVarChar));
    QLineEdit* libre = campo(&ventana, "OTRO");

    EXPECT_EQ(filtra(importe, '-'), '-');
    EXPECT_EQ(filtra(importe, '.'), ',');
    EXPECT_EQ(filtra(importe, 'a'), 0);
    importe->setText("12,5");
    EXPECT_EQ(filtra(importe, '.'), 0); // one separator at most
    for (int control : {8, 13, 27}) {
        int k = control;
        ClsFormulario::FiltraTecla(importe, k);
        EXPECT_EQ(k, control);
    }
    EXPECT_EQ(filtra(cantidad, ','), 0);
    EXPECT_EQ(filtra(fecha, '/'), '/');
    EXPECT_EQ(filtra(fecha, 'x'), 0);
    EXPECT_EQ(filtra(texto, QChar(0xf1)), 0xf1);
    EXPECT_EQ(filtra(libre, '.'), '.');

    vb::Regional r = vb::regional();
    vb::Regional punto = r;
    punto.decimalSeparator = u'.';
    punto.thousandsSeparator = u',';
    vb::setRegional(punto);
    EXPECT_EQ(ClsFormulario::FiltraNumerico(), ".");
    importe->clear();
    EXPECT_EQ(filtra(importe, ','), '.');
    vb::setRegional(r);
    EXPECT_EQ(ClsFormulario::FiltraNumerico(), ",");

    EXPECT_TRUE(ClsFormulario::EsTeclaAceptar(13));
    EXPECT_FALSE(ClsFormulario::EsTeclaAceptar(27));
}

TEST_F(FormularioTest, MueveFocoSkipsWhatCannotTakeTheFocus) {
    QLineEdit* a = campo(&ventana, "A");
    QLineEdit* b = campo(&ventana, "B");
    QLineEdit* c = campo(&ventana, "C");
    QLabel* etiqueta = new QLabel("x", &ventana);
    ventana.layout()->addWidget(etiqueta);
    QLineEdit* d = campo(&ventana, "D");
    b->setEnabled(false);
    c->hide();
    ventana.show();
    ventana.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&ventana));
    a->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), a);
    ClsFormulario::MueveFoco(13);
    EXPECT_EQ(QApplication::focusWidget(), d);
    ClsFormulario::MueveFoco(13);
    EXPECT_EQ(QApplication::focusWidget(), a); // wraps round
}

TEST_F(FormularioTest, LimpiaFormularioEmptiesBoundFieldsOnly) {
    QLineEdit* cabecera = campo(&ventana, "TC");
    QLineEdit* otro = campo(&ventana, "CODIGO", "txtCuenta");
    QLineEdit* total = campo(&ventana, QString(), "txtTotal");
    for (QLineEdit* e : {cabecera, otro, total})
        e->setText("x");
    ClsFormulario::LimpiaFormulario(&ventana, 0, "TXTFIELDS");
    EXPECT_EQ(cabecera->text(), "");
    EXPECT_EQ(otro->text(), "x");
    cabecera->setText("x");
    ClsFormulario::LimpiaFormulario(&ventana, 1);
    EXPECT_EQ(cabecera->text(), "");
    EXPECT_EQ(otro->text(), "");
    EXPECT_EQ(total->text(), "x");
}

TEST_F(FormularioTest, FieldsFitTheTableAndShowTheCurrentRow) {
    testutil::TempDatabase db("EMPRESA", testutil::TempDatabase::Schema::Empty);
    db.exec("CREATE TABLE PRUEBA_CAMPOS (CODIGO VARCHAR(4), DESCRIPCION VARCHAR(50), "
            "IMPORTE MONEY, NOTA VARCHAR(20))");
    db.exec("INSERT INTO PRUEBA_CAMPOS VALUES ('0001', 'Caja', 1234.5, NULL)");
    std::vector<QLineEdit*> txtFields = {campo(&ventana, "CODIGO"), campo(&ventana, "descripcion"),
                                         campo(&ventana, "IMPORTE"), campo(&ventana, "NOTA"),
                                         campo(&ventana, "NO_EXISTE")};
    txtFields[3]->setText("viejo");
    txtFields[4]->setText("queda");
    ClsFormulario::AjustaCamposATabla(txtFields, "PRUEBA_CAMPOS", db.connectionString());
    EXPECT_EQ(txtFields[0]->maxLength(), 4);
    EXPECT_EQ(txtFields[1]->maxLength(), 50);
    EXPECT_EQ(filtra(txtFields[2], 'a'), 0); // the money column takes no letters
    EXPECT_EQ(filtra(txtFields[0], 'a'), 'a');
    EXPECT_FALSE(txtFields[4]->property("DataType").isValid());

    const ado::ConnectionPtr cnn = ado::Connection::create();
    cnn->Open(db.connectionString());
    const ado::RecordsetPtr rs = ado::Recordset::create();
    rs->Open("SELECT * FROM PRUEBA_CAMPOS", cnn, ado::adOpenForwardOnly, ado::adLockReadOnly);
    ClsFormulario::CopiaRegistro(*rs, txtFields);
    EXPECT_EQ(txtFields[0]->text(), "0001");
    EXPECT_EQ(txtFields[1]->text(), "Caja");
    EXPECT_EQ(txtFields[2]->text(), "1234,5");
    EXPECT_EQ(txtFields[3]->text(), "");
    EXPECT_EQ(txtFields[4]->text(), "queda");

    // An unreadable table leaves the members as they were.
    ClsFormulario::AjustaCamposATabla(txtFields, "NO_HAY_TABLA", db.connectionString());
    EXPECT_EQ(txtFields[0]->maxLength(), 4);
}

class PlanillaTest : public ::testing::Test {
protected:
    void SetUp() override { previous = vb::setDialogResponder(responder); }
    void TearDown() override { vb::setDialogResponder(previous); }
    std::shared_ptr<vb::ScriptedResponder> responder = std::make_shared<vb::ScriptedResponder>();
    std::shared_ptr<vb::DialogResponder> previous;
};

TEST_F(PlanillaTest, ShowsTheRowsReadOnlyUnderTheTitle) {
    testutil::TempDatabase db("EMPRESA", testutil::TempDatabase::Schema::Empty);
    db.exec("CREATE TABLE PLAN (CODIGO VARCHAR(15), DESCRIPCION VARCHAR(50), SALDO MONEY)");
    db.exec("INSERT INTO PLAN VALUES ('1', 'Activo', 10.5)");
    db.exec("INSERT INTO PLAN VALUES ('11', 'Caja', NULL)");
    QWidget* w = ClsPlanilla::MuestraPlanilla("SELECT CODIGO, DESCRIPCION AS [Descripción], SALDO "
                                              "FROM PLAN ORDER BY CODIGO",
                                              db.connectionString(), "Plan General de Cuentas");
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), "Plan General de Cuentas");
    EXPECT_TRUE(w->isVisible());
    auto* grilla = w->findChild<QTableWidget*>();
    ASSERT_NE(grilla, nullptr);
    ASSERT_EQ(grilla->rowCount(), 2);
    ASSERT_EQ(grilla->columnCount(), 3);
    EXPECT_EQ(grilla->horizontalHeaderItem(1)->text(), QString::fromUtf8("Descripción"));
    EXPECT_EQ(grilla->item(0, 0)->text(), "1");
    EXPECT_EQ(grilla->item(0, 2)->text(), "10,5");
    EXPECT_EQ(grilla->item(1, 1)->text(), "Caja");
    EXPECT_EQ(grilla->item(1, 2)->text(), "");
    EXPECT_EQ(grilla->editTriggers(), QAbstractItemView::NoEditTriggers);
    EXPECT_TRUE(responder->shown.empty());
    w->close(); // deletes itself
}

TEST_F(PlanillaTest, AFailingQueryGoesToTheErrorBoxAndRetryRunsItAgain) {
    testutil::TempDatabase db("EMPRESA", testutil::TempDatabase::Schema::Empty);
    responder->answerMsg(vb::vbRetry);
    responder->answerMsg(vb::vbAbort);
    EXPECT_EQ(ClsPlanilla::MuestraPlanilla("SELECT * FROM NO_HAY_TABLA", db.connectionString(),
                                           "Asientos de Ajuste"),
              nullptr);
    ASSERT_EQ(responder->shown.size(), 2u);
    EXPECT_TRUE(responder->shown[0].prompt.startsWith("Ha ocurrido el Siguiente Error ("));
    EXPECT_TRUE(responder->shown[1].title.endsWith(" - MuestraPlanilla Aviso al operador!!! "));
    EXPECT_EQ(responder->unexpected, 0);
}

} // namespace

namespace {

TEST(ClsUtilidades, PideFechaStartsOnTheGivenDateAndLeavesTheChosenOne) {
    QDate shown;
    auto choose = [&shown](bool accept) {
        QTimer::singleShot(0, [&shown, accept] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            auto* calendar = dialog->findChild<QCalendarWidget*>();
            ASSERT_NE(calendar, nullptr);
            shown = calendar->selectedDate();
            calendar->setSelectedDate(QDate(2024, 3, 20));
            accept ? dialog->accept() : dialog->reject();
        });
    };
    QString fecha = "15/03/2024";
    choose(true);
    EXPECT_TRUE(ClsUtilidades::PideFecha(fecha));
    EXPECT_EQ(shown, QDate(2024, 3, 15));
    EXPECT_EQ(fecha, "20/03/2024");
    fecha = "01/01/2020";
    choose(false);
    EXPECT_FALSE(ClsUtilidades::PideFecha(fecha));
    EXPECT_EQ(fecha, "01/01/2020");
}

} // namespace
