#pragma once
// A company database opened through the shared data object, scripted boxes,
// a fixed clock, a private temporary folder for the operator error log and
// helpers that seed journal-entry rows.

#include "common/db_fixture.h"
#include "common/recording_banner.h"
#include "common/tempdb.h"
#include "data/instances.h"
#include "entries/lbc_asiento.h"
#include "platform/sql/quoting.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/programend.h"
#include "platform/vb/vb.h"
#include "startup/core/cnstuffcontable.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

class EntriesTest : public CompanyDbFixture {
protected:
    EntriesTest() : CompanyDbFixture(vb::MakeDate(2023, 6, 15, 10, 20, 30)) {}

    void SetUp() override {
        CNStuffContable::resetCartel();
        ASSERT_NO_FATAL_FAILURE(CompanyDbFixture::SetUp());

        using namespace CNStuffContable;
        gTablaConfiguracion.clear();
        gTalonario = 0;
        gUsuarioLogeado = QStringLiteral("ana");
        clave(QStringLiteral("PERIODO"), QStringLiteral("2023"));
        banner = testutil::RecordingBanner::install();
    }

    void TearDown() override {
        CNStuffContable::resetCartel();
        CompanyDbFixture::TearDown();
    }

    void clave(const QString& nombre, const QString& valor) {
        db.exec(QStringLiteral("DELETE FROM TA_CONFIGURACION WHERE CLAVE = '%1'").arg(nombre));
        db.exec(QStringLiteral("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('%1', '%2')")
                    .arg(nombre, valor));
    }

    std::shared_ptr<testutil::RecordingBanner> banner;

    void ejercicio(int periodo, const QString& desde, const QString& hasta, int cerrado = 0,
                   int cancelacion = 0, int cierre = 0) {
        db.exec(QStringLiteral("INSERT INTO MV_EJERCICIOS (PERIODO, \"Fecha Desde\", \"Fecha "
                               "Hasta\", DESCRIPCION, CERRADO, Cancelacion, Cierre) VALUES (%1, "
                               "'%2 00:00:00', '%3 00:00:00', 'Ejercicio %1', %4, %5, %6)")
                    .arg(periodo)
                    .arg(desde, hasta)
                    .arg(cerrado)
                    .arg(cancelacion)
                    .arg(cierre));
    }

    // One journal-entry line; fecha is ISO ("2023-05-31").
    struct Linea {
        int periodo = 2023;
        int mes = 5;
        int numero = 1;
        QString fecha = QStringLiteral("2023-05-31");
        QString tipoReg;
        QString tc = QStringLiteral("00AS");
        QString sucursal = QStringLiteral("0001");
        QString nroCpte = QStringLiteral("00000001");
        QString letra = QStringLiteral("A");
        QString cuenta = QStringLiteral("1101");
        QString debeHaber = QStringLiteral("D");
        double importe = 100;
        int esAjuste = 0;
        int esResumen = 0;
        QString ajusteHasta;
        QString detalle = QStringLiteral("Concepto");
        QString cabCuenta;
    };
    void linea(const Linea& l) {
        db.exec(QStringLiteral(
                    "INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, \"NUMERO ASIENTO\", "
                    "SECUENCIA, FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CABCUENTA, CUENTA, "
                    "IMPORTE, \"DEBE-HABER\", TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, "
                    "AJUSTE_HASTA) VALUES (%1, %2, %3, 1, '%4 00:00:00', '%5', '%6', '%7', '%8', "
                    "175, '%9', '%10', %11, '%12', '%13', '%14', %15, %16, '%17')")
                    .arg(l.periodo)
                    .arg(l.mes)
                    .arg(l.numero)
                    .arg(l.fecha, l.tc, l.sucursal, l.nroCpte, l.letra, l.cabCuenta, l.cuenta)
                    .arg(l.importe)
                    .arg(l.debeHaber, l.tipoReg, l.detalle)
                    .arg(l.esResumen)
                    .arg(l.esAjuste)
                    .arg(l.ajusteHasta));
    }

    void cuenta(const QString& codigo, const QString& descripcion, int titulo = 0, int baja = 0,
                int bloqueo = 0) {
        db.exec(QStringLiteral("INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, TITULO, DADA_DE_BAJA, "
                               "BLOQUEO, BIENES, AJUSTE) VALUES (%1, '%2', %3, %4, %5, 1, 0)")
                    .arg(sqltext::literal(codigo), descripcion)
                    .arg(titulo)
                    .arg(baja)
                    .arg(bloqueo));
    }

    // Titles of the operator error boxes shown so far.
    QStringList titulos() const {
        QStringList t;
        for (const auto& s : responder->shown)
            t << s.title;
        return t;
    }
};
