// Times, in one run, on large synthetic companies of each size asked for
// (250,000, 1,000,000 and 4,000,000 entry lines unless told otherwise):
//   (a) the adjustment generation of the twelve months, without the window,
//       and the peak resident memory of the process while it runs;
//   (b) the floor: the cheapest read of the same monthly debit and credit
//       sums, one statement per month over the covering date index
//       IX_MV_ASIENTOS_FECHA_CUENTA, grouped by account with CASE sums,
//       SQLite's own functions and binary comparisons only;
//   (b1) the previous floor beside it: one statement over the whole year,
//       grouped by account, month and side (it sorts the year at once);
//   (s) the window-free save of a generated entry (statement batch,
//       transaction, numbering, book advance) beside
//   (c) one bare multi-row INSERT of the same rows in one transaction;
//   the generation and the save through the ODBC engine on the SQLite ODBC
//   driver, against the embedded engine on the same file.
// Once per run: the start-up of the program on the demo company up to the
// fiscal-year question, and the list lookup window over 100,000 and
// 1,000,000 rows (time to its first rows and memory it adds, then a sort by
// a header). Ratios are what to compare: the machine's load varies between
// runs, not within one.
//
//   bench_ajuste [--lineas N[,N...]] [--cuentas N] [--rondas N] [--asiento N]
//                [--carpeta DIR [--reusa]] [--sin-odbc] [--sin-consultas] [--por-cuenta]
//
// Each figure is the best of --rondas runs (5). The entry saved is the
// generated one, made up to --asiento lines (2000) with lines on accounts that
// are not adjustable. --carpeta keeps the companies in DIR (BENCH_<lines>.db
// and CONSULTA.db); with --reusa a company already there is used as it is
// (its rows must come from the same options). --por-cuenta also times the
// account-by-account reading (slow on large data; use it with a small size).

#include "adjustment/core/generacion.h"
#include "adjustment/core/grabacion.h"
#include "adjustment/ui/frmquarzelo.h"
#include "app/arranque/arranque.h"
#include "bench/comun.h"
#include "common/odbc_env.h"
#include "data/instances.h"
#include "entries/lbc_asiento.h"
#include "lookup/lib_frmcons3.h"
#include "platform/ado/engine_sqlite.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/vb.h"
#include "startup/core/cnstuffcontable.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QThread>
#include <QTreeView>
#include <QtTest/QTest>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <limits>
#include <malloc.h>
#include <memory>
#include <random>
#include <sqlite3.h>

namespace {

struct Opciones {
    std::vector<int> tamanos = {250000, 1000000, 4000000};
    int lineas = 0; // of the company being built
    int cuentas = 2000;
    int rondas = 5;
    int lineasAsiento = 2000; // of the entry saved
    bool porCuenta = false;
    bool reusa = false;
    bool odbc = true;
    bool consultas = true;
    QString carpeta;
};

using bench::Ejecuta;
using bench::EmpresaNueva;
using bench::Falla;

QString Codigo(char prefijo, int n) {
    return QString(QChar::fromLatin1(prefijo)) + QStringLiteral("%1").arg(n, 5, 10, QChar(u'0'));
}

// A company with `cuentas` adjustable accounts in the four series, a quarter
// as many that are not adjustable, fixed assets whose accumulated
// depreciation accounts are adjustable, 13 months of coefficients and
// `lineas` entry lines over 2023 (opening rows and pro-forma vouchers among
// them).
void ArmaEmpresa(const QString& archivo, const Opciones& o) {
    sqlite3* db = EmpresaNueva(archivo, "open");
    // The rows go in through the write checks every connection of the engine has.
    ado::installWriteChecks(db, QStringLiteral("BENCH"));
    Ejecuta(db, QStringLiteral("PRAGMA synchronous = OFF; PRAGMA journal_mode = MEMORY; BEGIN"));
    // The entry lines' indexes are built once the rows are in: sorting them
    // once is many times faster than keeping five indexes up to date.
    QStringList indices;
    {
        sqlite3_stmt* st = nullptr;
        sqlite3_prepare_v2(db,
                           "SELECT name, sql FROM sqlite_master WHERE type = 'index' AND "
                           "tbl_name = 'MV_ASIENTOS' AND sql IS NOT NULL",
                           -1, &st, nullptr);
        QStringList nombres;
        while (sqlite3_step(st) == SQLITE_ROW) {
            nombres << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
            indices << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 1)));
        }
        sqlite3_finalize(st);
        for (const QString& n : nombres)
            Ejecuta(db, QStringLiteral("DROP INDEX \"") + n + u'"');
    }

    Ejecuta(db, QStringLiteral("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('PERIODO', "
                               "'2023')"));
    Ejecuta(db, QStringLiteral("INSERT INTO MV_EJERCICIOS (PERIODO, \"Fecha Desde\", \"Fecha "
                               "Hasta\", CERRADO) VALUES (2022, '2022-01-01 00:00:00', "
                               "'2022-12-31 00:00:00', 1), (2023, '2023-01-01 00:00:00', "
                               "'2023-12-31 00:00:00', 0)"));
    // The adjustment's voucher type and its receipt book, for the save.
    Ejecuta(db, QStringLiteral(
                    "INSERT INTO TA_COMPROBANTES (CODIGO, SISTEMA, TALONARIO, Descripcion, LETRAS, "
                    "ModificaNumeracion, X_SUC_DEFAULT, X_ULTIMO_NRO, X_NRO_DESDE, X_NRO_HASTA) "
                    "VALUES ('AJUS', 'CONTABLE', 1, 'Ajuste por Inflación', 'X', 'FALSO', 1, 1, "
                    "1, 99999999);"
                    "INSERT INTO V_TA_CPTE (CODIGO, TALONARIO, UNEGOCIO, Sistema, Externo, "
                    "ModificaNumeracion, X_SUC_DEFAULT, X_NRO_DESDE, X_NRO_HASTA, X_ULTIMO_NRO) "
                    "VALUES ('AJUS', 1, '0001', 'CONTABLE', 0, 0, 1, 1, 99999999, 1)"));
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
    for (const QString& i : indices)
        Ejecuta(db, i);
    Ejecuta(db, QStringLiteral("COMMIT"));
    sqlite3_close(db);
}

const char* const kPreguntaEjercicio = "INGRESE EL NUMERO DE EJERCICIO";

double Tiempo(qint64 ns) {
    return double(ns) / 1e6;
}

