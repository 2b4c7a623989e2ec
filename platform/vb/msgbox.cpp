#include "platform/vb/msgbox.h"

#include <algorithm>
#include <cstdio>

namespace vb {

namespace {

// Without a widget layer there is nobody to ask: the prompt goes to standard
// error and the box takes its default answer.
class ConsoleResponder : public DialogResponder {
public:
    int messageBox(const QString& prompt, int buttons, const QString&) override {
        std::fprintf(stderr, "%s\n", qPrintable(displayText(prompt)));
        return buttonCodes(buttons).at(defaultButtonIndex(buttons));
    }
    QString inputBox(const QString& prompt, const QString&, const QString& defaultText) override {
        std::fprintf(stderr, "%s\n", qPrintable(displayText(prompt)));
        return defaultText;
    }
};

std::shared_ptr<DialogResponder>& installed() {
    static std::shared_ptr<DialogResponder> r;
    return r;
}

std::shared_ptr<DialogResponder>& fallback() {
    static std::shared_ptr<DialogResponder> r;
    return r;
}

// The responder that answers now; null for the console.
std::shared_ptr<DialogResponder> answering() {
    return installed() ? installed() : fallback();
}

ConsoleResponder& console() {
    static ConsoleResponder c;
    return c;
}

} // namespace

std::vector<int> buttonCodes(int style) {
    switch (style & 7) {
    case vbOKCancel:
        return {vbOK, vbCancel};
    case vbAbortRetryIgnore:
        return {vbAbort, vbRetry, vbIgnore};
    case vbYesNoCancel:
        return {vbYes, vbNo, vbCancel};
    case vbYesNo:
        return {vbYes, vbNo};
    case vbRetryCancel:
        return {vbRetry, vbCancel};
    default:
        return {vbOK};
    }
}

size_t defaultButtonIndex(int style) {
    return std::min(static_cast<size_t>((style >> 8) & 3), buttonCodes(style).size() - 1);
}

QString displayText(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

int MsgBox(const QString& prompt, int buttons, const QString& title) {
    // Hold the responder while it answers, in case the box installs another.
    if (const std::shared_ptr<DialogResponder> keep = answering())
        return keep->messageBox(prompt, buttons, title);
    return console().messageBox(prompt, buttons, title);
}

QString InputBox(const QString& prompt, const QString& title, const QString& defaultText) {
    if (const std::shared_ptr<DialogResponder> keep = answering())
        return keep->inputBox(prompt, title, defaultText);
    return console().inputBox(prompt, title, defaultText);
}

std::shared_ptr<DialogResponder> setDialogResponder(std::shared_ptr<DialogResponder> r) {
    std::shared_ptr<DialogResponder> previous = std::move(installed());
    installed() = std::move(r);
    return previous;
}

void setDefaultDialogResponder(std::shared_ptr<DialogResponder> r) {
    fallback() = std::move(r);
}

int ScriptedResponder::messageBox(const QString& prompt, int buttons, const QString& title) {
    shown.push_back({false, prompt, title, buttons, QString()});
    if (msgAnswers.empty()) {
        if (++unexpected > unexpectedLimit)
            throw UnscriptedLoop("unscripted box shown again and again: " + prompt.toStdString());
        return buttonCodes(buttons).front();
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
