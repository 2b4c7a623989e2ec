#include "platform/win/clsutilidades.h"

#include "platform/sql/quoting.h"
#include "platform/vb/msgbox.h"
#include "platform/win/desktop.h"

#include <QRegularExpression>
#include <QStringDecoder>

namespace {

MotorSQL gMotor = MotorSQL::SQLite;
bool gCursorEspera = false;

bool esSeparador(QChar c) {
    return c == u'\\' || c == u'/';
}

// Fixed mask of the password obfuscation (not encryption: whoever has the
// program reads the password back).
const QByteArray kClave = QByteArrayLiteral("Quindel2");
unsigned char clave(qsizetype i) {
    return static_cast<unsigned char>(kClave.at(i % kClave.size()) + 7 * i);
}

} // namespace

QString ClsUtilidades::ValorCampo(const QVariant& valor) {
    if (valor.typeId() == QMetaType::QString) // most fields: no conversion to look for
        return valor.toString();
    if (vb::IsNull(valor) || vb::IsEmpty(valor))
        return QString();
    return vb::CStr(valor);
}

QString ClsUtilidades::ValorCampo(const ado::Field& campo) {
    return ValorCampo(campo.Value());
}

QString ClsUtilidades::CarpetaConBarra(const QString& carpeta) {
    if (carpeta.isEmpty())
        return carpeta;
    qsizetype fin = carpeta.size();
    while (fin > 0 && esSeparador(carpeta.at(fin - 1)))
        --fin;
    if (fin == carpeta.size())
        return carpeta + u'/';
    // Keep the first separator of the trailing run.
    return carpeta.left(fin + 1);
}

QString ClsUtilidades::LimpiaTexto(const QString& texto, const QString& caracteres,
                                   const QString& caracteres2) {
    QString r;
    r.reserve(texto.size());
    for (QChar c : texto) {
        if (!caracteres.contains(c) && !caracteres2.contains(c))
            r.append(c);
    }
    return r;
}

QString ClsUtilidades::CambiaCaracter(const QString& texto, const QString& buscado,
                                      const QString& reemplazo) {
    if (buscado.isEmpty())
        return texto;
    return QString(texto).replace(buscado, reemplazo, Qt::CaseSensitive);
}

QString ClsUtilidades::ReemplazaTexto(const QString& texto, const QString& buscado,
                                      const QString& reemplazo) {
    if (buscado.isEmpty())
        return texto;
    return QString(texto).replace(buscado, reemplazo, Qt::CaseInsensitive);
}

QString ClsUtilidades::PrimerosCaracteres(const QString& texto, int n) {
    return n <= 0 ? QString() : texto.left(n);
}

QString ClsUtilidades::CortaTexto(const QString& texto, int n) {
    return PrimerosCaracteres(texto, n);
}

vb::Currency ClsUtilidades::TextoAMoneda(const QString& texto) {
    return vb::CCur(QVariant(texto.trimmed()));
}

double ClsUtilidades::TextoANumero(const QString& texto) {
    return vb::CDbl(QVariant(texto.trimmed()));
}

int ClsUtilidades::TextoAEntero(const QString& texto) {
    return int(vb::CLng(QVariant(TextoANumero(texto))));
}

bool ClsUtilidades::EsNumero(const QString& texto) {
    if (texto.isEmpty())
        return false;
    for (QChar c : texto) {
        if (c.isSpace() || c.isNull())
            return false;
    }
    return vb::IsNumeric(QVariant(texto));
}

bool ClsUtilidades::EsVacio(const QString& texto) {
    for (QChar c : texto) {
        if (!c.isSpace() && !c.isNull())
            return false;
    }
    return true;
}

bool ClsUtilidades::EsCodigoNumerico(const QString& texto) {
    for (QChar c : texto) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}

int ClsUtilidades::CuentaPalabras(const QString& texto) {
    return int(texto.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts).size());
}

QString ClsUtilidades::RellenaCeros(const QString& texto, int ancho) {
    // Only number codes are stored zero-filled ("0001"); a letter code is
    // stored as typed ("FC"), and filled it would name no row.
    if (texto.isEmpty() || ancho <= 0 || !EsCodigoNumerico(texto))
        return texto;
    if (texto.size() >= ancho)
        return texto.right(ancho);
    return QString(ancho - texto.size(), u'0') + texto;
}

QString ClsUtilidades::FechaParaSQL(const QString& fecha) {
    return FechaParaSQL(fecha, gMotor);
}

