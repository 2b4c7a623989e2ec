#pragma once
// A company database opened through the shared data object, scripted boxes,
// a fixed clock and helpers that seed accounts, coefficients, fiscal years,
// journal-entry lines and voucher books for the inflation adjustment.

#include "adjustment/core/generacion.h"
#include "lineas.h"

#include "common/db_fixture.h"
#include "common/recording_banner.h"
#include "common/tempdb.h"
#include "data/instances.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/programend.h"
#include "platform/vb/vb.h"
#include "startup/core/cnstuffcontable.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

class AjusteTest : public CompanyDbFixture {
protected:
    AjusteTest() : CompanyDbFixture(vb::MakeDate(2024, 3, 15, 10, 20, 30)) {}

    void SetUp() override {
        CNStuffContable::resetCartel();
        ASSERT_NO_FATAL_FAILURE(CompanyDbFixture::SetUp());

        CNStuffContable::gTablaConfiguracion.clear();
        CNStuffContable::gPeriodoActual = QStringLiteral("2023");
        db.exec(QStringLiteral("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('PERIODO', "
                               "'2023')"));
        ejercicio(2022, QStringLiteral("2022-01-01"), QStringLiteral("2022-12-31"));
        ejercicio(2023, QStringLiteral("2023-01-01"), QStringLiteral("2023-12-31"));
        cuenta(QStringLiteral("5901"), QStringLiteral("R.E.I."), 0);
        banner = testutil::RecordingBanner::install();
    }

    void TearDown() override {
        CNStuffContable::resetCartel();
        CompanyDbFixture::TearDown();
    }

    void ejercicio(int periodo, const QString& desde, const QString& hasta) {
        db.exec(QStringLiteral("INSERT INTO MV_EJERCICIOS (PERIODO, \"Fecha Desde\", \"Fecha "
                               "Hasta\", CERRADO) VALUES (%1, '%2 00:00:00', '%3 00:00:00', 0)")
                    .arg(periodo)
                    .arg(desde, hasta));
    }

    // An account; serie 0 is not adjustable.
    void cuenta(const QString& codigo, const QString& descripcion, int serie,
                const QString& deprec = QString(), int bienes = 0) {
        db.exec(
            QStringLiteral("INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, AJUSTE, INDICE, "
                           "BIENES, CODIGO_DEPREC_ACUMULADA) VALUES ('%1', '%2', %3, %4, %5, %6)")
                .arg(codigo, descripcion)
                .arg(serie ? 1 : 0)
                .arg(serie)
                .arg(bienes)
                .arg(deprec.isEmpty() ? QStringLiteral("NULL") : u'\'' + deprec + u'\''));
    }

    // The same coefficient for the four series.
    void indice(int anio, int mes, double valor) {
        db.exec(QStringLiteral("INSERT INTO MA_INDAJUSTE (ANIO, MES, INDICE1, INDICE2, INDICE3, "
                               "INDICE4) VALUES (%1, %2, %3, %3, %3, %3)")
                    .arg(anio)
                    .arg(mes)
                    .arg(valor, 0, 'g', 17));
    }
    void indices(int anio, int desde, int hasta, double valor) {
        for (int m = desde; m <= hasta; ++m)
            indice(anio, m, valor);
    }

    struct Mov {
        QString cuenta;
        QString fecha; // ISO, "2023-01-10" or with a time
        QString dh = QStringLiteral("D");
        double importe = 0;
        QString tc = QStringLiteral("00AS");
        int apertura = 0;
        int resumen = 0;
        int ajuste = 0;
        int periodo = 2023;
    };
    static QString movSql(const Mov& m) {
        const QString fecha =
            m.fecha.size() == 10 ? m.fecha + QStringLiteral(" 00:00:00") : m.fecha;
        return QStringLiteral("INSERT INTO MV_ASIENTOS (PERIODO, FECHA, TC, CUENTA, IMPORTE, "
                              "\"DEBE-HABER\", ESRESUMEN, ESAJUSTE, ES_SALDO_APERTURA) VALUES "
                              "(%1, '%2', '%3', '%4', %5, '%6', %7, %8, %9);")
            .arg(m.periodo)
            .arg(fecha, m.tc, m.cuenta)
            .arg(m.importe, 0, 'f', 4)
            .arg(m.dh)
            .arg(m.resumen)
            .arg(m.ajuste)
            .arg(m.apertura);
    }
    void mov(const Mov& m) { db.exec(movSql(m)); }