// Wall time and the CPU time of this thread, in ms. On a busy machine the
// wall time also counts the waits for a processor; the CPU time does not.
struct Medicion {
    double pared = std::numeric_limits<double>::max();
    double cpu = std::numeric_limits<double>::max();
    void mejor(const Medicion& o) {
        pared = std::min(pared, o.pared);
        cpu = std::min(cpu, o.cpu);
    }
};

class Cronometro {
public:
    void reinicia() { reloj_.restart(); }
    Medicion lee() const { return {reloj_.pared(), reloj_.cpu()}; }

private:
    bench::Reloj reloj_;
};

QString Procesador() {
    QFile f(QStringLiteral("/proc/cpuinfo"));
    if (!f.open(QIODevice::ReadOnly))
        return QStringLiteral("?");
    for (const QByteArray& l : f.readAll().split('\n'))
        if (l.startsWith("model name"))
            return QString::fromLatin1(l.mid(l.indexOf(':') + 1).trimmed());
    return QStringLiteral("?");
}

QString CargaPromedio() {
    QFile f(QStringLiteral("/proc/loadavg"));
    if (!f.open(QIODevice::ReadOnly))
        return QStringLiteral("?");
    return QString::fromLatin1(f.readAll()).section(u' ', 0, 2);
}

// Peak resident memory of the process in kB since the last reset (VmHWM).
long PicoMemoria() {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& l : f.readAll().split('\n'))
        if (l.startsWith("VmHWM:"))
            return l.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

// Lowers the peak to what the process holds now.
bool ReiniciaPico() {
    QFile f(QStringLiteral("/proc/self/clear_refs"));
    return f.open(QIODevice::WriteOnly) && f.write("5") == 1;
}

sqlite3* Abre(const QString& archivo) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(archivo).constData(), &db, SQLITE_OPEN_READWRITE,
                        nullptr) != SQLITE_OK)
        Falla(db, "open");
    // The schema's text columns name the engine's collation.
    ado::registerSqlServerFunctions(db);
    sqlite3_busy_timeout(db, 5000);
    return db;
}

// The demo company as scripts/build-demo-db builds it.
void ArmaDemo(const QString& archivo) {
    QFile::remove(archivo);
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(archivo).constData(), &db,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK)
        Falla(db, "open demo");
    ado::registerSqlServerFunctions(db);
    Ejecuta(db, QStringLiteral("BEGIN"));
    for (const char* script : {QUARZELO_SCHEMA, QUARZELO_DEMO_DATA}) {
        QFile f(QString::fromUtf8(script));
        if (!f.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "no se puede leer %s\n", script);
            std::exit(1);
        }
        Ejecuta(db, QString::fromUtf8(f.readAll()));
        ado::installWriteChecks(db, QStringLiteral("EMPRESA"));
    }
    Ejecuta(db, QStringLiteral("COMMIT"));
    sqlite3_close(db);
}

// The child of the start-up measure: the program's own start (the window's
// load from the parameter string) until the fiscal-year question, where it
// tells its parent and leaves.
class AlPreguntar : public vb::ScriptedResponder {
public:
    QString inputBox(const QString& prompt, const QString& title,
                     const QString& defaultText) override {
        if (prompt.startsWith(QLatin1String(kPreguntaEjercicio))) {
            std::printf("pregunta\n");
            std::fflush(stdout);
            std::_Exit(0);
        }
        return ScriptedResponder::inputBox(prompt, title, defaultText);
    }
    int messageBox(const QString& prompt, int buttons, const QString& title) override {
        std::fprintf(stderr, "%s: %s\n", qPrintable(title), qPrintable(prompt));
        std::exit(1);
        return ScriptedResponder::messageBox(prompt, buttons, title);
    }
};

int HijoArranque(const QString& parametros) {
    vb::setDialogResponder(std::make_shared<AlPreguntar>());
    CNStuffContable::setLineaComandos(parametros);
    auto* ventana = new FrmQuarzelo;
    ventana->Form_Load();
    std::fprintf(stderr, "la pregunta del ejercicio no llegó\n");
    return 1;
}

// Wall time from starting the program to the fiscal-year question, the best
// of a few starts.
double Arranque(const QString& carpeta) {
    const QString parametros = QStringLiteral("@Server=") + carpeta +
                               QStringLiteral(";@DbName=EMPRESA;@Usuario=ADMIN;@Password=;"
                                              "@UsuarioLogeado=ADMIN;@Menu=CN_AJUSTE;");
    double mejor = std::numeric_limits<double>::max();
    for (int i = 0; i < 5; ++i) {
        QProcess hijo;
        hijo.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QElapsedTimer t;
        t.start();
        hijo.start(QCoreApplication::applicationFilePath(),
                   {QStringLiteral("--arranque"), parametros});
        QByteArray salida;
        while (!salida.contains("pregunta") && hijo.waitForReadyRead(10000))
            salida += hijo.readAllStandardOutput();
        const double ms = Tiempo(t.nsecsElapsed());
        hijo.waitForFinished(10000);
        if (!salida.contains("pregunta")) {
            std::fprintf(stderr, "el arranque no llegó a la pregunta del ejercicio\n");
            return -1;
        }
        mejor = std::min(mejor, ms);
    }
    return mejor;
}

// Resident memory of the process now, in kB (VmRSS).
long Residente() {
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& l : f.readAll().split('\n'))
        if (l.startsWith("VmRSS:"))
            return l.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

double Mb(long kb) {
    return double(kb) / 1024.0;
}

// The first instants of the twelve months of 2023 and of the next year, as
// the database stores dates.
std::vector<QByteArray> LimitesMeses() {
    std::vector<QByteArray> l;
    for (int m = 1; m <= 13; ++m)
        l.push_back(QDate(2023, 1, 1).addMonths(m - 1).toString(u"yyyy-MM-dd 00:00:00").toUtf8());
    return l;
}

