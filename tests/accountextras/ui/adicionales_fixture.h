#pragma once
// The additional-data window on a company whose group database keeps copies
// of the additional data: customers and suppliers in ranges with their
// views, the code tables the window's fields name, and a custom date column.
// The run starts as the program starts (parameter string, start-up); the
// window is opened through its shared instance.

#include "common/db_fixture.h"

#include "accountextras/ui/frmma_cuentasadic.h"
#include "lookup/lib_clscons3.h"
#include "platform/sql/quoting.h"
#include "platform/ui/paxtor.h"
#include "startup/core/cnstuffcontable.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QtTest/QTest>

using CNStuffContable::CuentaActual;
using Adicionales = frmMA_CUENTASADIC;

// The text field bound to a column; nullptr when none is.
inline QLineEdit* campo(const QWidget& w, const char* columna) {
    for (QLineEdit* c : w.findChildren<QLineEdit*>(QStringLiteral("txtFields")))
        if (c->property("DataField")
                .toString()
                .compare(QLatin1String(columna), Qt::CaseInsensitive) == 0)
            return c;
    return nullptr;
}

inline Paxtor* paxtor(const QWidget& w) {
    return w.findChild<Paxtor*>(QStringLiteral("Paxtor1"));
}

inline QString titulo(const QWidget& w) {
    return w.findChild<QLabel*>(QStringLiteral("LblTitulo"))->text();
}

