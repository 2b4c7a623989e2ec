#include "platform/ui/widgets.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/vb.h"

#include <QAbstractButton>
#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <cstdio>

namespace ui {

namespace {

using namespace vb;

QString boxTitle(const QString& title) {
    if (!title.isEmpty())
        return title;
    const QString name = QCoreApplication::applicationName();
    return name.isEmpty() ? AppExeName() : name;
}

struct ButtonSpec {
    QString text;
    QMessageBox::ButtonRole role;
};

ButtonSpec specOf(int code) {
    using R = QMessageBox::ButtonRole;
    switch (code) {
    case vbCancel:
        return {QStringLiteral("Cancelar"), R::RejectRole};
    case vbAbort:
        return {QStringLiteral("Anular"), R::DestructiveRole};
    case vbRetry:
        return {QStringLiteral("Reintentar"), R::AcceptRole};
    case vbIgnore:
        return {QStringLiteral("Omitir"), R::ActionRole};
    case vbYes:
        return {QStringLiteral("Sí"), R::YesRole};
    case vbNo:
        return {QStringLiteral("No"), R::NoRole};
    default:
        return {QStringLiteral("Aceptar"), R::AcceptRole};
    }
}

// Real dialogs; without a widget application there is nobody to ask, so the
// prompt goes to standard error and the box takes its default answer.
class WidgetDialogs : public DialogResponder {
public:
    int messageBox(const QString& prompt, int buttons, const QString& title) override {
        const std::vector<int> choices = buttonCodes(buttons);
        const size_t defaultIndex = defaultButtonIndex(buttons);
        if (!qobject_cast<QApplication*>(QCoreApplication::instance())) {
            std::fprintf(stderr, "%s\n", qPrintable(displayText(prompt)));
            return choices[defaultIndex];
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
        for (const int code : choices) {
            const ButtonSpec s = specOf(code);
            QPushButton* b = box.addButton(s.text, s.role);
            pushed.push_back(b);
            if (code == vbCancel)
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
                return choices[i];
        return cancelButton ? vbCancel : choices[defaultIndex];
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

} // namespace

std::shared_ptr<vb::DialogResponder> widgetDialogs() {
    return std::make_shared<WidgetDialogs>();
}

} // namespace ui
