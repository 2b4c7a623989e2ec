// Times the adjustment generation on a large synthetic company against one
// aggregate statement that reads the same monthly sums (the scan any method
// must make).
//
//   bench_ajuste [--lineas N] [--cuentas N] [--rondas N] [--por-cuenta] [--carpeta DIR]
//
// --por-cuenta also times the account-by-account reading (slow on large
// data; use it with a smaller company).

#include "adjustment/core/generacion.h"
#include "data/instances.h"
#include "platform/ado/engine_sqlite.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/vb.h"
#include "startup/cnstuffcontable.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <limits>
#include <random>
#include <sqlite3.h>

namespace {

struct Opciones {
    int lineas = 1000000;
    int cuentas = 2000;
    int rondas = 2;
    bool porCuenta = false;
    QString carpeta;
};

void Falla(sqlite3* db, const char* que) {
    std::fprintf(stderr, "%s: %s\n", que, sqlite3_errmsg(db));
    std::exit(1);
}

void Ejecuta(sqlite3* db, const QString& sql) {
    char* err = nullptr;
    if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &err) != SQLITE_OK) {
        std::fprintf(stderr, "%s\n", err ? err : "?");
        std::exit(1);
    }
}

QString Codigo(char prefijo, int n) {
    return QString(QChar::fromLatin1(prefijo)) + QStringLiteral("%1").arg(n, 5, 10, QChar(u'0'));
}