// (b): the monthly debit and credit sums of every account, a statement per
// month over the covering date index, grouped by account with CASE sums and
// binary comparisons (two of them cost less than NOT IN), read to the last
// row. The statement is prepared once.
// Both floors stay out of line so that a profiler finds them by name.
[[gnu::noinline]] Medicion Piso(sqlite3* db, double& control) {
    static const std::vector<QByteArray> limites = LimitesMeses();
    const Cronometro t;
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(
            db,
            "SELECT CUENTA COLLATE BINARY, SUM(CASE WHEN \"DEBE-HABER\" COLLATE BINARY = 'D' THEN "
            "IMPORTE ELSE 0 END), SUM(CASE WHEN \"DEBE-HABER\" COLLATE BINARY = 'H' THEN IMPORTE "
            "ELSE 0 END) FROM MV_ASIENTOS INDEXED BY IX_MV_ASIENTOS_FECHA_CUENTA WHERE FECHA >= "
            "?1 AND FECHA < ?2 AND ESRESUMEN = 0 AND ESAJUSTE = 0 AND ES_SALDO_APERTURA = 0 AND "
            "TC COLLATE BINARY <> 'CBFP' AND TC COLLATE BINARY <> 'FP' GROUP BY 1",
            -1, &st, nullptr) != SQLITE_OK)
        Falla(db, "prepare piso");
    control = 0;
    for (size_t m = 0; m + 1 < limites.size(); ++m) {
        sqlite3_bind_text(st, 1, limites[m].constData(), -1, SQLITE_STATIC);
        sqlite3_bind_text(st, 2, limites[m + 1].constData(), -1, SQLITE_STATIC);
        while (sqlite3_step(st) == SQLITE_ROW)
            control += sqlite3_column_double(st, 1) + sqlite3_column_double(st, 2);
        sqlite3_reset(st);
    }
    sqlite3_finalize(st);
    return t.lee();
}

// (b1): the same sums as one statement over the year, grouped by account,
// month and side: the whole year goes through one sort.
[[gnu::noinline]] Medicion PisoAnual(sqlite3* db, double& control) {
    const Cronometro t;
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(
            db,
            "SELECT CUENTA COLLATE BINARY, substr(FECHA, 1, 7) AS MES, \"DEBE-HABER\" COLLATE "
            "BINARY, SUM(IMPORTE) FROM MV_ASIENTOS WHERE ESRESUMEN = 0 AND ESAJUSTE = 0 AND "
            "ES_SALDO_APERTURA = 0 AND FECHA >= '2023-01-01 00:00:00' AND FECHA < '2024-01-01 "
            "00:00:00' AND TC COLLATE BINARY NOT IN ('CBFP', 'FP') GROUP BY 1, 2, 3",
            -1, &st, nullptr) != SQLITE_OK)
        Falla(db, "prepare piso anual");
    control = 0;
    while (sqlite3_step(st) == SQLITE_ROW)
        control += sqlite3_column_double(st, 3);
    sqlite3_finalize(st);
    return t.lee();
}

QString NumeroDelLibro(sqlite3* db) {
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, "SELECT X_ULTIMO_NRO FROM V_TA_CPTE WHERE CODIGO = 'AJUS'", -1, &st,
                       nullptr);
    const int n = sqlite3_step(st) == SQLITE_ROW ? sqlite3_column_int(st, 0) : 0;
    sqlite3_finalize(st);
    return QStringLiteral("%1").arg(n, 8, 10, QChar(u'0'));
}

CabeceraAjuste Cabecera(sqlite3* db, const LineasAjuste& lineas) {
    vb::Currency debe, haber;
    GeneracionAjuste::Totales(lineas, debe, haber);
    CabeceraAjuste c;
    c.FECHA = QStringLiteral("31/12/2023");
    c.TagFecha = QStringLiteral("fecha");
    c.CampoFecha = QStringLiteral("FECHA");
    c.TC = QStringLiteral("AJUS");
    c.SUCURSAL = QStringLiteral("0001");
    c.NUMERO = NumeroDelLibro(db);
    c.LETRA = QStringLiteral("X");
    c.CABIMPORTE = vb::Format(vb::fromCurrency(debe), QStringLiteral("#########.00"));
    c.DETALLE = QStringLiteral("Ajuste por inflación 2023");
    c.PERIODO_HASTA = QStringLiteral("12/2023");
    c.Ejercicio = QStringLiteral("2023");
    return c;
}

// (s): the window-free save of the entry. The entry stored is taken away
// afterwards, outside the time, so that every run finds the same company.
double Graba(sqlite3* db, const LineasAjuste& lineas, bool& grabado) {
    const CabeceraAjuste c = Cabecera(db, lineas);
    Lbc_AsientoRef reglas;
    QElapsedTimer t;
    t.start();
    grabado = GrabacionAjuste::Graba(c, lineas, reglas);
    const double ms = Tiempo(t.nsecsElapsed());
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(db, "SELECT COUNT(*) FROM MV_ASIENTOS WHERE ESAJUSTE = 1", -1, &st, nullptr);
    const qint64 filas = sqlite3_step(st) == SQLITE_ROW ? sqlite3_column_int64(st, 0) : -1;
    sqlite3_finalize(st);
    grabado = grabado && filas == std::count_if(lineas.begin(), lineas.end(), LineaParticipa);
    Ejecuta(db, QStringLiteral("DELETE FROM MV_ASIENTOS WHERE ESAJUSTE = 1; UPDATE V_TA_CPTE SET "
                               "X_ULTIMO_NRO = 1 WHERE CODIGO = 'AJUS'"));
    return ms;
}

// The generated entry made up to `lineas` lines with small amounts on
// accounts that are not adjustable, for the save.
LineasAjuste Entrada(LineasAjuste l, int lineas) {
    for (int i = 0; int(std::count_if(l.begin(), l.end(), LineaParticipa)) < lineas; ++i) {
        TipoLineaAjuste r;
        r.setCuenta(Codigo('4', i));
        (i % 2 ? r.Haber : r.Debe) = vb::Currency::fromRaw(100);
        l.push_back(r);
    }
    return l;
}

QString Literal(const QString& texto) {
    return u'\'' + QString(texto).replace(u'\'', QStringLiteral("''")) + u'\'';
}

