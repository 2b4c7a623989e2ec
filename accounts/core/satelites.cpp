#include "accounts/core/satelites.h"

#include "accounts/core/codigos.h"
#include "accounts/core/interno.h"
#include "accounts/core/niveles.h"
#include "data/db_dll.h"
#include "data/instances.h"
#include "data/mod_gruposemp.h"
#include "platform/sql/quoting.h"
#include "platform/vb/msgbox.h"
#include "platform/win/clsutilidades.h"

namespace cuentas {

using interno::Cierra;
using interno::Consulta;
using interno::HayFila;

QStringList GruposDeCuentaNueva(const QString& Codigo) {
    const QString codigo = CodigoSinGuiones(Codigo);
    QStringList prefijos;
    for (qsizetype largo = 1; largo < codigo.size(); ++largo)
        prefijos << sqltext::literal(codigo.left(largo));
    if (prefijos.isEmpty())
        prefijos << sqltext::literal(QString());

    QStringList grupos;
    ado::RecordsetPtr rs =
        Consulta(QStringLiteral("SELECT GRUPOUSER FROM MA_CUENTAS_USUARIOS WHERE CUENTA IN (") +
                 prefijos.join(u',') + QStringLiteral(") GROUP BY GRUPOUSER"));
    while (!rs->EOF()) {
        grupos << ClsUtilidades::ValorCampo(rs->value(0));
        rs->MoveNext();
    }
    Cierra(rs);
    if (!grupos.isEmpty() || codigo.size() != NivelesPlan::Lee().Digitos[0])
        return grupos;

    rs = Consulta(QStringLiteral("SELECT GRUPO FROM TA_USUARIOS GROUP BY GRUPO"));
    while (!rs->EOF()) {
        const QString grupo = ClsUtilidades::ValorCampo(rs->value(0));
        if (!grupo.trimmed().isEmpty())
            grupos << grupo;
        rs->MoveNext();
    }
    Cierra(rs);
    return grupos;
}

QStringList GruposQueFaltan(const QString& Codigo, bool Nueva) {
    const QString codigo = CodigoSinGuiones(Codigo);
    QStringList tiene;
    ado::RecordsetPtr rs =
        Consulta(QStringLiteral("SELECT GRUPOUSER FROM MA_CUENTAS_USUARIOS WHERE CUENTA = ") +
                 sqltext::literal(codigo));
    for (; !rs->EOF(); rs->MoveNext())
        tiene << ClsUtilidades::ValorCampo(rs->value(0)).trimmed();
    Cierra(rs);
    if (!Nueva && !tiene.isEmpty())
        return {};
    QStringList faltan;
    for (const QString& grupo : GruposDeCuentaNueva(codigo))
        if (!tiene.contains(grupo.trimmed(), Qt::CaseInsensitive))
            faltan << grupo;
    return faltan;
}

QString SentenciaGrupoCuenta(const QString& Grupo, const QString& Codigo) {
    return QStringLiteral("INSERT INTO MA_CUENTAS_USUARIOS (GRUPOUSER,CUENTA) VALUES (") +
           sqltext::literal(Grupo) + u',' + sqltext::literal(CodigoSinGuiones(Codigo)) + u')';
}

ModGruposEmp::Cambio CopiaGrupoCuenta(const QString& Grupo, const QString& Codigo) {
    return {QStringLiteral("MA_CUENTAS_USUARIOS"),
            ModGruposEmp::Alta,
            {sqltext::literal(Grupo), sqltext::literal(CodigoSinGuiones(Codigo))},
            {}};
}

bool EstaEnCashFlow(const QString& Codigo) {
    return HayFila(
        QStringLiteral("SELECT TOP 1 CUENTA FROM [MA_CASH-DETALLE] WHERE ") +
        sqltext::equalsTrimmed(QStringLiteral("CUENTA"), sqltext::literal(Codigo.trimmed())));
}

bool LegajoDeCuenta(const QString& Codigo, QString& Legajo, QString& IdEmpresa) {
    ado::RecordsetPtr rs;
    if (!gDatos().ExisteEnTabla(QStringLiteral("P_MA_LEGAJOS"), CodigoSinGuiones(Codigo),
                                QStringLiteral("CUENTA"), &rs)) {
        Cierra(rs);
        return false;
    }
    Legajo = ClsUtilidades::ValorCampo(rs->value(QStringLiteral("Legajo"))).trimmed();
    IdEmpresa = ClsUtilidades::ValorCampo(rs->value(QStringLiteral("IdEmpresa"))).trimmed();
    Cierra(rs);
    return true;
}

QString MensajeLegajo(const QString& Legajo, const QString& IdEmpresa) {
    return QStringLiteral("La cuenta que intenta modificar está configurada para el legajo ") +
           Legajo + QStringLiteral(" del código de empresa ") + IdEmpresa + vb::vbCrLf +
           QStringLiteral("Los cambios deben realizarse desde el sistema de personal");
}

bool CodigoOpcionalRepetido(const QString& CodigoOpcional, const QString& Codigo,
                            QString& OtroCodigo, QString& OtraDescripcion) {
    const QString opcional = CodigoSinGuiones(CodigoOpcional);
    if (opcional.isEmpty())
        return false;
    ado::RecordsetPtr rs = Consulta(
        QStringLiteral("SELECT CODIGO, DESCRIPCION FROM MA_CUENTAS WHERE CODIGOOPCIONAL = ") +
        sqltext::literal(opcional) + QStringLiteral(" AND CODIGO <> ") +
        sqltext::literal(CodigoSinGuiones(Codigo)));
    const bool repetido = !rs->EOF();
    if (repetido) {
        OtroCodigo = ClsUtilidades::ValorCampo(rs->value(0));
        OtraDescripcion = ClsUtilidades::ValorCampo(rs->value(1));
    }
    Cierra(rs);
    return repetido;
}

QString MensajeCodigoOpcionalRepetido(const QString& OtroCodigo, const QString& OtraDescripcion) {
    return QStringLiteral("El Código Opcional ingresado se repite para la cuenta: ") + OtroCodigo +
           u' ' + OtraDescripcion + vb::vbCrLf +
           QStringLiteral("Modifique el mismo y vuelva a intentarlo.");
}

QStringList SentenciasCCostoCuenta(const QString& Codigo, bool Tildado, bool Habilitado,
                                   const QString& CCostoPorDefecto) {
    const QString codigo = sqltext::literal(CodigoSinGuiones(Codigo));
    const bool hayFilas = HayFila(
        QStringLiteral("SELECT TOP 1 CODIGO FROM MA_CUENTASCCOSTO WHERE CODIGO = ") + codigo);
    // With no cost centre at all there is none to give the account.
    if (!hayFilas && Tildado && !CCostoPorDefecto.trimmed().isEmpty())
        return {QStringLiteral("INSERT INTO MA_CUENTASCCOSTO (CODIGO,CCOSTO,PORCENTAJE) VALUES (") +
                codigo + u',' + sqltext::literal(CCostoPorDefecto) + QStringLiteral(",0)")};
    if (hayFilas && !Tildado && Habilitado)
        return {QStringLiteral("DELETE FROM MA_CUENTASCCOSTO WHERE CODIGO = ") + codigo};
    return {};
}

QStringList SentenciasBajaCuenta(const QString& Codigo) {
    const QString codigo = sqltext::literal(CodigoSinGuiones(Codigo));
    return {QStringLiteral("DELETE FROM [MA_CASH-DETALLE] WHERE LTRIM(RTRIM(CUENTA)) = ") + codigo,
            QStringLiteral("DELETE FROM MA_CUENTASCCOSTO WHERE CODIGO = ") + codigo,
            QStringLiteral("DELETE FROM MA_CUENTASCCOSTO_UNEG WHERE CODIGO = ") + codigo,
            QStringLiteral("DELETE FROM MA_CUENTAS_USUARIOS WHERE CUENTA = ") + codigo,
            QStringLiteral("DELETE FROM MA_CUENTASADIC WHERE CODIGO = ") + codigo,
            QStringLiteral("DELETE FROM MA_CUENTAS WHERE CODIGO = ") + codigo};
}

void ReplicaBajaCuenta(const QString& Codigo) {
    const QString codigo = sqltext::literal(CodigoSinGuiones(Codigo));
    // Key columns: the account first, except for the rights (group, account);
    // an empty value reaches every row of the account.
    const struct {
        const char* tabla;
        bool cuentaSegunda;
    } tablas[] = {{"@ADMIN_MA_CUENTAS", false},
                  {"MA_CUENTASADIC", false},
                  {"MA_CUENTASCCOSTO", false},
                  {"MA_CUENTASCCOSTO_UNEG", false},
                  {"MA_CUENTAS_USUARIOS", true}};
    std::vector<ModGruposEmp::Cambio> cambios;
    for (const auto& t : tablas) {
        ModGruposEmp::Cambio c{QString::fromLatin1(t.tabla), ModGruposEmp::Baja, {}, {}};
        c.Valores[t.cuentaSegunda ? 1 : 0] = codigo;
        cambios.push_back(c);
    }
    // One delete in each target, whole or not at all.
    ModGruposEmp::ActualizaGEmpresas(cambios);
}

} // namespace cuentas