// A company with `cuentas` adjustable accounts in the four series, a quarter
// as many that are not adjustable, fixed assets whose accumulated
// depreciation accounts are adjustable, 13 months of coefficients and
// `lineas` entry lines over 2023 (opening rows and pro-forma vouchers among
// them).
void ArmaEmpresa(const QString& archivo, const Opciones& o) {
    QFile esquema(QStringLiteral(QUARZELO_SCHEMA));
    if (!esquema.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "no se puede leer %s\n", qPrintable(esquema.fileName()));
        std::exit(1);
    }
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(archivo).constData(), &db,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK)
        Falla(db, "open");
    ado::registerSqlServerFunctions(db);
    Ejecuta(db, QString::fromUtf8(esquema.readAll()));
    // The rows go in through the write checks every connection of the engine has.
    ado::installWriteChecks(db, QStringLiteral("BENCH"));
    Ejecuta(db, QStringLiteral("PRAGMA synchronous = OFF; PRAGMA journal_mode = MEMORY; BEGIN"));

    Ejecuta(db, QStringLiteral("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('PERIODO', "
                               "'2023')"));
    Ejecuta(db, QStringLiteral("INSERT INTO MV_EJERCICIOS (PERIODO, \"Fecha Desde\", \"Fecha "
                               "Hasta\", CERRADO) VALUES (2022, '2022-01-01 00:00:00', "
                               "'2022-12-31 00:00:00', 1), (2023, '2023-01-01 00:00:00', "
                               "'2023-12-31 00:00:00', 0)"));
    std::mt19937 azar(7);
    auto entre = [&](int a, int b) { return std::uniform_int_distribution<int>(a, b)(azar); };

    for (int anio : {2022, 2023})
        for (int mes = (anio == 2022 ? 12 : 1); mes <= 12; ++mes) {
            QString v;
            for (int s = 1; s <= 4; ++s)
                v += QStringLiteral(", %1").arg(1.0 + 0.01 * s * (13 - mes) + entre(0, 99) / 1e4, 0,
                                                'f', 6);
            Ejecuta(db, QStringLiteral("INSERT INTO MA_INDAJUSTE VALUES (%1, %2%3)")
                            .arg(anio)
                            .arg(mes)
                            .arg(v));
        }

    sqlite3_stmt* cta = nullptr;
    if (sqlite3_prepare_v2(db,
                           "INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, AJUSTE, INDICE, BIENES, "
                           "CODIGO_DEPREC_ACUMULADA) VALUES (?, ?, ?, ?, ?, ?)",
                           -1, &cta, nullptr) != SQLITE_OK)
        Falla(db, "prepare MA_CUENTAS");
    QStringList todas;
    auto agrega = [&](const QString& codigo, int ajuste, int indice, int bienes,
                      const QString& deprec) {
        const QByteArray c = codigo.toUtf8(), d = (QStringLiteral("Cuenta ") + codigo).toUtf8(),
                         p = deprec.toUtf8();
        sqlite3_bind_text(cta, 1, c.constData(), int(c.size()), SQLITE_TRANSIENT);
        sqlite3_bind_text(cta, 2, d.constData(), int(d.size()), SQLITE_TRANSIENT);
        sqlite3_bind_int(cta, 3, ajuste);
        sqlite3_bind_int(cta, 4, indice);
        sqlite3_bind_int(cta, 5, bienes);
        if (deprec.isEmpty())
            sqlite3_bind_null(cta, 6);
        else
            sqlite3_bind_text(cta, 6, p.constData(), int(p.size()), SQLITE_TRANSIENT);
        if (sqlite3_step(cta) != SQLITE_DONE)
            Falla(db, "insert MA_CUENTAS");
        sqlite3_reset(cta);
        todas << codigo;
    };
    for (int i = 0; i < o.cuentas; ++i)
        agrega(Codigo('1', i), 1, 1 + i % 4, 0, QString());
    for (int i = 0; i < std::max(1, o.cuentas / 100); ++i)
        agrega(Codigo('2', i), 1, 1, 1, Codigo('1', i * 50 % o.cuentas));
    for (int i = 0; i < std::max(1, o.cuentas / 4); ++i)
        agrega(Codigo('4', i), 0, 0, 0, QString());
    agrega(QStringLiteral("590001"), 0, 0, 0, QString());
    sqlite3_finalize(cta);

    sqlite3_stmt* mov = nullptr;
    if (sqlite3_prepare_v2(db,
                           "INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, \"NUMERO ASIENTO\", "
                           "SECUENCIA, FECHA, TC, CUENTA, IMPORTE, \"DEBE-HABER\", TIPO_REG, "
                           "ESRESUMEN, ESAJUSTE, ES_SALDO_APERTURA) VALUES (2023, ?, ?, ?, ?, ?, "
                           "?, ?, ?, '', ?, ?, ?)",
                           -1, &mov, nullptr) != SQLITE_OK)
        Falla(db, "prepare MV_ASIENTOS");
    auto linea = [&](int mes, int numero, int secuencia, const QString& fecha, const char* tc,
                     const QString& cuenta, double importe, const char* dh, int resumen, int ajuste,
                     int apertura) {
        const QByteArray f = fecha.toUtf8(), c = cuenta.toUtf8();
        sqlite3_bind_int(mov, 1, mes);
        sqlite3_bind_int(mov, 2, numero);
        sqlite3_bind_int(mov, 3, secuencia);
        sqlite3_bind_text(mov, 4, f.constData(), int(f.size()), SQLITE_TRANSIENT);
        sqlite3_bind_text(mov, 5, tc, -1, SQLITE_STATIC);
        sqlite3_bind_text(mov, 6, c.constData(), int(c.size()), SQLITE_TRANSIENT);
        sqlite3_bind_double(mov, 7, importe);
        sqlite3_bind_text(mov, 8, dh, -1, SQLITE_STATIC);
        sqlite3_bind_int(mov, 9, resumen);
        sqlite3_bind_int(mov, 10, ajuste);
        sqlite3_bind_int(mov, 11, apertura);
        if (sqlite3_step(mov) != SQLITE_DONE)
            Falla(db, "insert MV_ASIENTOS");
        sqlite3_reset(mov);
    };
    // Opening rows: one per adjustable account, in the year's first entry.
    int escritas = 0;
    for (int i = 0; i < o.cuentas && escritas < o.lineas; ++i, ++escritas)
        linea(1, 1, i + 1, QStringLiteral("2023-01-01 00:00:00"), i % 10 == 0 ? "FP" : "AP",
              Codigo('1', i), entre(100, 10000000) / 100.0, i % 3 ? "D" : "H", 0, 0, 1);
    // Movements: two-line entries, most on adjustable accounts.
    static const char* const tcs[] = {"FA", "FA", "FB", "RC", "OP", "00AS", "FP", "CBFP"};
    int numero = 1;
    while (escritas < o.lineas) {
        const int mes = entre(1, 12);
        const QDate dia(2023, mes, entre(1, QDate(2023, mes, 1).daysInMonth()));
        const QString fecha =
            dia.toString(QStringLiteral("yyyy-MM-dd")) +
            (entre(0, 200) == 0 ? QStringLiteral(" 17:45:00") : QStringLiteral(" 00:00:00"));
        const char* tc = tcs[entre(0, 7)];
        const double importe = entre(1, 5000000) / 100.0;
        const int resumen = entre(0, 50) == 0;
        ++numero;
        for (int s = 0; s < 2 && escritas < o.lineas; ++s, ++escritas) {
            const QString& cuenta = todas[entre(0, int(todas.size()) - 1)];
            linea(mes, numero, s + 1, fecha, tc, cuenta, importe, s ? "H" : "D", resumen, 0, 0);
        }
    }
    sqlite3_finalize(mov);
    Ejecuta(db, QStringLiteral("COMMIT"));
    sqlite3_close(db);
}