// (c): the same rows as one multi-row INSERT of constants in one transaction,
// on a connection without the engine's write checks. Its rows are taken away
// afterwards, outside the time.
double InsertaDesnudo(sqlite3* db, const LineasAjuste& lineas) {
    QString sql = QStringLiteral(
        "INSERT INTO MV_ASIENTOS (FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CUENTA, "
        "SECUENCIA, AJUSTE_HASTA, \"NUMERO ASIENTO\", MES_OPERATIVO, IMPORTE, \"DEBE-HABER\", "
        "MONEDA, TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, PERIODO, fechahora_grabacion, UNEGOCIO) "
        "VALUES ");
    bool primera = true;
    for (size_t i = 1; i < lineas.size(); ++i) {
        const TipoLineaAjuste& l = lineas[i];
        if (!LineaParticipa(l))
            continue;
        const bool debe = l.Debe.value_or(vb::Currency()) != vb::Currency();
        const vb::Currency importe = debe ? *l.Debe : l.Haber.value_or(vb::Currency());
        if (!primera)
            sql += u',';
        primera = false;
        sql += QStringLiteral("('2023-12-31 00:00:00', 'AJUS', '0001', '99999999', 'X', 0, ") +
               Literal(Recorta(l.Cuenta)) + u',' + QString::number(i) +
               QStringLiteral(", '31/12/2023', 999999, 12, ") +
               QString::number(importe.toDouble(), 'f', 4) +
               (debe ? QStringLiteral(", 'D'") : QStringLiteral(", 'H'")) +
               QStringLiteral(", '   1', '', 'Ajuste por inflación 2023', 0, 1, 2023, "
                              "'2024-01-02 10:00:00', '0001')");
    }
    sqlite3_stmt* st = nullptr;
    QElapsedTimer t;
    t.start();
    Ejecuta(db, QStringLiteral("BEGIN IMMEDIATE"));
    const QByteArray utf8 = sql.toUtf8();
    if (sqlite3_prepare_v2(db, utf8.constData(), int(utf8.size()), &st, nullptr) != SQLITE_OK)
        Falla(db, "prepare insert");
    if (sqlite3_step(st) != SQLITE_DONE)
        Falla(db, "insert");
    sqlite3_finalize(st);
    Ejecuta(db, QStringLiteral("COMMIT"));
    const double ms = Tiempo(t.nsecsElapsed());
    Ejecuta(db, QStringLiteral("DELETE FROM MV_ASIENTOS WHERE \"NUMERO ASIENTO\" = 999999 AND "
                               "PERIODO = 2023 AND MES_OPERATIVO = 12"));
    return ms;
}

// ---- Lookups ---------------------------------------------------------------------------

constexpr int kFilasConsulta = 1000000;

// A company whose chart holds a million accounts, codes 1000000 on, their
// names in no order, for the list lookup.
void ArmaConsulta(const QString& archivo) {
    sqlite3* db = EmpresaNueva(archivo, "open consulta");
    Ejecuta(db, QStringLiteral("PRAGMA synchronous = OFF; PRAGMA journal_mode = MEMORY; BEGIN"));
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db,
                           "INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, AJUSTE, INDICE) VALUES "
                           "(?, ?, 0, ?)",
                           -1, &st, nullptr) != SQLITE_OK)
        Falla(db, "prepare consulta");
    std::mt19937 azar(11);
    static const char* const nombres[] = {"Caja",    "Banco",   "Deudores",   "Proveedores",
                                          "Rodados", "Muebles", "Acreedores", "Anticipos",
                                          "Ventas",  "Gastos"};
    for (int i = 0; i < kFilasConsulta; ++i) {
        const QByteArray codigo = QByteArray::number(1000000 + i);
        const QByteArray nombre = QByteArray(nombres[azar() % 10]) + ' ' +
                                  QByteArray::number(int(azar() % 900000) + 100000);
        sqlite3_bind_text(st, 1, codigo.constData(), int(codigo.size()), SQLITE_TRANSIENT);
        sqlite3_bind_text(st, 2, nombre.constData(), int(nombre.size()), SQLITE_TRANSIENT);
        sqlite3_bind_int(st, 3, i % 4 + 1);
        if (sqlite3_step(st) != SQLITE_DONE)
            Falla(db, "insert consulta");
        sqlite3_reset(st);
    }
    sqlite3_finalize(st);
    Ejecuta(db, QStringLiteral("COMMIT"));
    sqlite3_close(db);
}

// One path of the lookup: the slowest answer the user waited for, the
// memory the process took on for it at its peak, and whether the window
// then showed what it should.
struct Paso {
    const char* nombre;
    double ms = -1;
    double mb = -1;
    bool correcto = false;
    double quieta = 0; // the longest the window did not answer, in ms
};

// The longest a key, a click or one of the window's events kept the
// window's thread, over the path measured.
double gQuieta = 0;
template <typename F> void Quieta(F&& f) {
    QElapsedTimer t;
    t.start();
    f();
    gQuieta = std::max(gQuieta, Tiempo(t.nsecsElapsed()));
}

// A search the window runs in the background, where it does: the key's
// answer is the row it selects, or its end.
template <typename W> bool Buscando(const W& w) {
    if constexpr (requires { w.buscando(); })
        return w.buscando();
    else
        return false;
}

// Answers of the list lookup window, driven as a user drives it: keys into
// the search boxes and the list, clicks on the headers and buttons.
class Ventana {
public:
    explicit Ventana(const QString& sql, bool marcas = false, const QString& porDefecto = {}) {
        w_ = std::make_unique<Lib_FrmCons3>();
        w_->SQL = sql;
        w_->CampoDevuelto = QStringLiteral("CODIGO");
        w_->CheckBoxes = marcas;
        w_->ValoresDefault = porDefecto;
        w_->Cargar();
        w_->show();
        QCoreApplication::processEvents();
    }
    Lib_FrmCons3& w() { return *w_; }
    QTreeView* lista() const { return w_->findChild<QTreeView*>(QStringLiteral("ListView1")); }
    QComboBox* combo(int columna) const {
        for (QComboBox* c : w_->findChildren<QComboBox*>(QStringLiteral("CmbSearch")))
            if (c->property("Index").toInt() == columna)
                return c;
        return nullptr;
    }
    // The current row's cell; empty without one.
    QString actual(int columna) const {
        const QModelIndex i = lista()->currentIndex();
        return i.isValid() ? i.sibling(i.row(), columna).data().toString() : QString();
    }
    // Runs the window's events until `hecho` holds (at most 20 s), then
    // those it queued meanwhile.
    static bool Espera(const std::function<bool()>& hecho) {
        QElapsedTimer t;
        t.start();
        Quieta([] { QCoreApplication::processEvents(); });
        while (!hecho() && t.elapsed() < 20000)
            Quieta([] { QCoreApplication::processEvents(QEventLoop::AllEvents, 5); });
        Quieta([] { QCoreApplication::processEvents(); });
        return hecho();
    }
    // Types `texto` key by key into the search box of `columna`: the
    // slowest key, up to the row it finds current when `hay` (each start of
    // the text then has one), or up to the end of its search when there is none.
    double Teclea(int columna, const QString& texto, bool hay, bool& bien) {
        QComboBox* c = combo(columna);
        double peor = 0;
        bien = true;
        gQuieta = 0;
        QElapsedTimer t;
        for (qsizetype n = 1; n <= texto.size(); ++n) {
            const QString buscado = texto.left(n);
            t.restart();
            Quieta([&] { QTest::keyClicks(c, texto.mid(n - 1, 1)); });
            const bool hallada = Espera([&] {
                return !Buscando(*w_) &&
                       (!hay || actual(columna).startsWith(buscado, Qt::CaseInsensitive));
            });
            peor = std::max(peor, Tiempo(t.nsecsElapsed()));
            bien = bien && hallada;
        }
        if (!hay)
            bien = !actual(columna).startsWith(texto, Qt::CaseInsensitive);
        return peor;
    }
    void Clic(int columna) {
        QHeaderView* h = lista()->header();
        const QPoint p(h->sectionViewportPosition(columna) + h->sectionSize(columna) / 2,
                       h->height() / 2);
        Quieta([&] { QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, p); });
    }

