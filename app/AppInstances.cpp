#include "AppInstances.h"

#include "app/TfMenuMorv.h"
#include "app/errors/ApplicationName.h"
#include "data/TdmCon.h"
#include "desktop/SaveFileDialog.h"
#include "desktop/SystemDesktopServices.h"
#include "ledger/TfFisaContA_Morv.h"
#include "ledger/TfrmConta_select.h"
#include "ledger/TfrmConts_select.h"
#include "login/TfrmLogin.h"

#include <stdexcept>

namespace app {

namespace {

// The instance's name on the object, and a check that the factory made the
// window an owned one.
template <typename W>
W* adopt(std::unique_ptr<W>& slot, std::unique_ptr<W> made, const char* name, QWidget* owner)
{
    if (!made)
        throw std::logic_error(std::string("no instance was made for ") + name);
    made->setObjectName(QString::fromLatin1(name));
    if (owner && (made->parentWidget() != owner || !made->isWindow()))
        throw std::logic_error(std::string(name) + " must be a window owned by the main window");
    slot = std::move(made);
    return slot.get();
}

// What the operating system gives, for the whole run.
desktop::DesktopServices& desktopServices()
{
    static desktop::SystemDesktopServices services;
    return services;
}

} // namespace

InstanceFactories programFactories()
{
    InstanceFactories f;
    f.fMenuMorv = [](const Instances& all) {
        return std::make_unique<TfMenuMorv>(TfMenuMorv::Links{
            [&all] { return all.frmLogin->exec(); },
            [&all]() -> const TdmCon& { return *all.dmCon; },
            [&all] { return all.fFisaContA_Morv; },
        });
    };
    f.frmLogin = [](QWidget* owner, const Instances&) -> std::unique_ptr<QDialog> {
        return std::make_unique<TfrmLogin>(desktopServices(), applicationName(), owner);
    };
    f.dmCon = [](const Instances& all) {
        auto dm = std::make_unique<TdmCon>();
        // The sign-in dialog came first; its directory query now gets its connection.
        static_cast<TfrmLogin*>(all.frmLogin)->setDataModule(*dm);
        return dm;
    };
    f.fFisaContA_Morv = [](QWidget* owner, const Instances& all) -> std::unique_ptr<QWidget> {
        static desktop::SystemSaveFileDialog saveDialog;
        return std::make_unique<TfFisaContA_Morv>(*all.dmCon, desktopServices(), saveDialog, owner);
    };
    f.frmConts_select = [](QWidget* owner, const Instances& all) -> std::unique_ptr<QDialog> {
        auto picker = std::make_unique<TfrmConts_select>(&all.dmCon->conUlv, owner);
        static_cast<TfFisaContA_Morv*>(all.fFisaContA_Morv)->setPicker(picker.get());
        return picker;
    };
    f.frmConta_select = [](QWidget* owner, const Instances& all) -> std::unique_ptr<QDialog> {
        return std::make_unique<TfrmConta_select>(&all.dmCon->conUlv, all.dmCon->GridTableViewStyleSheetDevExpress, owner);
    };
    return f;
}

AppInstances::AppInstances(const InstanceFactories& factories)
{
    all_.fMenuMorv = adopt(fMenuMorv_, factories.fMenuMorv(all_), "fMenuMorv", nullptr);
    QWidget* owner = all_.fMenuMorv;
    all_.frmLogin = adopt(frmLogin_, factories.frmLogin(owner, all_), "frmLogin", owner);
    if (!(dmCon_ = factories.dmCon(all_)))
        throw std::logic_error("no instance was made for dmCon");
    all_.dmCon = dmCon_.get();
    all_.fFisaContA_Morv = adopt(fFisaContA_Morv_, factories.fFisaContA_Morv(owner, all_), "fFisaContA_Morv", owner);
    all_.frmConts_select = adopt(frmConts_select_, factories.frmConts_select(owner, all_), "frmConts_select", owner);
    all_.frmConta_select = adopt(frmConta_select_, factories.frmConta_select(owner, all_), "frmConta_select", owner);
}

AppInstances::~AppInstances()
{
    // Explicitly, so that the order stays visible: the reverse of creation.
    frmConta_select_.reset();
    frmConts_select_.reset();
    fFisaContA_Morv_.reset();
    dmCon_.reset(); // its connections close with it
    frmLogin_.reset();
    fMenuMorv_.reset();
}

} // namespace app
