#pragma once
// The cost-centre window on a company database whose group database keeps
// copies of the distributions, started as the program starts it: the run's
// start-up from a parameter string, then the window. The program folder is a
// temporary one.

#include "common/db_fixture.h"

#include "accountextras/ui/frmta_asigccosto.h"
#include "lookup/lib_clscons3.h"
#include "platform/sql/quoting.h"
#include "platform/ui/flexgrid.h"
#include "platform/ui/paxtor.h"
#include "startup/core/cnstuffcontable.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QtTest/QTest>

template <typename T> T* control(const QWidget& w, const char* nombre) {
    return w.findChild<T*>(QLatin1String(nombre));
}

inline Paxtor* paxtor(const QWidget& w) {
    return control<Paxtor>(w, "Paxtor1");
}

class CCostoTest : public CompanyDbFixture {
protected:
    CCostoTest() : CompanyDbFixture(vb::MakeDate(2024, 3, 15, 10, 20, 30)) {}

    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(CompanyDbFixture::SetUp());
        useAppFolder();
        CNStuffContable::gTablaConfiguracion.clear();
        db.exec(QStringLiteral(
                    "INSERT INTO TA_USUARIOS (NOMBRE, UNegocio, Administrador) VALUES "
                    "('sa', '0001', 1);"
                    "INSERT INTO TA_CONFIGURACION (CLAVE, VALOR, ValorAux) VALUES "
                    "('NOMBRE', 'EMPRESA DE PRUEBA', NULL), ('USACCOSTO', 'SI', NULL),"
                    "('GRP_Deshabilitado', '0', NULL), ('GRP_Tablas', '', "
                    "'MA_CUENTAS|MA_CUENTASCCOSTO|MA_CUENTASCCOSTO_UNEG|'), "
                    "('GRP_Tipos', '111', NULL), ('GRP_Server', %1, NULL),"
                    "('GRP_Base', 'GRUPO', NULL), ('GRP_User', 'GRUPO', NULL);"
                    "INSERT INTO V_TA_UNIDADNEGOCIO (Codigo, Descripcion) VALUES "
                    "('0001', 'Casa Central'), ('0002', 'Sucursal');"
                    "INSERT INTO TA_CCOSTO (CODIGO, DESCRIPCION, TITULO) VALUES "
                    "('0100', 'COMERCIAL', 1), ('0101', 'Mayoristas', 0),"
                    "('0102', 'Minoristas', 0), ('0201', 'Administración', 0);"
                    "INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, TITULO, DADA_DE_BAJA) VALUES "
                    "('5', 'EGRESOS', 1, 0), ('520101001', 'Sueldos', 0, 0),"
                    "('520101002', 'Alquileres', 0, 0);")
                    .arg(sqltext::literal(db.folder())));
        siembra();
        resetInstances();
        CNStuffContable::setLineaComandos(QStringLiteral("@Server=") + db.folder() +
                                          QStringLiteral("; @DbName=") + db.dbName() +
                                          QStringLiteral("; @Usuario=sa; @Password=;"));
        CNStuffContable::IniciaSistema();
    }

    void TearDown() override {
        if (Frmta_asigccosto* w = Frmta_asigccosto::Instancia())
            delete w;
        CNStuffContable::CuentaActual.clear();
        CNStuffContable::setLineaComandos(std::nullopt);
        ado::setLockWaitNotice({});
        resetConsulta();
        CompanyDbFixture::TearDown();
    }

    // The distributions the tests start from, in both databases, and nothing
    // else.
    void siembra() const {
        for (const testutil::TempDatabase* d : {&db, &grupo})
            d->exec("DELETE FROM MA_CUENTASCCOSTO; DELETE FROM MA_CUENTASCCOSTO_UNEG;"
                    "INSERT INTO MA_CUENTASCCOSTO VALUES "
                    "('520101001', '0101', 70, '2024-01-02 00:00:00', 0, 1),"
                    "('520101001', '0102', 30, '2024-01-02 00:00:00', 0, 1);"
                    "INSERT INTO MA_CUENTASCCOSTO_UNEG VALUES "
                    "('520101001', '0001', '0201', 100), ('520101001', '0002', '0101', 100)");
    }

    // The window opened as the accounts window opens it, on screen with the
    // keyboard focus.
    Frmta_asigccosto* abre(const QString& cuentaActual, bool menu = false) {
        CNStuffContable::CuentaActual = cuentaActual;
        Frmta_asigccosto* w = Frmta_asigccosto::Muestra(menu);
        QApplication::setActiveWindow(w);
        EXPECT_TRUE(QTest::qWaitForWindowActive(w));
        return w;
    }

    static QLineEdit* caja(const QWidget& w) { return control<QLineEdit>(w, "BrwTxt"); }
    static FlexGrid* grilla(const QWidget& w) { return control<FlexGrid>(w, "FGCCosto"); }

    // The account typed and accepted with Enter.
    static void aceptaCuenta(Frmta_asigccosto& w, const QString& codigo) {
        auto* c = control<QLineEdit>(w, "txtCuenta");
        c->setText(codigo);
        c->setFocus();
        QTest::keyClick(c, Qt::Key_Return);
    }

    // Types a value into the current cell of the grid and presses Enter.
    static void teclea(Frmta_asigccosto& w, const QString& texto) {
        QLineEdit* b = caja(w);
        if (b->isVisible() && b->isEnabled()) {
            b->selectAll();
            QTest::keyClicks(b, texto);
        } else {
            QTest::keyClick(grilla(w), texto.at(0).toLatin1());
            QTest::keyClicks(b, texto.mid(1));
        }
        QTest::keyClick(b, Qt::Key_Return);
    }

    // Chooses the business unit shown (0 "General").
    static void unidad(Frmta_asigccosto& w, int indice) {
        control<QCheckBox>(w, "ChkVariable")->setChecked(true);
        control<QComboBox>(w, "CmbUnegocio")->setCurrentIndex(indice);
    }

    QList<QVariantList> unidades(const testutil::TempDatabase& d) const {
        return d.rows(
            "SELECT UNEGOCIO, CCOSTO, PORCENTAJE FROM MA_CUENTASCCOSTO_UNEG ORDER BY 1, 2");
    }
    QList<QVariantList> generales(const testutil::TempDatabase& d) const {
        return d.rows("SELECT CCOSTO, PORCENTAJE FROM MA_CUENTASCCOSTO ORDER BY 1");
    }
    // Every stored distribution, all columns.
    static QList<QVariantList> estado(const testutil::TempDatabase& d) {
        return d.rows("SELECT * FROM MA_CUENTASCCOSTO ORDER BY 1, 2") +
               d.rows("SELECT * FROM MA_CUENTASCCOSTO_UNEG ORDER BY 1, 2, 3");
    }

    QStringList mensajes() const { return responder->messages(); }

    testutil::TempDatabase grupo = db.sibling(QStringLiteral("GRUPO"));
};