private:
    std::unique_ptr<Lib_FrmCons3> w_;
};

// Runs one path: `paso` times it and says whether it went right; the
// memory is the peak over it.
Paso Mide(const char* nombre, const std::function<bool(double& ms)>& paso) {
    Paso r{nombre};
    QCoreApplication::processEvents();
    malloc_trim(0);
    const bool pico = ReiniciaPico();
    const long base = Residente();
    gQuieta = 0;
    r.correcto = paso(r.ms);
    r.quieta = gQuieta;
    r.mb = pico ? Mb(PicoMemoria() - base) : -1;
    QCoreApplication::processEvents();
    return r;
}

// Every path of the lookup over `sql`, `filas` rows whose codes run from
// 1000000 on, on the engine gDatos is connected to. `nombre` is the name
// of the last code, `unico` a name only one row has.
std::vector<Paso> MideConsulta(const QString& sql, int filas, const QString& nombre) {
    using V = Ventana;
    const QString primero = QStringLiteral("1000000");
    const QString ultimo = QString::number(1000000 + filas - 1);
    const QString medio = QString::number(1000000 + filas / 2);
    const QString sinNombre = QStringLiteral("zeta 09");
    std::vector<Paso> r;
    auto tecleo = [&](const char* titulo, int clics, int columnaClic, int columna,
                      const QString& texto, bool hay) {
        r.push_back(Mide(titulo, [&](double& ms) {
            V v(sql);
            for (int k = 0; k < clics; ++k) {
                v.Clic(columnaClic);
                V::Espera([] { return true; });
            }
            bool bien = false;
            ms = v.Teclea(columna, texto, hay, bien);
            return bien;
        }));
    };

    r.push_back(Mide("primeras filas en pantalla", [&](double& ms) {
        QElapsedTimer t;
        t.start();
        V v(sql);
        ms = Tiempo(t.nsecsElapsed());
        return v.w().modelo().filas() > 0 && v.w().modelo().texto(0, 0) == primero;
    }));
    tecleo("clave en la primera columna", 0, 0, 0, ultimo, true);
    tecleo("clave en la primera columna, sin coincidencia", 0, 0, 0, QStringLiteral("20000"),
           false);
    tecleo("clave en la primera columna, orden descendente", 2, 0, 0, medio, true);
    tecleo("clave en otra columna", 0, 0, 1, nombre, true);
    tecleo("clave en otra columna, sin coincidencia", 0, 0, 1, sinNombre, false);
    tecleo("clave tras ordenar por esa columna", 1, 1, 1, nombre, true);
    tecleo("clave tras ordenar por esa columna, sin coincidencia", 1, 1, 1, sinNombre, false);
    tecleo("clave tras ordenar por esa columna, descendente", 2, 1, 1, nombre, true);
    tecleo("clave tras ordenar por otra columna", 1, 1, 0, ultimo, true);
    tecleo("clave tras ordenar por otra columna, sin coincidencia", 1, 1, 0,
           QStringLiteral("20000"), false);
    r.push_back(Mide("F5 en la primera columna", [&](double& ms) {
        V v(sql);
        QTest::keyClicks(v.combo(0), ultimo.left(ultimo.size() - 1));
        V::Espera([] { return true; });
        gQuieta = 0;
        QElapsedTimer t;
        t.start();
        Quieta([&] { QTest::keyClick(v.combo(0), Qt::Key_F5); });
        const bool bien = V::Espera([&] {
            return v.w().modelo().filas() > 0 &&
                   v.w().modelo().texto(0, 0).startsWith(ultimo.left(ultimo.size() - 1));
        });
        ms = Tiempo(t.nsecsElapsed());
        return bien;
    }));
    auto extremos = [&](const char* fin, const char* principio, int clics) {
        V v(sql);
        for (int k = 0; k < clics; ++k) {
            v.Clic(1);
            V::Espera([] { return true; });
        }
        v.lista()->setFocus();
        r.push_back(Mide(fin, [&](double& ms) {
            QElapsedTimer t;
            t.start();
            Quieta([&] { QTest::keyClick(v.lista(), Qt::Key_End, Qt::ControlModifier); });
            const bool bien = V::Espera([&] {
                const QModelIndex i = v.lista()->currentIndex();
                return i.isValid() && i.row() == v.w().modelo().filas() - 1 &&
                       !v.w().modelo().quedanFilas() && (clics > 0 || v.actual(0) == ultimo);
            });
            ms = Tiempo(t.nsecsElapsed());
            return bien;
        }));
        r.push_back(Mide(principio, [&](double& ms) {
            QElapsedTimer t;
            t.start();
            Quieta([&] { QTest::keyClick(v.lista(), Qt::Key_Home); });
            const bool bien = V::Espera([&] {
                const QModelIndex i = v.lista()->currentIndex();
                return i.isValid() && i.row() == 0 && !v.w().modelo().quedanAnteriores() &&
                       (clics > 0 || v.actual(0) == primero);
            });
            ms = Tiempo(t.nsecsElapsed());
            return bien;
        }));
    };
    extremos("Ctrl+Fin: la ultima fila", "Inicio: la primera fila", 0);
    extremos("Ctrl+Fin tras ordenar por otra columna", "Inicio tras ordenar por otra columna", 1);
    auto orden = [&](const char* titulo, bool conActual) {
        r.push_back(Mide(titulo, [&](double& ms) {
            V v(sql);
            if (conActual) {
                bool bien = false;
                v.Teclea(0, medio, true, bien);
            } else {
                v.lista()->setCurrentIndex(QModelIndex());
            }
            const QString antes = v.actual(0);
            gQuieta = 0;
            QElapsedTimer t;
            t.start();
            v.Clic(1);
            V::Espera([] { return true; });
            ms = Tiempo(t.nsecsElapsed());
            ModeloConsulta& m = v.w().modelo();
            // The row current before, or the least name of all rows first.
            return conActual ? antes == medio && v.actual(0) == antes
                             : m.filas() > 0 &&
                                   m.texto(0, 1).startsWith(QStringLiteral("Acreedores 1000"));
        }));
    };
    orden("orden por encabezado sin fila actual", false);
    orden("orden por encabezado con fila actual", true);
    r.push_back(Mide("Marcar", [&](double& ms) {
        V v(sql, true);
        auto* marcar = v.w().findChild<QPushButton*>(QStringLiteral("CmdTodos"));
        QElapsedTimer t;
        t.start();
        Quieta([&] { QTest::mouseClick(marcar, Qt::LeftButton); });
        V::Espera([] { return true; });
        ms = Tiempo(t.nsecsElapsed());
        ModeloConsulta& m = v.w().modelo();
        return m.filas() > 0 && m.marcada(0) && m.marcada(m.filas() - 1) && m.quedanFilas();
    }));
    r.push_back(Mide("Aceptar con valores por defecto", [&](double& ms) {
        const QStringList elegidos{QString::number(1000000 + 5), medio, ultimo};
        V v(sql, true, elegidos.join(u','));
        auto* aceptar = v.w().findChild<QPushButton*>(QStringLiteral("CmdAceptar"));
        QElapsedTimer t;
        t.start();
        Quieta([&] { QTest::mouseClick(aceptar, Qt::LeftButton); });
        V::Espera([] { return true; });
        ms = Tiempo(t.nsecsElapsed());
        return v.w().Valores == elegidos && v.w().isHidden();
    }));
    return r;
}

