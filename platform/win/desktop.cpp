#include "platform/win/desktop.h"

namespace quindel2 {

namespace {

class NoDesktop : public Desktop {
public:
    void setWaitCursor(bool) override {}
    void prepareWindow(QWidget*, int) override {}
    void setUpMainWindow(QWidget*) override {}
    bool chooseDate(QString&) override { return false; }
    QString chooseFileToOpen(const QString&, const QString&) override { return QString(); }
    bool openUrl(const QUrl&) override { return false; }
};

std::shared_ptr<Desktop>& installed() {
    static std::shared_ptr<Desktop> d;
    return d;
}

} // namespace

void setDesktop(std::shared_ptr<Desktop> d) {
    installed() = std::move(d);
}

Desktop& desktop() {
    static NoDesktop none;
    return installed() ? *installed() : none;
}

} // namespace quindel2
