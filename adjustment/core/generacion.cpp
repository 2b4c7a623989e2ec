#include "adjustment/core/generacion.h"

#include "data/instances.h"
#include "platform/ado/engine.h"
#include "platform/sql/quoting.h"
#include "platform/vb/errors.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/programend.h"
#include "platform/win/clsutilidades.h"
#include "startup/core/cartel.h"
#include "startup/core/cnstuffcontable.h"

#include <QDate>
#include <QMap>
#include <QSet>
#include <array>
#include <climits>
#include <deque>
#include <optional>
#include <stdexcept>

namespace {

[[noreturn]] void NoCoinciden() {
    vb::Raise(vb::errTypeMismatch);
}

ado::Error ErrorDe(const std::exception& e) {
    if (auto* a = dynamic_cast<const ado::Exception*>(&e))
        return a->error();
    if (dynamic_cast<const std::overflow_error*>(&e))
        return vb::RuntimeError(vb::errOverflow);
    ado::Error err;
    err.Number = 5;
    err.Description = QString::fromLocal8Bit(e.what());
    return err;
}

// How the database compares "CUENTA = 'code'": trailing blanks and letter
// case do not count.
QString ClaveCuenta(const QString& texto) {
    qsizetype n = texto.size();
    while (n > 0 && texto.at(n - 1) == u' ')
        --n;
    return texto.left(n).toCaseFolded();
}

// The same after LTRIM(RTRIM(...)).
QString ClaveRecortada(const QString& texto) {
    return Recorta(texto).toCaseFolded();
}

// CInt of the runtime.
int Entero16(const QString& texto) {
    const QVariant v(texto);
    if (!vb::IsNumeric(v) || Recorta(texto).isEmpty())
        NoCoinciden();
    const std::int64_t n = vb::CLng(v);
    if (n < INT16_MIN || n > INT16_MAX)
        vb::Raise(vb::errOverflow);
    return int(n);
}

QDate FechaDe(const QString& texto) {
    const auto d = vb::ParseDate(Recorta(texto));
    if (!d)
        NoCoinciden();
    return d->date();
}

QString TextoFecha(const QDate& d) {
    return d.toString(QStringLiteral("dd/MM/yyyy"));
}

// A range ends before the midnight that follows its last day: the rows of
// that day count at any time of day.
QString DiaSiguienteSQL(const QString& dia) {
    return ClsUtilidades::FechaParaSQL(TextoFecha(FechaDe(dia).addDays(1)));
}
QString HastaElDia(const QString& dia) {
    return QStringLiteral(" AND FECHA < ") + DiaSiguienteSQL(dia);
}

ado::RecordsetPtr Abre(const QString& sql) {
    ado::RecordsetPtr rs;
    gDatos().AbrirRecordset(sql, rs, nullptr, ado::adOpenForwardOnly, ado::adLockReadOnly, -1,
                            true);
    // The data object has already told the operator why it failed.
    if (!rs || rs->State() == ado::adStateClosed)
        throw ado::Exception(ado::adoError(ado::adErrObjectClosed));
    return rs;
}

QString Texto(const QVariant& v) {
    return ClsUtilidades::ValorCampo(v);
}

struct Contexto {
    QString Ejercicio;
    QString Filtro;
    QString InicioRango; // "dd/mm/yyyy"
    QString FinRango;
    const std::vector<GeneracionAjuste::Mes>* Meses = nullptr;
    // Asked between long reads: false ends the run (the operator cancelled).
    std::function<bool()> Sigue;
};

struct Apertura {
    vb::Currency Importe;
    QString DebeHaber;
};

} // namespace

// ---- Lines -------------------------------------------------------------------------

QString TipoLineaAjuste::Fijo(const QString& texto, int ancho) {
    return texto.left(ancho).leftJustified(ancho, u' ');
}

void TipoLineaAjuste::setCuenta(const QString& c) {
    Cuenta = Fijo(c, kAnchoCuenta);
}

void TipoLineaAjuste::setDescripcion(const QString& d) {
    Descripcion = Fijo(d, kAnchoDescripcion);
}

QString Recorta(const QString& texto) {
    qsizetype a = 0, b = texto.size();
    while (a < b && texto.at(a) == u' ')
        ++a;
    while (b > a && texto.at(b - 1) == u' ')
        --b;
    return texto.mid(a, b - a);
}

bool LineaParticipa(const TipoLineaAjuste& linea) {
    return !Recorta(linea.Cuenta).isEmpty();
}

// ---- How the sums are read -------------------------------------------------------------

// Account by account and month by month, one statement each.
class GeneracionAjuste::Fuente {
public:
    virtual ~Fuente() = default;
    // False when the run was cancelled while it read.
    virtual bool Prepara(const Contexto& c) {
        ctx_ = c;
        return true;
    }

    // The adjustable accounts that are no fixed assets, in code order.
    virtual ado::RecordsetPtr Cuentas() {
        return Abre(QStringLiteral(
            "SELECT * FROM MA_CUENTAS WHERE (AJUSTE = 1) AND (BIENES=0) order by codigo"));
    }

    // Some account names this one as its accumulated depreciation.
    virtual bool EsDepreciacion(const QString& CodigoFila) {
        return gDatos().ExisteEnTabla(QStringLiteral("MA_CUENTAS"), CodigoFila,
                                      QStringLiteral("CODIGO_DEPREC_ACUMULADA"), nullptr, 8);
    }

