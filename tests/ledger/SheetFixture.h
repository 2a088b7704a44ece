#pragma once

// The account sheet as its window tests need it: a company database of the
// test's own, the data module pointed at it, and the window over recording
// fakes of the desktop services and of the save dialog.
#include "PgFixture.h"

#include "data/TdmCon.h"
#include "desktop/RecordingDesktopServices.h"
#include "desktop/SaveFileDialog.h"
#include "ledger/TfFisaContA_Morv.h"

#include <QtTest>

#include <memory>

class SheetFixture {
protected:
    // Everything made, the window not shown yet.
    void makeSheet()
    {
        company = std::make_unique<testsupport::ScratchDatabase>("company_tpl");
        dm = std::make_unique<TdmCon>();
        company->configure(dm->conUlv);
        desktopServices = std::make_unique<desktop::RecordingDesktopServices>();
        saveDialog = std::make_unique<desktop::RecordingSaveFileDialog>();
        sheet = std::make_unique<TfFisaContA_Morv>(*dm, *desktopServices, *saveDialog);
    }

    void showSheet()
    {
        sheet->show();
        QVERIFY(QTest::qWaitForWindowExposed(sheet.get()));
    }

    // In the reverse order of making.
    void releaseSheet()
    {
        sheet.reset();
        saveDialog.reset();
        desktopServices.reset();
        dm.reset();
        company.reset();
    }

    std::unique_ptr<testsupport::ScratchDatabase> company;
    std::unique_ptr<TdmCon> dm;
    std::unique_ptr<desktop::RecordingDesktopServices> desktopServices;
    std::unique_ptr<desktop::RecordingSaveFileDialog> saveDialog;
    std::unique_ptr<TfFisaContA_Morv> sheet;
};
