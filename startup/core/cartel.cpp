#include "startup/core/cartel.h"

namespace CNStuffContable {

namespace {

// Until a program installs its banner: nothing shown, never cancelled.
class BannerMudo : public ProgressBanner {
public:
    void CartelInicio(const QString&, bool) override {}
    void CartelMostrar(bool& Cancelado, const std::optional<QVariant>&,
                       const std::optional<QVariant>&, const std::optional<QVariant>&) override {
        Cancelado = false;
    }
    void CartelCerrar() override {}
    void Siempre_Visible(bool) override {}
    void EsperaBloqueo(bool) override {}
};

std::shared_ptr<ProgressBanner>& instalado() {
    static std::shared_ptr<ProgressBanner> banner;
    return banner;
}

} // namespace

ProgressBanner& gCartel() {
    static BannerMudo mudo;
    const std::shared_ptr<ProgressBanner>& banner = instalado();
    return banner ? *banner : static_cast<ProgressBanner&>(mudo);
}

void setBanner(std::shared_ptr<ProgressBanner> Banner) {
    instalado() = std::move(Banner);
}

void resetCartel() {
    setBanner(nullptr);
}

void AvisoEsperaBloqueo(bool Esperando) {
    gCartel().EsperaBloqueo(Esperando);
}

} // namespace CNStuffContable