    // The first opening row of the account in the year.
    virtual std::optional<Apertura> PrimeraApertura(const QString& Codigo) {
        auto rs =
            Abre(QStringLiteral("SELECT * FROM MV_ASIENTOS WHERE CUENTA = ") +
                 sqltext::literal(Codigo) + QStringLiteral(" AND PERIODO = ") + ctx_.Ejercicio +
                 QStringLiteral(" AND (ES_SALDO_APERTURA = 1) ") + ctx_.Filtro);
        if (rs->EOF())
            return std::nullopt;
        return Apertura{vb::CCur(rs->value(QStringLiteral("IMPORTE"))),
                        Texto(rs->value(QStringLiteral("Debe-Haber")))};
    }

    // Any row of the account dated in the range.
    virtual bool HayMovimientos(const QString& Codigo) {
        auto rs = Abre(QStringLiteral("SELECT * FROM MV_ASIENTOS WHERE CUENTA = ") +
                       sqltext::literal(Codigo) + QStringLiteral(" AND FECHA >= ") +
                       ClsUtilidades::FechaParaSQL(ctx_.InicioRango) + HastaElDia(ctx_.FinRango) +
                       QStringLiteral(" ") + ctx_.Filtro);
        return !rs->EOF();
    }

    // Debit minus credit of the month's movements.
    virtual vb::Currency Neto(const QString& Codigo, int IndiceMes) {
        const Mes& m = (*ctx_.Meses)[size_t(IndiceMes)];
        auto suma = [&](const QString& alias, const QString& lado) {
            auto rs = Abre(
                QStringLiteral("SELECT SUM(IMPORTE) AS [") + alias +
                QStringLiteral("] FROM MV_ASIENTOS WHERE CUENTA = ") + sqltext::literal(Codigo) +
                QStringLiteral(" AND (ESRESUMEN=0) AND (ESAJUSTE=0) AND "
                               "(ES_SALDO_APERTURA=0) AND [DEBE-HABER] = '") +
                lado + QStringLiteral("' AND FECHA >= ") + ClsUtilidades::FechaParaSQL(m.Inicio) +
                HastaElDia(m.Fin) + QStringLiteral(" ") + ctx_.Filtro);
            return rs->EOF() ? vb::Currency() : ClsUtilidades::TextoAMoneda(Texto(rs->value(0)));
        };
        const vb::Currency debe = suma(QStringLiteral("ELDEBE"), QStringLiteral("D"));
        return debe - suma(QStringLiteral("ELHABER"), QStringLiteral("H"));
    }

    virtual double Indice(const QString& Codigo, const QString& Anio, const QString& Mes) {
        return GeneracionAjuste::PorcentajeIndice(Codigo, Anio, Mes);
    }
    // The same for a month given by its numbers.
    virtual double Indice(const QString& Codigo, int Anio, int Mes) {
        return Indice(Codigo, QString::number(Anio), QString::number(Mes));
    }

    virtual QString Descripcion(const QString& Codigo) {
        return gDatos()
            .DatosTabla(QStringLiteral("MA_CUENTAS"), Codigo, QStringLiteral("DESCRIPCION"),
                        QStringLiteral("CODIGO"), 8)
            .toString();
    }

    // Closing day of the previous fiscal year: the year with the greatest
    // number below the one in use (numbers need not be consecutive). The
    // first year of all opens with what stood the day before it began.
    virtual QDate CierreAnterior() {
        auto rs = Abre(QStringLiteral("SELECT TOP 1 [FECHA HASTA] FROM MV_EJERCICIOS WHERE "
                                      "PERIODO < ") +
                       ctx_.Ejercicio + QStringLiteral(" ORDER BY PERIODO DESC"));
        if (!rs->EOF())
            return FechaDe(Texto(rs->value(0)));
        rs = Abre(QStringLiteral("SELECT [FECHA DESDE] FROM MV_EJERCICIOS WHERE PERIODO = ") +
                  ctx_.Ejercicio);
        if (rs->EOF())
            NoCoinciden();
        return FechaDe(Texto(rs->value(0))).addDays(-1);
    }

    // First day of the year in use.
    virtual QDate InicioEjercicio() {
        return FechaDe(gDatos()
                           .DatosTabla(QStringLiteral("MV_EJERCICIOS"), ctx_.Ejercicio,
                                       QStringLiteral("FECHA DESDE"), QStringLiteral("PERIODO"), 3)
                           .toString());
    }

    // Closing day of the year in use.
    virtual QDate CierreEjercicio() {
        return FechaDe(gDatos()
                           .DatosTabla(QStringLiteral("MV_EJERCICIOS"), ctx_.Ejercicio,
                                       QStringLiteral("FECHA HASTA"), QStringLiteral("PERIODO"), 3)
                           .toString());
    }

    // The same read as the month step reads it; nothing when the year has no row.
    virtual std::optional<QDate> FinEjercicio() {
        auto rs =
            Abre(QStringLiteral("SELECT * FROM MV_EJERCICIOS WHERE PERIODO = ") + ctx_.Ejercicio);
        if (rs->EOF())
            return std::nullopt;
        return FechaDe(Texto(rs->value(QStringLiteral("fecha hasta"))));
    }

protected:
    Contexto ctx_;
};

namespace {

// The same values from a few statements: the monthly sums of every account
// grouped a month at a time, the opening rows of the year in one pass, the
// chart's series and the coefficients kept in memory for this run only
// (another user may change them before the next one).
class FuenteAgrupada : public GeneracionAjuste::Fuente {
public:
    bool Prepara(const Contexto& c) override {
        Fuente::Prepara(c);
        LeeDepreciaciones();
        LeeAperturas();
        if (!LeeSumas())
            return false;
        LeeIndices();
        preparada_ = true;
        return true;
    }

