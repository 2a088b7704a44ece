#pragma once

#include <QDialog>

#include <functional>
#include <memory>

class TdmCon;
class TfMenuMorv;

namespace app {

// The six single instances of the program, filled in as they are created.
// A window created early reaches the ones created after it through this
// record, which stays at one address for the whole run.
struct Instances {
    TfMenuMorv* fMenuMorv = nullptr;
    QDialog* frmLogin = nullptr;
    TdmCon* dmCon = nullptr;
    QWidget* fFisaContA_Morv = nullptr;
    QDialog* frmConts_select = nullptr;
    QDialog* frmConta_select = nullptr;
};

// How each instance is made. Every window but the main one is given the main
// window as owner and must take it as its parent window (Qt::Window or
// Qt::Dialog), so that only the main window has a task-bar entry and the
// others stay in front of it and hide while it is minimised.
struct InstanceFactories {
    std::function<std::unique_ptr<TfMenuMorv>(const Instances&)> fMenuMorv;
    std::function<std::unique_ptr<QDialog>(QWidget* owner, const Instances&)> frmLogin;
    std::function<std::unique_ptr<TdmCon>(const Instances&)> dmCon;
    std::function<std::unique_ptr<QWidget>(QWidget* owner, const Instances&)> fFisaContA_Morv;
    std::function<std::unique_ptr<QDialog>(QWidget* owner, const Instances&)> frmConts_select;
    std::function<std::unique_ptr<QDialog>(QWidget* owner, const Instances&)> frmConta_select;
};

// The program's own instances. This is the one place where the windows of
// login/ and ledger/ replace the placeholders.
InstanceFactories programFactories();

// Creates the six instances in their fixed order, each once, and releases
// them in reverse order, also when a creation fails part-way. Every window
// but the main one starts hidden; nothing is shown, no connection is opened.
class AppInstances {
public:
    explicit AppInstances(const InstanceFactories& factories);
    ~AppInstances();
    AppInstances(const AppInstances&) = delete;
    AppInstances& operator=(const AppInstances&) = delete;

    const Instances& instances() const { return all_; }
    TfMenuMorv& mainWindow() const { return *all_.fMenuMorv; }

private:
    Instances all_;
    // In creation order; released from the last up.
    std::unique_ptr<TfMenuMorv> fMenuMorv_;
    std::unique_ptr<QDialog> frmLogin_;
    std::unique_ptr<TdmCon> dmCon_;
    std::unique_ptr<QWidget> fFisaContA_Morv_;
    std::unique_ptr<QDialog> frmConts_select_;
    std::unique_ptr<QDialog> frmConta_select_;
};

} // namespace app
