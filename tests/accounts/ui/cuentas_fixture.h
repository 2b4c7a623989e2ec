#pragma once
// The accounts window on a company database with a small chart (titles,
// postable accounts, a dropped one), started as the program starts it: the
// run's start-up from a parameter string, then the window's load. The
// program folder is a temporary one (INI files).

#include "common/db_fixture.h"

#include "accounts/ui/frmma_cuentas.h"
#include "lookup/lib_clscons3.h"
#include "platform/ui/paxtor.h"
#include "startup/core/cnstuffcontable.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QtTest/QTest>
#include <memory>

// The control of that name; nullptr when there is none.
template <typename T> T* control(const QWidget& w, const char* nombre) {
    return w.findChild<T*>(QLatin1String(nombre));
}

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
    return control<Paxtor>(w, "Paxtor1");
}

// The items of a list, in order.
inline QStringList items(const QComboBox* c) {
    QStringList l;
    for (int i = 0; i < c->count(); ++i)
        l << c->itemText(i);
    return l;
}

class CuentasTest : public CompanyDbFixture {
protected:
    CuentasTest() : CompanyDbFixture(vb::MakeDate(2024, 3, 15, 10, 20, 30)) {}

    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(CompanyDbFixture::SetUp());
        useAppFolder();
        CNStuffContable::gTablaConfiguracion.clear();
        db.exec(QStringLiteral(
            "INSERT INTO TA_USUARIOS (NOMBRE, UNegocio, Administrador) VALUES ('sa', '0001', 1);"
            "INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('NOMBRE', 'EMPRESA DE PRUEBA'),"
            "('DIGITOS_CAPITULO', '1'), ('DIGITOS_SUBCAPITULO', '1'), ('DIGITOS_RUBRO', '2'),"
            "('DIGITOS_SUBRUBRO', '2'), ('DIGITOS_CUENTA', '3'), ('DIGITOS_SUBCUENTA', '3'),"
            "('Nombre_Indice1', 'IPC'), ('Nombre_Indice2', 'Mayoristas'),"
            "('Nombre_Indice3', 'Construcción'), ('Nombre_Indice4', 'Dólar');"
            "INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, TITULO, dv, DADA_DE_BAJA) VALUES "
            "('1', 'ACTIVO', 1, 0, 0), ('11', 'ACTIVO CORRIENTE', 1, 0, 0),"
            "('110101', 'CAJA', 1, 0, 0), ('110101001', 'Caja Moneda Nacional', 0, 7, 0),"
            "('110101002', 'Fondo Fijo', 0, 3, 0), ('110101004', 'Caja Vieja', 0, 5, 1)"));
    }

    void TearDown() override {
        CNStuffContable::setLineaComandos(std::nullopt);
        ado::setLockWaitNotice({}); // the one the start-up installed
        resetConsulta();
        CompanyDbFixture::TearDown();
    }

    QString lineaComandos() const {
        return QStringLiteral("@Server=") + db.folder() + QStringLiteral("; @DbName=") +
               db.dbName() + QStringLiteral("; @Usuario=sa; @Password=;");
    }

    // The program's start: the data object closed, the parameter string, the
    // run's start-up, the window's load.
    std::unique_ptr<FrmMA_CUENTAS> arranca() {
        resetInstances();
        CNStuffContable::setLineaComandos(lineaComandos());
        CNStuffContable::IniciaSistema();
        auto w = std::make_unique<FrmMA_CUENTAS>();
        w->Form_Load();
        return w;
    }

    // The window on screen with the keyboard focus, as the user has it.
    static void muestra(FrmMA_CUENTAS& w) {
        w.show();
        QApplication::setActiveWindow(&w);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    }

    // Types a code into the code box and leaves it, as the user does.
    static void escribeCodigo(FrmMA_CUENTAS& w, const QString& codigo) {
        auto* caja = control<QLineEdit>(w, "TxtCodigo");
        caja->setFocus();
        ASSERT_TRUE(QTest::qWaitFor([&] { return caja->hasFocus(); }));
        caja->clear();
        QTest::keyClicks(caja, codigo);
        campo(w, "DESCRIPCION")->setFocus();
    }

    // Edit state as the command bar shows it.
    static bool enEdicion(const FrmMA_CUENTAS& w) {
        const Paxtor* p = paxtor(w);
        const bool edicion = p->estado(Paxtor::EstadoGrabar) && p->estado(Paxtor::EstadoCancelar) &&
                             p->estado(Paxtor::EstadoBorrar);
        const bool consulta = p->estado(Paxtor::EstadoNuevo) && p->estado(Paxtor::EstadoCerrar);
        EXPECT_NE(edicion, consulta) << "the bar is in neither state";
        return edicion;
    }

    QStringList mensajes() const { return responder->messages(); }
};