    // Only the code is read of each account: the whole rows of a large chart
    // cost more than some months' sums.
    ado::RecordsetPtr Cuentas() override {
        return Abre(QStringLiteral(
            "SELECT CODIGO FROM MA_CUENTAS WHERE (AJUSTE = 1) AND (BIENES=0) order by codigo"));
    }

    bool EsDepreciacion(const QString& CodigoFila) override {
        return depreciaciones_.contains(ClaveRecortada(CodigoFila));
    }

    std::optional<Apertura> PrimeraApertura(const QString& Codigo) override {
        auto it = aperturas_.constFind(ClaveCuenta(Codigo));
        if (it == aperturas_.cend())
            return std::nullopt;
        return *it;
    }

    bool HayMovimientos(const QString& Codigo) override { return SumasDe(Codigo) != nullptr; }

    vb::Currency Neto(const QString& Codigo, int IndiceMes) override {
        const std::vector<Suma>* sumas = SumasDe(Codigo);
        if (!sumas)
            return {};
        return (*sumas)[size_t(IndiceMes)].Neto;
    }

    double Indice(const QString& Codigo, const QString& Anio, const QString& Mes) override {
        bool okA = false, okM = false;
        const int anio = Anio.toInt(&okA), mes = Mes.toInt(&okM);
        if (!okA || !okM)
            return Fuente::Indice(Codigo, Anio, Mes);
        return Indice(Codigo, anio, mes);
    }

    double Indice(const QString& Codigo, int Anio, int Mes) override {
        const int serie = SerieDe(Codigo);
        if (serie < 1 || serie > 4)
            return 0;
        Coeficientes* fila = nullptr;
        const qint64 k = (qint64(Anio) - anioBase_) * 12 + (Mes - 1);
        if (Mes >= 1 && Mes <= 12 && k >= 0 && k < qint64(tabla_.size())) {
            fila = tabla_[size_t(k)];
        } else {
            auto it = coeficientes_.find(qMakePair(Anio, Mes));
            fila = it == coeficientes_.end() ? nullptr : &*it;
        }
        if (!fila)
            return 0;
        Coeficientes& c = *fila;
        const size_t n = size_t(serie - 1);
        if (!c.Leido[n]) {
            c.Valor[n] = vb::CDbl(c.Texto[n]);
            c.Leido[n] = true;
        }
        return c.Valor[n];
    }

    QString Descripcion(const QString& Codigo) override {
        if (!preparada_)
            return Fuente::Descripcion(Codigo);
        return descripciones_.value(ClaveRecortada(Codigo));
    }

    QDate CierreAnterior() override {
        if (!cierreAnterior_)
            cierreAnterior_ = Fuente::CierreAnterior();
        return *cierreAnterior_;
    }

    QDate InicioEjercicio() override {
        if (!inicio_)
            inicio_ = Fuente::InicioEjercicio();
        return *inicio_;
    }

    QDate CierreEjercicio() override {
        if (!cierre_)
            cierre_ = Fuente::CierreEjercicio();
        return *cierre_;
    }

    std::optional<QDate> FinEjercicio() override {
        if (!finLeido_) {
            fin_ = Fuente::FinEjercicio();
            finLeido_ = true;
        }
        return fin_;
    }

private:
    // Debit minus credit of a month.
    struct Suma {
        vb::Currency Neto;
    };

    void LeeDepreciaciones() {
        auto rs = Abre(QStringLiteral("SELECT CODIGO_DEPREC_ACUMULADA FROM MA_CUENTAS WHERE "
                                      "CODIGO_DEPREC_ACUMULADA IS NOT NULL"));
        for (; !rs->EOF(); rs->MoveNext())
            depreciaciones_.insert(ClaveRecortada(Texto(rs->value(0))));
    }

    void LeeAperturas() {
        // The same condition on the year as the account-by-account
        // statement, so the rows come in the same order (that of the year's
        // index, which the index of opening rows keeps) and "first" is the
        // same row.
        auto rs =
            Abre(QStringLiteral("SELECT CUENTA, IMPORTE, [DEBE-HABER] FROM MV_ASIENTOS "
                                "WHERE PERIODO = ") +
                 ctx_.Ejercicio + QStringLiteral(" AND (ES_SALDO_APERTURA = 1) ") + ctx_.Filtro);
        for (; !rs->EOF(); rs->MoveNext()) {
            const QString clave = ClaveCuenta(Texto(rs->value(0)));
            if (!aperturas_.contains(clave))
                aperturas_.insert(clave, Apertura{vb::CCur(rs->value(1)), Texto(rs->value(2))});
        }
    }

