#include "platform/vb/msgbox.h"
#include "platform/vb/vb.h"

#include <QAbstractButton>
#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <cstdio>

namespace vb {

namespace {

// A lone CR breaks the line in the original boxes as CR LF does.
QString displayText(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

QString boxTitle(const QString& title) {
    if (!title.isEmpty())
        return title;
    const QString name = QCoreApplication::applicationName();
    return name.isEmpty() ? AppExeName() : name;
}

struct ButtonSpec {
    QString text;
    int code;
    QMessageBox::ButtonRole role;
};

std::vector<ButtonSpec> buttonsOf(int style) {
    using R = QMessageBox::ButtonRole;
    const ButtonSpec ok{QStringLiteral("Aceptar"), vbOK, R::AcceptRole};
    const ButtonSpec cancel{QStringLiteral("Cancelar"), vbCancel, R::RejectRole};
    const ButtonSpec abort{QStringLiteral("Anular"), vbAbort, R::DestructiveRole};
    const ButtonSpec retry{QStringLiteral("Reintentar"), vbRetry, R::AcceptRole};
    const ButtonSpec ignore{QStringLiteral("Omitir"), vbIgnore, R::ActionRole};
    const ButtonSpec yes{QStringLiteral("Sí"), vbYes, R::YesRole};
    const ButtonSpec no{QStringLiteral("No"), vbNo, R::NoRole};
    switch (style & 7) {
    case vbOKCancel:
        return {ok, cancel};
    case vbAbortRetryIgnore:
        return {abort, retry, ignore};
    case vbYesNoCancel:
        return {yes, no, cancel};
    case vbYesNo:
        return {yes, no};
    case vbRetryCancel:
        return {retry, cancel};
    default:
        return {ok};
    }
}

int firstButtonCode(int style) {
    return buttonsOf(style).front().code;
}

// Real dialogs; without a widget application there is nobody to ask, so the
// prompt goes to standard error and the box takes its default answer.
class QtResponder : public DialogResponder {
public:
    int messageBox(const QString& prompt, int buttons, const QString& title) override {
        const std::vector<ButtonSpec> choices = buttonsOf(buttons);
        const size_t defaultIndex =
            std::min(static_cast<size_t>((buttons >> 8) & 3), choices.size() - 1);
        if (!qobject_cast<QApplication*>(QCoreApplication::instance())) {
            std::fprintf(stderr, "%s\n", qPrintable(displayText(prompt)));
            return choices[defaultIndex].code;
        }
        QMessageBox box;
        box.setWindowTitle(boxTitle(title));
        box.setText(displayText(prompt));
        box.setTextFormat(Qt::PlainText);
        switch (buttons & 0x70) {
        case vbCritical:
            box.setIcon(QMessageBox::Critical);
            break;
        case vbQuestion:
            box.setIcon(QMessageBox::Question);
            break;
        case vbExclamation:
            box.setIcon(QMessageBox::Warning);
            break;
        case vbInformation:
            box.setIcon(QMessageBox::Information);
            break;
        default:
            box.setIcon(QMessageBox::NoIcon);
            break;
        }
        std::vector<QPushButton*> pushed;
        QPushButton* cancelButton = nullptr;
        for (const ButtonSpec& s : choices) {
            QPushButton* b = box.addButton(s.text, s.role);
            pushed.push_back(b);
            if (s.code == vbCancel)
                cancelButton = b;
        }
        box.setDefaultButton(pushed[defaultIndex]);
        // Escape answers Cancel where there is one, OK on a lone OK box, and
        // nothing on Yes/No and Abort/Retry/Ignore boxes, as in the original.
        if (cancelButton)
            box.setEscapeButton(cancelButton);
        else if (choices.size() == 1)
            box.setEscapeButton(pushed.front());
        box.exec();
        QAbstractButton* clicked = box.clickedButton();
        for (size_t i = 0; i < pushed.size(); ++i)
            if (pushed[i] == clicked)
                return choices[i].code;
        return cancelButton ? vbCancel : choices[defaultIndex].code;
    }

    QString inputBox(const QString& prompt, const QString& title,
                     const QString& defaultText) override {
        if (!qobject_cast<QApplication*>(QCoreApplication::instance())) {
            std::fprintf(stderr, "%s\n", qPrintable(displayText(prompt)));
            return defaultText;
        }
        QInputDialog dialog;
        dialog.setWindowTitle(boxTitle(title));
        dialog.setLabelText(displayText(prompt));
        dialog.setTextValue(defaultText);
        dialog.setOkButtonText(QStringLiteral("Aceptar"));
        dialog.setCancelButtonText(QStringLiteral("Cancelar"));
        if (dialog.exec() != QDialog::Accepted)
            return QString();
        return dialog.textValue();
    }
};

std::shared_ptr<DialogResponder>& installed() {
    static std::shared_ptr<DialogResponder> r;
    return r;
}

DialogResponder& current() {
    static QtResponder realDialogs;
    return installed() ? *installed() : realDialogs;
}

} // namespace

int MsgBox(const QString& prompt, int buttons, const QString& title) {
    // Hold the responder while it answers, in case the box installs another.
    const std::shared_ptr<DialogResponder> keep = installed();
    return current().messageBox(prompt, buttons, title);
}

QString InputBox(const QString& prompt, const QString& title, const QString& defaultText) {
    const std::shared_ptr<DialogResponder> keep = installed();
    return current().inputBox(prompt, title, defaultText);
}

std::shared_ptr<DialogResponder> setDialogResponder(std::shared_ptr<DialogResponder> r) {
    std::shared_ptr<DialogResponder> previous = std::move(installed());
    installed() = std::move(r);
    return previous;
}

int ScriptedResponder::messageBox(const QString& prompt, int buttons, const QString& title) {
    shown.push_back({false, prompt, title, buttons, QString()});
    if (msgAnswers.empty()) {
        if (++unexpected > unexpectedLimit)
            throw UnscriptedLoop("unscripted box shown again and again: " + prompt.toStdString());
        return firstButtonCode(buttons);
    }
    const int answer = msgAnswers.front();
    msgAnswers.pop_front();
    return answer;
}

QString ScriptedResponder::inputBox(const QString& prompt, const QString& title,
                                    const QString& defaultText) {
    shown.push_back({true, prompt, title, 0, defaultText});
    if (inputAnswers.empty()) {
        if (++unexpected > unexpectedLimit)
            throw UnscriptedLoop("unscripted input box shown again and again: " +
                                 prompt.toStdString());
        return defaultText;
    }
    QString answer = inputAnswers.front();
    inputAnswers.pop_front();
    return answer;
}

QStringList ScriptedResponder::messages() const {
    QStringList out;
    for (const Shown& s : shown)
        if (!s.isInput)
            out << s.prompt;
    return out;
}

} // namespace vb
