#pragma once
// The list lookup window on a company database: a few hundred accounts, some
// with texts that SQL and LIKE would misread, and helpers that find the
// window's controls by name and drive it as a user does.

#include "common/db_fixture.h"
#include "lookup/lib_frmcons3.h"
#include "startup/core/cnstuffcontable.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeView>
#include <QtTest/QTest>
#include <memory>

class ListaTest : public CompanyDbFixture {
protected:
    ListaTest() : CompanyDbFixture(vb::MakeDate(2024, 3, 15, 10, 20, 30)) {}

    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(CompanyDbFixture::SetUp());
        useAppFolder();
        CNStuffContable::gTablaConfiguracion.clear();
        // 1001 .. 1300 "Cuenta 1" .. "Cuenta 300", then the awkward ones.
        db.exec(QStringLiteral(
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 300) "
            "INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, INDICE) "
            "SELECT CAST(1000 + i AS TEXT), 'Cuenta ' || i, i % 4 FROM n"));
        db.exec(QStringLiteral(
            "INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION) VALUES "
            "('2001', 'Caja 50% dólares'), ('2002', 'Caja 500 pesos'), "
            "('2003', 'O''Brien y Cía'), ('2004', 'Banco_Nación'), ('2005', 'Banco Nacion'), "
            "('101', 'banco chico')"));
    }

    static constexpr int kCuentas = 306;
    static QString cuentasSql() {
        return QStringLiteral("SELECT CODIGO, DESCRIPCION, INDICE FROM MA_CUENTAS ORDER BY CODIGO");
    }

    static std::unique_ptr<Lib_FrmCons3> abre(const QString& sql) {
        auto w = std::make_unique<Lib_FrmCons3>();
        w->SQL = sql;
        w->Cargar();
        return w;
    }

    // The window on screen with the keyboard focus, as the user has it.
    static void muestra(Lib_FrmCons3& w) {
        w.show();
        QApplication::setActiveWindow(&w);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    }

    static QTreeView* lista(const Lib_FrmCons3& w) {
        return w.findChild<QTreeView*>(QStringLiteral("ListView1"));
    }
    static QComboBox* combo(const Lib_FrmCons3& w, int indice) {
        for (QComboBox* c : w.findChildren<QComboBox*>(QStringLiteral("CmbSearch")))
            if (c->property("Index").toInt() == indice)
                return c;
        return nullptr;
    }
    static QPushButton* boton(const Lib_FrmCons3& w, const char* nombre) {
        return w.findChild<QPushButton*>(QLatin1String(nombre));
    }
    // The row a key sought in the database is selected when it comes: the
    // window meanwhile goes on.
    static bool buscada(Lib_FrmCons3& w) {
        QElapsedTimer t;
        t.start();
        while (w.buscando() && t.elapsed() < 20000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        return !w.buscando();
    }
    // Text of a cell of the selected row; empty without one.
    static QString seleccionada(const Lib_FrmCons3& w, int columna = 0) {
        const QModelIndex i = lista(w)->currentIndex();
        return i.isValid() ? i.sibling(i.row(), columna).data().toString() : QString();
    }
    static QString celda(Lib_FrmCons3& w, int fila, int columna) {
        return w.modelo().texto(fila, columna);
    }
    // The first column of every row, read all.
    static QStringList columna(Lib_FrmCons3& w, int c = 0) {
        w.modelo().traerTodo();
        QStringList textos;
        for (int f = 0; f < w.modelo().filas(); ++f)
            textos << w.modelo().texto(f, c);
        return textos;
    }
    static void clickEncabezado(Lib_FrmCons3& w, int seccion) {
        QHeaderView* h = lista(w)->header();
        const QPoint p(h->sectionViewportPosition(seccion) + h->sectionSize(seccion) / 2,
                       h->height() / 2);
        QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, p);
    }
};
