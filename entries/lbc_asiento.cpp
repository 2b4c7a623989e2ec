#include "entries/lbc_asiento.h"

#include "data/db_dll.h"
#include "data/instances.h"
#include "entries/lbc_interno.h"
#include "platform/vb/errors.h"
#include "platform/vb/vb.h"
#include "startup/core/cns_pasos.h"
#include "startup/core/cnstuffcontable.h"

#include <QRegularExpression>
#include <cmath>
#include <stdexcept>

QString Lbc_Asiento::TipoRegResumen() {
    return QString(QChar(255)) + QStringLiteral("RS");
}

Lbc_Asiento::ClaseLinea Lbc_Asiento::ClaseDeLinea(const QString& TipoReg, bool EsResumen,
                                                  bool EsAjuste, bool EsSaldoApertura) {
    if (EsSaldoApertura)
        return ClaseLinea::SaldoApertura;
    if (EsResumen || TipoReg.trimmed() == TipoRegResumen())
        return ClaseLinea::Resumen;
    if (!TipoReg.trimmed().isEmpty())
        return ClaseLinea::Subdiario;
    return EsAjuste ? ClaseLinea::Ajuste : ClaseLinea::General;
}

bool Lbc_Asiento::SerieGeneral(const QString& TipoReg) {
    const QString t = TipoReg.trimmed();
    return t.isEmpty() || t == TipoRegResumen();
}

Lbc_Asiento::Lbc_Asiento() {
    QString aux;
    PeriodoActual_ = lbc::Entero16(CNStuffContable::Cfg(QStringLiteral("PERIODO"), aux));
}

Lbc_Asiento& Lbc_AsientoRef::get() {
    if (!objeto_)
        objeto_ = std::make_unique<Lbc_Asiento>();
    return *objeto_;
}

namespace lbc {

namespace {
pasos::OnError CajaOperador(const QString& rutina) {
    return [rutina](const ado::Error& e) {
        return pasos::ResumeFor(
            int(CNStuffContable::AvisaErrorOperador(e, std::nullopt, QVariant(rutina))));
    };
}
} // namespace

bool Atrapa(const QString& rutina, const std::function<int(int)>& paso) {
    return pasos::RunSteps(paso, CajaOperador(rutina), 0, pasos::Trap::AllErrors);
}

bool Atrapa(const QString& rutina, const std::vector<pasos::Step>& lista) {
    return pasos::RunSteps(lista, CajaOperador(rutina), pasos::Trap::AllErrors);
}

QString Num(const QString& texto) {
    static const QRegularExpression numero(QStringLiteral("^[+-]?[0-9]+(\\.[0-9]+)?$"));
    const QString t = texto.trimmed();
    if (!numero.match(t).hasMatch())
        vb::Raise(vb::errTypeMismatch);
    return t;
}

QString Decimal(double valor) {
    if (std::isfinite(valor) && valor == std::trunc(valor) && std::fabs(valor) < 1e15)
        return QString::number(static_cast<long long>(valor));
    return QString::number(valor, 'g', 15);
}

QString ValTexto(const QString& texto) {
    return Decimal(vb::Val(texto));
}

std::int16_t Entero16(const QString& texto) {
    static const QRegularExpression entero(QStringLiteral("^[+-]?[0-9]+$"));
    const QString t = texto.trimmed();
    if (!entero.match(t).hasMatch())
        vb::Raise(vb::errTypeMismatch);
    bool ok = false;
    const long long v = t.toLongLong(&ok);
    if (!ok || v < INT16_MIN || v > INT16_MAX)
        vb::Raise(vb::errOverflow);
    return static_cast<std::int16_t>(v);
}

std::int32_t Entero32(const QVariant& valor) {
    if (vb::IsNull(valor))
        vb::Raise(vb::errInvalidUseOfNull);
    if (valor.typeId() == QMetaType::QString && !vb::IsNumeric(valor))
        vb::Raise(vb::errTypeMismatch);
    try {
        const std::int64_t v = vb::CLng(valor);
        if (v < INT32_MIN || v > INT32_MAX)
            vb::Raise(vb::errOverflow);
        return static_cast<std::int32_t>(v);
    } catch (const std::overflow_error&) {
        vb::Raise(vb::errOverflow);
    }
}

QDateTime Fecha(const QVariant& valor) {
    if (vb::IsNull(valor))
        vb::Raise(vb::errInvalidUseOfNull);
    if (!vb::IsDate(valor))
        vb::Raise(vb::errTypeMismatch);
    return vb::CDate(valor);
}

double Numerico(const QVariant& valor) {
    if (vb::IsNull(valor) || vb::IsEmpty(valor))
        return 0;
    if (valor.typeId() == QMetaType::QString)
        return vb::Val(valor.toString());
    return vb::CDbl(valor);
}

bool Marcado(const QVariant& valor) {
    if (vb::IsNull(valor) || vb::IsEmpty(valor))
        return false;
    if (valor.typeId() == QMetaType::Bool)
        return valor.toBool();
    return vb::CDbl(valor) != 0;
}

void Abre(const QString& sql, ado::RecordsetPtr& rs, int cursor, int bloqueo) {
    gDatos().AbrirRecordset(sql, rs, gDatos().cnn(), cursor, bloqueo, -1, true);
}

void Suelta(ado::RecordsetPtr& rs) {
    CierraSinAviso(rs);
    rs.reset();
}

} // namespace lbc