class AdicionalesTest : public CompanyDbFixture {
protected:
    AdicionalesTest() : CompanyDbFixture(vb::MakeDate(2024, 3, 15, 10, 20, 30)) {}

    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(CompanyDbFixture::SetUp());
        useAppFolder();
        CNStuffContable::gTablaConfiguracion.clear();
        CuentaActual.clear();
        const QString datos = QStringLiteral(
            "INSERT INTO TA_USUARIOS (NOMBRE, UNegocio, Administrador) VALUES ('sa', '0001', 1);"
            "INSERT INTO TA_CONFIGURACION (CLAVE, VALOR, ValorAux) VALUES "
            "('NOMBRE', 'EMPRESA DE PRUEBA', NULL), ('USADATOSADIC', 'si', NULL), ('PERIODO', "
            "'2024', NULL),"
            "('DIGITOS_CAPITULO', '1', NULL), ('DIGITOS_SUBCAPITULO', '1', NULL),"
            "('DIGITOS_RUBRO', '2', NULL), ('DIGITOS_SUBRUBRO', '2', NULL),"
            "('DIGITOS_CUENTA', '3', NULL), ('DIGITOS_SUBCUENTA', '3', NULL),"
            "('ClaseDePrecioDefault', 'MAYOR', NULL), ('ClaseDePrecioDefaultCompras', 'COSTO', "
            "NULL), ('GRP_Deshabilitado', '0', NULL), ('GRP_Tablas', '', "
            "'MA_CUENTAS|MA_CUENTASADIC|'), ('GRP_Tipos', '111', NULL), ('GRP_Server', %1, NULL),"
            "('GRP_Base', 'GRUPO', NULL), ('GRP_User', 'GRUPO', NULL);"
            "INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, TITULO, TIPOVISTA, DADA_DE_BAJA) VALUES "
            "('110301', 'DEUDORES POR VENTAS', 1, 'CL', 0),"
            "('110301001', 'Cooperativa Obrera', 0, 'CL', 0),"
            "('110301002', 'La Anónima', 0, 'CL', 0),"
            "('210101001', 'Molinos del Sur', 0, 'PR', 0),"
            "('110101001', 'Caja', 0, NULL, 0);"
            "INSERT INTO TA_RANGOS_DATOS_ADIC VALUES "
            "('110301001', '110301999', 'Clientes', 'CLIENTES', 0),"
            "('210101001', '210101999', 'Proveedores', 'PROVEEDORES', 0);"
            "INSERT INTO TA_VISTAS (NOMBRE, TipoVista, Campo) VALUES "
            "('CLIENTES', 'CL', 'Condición de Compra Venta'), ('CLIENTES', 'CL', 'Limite de "
            "Crédito'), ('CLIENTES', 'CL', 'Categoría'), ('PROVEEDORES', 'PR', 'Categoría');"
            "INSERT INTO TA_ESTADOS VALUES ('B', 'Buenos Aires');"
            "INSERT INTO TA_PAISES VALUES ('AR', 'Argentina');"
            "INSERT INTO TA_TIPODOCUMENTO VALUES ('0080', 'C.U.I.T.');"
            "INSERT INTO TA_CONDIVA VALUES ('1', 'Responsable Inscripto');"
            "INSERT INTO V_TA_CPRA_VTA VALUES ('0001', 'Contado');"
            "INSERT INTO V_TA_CATEGORIA VALUES ('0002', 'Mayorista');");
        db.exec(datos.arg(sqltext::literal(db.folder())));
        // The custom columns, in the company and in its copy.
        for (const testutil::TempDatabase* d : {&db, &grupo})
            d->exec("ALTER TABLE MA_CUENTASADIC ADD COLUMN P_FECHA_ALTA DATETIME;"
                    "ALTER TABLE MA_CUENTASADIC ADD COLUMN P_RUBRO VARCHAR(20) COLLATE SQLSRV;");
        // Another account's row, first in the table, in both databases.
        for (const testutil::TempDatabase* d : {&db, &grupo})
            d->exec("INSERT INTO MA_CUENTASADIC (CODIGO, CALLE, LOCALIDAD) VALUES "
                    "('110301002', 'Zelarrayán', 'Bahía Blanca')");
        arranca();
    }

    void TearDown() override {
        delete Adicionales::Instancia();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        CuentaActual.clear();
        CNStuffContable::setLineaComandos(std::nullopt);
        ado::setLockWaitNotice({}); // the one the start-up installed
        resetConsulta();
        CompanyDbFixture::TearDown();
    }

    // The program's start: the data object closed, the parameter string, the
    // run's start-up.
    void arranca() {
        resetInstances();
        CNStuffContable::setLineaComandos(QStringLiteral("@Server=") + db.folder() +
                                          QStringLiteral("; @DbName=") + db.dbName() +
                                          QStringLiteral("; @Usuario=sa; @Password=;"));
        CNStuffContable::IniciaSistema();
    }

    // Opens the shared window, bound to CuentaActual or standalone, active.
    static Adicionales& abre(bool independiente) {
        Adicionales* w = Adicionales::Muestra(independiente);
        QApplication::setActiveWindow(w);
        EXPECT_TRUE(QTest::qWaitForWindowActive(w));
        return *w;
    }

    // Types a code into the standalone code field and accepts it with Enter.
    static void escribeCodigo(Adicionales& w, const QString& codigo) {
        QLineEdit* c = campo(w, "CODIGO");
        c->setFocus();
        c->clear();
        QTest::keyClicks(c, codigo);
        QTest::keyClick(c, Qt::Key_Return);
    }

    // Fills the fields every save requires, with valid codes.
    static void completa(Adicionales& w) {
        const std::pair<const char*, const char*> valores[] = {
            {"CALLE", "Av. Colón"},
            {"NUMERO", "1250"},
            {"CPOSTAL", "8000"},
            {"LOCALIDAD", "Bahía Blanca"},
            {"PROVINCIA", "B"},
            {"PAIS", "AR"},
            {"NUMERO_DOCUMENTO", "30-71234567-9"},
        };
        for (const auto& [columna, valor] : valores)
            campo(w, columna)->setText(QString::fromUtf8(valor));
    }

    // The stored row of an account: the given columns, in order.
    static QVariantList fila(const testutil::TempDatabase& d, const QString& columnas,
                             const QString& codigo) {
        return d
            .rows(QStringLiteral("SELECT ") + columnas +
                  QStringLiteral(" FROM MA_CUENTASADIC WHERE CODIGO = ") + sqltext::literal(codigo))
            .value(0);
    }

    QStringList mensajes() const { return responder->messages(); }

    testutil::TempDatabase grupo = db.sibling(QStringLiteral("GRUPO"));
};