QString ClsUtilidades::FechaParaSQL(const QString& fecha, MotorSQL motor) {
    const std::optional<QDateTime> d = vb::ParseDate(fecha.trimmed());
    if (!d)
        return QStringLiteral("NULL");
    const QDate dia = d->date();
    switch (motor) {
    case MotorSQL::SqlServer:
        return sqltext::literal(dia.toString(QStringLiteral("yyyyMMdd")));
    case MotorSQL::Oracle:
        return QStringLiteral("TO_DATE('%1','YYYY-MM-DD')")
            .arg(dia.toString(QStringLiteral("yyyy-MM-dd")));
    case MotorSQL::SQLite:
        break;
    }
    return sqltext::literal(dia.toString(QStringLiteral("yyyy-MM-dd")) +
                            QStringLiteral(" 00:00:00"));
}

QString ClsUtilidades::FechaHoraParaSQL(const QDateTime& fecha) {
    return FechaHoraParaSQL(fecha, gMotor);
}

QString ClsUtilidades::FechaHoraParaSQL(const QDateTime& fecha, MotorSQL motor) {
    if (!fecha.isValid())
        return QStringLiteral("NULL");
    const QString dia = fecha.toString(QStringLiteral("yyyy-MM-dd"));
    QString hora = fecha.toString(QStringLiteral("hh:mm:ss"));
    switch (motor) {
    case MotorSQL::Oracle:
        // DATE keeps whole seconds.
        return QStringLiteral("TO_DATE('%1 %2','YYYY-MM-DD HH24:MI:SS')").arg(dia, hora);
    case MotorSQL::SqlServer:
    case MotorSQL::SQLite:
        break;
    }
    if (fecha.time().msec() != 0)
        hora += fecha.toString(QStringLiteral(".zzz"));
    return sqltext::literal(dia + (motor == MotorSQL::SqlServer ? u'T' : u' ') + hora);
}

void ClsUtilidades::setMotorSQL(MotorSQL motor) {
    gMotor = motor;
}

MotorSQL ClsUtilidades::motorSQL() {
    return gMotor;
}

int ClsUtilidades::ReportaError(const ado::Error& error, std::optional<int> botones,
                                const std::optional<QString>& rutina) {
    if (error.Number == 0)
        return 0;
    // Error numbers are 32-bit: &H80004005 shows as -2147467259.
    const QString mensaje = QStringLiteral("Ha ocurrido el Siguiente Error (") +
                            QString::number(static_cast<qint32>(error.Number)) +
                            QStringLiteral(") ") + error.Description.trimmed();
    const QString parteRutina = rutina ? QStringLiteral(" - ") + *rutina : QString();
    const QString titulo = error.Source + parteRutina + QStringLiteral(" Aviso al operador!!! ");
    const int estilo = botones.value_or(vb::vbAbortRetryIgnore | vb::vbCritical);
    return vb::MsgBox(mensaje, estilo, titulo);
}

QString ClsUtilidades::CodificaClave(const QString& clave_) {
    QByteArray bytes = clave_.toUtf8();
    for (qsizetype i = 0; i < bytes.size(); ++i)
        bytes[i] = char(static_cast<unsigned char>(bytes[i]) ^ clave(i));
    return QString::fromLatin1(bytes.toHex().toUpper());
}

QString ClsUtilidades::DecodificaClave(const QString& codificada) {
    if (codificada.size() % 2 != 0)
        return codificada;
    for (QChar c : codificada) {
        if (!((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f')))
            return codificada;
    }
    QByteArray bytes = QByteArray::fromHex(codificada.toLatin1());
    for (qsizetype i = 0; i < bytes.size(); ++i)
        bytes[i] = char(static_cast<unsigned char>(bytes[i]) ^ clave(i));
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString texto = utf8.decode(bytes);
    if (utf8.hasError())
        return codificada;
    return texto;
}

void ClsUtilidades::CursorEspera(bool activar) {
    if (activar == gCursorEspera)
        return;
    gCursorEspera = activar;
    quindel2::desktop().setWaitCursor(activar);
}

void ClsUtilidades::PreparaFormulario(QWidget* formulario, int modo) {
    quindel2::desktop().prepareWindow(formulario, modo);
}

bool ClsUtilidades::PideFecha(QString& fecha) {
    return quindel2::desktop().chooseDate(fecha);
}