// ---- Connections ------------------------------------------------------------------------

// Every SQLite connection of the process, the ODBC driver's among them, gets
// the collation the schema names and the server's functions.
int DialectoServidor(sqlite3* db, char**, const sqlite3_api_routines*) {
    ado::registerSqlServerFunctions(db);
    sqlite3_extended_result_codes(db, 1);
    return SQLITE_OK;
}

// gDatos on a company of the folder: through the embedded engine, or through
// the ODBC engine and the SQLite ODBC driver on the same file.
bool Conecta(const QString& carpeta, const QString& base, bool odbc) {
    resetInstances();
    DB_Dll& d = gDatos();
    d.gServidor = carpeta;
    d.gDBName = base;
    d.gUsuario = QStringLiteral("sa");
    const QString cadena =
        odbc ? QStringLiteral("DRIVER=SQLite3;DATABASE=%1/%2.db;Timeout=5000;").arg(carpeta, base)
             : QString();
    d.OpenServerADODB(false, 3, cadena, false, false);
    if (!d.gOpenFlag)
        std::fprintf(stderr, "no se pudo conectar a %s%s\n", qPrintable(base),
                     odbc ? " por ODBC" : "");
    return d.gOpenFlag;
}

// gDatos on the lookups' company. Through ODBC the driver steps through a
// forward-only result (StepAPI) instead of reading it whole at execution, as
// a server's driver hands a default result set row by row.
bool ConectaConsulta(const QString& carpeta, bool odbc) {
    resetInstances();
    DB_Dll& d = gDatos();
    d.gServidor = carpeta;
    d.gDBName = QStringLiteral("CONSULTA");
    d.gUsuario = QStringLiteral("sa");
    const QString cadena =
        odbc ? QStringLiteral("DRIVER=SQLite3;DATABASE=%1/CONSULTA.db;Timeout=5000;StepAPI=1;")
                   .arg(carpeta)
             : QString();
    d.OpenServerADODB(false, 3, cadena, false, false);
    return d.gOpenFlag;
}

// The name of the account `codigo` in the lookups' company.
QString NombreDe(const QString& archivo, const QString& codigo) {
    sqlite3* db = Abre(archivo);
    sqlite3_stmt* st = nullptr;
    QString nombre;
    if (sqlite3_prepare_v2(db, "SELECT DESCRIPCION FROM MA_CUENTAS WHERE CODIGO = ?", -1, &st,
                           nullptr) == SQLITE_OK) {
        const QByteArray c = codigo.toUtf8();
        sqlite3_bind_text(st, 1, c.constData(), int(c.size()), SQLITE_TRANSIENT);
        if (sqlite3_step(st) == SQLITE_ROW)
            nombre = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
    }
    sqlite3_finalize(st);
    sqlite3_close(db);
    return nombre;
}

// The lookups of 100,000 and 1,000,000 accounts, embedded and through the
// SQLite ODBC driver, each path on its own line with both engines side by
// side. Without the driver the ODBC figures are left out, and the bench
// says so.
bool MideConsultas(const Opciones& o, const QString& carpeta) {
    const QString archivo = carpeta + QStringLiteral("/CONSULTA.db");
    if (!(o.reusa && QFileInfo::exists(archivo))) {
        QFile::remove(archivo);
        ArmaConsulta(archivo);
    }
    const QString columnas = QStringLiteral("SELECT CODIGO, DESCRIPCION, INDICE FROM MA_CUENTAS");
    const std::pair<QString, int> sentencias[] = {
        {columnas + QStringLiteral(" WHERE CODIGO < '1100000' ORDER BY CODIGO"), 100000},
        {columnas + QStringLiteral(" ORDER BY CODIGO"), kFilasConsulta}};
    std::printf("\nconsulta: cada camino con la ventana manejada como un usuario (teclas en las "
                "cajas de busqueda, la lista y clics); la tecla mas lenta hasta la fila hallada, "
                "y quieta: lo mas que la ventana tardo en atender (una tecla, un clic o un evento) "
                "(objetivo: < 100 ms por tecla, orden < 1000 ms, +40 MB; odbc dentro de 1.2x)\n");
    for (const auto& [sql, filas] : sentencias) {
        const QString nombre = NombreDe(archivo, QString::number(1000000 + filas - 1));
        std::vector<Paso> embebido, porOdbc;
        QString sinOdbc;
        if (!o.odbc)
            sinOdbc = QStringLiteral("odbc no medido (--sin-odbc)");
        for (const bool odbc : {false, true}) {
            if (odbc && !sinOdbc.isEmpty())
                break;
            if (!ConectaConsulta(carpeta, odbc)) {
                if (!odbc)
                    return false;
                sinOdbc = QStringLiteral(
                    "odbc no medido: no hay controlador SQLite ODBC (DRIVER=SQLite3)");
                break;
            }
            (odbc ? porOdbc : embebido) = MideConsulta(sql, filas, nombre);
            resetInstances();
        }
        std::printf("\n%d filas (\"%s\" es el nombre de la ultima)\n", filas, qPrintable(nombre));
        std::printf("  %-55s %12s %7s %8s %12s %7s %8s %7s\n", "camino", "embebido", "quieta",
                    "+MB", "odbc", "quieta", "+MB", "odbc/e");
        for (size_t i = 0; i < embebido.size(); ++i) {
            const Paso& e = embebido[i];
            std::printf("  %-55s %9.1f ms %7.1f %8.1f", e.nombre, e.ms, e.quieta, e.mb);
            if (i < porOdbc.size()) {
                const Paso& d = porOdbc[i];
                std::printf(" %9.1f ms %7.1f %8.1f %6.2fx", d.ms, d.quieta, d.mb,
                            e.ms > 0 ? d.ms / e.ms : 0.0);
            }
            std::printf("%s\n", e.correcto && (i >= porOdbc.size() || porOdbc[i].correcto)
                                    ? ""
                                    : " (FILAS EQUIVOCADAS)");
        }
        if (!sinOdbc.isEmpty())
            std::printf("  %s\n", qPrintable(sinOdbc));
        std::fflush(stdout);
    }
    return true;
}

