#pragma once
// A company database opened through the shared data object, a fresh lookup
// object, scripted boxes and a temporary folder for the query-mask files.

#include "common/db_fixture.h"
#include "lookup/consultas_zub.h"
#include "lookup/lib_clscons3.h"
#include "startup/core/cnstuffcontable.h"

#include <QFile>
#include <vector>

class LookupDb : public CompanyDbFixture {
protected:
    LookupDb() : CompanyDbFixture(vb::MakeDate(2024, 3, 15, 10, 0, 0)) {}

    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(CompanyDbFixture::SetUp());
        CNStuffContable::gTablaConfiguracion.clear();
        resetConsulta();
    }
    void TearDown() override {
        resetConsulta();
        CompanyDbFixture::TearDown();
    }

    void clave(const QString& clave, const QString& valor) const {
        db.exec(QStringLiteral("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('%1', '%2')")
                    .arg(clave, valor));
    }

    // Writes the records as consultas.zub of the temporary folder.
    QString mascaras(const std::vector<consultas_zub::MascaraConsulta>& registros) const {
        const QString ruta = tempDir.filePath(QStringLiteral("consultas.zub"));
        QString error;
        EXPECT_TRUE(consultas_zub::GrabaMascaras(ruta, registros, error)) << error.toStdString();
        return ruta;
    }

    // Loads the demo company's rows.
    void datosDemo() const {
        QFile f(QStringLiteral(QUARZELO_DEMO_DATA));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        db.exec(QStringLiteral("BEGIN;\n") + QString::fromUtf8(f.readAll()) +
                QStringLiteral("\n;COMMIT;"));
    }

    // Every row as texts, through the engine's rewriting; a failure fails the test.
    QList<QStringList> filas(const QString& sql) const {
        QList<QStringList> resultado;
        ado::RecordsetPtr rs = ado::Recordset::create();
        try {
            rs->Open(sql, gDatos().cnn(), ado::adOpenForwardOnly, ado::adLockReadOnly);
            for (; !rs->EOF(); rs->MoveNext()) {
                QStringList fila;
                for (int i = 0; i < rs->fieldCount(); ++i)
                    fila << rs->value(i).toString();
                resultado << fila;
            }
        } catch (const std::exception& e) {
            ADD_FAILURE() << sql.toStdString() << ": " << e.what();
        }
        return resultado;
    }
};
