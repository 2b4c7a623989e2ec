#pragma once
// A company database opened through the shared data object, with helpers to
// seed accounts and configuration keys, and the run-wide level ends put back
// after each test.

#include "common/db_fixture.h"
#include "platform/sql/quoting.h"
#include "startup/core/cnstuffcontable.h"

#include <QWidget>
#include <QtTest/QTest>
#include <array>
#include <optional>

// One account row: code, description, title flag, view type (null when
// absent) and dropped flag.
struct Cuenta {
    QString codigo;
    QString descripcion;
    bool titulo = false;
    std::optional<QString> tipoVista = std::nullopt;
    bool baja = false;
};

class WidgetsDb : public CompanyDbFixture {
protected:
    WidgetsDb() : CompanyDbFixture(vb::MakeDate(2024, 3, 15, 10, 0, 0)) {}

    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(CompanyDbFixture::SetUp());
        CNStuffContable::gTablaConfiguracion.clear();
        for (size_t i = 0; i < 6; ++i)
            finesGuardados_[i] = *fines()[i];
    }
    void TearDown() override {
        setFines(finesGuardados_);
        CompanyDbFixture::TearDown();
    }

    void cuentas(const std::vector<Cuenta>& filas) const {
        for (const Cuenta& c : filas)
            db.exec(QStringLiteral("INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, TITULO, "
                                   "TIPOVISTA, DADA_DE_BAJA) VALUES (%1, %2, %3, %4, %5)")
                        .arg(sqltext::literal(c.codigo), sqltext::literal(c.descripcion))
                        .arg(c.titulo ? 1 : 0)
                        .arg(c.tipoVista ? sqltext::literal(*c.tipoVista) : QStringLiteral("NULL"))
                        .arg(c.baja ? 1 : 0));
    }
    void clave(const QString& clave, const QString& valor) const {
        db.exec(QStringLiteral("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES (%1, %2)")
                    .arg(sqltext::literal(clave), sqltext::literal(valor)));
    }

    // The run-wide level ends gFinNivel1..6.
    static std::array<std::int16_t*, 6> fines() {
        using namespace CNStuffContable;
        return {&gFinNivel1, &gFinNivel2, &gFinNivel3, &gFinNivel4, &gFinNivel5, &gFinNivel6};
    }
    static void setFines(const std::array<int, 6>& f) {
        for (size_t i = 0; i < f.size(); ++i)
            *fines()[i] = std::int16_t(f[i]);
    }

    // Shows a widget in an active window, so that it takes the focus.
    static void muestra(QWidget& w) {
        w.resize(500, 400);
        w.show();
        w.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    }

private:
    std::array<int, 6> finesGuardados_{};
};