bool MismasLineas(const LineasAjuste& a, const LineasAjuste& b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i].Cuenta != b[i].Cuenta || a[i].Descripcion != b[i].Descripcion ||
            a[i].Debe != b[i].Debe || a[i].Haber != b[i].Haber)
            return false;
    return true;
}

// ---- One size ---------------------------------------------------------------------------

struct Medida {
    int lineas = 0;
    size_t lineasAjuste = 0;
    int fin = 0;
    Medicion generacion, piso, pisoAnual;
    double controlPiso = 0, controlAnual = 0;
    long picoGeneracion = -1, antesGeneracion = -1; // kB
    size_t grabadas = 0;
    double grabacion = 0, insercion = 0;
    bool todoGrabado = true;
    double odbcGeneracion = -1, odbcGrabacion = -1;
    double odbcGeneracionCpu = -1;
    bool odbcIguales = false, odbcGrabado = true;
    double porCuenta = -1;
    bool porCuentaIguales = false;
};

constexpr double kInf = std::numeric_limits<double>::max();

GeneracionAjuste::Parametros Pedido() {
    GeneracionAjuste::Parametros p;
    p.PeriodoDesde = QStringLiteral("01/2023");
    p.PeriodoHasta = QStringLiteral("12/2023");
    p.Ejercicio = QStringLiteral("2023");
    p.CtaRei = QStringLiteral("590001");
    return p;
}

bool MideTamano(Opciones o, const QString& carpeta, Medida& m) {
    o.lineas = m.lineas;
    const QString base = QStringLiteral("BENCH_%1").arg(o.lineas);
    const QString archivo = carpeta + u'/' + base + QStringLiteral(".db");
    QElapsedTimer t;
    t.start();
    if (!(o.reusa && QFileInfo::exists(archivo))) {
        QFile::remove(archivo);
        ArmaEmpresa(archivo, o);
        std::printf("empresa de %d lineas (%d cuentas ajustables) armada en %.1f s\n", o.lineas,
                    o.cuentas, double(t.elapsed()) / 1000.0);
    } else {
        std::printf("empresa de %d lineas: la de %s\n", o.lineas, qPrintable(archivo));
    }
    std::fflush(stdout);
    if (!Conecta(carpeta, base, false))
        return false;
    sqlite3* crudo = Abre(archivo);
    const GeneracionAjuste::Parametros p = Pedido();

    m.grabacion = m.insercion = kInf;
    GeneracionAjuste::Resultado r;
    LineasAjuste entrada;
    for (int ronda = 0; ronda < o.rondas; ++ronda) {
        m.pisoAnual.mejor(PisoAnual(crudo, m.controlAnual));
        m.piso.mejor(Piso(crudo, m.controlPiso));
        const bool medirPico = ronda == 0 && ReiniciaPico();
        if (medirPico)
            m.antesGeneracion = Residente();
        const Cronometro g;
        r = GeneracionAjuste::Genera(p);
        m.generacion.mejor(g.lee());
        if (medirPico)
            m.picoGeneracion = PicoMemoria();
        entrada = Entrada(r.Lineas, o.lineasAsiento);
        bool grabado = false;
        m.grabacion = std::min(m.grabacion, Graba(crudo, entrada, grabado));
        m.todoGrabado = m.todoGrabado && grabado;
        m.insercion = std::min(m.insercion, InsertaDesnudo(crudo, entrada));
    }
    m.lineasAjuste = r.Lineas.size() - 1;
    m.fin = int(r.fin);
    m.grabadas = size_t(std::count_if(entrada.begin(), entrada.end(), LineaParticipa));

    if (o.porCuenta) {
        GeneracionAjuste::Parametros q = p;
        q.lectura = GeneracionAjuste::Lectura::PorCuenta;
        t.restart();
        const auto ref = GeneracionAjuste::Genera(q);
        m.porCuenta = Tiempo(t.nsecsElapsed());
        m.porCuentaIguales = MismasLineas(ref.Lineas, r.Lineas);
    }

    if (o.odbc && Conecta(carpeta, base, true)) {
        m.odbcGeneracion = m.odbcGrabacion = kInf;
        m.odbcIguales = true;
        Medicion odbc;
        for (int ronda = 0; ronda < o.rondas; ++ronda) {
            const Cronometro g;
            const auto ro = GeneracionAjuste::Genera(p);
            odbc.mejor(g.lee());
            m.odbcGeneracion = odbc.pared;
            m.odbcGeneracionCpu = odbc.cpu;
            m.odbcIguales = m.odbcIguales && MismasLineas(ro.Lineas, r.Lineas);
            bool grabado = false;
            m.odbcGrabacion = std::min(m.odbcGrabacion, Graba(crudo, entrada, grabado));
            m.odbcGrabado = m.odbcGrabado && grabado;
        }
    }
    resetInstances();
    sqlite3_close(crudo);
    return true;
}

// "ODBC / native" as a ratio, or a dash when ODBC was not measured.
QString Proporcion(double odbc, double nativa) {
    return odbc < 0 ? QStringLiteral("-") : QString::number(odbc / nativa, 'f', 2) + u'x';
}

