#pragma once

#include <QWidget>

#include <functional>
#include <memory>

class TdmCon;

namespace Ui {
class TfMenuMorv;
}

// The main window (instance fMenuMorv): at first only the "Login" button and
// the version; after a successful sign-in the company database, the operator
// and the button that shows the account sheet window. There is no way back.
class TfMenuMorv : public QWidget {
    Q_OBJECT

public:
    // What the window uses of the instances created after it.
    struct Links {
        std::function<int()> runSignIn;               // the sign-in dialog's modal run and its result
        std::function<const TdmCon&()> dataModule;    // for glDataBase and glUser
        std::function<QWidget*()> accountSheet;       // the account sheet window
    };

    explicit TfMenuMorv(Links links, QWidget* parent = nullptr);
    ~TfMenuMorv() override;

    void FormCreate();
    void ButtonLoginClick();
    void Button1Click();

private:
    void fitLabels();

    std::unique_ptr<Ui::TfMenuMorv> ui;
    Links links_;
};
