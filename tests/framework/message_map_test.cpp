#include "backend/headless/dialog_host.h"
#include "framework/dialog.h"
#include "framework/win_app.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A dialog whose handlers record what reached them, with a derived class that
// overrides one handler's entry and adds another, to prove the chain order.
class RecordingDlg : public CDialog {
public:
    RecordingDlg() : CDialog(1) {}
    std::string log;
    CString field;

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, 10, field); }
    void OnFirst() { log += "base-first "; }
    void OnSecond() { log += "base-second "; }
    DECLARE_MESSAGE_MAP()
};

// clang-format off
BEGIN_MESSAGE_MAP(RecordingDlg, CDialog)
    ON_BN_CLICKED(1, OnFirst)
    ON_BN_CLICKED(2, OnSecond)
END_MESSAGE_MAP()
// clang-format on

class DerivedDlg : public RecordingDlg {
protected:
    void OnFirstAgain() { log += "derived-first "; }
    void OnThird() { log += "derived-third "; }
    DECLARE_MESSAGE_MAP()
};

// clang-format off
BEGIN_MESSAGE_MAP(DerivedDlg, RecordingDlg)
    ON_BN_CLICKED(1, OnFirstAgain)
    ON_BN_CLICKED(3, OnThird)
END_MESSAGE_MAP()
// clang-format on

TEST(MessageMap, RoutesClicksMostDerivedFirst)
{
    DerivedDlg dlg;
    CHeadlessDialog window(dlg);
    EXPECT_TRUE(window.Click(1));
    EXPECT_TRUE(window.Click(2));
    EXPECT_TRUE(window.Click(3));
    EXPECT_EQ(dlg.log, "derived-first base-second derived-third ");
}

TEST(MessageMap, UnknownCommandsAndOtherNotificationsAreNotHandled)
{
    DerivedDlg dlg;
    CHeadlessDialog window(dlg);
    EXPECT_FALSE(window.Click(4));
    EXPECT_FALSE(dlg.OnCmdMsg(1, 1)); // a notification other than BN_CLICKED
    EXPECT_EQ(dlg.log, "");
}

TEST(Dialog, OkPullsThenEndsAndCancelOnlyEnds)
{
    RecordingDlg dlg;
    {
        CHeadlessDialog window(dlg);
        window.Type(10, "typed");
        dlg.OnCancel();
        EXPECT_EQ(window.Result(), IDCANCEL);
        EXPECT_STREQ(dlg.field, "");
        dlg.OnOK();
        EXPECT_EQ(window.Result(), IDOK);
        EXPECT_STREQ(dlg.field, "typed");
    }
    // Detached again: exchanges leave the fields alone.
    dlg.field = "kept";
    dlg.UpdateData(TRUE);
    EXPECT_STREQ(dlg.field, "kept");
    EXPECT_EQ(dlg.GetControlHost(), nullptr);
}

// Window messages with handlers of both kinds, beside the command handlers.
class PaintingDlg : public RecordingDlg {
public:
    HICON icon = reinterpret_cast<HICON>(&log);

protected:
    void OnPaint() { log += "paint "; }
    HCURSOR OnQueryDragIcon() { return icon; }
    DECLARE_MESSAGE_MAP()
};

// clang-format off
BEGIN_MESSAGE_MAP(PaintingDlg, RecordingDlg)
    ON_WM_PAINT()
    ON_WM_QUERYDRAGICON()
END_MESSAGE_MAP()
// clang-format on

TEST(MessageMap, RoutesWindowMessagesWithTheirResults)
{
    PaintingDlg dlg;
    INT_PTR result = -1;
    EXPECT_TRUE(dlg.OnWndMsg(WM_PAINT, &result));
    EXPECT_EQ(result, 0);
    EXPECT_TRUE(dlg.OnWndMsg(WM_QUERYDRAGICON, &result));
    EXPECT_EQ(result, reinterpret_cast<INT_PTR>(dlg.icon));
    EXPECT_FALSE(dlg.OnWndMsg(0x0005 /* WM_SIZE */, &result));
    EXPECT_FALSE(dlg.OnWndMsg(WM_COMMAND, &result)) << "commands go through OnCmdMsg";
    EXPECT_TRUE(dlg.OnCmdMsg(1, BN_CLICKED));
    EXPECT_EQ(dlg.log, "paint base-first ");
}

// An application whose map takes ID_HELP, as the converter application's does.
class HelpApp : public CWinApp {
public:
    int helpCount = 0;

protected:
    void OnRecordHelp() { ++helpCount; }
    DECLARE_MESSAGE_MAP()
};

// clang-format off
BEGIN_MESSAGE_MAP(HelpApp, CWinApp)
    ON_COMMAND(ID_HELP, OnRecordHelp)
END_MESSAGE_MAP()
// clang-format on

TEST(MessageMap, CommandsTheDialogLeavesGoToTheApplication)
{
    DerivedDlg dlg;
    CHeadlessDialog window(dlg);
    EXPECT_FALSE(dlg.OnCmdMsg(ID_HELP, 0)) << "no application yet";
    {
        HelpApp app;
        ASSERT_EQ(AfxGetApp(), &app);
        EXPECT_TRUE(dlg.OnCmdMsg(ID_HELP, 0));
        EXPECT_TRUE(window.Click(1)); // the dialog's own commands stay with it
        EXPECT_EQ(app.helpCount, 1);
        EXPECT_EQ(dlg.log, "derived-first ");
    }
    EXPECT_EQ(AfxGetApp(), nullptr);
}

} // namespace
