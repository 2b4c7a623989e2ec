#include "data/pasos.h"

#include "platform/vb/errors.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/programend.h"
#include "platform/vb/vb.h"
#include "platform/win/clsutilidades.h"

#include <optional>
#include <stdexcept>

namespace pasos {

QString AnswerWord(int answer) {
    switch (answer) {
    case vb::vbRetry:
        return QStringLiteral("Reintentar");
    case vb::vbIgnore:
        return QStringLiteral("Ignorar");
    case vb::vbAbort:
        return QStringLiteral("Abortar");
    case vb::vbCancel:
        return QStringLiteral("Cancelar");
    case vb::vbYes:
        return QStringLiteral("Sí");
    case vb::vbNo:
        return QStringLiteral("No");
    default:
        return QString();
    }
}

Resume ResumeFor(int answer) {
    if (answer == vb::vbRetry)
        return Resume::Retry;
    if (answer == vb::vbIgnore)
        return Resume::Next;
    return Resume::Exit;
}

ado::Error CurrentError() {
    try {
        throw;
    } catch (const ado::Exception& e) {
        return e.error();
    } catch (const std::overflow_error&) {
        return vb::RuntimeError(vb::errOverflow);
    } catch (const std::exception& e) {
        return {5, QString::fromLocal8Bit(e.what()), {}, 0, vb::AppExeName()};
    }
}

bool RunSteps(const std::function<int(int)>& step, const OnError& onError, int first, Trap trap) {
    int i = first;
    while (i >= 0) {
        std::optional<ado::Error> failure;
        try {
            i = step(i);
            continue;
        } catch (const vb::ProgramEnded&) {
            throw;
        } catch (const ado::Exception& e) {
            failure = e.error();
        } catch (const std::exception&) {
            if (trap == Trap::AdoErrors)
                throw;
            failure = CurrentError();
        }
        switch (onError(*failure)) {
        case Resume::Retry:
            break;
        case Resume::Next:
            ++i;
            break;
        case Resume::Exit:
            return false;
        }
    }
    return true;
}

bool RunSteps(const std::vector<Step>& steps, const OnError& onError, Trap trap) {
    return RunSteps(
        [&](int i) {
            if (i >= int(steps.size()))
                return -1;
            return steps[size_t(i)]() ? i + 1 : -1;
        },
        onError, 0, trap);
}

OnError Recuadro(const QString& rutina) {
    return [rutina](const ado::Error& e) {
        return ResumeFor(ClsUtilidades::ReportaError(e, std::nullopt, rutina));
    };
}

void Protege(const std::function<void()>& manejador) {
    try {
        manejador();
    } catch (const vb::ProgramEnded&) {
        throw;
    } catch (const std::exception&) {
        ClsUtilidades::ReportaError(CurrentError(), vb::vbOKOnly + vb::vbCritical);
    }
}

QString MensajeConversion(const QString& campo) {
    const QString dos = vb::vbCrLf + vb::vbCrLf;
    return QStringLiteral("Verifique las siguientes opciones: ") + dos +
           QStringLiteral("1) Ha ingresado letras donde debe ingresar numeros") + dos +
           QStringLiteral("2) Debe ingresar una fecha y el formato es incorrecto") + dos +
           QStringLiteral("En el campo: ") + campo;
}

void AvisaConversion(const QString& campo) {
    vb::MsgBox(MensajeConversion(campo), vb::vbCritical,
               QStringLiteral("Error en conversion de datos"));
}

} // namespace pasos