    // The monthly debit and credit sums of every account with rows in the
    // range. Rows of the range that no month takes (after midnight of a
    // month's last day) and rows the sums leave out still count as
    // movements: their account gets its (possibly empty) sums all the same.
    // False when the operator cancelled between two statements.
    bool LeeSumas() {
        const auto& meses = *ctx_.Meses;
        const QString movimiento =
            QStringLiteral("(ESRESUMEN=0) AND (ESAJUSTE=0) AND (ES_SALDO_APERTURA=0)");
        // The rows the sums leave out: a flag set, or one that is not known.
        const QString fuera =
            QStringLiteral("(COALESCE(ESRESUMEN, 1) <> 0 OR COALESCE(ESAJUSTE, 1) <> 0 OR "
                           "COALESCE(ES_SALDO_APERTURA, 1) <> 0)");
        // Debits less credits, read as a number; a row of another side still
        // makes its account's group.
        const QString sumas = QStringLiteral(
            "SUM(CASE WHEN [DEBE-HABER] = 'D' THEN IMPORTE WHEN [DEBE-HABER] = 'H' THEN -IMPORTE "
            "ELSE 0 END) AS NETO");
        // A month at a time: each statement reads that month's days from the
        // covering date index and sorts only them, and no row needs its month
        // worked out. The months follow one another (Meses), so a row is in
        // one month at most. On SQLite the rows are grouped on the stored
        // code: the collation that ignores case and trailing blanks is a call
        // per comparison, and a sort makes millions of them; the variants of
        // one code add up under the key the collation gives them (Fila).
        const QString grupos = ClsUtilidades::motorSQL() == MotorSQL::SQLite
                                   ? QStringLiteral(" GROUP BY CUENTA COLLATE BINARY")
                                   : QStringLiteral(" GROUP BY CUENTA");
        std::vector<QString> inicio, fin;
        for (const GeneracionAjuste::Mes& m : meses) {
            inicio.push_back(ClsUtilidades::FechaParaSQL(m.Inicio));
            fin.push_back(DiaSiguienteSQL(m.Fin));
        }
        for (size_t i = 0; i < meses.size(); ++i) {
            if (ctx_.Sigue && !ctx_.Sigue())
                return false;
            auto rs = Abre(QStringLiteral("SELECT CUENTA, ") + sumas +
                           QStringLiteral(" FROM MV_ASIENTOS "
                                          "WHERE FECHA >= ") +
                           inicio[i] + QStringLiteral(" AND FECHA < ") + fin[i] +
                           QStringLiteral(" AND ") + movimiento + u' ' + ctx_.Filtro + grupos);
            for (; !rs->EOF(); rs->MoveNext())
                Fila(Texto(rs->value(0)))[i].Neto += vb::CCur(rs->value(1));
            ProximoMes();
        }
        if (ctx_.Sigue && !ctx_.Sigue())
            return false;
        // The accounts whose rows of the range the sums left out (few rows,
        // read from their own index where the schema has it).
        auto fueraDeSumas =
            Abre(QStringLiteral("SELECT CUENTA FROM MV_ASIENTOS WHERE FECHA >= ") +
                 ClsUtilidades::FechaParaSQL(ctx_.InicioRango) + HastaElDia(ctx_.FinRango) +
                 QStringLiteral(" AND ") + fuera + u' ' + ctx_.Filtro + grupos);
        for (; !fueraDeSumas->EOF(); fueraDeSumas->MoveNext())
            Fila(Texto(fueraDeSumas->value(0)));
        // The rest of the range: before, between and after the months.
        QString huecos =
            QStringLiteral("(FECHA >= ") + ClsUtilidades::FechaParaSQL(ctx_.InicioRango);
        for (size_t i = 0; i < meses.size(); ++i)
            huecos += QStringLiteral(" AND FECHA < ") + inicio[i] +
                      QStringLiteral(") OR (FECHA >= ") + fin[i];
        huecos += HastaElDia(ctx_.FinRango) + u')';
        auto rs = Abre(QStringLiteral("SELECT CUENTA FROM MV_ASIENTOS WHERE (") + huecos +
                       QStringLiteral(") ") + ctx_.Filtro);
        for (; !rs->EOF(); rs->MoveNext())
            Fila(Texto(rs->value(0)));
        return true;
    }

    // The sums of an account as the collation sees its code, made on first
    // use. Each month's rows come in the order of their codes, mostly the
    // codes of the month before: those are found without making their key.
    std::vector<Suma>& Fila(const QString& cuenta) {
        std::vector<Suma>* fila = nullptr;
        for (size_t k = cursor_; k < anterior_.size() && k < cursor_ + 2; ++k) {
            if (anterior_[k].first == cuenta) {
                fila = anterior_[k].second;
                cursor_ = k + 1;
                break;
            }
        }
        if (!fila) {
            std::vector<Suma>*& nueva = sumas_[ClaveCuenta(cuenta)];
            if (!nueva)
                nueva = &filas_.emplace_back(ctx_.Meses->size());
            fila = nueva;
        }
        actual_.emplace_back(cuenta, fila);
        return *fila;
    }
    void ProximoMes() {
        anterior_ = std::move(actual_);
        actual_.clear();
        actual_.reserve(anterior_.size());
        cursor_ = 0;
    }

    // The generation asks for one account at a time, month after month: the
    // last account's answers are kept.
    const std::vector<Suma>* SumasDe(const QString& Codigo) {
        if (!consultadaSumas_ || Codigo != codigoSumas_) {
            codigoSumas_ = Codigo;
            consultadaSumas_ = true;
            auto it = sumas_.constFind(ClaveCuenta(Codigo));
            sumasCuenta_ = it == sumas_.cend() ? nullptr : *it;
        }
        return sumasCuenta_;
    }

    int SerieDe(const QString& Codigo) {
        if (!consultadaSerie_ || Codigo != codigoSerie_) {
            codigoSerie_ = Codigo;
            consultadaSerie_ = true;
            serieCuenta_ = series_.value(ClaveRecortada(Codigo), 0);
        }
        return serieCuenta_;
    }

