#pragma once
// The one step runner of the routines that trap their errors (the original's
// On Error with Resume, Resume Next and Exit): a failing step asks the
// routine's error treatment, whose answer repeats the step, goes on with the
// next one or leaves the routine. The data object, the start-up modules and
// the journal-entry rules all run their steps here.

#include "platform/ado/ado.h"

#include <QString>
#include <concepts>
#include <functional>
#include <type_traits>
#include <utility>
#include <vector>

namespace pasos {

// What a trapping routine does after a failed step.
enum class Resume { Retry, Next, Exit };

// The answer of an error box: Retry (4) repeats the step, Ignore (5) goes on
// with the next one, any other answer leaves the routine.
Resume ResumeFor(int answer);

// Which failures of a step go to the error treatment. The data object traps
// the database's errors only; the start-up modules trap every run-time error.
// Ending the program (vb::End) is never trapped.
enum class Trap { AdoErrors, AllErrors };

// How the error log writes the answer to an error box ("Reintentar",
// "Ignorar", "Abortar", "Cancelar", "Sí", "No"; empty for OK).
QString AnswerWord(int answer);

using OnError = std::function<Resume(const ado::Error&)>;

// Runs step(i) from i = first; each call returns the index of the next step,
// or -1 when the routine is done. False when the error treatment left.
bool RunSteps(const std::function<int(int)>& step, const OnError& onError, int first = 0,
              Trap trap = Trap::AdoErrors);

// What a step of a list may be: a callable that returns nothing, or false to
// end the routine there (a normal end, not a failure).
template <class F>
concept StepCallable = std::invocable<F&> &&
    (std::same_as<std::invoke_result_t<F&>, void> || std::same_as<std::invoke_result_t<F&>, bool>);

class Step {
public:
    template <StepCallable F> Step(F f) {
        if constexpr (std::is_void_v<std::invoke_result_t<F&>>)
            run_ = [f = std::move(f)]() mutable {
                f();
                return true;
            };
        else
            run_ = std::move(f);
    }
    bool operator()() const { return run_(); }

private:
    std::function<bool()> run_;
};

// The same for a list of steps run in order.
bool RunSteps(const std::vector<Step>& steps, const OnError& onError, Trap trap = Trap::AdoErrors);

// The error a caught exception stands for: an ado::Exception's own (the
// runtime's errors included); a numeric overflow is the runtime's error 6,
// any other error 5 with its text.
// Call only inside a catch block.
ado::Error CurrentError();

// The operator error box of a trapping routine, titled with its name.
OnError Recuadro(const QString& rutina);

// Runs an event handler: a failure is told in the error box and never
// reaches the window system; ending the program goes through.
void Protege(const std::function<void()>& manejador);

// The box of a value the database could not take, naming the field.
QString MensajeConversion(const QString& campo);
void AvisaConversion(const QString& campo);

} // namespace pasos
