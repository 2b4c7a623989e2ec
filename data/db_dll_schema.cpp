// Schema queries and column addition.

#include "data/db_dll.h"

#include "data/db_dll_internal.h"
#include "data/instances.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/vb.h"
#include "platform/win/clsutilidades.h"

using namespace dbdll;

namespace {

bool MismoNombre(const QVariant& a, const QString& b) {
    return Trim(ClsUtilidades::ValorCampo(a)).compare(Trim(b), Qt::CaseInsensitive) == 0;
}

// Errors of the schema operations go to the shared instance's error box.
OnError ErrorEsquema(const QString& rutina) {
    return [rutina](const ado::Error& e) {
        return ResumeFor(gDatos().TratamientoErrores(e, std::nullopt, rutina));
    };
}

} // namespace

void DB_Dll::AddField(const QString& Tabla, const QString& Campo, const QString& Tipo,
                      bool PermiteNulos, const std::optional<QVariant>& ValorDefault) {
    QString sql;
    long afectados = 0;
    const std::vector<Step> steps = {
        [&] {
            sql = QStringLiteral("ALTER TABLE dbo.") + Tabla + QStringLiteral(" ADD ") + Campo +
                  QStringLiteral(" ") + Tipo;
            sql += PermiteNulos ? QStringLiteral(" Null ") : QStringLiteral(" Not Null ");
            if (ValorDefault)
                sql += QStringLiteral(" CONSTRAINT DF_") + Trim(Tabla) + QStringLiteral("_") +
                       Trim(Campo) + QStringLiteral(" DEFAULT (") + vb::CStr(*ValorDefault) +
                       QStringLiteral(")");
        },
        [&] { EjecutaConsultaSQL(sql, afectados); },
    };
    RunSteps(steps, ErrorEsquema(QStringLiteral("errAddField")));
}

bool DB_Dll::ExisteTablaDB(const QString& Tabla) {
    bool existe = false;
    ado::RecordsetPtr rs;
    const std::vector<Step> steps = {
        [&] { rs = cnn()->OpenSchema(ado::adSchemaTables); },
        [&] {
            while (!rs->EOF()) {
                if (MismoNombre(rs->value(QStringLiteral("TABLE_NAME")), Tabla)) {
                    existe = true;
                    return;
                }
                rs->MoveNext();
            }
        },
    };
    RunSteps(steps, ErrorEsquema(QStringLiteral("VerificaCampos")));
    return existe;
}

bool DB_Dll::ExisteCampoDB(const QString& Tabla, const QString& Campo) {
    if (ContainsCI(gDatos().gProveedor, QStringLiteral("ORACLE")))
        return true;
    bool existe = false;
    ado::RecordsetPtr rs;
    const std::vector<Step> steps = {
        [&] {
            rs = cnn()->OpenSchema(ado::adSchemaColumns,
                                   {QVariant(gDBName), QVariant(), QVariant(Tabla), QVariant()});
        },
        [&] {
            while (!rs->EOF()) {
                if (MismoNombre(rs->value(QStringLiteral("COLUMN_NAME")), Campo)) {
                    existe = true;
                    return;
                }
                rs->MoveNext();
            }
        },
    };
    RunSteps(steps, ErrorEsquema(QStringLiteral("VerificaCampos")));
    return existe;
}

bool DB_Dll::VerCampoDB(const QString& Tabla, const QString& Campo, bool Agregar,
                        const QString& Tipo, bool PermiteNulos,
                        const std::optional<QVariant>& ValorDefault) {
    if (!ExisteTablaDB(Tabla))
        return true;
    if (!ExisteCampoDB(Tabla, Campo) && Agregar)
        AddField(Tabla, Campo, Tipo, PermiteNulos, ValorDefault);
    return true;
}