// The floor: the monthly debit and credit sums of every account in one
// grouped statement, read to the last row.
qint64 Agregado(double& control) {
    QElapsedTimer t;
    t.start();
    ado::RecordsetPtr rs;
    gDatos().AbrirRecordset(
        QStringLiteral("SELECT CUENTA, MONTH(FECHA) AS MES, [DEBE-HABER], SUM(IMPORTE) AS TOTAL "
                       "FROM MV_ASIENTOS WHERE (ESRESUMEN=0) AND (ESAJUSTE=0) AND "
                       "(ES_SALDO_APERTURA=0) AND FECHA >= '2023-01-01 00:00:00' AND FECHA <= "
                       "'2023-12-31 00:00:00' AND (TC<>'CBFP' AND TC<>'FP') GROUP BY CUENTA, "
                       "MONTH(FECHA), [DEBE-HABER]"),
        rs);
    control = 0;
    for (; rs && rs->State() == ado::adStateOpen && !rs->EOF(); rs->MoveNext())
        control += vb::CDbl(rs->value(3));
    return t.elapsed();
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Opciones o;
    const QStringList args = app.arguments();
    for (int i = 1; i < args.size(); ++i) {
        const QString a = args[i];
        const QString v = i + 1 < args.size() ? args[i + 1] : QString();
        if (a == u"--lineas")
            o.lineas = v.toInt(), ++i;
        else if (a == u"--cuentas")
            o.cuentas = std::max(1, v.toInt()), ++i;
        else if (a == u"--rondas")
            o.rondas = std::max(1, v.toInt()), ++i;
        else if (a == u"--carpeta")
            o.carpeta = v, ++i;
        else if (a == u"--por-cuenta")
            o.porCuenta = true;
    }
    auto respuestas = std::make_shared<vb::ScriptedResponder>();
    vb::setDialogResponder(respuestas);

    QTemporaryDir temporal;
    const QString carpeta = o.carpeta.isEmpty() ? temporal.path() : o.carpeta;
    const QString archivo = carpeta + QStringLiteral("/BENCH.db");
    QFile::remove(archivo);
    QElapsedTimer t;
    t.start();
    ArmaEmpresa(archivo, o);
    std::printf("empresa: %d cuentas ajustables, %d lineas, armada en %lld ms\n", o.cuentas,
                o.lineas, static_cast<long long>(t.elapsed()));

    DB_Dll& d = gDatos();
    d.gServidor = carpeta;
    d.gDBName = QStringLiteral("BENCH");
    d.gUsuario = QStringLiteral("sa");
    d.OpenServerADODB(false, 3, QString(), false, false);
    if (!d.gOpenFlag) {
        std::fprintf(stderr, "no se pudo conectar\n");
        return 1;
    }
    CNStuffContable::gPeriodoActual = QStringLiteral("2023");

    GeneracionAjuste::Parametros p;
    p.PeriodoDesde = QStringLiteral("01/2023");
    p.PeriodoHasta = QStringLiteral("12/2023");
    p.Ejercicio = QStringLiteral("2023");
    p.CtaRei = QStringLiteral("590001");

    qint64 mejorA = std::numeric_limits<qint64>::max(), mejorB = mejorA;
    GeneracionAjuste::Resultado r;
    double control = 0;
    for (int ronda = 0; ronda < o.rondas; ++ronda) {
        mejorB = std::min(mejorB, Agregado(control));
        t.restart();
        r = GeneracionAjuste::Genera(p);
        mejorA = std::min(mejorA, t.elapsed());
    }
    std::printf("(a) Genera_Asiento, doce meses:   %lld ms (%zu lineas, fin %d)\n",
                static_cast<long long>(mejorA), r.Lineas.size() - 1, int(r.fin));
    std::printf("(b) sumas mensuales agrupadas:    %lld ms (control %.2f)\n",
                static_cast<long long>(mejorB), control);
    std::printf("(a)/(b) = %.2f\n", double(mejorA) / double(std::max<qint64>(1, mejorB)));

    if (o.porCuenta) {
        p.lectura = GeneracionAjuste::Lectura::PorCuenta;
        t.restart();
        const auto ref = GeneracionAjuste::Genera(p);
        const qint64 ms = t.elapsed();
        bool iguales = ref.Lineas.size() == r.Lineas.size();
        for (size_t i = 0; iguales && i < r.Lineas.size(); ++i)
            iguales = ref.Lineas[i].Cuenta == r.Lineas[i].Cuenta &&
                      ref.Lineas[i].Debe == r.Lineas[i].Debe &&
                      ref.Lineas[i].Haber == r.Lineas[i].Haber;
        std::printf("lectura por cuenta:               %lld ms (%.1f x (b)); lineas %s\n",
                    static_cast<long long>(ms), double(ms) / double(std::max<qint64>(1, mejorB)),
                    iguales ? "iguales" : "DISTINTAS");
    }
    for (const QString& m : respuestas->messages())
        std::printf("mensaje: %s\n", qPrintable(m));
    return 0;
}