    GeneracionAjuste::Resultado
    genera(const QString& desde, const QString& hasta, bool proforma = false,
           GeneracionAjuste::Lectura lectura = GeneracionAjuste::Lectura::Agrupada) {
        GeneracionAjuste::Parametros p;
        p.PeriodoDesde = desde;
        p.PeriodoHasta = hasta;
        p.IncluirProforma = proforma;
        p.Ejercicio = CNStuffContable::gPeriodoActual;
        p.CtaRei = QStringLiteral("5901");
        p.lectura = lectura;
        return GeneracionAjuste::Genera(p);
    }

    // Two adjustable accounts with an opening row and a movement each; the
    // operator presses the banner's Cancel while the second one runs.
    void cancelaEnLaSegundaCuenta() {
        cuenta(QStringLiteral("1101"), QStringLiteral("Caja"), 1);
        cuenta(QStringLiteral("1102"), QStringLiteral("Valores"), 1);
        indice(2022, 12, 1.0);
        indices(2023, 1, 12, 1.1);
        for (const char* c : {"1101", "1102"}) {
            mov({QString::fromLatin1(c), QStringLiteral("2023-01-01"), QStringLiteral("D"), 500,
                 QStringLiteral("00AS"), 1});
            mov({QString::fromLatin1(c), QStringLiteral("2023-01-10"), QStringLiteral("D"), 100});
        }
        gDatos().cnn()->setFaultInjector(
            [banner = banner](const QString& s) -> std::optional<ado::Error> {
                if (s.contains(QStringLiteral("CUENTA = '1102'")) &&
                    s.contains(QStringLiteral("ES_SALDO_APERTURA = 1")))
                    banner->pulsaCancelar();
                return std::nullopt;
            });
    }

    std::shared_ptr<testutil::RecordingBanner> banner;

    // The line of an account, or nullptr.
    static const TipoLineaAjuste* linea(const LineasAjuste& l, const QString& cuenta) {
        for (size_t i = 1; i < l.size(); ++i)
            if (l[i].Cuenta.trimmed() == cuenta)
                return &l[i];
        return nullptr;
    }

    // The accounting voucher type AJUS with its receipt book, and a sales type.
    void comprobantes() {
        db.exec(QStringLiteral(
            "INSERT INTO TA_COMPROBANTES (CODIGO, SISTEMA, TALONARIO, Descripcion, LETRAS, "
            "ModificaNumeracion, X_SUC_DEFAULT, X_ULTIMO_NRO, X_NRO_DESDE, X_NRO_HASTA) VALUES "
            "('AJUS', 'CONTABLE', 1, 'Ajuste por Inflación', 'X', 'FALSO', 1, 2, 1, 9999),"
            "('FC', 'VENTAS', 1, 'Factura de Venta', 'AB', 'FALSO', 0, 0, 0, 0);"
            "INSERT INTO V_TA_CPTE (CODIGO, TALONARIO, UNEGOCIO, Sistema, Externo, "
            "ModificaNumeracion, X_SUC_DEFAULT, X_NRO_DESDE, X_NRO_HASTA, X_ULTIMO_NRO) VALUES "
            "('AJUS', 1, '0001', 'CONTABLE', 0, 0, 1, 1, 9999, 2)"));
    }
    QVariant libroX() const {
        return db.scalar(
            QStringLiteral("SELECT X_ULTIMO_NRO FROM V_TA_CPTE WHERE CODIGO = 'AJUS'"));
    }
    qlonglong lineasAjuste() const {
        return db.scalar(QStringLiteral("SELECT COUNT(*) FROM MV_ASIENTOS WHERE ESAJUSTE = 1"))
            .toLongLong();
    }
};
