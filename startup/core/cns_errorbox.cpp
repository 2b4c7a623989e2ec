#include "startup/core/cnstuffcontable.h"

#include "data/pasos.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/vb.h"
#include "platform/win/clsutilidades.h"
#include "platform/win/quindel2.h"

#include <QDir>
#include <QFile>

namespace CNStuffContable {

namespace {

QString CarpetaTemporal() {
    for (const char* variable : {"TEMP", "TMP"}) {
        const QString carpeta = qEnvironmentVariable(variable).trimmed();
        if (!carpeta.isEmpty())
            return carpeta;
    }
    return QDir::tempPath();
}

// One line of the log: time, routine part, message and the answer's word.
QByteArray LineaLog(const QString& rutina, const QString& mensaje, int respuesta) {
    const QDateTime ahora = vb::Now();
    const QString linea = ahora.toString(QStringLiteral("MM-dd-yyyy")) + u' ' +
                          ahora.toString(QStringLiteral("HH:mm:ss")) + QStringLiteral(" Rutina: ") +
                          rutina.trimmed() + QStringLiteral(" Mensaje ") + mensaje.trimmed() +
                          QStringLiteral(" Respondió : ") + pasos::AnswerWord(respuesta) +
                          vb::vbCrLf;
    // A password quoted by an error's text stays out of the log.
    return quindel2::encodeWindows1252(quindel2::maskPasswords(linea));
}

} // namespace

QString ArchivoErrorOperador() {
    return ClsUtilidades::CarpetaConBarra(CarpetaTemporal()) + QStringLiteral("KQERR.LOG");
}

std::int16_t AvisaErrorOperador(const ado::Error& Err, std::optional<int> Botones,
                                const std::optional<QVariant>& Rutina) {
    const QString ruta = ArchivoErrorOperador();
    // The log is opened (and so created) before the box; a log that cannot be
    // opened never keeps the box from the operator.
    QFile log(ruta);
    const bool logAbierto = log.open(QIODevice::WriteOnly | QIODevice::Append);

    // Error numbers are 32-bit: &H80004005 shows as -2147467259.
    const QString mensaje = QStringLiteral("Ha ocurrido el Siguiente Error (") +
                            QString::number(static_cast<qint32>(Err.Number)) +
                            QStringLiteral(") ") + Err.Description.trimmed();
    QString rutina;
    if (Rutina)
        rutina = QStringLiteral(" - ") + vb::CStr(*Rutina);
    const QString titulo = Err.Source + rutina + QStringLiteral(" Aviso al operador!!! ");
    const int estilo = Botones.value_or(vb::vbAbortRetryIgnore | vb::vbCritical);

    int respuesta = 0;
    if (Err.Number != 0) {
        respuesta = vb::MsgBox(mensaje, estilo, titulo);
        if (logAbierto)
            log.write(LineaLog(rutina, mensaje, respuesta));
    }
    log.close();
    return static_cast<std::int16_t>(respuesta);
}

void AnotaErrorOperador(const QString& Mensaje, const QString& Rutina) {
    QFile log(ArchivoErrorOperador());
    if (log.open(QIODevice::WriteOnly | QIODevice::Append))
        log.write(LineaLog(QStringLiteral(" - ") + Rutina, Mensaje, vb::vbOK));
}

} // namespace CNStuffContable
