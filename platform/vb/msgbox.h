#pragma once
// Every message box and input box of the program goes through MsgBox and
// InputBox. Tests install a scripted responder that answers from a queue and
// records what was shown, so no test ever blocks on a modal window. The real
// dialogs are widgets: platform/ui puts them in place at program start, so
// code below the windows can ask the operator without linking any widget.

#include <QString>
#include <QStringList>
#include <deque>
#include <memory>
#include <stdexcept>
#include <vector>

namespace vb {

enum MsgBoxStyle : int {
    vbOKOnly = 0,
    vbOKCancel = 1,
    vbAbortRetryIgnore = 2,
    vbYesNoCancel = 3,
    vbYesNo = 4,
    vbRetryCancel = 5,
    vbCritical = 16,
    vbQuestion = 32,
    vbExclamation = 48,
    vbInformation = 64,
    vbDefaultButton1 = 0,
    vbDefaultButton2 = 256,
    vbDefaultButton3 = 512,
};

enum MsgBoxResult : int {
    vbOK = 1,
    vbCancel = 2,
    vbAbort = 3,
    vbRetry = 4,
    vbIgnore = 5,
    vbYes = 6,
    vbNo = 7,
};

// Carriage return and line feed as the original texts use them.
inline const QString vbCr = QStringLiteral("\r");
inline const QString vbLf = QStringLiteral("\n");
inline const QString vbCrLf = QStringLiteral("\r\n");

// Shows a message box; returns the answer code (vbOK ... vbNo).
int MsgBox(const QString& prompt, int buttons = vbOKOnly, const QString& title = QString());
// Shows an input box; returns the typed text, or "" when cancelled.
QString InputBox(const QString& prompt, const QString& title = QString(),
                 const QString& defaultText = QString());

// What answers the boxes.
class DialogResponder {
public:
    virtual ~DialogResponder() = default;
    virtual int messageBox(const QString& prompt, int buttons, const QString& title) = 0;
    virtual QString inputBox(const QString& prompt, const QString& title,
                             const QString& defaultText) = 0;
};
// Installs a responder; nullptr restores the default one. Returns the previous one.
std::shared_ptr<DialogResponder> setDialogResponder(std::shared_ptr<DialogResponder> r);
// The responder that answers while none is installed: the real dialogs once
// platform/ui has put them here. Until then (and after nullptr) the prompt
// goes to standard error and the box takes its default answer.
void setDefaultDialogResponder(std::shared_ptr<DialogResponder> r);

// Answer codes of the buttons of a box style, in their order
// (vbAbortRetryIgnore: vbAbort, vbRetry, vbIgnore).
std::vector<int> buttonCodes(int style);
// Index of the default button (vbDefaultButton2 is 1), clamped to the last one.
size_t defaultButtonIndex(int style);
// The prompt as a box shows it: a lone CR breaks the line as CR LF does.
QString displayText(QString text);

// Answers from queues and records every box shown. When a queue is empty a
// message box answers its first button (OK / Abort / Yes / Retry) and an input
// box its default text; `unexpected` counts those answers.
struct UnscriptedLoop : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class ScriptedResponder : public DialogResponder {
public:
    struct Shown {
        bool isInput = false;
        QString prompt;
        QString title;
        int buttons = 0;
        QString defaultText;
    };
    void answerMsg(int code) { msgAnswers.push_back(code); }
    void answerInput(const QString& text) { inputAnswers.push_back(text); }

    int messageBox(const QString& prompt, int buttons, const QString& title) override;
    QString inputBox(const QString& prompt, const QString& title,
                     const QString& defaultText) override;

    std::deque<int> msgAnswers;
    std::deque<QString> inputAnswers;
    std::vector<Shown> shown;
    int unexpected = 0;
    // A box shown again and again without a script means the code under test
    // loops on the operator's answer: past this many unscripted boxes the
    // responder throws UnscriptedLoop instead of answering.
    int unexpectedLimit = 50;
    // Prompts of the message boxes only, in order.
    QStringList messages() const;
};

} // namespace vb
