#include "platform/vb/errors.h"

#include "platform/vb/vb.h"

namespace vb {

TrappableError::TrappableError(Error e) : TrappableError(std::vector<Error>{std::move(e)}) {}

TrappableError::TrappableError(std::vector<Error> all)
    : std::runtime_error(all.empty() ? std::string("ADO error")
                                     : all.front().Description.toStdString()),
      all_(std::move(all)) {
    if (all_.empty()) // E_FAIL, the unspecified failure
        all_.push_back(Error{long(0x80004005), QStringLiteral("Error no especificado"), {}, 0, {}});
}

QString ErrorText(long number) {
    switch (number) {
    case errInvalidCall:
        return QStringLiteral("Llamada a procedimiento o argumento no válidos");
    case errOverflow:
        return QStringLiteral("Desbordamiento");
    case errSubscriptOutOfRange:
        return QStringLiteral("El subíndice está fuera del intervalo");
    case errDivisionByZero:
        return QStringLiteral("División por cero");
    case errTypeMismatch:
        return QStringLiteral("No coinciden los tipos");
    case errFileNotFound:
        return QStringLiteral("No se encontró el archivo");
    case errPathFileAccess:
        return QStringLiteral("Error de acceso a la ruta o el archivo");
    case errObjectNotSet:
        return QStringLiteral("Variable de objeto o bloque With no establecido");
    case errInvalidUseOfNull:
        return QStringLiteral("Uso no válido de Null");
    case errNotSupported:
        return QStringLiteral("El objeto no admite esta propiedad o método");
    default:
        return QStringLiteral("Error definido por la aplicación o el objeto");
    }
}

Error RuntimeError(long number) {
    return Error{number, ErrorText(number), {}, 0, AppExeName()};
}

void Raise(long number) {
    throw TrappableError(RuntimeError(number));
}

} // namespace vb
