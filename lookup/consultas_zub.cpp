#include "lookup/consultas_zub.h"

#include "platform/win/quindel2.h"

#include <QFile>
#include <QSaveFile>

namespace consultas_zub {

namespace {

constexpr int InicioTabla = AnchoLibre;
constexpr int InicioCampos = InicioTabla + AnchoTabla;
constexpr int InicioCondicion = InicioCampos + AnchoCampos;
constexpr int InicioFin = InicioCondicion + AnchoCondicion;
static_assert(InicioFin + 2 == LargoRegistro);

// Writers of the suite pad with NUL or fill with character 255.
QString Limpio(const QByteArray& registro, int inicio, int ancho) {
    QString texto = quindel2::decodeWindows1252(registro.mid(inicio, ancho));
    texto.remove(QChar(0));
    texto.remove(QChar(0xFF));
    return texto.trimmed();
}

bool Campo(QByteArray& registro, int inicio, int ancho, const QString& texto, const char* nombre,
           QString& error) {
    const QByteArray bytes = quindel2::encodeWindows1252(texto);
    if (quindel2::decodeWindows1252(bytes) != texto) {
        error = QStringLiteral("%1 \"%2\": has characters that Windows-1252 lacks")
                    .arg(QLatin1String(nombre), texto);
        return false;
    }
    if (bytes.size() > ancho) {
        error = QStringLiteral("%1 \"%2\": %3 bytes, the field holds %4")
                    .arg(QLatin1String(nombre), texto)
                    .arg(bytes.size())
                    .arg(ancho);
        return false;
    }
    registro.replace(inicio, bytes.size(), bytes);
    return true;
}

} // namespace

std::optional<MascaraConsulta> BuscaMascara(const QString& Ruta, const QString& Tabla) {
    QFile archivo(quindel2::localPath(Ruta));
    if (!archivo.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QString buscada = Tabla.trimmed();
    for (;;) {
        // A short last record reads as if the rest were cleared.
        QByteArray registro = archivo.read(LargoRegistro);
        if (registro.isEmpty())
            return std::nullopt; // end of file, or a read error
        registro.append(QByteArray(LargoRegistro - registro.size(), '\0'));
        if (Limpio(registro, InicioTabla, AnchoTabla).compare(buscada, Qt::CaseInsensitive) != 0)
            continue;
        return MascaraConsulta{
            quindel2::decodeWindows1252(registro.left(AnchoLibre)),
            Limpio(registro, InicioTabla, AnchoTabla),
            Limpio(registro, InicioCampos, AnchoCampos),
            Limpio(registro, InicioCondicion, AnchoCondicion),
        };
    }
}

bool GrabaMascaras(const QString& Ruta, const std::vector<MascaraConsulta>& Registros,
                   QString& Error) {
    QByteArray contenido;
    contenido.reserve(qsizetype(Registros.size()) * LargoRegistro);
    for (const MascaraConsulta& m : Registros) {
        QByteArray registro(LargoRegistro, ' ');
        registro[LargoRegistro - 2] = '\r';
        registro[LargoRegistro - 1] = '\n';
        if (!Campo(registro, 0, AnchoLibre, m.Libre, "free text", Error) ||
            !Campo(registro, InicioTabla, AnchoTabla, m.Tabla, "table", Error) ||
            !Campo(registro, InicioCampos, AnchoCampos, m.Campos, "columns", Error) ||
            !Campo(registro, InicioCondicion, AnchoCondicion, m.Condicion, "condition", Error))
            return false;
        contenido.append(registro);
    }
    QSaveFile archivo(Ruta);
    if (!archivo.open(QIODevice::WriteOnly) || archivo.write(contenido) != contenido.size() ||
        !archivo.commit()) {
        Error = QStringLiteral("%1: %2").arg(Ruta, archivo.errorString());
        return false;
    }
    return true;
}

} // namespace consultas_zub