    void LeeIndices() {
        auto rs =
            Abre(QStringLiteral("SELECT CODIGO, INDICE, AJUSTE, DESCRIPCION FROM MA_CUENTAS"));
        for (; !rs->EOF(); rs->MoveNext()) {
            const QString clave = ClaveRecortada(Texto(rs->value(0)));
            if (vb::CBool(rs->value(2)) && !series_.contains(clave))
                series_.insert(clave, int(vb::CLng(rs->value(1))));
            if (!descripciones_.contains(clave))
                descripciones_.insert(clave, Texto(rs->value(3)));
        }
        rs = Abre(QStringLiteral("SELECT ANIO, MES, INDICE1, INDICE2, INDICE3, INDICE4 FROM "
                                 "MA_INDAJUSTE"));
        for (; !rs->EOF(); rs->MoveNext()) {
            const auto clave = qMakePair(int(vb::CLng(rs->value(0))), int(vb::CLng(rs->value(1))));
            if (!coeficientes_.contains(clave)) {
                Coeficientes c;
                c.Texto = {rs->value(2), rs->value(3), rs->value(4), rs->value(5)};
                coeficientes_.insert(clave, c);
            }
        }
        // The months of the years read, one after another, for the lookups
        // of every account and month (the hash stays as it is from here on).
        int desde = INT_MAX, hasta = INT_MIN;
        for (auto it = coeficientes_.cbegin(); it != coeficientes_.cend(); ++it) {
            desde = std::min(desde, it.key().first);
            hasta = std::max(hasta, it.key().first);
        }
        if (desde <= hasta && qint64(hasta) - desde < 200) {
            anioBase_ = desde;
            tabla_.assign(size_t(hasta - desde + 1) * 12, nullptr);
            for (auto it = coeficientes_.begin(); it != coeficientes_.end(); ++it)
                if (it.key().second >= 1 && it.key().second <= 12)
                    tabla_[size_t(it.key().first - desde) * 12 + size_t(it.key().second - 1)] =
                        &*it;
        }
    }

    bool preparada_ = false;
    // The codes of the last month read and of the one being read, with
    // their sums.
    using Codigos = std::vector<std::pair<QString, std::vector<Suma>*>>;
    Codigos anterior_;
    Codigos actual_;
    size_t cursor_ = 0;
    QSet<QString> depreciaciones_;
    QHash<QString, Apertura> aperturas_;
    std::deque<std::vector<Suma>> filas_; // in place for good once made
    QHash<QString, std::vector<Suma>*> sumas_;
    QHash<QString, int> series_;
    QHash<QString, QString> descripciones_;
    // A month's four coefficients as read, each made a number on first use
    // (a value no month of the run uses never has to be one).
    struct Coeficientes {
        std::array<QVariant, 4> Texto;
        std::array<double, 4> Valor{};
        std::array<bool, 4> Leido{};
    };
    QHash<QPair<int, int>, Coeficientes> coeficientes_;
    std::vector<Coeficientes*> tabla_; // by (year - anioBase_) * 12 + month - 1
    int anioBase_ = 0;
    QString codigoSumas_;
    bool consultadaSumas_ = false;
    const std::vector<Suma>* sumasCuenta_ = nullptr;
    QString codigoSerie_;
    bool consultadaSerie_ = false;
    int serieCuenta_ = 0;
    std::optional<QDate> cierreAnterior_;
    std::optional<QDate> inicio_;
    std::optional<QDate> cierre_;
    std::optional<QDate> fin_;
    bool finLeido_ = false;
};

} // namespace

// ---- Generation -------------------------------------------------------------------------

const QString& GeneracionAjuste::TituloCartel() {
    static const QString t = QStringLiteral("Generando Asiento de Ajuste...");
    return t;
}

const QString& GeneracionAjuste::AvisoNoGrabable() {
    static const QString t = QStringLiteral("El asiento no puede grabarse.");
    return t;
}

GeneracionAjuste::GeneracionAjuste(LineasAjuste& Lineas, const QString& Ejercicio, Lectura lectura,
                                   DiaFinal diaFinal)
    : lineas_(Lineas), ejercicio_(Recorta(Ejercicio)), diaFinal_(std::move(diaFinal)) {
    if (lectura == Lectura::Agrupada)
        fuente_ = std::make_unique<FuenteAgrupada>();
    else
        fuente_ = std::make_unique<Fuente>();
    if (!diaFinal_)
        diaFinal_ = &GeneracionAjuste::UltimoDiaMes;
    if (lineas_.empty())
        lineas_.resize(1);
}

GeneracionAjuste::~GeneracionAjuste() = default;

std::int16_t GeneracionAjuste::UltimoDiaMes(const QString& Mes, const QString& Anio) {
    // Bounded: a month that forms no date on any day gives 0 instead of
    // looping for ever.
    for (int dia = 31; dia >= 28; --dia)
        if (vb::ParseDate(QString::number(dia) + u'/' + Mes + u'/' + Anio))
            return std::int16_t(dia);
    return 0;
}

std::vector<GeneracionAjuste::Mes> GeneracionAjuste::Meses(const QString& PeriodoDesde,
                                                           const QString& PeriodoHasta,
                                                           int MesDesde, int AnioDesde) {
    std::vector<Mes> meses;
    const QDate finRango =
        FechaDe(QString::number(UltimoDiaMes(PeriodoHasta.left(2), PeriodoHasta.mid(3))) + u'/' +
                PeriodoHasta);
    Mes m;
    m.Inicio = QStringLiteral("01/") + PeriodoDesde;
    m.Fin = QString::number(UltimoDiaMes(PeriodoDesde.left(2), PeriodoDesde.mid(3))) + u'/' +
            PeriodoDesde;
    m.Numero = MesDesde;
    m.Anio = AnioDesde;
    while (!(finRango < FechaDe(m.Fin))) {
        meses.push_back(m);
        if (++m.Numero > 12) {
            m.Numero = 1;
            ++m.Anio;
        }
        m.Inicio = TextoFecha(vb::AddMonths(FechaDe(m.Inicio), 1));
        const QString fin = TextoFecha(vb::AddMonths(FechaDe(m.Fin), 1));
        m.Fin = QString::number(diaFinal_(fin.mid(3, 2), fin.right(4))) + u'/' + fin.mid(3);
    }
    return meses;
}