void Muestra(const Medida& m) {
    std::printf("\n== %d lineas ==\n", m.lineas);
    std::printf("(a)  Genera_Asiento, doce meses: %.1f ms, cpu %.1f ms (%zu lineas, fin %d)\n",
                m.generacion.pared, m.generacion.cpu, m.lineasAjuste, m.fin);
    std::printf("(b)  piso, doce lecturas agrupadas por cuenta sobre IX_MV_ASIENTOS_FECHA_CUENTA: "
                "%.1f ms, cpu %.1f ms (control %.2f)\n",
                m.piso.pared, m.piso.cpu, m.controlPiso);
    std::printf("(b1) piso anterior, una lectura del año agrupada por cuenta, mes y lado: %.1f ms, "
                "cpu %.1f ms (control %.2f)\n",
                m.pisoAnual.pared, m.pisoAnual.cpu, m.controlAnual);
    std::printf("(a)/(b) = %.2f (cpu %.2f)   (a)/(b1) = %.2f (cpu %.2f)\n",
                m.generacion.pared / m.piso.pared, m.generacion.cpu / m.piso.cpu,
                m.generacion.pared / m.pisoAnual.pared, m.generacion.cpu / m.pisoAnual.cpu);
    if (m.picoGeneracion >= 0)
        std::printf("memoria pico durante la generacion: %.1f MB (%.1f MB antes)\n",
                    Mb(m.picoGeneracion), Mb(m.antesGeneracion));
    std::printf("(s)  grabacion de %zu lineas: %.1f ms%s\n", m.grabadas, m.grabacion,
                m.todoGrabado ? "" : " (NO SE GRABARON TODAS)");
    std::printf("(c)  INSERT de varias filas: %.1f ms\n", m.insercion);
    std::printf("(s)/(c) = %.2f\n", m.grabacion / m.insercion);
    if (m.odbcGeneracion >= 0) {
        std::printf("ODBC generacion: %.1f ms (%s la nativa, cpu %s; lineas %s)\n",
                    m.odbcGeneracion, qPrintable(Proporcion(m.odbcGeneracion, m.generacion.pared)),
                    qPrintable(Proporcion(m.odbcGeneracionCpu, m.generacion.cpu)),
                    m.odbcIguales ? "iguales" : "DISTINTAS");
        std::printf("ODBC grabacion: %.1f ms (%s la nativa)%s\n", m.odbcGrabacion,
                    qPrintable(Proporcion(m.odbcGrabacion, m.grabacion)),
                    m.odbcGrabado ? "" : " (NO SE GRABARON TODAS)");
    }
    if (m.porCuenta >= 0)
        std::printf("lectura por cuenta: %.1f ms (%.1f x (b)); lineas %s\n", m.porCuenta,
                    m.porCuenta / m.piso.pared, m.porCuentaIguales ? "iguales" : "DISTINTAS");
    std::fflush(stdout);
}

std::vector<int> Tamanos(const QString& texto) {
    std::vector<int> t;
    for (const QString& n : texto.split(u',', Qt::SkipEmptyParts))
        if (n.toInt() > 0)
            t.push_back(n.toInt());
    return t;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // unixODBC reads its configuration at its first call: the SQLite driver
    // only, from a private folder.
    testutil::isolateOdbc();
    sqlite3_auto_extension(reinterpret_cast<void (*)()>(&DialectoServidor));
    // The program's own start: the generation is timed with its banner.
    const std::unique_ptr<QApplication> programa = arranque::IniciaPrograma(argc, argv);
    QApplication& app = *programa;
    Opciones o;
    const QStringList args = app.arguments();
    if (args.size() == 3 && args[1] == u"--arranque")
        return HijoArranque(args[2]);
    for (int i = 1; i < args.size(); ++i) {
        const QString a = args[i];
        const QString v = i + 1 < args.size() ? args[i + 1] : QString();
        if (a == u"--lineas")
            o.tamanos = Tamanos(v), ++i;
        else if (a == u"--cuentas")
            o.cuentas = std::max(1, v.toInt()), ++i;
        else if (a == u"--rondas")
            o.rondas = std::max(1, v.toInt()), ++i;
        else if (a == u"--asiento")
            o.lineasAsiento = v.toInt(), ++i;
        else if (a == u"--carpeta")
            o.carpeta = v, ++i;
        else if (a == u"--reusa")
            o.reusa = true;
        else if (a == u"--sin-odbc")
            o.odbc = false;
        else if (a == u"--sin-consultas")
            o.consultas = false;
        else if (a == u"--por-cuenta")
            o.porCuenta = true;
        else {
            std::fprintf(stderr, "opcion desconocida: %s\n", qPrintable(a));
            return 2;
        }
    }
    std::printf("orden: %s\n", qPrintable(args.join(u' ')));
    std::printf("maquina: %s, %d procesadores; carga al empezar: %s\n", qPrintable(Procesador()),
                QThread::idealThreadCount(), qPrintable(CargaPromedio()));

    QTemporaryDir temporal;
    const QString demo = temporal.path() + QStringLiteral("/demo");
    QDir().mkpath(demo);
    ArmaDemo(demo + QStringLiteral("/EMPRESA.db"));
    const double arranque = Arranque(demo);
    std::printf("arranque hasta la pregunta del ejercicio (demo): %.0f ms\n", arranque);

    auto respuestas = std::make_shared<vb::ScriptedResponder>();
    vb::setDialogResponder(respuestas);
    const QString carpeta = o.carpeta.isEmpty() ? temporal.path() : o.carpeta;
    QDir().mkpath(carpeta);
    CNStuffContable::gPeriodoActual = QStringLiteral("2023");

    if (o.consultas && !MideConsultas(o, carpeta))
        return 1;

    std::vector<Medida> medidas;
    for (int n : o.tamanos) {
        // What earlier measures freed goes back to the system, so that the
        // peak of the generation starts from what the process holds.
        malloc_trim(0);
        Medida m;
        m.lineas = n;
        if (!MideTamano(o, carpeta, m))
            return 1;
        Muestra(m);
        medidas.push_back(m);
    }

    std::printf("\nresumen (ms, mejor de %d rondas; cpu: tiempo de procesador del hilo):\n",
                o.rondas);
    std::printf("%9s %8s %8s %8s %8s %8s %8s %8s %8s %8s %9s %10s\n", "lineas", "(a)gen", "(b)piso",
                "(b1)ant", "(a)/(b)", "cpu", "pico MB", "(s)grab", "(c)ins", "(s)/(c)", "odbc gen",
                "odbc grab");
    for (const Medida& m : medidas)
        std::printf("%9d %8.1f %8.1f %8.1f %8.2f %8.2f %8.1f %8.1f %8.1f %8.2f %9s %10s\n",
                    m.lineas, m.generacion.pared, m.piso.pared, m.pisoAnual.pared,
                    m.generacion.pared / m.piso.pared, m.generacion.cpu / m.piso.cpu,
                    Mb(m.picoGeneracion), m.grabacion, m.insercion, m.grabacion / m.insercion,
                    qPrintable(Proporcion(m.odbcGeneracion, m.generacion.pared)),
                    qPrintable(Proporcion(m.odbcGrabacion, m.grabacion)));
    for (const QString& msg : respuestas->messages())
        std::printf("mensaje: %s\n", qPrintable(msg));
    std::printf("carga al terminar: %s\n", qPrintable(CargaPromedio()));
    return 0;
}
