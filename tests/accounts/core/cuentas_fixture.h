#pragma once
// A company database opened through the shared data object with the demo's
// level structure (1, 1, 2, 2, 3, 3: codes of 1, 2, 4, 6, 9 and 12
// characters), scripted boxes and helpers to seed accounts and keys.

#include "common/db_fixture.h"
#include "platform/sql/quoting.h"
#include "platform/vb/vb.h"
#include "startup/core/cnstuffcontable.h"

#include <array>
#include <gtest/gtest.h>

class CuentasTest : public CompanyDbFixture {
protected:
    CuentasTest() : CompanyDbFixture(vb::MakeDate(2024, 3, 15, 10, 0, 0)) {}

    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(CompanyDbFixture::SetUp());
        CNStuffContable::gTablaConfiguracion.clear();
        CNStuffContable::gCamposSQL.clear();
        niveles({1, 1, 2, 2, 3, 3});
    }

    void clave(const QString& nombre, const QString& valor) const {
        db.exec(QStringLiteral("INSERT OR REPLACE INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES (") +
                sqltext::literal(nombre) + u',' + sqltext::literal(valor) + u')');
    }

    void niveles(const std::array<int, 6>& digitos) const {
        static const char* claves[] = {"DIGITOS_CAPITULO", "DIGITOS_SUBCAPITULO",
                                       "DIGITOS_RUBRO",    "DIGITOS_SUBRUBRO",
                                       "DIGITOS_CUENTA",   "DIGITOS_SUBCUENTA"};
        for (size_t i = 0; i < digitos.size(); ++i)
            clave(QString::fromLatin1(claves[i]), QString::number(digitos[i]));
    }

    void cuenta(const QString& codigo, const QString& descripcion, bool titulo = false,
                bool baja = false) const {
        db.exec(QStringLiteral("INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, TITULO, "
                               "DADA_DE_BAJA) VALUES (") +
                sqltext::literal(codigo) + u',' + sqltext::literal(descripcion) + u',' +
                (titulo ? u'1' : u'0') + u',' + (baja ? u'1' : u'0') + u')');
    }

    QVariant columna(const QString& codigo, const QString& nombre) const {
        return db.scalar(QStringLiteral("SELECT ") + nombre +
                         QStringLiteral(" FROM MA_CUENTAS WHERE CODIGO = ") +
                         sqltext::literal(codigo));
    }
};