GeneracionAjuste::Fin GeneracionAjuste::Genera_Asiento(const QString& PeriodoDesde,
                                                       const QString& PeriodoHasta,
                                                       bool IncluirProforma) {
    ProgressBanner& cartel = CNStuffContable::gCartel();
    mensaje_.clear();
    posicion_.clear();
    for (int i = 1; i < int(lineas_.size()); ++i) {
        const QString c = Recorta(lineas_[size_t(i)].Cuenta);
        if (!posicion_.contains(c))
            posicion_.insert(c, i);
    }

    Fin fin = Fin::Completa;
    reexpresa_.reset();
    if (RechazaRango(PeriodoDesde, PeriodoHasta)) {
        mensaje_ = MensajeRango();
        return Fin::Falla;
    }
    try {
        Contexto ctx;
        ctx.Ejercicio = ejercicio_;
        ctx.Filtro =
            IncluirProforma ? QString() : QStringLiteral(" AND (TC<>'CBFP' AND TC<>'FP') ");
        const int MesDesde = Entero16(PeriodoDesde.section(u'/', 0, 0));
        const int AnioDesde = Entero16(PeriodoDesde.section(u'/', 1));
        // Only checked here: the range's end is read from the text itself.
        Entero16(PeriodoHasta.section(u'/', 0, 0));
        Entero16(PeriodoHasta.section(u'/', 1));

        // Open before the first read, so the operator sees the run and may
        // cancel it from the start.
        cartel.CartelInicio(TituloCartel(), true);
        auto cuentas = fuente_->Cuentas();
        if (cuentas->EOF()) {
            cartel.CartelCerrar();
            NetoLineas(lineas_);
            return fin;
        }
        meses_ = Meses(PeriodoDesde, PeriodoHasta, MesDesde, AnioDesde);
        ctx.InicioRango = QStringLiteral("01/") + PeriodoDesde;
        ctx.FinRango = QString::number(UltimoDiaMes(PeriodoHasta.left(2), PeriodoHasta.mid(3))) +
                       u'/' + PeriodoHasta;
        ctx.Meses = &meses_;
        ctx.Sigue = [this] { return !Cancela(std::nullopt); };
        if (!fuente_->Prepara(ctx))
            fin = Fin::Cancelada;

        for (; fin == Fin::Completa && !cuentas->EOF(); cuentas->MoveNext()) {
            const QString fila = Texto(cuentas->value(QStringLiteral("Codigo")));
            if (fuente_->EsDepreciacion(fila))
                continue;
            const QString codigo = Recorta(fila);
            std::optional<Apertura> apertura = fuente_->PrimeraApertura(codigo);
            // A later run of the year finds the opening restated already.
            if (apertura && !ReexpresaApertura(MesDesde, AnioDesde))
                apertura.reset();
            if (!apertura && !fuente_->HayMovimientos(codigo))
                continue;
            // Every account the run restates shows on the banner, and a
            // cancel is acted on whichever step the account takes.
            if (Cancela(codigo)) {
                fin = Fin::Cancelada;
                break;
            }
            if (apertura && !PasoApertura(codigo, apertura->Importe, apertura->DebeHaber))
                fin = Fin::FaltaIndice;
            else if (!PasoMeses(codigo))
                fin = Fin::FaltaIndice;
        }
        cartel.CartelCerrar();
    } catch (const vb::ProgramEnded&) {
        cartel.CartelCerrar();
        throw;
    } catch (const std::exception& e) {
        cartel.CartelCerrar();
        fin = Fin::Falla;
        mensaje_ = ErrorDe(e).Description + vb::vbCrLf + AvisoNoGrabable();
        vb::MsgBox(mensaje_);
    }
    NetoLineas(lineas_);
    return fin;
}

bool GeneracionAjuste::Cancela(const std::optional<QString>& Codigo) {
    ProgressBanner& cartel = CNStuffContable::gCartel();
    bool cancelado = false;
    if (Codigo)
        cartel.CartelMostrar(cancelado, QStringLiteral("Procesando ") + *Codigo);
    else
        cartel.CartelMostrar(cancelado);
    if (!cancelado)
        return false;
    cartel.Siempre_Visible(false);
    if (vb::MsgBox(QStringLiteral("¿Realmente desea Cancelar el Proceso?"),
                   vb::vbQuestion | vb::vbYesNo) == vb::vbYes)
        return true;
    // Only a fresh banner forgets the cancel.
    cartel.CartelCerrar();
    cartel.CartelInicio(TituloCartel(), true);
    if (Codigo)
        cartel.CartelMostrar(cancelado, QStringLiteral("Procesando") + *Codigo);
    return false;
}

bool GeneracionAjuste::Detiene(const QString& Codigo, const QString& Mes, const QString& Anio) {
    CNStuffContable::gCartel().CartelCerrar();
    mensaje_ = QStringLiteral("No Existe el Indice para la Cuenta ") + Codigo +
               QStringLiteral(" Periodo: ") + Mes + u'/' + Anio + vb::vbCrLf + AvisoNoGrabable();
    vb::MsgBox(mensaje_);
    return false;
}

