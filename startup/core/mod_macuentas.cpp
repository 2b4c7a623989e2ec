#include "startup/core/mod_macuentas.h"

#include "platform/vb/errors.h"
#include "platform/vb/vb.h"
#include "platform/win/clsentorno.h"
#include "platform/win/quindel2.h"
#include "startup/core/cnstuffcontable.h"

#include <array>
#include <cmath>
#include <optional>
#include <stdexcept>

namespace Mod_Macuentas {

namespace {

const std::array<const char*, 6> claves = {"DIGITOS_CAPITULO", "DIGITOS_SUBCAPITULO",
                                           "DIGITOS_RUBRO",    "DIGITOS_SUBRUBRO",
                                           "DIGITOS_CUENTA",   "DIGITOS_SUBCUENTA"};

std::array<std::int16_t*, 6> digitos() {
    using namespace CNStuffContable;
    return {&gDigitosNivel1, &gDigitosNivel2, &gDigitosNivel3,
            &gDigitosNivel4, &gDigitosNivel5, &gDigitosNivel6};
}

std::array<std::int16_t*, 6> fines() {
    using namespace CNStuffContable;
    return {&gFinNivel1, &gFinNivel2, &gFinNivel3, &gFinNivel4, &gFinNivel5, &gFinNivel6};
}

// The keys read while a NivelesDeUnaVez lives.
int vigentes = 0;
std::array<std::optional<double>, 6> leidos;

double ValorClave(int nivel) {
    std::optional<double>& leido = leidos[size_t(nivel)];
    if (vigentes > 0 && leido)
        return *leido;
    const double valor = vb::Val(CNStuffContable::Cfg(QString::fromLatin1(claves[size_t(nivel)])));
    if (vigentes > 0)
        leido = valor;
    return valor;
}

// To the nearest whole number, ties to even, as a 16-bit value.
std::int16_t Entero(double v) {
    const double r = std::nearbyint(v);
    if (!(r >= -32768.0 && r <= 32767.0))
        throw std::overflow_error(vb::ErrorText(vb::errOverflow).toStdString());
    return std::int16_t(r);
}

// Mid(Codigo, desde, largo) with 1-based desde; short or empty at the end.
QString Tramo(const QString& codigo, int desde, int largo) {
    if (largo <= 0 || desde < 1)
        return QString();
    return codigo.mid(desde - 1, largo);
}

} // namespace

NivelesDeUnaVez::NivelesDeUnaVez() {
    ++vigentes;
}

NivelesDeUnaVez::~NivelesDeUnaVez() {
    if (--vigentes == 0)
        leidos = {};
}

void CargaDigitosPlan() {
    const auto destino = digitos();
    for (int i = 0; i < 6; ++i)
        *destino[size_t(i)] = Entero(ValorClave(i));
}

void CargaNivelesPlan() {
    const auto destino = fines();
    double anterior = 0;
    for (int i = 0; i < 6; ++i) {
        const std::int16_t fin = Entero(ValorClave(i) + anterior);
        *destino[size_t(i)] = fin;
        anterior = fin;
    }
}

QString FormateaCuenta(const QString& Codigo) {
    using namespace CNStuffContable;
    CargaDigitosPlan();
    CargaNivelesPlan();
    const auto tam = digitos();
    const auto fin = fines();
    const qsizetype largo = Codigo.size();
    auto segmento = [&](int nivel) { // 0-based level
        const int desde = nivel == 0 ? 1 : *fin[size_t(nivel - 1)] + 1;
        return Tramo(Codigo, desde, *tam[size_t(nivel)]);
    };

    if (largo <= gFinNivel1)
        return Codigo.trimmed();
    // How many levels the code reaches beyond the first (1 to 5 "-").
    int niveles = 6;
    for (int i = 1; i < 6; ++i) {
        if (largo <= *fin[size_t(i)]) {
            niveles = i + 1;
            break;
        }
    }
    QStringList partes;
    for (int i = 0; i < std::min(niveles, 5); ++i)
        partes << segmento(i);
    QString resultado = partes.join(u'-');
    if (niveles == 6) {
        // Level 6 follows level 5 without a separator, then any surplus.
        resultado += segmento(5);
        if (largo > gFinNivel6)
            resultado += Codigo.mid(std::max<int>(gFinNivel6, 0));
    }
    return resultado;
}

std::int16_t MayusculaCodigo(std::int16_t KeyAscii) {
    static const QString alfabeto =
        QStringLiteral("0123456789.ABCDEFGHIJKLMNÑOPQRSTUVWXYZ.abcdefghijklmnñopqrstuvwxyz");
    if (KeyAscii <= 0 || KeyAscii > 255 || !CNStuffContable::gSoloMayusculas)
        return KeyAscii;
    const QString caracter =
        quindel2::decodeWindows1252(QByteArray(1, char(static_cast<unsigned char>(KeyAscii))));
    if (caracter.size() != 1 || !alfabeto.contains(caracter, Qt::CaseInsensitive))
        return KeyAscii;
    const QByteArray mayuscula = quindel2::encodeWindows1252(caracter.toUpper());
    if (mayuscula.size() != 1)
        return KeyAscii;
    return std::int16_t(static_cast<unsigned char>(mayuscula.at(0)));
}

void EjecutaArchivo(const QString& Archivo, const QVariant& Minimizado) {
    QString archivo = Archivo;
    if (!archivo.contains(u'"') && archivo.contains(u' '))
        archivo = u'"' + archivo + u'"';
    const int estilo = vb::CBool(Minimizado) ? 6 : 0;
    long ventana = 0;
    ClsEntorno::EjecutaDocumento(ventana, QString(), archivo, QString(), QString(), estilo,
                                 QVariant());
}

} // namespace Mod_Macuentas