bool GeneracionAjuste::ReexpresaApertura(int MesDesde, int AnioDesde) {
    if (!reexpresa_) {
        const QDate inicio = fuente_->InicioEjercicio();
        reexpresa_ = inicio.year() == AnioDesde && inicio.month() == MesDesde;
    }
    return *reexpresa_;
}

bool GeneracionAjuste::PasoApertura(const QString& Codigo, vb::Currency Importe,
                                    const QString& DebeHaber) {
    const QDate base = fuente_->CierreAnterior();
    const QDate cierre = fuente_->CierreEjercicio();

    const double IdxBase = fuente_->Indice(Codigo, base.year(), base.month());
    if (IdxBase == 0)
        return Detiene(Codigo, QString::number(base.month()), QString::number(base.year()));
    const double IdxCierre = fuente_->Indice(Codigo, cierre.year(), cierre.month());
    if (IdxCierre == 0)
        return Detiene(Codigo, QString::number(cierre.month()), QString::number(cierre.year()));

    // The opening balance originates in the closing month of the previous
    // year, so it is restated by that month's coefficient (IdxBase), as
    // each month's movements are by their own month's.
    vb::Currency diferencia = Importe * IdxBase - Importe;
    if (diferencia < vb::Currency())
        diferencia = -diferencia;
    const bool debe = DebeHaber.compare(QStringLiteral("D"), Qt::CaseInsensitive) == 0;
    AcumulaLinea(Codigo, diferencia, debe ? QStringLiteral("D") : QStringLiteral("H"));
    return true;
}

bool GeneracionAjuste::PasoMeses(const QString& Codigo) {
    if (const auto f = fuente_->FinEjercicio())
        finEjercicio_ = *f;
    const QDate& finEjercicio = finEjercicio_;
    const int finAnio = finEjercicio.year(), finMes = finEjercicio.month();
    // The account's line, once it has one.
    TipoLineaAjuste* linea = nullptr;
    for (int i = 0; i < int(meses_.size()); ++i) {
        const Mes& m = meses_[size_t(i)];
        const vb::Currency neto = fuente_->Neto(Codigo, i);
        const double IdxMes = fuente_->Indice(Codigo, m.Anio, m.Numero);
        const double IdxCierre = fuente_->Indice(Codigo, finAnio, finMes);
        if (IdxCierre == 0)
            return Detiene(Codigo, QString::number(finMes), QString::number(finAnio));
        if (IdxMes == 0)
            return Detiene(Codigo, QString::number(m.Numero), QString::number(m.Anio));

        const vb::Currency diferencia = neto * IdxMes - neto;
        const bool haber = diferencia < vb::Currency();
        const vb::Currency importe = haber ? -diferencia : diferencia;
        if (!linea) {
            AcumulaLinea(Codigo, importe, haber ? QStringLiteral("H") : QStringLiteral("D"));
            linea = &lineas_[size_t(posicion_.value(Recorta(Codigo)))];
            continue;
        }
        std::optional<vb::Currency>& lado = haber ? linea->Haber : linea->Debe;
        lado = lado.value_or(vb::Currency()) + importe;
    }
    return true;
}

double GeneracionAjuste::PorcentajeIndice(const QString& QueCuenta, const QString& Anio,
                                          const QString& Mes) {
    double resultado = 0;
    int serie = 0;
    bool termina = false;
    ado::RecordsetPtr rs;
    const std::array<std::function<void()>, 4> pasos = {
        [&] {
            rs = Abre(QStringLiteral("SELECT INDICE AS VALORINDICE FROM MA_CUENTAS WHERE (AJUSTE "
                                     "= 1) AND LTRIM(RTRIM(CODIGO))=") +
                      sqltext::literal(QueCuenta));
        },
        [&] {
            if (rs->EOF())
                termina = true;
            else
                serie = int(vb::CLng(rs->value(0)));
        },
        [&] {
            if (serie < 1 || serie > 4) {
                termina = true;
                return;
            }
            // A failed open passed over must leave nothing behind to read:
            // the account's row would give its series as the coefficient.
            rs.reset();
            rs = Abre(QStringLiteral("SELECT INDICE") + QString::number(serie) +
                      QStringLiteral(" FROM MA_INDAJUSTE WHERE ANIO=") + Anio +
                      QStringLiteral(" AND MES = ") + Mes);
        },
        [&] {
            if (!rs->EOF())
                resultado = vb::CDbl(rs->value(0));
        },
    };
    for (size_t i = 0; i < pasos.size() && !termina;) {
        try {
            pasos[i]();
            ++i;
        } catch (const vb::ProgramEnded&) {
            throw;
        } catch (const std::exception& e) {
            CNStuffContable::gCartel().CartelCerrar();
            const int r = ClsUtilidades::ReportaError(ErrorDe(e), std::nullopt,
                                                      QStringLiteral("PorcentajeIndice"));
            if (r == vb::vbRetry)
                continue;
            if (r != vb::vbIgnore)
                return resultado;
            ++i;
            // A step that was passed over leaves nothing to read.
            if (!rs || rs->State() == ado::adStateClosed)
                return resultado;
        }
    }
    return resultado;
}

void GeneracionAjuste::AcumulaLinea(const QString& Cuenta, vb::Currency Importe,
                                    const QString& DebeHaber) {
    const QString codigo = Recorta(Cuenta);
    const bool debe = DebeHaber.compare(QStringLiteral("D"), Qt::CaseInsensitive) == 0;
    auto it = posicion_.constFind(codigo);
    if (it != posicion_.cend()) {
        TipoLineaAjuste& l = lineas_[size_t(*it)];
        std::optional<vb::Currency>& lado = debe ? l.Debe : l.Haber;
        lado = lado.value_or(vb::Currency()) + Importe;
        return;
    }
    TipoLineaAjuste l;
    l.setCuenta(codigo);
    (debe ? l.Debe : l.Haber) = Importe;
    l.setDescripcion(fuente_->Descripcion(codigo));
    lineas_.push_back(l);
    posicion_.insert(codigo, int(lineas_.size()) - 1);
}

void GeneracionAjuste::AcumulaLinea(LineasAjuste& Lineas, const QString& Cuenta,
                                    vb::Currency Importe, const QString& DebeHaber) {
    if (Lineas.empty())
        Lineas.resize(1);
    const QString codigo = Recorta(Cuenta);
    const bool debe = DebeHaber.compare(QStringLiteral("D"), Qt::CaseInsensitive) == 0;
    // Element 0 is never a line, so it never takes an amount.
    for (size_t i = 1; i < Lineas.size(); ++i) {
        if (Recorta(Lineas[i].Cuenta) == codigo) {
            std::optional<vb::Currency>& lado = debe ? Lineas[i].Debe : Lineas[i].Haber;
            lado = lado.value_or(vb::Currency()) + Importe;
            return;
        }
    }
    TipoLineaAjuste l;
    l.setCuenta(codigo);
    (debe ? l.Debe : l.Haber) = Importe;
    l.setDescripcion(gDatos()
                         .DatosTabla(QStringLiteral("MA_CUENTAS"), codigo,
                                     QStringLiteral("DESCRIPCION"), QStringLiteral("CODIGO"), 8)
                         .toString());
    Lineas.push_back(l);
}

void GeneracionAjuste::NetoLineas(LineasAjuste& Lineas) {
    for (TipoLineaAjuste& l : Lineas) {
        if (l.Debe && l.Haber) {
            const vb::Currency neto = *l.Debe - *l.Haber;
            if (neto < vb::Currency()) {
                l.Debe.reset();
                l.Haber = Centavos(-neto);
            } else {
                l.Debe = Centavos(neto);
                l.Haber.reset();
            }
        } else if (l.Debe || l.Haber) {
            std::optional<vb::Currency>& lado = l.Debe ? l.Debe : l.Haber;
            lado = Centavos(*lado);
        }
    }
}

vb::Currency GeneracionAjuste::Centavos(vb::Currency Importe) {
    const std::int64_t v = Importe.raw();
    std::int64_t resto = v % 100;
    std::int64_t base = v - resto;
    if (resto >= 50)
        base += 100;
    else if (resto <= -50)
        base -= 100;
    return vb::Currency::fromRaw(base);
}

void GeneracionAjuste::Totales(const LineasAjuste& Lineas, vb::Currency& Debe,
                               vb::Currency& Haber) {
    Debe = Haber = vb::Currency();
    for (const TipoLineaAjuste& l : Lineas) {
        Debe += l.Debe.value_or(vb::Currency());
        Haber += l.Haber.value_or(vb::Currency());
    }
}

vb::Currency GeneracionAjuste::DiferenciaTotales(const LineasAjuste& Lineas) {
    vb::Currency debe, haber;
    Totales(Lineas, debe, haber);
    const QString patron = QStringLiteral("#########.00");
    return ClsUtilidades::TextoAMoneda(vb::Format(vb::fromCurrency(debe), patron)) -
           ClsUtilidades::TextoAMoneda(vb::Format(vb::fromCurrency(haber), patron));
}

void GeneracionAjuste::Balancea(LineasAjuste& Lineas, const QString& CtaRei) {
    const vb::Currency diferencia = DiferenciaTotales(Lineas);
    const QString rei = Recorta(CtaRei);
    if (diferencia == vb::Currency() || rei.isEmpty())
        return;
    const bool debe = diferencia < vb::Currency();
    AcumulaLinea(Lineas, rei, debe ? -diferencia : diferencia,
                 debe ? QStringLiteral("D") : QStringLiteral("H"));
    // The REI account may be adjustable and already carry the other side.
    NetoLineas(Lineas);
}

const QString& GeneracionAjuste::MensajeRango() {
    static const QString t = QStringLiteral("Periodo Desde Mayor que Hasta!");
    return t;
}

bool GeneracionAjuste::RechazaRango(const QString& PeriodoDesde, const QString& PeriodoHasta) {
    const auto desde = vb::ParseDate(QStringLiteral("01/") + Recorta(PeriodoDesde));
    const auto hasta = vb::ParseDate(QStringLiteral("01/") + Recorta(PeriodoHasta));
    if (!desde || !hasta || !(hasta->date() < desde->date()))
        return false;
    vb::MsgBox(MensajeRango(), vb::vbExclamation, QStringLiteral("Aviso al Operador"));
    return true;
}

GeneracionAjuste::Resultado GeneracionAjuste::Genera(const Parametros& p, DiaFinal diaFinal) {
    Resultado r;
    r.Lineas.resize(1);
    GeneracionAjuste g(r.Lineas, p.Ejercicio, p.lectura, std::move(diaFinal));
    r.fin = g.Genera_Asiento(Recorta(p.PeriodoDesde), Recorta(p.PeriodoHasta), p.IncluirProforma);
    r.Mensaje = g.Mensaje();
    Balancea(r.Lineas, p.CtaRei);
    return r;
}
